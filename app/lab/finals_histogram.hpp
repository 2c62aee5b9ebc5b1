// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <QChartView>

class QAreaSeries;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace quorvel {

// Bins of equal width over whole units: bin i holds the values from
// low + i x width up to, not including, low + (i + 1) x width; the first and
// the last bin also hold every value beyond them.
struct ChartBins {
    std::int64_t low = 0;
    std::int64_t width = 1;
    std::vector<std::int64_t> counts;
};

// The lab's histogram_of spans every value; a chart needs the marks inside
// it and whole-unit bins, and must not let a few tails flatten the rest.
// At most `bins` bins over the middle 95 % of the sorted values, widened to
// take in `also` (the run's own end and the start, so their marks fall
// inside the chart). A few ruinous sessions would otherwise squeeze all the
// others into one bar; they are counted in the end bins instead.
ChartBins chart_bins(std::span<const std::int64_t> sorted, std::span<const std::int64_t> also,
                     std::size_t bins);

// Where the fair sessions' final bankrolls fell, in bars, with a line where
// the run itself ended and a fainter one at the start.
class FinalsHistogram : public QChartView {
    Q_OBJECT

public:
    explicit FinalsHistogram(QWidget* parent = nullptr);

    // The finals of the sessions that never ran out, and beside them, as a
    // bar of its own left of the rest, the count of those that did; an
    // empty chart when both are empty.
    void set_finals(std::span<const std::int64_t> finals, std::int64_t run_final,
                    std::int64_t start, std::size_t ran_out = 0);

    const ChartBins& histogram() const { return histogram_; }
    QAreaSeries* bars() const { return bars_; }
    QAreaSeries* ruin_bar() const { return ruin_bar_; }
    QLineSeries* run_mark() const { return run_mark_; }
    // The final bankrolls' axis, its ticks at round values in short forms.
    QCategoryAxis* money_axis() const { return money_; }

private:
    // Ticks for the axis's length on the screen, again whenever it changes.
    void fit_money_axis();

    ChartBins histogram_;
    QAreaSeries* bars_;
    QAreaSeries* ruin_bar_;
    QLineSeries* run_mark_;
    QLineSeries* start_mark_;
    QCategoryAxis* money_;
    QValueAxis* sessions_;
    double money_low_ = 0;
    double money_high_ = 9;
    double fitted_width_ = 0;
};

}  // namespace quorvel
