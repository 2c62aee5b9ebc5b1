// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/settlement.hpp"

#include "game/game.hpp"
#include "money/bankroll.hpp"
#include "money/bet_state.hpp"
#include "money/custom_rules.hpp"
#include "money/minimal_profit.hpp"
#include "money/progression.hpp"
#include "money/saturating.hpp"

namespace quorvel {

namespace {

// How a paid win moves the step in a table system.
int step_after_win(ProgressionSystem system, std::span<const std::int64_t> table, int step) {
    switch (system) {
        case ProgressionSystem::Classic:
            return 0;
        case ProgressionSystem::DDonald:
        case ProgressionSystem::DDonaldSofter:
            return step_back(table, step);
        case ProgressionSystem::Blind:
        case ProgressionSystem::BlindSofter:
            return step_forward(table, step);
        case ProgressionSystem::Custom:
            break;
    }
    return step;
}

// Moves the bet after a paid settlement: "CUSTOM" runs its rule, a table
// system takes the step `next` gives. A softer system has no double table:
// under double bets it moves nothing.
template <typename NextStep>
void move_bet(Game& game, void (*custom_rule)(Game&), NextStep next) {
    const ProgressionSystem system = game.params.BettingSystem;
    if (system == ProgressionSystem::Custom) {
        custom_rule(game);
        load_custom_bet(game);
        return;
    }
    const auto table = active_table(system, game.params.BettingType);
    if (table.empty()) return;
    game.Bet_Step = next(system, table, game.Bet_Step);
    load_table_bet(game, table);
}

}  // namespace

void WinLoose(Game& game) {
    game.Spin_Won = game.table.chips.intersects(winning_sectors(game.CurrentNum)) ? 1 : 0;
    if (!game.table.chips.empty()) {
        // Read before Win_Calc moves the progression and engages the safe level.
        SettlementRecord& record = game.last_settlement;
        record.settled = true;
        record.virtual_bet = game.table.safe_level_in_force();
        record.won = game.Spin_Won == 1;
        record.sectors = game.table.chips.size();
        record.stake = saturating_mul(record.sectors, game.Bet_Size);
        record.payout = record.won && !record.virtual_bet ? saturating_mul(3, game.Bet_Size) : 0;
    }
    // The stake charged for the bet is settled here, won or lost.
    game.books.result = saturating_sub(game.books.result, game.books.on_table);
    game.books.on_table = 0;
    if (game.Spin_Won == 1) {
        game.Loss_Streak = 0;
        Win_Calc(game);
    } else if (!game.table.chips.empty()) {
        game.Loss_Streak += 1;
        Lose_Calc(game);
    }
    // The safe level releases once enough losses have passed; level 0 releases
    // in the very settlement that engaged it.
    if (game.Loss_Streak >= game.params.Safe_Level) {
        game.table.SL_Field = false;
        game.Loss_Streak = 0;
    }
    Minimal_Bet_Calc(game);
}

void Win_Calc(Game& game) {
    if (game.table.safe_level_in_force()) return;  // a virtual bet: nothing paid, nothing moves

    const std::int64_t payout = saturating_mul(3, game.Bet_Size);
    game.Bankroll = saturating_add(game.Bankroll, payout);
    game.books.result = saturating_add(game.books.result, payout);
    game.Bankroll_At_Prediction = game.Bankroll;
    if (game.Bankroll > game.Max_Bank) {
        game.Max_Bank = game.Bankroll;
        if (game.params.ChBx_TestBankroll) start_max_profit_flash(game);
    }

    move_bet(game, &custom_win_rule, &step_after_win);

    game.table.SL_Field = true;
    Get_Minimal_Profit_Calc(game);
}

// Every table system steps forward on a paid loss, so that the tables that
// fall back on wins also climb on losses; "CUSTOM" runs its loss rule.
void Lose_Calc(Game& game) {
    if (game.table.safe_level_in_force()) return;

    move_bet(game, &custom_loss_rule,
             [](ProgressionSystem, std::span<const std::int64_t> table, int step) {
                 return step_forward(table, step);
             });

    // 1, 2, 1, 2, ... with each paid loss.
    game.Lose_Toggle += 1;
    if (game.Lose_Toggle > 2) game.Lose_Toggle = 1;
}

void Return_Bet(Game& game) {
    if (stake_on_table(game) == 0) return;
    hand_back_stake(game);
    game.saved.Bankroll = game.Bankroll;  // an undo keeps the refund
    game.saved.books = game.books;
}

// Every sector in play carries Bet_Size, and every change of Bet_Size with a
// bet on the table charges that bet anew, so the chips tell what was charged.
void hand_back_stake(Game& game) {
    const std::int64_t stake = stake_on_table(game);
    if (stake == 0) return;
    game.Bankroll = saturating_add(game.Bankroll, stake);
    game.books.on_table = saturating_sub(game.books.on_table, stake);
}

}  // namespace quorvel
