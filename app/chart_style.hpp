// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QChart;
class QValueAxis;

namespace quorvel {

// The lab's charts on the dark panel: silver texts, a darker plot area,
// quiet grid lines and numbers grouped in thousands as the figures are.
void style_chart(QChart& chart);
void style_axis(QValueAxis& axis, const QString& title);

// What chance alone does is drawn in a cool blue-grey behind the run's own
// warm colours, lighter where more of the sessions lie.
QColor chance_outer_fill();
QColor chance_inner_fill();
QColor chance_median_colour();

}  // namespace quorvel
