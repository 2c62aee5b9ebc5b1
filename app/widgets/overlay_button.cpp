// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/overlay_button.hpp"

namespace quorvel {

OverlayButton::OverlayButton(QWidget* parent) : QPushButton(parent) {}

// The style rules of such a button draw only for the hovered and the pressed
// state; the style's own state of the button is built the same way.
void OverlayButton::paintEvent(QPaintEvent* event) {
    if (!isDown() && !underMouse()) return;
    QPushButton::paintEvent(event);
}

}  // namespace quorvel
