// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/finals_histogram.hpp"

#include <algorithm>
#include <cmath>

#include <QAreaSeries>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include "app/chart_style.hpp"
#include "app/colours.hpp"

namespace quorvel {

namespace {

constexpr std::size_t kBins = 40;

}  // namespace

Histogram histogram_of(std::span<const std::int64_t> values, std::int64_t also, std::size_t bins) {
    Histogram histogram;
    if (values.empty() || bins == 0) return histogram;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const std::int64_t low = std::min(*lowest, also);
    const std::int64_t high = std::max(*highest, also);
    // The width is whole units, so a narrow spread of integers does not get
    // bins that hold no possible value.
    const double span = static_cast<double>(high) - static_cast<double>(low) + 1.0;
    const auto width =
        static_cast<std::int64_t>(std::max(1.0, std::ceil(span / static_cast<double>(bins))));
    histogram.low = low;
    histogram.width = width;
    histogram.counts.assign(static_cast<std::size_t>((high - low) / width + 1), 0);
    for (std::int64_t value : values)
        ++histogram.counts[static_cast<std::size_t>((value - low) / width)];
    return histogram;
}

FinalsHistogram::FinalsHistogram(QWidget* parent)
    : QChartView(parent),
      bars_(new QAreaSeries(new QLineSeries, new QLineSeries)),
      run_mark_(new QLineSeries),
      start_mark_(new QLineSeries),
      money_(new QValueAxis),
      sessions_(new QValueAxis) {
    setObjectName(QStringLiteral("FinalsHistogram"));
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(colour_from_bgr(kPanel));
    setMinimumSize(220, 200);

    auto* chart = new QChart;
    style_chart(*chart);
    bars_->setName(QStringLiteral("Fair sessions' finals"));
    bars_->setBrush(chance_inner_fill());
    bars_->setPen(QPen(chance_median_colour(), 1));
    start_mark_->setName(QStringLiteral("Start"));
    start_mark_->setPen(QPen(colour_from_bgr(kSilver).darker(130), 1, Qt::DotLine));
    run_mark_->setName(QStringLiteral("This run"));
    run_mark_->setPen(QPen(colour_from_bgr(kBankrollColour), 2));
    chart->addSeries(bars_);
    chart->addSeries(start_mark_);
    chart->addSeries(run_mark_);
    style_axis(*money_, QStringLiteral("Final bankroll"));
    style_axis(*sessions_, QStringLiteral("Sessions"));
    money_->setTickCount(4);
    chart->addAxis(money_, Qt::AlignBottom);
    chart->addAxis(sessions_, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(money_);
        series->attachAxis(sessions_);
    }
    for (QLegendMarker* marker : chart->legend()->markers(start_mark_))
        marker->setVisible(false);
    setChart(chart);
    set_finals({}, 0, 0);
}

void FinalsHistogram::set_finals(std::span<const std::int64_t> finals, std::int64_t run_final,
                                 std::int64_t start) {
    histogram_ = histogram_of(finals, run_final, kBins);
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

    const double top = std::max<double>(1.0, static_cast<double>(most)) * 1.08;
    const auto mark = [&](QLineSeries* series, std::int64_t at) {
        series->replace(finals.empty() ? QList<QPointF>{}
                                       : QList<QPointF>{{static_cast<double>(at), 0.0},
                                                        {static_cast<double>(at), top}});
    };
    mark(run_mark_, run_final);
    mark(start_mark_, start);
    if (finals.empty()) {
        money_->setRange(0, 10);
        sessions_->setRange(0, 10);
        return;
    }
    const double low = static_cast<double>(std::min(histogram_.low, start));
    const double high = std::max(tops.back().x(), static_cast<double>(start) + 1);
    const double margin = 0.03 * (high - low);
    money_->setRange(low - margin, high + margin);
    money_->applyNiceNumbers();
    sessions_->setRange(0, top);
    sessions_->applyNiceNumbers();
}

}  // namespace quorvel
