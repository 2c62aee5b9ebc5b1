// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lab/bankroll_chart.hpp"

#include <algorithm>
#include <vector>

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
#include "lab/series_outline.hpp"

namespace quorvel {

namespace {

// Enough points for a wide window at two points a pixel, few enough that a
// redraw after every spin costs nothing noticeable.
constexpr std::size_t kMaxChartPoints = 4000;

QList<QPointF> chart_points(const std::vector<SeriesPoint>& outline) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(outline.size()));
    for (const SeriesPoint& point : outline)
        points.append(QPointF(static_cast<double>(point.index), static_cast<double>(point.value)));
    return points;
}

QList<QPointF> band_points(const BankrollBands& bands, std::size_t band) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(bands.spins.size()));
    for (std::size_t j = 0; j < bands.spins.size(); ++j)
        points.append(QPointF(static_cast<double>(bands.spins[j]), bands.bands[band][j]));
    return points;
}

QAreaSeries* band_area(const QString& name, const QColor& fill) {
    auto* area = new QAreaSeries(new QLineSeries, new QLineSeries);
    area->setName(name);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    return area;
}

}  // namespace

MoneyRange fan_chart_range(std::span<const std::int64_t> bankroll, const BankrollBands* bands) {
    if (bankroll.empty()) return {0.0, 10.0};
    const auto [lowest, highest] = std::minmax_element(bankroll.begin(), bankroll.end());
    const auto run_low = static_cast<double>(*lowest);
    const auto run_high = static_cast<double>(*highest);
    double low = run_low;
    double high = run_high;
    if (bands != nullptr && !bands->spins.empty()) {
        // A flat run still lets a little of the band be seen.
        const double reach = std::max(10.0, run_high - run_low);
        const double band_low = *std::min_element(bands->bands[0].begin(), bands->bands[0].end());
        const double band_high = *std::max_element(bands->bands[4].begin(), bands->bands[4].end());
        low = std::max(std::min(low, band_low), run_low - reach);
        high = std::min(std::max(high, band_high), run_high + reach);
    }
    // A flat line sits in the middle of a band of a few units rather than on
    // an edge.
    const double margin = std::max(5.0, 0.05 * (high - low));
    return {low >= 0 ? std::max(0.0, low - margin) : low - margin, high + margin};
}

BankrollChart::BankrollChart(QWidget* parent)
    : QChartView(parent),
      bankroll_(new QLineSeries),
      peak_(new QLineSeries),
      outer_(band_area(QStringLiteral("Fair sessions"), chance_outer_fill())),
      inner_(band_area(QStringLiteral("Middle half"), chance_inner_fill())),
      median_(new QLineSeries),
      spins_(new QCategoryAxis),
      money_(new QValueAxis) {
    style_chart_view(*this, QStringLiteral("BankrollChart"), 320, 200);

    auto* chart = new QChart;
    style_chart(*chart);
    bankroll_->setName(QStringLiteral("Bankroll"));
    bankroll_->setPen(QPen(colour_from_bgr(kBankrollColour), 1.6));
    peak_->setName(QStringLiteral("Highest so far"));
    peak_->setPen(QPen(colour_from_bgr(kMaxProfitFlashColour), 1.1, Qt::DashLine));
    median_->setName(QStringLiteral("Chance median"));
    median_->setPen(QPen(chance_median_colour(), 1.2, Qt::DashLine));
    // Drawn in the order added: the fan at the back, the run in front.
    for (QAbstractSeries* series :
         std::initializer_list<QAbstractSeries*>{outer_, inner_, median_, peak_, bankroll_}) {
        chart->addSeries(series);
    }

    style_axis(*spins_, QStringLiteral("Spins"));
    style_axis(*money_, QStringLiteral("Units"));
    chart->addAxis(spins_, Qt::AlignBottom);
    chart->addAxis(money_, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(spins_);
        series->attachAxis(money_);
    }
    setChart(chart);
    // The bottom axis's labels change only the plot's height, so a new
    // fit cannot call for another.
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        if (plot.width() != fitted_width_) fit_spins_axis();
    });
    show_in_legend(inner_, false);
    show_in_legend(median_, false);
    set_bankroll({});
}

void BankrollChart::show_in_legend(QAbstractSeries* series, bool shown) {
    for (QLegendMarker* marker : chart()->legend()->markers(series))
        marker->setVisible(shown);
}

void BankrollChart::set_bankroll(std::span<const std::int64_t> bankroll,
                                 const BankrollBands* bands) {
    bankroll_->replace(chart_points(outline_of(bankroll, kMaxChartPoints)));
    peak_->replace(chart_points(running_peak_outline(bankroll, kMaxChartPoints)));
    const bool fan = bands != nullptr && !bands->spins.empty();
    outer_->upperSeries()->replace(fan ? band_points(*bands, 4) : QList<QPointF>{});
    outer_->lowerSeries()->replace(fan ? band_points(*bands, 0) : QList<QPointF>{});
    inner_->upperSeries()->replace(fan ? band_points(*bands, 3) : QList<QPointF>{});
    inner_->lowerSeries()->replace(fan ? band_points(*bands, 1) : QList<QPointF>{});
    median_->replace(fan ? band_points(*bands, 2) : QList<QPointF>{});
    // One entry stands for the fan, whose parts the tooltip names: five
    // entries do not fit a chart beside the histogram.
    if (chart()->legend()->markers(outer_).value(0)->isVisible() != fan) {
        show_in_legend(outer_, fan);
        // The legend lays its markers out again only when shown anew.
        chart()->legend()->hide();
        chart()->legend()->show();
    }
    setToolTip(fan ? QStringLiteral("The fair sessions with the same settings: their median "
                                    "(dashed), the middle half of them (the darker band) and "
                                    "nine in ten (the lighter band)")
                   : QString());

    // The fair sessions play every spin of the file, also those after a
    // run that ended early.
    last_spin_ = bankroll.empty() ? 1.0 : static_cast<double>(bankroll.size() - 1);
    if (fan) last_spin_ = std::max(last_spin_, static_cast<double>(bands->spins.back()));
    last_spin_ = std::max(last_spin_, 10.0);
    fit_spins_axis();
    const MoneyRange range = fan_chart_range(bankroll, fan ? bands : nullptr);
    money_->setRange(range.low, range.high);
    money_->applyNiceNumbers();
}

void BankrollChart::fit_spins_axis() {
    // Before the first layout the plot area is not known yet; the view's
    // width less the money axis is near enough until it is.
    const QRectF plot = chart()->plotArea();
    const double pixels = plot.width() > 0 ? plot.width() : std::max(80, width() - 70);
    fitted_width_ = plot.width();
    fit_axis(*spins_, 0.0, last_spin_, pixels, QFontMetricsF(spins_->labelsFont()));
}

}  // namespace quorvel
