// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

namespace quorvel {

// A see-through button over a picture (a number cell, the undo picture): its
// style shows an outline only while the pointer is on it or it is held down.
// At rest it draws nothing at all, so showing or hiding the 37 number buttons
// at the analysis pause costs no run through the style.
class OverlayButton : public QPushButton {
    Q_OBJECT

public:
    explicit OverlayButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quorvel
