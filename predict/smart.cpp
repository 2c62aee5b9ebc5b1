// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/smart.hpp"

#include <optional>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "predict/family.hpp"

namespace quorvel {

namespace {

// One sector of the family. Two marks leave a draw of 2 between them, in an
// order fixed per pair of marks: the even draw takes the later sector of the
// pair except for first and second, where it takes the first.
std::optional<Sector> choose_within(Game& game, Family family) {
    const FamilyMarks marks = marks_of(game.table.trend_marks, family);
    switch (marks.count()) {
        case 0:
            return sector_of(family, game.random.draw(3));
        case 1:
            return sector_of(family, marks.first(true));
        case 2: {
            const bool even = game.random.draw(2) == 0;
            switch (marks.first(false)) {
                case 2:  // first and second marked
                    return sector_of(family, even ? 0 : 1);
                case 1:  // first and third
                    return sector_of(family, even ? 2 : 0);
                default:  // second and third
                    return sector_of(family, even ? 2 : 1);
            }
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

void Prediction_DozCol(Game& game) {
    game.random.reseed();

    std::optional<Sector> chosen;
    switch (game.params.BettingSectors) {
        case SectorChoice::DozensAndColumns:
            if (game.table.trend_marks.empty()) {
                chosen = sector_at(index_of(Sector::D1) + game.random.draw(6));
            } else {
                const bool even = game.random.draw(2) == 0;
                chosen = choose_within(game, even ? Family::Dozens : Family::Columns);
            }
            break;
        case SectorChoice::OnlyDozens:
            chosen = choose_within(game, Family::Dozens);
            break;
        case SectorChoice::OnlyColumns:
            chosen = choose_within(game, Family::Columns);
            break;
    }

    if (chosen) {
        game.table.chips.insert(*chosen);
        game.Bet_Sector = index_of(*chosen);
    }
    charge_stake(game, 1);
}

}  // namespace quorvel
