// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/chart_style.hpp"

#include <algorithm>

#include <QChart>
#include <QChartView>
#include <QFont>
#include <QLegend>
#include <QLocale>
#include <QPen>
#include <QValueAxis>

#include "app/colours.hpp"

namespace quorvel {

namespace {

// 0x00BBGGRR, as every colour of the window.
constexpr int kChanceBlue = 0xC09070;

}  // namespace

void style_chart_view(QChartView& view, const QString& name, int min_width, int min_height) {
    view.setObjectName(name);
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    view.setBackgroundBrush(colour_from_bgr(kPanel));
    view.setMinimumSize(min_width, min_height);
}

void style_chart(QChart& chart) {
    chart.setBackgroundBrush(colour_from_bgr(kPanel));
    chart.setBackgroundRoundness(0);
    chart.setPlotAreaBackgroundBrush(colour_from_bgr(kGaugeBackground));
    chart.setPlotAreaBackgroundVisible(true);
    chart.setMargins(QMargins(2, 2, 6, 2));
    chart.legend()->setAlignment(Qt::AlignTop);
    chart.legend()->setLabelColor(colour_from_bgr(kSilver));
    // The axes read 5,000 as the figures do.
    chart.setLocalizeNumbers(true);
    chart.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
}

void style_axis(QValueAxis& axis, const QString& title) {
    const QColor text = colour_from_bgr(kSilver);
    QFont font = axis.labelsFont();
    font.setPointSizeF(std::max(7.5, font.pointSizeF() - 1));
    axis.setLabelsFont(font);
    axis.setTitleFont(font);
    axis.setTitleText(title);
    axis.setTitleBrush(text);
    axis.setLabelsBrush(text);
    axis.setLabelFormat(QStringLiteral("%.0f"));
    axis.setLinePen(QPen(text.darker(160), 1));
    axis.setGridLinePen(QPen(QColor(0x3a, 0x3a, 0x3e), 1));
    axis.setMinorGridLineVisible(false);
}

QColor chance_outer_fill() {
    QColor colour = colour_from_bgr(kChanceBlue);
    colour.setAlpha(60);
    return colour;
}

QColor chance_inner_fill() {
    QColor colour = colour_from_bgr(kChanceBlue);
    colour.setAlpha(110);
    return colour;
}

QColor chance_median_colour() {
    return colour_from_bgr(kChanceBlue).lighter(135);
}

}  // namespace quorvel
