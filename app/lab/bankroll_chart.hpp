// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>

#include <QChartView>

class QAreaSeries;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace quorvel {

struct BankrollBands;

// The money axis's range before it is rounded to ticks. It holds the run's
// whole curve, and the fair sessions' band of nine in ten (5-95 %) only as
// far as the run still reads: the band reaches at most the run's own rise
// and fall beyond it on either side, so a fan that widens to hundreds of
// thousands leaves the run's fall of a few thousand a curve, not a flat
// line, and the band runs off the edge. The few sessions beyond the band
// never count. A bankroll that never went below zero, with a band that did
// not either, is drawn from zero up.
struct MoneyRange {
    double low = 0;
    double high = 0;
};
MoneyRange fan_chart_range(std::span<const std::int64_t> bankroll, const BankrollBands* bands);

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
    QValueAxis* money_axis() const { return money_; }
    // The spins' axis, its ticks at round values in short forms.
    QCategoryAxis* spins_axis() const { return spins_; }

private:
    void show_in_legend(QAbstractSeries* series, bool shown);
    // Ticks for the axis's length on the screen, again whenever it changes.
    void fit_spins_axis();

    QLineSeries* bankroll_;
    QLineSeries* peak_;
    QAreaSeries* outer_;
    QAreaSeries* inner_;
    QLineSeries* median_;
    QCategoryAxis* spins_;
    QValueAxis* money_;
    double last_spin_ = 10;
    double fitted_width_ = 0;
};

}  // namespace quorvel
