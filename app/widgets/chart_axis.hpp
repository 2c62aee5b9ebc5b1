// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QStringList>

class QCategoryAxis;
class QFontMetricsF;

namespace quorvel {

// Ticks at round values, whole units apart: the multiples of the step that
// lie in [low, high], with the step 1, 2, 2.5 or 5 times a power of ten and
// no more than `most` ticks.
struct AxisTicks {
    double step = 1;
    std::vector<double> values;
};
AxisTicks round_ticks(double low, double high, int most);

// The ticks' labels in the shortest form that still tells them apart. Below
// ten thousand they read in full with thousands grouped ("4,800"); above,
// in thousands, millions or billions with as few decimals as each needs
// ("−600k", "1.2M", "2.5k"). Compact, thousands too read in k ("4.8k").
// Below zero they take the minus sign.
QStringList short_labels(const std::vector<double>& ticks, bool compact = false);

// Sets the axis to [low, high] with labelled ticks at round values, as many
// as fit side by side in `pixels` (the axis's length on the screen) with
// room between them: a narrow chart of a wide range gets fewer ticks or the
// compact labels rather than labels cut short. Three ticks in full are
// preferred to more in the compact form, and either to two.
void fit_axis(QCategoryAxis& axis, double low, double high, double pixels,
              const QFontMetricsF& metrics);

}  // namespace quorvel
