// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/table/panel.hpp"

class QLabel;
class QTimer;

namespace quorvel {

struct Game;
class Gauge;
class Shape;

// The strip along the table's foot: the count of numbers in game (Shape15,
// Label_Numbers_In_Game), the button that folds the settings out and in
// (Button_Settings_0, _1, _2: rest, hover, open) and the gauge of the
// analysis pause (CGauge1), and at its right end the number being typed
// (Typed_Number).
class StatusPanel : public Panel {
    Q_OBJECT

public:
    explicit StatusPanel(QWidget* surface);

    void render(const Game& game);
    // Moves only the pause gauge, for a tick within the pause.
    void render_pause(const Game& game);
    void hide_hovers() override;

    // Nothing lies over the pause gauge; on top of the stack, a step of the
    // pause repaints it without looking through the controls built after it.
    void raise_pause_gauge();

    // The digits typed on the keyboard, shown until they are entered or
    // cleared; nothing shows while nothing is typed.
    void show_typed(const QString& typed);
    // What was typed is refused, and why ("no such number"): said in red
    // for a moment.
    void flash_refused(const QString& typed, const QString& why);

signals:
    void unfolded();
    void folded();

private:
    struct Widgets {
        Shape* Shape15 = nullptr;
        QLabel* Label_Numbers_In_Game = nullptr;
        SvgPicture* Button_Settings_0 = nullptr;
        SvgPicture* Button_Settings_1 = nullptr;
        SvgPicture* Button_Settings_2 = nullptr;
        Gauge* CGauge1 = nullptr;
        QLabel* Typed_Number = nullptr;
    };
    Widgets ui_;
    // Ends the refusal's flash; runs once, and only after a refusal.
    QTimer* flash_end_ = nullptr;
};

}  // namespace quorvel
