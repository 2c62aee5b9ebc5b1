// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "money/saturating.hpp"
#include "money/settlement.hpp"

namespace quorvel::testing {

// Puts a bet on the table as a predictor does: the chips appear and the stake
// is charged unless the safe level is in force.
inline void place_bet(Game& game, SectorSet sectors) {
    game.table.chips = sectors;
    if (!game.table.safe_level_in_force()) {
        const std::int64_t sectors = game.params.BettingType == BetType::Single ? 1 : 2;
        const std::int64_t stake = saturating_mul(sectors, game.Bet_Size);
        game.Bankroll = saturating_sub(game.Bankroll, stake);
        game.books.on_table = saturating_add(game.books.on_table, stake);
    }
}

// Settles the bet on the table against a number, as the spin cycle does, and
// takes the chips off the table.
inline void settle(Game& game, int number) {
    game.CurrentNum = number;
    WinLoose(game);
    game.table.chips.clear();
}

// A number that no chip of this single-sector bet covers.
inline constexpr int kLosingForD1 = 13;
inline constexpr int kWinningForD1 = 5;

}  // namespace quorvel::testing
