// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/setting.hpp"

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

namespace {

template <typename E, typename Method>
bool choose_through(Session& session, Method method, std::optional<int> row) {
    const std::optional<E> item = item_at<E>(row.value_or(-1));
    if (!item) return false;
    (session.*method)(*item);
    return true;
}

}  // namespace

bool change_setting(Session& session, Setting setting, std::optional<int> value) {
    Session& s = session;
    const bool checked = value.value_or(0) != 0;
    switch (setting) {
        case Setting::GameModes:
            return choose_through<GameMode>(s, &Session::set_mode, value);
        case Setting::N_Count:
            return s.set_n_count(value);
        case Setting::Init_Bet:
            return s.set_init_bet(value);
        case Setting::BettingType:
            return choose_through<BetType>(s, &Session::set_type, value);
        case Setting::BettingSectors:
            return choose_through<SectorChoice>(s, &Session::set_sectors, value);
        case Setting::BettingSystem: {
            const auto offered = systems_offered(s.params().BettingType);
            const int row = value.value_or(-1);
            if (row < 0 || static_cast<std::size_t>(row) >= offered.size()) return false;
            return s.set_system(offered[static_cast<std::size_t>(row)]);
        }
        case Setting::Safe_Level:
            return s.set_safe_level(value.value_or(-1));
        case Setting::CSpinEdit1:
            return s.set_test_bank(value);
        case Setting::ProfitUnits:
            return s.set_profit_units(value);
        case Setting::Losses_HowMuch:
            return s.set_losses_how_much(value);
        case Setting::Losses_Type:
            return choose_through<LossCount>(s, &Session::set_losses_type, value);
        case Setting::Losses_Action:
            return choose_through<LossAction>(s, &Session::set_losses_action, value);
        case Setting::Losses_ActionValue:
            return s.set_losses_value(value);
        case Setting::Wins_HowMuch:
            return s.set_wins_how_much(value);
        case Setting::Wins_Type:
            return choose_through<WinCount>(s, &Session::set_wins_type, value);
        case Setting::Wins_Action:
            return choose_through<WinAction>(s, &Session::set_wins_action, value);
        case Setting::Wins_ActionValue:
            return s.set_wins_value(value);
        case Setting::CheckBox1:
            return s.set_show_bet_size(checked);
        case Setting::ChBx_Show_Numbers_In_Game:
            return s.set_show_numbers(checked);
        case Setting::CheckBox_Blind:
            return s.set_auto_reset(checked);
        case Setting::profit_aim_rule: {
            const int rule = value.value_or(-1);
            if (rule < 0 || rule > static_cast<int>(ProfitAimRule::OnEqual)) return false;
            return s.set_aim(static_cast<ProfitAimRule>(rule));
        }
        case Setting::ChBx_TestBankroll:
            return s.set_test_bank_shown(checked);
        case Setting::ChBx_Get_Minimal_Profit:
            return s.set_minimal_profit(checked);
        case Setting::ChBx_ProfitBet:
            return s.set_profit_bet(checked);
        case Setting::ChBx_ManualBetReset:
            return s.set_manual_reset_allowed(checked);
        case Setting::FocusCatch:
            return s.set_focus_sink(value);
    }
    return false;
}

std::optional<int> setting_value(const Parameters& p, Setting setting) {
    switch (setting) {
        case Setting::GameModes:
            return row_of(p.GameModes);
        case Setting::N_Count:
            return p.N_Count;
        case Setting::Init_Bet:
            return p.Init_Bet;
        case Setting::BettingType:
            return row_of(p.BettingType);
        case Setting::BettingSectors:
            return row_of(p.BettingSectors);
        case Setting::BettingSystem: {
            const auto offered = systems_offered(p.BettingType);
            for (std::size_t row = 0; row < offered.size(); ++row) {
                if (offered[row] == p.BettingSystem) return static_cast<int>(row);
            }
            return std::nullopt;
        }
        case Setting::Safe_Level:
            return p.Safe_Level;
        case Setting::CSpinEdit1:
            return p.CSpinEdit1;
        case Setting::ProfitUnits:
            return p.ProfitUnits;
        case Setting::Losses_HowMuch:
            return p.Losses_HowMuch;
        case Setting::Losses_Type:
            return row_of(p.Losses_Type);
        case Setting::Losses_Action:
            return row_of(p.Losses_Action);
        case Setting::Losses_ActionValue:
            return p.Losses_ActionValue;
        case Setting::Wins_HowMuch:
            return p.Wins_HowMuch;
        case Setting::Wins_Type:
            return row_of(p.Wins_Type);
        case Setting::Wins_Action:
            return row_of(p.Wins_Action);
        case Setting::Wins_ActionValue:
            return p.Wins_ActionValue;
        case Setting::CheckBox1:
            return p.CheckBox1 ? 1 : 0;
        case Setting::ChBx_Show_Numbers_In_Game:
            return p.ChBx_Show_Numbers_In_Game ? 1 : 0;
        case Setting::CheckBox_Blind:
            return p.CheckBox_Blind ? 1 : 0;
        case Setting::profit_aim_rule:
            return static_cast<int>(p.profit_aim_rule);
        case Setting::ChBx_TestBankroll:
            return p.ChBx_TestBankroll ? 1 : 0;
        case Setting::ChBx_Get_Minimal_Profit:
            return p.ChBx_Get_Minimal_Profit ? 1 : 0;
        case Setting::ChBx_ProfitBet:
            return p.ChBx_ProfitBet ? 1 : 0;
        case Setting::ChBx_ManualBetReset:
            return p.ChBx_ManualBetReset ? 1 : 0;
        case Setting::FocusCatch:
            return p.FocusCatch;
    }
    return std::nullopt;
}

}  // namespace quorvel
