// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace quorvel {

struct Game;
struct Parameters;
class Session;

// A control of the settings section, by the game's name of what it sets.
enum class Setting {
    GameModes,
    N_Count,
    Init_Bet,
    BettingType,
    BettingSectors,
    BettingSystem,
    Safe_Level,
    CSpinEdit1,
    ProfitUnits,
    Losses_HowMuch,
    Losses_Type,
    Losses_Action,
    Losses_ActionValue,
    Wins_HowMuch,
    Wins_Type,
    Wins_Action,
    Wins_ActionValue,
    CheckBox1,
    ChBx_Show_Numbers_In_Game,
    CheckBox_Blind,
    profit_aim_rule,
    ChBx_TestBankroll,
    ChBx_Get_Minimal_Profit,
    ChBx_ProfitBet,
    ChBx_ManualBetReset,
    FocusCatch,
};

// Stores the player's choice in game.params and runs the operation the rules
// tie to that control. The value is what the control holds: a list's row (for
// "Betting System" the row among the systems offered for the betting type), a
// check box's 0 or 1, a field's entry (empty while the player types), the
// chosen ProfitAimRule. A row that names no item changes nothing and returns
// false.
bool change_setting(Game& game, Setting setting, std::optional<int> value);

// The same through the session's one face, so that the journal records it.
// A setting the window would not take now (the locked N. Count, an unchanged
// value) changes nothing; false when nothing was taken for a row that names
// no item.
bool change_setting(Session& session, Setting setting, std::optional<int> value);

// What the control of a setting holds for these parameters, in the terms of
// change_setting: a list's row, a box's 0 or 1, a field's entry.
std::optional<int> setting_value(const Parameters& params, Setting setting);

}  // namespace quorvel
