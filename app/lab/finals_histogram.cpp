// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/finals_histogram.hpp"

#include <algorithm>
#include <cmath>

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include "app/widgets/chart_axis.hpp"
#include "app/widgets/chart_style.hpp"
#include "app/colours.hpp"
#include "lab/chance.hpp"

namespace quorvel {

namespace {

constexpr std::size_t kBins = 40;

}  // namespace

ChartBins chart_bins(std::span<const std::int64_t> sorted, std::span<const std::int64_t> also,
                     std::size_t bins) {
    ChartBins histogram;
    if (sorted.empty() || bins == 0) return histogram;
    auto low = static_cast<std::int64_t>(std::floor(percentile_of(sorted, 2.5)));
    auto high = static_cast<std::int64_t>(std::ceil(percentile_of(sorted, 97.5)));
    for (std::int64_t value : also) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    // The width is whole units, so a narrow spread of integers does not get
    // bins that hold no possible value.
    const double span = static_cast<double>(high) - static_cast<double>(low) + 1.0;
    const auto width =
        static_cast<std::int64_t>(std::max(1.0, std::ceil(span / static_cast<double>(bins))));
    histogram.low = low;
    histogram.width = width;
    const std::int64_t last = (high - low) / width;
    histogram.counts.assign(static_cast<std::size_t>(last + 1), 0);
    for (std::int64_t value : sorted) {
        const std::int64_t bin = value < low ? 0 : std::min(last, (value - low) / width);
        ++histogram.counts[static_cast<std::size_t>(bin)];
    }
    return histogram;
}

FinalsHistogram::FinalsHistogram(QWidget* parent)
    : QChartView(parent),
      bars_(new QAreaSeries(new QLineSeries, new QLineSeries)),
      ruin_bar_(new QAreaSeries(new QLineSeries, new QLineSeries)),
      run_mark_(new QLineSeries),
      start_mark_(new QLineSeries),
      money_(new QCategoryAxis),
      sessions_(new QValueAxis) {
    style_chart_view(*this, QStringLiteral("FinalsHistogram"), 220, 200);
    setToolTip(
        QStringLiteral("Where the fair sessions with the same settings ended; the end "
                       "bars also hold the few beyond them. The red bar on the left: the "
                       "sessions that ran out of money. The line: where this run ended."));

    auto* chart = new QChart;
    style_chart(*chart);
    bars_->setName(QStringLiteral("Fair sessions"));
    bars_->setBrush(chance_inner_fill());
    bars_->setPen(QPen(chance_median_colour(), 1));
    start_mark_->setName(QStringLiteral("Start"));
    start_mark_->setPen(QPen(colour_from_bgr(kSilver).darker(130), 1, Qt::DotLine));
    run_mark_->setName(QStringLiteral("This run"));
    run_mark_->setPen(QPen(colour_from_bgr(kBankrollColour), 2));
    ruin_bar_->setName(QStringLiteral("Ran out"));
    ruin_bar_->setBrush(QColor(0xa0, 0x3c, 0x32));
    ruin_bar_->setPen(QPen(QColor(0xe0, 0x70, 0x60), 1));
    chart->addSeries(bars_);
    chart->addSeries(ruin_bar_);
    chart->addSeries(start_mark_);
    chart->addSeries(run_mark_);
    style_axis(*money_, QStringLiteral("Final bankroll"));
    style_axis(*sessions_, QStringLiteral("Sessions"));
    chart->addAxis(money_, Qt::AlignBottom);
    chart->addAxis(sessions_, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(money_);
        series->attachAxis(sessions_);
    }
    // The axis names the bars; the legend keeps its room for the ruin and the run.
    for (QAbstractSeries* unnamed : {static_cast<QAbstractSeries*>(start_mark_),
                                     static_cast<QAbstractSeries*>(bars_)}) {
        for (QLegendMarker* marker : chart->legend()->markers(unnamed))
            marker->setVisible(false);
    }
    setChart(chart);
    // The bottom axis's labels change only the plot's height, so a new
    // fit cannot call for another.
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        if (plot.width() != fitted_width_) fit_money_axis();
    });
    set_finals({}, 0, 0);
}

void FinalsHistogram::set_finals(std::span<const std::int64_t> finals, std::int64_t run_final,
                                 std::int64_t start, std::size_t ran_out) {
    const std::int64_t marks[] = {run_final, start};
    histogram_ = chart_bins(finals, marks, kBins);
    if (histogram_.counts.empty() && ran_out > 0) histogram_ = {run_final, 1, {0}};
    QList<QPointF> tops;
    QList<QPointF> floor;
    std::int64_t most = 0;
    // Each bin a flat top from its left edge to its right one.
    for (std::size_t i = 0; i < histogram_.counts.size(); ++i) {
        const auto left =
            static_cast<double>(histogram_.low + static_cast<std::int64_t>(i) * histogram_.width);
        const auto right = left + static_cast<double>(histogram_.width);
        const auto count = static_cast<double>(histogram_.counts[i]);
        tops << QPointF(left, 0) << QPointF(left, count) << QPointF(right, count)
             << QPointF(right, 0);
        most = std::max(most, histogram_.counts[i]);
    }
    if (!tops.isEmpty()) floor << QPointF(tops.front().x(), 0) << QPointF(tops.back().x(), 0);
    bars_->upperSeries()->replace(tops);
    bars_->lowerSeries()->replace(floor);
    // The sessions that ran out stand apart, one bar's width left of the
    // rest with a gap: a ruin is not a final like the others.
    QList<QPointF> ruin;
    QList<QPointF> ruin_floor;
    if (ran_out > 0) {
        const auto width = static_cast<double>(histogram_.width);
        const double right = static_cast<double>(histogram_.low) - width / 2;
        const auto count = static_cast<double>(ran_out);
        ruin << QPointF(right - width, 0) << QPointF(right - width, count) << QPointF(right, count)
             << QPointF(right, 0);
        ruin_floor << QPointF(right - width, 0) << QPointF(right, 0);
        most = std::max<std::int64_t>(most, static_cast<std::int64_t>(ran_out));
    }
    ruin_bar_->upperSeries()->replace(ruin);
    ruin_bar_->lowerSeries()->replace(ruin_floor);

    const double top = std::max<double>(1.0, static_cast<double>(most)) * 1.08;
    const auto mark = [&](QLineSeries* series, std::int64_t at) {
        series->replace(finals.empty() && ran_out == 0 ? QList<QPointF>{}
                                       : QList<QPointF>{{static_cast<double>(at), 0.0},
                                                        {static_cast<double>(at), top}});
    };
    mark(run_mark_, run_final);
    mark(start_mark_, start);
    if (finals.empty() && ran_out == 0) {
        // Ticks on whole numbers while empty: 5 over 0-8.
        money_low_ = 0;
        money_high_ = 9;
        fit_money_axis();
        sessions_->setRange(0, 8);
        return;
    }
    const double low = ruin.isEmpty() ? static_cast<double>(histogram_.low) : ruin.front().x();
    const double high = tops.isEmpty() ? ruin.back().x() : tops.back().x();
    const double margin = 0.03 * (high - low);
    money_low_ = low - margin;
    money_high_ = high + margin;
    fit_money_axis();
    sessions_->setRange(0, top);
    sessions_->applyNiceNumbers();
}

void FinalsHistogram::fit_money_axis() {
    // Before the first layout the plot area is not known yet; the view's
    // width less the sessions' axis is near enough until it is.
    const QRectF plot = chart()->plotArea();
    const double pixels = plot.width() > 0 ? plot.width() : std::max(80, width() - 60);
    fitted_width_ = plot.width();
    fit_axis(*money_, money_low_, money_high_, pixels, QFontMetricsF(money_->labelsFont()));
}

}  // namespace quorvel
