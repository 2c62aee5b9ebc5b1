// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/chart_axis.hpp"

#include <algorithm>
#include <cmath>

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QLocale>

namespace quorvel {

namespace {

const QChar kMinus(0x2212);

// Counted as the lab's figures are, with commas, whatever the system's locale.
QString grouped_number(double value, int decimals) {
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(std::abs(value), 'f', decimals);
}

// The fewest decimals, up to three, that write the value exactly.
int decimals_needed(double value) {
    for (int decimals = 0; decimals < 3; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        if (std::abs(std::round(value * scale) - value * scale) < 1e-6) return decimals;
    }
    return 3;
}

}  // namespace

AxisTicks round_ticks(double low, double high, int most) {
    if (!(high > low)) high = low + 1;
    most = std::max(most, 1);
    AxisTicks ticks;
    // A step is whole units: 2.5 only from 25 up.
    const double raw = std::max(1.0, (high - low) / most);
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (;; magnitude *= 10) {
        for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
            const double step = multiple * magnitude;
            if (step < raw || step != std::floor(step)) continue;
            const double first = std::ceil(low / step);
            const double last = std::floor(high / step);
            if (last - first + 1 > most) continue;
            ticks.step = step;
            for (double k = first; k <= last; ++k)
                ticks.values.push_back(k * step);
            return ticks;
        }
    }
}

QStringList short_labels(const std::vector<double>& ticks, bool compact) {
    double biggest = 0;
    for (double tick : ticks)
        biggest = std::max(biggest, std::abs(tick));
    double unit = 1;
    QString suffix;
    if (biggest >= 1e9) {
        unit = 1e9;
        suffix = QStringLiteral("B");
    } else if (biggest >= 1e6) {
        unit = 1e6;
        suffix = QStringLiteral("M");
    } else if (biggest >= (compact ? 1e3 : 1e4)) {
        unit = 1e3;
        suffix = QStringLiteral("k");
    }
    QStringList labels;
    for (double tick : ticks) {
        if (tick == 0) {
            labels << QStringLiteral("0");
            continue;
        }
        const double value = tick / unit;
        const QString text = grouped_number(value, decimals_needed(value)) + suffix;
        labels << (tick < 0 ? kMinus + text : text);
    }
    return labels;
}

void fit_axis(QCategoryAxis& axis, double low, double high, double pixels,
              const QFontMetricsF& metrics) {
    if (!(high > low)) high = low + 1;
    for (const QString& label : axis.categoriesLabels())
        axis.remove(label);
    // Two labels stand at least an em apart. The chart also cuts every
    // label of a category axis to an equal share of the axis's length, one
    // more share than there are labels, less a padding on both sides.
    const double gap = metrics.height();
    constexpr double kPadding = 2 * 5 + 2;
    const auto fits = [&](const AxisTicks& ticks, const QStringList& labels) {
        double widest = 0;
        for (const QString& label : labels)
            widest = std::max(widest, metrics.horizontalAdvance(label));
        const double share = pixels / static_cast<double>(labels.size() + 1) - kPadding;
        return ticks.step * pixels / (high - low) >= widest + gap && share >= widest;
    };
    AxisTicks ticks;
    QStringList labels;
    const auto tried = [&](int most, bool compact) {
        ticks = round_ticks(low, high, most);
        labels = short_labels(ticks.values, compact);
        return fits(ticks, labels);
    };
    bool fitted = false;
    for (bool compact : {false, true}) {
        for (int most = 6; most >= 3 && !fitted; --most)
            fitted = tried(most, compact);
    }
    if (!fitted) fitted = tried(2, false) || tried(2, true);
    axis.setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis.setStartValue(low);
    axis.setRange(low, high);
    for (std::size_t i = 0; i < ticks.values.size(); ++i)
        axis.append(labels[static_cast<qsizetype>(i)], ticks.values[i]);
}

}  // namespace quorvel
