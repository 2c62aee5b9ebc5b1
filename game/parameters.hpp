// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "game/selectors.hpp"

namespace quorvel {

// The range of a spin edit; the window sets its boxes from these.
struct SpinRange {
    int minimum;
    int maximum;
};

inline constexpr SpinRange kN_CountRange{10, 1000};
inline constexpr SpinRange kInit_BetRange{1, 1000000};
inline constexpr SpinRange kCSpinEdit1Range{1, 1000000};
inline constexpr SpinRange kProfitUnitsRange{1, 100000};
inline constexpr SpinRange kRuleValueRange{1,
                                           1000000};  // the counts and values of the custom rules
inline constexpr SpinRange kFocusCatchRange{1, 1000};
// The table's limits on a stake per sector, and the stop rules' amounts.
inline constexpr SpinRange kTableLimitRange{1, 1000000};
inline constexpr SpinRange kStopAmountRange{0, 100000000};
inline constexpr SpinRange kMaxSpinsRange{1, 100000000};

// A spin edit read where no rule stops on an empty edit: empty reads as its
// least value.
constexpr int value_or_least(const std::optional<int>& value, SpinRange range) {
    return value.value_or(range.minimum);
}

// The player's settings, one member per control of the settings section, at the
// values the window starts with. A spin edit is empty (nullopt) while the player
// is typing in it; money operations stop early on an empty edit.
struct Parameters {
    GameMode GameModes = GameMode::DeepScan;
    BetType BettingType = BetType::Single;
    SectorChoice BettingSectors = SectorChoice::DozensAndColumns;
    ProgressionSystem BettingSystem = ProgressionSystem::Blind;

    std::optional<int> N_Count = 10;
    std::optional<int> Init_Bet = 1;
    std::optional<int> CSpinEdit1 = 5000;
    int Safe_Level = 0;
    std::optional<int> ProfitUnits = 50;

    LossCount Losses_Type = LossCount::Losses;
    std::optional<int> Losses_HowMuch = 1;
    LossAction Losses_Action = LossAction::Add;
    std::optional<int> Losses_ActionValue = 1;

    WinCount Wins_Type = WinCount::Wins;
    std::optional<int> Wins_HowMuch = 1;
    WinAction Wins_Action = WinAction::DoNothing;
    std::optional<int> Wins_ActionValue = 1;

    bool CheckBox1 = true;  // "Show Bet Size"
    bool ChBx_Show_Numbers_In_Game = false;
    bool CheckBox_Blind = true;  // "Bet Auto-Reset:"
    ProfitAimRule profit_aim_rule = ProfitAimRule::OnAnyProfit;
    bool ChBx_TestBankroll = true;
    bool ChBx_Get_Minimal_Profit = true;
    bool ChBx_ProfitBet = false;
    bool ChBx_ManualBetReset = true;

    // The table's rules: its limits on the stake per sector (none where
    // empty), what a stake above the maximum does, the stop rules (off where
    // empty) and what happens when the bankroll cannot pay the next bet. The
    // window starts as a table without limits that lends to the player.
    std::optional<int> table_min;
    std::optional<int> table_max;
    AtMaxRule at_max = AtMaxRule::Cap;
    std::optional<int> stop_loss;
    std::optional<int> take_profit;
    std::optional<int> max_spins;
    AtRuinRule at_ruin = AtRuinRule::PlayOn;

    // The invisible spin edit that takes the keyboard focus after a list choice.
    std::optional<int> FocusCatch = 1;

    bool operator==(const Parameters&) const = default;
};

}  // namespace quorvel
