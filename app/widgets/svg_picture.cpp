// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/svg_picture.hpp"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSvgRenderer>

// The pictures are compiled into the window library; a static library's
// resources must be registered by name, from the global namespace.
static void register_assets() {
    Q_INIT_RESOURCE(assets);
}

namespace quorvel {

namespace {

// One renderer per file for the whole program: the 37 number cells and the six
// trend pictures of a kind each parse their file once. The renderers belong to
// the application object and go with it.
QSvgRenderer* shared_renderer(const QString& resource) {
    SvgPicture::register_pictures();
    static QHash<QString, QPointer<QSvgRenderer>> cache;
    QPointer<QSvgRenderer>& slot = cache[resource];
    if (slot.isNull()) {
        slot = new QSvgRenderer(resource, QCoreApplication::instance());
        if (!slot->isValid()) qWarning("Picture %s could not be read", qPrintable(resource));
    }
    return slot.data();
}

// A picture drawn once for each size in device pixels, from its vectors, so it
// is as sharp as the screen allows. Repaints (a hover outline over a cell, a
// chip that appears) then copy pixels instead of running the renderer again.
// The pixmaps must go while the application still exists, not with the
// program's static objects after it.
QHash<QString, QPixmap>& rendered_pictures() {
    static QHash<QString, QPixmap> cache;
    static const bool cleared_on_exit = [] {
        qAddPostRoutine([] { rendered_pictures().clear(); });
        return true;
    }();
    Q_UNUSED(cleared_on_exit);
    return cache;
}

QPixmap rendered(QSvgRenderer& renderer, const QString& resource, const QSize& size, qreal ratio) {
    QHash<QString, QPixmap>& cache = rendered_pictures();
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    const QString key =
        QStringLiteral("%1@%2x%3").arg(resource).arg(pixels.width()).arg(pixels.height());
    auto found = cache.constFind(key);
    if (found != cache.constEnd()) return *found;

    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(ratio);
    cache.insert(key, pixmap);
    return pixmap;
}

}  // namespace

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), resource_(resource) {
    if (!resource_.isEmpty()) renderer_ = shared_renderer(resource_);
    setMouseTracking(true);
}

void SvgPicture::register_pictures() {
    static const bool registered = [] {
        register_assets();
        return true;
    }();
    Q_UNUSED(registered);
}

bool SvgPicture::has_picture() const {
    return renderer_ != nullptr && renderer_->isValid();
}

void SvgPicture::paintEvent(QPaintEvent*) {
    if (!has_picture()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, rendered(*renderer_, resource_, size(), devicePixelRatioF()));
}

void SvgPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    left_pressed_ = true;
    emit pressed(event->globalPosition());
}

void SvgPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const bool was_pressed = left_pressed_;
    left_pressed_ = false;
    emit released();
    if (was_pressed && rect().contains(event->position().toPoint())) emit clicked();
}

void SvgPicture::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(event->globalPosition());
}

}  // namespace quorvel
