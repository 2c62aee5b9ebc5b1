// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

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

// A bet on the table when a setting changes: the bet type in force after the
// change, the chips, whether the safe level made the bet virtual, and the
// money the test expects.
struct TableBetCase {
    const char* name;
    BetType type;
    SectorSet chips;
    bool safe_level;
    std::int64_t expected;
};

// A fresh game with the case's chips on the table and its type chosen.
inline Game game_with_table_bet(const TableBetCase& c) {
    Game game;
    game.params.BettingType = c.type;
    game.table.chips = c.chips;
    game.table.SL_Field = c.safe_level;
    return game;
}

}  // namespace quorvel::testing
