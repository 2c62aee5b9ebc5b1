// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QObject>
#include <QPointF>

class QWidget;

namespace quorvel {

class SvgPicture;

// A visible part of the window (the header, the table, the money captions,
// the settings). A panel builds its widgets, keeps them, shows the engine
// state in them and reports what the player does as signals; it never changes
// the game itself.
//
// The parts lie in one another in depth: the table picture runs on under the
// status strip and the settings, and the header's drag area meets the table's.
// A box of its own around each part would take the clicks meant for the
// picture beneath its empty corners, so a panel puts its widgets straight on
// the window's surface, at the window's coordinates, in the stacking order the
// window builds them.
class Panel : public QObject {
    Q_OBJECT

public:
    explicit Panel(QWidget* surface);

    // Hides the panel's highlighted twins of its hover pictures.
    virtual void hide_hovers() {}

signals:
    // The pointer moved over a part of the window that turns every hover
    // picture back to rest.
    void surfaceMoved();

protected:
    QWidget* surface() const { return surface_; }

    // A press on the picture drags the window; a move over it is a surface move.
    void make_drag_surface(SvgPicture* picture);
    // A move over the picture is a surface move.
    void watch_surface(SvgPicture* picture);

    // Installed on the panel's push buttons and lists; see the definition.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start_window_drag(const QPointF& global_position);
    void follow_window_drag(const QPointF& global_position);

    QWidget* surface_;
    // Where the pointer grabbed the window, while a drag is followed by hand
    // (on systems that cannot move the window themselves).
    std::optional<QPointF> drag_grip_;
};

}  // namespace quorvel
