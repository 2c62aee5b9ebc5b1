// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "app/panel.hpp"
#include "app/setting.hpp"
#include "game/parameters.hpp"

class QComboBox;
class QLabel;
class QPushButton;

namespace quorvel {

struct Game;
class Gauge;
class Shape;
class SpinEdit;

// The settings section below the table, with the focus sink FocusCatch out
// of view. Every control reports the player's choice as
// settingChanged and every button as its own signal; the panel shows the
// engine's state of the matrix, the rule rows and the enabled buttons.
class SettingsPanel : public Panel {
    Q_OBJECT

public:
    SettingsPanel(QWidget* surface, const Game& game);

    void render(const Game& game);

    // Hands the keyboard to the focus sink out of view, so no control in view
    // takes the next key press.
    void park_focus(Qt::FocusReason reason = Qt::OtherFocusReason);
    QWidget* focus_sink() const;

signals:
    void settingChanged(quorvel::Setting setting, std::optional<int> value);
    void createMatrixClicked();    // Adaptive_Matrix, "CREATE MATRIX"
    void resetMatrixClicked();     // Set_N_Count, "Reset Matrix"
    void manualBetResetClicked();  // RResetBets, "Manual Bet Reset"
    void setBankrollClicked();     // SetBankroll, "SET BANKROLL"
    void loadSettingsClicked();    // LoadSettings, "LOAD SETTINGS"
    void saveSettingsClicked();    // SaveSettings, "SAVE SETTINGS"
    void resetAppClicked();        // ResetApp, "RESET APP"

private:
    void create_first_rows(const Game& game);
    void create_bank_rows(const Parameters& params);
    void create_rule_rows(const Parameters& params);
    void fill_system_list(const Parameters& params);

    // A control that reports its changes as the given setting.
    QComboBox* add_list(Setting setting, const char* name, const QRect& geometry,
                        const QStringList& items, int row);
    SpinEdit* add_spin_edit(Setting setting, const char* name, const QRect& geometry,
                            SpinRange range, std::optional<int> value);
    QWidget* add_check_box(Setting setting, const char* name, const QString& text,
                           const QRect& geometry, bool checked, std::optional<int> font_colour);
    QPushButton* add_button(const char* name, const QString& text, const QRect& geometry,
                            bool enabled, void (SettingsPanel::*clicked)());

    struct Widgets {
        Shape* Shape5 = nullptr;
        SpinEdit* FocusCatch = nullptr;
        QComboBox* BettingSystem = nullptr;
        QLabel* Label4 = nullptr;
        SpinEdit* N_Count = nullptr;
        Gauge* CGauge2 = nullptr;
        QPushButton* Adaptive_Matrix = nullptr;
        Shape* Shape2 = nullptr;
        QPushButton* Set_N_Count = nullptr;
        QPushButton* RResetBets = nullptr;
        QComboBox* Wins_Action = nullptr;
        QComboBox* Losses_Action = nullptr;
        SpinEdit* Wins_ActionValue = nullptr;
        SpinEdit* Losses_ActionValue = nullptr;
        Shape* Blank_Piece = nullptr;
    };
    Widgets ui_;
    // The betting type the system list was filled for.
    BetType systems_of_ = BetType::Single;
};

}  // namespace quorvel
