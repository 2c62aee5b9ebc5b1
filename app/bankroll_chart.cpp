#include "app/bankroll_chart.hpp"

#include <algorithm>
#include <vector>

#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include "app/colours.hpp"
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

void style_axis(QValueAxis* axis, const QString& title) {
    const QColor text = colour_from_bgr(kSilver);
    axis->setTitleText(title);
    axis->setTitleBrush(text);
    axis->setLabelsBrush(text);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setLinePen(QPen(text.darker(160), 1));
    axis->setGridLinePen(QPen(QColor(0x44, 0x44, 0x48), 1));
    axis->setMinorGridLineVisible(false);
}

}  // namespace

BankrollChart::BankrollChart(QWidget* parent)
    : QChartView(parent),
      bankroll_(new QLineSeries),
      peak_(new QLineSeries),
      spins_(new QValueAxis),
      money_(new QValueAxis) {
    setObjectName(QStringLiteral("BankrollChart"));
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(colour_from_bgr(kPanel));
    setMinimumSize(320, 200);

    auto* chart = new QChart;
    chart->setBackgroundBrush(colour_from_bgr(kPanel));
    chart->setBackgroundRoundness(0);
    chart->setPlotAreaBackgroundBrush(colour_from_bgr(kGaugeBackground));
    chart->setPlotAreaBackgroundVisible(true);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setLabelColor(colour_from_bgr(kSilver));

    bankroll_->setName(QStringLiteral("Bankroll"));
    bankroll_->setPen(QPen(colour_from_bgr(kBankrollColour), 1.5));
    peak_->setName(QStringLiteral("Highest so far"));
    peak_->setPen(QPen(colour_from_bgr(kMaxProfitFlashColour), 1.2, Qt::DashLine));
    chart->addSeries(peak_);
    chart->addSeries(bankroll_);

    style_axis(spins_, QStringLiteral("Spins"));
    style_axis(money_, QStringLiteral("Units"));
    chart->addAxis(spins_, Qt::AlignBottom);
    chart->addAxis(money_, Qt::AlignLeft);
    for (QLineSeries* series : {bankroll_, peak_}) {
        series->attachAxis(spins_);
        series->attachAxis(money_);
    }
    setChart(chart);
    set_bankroll({});
}

void BankrollChart::set_bankroll(std::span<const std::int64_t> bankroll) {
    bankroll_->replace(chart_points(outline_of(bankroll, kMaxChartPoints)));
    peak_->replace(chart_points(running_peak_outline(bankroll, kMaxChartPoints)));

    const double last = bankroll.empty() ? 1.0 : static_cast<double>(bankroll.size() - 1);
    spins_->setRange(0.0, std::max(last, 10.0));
    spins_->applyNiceNumbers();
    if (bankroll.empty()) {
        money_->setRange(0.0, 10.0);
        money_->applyNiceNumbers();
        return;
    }
    const auto [low, high] = std::minmax_element(bankroll.begin(), bankroll.end());
    // A flat line sits in the middle of a band of a few units rather than on
    // an edge, and the ticks fall on whole units.
    const double margin = std::max(5.0, 0.05 * static_cast<double>(*high - *low));
    money_->setRange(static_cast<double>(*low) - margin, static_cast<double>(*high) + margin);
    money_->applyNiceNumbers();
}

}  // namespace quorvel
