#include "app/gauge.hpp"

#include <algorithm>

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
    set_progress(progress_);
    update();
}

void Gauge::set_progress(int progress) {
    progress = std::clamp(progress, 0, maximum_);
    if (progress == progress_) return;
    progress_ = progress;
    update();
}

void Gauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (progress_ == 0) return;
    const qreal filled = width() * static_cast<qreal>(progress_) / maximum_;
    // A light top edge gives the thin bar some depth.
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, bar_.lighter(135));
    shade.setColorAt(0.5, bar_);
    shade.setColorAt(1, bar_.darker(125));
    painter.fillRect(QRectF(0, 0, filled, height()), shade);
}

}  // namespace quorvel
