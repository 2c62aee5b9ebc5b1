// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/bet_state.hpp"

#include "game/game.hpp"
#include "game/table.hpp"
#include "money/bankroll.hpp"
#include "money/progression.hpp"
#include "money/saturating.hpp"
#include "money/settlement.hpp"
#include "money/table_rules.hpp"

namespace quorvel {

namespace {

// The softer systems have no double table; their twins have.
ProgressionSystem double_bet_twin(ProgressionSystem system) {
    switch (system) {
        case ProgressionSystem::DDonaldSofter:
            return ProgressionSystem::DDonald;
        case ProgressionSystem::BlindSofter:
            return ProgressionSystem::Blind;
        default:
            return system;
    }
}

}  // namespace

void set_bet_size(Game& game, std::int64_t bet) {
    game.Bet_Size = capped_bet(stake_within_limits(game, bet));
}

std::int64_t stake_on_table(const Game& game) {
    if (game.table.chips.empty() || game.table.safe_level_in_force()) return 0;
    return saturating_mul(game.Bet_Size, game.table.chips.size());
}

void charge_stake(Game& game, int sectors) {
    if (game.table.chips.empty() || game.table.safe_level_in_force()) return;
    const std::int64_t stake = saturating_mul(game.Bet_Size, sectors);
    game.Bankroll = saturating_sub(game.Bankroll, stake);
    game.books.on_table = saturating_add(game.books.on_table, stake);
}

void load_table_bet(Game& game) {
    load_table_bet(game, active_table(game.params.BettingSystem, game.params.BettingType));
}

void load_table_bet(Game& game, std::span<const std::int64_t> table) {
    if (table.empty()) return;
    const std::int64_t base = value_or_least(game.params.Init_Bet, kInit_BetRange);
    set_bet_size(game, saturating_mul(table_entry(table, game.Bet_Step), base));
}

void load_custom_bet(Game& game) {
    set_bet_size(game, game.Custom_Bet);
}

void RResetBets(Game& game) {
    game.Bet_Step = 0;
    if (!game.params.Init_Bet) return;
    const std::int64_t base = *game.params.Init_Bet;
    game.Custom_Bet = base;
    end_undo_offer(game);
    BlindAutomationSetAim(game);
    // Every table starts with 1, so after a reset the stake is the base bet
    // under every system.
    set_bet_size(game, base);
}

void BettingTypeChange(Game& game) {
    // Double bets offer only the systems with a double table.
    if (game.params.BettingType == BetType::Double) {
        game.params.BettingSystem = double_bet_twin(game.params.BettingSystem);
    }
    Return_Bet(game);
    game.profit_bet = {ProfitBetShown::Cleared, 0};
    RResetBets(game);
    // The spin before the change was played under the other type; also with
    // an empty base bet, where the reset stops early, it is not taken back.
    end_undo_offer(game);
    Disable_Bets(game);
}

void Init_BetChange(Game& game) {
    RResetBets(game);
    charge_bet_anew(game);
}

void manual_bet_reset(Game& game) {
    if (!game.params.ChBx_ManualBetReset) return;
    RResetBets(game);
    charge_bet_anew(game);
}

void charge_bet_anew(Game& game) {
    if (!game.params.Init_Bet) return;
    const std::int64_t stake = stake_on_table(game);
    if (stake == 0) return;
    game.Bankroll = saturating_sub(game.Bankroll_At_Prediction, stake);
    game.books.on_table = stake;
}

}  // namespace quorvel
