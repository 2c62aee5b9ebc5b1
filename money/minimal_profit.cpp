// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/minimal_profit.hpp"

#include <algorithm>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "money/progression.hpp"
#include "money/saturating.hpp"

namespace quorvel {

namespace {

// A single bet of b nets 2b on a win; a double bet of b per sector nets b.
std::int64_t win_gain_per_unit(const Game& game) {
    return game.params.BettingType == BetType::Single ? 2 : 1;
}

// The first entry of the table that reaches the target at the base bet. The
// tables never fall, so the entries that fall short all come first.
int first_step_reaching(std::span<const std::int64_t> table, std::int64_t target,
                        std::int64_t base) {
    const auto reaching = std::partition_point(table.begin(), table.end(), [&](std::int64_t e) {
        return saturating_mul(e, base) < target;
    });
    if (reaching == table.end()) return static_cast<int>(table.size()) - 1;
    return static_cast<int>(reaching - table.begin());
}

}  // namespace

// The counted search (k = 1, 2, ... until the bankroll reaches the aim) in
// closed form: k = ceil(need / (gain x unit)), at least 1.
std::int64_t smallest_winning_multiple(std::int64_t bankroll, std::int64_t aim, std::int64_t unit,
                                       std::int64_t gain) {
    // An aim already reached needs one multiple, as does one within reach of
    // it: a need of at most 1 gives k = 1 in the formula below.
    const std::int64_t need = std::max(saturating_sub(aim, bankroll), std::int64_t{1});
    const std::int64_t per_multiple = saturating_mul(gain, unit);
    const std::int64_t k = (need - 1) / per_multiple + 1;
    return saturating_mul(k, unit);
}

void Get_Minimal_Profit_Calc(Game& game) {
    const std::int64_t unit = value_or_least(game.params.Init_Bet, kInit_BetRange);
    game.Label28 =
        smallest_winning_multiple(game.Bankroll, game.Profit_Aim, unit, win_gain_per_unit(game));
}

void Get_Minimal_Profit(Game& game) {
    // Only after a win, and only to lower the bet.
    const std::int64_t target = game.Label28;
    if (game.Spin_Won != 1 || !game.params.ChBx_Get_Minimal_Profit || target >= game.Bet_Size) {
        return;
    }

    std::int64_t bet = target;
    const ProgressionSystem system = game.params.BettingSystem;
    if (system != ProgressionSystem::Custom) {
        // "Classic" keeps its bet; the softer systems have no double table.
        if (system == ProgressionSystem::Classic) return;
        const auto table = active_table(system, game.params.BettingType);
        if (table.empty()) return;
        const std::int64_t base = value_or_least(game.params.Init_Bet, kInit_BetRange);
        game.Bet_Step = first_step_reaching(table, target, base);
        bet = saturating_mul(table_entry(table, game.Bet_Step), base);
    }

    // The stake already charged for the new prediction is charged anew.
    const std::int64_t charged = stake_on_table(game);
    set_bet_size(game, bet);
    game.Custom_Bet = game.Bet_Size;
    const std::int64_t stake = stake_on_table(game);
    game.Bankroll = saturating_sub(saturating_add(game.Bankroll, charged), stake);
    game.books.on_table = saturating_sub(saturating_add(game.books.on_table, stake), charged);
}

void Minimal_Bet_Calc(Game& game) {
    const std::int64_t aim = saturating_add(game.Max_Bank, 1);
    const std::int64_t bet =
        smallest_winning_multiple(game.Bankroll, aim, 1, win_gain_per_unit(game));
    game.profit_bet = {ProfitBetShown::Bet, bet};
}

}  // namespace quorvel
