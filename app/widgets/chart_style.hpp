// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QChart;
class QChartView;
class QValueAxis;

namespace quorvel {

// The lab's charts on the dark panel: silver texts, a darker plot area,
// quiet grid lines and numbers grouped in thousands as the figures are.
void style_chart(QChart& chart);
// A chart's view: its name for the tests, smooth lines, no frame, the panel
// behind, and the least size it is readable at.
void style_chart_view(QChartView& view, const QString& name, int min_width, int min_height);
void style_axis(QValueAxis& axis, const QString& title);

// What chance alone does is drawn in a cool blue-grey behind the run's own
// warm colours, lighter where more of the sessions lie.
QColor chance_outer_fill();
QColor chance_inner_fill();
QColor chance_median_colour();

}  // namespace quorvel
