// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <vector>

#include <optional>

#include "app/table/panel.hpp"
#include "play/setting_table.hpp"
#include "game/parameters.hpp"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace quorvel {

struct Game;
class Gauge;
class RuleRowsPanel;
class SettingControls;
class Shape;
class SpinEdit;

// The settings section below the table, with the focus sink FocusCatch out
// of view: it holds the keyboard for the number entry, and no key changes it.
// Every control reports the player's choice as settingChanged and every
// button as its own signal; the panel shows the engine's state of the
// matrix, the rule rows and the enabled buttons.
class SettingsPanel : public Panel {
    Q_OBJECT

public:
    SettingsPanel(QWidget* surface, const Game& game);

    void render(const Game& game);
    // Every control shows the parameters again, without reporting a change:
    // after the whole session was replaced (resumed, opened, a new one) or
    // the stored settings were loaded.
    void show_settings(const Parameters& params);

    // Hands the keyboard to the focus sink out of view, so no control in view
    // takes the next key press.
    void park_focus(Qt::FocusReason reason = Qt::OtherFocusReason);
    QWidget* focus_sink() const;

signals:
    void settingChanged(quorvel::SettingId id, quorvel::SettingValue value);
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
    void create_bottom_rows();
    void fill_system_list(const Parameters& params);

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
    };
    Widgets ui_;
    SettingControls* controls_ = nullptr;
    RuleRowsPanel* rule_rows_ = nullptr;
    // The three aim buttons by their rule.
    std::vector<std::pair<ProfitAimRule, QRadioButton*>> aim_buttons_;
    QPushButton* SetBankroll_ = nullptr;
    // The betting type the system list was filled for.
    BetType systems_of_ = BetType::Single;
};

}  // namespace quorvel
