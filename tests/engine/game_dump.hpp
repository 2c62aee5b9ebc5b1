// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every field of a Game as "name = value" lines, so that two games can be
// compared field for field and a difference named. The generator is compared
// by the values it would draw next.

#include <sstream>
#include <string>
#include <vector>

#include "game/game.hpp"

namespace quorvel::play_test {

inline std::string dump(const Game& original) {
    Game g = original;  // the generator is drawn from below
    std::ostringstream out;
    const auto line = [&out](const char* name, const auto& value) {
        out << name << " = " << value << '\n';
    };
    const auto opt = [](const std::optional<int>& v) {
        return v ? std::to_string(*v) : std::string("(empty)");
    };
#define Q_FIELD(expr) line(#expr, expr)
#define Q_OPT(expr) line(#expr, opt(expr))
#define Q_ENUM(expr) line(#expr, static_cast<int>(expr))
    const Parameters& p = g.params;
    Q_ENUM(p.GameModes);
    Q_ENUM(p.BettingType);
    Q_ENUM(p.BettingSectors);
    Q_ENUM(p.BettingSystem);
    Q_OPT(p.N_Count);
    Q_OPT(p.Init_Bet);
    Q_OPT(p.CSpinEdit1);
    Q_FIELD(p.Safe_Level);
    Q_OPT(p.ProfitUnits);
    Q_ENUM(p.Losses_Type);
    Q_OPT(p.Losses_HowMuch);
    Q_ENUM(p.Losses_Action);
    Q_OPT(p.Losses_ActionValue);
    Q_ENUM(p.Wins_Type);
    Q_OPT(p.Wins_HowMuch);
    Q_ENUM(p.Wins_Action);
    Q_OPT(p.Wins_ActionValue);
    Q_FIELD(p.CheckBox1);
    Q_FIELD(p.ChBx_Show_Numbers_In_Game);
    Q_FIELD(p.CheckBox_Blind);
    Q_ENUM(p.profit_aim_rule);
    Q_FIELD(p.ChBx_TestBankroll);
    Q_FIELD(p.ChBx_Get_Minimal_Profit);
    Q_FIELD(p.ChBx_ProfitBet);
    Q_FIELD(p.ChBx_ManualBetReset);
    Q_OPT(p.FocusCatch);

    Q_FIELD(g.CurrentNum);
    std::string numbers;
    for (std::uint8_t n : g.NumbersList)
        numbers += std::to_string(n) + ' ';
    line("NumbersList", numbers);
    std::string chains;
    for (std::size_t i = 0; i < g.NumbersListForChains.size(); ++i)
        chains += std::to_string(g.NumbersListForChains[i]) + ' ';
    line("NumbersListForChains", chains);
    line("NumbersListForChains.dozens", g.NumbersListForChains.dozens(32));
    line("NumbersListForChains.columns", g.NumbersListForChains.columns(32));
    for (const auto* list : {&g.ChainsList, &g.ChainsListColumns}) {
        std::string text =
            "size " + std::to_string(list->size()) + " kept " + std::to_string(list->kept()) + ":";
        for (std::size_t i = list->size() - list->kept(); i < list->size(); ++i)
            text += ' ' + std::to_string((*list)[i]);
        line(list == &g.ChainsList ? "ChainsList" : "ChainsListColumns", text);
    }
    Q_FIELD(g.row.HisNum1_tag);
    for (int k = 1; k <= 12; ++k) {
        out << "HisNum" << k << " = " << g.row.HisNum(k).number << '/' << g.row.HisNum(k).colour
            << '\n';
    }
    std::string cells;
    for (std::size_t n = 0; n < kNumberCount; ++n)
        cells +=
            std::string(g.table.Number[n] ? "1" : "0") + (g.table.SpeedButton[n] ? "1 " : "0 ");
    line("table cells", cells);
    for (Sector s : kAllSectors) {
        out << "chip/trend " << name_of(s) << " = " << g.table.chips.contains(s)
            << g.table.trend_marks.contains(s) << '\n';
    }
    Q_FIELD(g.table.SL_Field);
    Q_FIELD(g.table.undo_offered);
    Q_FIELD(g.table.Background_Blur);
    Q_FIELD(g.pause.Timer_Analyse);
    Q_FIELD(g.pause.CGauge1);
    Q_FIELD(g.display.Caption_Bankroll);
    Q_FIELD(g.display.Caption_MaxProfit);

    const Snapshot& s = g.saved;
    for (Sector sector : kAllSectors)
        out << "saved chip " << name_of(sector) << " = " << s.chips_saved.contains(sector) << '\n';
    Q_FIELD(s.Bet_Size_Saved);
    Q_FIELD(s.Bet_Step_Saved);
    Q_FIELD(s.Custom_Bet_Saved);
    Q_FIELD(s.Bankroll_Saved);
    Q_FIELD(s.Bankroll_At_Prediction_Saved);
    Q_FIELD(s.Profit_Aim_Saved);
    Q_FIELD(s.Max_Bank_Saved);
    Q_FIELD(s.Chains_Toggle_Dozens_Saved);
    Q_FIELD(s.Chains_Toggle_Columns_Saved);
    Q_FIELD(s.Lose_Toggle_Saved);
    Q_FIELD(s.Custom_Wins_Saved);
    Q_FIELD(s.Custom_Wins_In_Row_Saved);
    Q_FIELD(s.Custom_Losses_Saved);
    Q_FIELD(s.Custom_Losses_In_Row_Saved);
    Q_FIELD(s.Spin_Won_Saved);
    Q_FIELD(s.Loss_Streak_Saved);
    Q_FIELD(s.Label28_Saved);
    Q_ENUM(s.profit_bet_saved.shown);
    Q_FIELD(s.profit_bet_saved.bet);
    Q_FIELD(s.SL_Field_Saved);
    Q_FIELD(s.books_saved.start);
    Q_FIELD(s.books_saved.on_table);
    Q_FIELD(s.books_saved.result);
    Q_FIELD(s.books_saved.adjustments);
    Q_FIELD(g.books.start);
    Q_FIELD(g.books.on_table);
    Q_FIELD(g.books.result);
    Q_FIELD(g.books.adjustments);
    Q_FIELD(g.deep_scan.DeepScan_Sum);
    Q_FIELD(g.deep_scan.DeepScan_Family);
    Q_FIELD(g.deep_scan.DeepScan_Pair);

    const AdaptiveMatrix& m = g.matrix;
    for (int k = 1; k <= 3; ++k) {
        std::size_t hash = m.AdaptiveList(k).size();
        for (int code : m.AdaptiveList(k))
            hash = hash * 1000003u + static_cast<std::size_t>(code);
        out << "AdaptiveList" << k << " = " << m.AdaptiveList(k).size() << " codes, hash " << hash
            << '\n';
    }
    Q_FIELD(m.Adaptive1);
    Q_FIELD(m.Adaptive2);
    Q_FIELD(m.Adaptive3);
    Q_FIELD(m.Matrix_Position);
    Q_FIELD(m.Matrix_List);
    Q_FIELD(m.Adaptive_Matrix);
    Q_FIELD(m.Set_N_Count);
    Q_FIELD(m.N_Count);
    Q_FIELD(m.Label4);
    Q_FIELD(m.Shape2);
    Q_FIELD(m.CGauge2.maximum);
    Q_FIELD(m.CGauge2.progress);
    out << "next draws =";
    for (int i = 0; i < 4; ++i)
        out << ' ' << g.random.next();
    out << '\n';
    Q_FIELD(g.max_profit_flash.Timer_MaxProfit);
    Q_FIELD(g.max_profit_flash.tag);
    Q_FIELD(g.max_profit_flash.opaque);

    Q_FIELD(g.Bet_Size);
    Q_FIELD(g.Bet_Step);
    Q_FIELD(g.Custom_Bet);
    Q_FIELD(g.Bet_Sector);
    Q_FIELD(g.Bankroll);
    Q_FIELD(g.Bankroll_At_Prediction);
    Q_FIELD(g.Profit_Aim);
    Q_FIELD(g.Max_Bank);
    Q_FIELD(g.Undo_Counter);
    Q_FIELD(g.Matrix_Ready);
    Q_FIELD(g.Chains_Toggle_Dozens);
    Q_FIELD(g.Chains_Toggle_Columns);
    Q_FIELD(g.Lose_Toggle);
    Q_FIELD(g.Custom_Wins);
    Q_FIELD(g.Custom_Wins_In_Row);
    Q_FIELD(g.Custom_Losses);
    Q_FIELD(g.Custom_Losses_In_Row);
    Q_FIELD(g.Spin_Won);
    Q_FIELD(g.Loss_Streak);
    Q_FIELD(g.Label28);
    Q_ENUM(g.profit_bet.shown);
    Q_FIELD(g.profit_bet.bet);
    const SettlementRecord& r = g.last_settlement;
    Q_FIELD(r.settled);
    Q_FIELD(r.virtual_bet);
    Q_FIELD(r.won);
    Q_FIELD(r.sectors);
    Q_FIELD(r.stake);
    Q_FIELD(r.payout);
#undef Q_FIELD
#undef Q_OPT
#undef Q_ENUM
    return out.str();
}

// The lines of `a` and `b` that differ, or empty when the games are equal.
inline std::string differences(const Game& a, const Game& b) {
    std::istringstream left(dump(a));
    std::istringstream right(dump(b));
    std::string l, r, out;
    while (std::getline(left, l) && std::getline(right, r)) {
        if (l != r) out += "\n  " + r + "  but was  " + l;
    }
    return out;
}

}  // namespace quorvel::play_test
