// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/consistency.hpp"

#include <cstdint>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "money/saturating.hpp"

namespace quorvel {

namespace {

std::string text(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace

std::string inconsistencies(const Game& game) {
    std::string out;
    const auto fault = [&out](const std::string& sentence) {
        if (!out.empty()) out += ' ';
        out += sentence;
    };
    const Books& books = game.books;
    const std::int64_t counted =
        saturating_sub(saturating_add(saturating_add(books.start, books.adjustments), books.result),
                       books.on_table);
    if (game.Bankroll != counted) {
        fault("Bankroll " + text(game.Bankroll) + " but the books give " + text(books.start) +
              " + " + text(books.adjustments) + " + " + text(books.result) + " - " +
              text(books.on_table) + ".");
    }
    if (game.table.safe_level_in_force()) {
        if (books.on_table != 0) {
            fault("The safe level is in force, yet the books hold " + text(books.on_table) +
                  " on the table.");
        }
    } else if (books.on_table != stake_on_table(game)) {
        fault("The books hold " + text(books.on_table) + " on the table, the chips " +
              text(stake_on_table(game)) + ".");
    }
    if (!game.table.chips.empty() &&
        saturating_add(game.Bankroll, books.on_table) != game.Bankroll_At_Prediction) {
        fault("A bet is on the table, but Bankroll " + text(game.Bankroll) + " + stake " +
              text(books.on_table) + " is not Bankroll_At_Prediction " +
              text(game.Bankroll_At_Prediction) + ".");
    }
    if (game.Bet_Size < 1 || game.Bet_Size > kMaxBet) {
        fault("Bet_Size " + text(game.Bet_Size) + " is out of range.");
    }
    return out;
}

}  // namespace quorvel
