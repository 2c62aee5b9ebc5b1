// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointF>
#include <QString>
#include <QWidget>

class QSvgRenderer;

namespace quorvel {

// A picture of the window: an SVG resource rendered from its vectors at the
// widget's size in device pixels, so it stays sharp at any device pixel ratio.
// Pictures of the same file share one renderer and one rendering per size. A picture without a file
// draws nothing and serves as an invisible mouse surface over a part of another picture.
//
// Mouse tracking is on, so a picture reports every pointer move over it, with
// or without a button held.
class SvgPicture : public QWidget {
    Q_OBJECT

public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);

    // Makes the pictures (":/assets/...") available; done by the first picture,
    // needed beforehand only by a caller that reads a picture file itself.
    static void register_pictures();

    const QString& resource() const { return resource_; }
    bool has_picture() const;

signals:
    void pressed(const QPointF& global_position);  // left button down
    void released();                               // left button up, wherever it is
    void clicked();  // left button pressed and released over the picture
    void pointerMoved(const QPointF& global_position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString resource_;
    QSvgRenderer* renderer_ = nullptr;  // shared; owned by the renderer cache
    bool left_pressed_ = false;
};

}  // namespace quorvel
