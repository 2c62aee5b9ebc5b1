// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/table/panel.hpp"
#include "game/parameters.hpp"

class QComboBox;

namespace quorvel {

class SettingControls;
class Shape;
class SpinEdit;

// The two "AFTER:" rows of the settings, for the losses and for the wins:
// how many, counted how, and the action with its value. Their controls report
// through the settings' SettingControls; the panel shows each action's colours
// and whether it takes a value.
class RuleRowsPanel : public Panel {
    Q_OBJECT

public:
    RuleRowsPanel(QWidget* surface, SettingControls& controls);

    void render(const Parameters& params);

private:
    struct Widgets {
        QComboBox* Wins_Action = nullptr;
        QComboBox* Losses_Action = nullptr;
        SpinEdit* Wins_ActionValue = nullptr;
        SpinEdit* Losses_ActionValue = nullptr;
        Shape* Blank_Piece = nullptr;
    };
    Widgets ui_;
};

}  // namespace quorvel
