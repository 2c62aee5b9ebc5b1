// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/paradox.hpp"

#include <optional>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "predict/family.hpp"

namespace quorvel {

namespace {

// Indices 1 to 3 within the family, as the rules count them; places are 0 to 2.
struct Opening {
    int pick;  // R, drawn
    int bet;   // B: neither R nor K, the dozen of the number just entered
};

// Both families use the number's dozen as K. The pick comes from the first
// value after a fresh seed, so within one second it is the value that also
// gave Prediction_Paradox its coin.
std::optional<Opening> paradox_opening(Game& game, Family family) {
    const int number_index = dozen_of(game.CurrentNum);
    game.random.reseed();
    const int pick = game.random.draw(3) + 1;
    if (number_index == 0 || number_index == pick) return std::nullopt;
    const int bet = 6 - number_index - pick;
    game.Bet_Sector = index_of(sector_of(family, bet - 1));
    return Opening{pick, bet};
}

void bet_one(Game& game, Family family) {
    const std::optional<Opening> opening = paradox_opening(game, family);
    if (!opening) return;
    const FamilyMarks marks = marks_of(game.table.trend_marks, family);
    const int place = opening->bet - 1;
    if (marks.count() < 3 && (marks.empty() || marks.contains(place))) {
        game.table.chips.insert(sector_of(family, place));
    }
    charge_stake(game, 1);
}

void bet_two(Game& game, Family family) {
    const std::optional<Opening> opening = paradox_opening(game, family);
    if (!opening) return;
    const FamilyMarks marks = marks_of(game.table.trend_marks, family);
    int one = -1;
    int other = -1;
    switch (marks.count()) {
        case 0:
            one = opening->bet - 1;
            other = opening->pick - 1;
            break;
        case 1: {
            // The marked sector, and a partner by the next value of the same
            // seed; the number and the pick play no part in it.
            one = marks.first(true);
            game.Bet_Sector = index_of(sector_of(family, one));
            const int lower = one == 0 ? 1 : 0;
            const int higher = one == 2 ? 1 : 2;
            other = game.random.draw(2) == 0 ? lower : higher;
            break;
        }
        case 2:
            one = marks.first(true);
            other = 3 - one - marks.first(false);
            break;
        default:
            break;
    }
    if (one >= 0) {
        game.table.chips.insert(sector_of(family, one));
        game.table.chips.insert(sector_of(family, other));
    }
    charge_stake(game, 2);
}

}  // namespace

void Prediction_Paradox(Game& game) {
    game.random.reseed();
    const bool coin = game.random.draw(2) == 1;
    Family family = coin ? Family::Columns : Family::Dozens;
    if (game.params.BettingSectors == SectorChoice::OnlyDozens) family = Family::Dozens;
    if (game.params.BettingSectors == SectorChoice::OnlyColumns) family = Family::Columns;

    place_family_bet(game, family, game.params.BettingType == BetType::Single,
                     {&Paradox_Dozens, &Paradox_Columns, &Paradox_Dozens2, &Paradox_Columns2});
}

void Paradox_Dozens(Game& game) {
    bet_one(game, Family::Dozens);
}
void Paradox_Columns(Game& game) {
    bet_one(game, Family::Columns);
}
void Paradox_Dozens2(Game& game) {
    bet_two(game, Family::Dozens);
}
void Paradox_Columns2(Game& game) {
    bet_two(game, Family::Columns);
}

}  // namespace quorvel
