// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/gauge.hpp"

#include <algorithm>
#include <cmath>

#include <QLinearGradient>
#include <QPainter>

namespace quorvel {

Gauge::Gauge(const QColor& bar, const QColor& background, QWidget* parent)
    : QWidget(parent), bar_(bar), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Gauge::set_maximum(int maximum) {
    maximum = std::max(1, maximum);
    if (maximum == maximum_) return;
    maximum_ = maximum;
    progress_ = std::min(progress_, maximum_);
    update();
}

// Only the part of the bar between the old and the new end is repainted: the
// analysis pause moves the bar a hundred times a second.
void Gauge::set_progress(int progress) {
    progress = std::clamp(progress, 0, maximum_);
    if (progress == progress_) return;
    const auto [from, to] = std::minmax({filled_width(progress_), filled_width(progress)});
    progress_ = progress;
    const int left = static_cast<int>(std::floor(from));
    update(left, 0, static_cast<int>(std::ceil(to)) - left + 1, height());
}

qreal Gauge::filled_width(int progress) const {
    return width() * static_cast<qreal>(progress) / maximum_;
}

void Gauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (progress_ == 0) return;
    const qreal filled = filled_width(progress_);
    // A light top edge gives the thin bar some depth.
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, bar_.lighter(135));
    shade.setColorAt(0.5, bar_);
    shade.setColorAt(1, bar_.darker(125));
    painter.fillRect(QRectF(0, 0, filled, height()), shade);
}

}  // namespace quorvel
