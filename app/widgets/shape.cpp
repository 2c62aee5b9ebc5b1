// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/shape.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace quorvel {

Shape::Shape(const QColor& fill, QWidget* parent) : QWidget(parent), fill_(fill) {
    setMouseTracking(true);
}

void Shape::set_fill(const QColor& fill) {
    if (fill == fill_) return;
    fill_ = fill;
    update();
}

void Shape::set_outline(const QColor& outline, qreal corner_radius) {
    outline_ = outline;
    corner_radius_ = corner_radius;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (corner_radius_ > 0) painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(fill_);
    if (outline_.isValid()) {
        painter.setPen(QPen(outline_, 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), corner_radius_,
                                corner_radius_);
    } else {
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(rect()), corner_radius_, corner_radius_);
    }
}

void Shape::mouseMoveEvent(QMouseEvent*) {
    emit pointerMoved();
}

}  // namespace quorvel
