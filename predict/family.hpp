// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/roulette.hpp"

namespace quorvel {

struct Game;

// Every predictor bets within one family at a time, the three dozens or the
// three columns, and names the family's sectors by place: first, second and
// third, 0 to 2 (D1 D2 D3, or C1 C2 C3).
// The family is often drawn or summed at random, so the sectors and marks
// of a family are found by arithmetic on its number rather than by a branch.
enum class Family { Dozens = 0, Columns = 1 };

constexpr Family family_from(int bit) {
    return static_cast<Family>(bit & 1);
}

constexpr Sector sector_of(Family family, int place) {
    static_assert(index_of(Sector::C1) == index_of(Sector::D1) + 3);
    return sector_at(index_of(Sector::D1) + 3 * static_cast<int>(family) + place);
}

// The trend marks of one family by place. Marks of the other family never
// reach a predictor that plays this one.
struct FamilyMarks {
    unsigned marked = 0;  // bit p: the sector in place p is marked

    constexpr bool contains(int place) const { return ((marked >> place) & 1u) != 0; }
    constexpr int count() const {
        return static_cast<int>((marked & 1u) + ((marked >> 1) & 1u) + ((marked >> 2) & 1u));
    }
    constexpr bool empty() const { return marked == 0; }
    // The lowest place whose mark has the given state; -1 when there is none.
    constexpr int first(bool state) const {
        for (int place = 0; place < 3; ++place) {
            if (contains(place) == state) return place;
        }
        return -1;
    }
};

// The dozens are bits 0 to 2 of a set, the columns bits 3 to 5.
constexpr FamilyMarks marks_of(SectorSet trend_marks, Family family) {
    const unsigned shift = 3 * static_cast<unsigned>(family);
    return FamilyMarks{(static_cast<unsigned>(trend_marks.bits()) >> shift) & 7u};
}

// A predictor's four bets: on a dozen or a column, single or double.
struct FamilyBets {
    void (*dozens)(Game&);
    void (*columns)(Game&);
    void (*dozens_double)(Game&);
    void (*columns_double)(Game&);
};

// Places the predictor's bet of the family and the bet type in force.
inline void place_family_bet(Game& game, Family family, bool single, const FamilyBets& bets) {
    if (family == Family::Dozens) {
        (single ? bets.dozens : bets.dozens_double)(game);
    } else {
        (single ? bets.columns : bets.columns_double)(game);
    }
}

}  // namespace quorvel
