// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>

#include <QChartView>

class QAreaSeries;
class QLineSeries;
class QValueAxis;

namespace quorvel {

struct BankrollBands;

// The bankroll after every spin, with its running maximum, drawn from vectors
// so it stays sharp at any screen density. A long series is drawn from its
// outline: every peak and trough stays, at two points a pixel at most.
//
// Behind the run's own curve it can show what chance alone does with the
// same settings: the median of the fair sessions and the bands that hold
// their middle half (25-75 %) and nine in ten of them (5-95 %), spin by spin.
class BankrollChart : public QChartView {
    Q_OBJECT

public:
    explicit BankrollChart(QWidget* parent = nullptr);

    // Point 0 is the bankroll before the first spin. Without bands the fan
    // is left out.
    void set_bankroll(std::span<const std::int64_t> bankroll, const BankrollBands* bands = nullptr);

    QLineSeries* bankroll_series() const { return bankroll_; }
    QLineSeries* peak_series() const { return peak_; }
    // The fan: the 5-95 % and 25-75 % bands and the median.
    QAreaSeries* outer_band() const { return outer_; }
    QAreaSeries* inner_band() const { return inner_; }
    QLineSeries* median_series() const { return median_; }

private:
    void show_in_legend(QAbstractSeries* series, bool shown);

    QLineSeries* bankroll_;
    QLineSeries* peak_;
    QAreaSeries* outer_;
    QAreaSeries* inner_;
    QLineSeries* median_;
    QValueAxis* spins_;
    QValueAxis* money_;
};

}  // namespace quorvel
