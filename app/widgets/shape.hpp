// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace quorvel {

// A plain filled rectangle (the dark settings panel, the strip behind the
// count of numbers, the rule rows). Like a picture it reports pointer moves.
class Shape : public QWidget {
    Q_OBJECT

public:
    explicit Shape(const QColor& fill, QWidget* parent = nullptr);

    void set_fill(const QColor& fill);
    const QColor& fill() const { return fill_; }
    // A one-pixel outline and rounded corners; no outline while the colour is invalid.
    void set_outline(const QColor& outline, qreal corner_radius = 0);

signals:
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QColor fill_;
    QColor outline_;
    qreal corner_radius_ = 0;
};

}  // namespace quorvel
