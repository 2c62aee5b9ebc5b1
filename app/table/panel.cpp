// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/panel.hpp"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

#include "app/widgets/svg_picture.hpp"

namespace quorvel {

Panel::Panel(QWidget* surface) : QObject(surface), surface_(surface) {}

void Panel::make_drag_surface(SvgPicture* picture) {
    connect(picture, &SvgPicture::pressed, this, &Panel::start_window_drag);
    connect(picture, &SvgPicture::pointerMoved, this, [this](const QPointF& position) {
        emit surfaceMoved();
        follow_window_drag(position);
    });
    connect(picture, &SvgPicture::released, this, [this] { drag_grip_.reset(); });
}

void Panel::watch_surface(SvgPicture* picture) {
    connect(picture, &SvgPicture::pointerMoved, this, &Panel::surfaceMoved);
}

// The window system moves the window where it can; elsewhere (no window
// manager, or one without the move request) the window follows the pointer
// until the button is released.
void Panel::start_window_drag(const QPointF& global_position) {
    QWidget* window = surface_->window();
    QWindow* handle = window->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) return;
    drag_grip_ = global_position - QPointF(window->pos());
}

void Panel::follow_window_drag(const QPointF& global_position) {
    if (drag_grip_) surface_->window()->move((global_position - *drag_grip_).toPoint());
}

bool Panel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
            // The undo, export and number buttons are surfaces as well.
            if (qobject_cast<QPushButton*>(watched) != nullptr) emit surfaceMoved();
            break;
        case QEvent::Wheel:
            // A list changes its choice by the wheel only once it has the focus,
            // so scrolling over the settings never changes a setting by accident.
            if (auto* list = qobject_cast<QComboBox*>(watched); list && !list->hasFocus()) {
                event->ignore();
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quorvel
