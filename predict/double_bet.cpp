// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/double_bet.hpp"

#include <optional>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "predict/family.hpp"
#include "predict/matrix.hpp"

namespace quorvel {

namespace {

struct Pair {
    int one;
    int other;
};

// The pairs of a family without marks, by draw: first and second, second
// and third, first and third.
constexpr Pair kUnmarkedPairs[3] = {{0, 1}, {1, 2}, {0, 2}};

// The partner of each matrix code by even and odd draw. The third dozen and
// the third column take theirs in different orders.
constexpr int kMatrixPartners[6][2] = {
    {1, 2}, {0, 2}, {1, 0},  // D1 D2 D3
    {4, 5}, {3, 5}, {3, 4},  // C1 C2 C3
};

// Which pair a family without marks falls back to: "Dozens & Columns" draws
// 2 (first and third never come up), a single family draws 3.
enum class Unmarked { DrawTwo, DrawThree };

std::optional<Pair> choose_pair(Game& game, Family family, Unmarked unmarked) {
    const FamilyMarks marks = marks_of(game.table.trend_marks, family);
    switch (marks.count()) {
        case 0:
            return kUnmarkedPairs[game.random.draw(unmarked == Unmarked::DrawTwo ? 2 : 3)];
        case 1: {
            const int marked = marks.first(true);
            const int lower = marked == 0 ? 1 : 0;
            const int higher = marked == 2 ? 1 : 2;
            return Pair{marked, game.random.draw(2) == 0 ? lower : higher};
        }
        case 2: {
            const int unmarked_place = marks.first(false);
            return Pair{unmarked_place == 0 ? 1 : 0, unmarked_place == 2 ? 1 : 2};
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

void Prediction_Double(Game& game) {
    game.random.reseed();

    Family family = Family::Dozens;
    std::optional<Pair> pair;
    switch (game.params.BettingSectors) {
        case SectorChoice::DozensAndColumns:
            if (game.table.trend_marks.empty()) {
                const int drawn = game.random.draw(6);
                family = drawn < 3 ? Family::Dozens : Family::Columns;
                pair = kUnmarkedPairs[drawn % 3];
            } else {
                family = game.random.draw(2) == 0 ? Family::Dozens : Family::Columns;
                pair = choose_pair(game, family, Unmarked::DrawTwo);
            }
            break;
        case SectorChoice::OnlyDozens:
            pair = choose_pair(game, Family::Dozens, Unmarked::DrawThree);
            break;
        case SectorChoice::OnlyColumns:
            family = Family::Columns;
            pair = choose_pair(game, Family::Columns, Unmarked::DrawThree);
            break;
    }

    if (pair) {
        game.table.chips.insert(sector_of(family, pair->one));
        game.table.chips.insert(sector_of(family, pair->other));
    }
    charge_stake(game, 2);
}

void Prediction_Matrix_Double(Game& game) {
    const int code = matrix_code(game);
    game.table.chips.insert(sector_at(code + 1));
    game.random.reseed();
    const int partner = kMatrixPartners[code][game.random.draw(2)];
    game.table.chips.insert(sector_at(partner + 1));
    game.matrix.Matrix_Position += 1;
    charge_stake(game, 2);
}

}  // namespace quorvel
