// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setting.hpp"

#include "play/session.hpp"

namespace quorvel {

namespace {

template <typename E>
bool choose(E& parameter, std::optional<int> row) {
    const std::optional<E> item = item_at<E>(row.value_or(-1));
    if (item) parameter = *item;
    return item.has_value();
}

}  // namespace

bool change_setting(Game& game, Setting setting, std::optional<int> value) {
    Parameters& params = game.params;
    const bool checked = value.value_or(0) != 0;
    switch (setting) {
        case Setting::GameModes:
            return choose(params.GameModes, value);
        case Setting::N_Count:
            params.N_Count = value;
            return true;
        case Setting::Init_Bet:
            params.Init_Bet = value;
            Init_BetChange(game);
            return true;
        case Setting::BettingType:
            if (!choose(params.BettingType, value)) return false;
            BettingTypeChange(game);
            return true;
        case Setting::BettingSectors:
            return choose(params.BettingSectors, value);
        case Setting::BettingSystem: {
            const auto offered = systems_offered(params.BettingType);
            const int row = value.value_or(-1);
            if (row < 0 || static_cast<std::size_t>(row) >= offered.size()) return false;
            params.BettingSystem = offered[static_cast<std::size_t>(row)];
            return true;
        }
        case Setting::Safe_Level:
            if (value.value_or(-1) < 0) return false;
            params.Safe_Level = *value;
            Safe_LevelChange(game);
            return true;
        case Setting::CSpinEdit1:
            params.CSpinEdit1 = value;
            CSpinEdit1Change(game);
            return true;
        case Setting::ProfitUnits:
            params.ProfitUnits = value;
            ProfitUnitsChange(game);
            return true;
        case Setting::Losses_HowMuch:
            params.Losses_HowMuch = value;
            return true;
        case Setting::Losses_Type:
            return choose(params.Losses_Type, value);
        case Setting::Losses_Action:
            return choose(params.Losses_Action, value);
        case Setting::Losses_ActionValue:
            params.Losses_ActionValue = value;
            return true;
        case Setting::Wins_HowMuch:
            params.Wins_HowMuch = value;
            return true;
        case Setting::Wins_Type:
            return choose(params.Wins_Type, value);
        case Setting::Wins_Action:
            return choose(params.Wins_Action, value);
        case Setting::Wins_ActionValue:
            params.Wins_ActionValue = value;
            return true;
        case Setting::CheckBox1:
            params.CheckBox1 = checked;
            return true;
        case Setting::ChBx_Show_Numbers_In_Game:
            params.ChBx_Show_Numbers_In_Game = checked;
            return true;
        case Setting::CheckBox_Blind:
            params.CheckBox_Blind = checked;
            return true;
        case Setting::profit_aim_rule:
            params.profit_aim_rule = static_cast<ProfitAimRule>(value.value_or(0));
            return true;
        case Setting::ChBx_TestBankroll:
            params.ChBx_TestBankroll = checked;
            return true;
        case Setting::ChBx_Get_Minimal_Profit:
            params.ChBx_Get_Minimal_Profit = checked;
            return true;
        case Setting::ChBx_ProfitBet:
            params.ChBx_ProfitBet = checked;
            return true;
        case Setting::ChBx_ManualBetReset:
            params.ChBx_ManualBetReset = checked;
            return true;
        case Setting::FocusCatch:
            // The focus sink shares the base bet's handler: an arrow key pressed
            // after a list choice resets the bet as a change of the base bet does.
            params.FocusCatch = value;
            Init_BetChange(game);
            return true;
    }
    return false;
}

}  // namespace quorvel
