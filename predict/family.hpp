#pragma once

#include <array>
#include <cstddef>

#include "game/roulette.hpp"

namespace quorvel {

// Every predictor bets within one family at a time, the three dozens or the
// three columns, and names the family's sectors by place: first, second and
// third, 0 to 2 (D1 D2 D3, or C1 C2 C3).
enum class Family { Dozens, Columns };

constexpr Sector sector_of(Family family, int place) {
    return sector_at((family == Family::Dozens ? index_of(Sector::D1) : index_of(Sector::C1)) +
                     place);
}

// The trend marks of one family by place. Marks of the other family never
// reach a predictor that plays this one.
struct FamilyMarks {
    std::array<bool, 3> marked{};

    constexpr bool contains(int place) const { return marked[static_cast<std::size_t>(place)]; }
    constexpr int count() const {
        return (marked[0] ? 1 : 0) + (marked[1] ? 1 : 0) + (marked[2] ? 1 : 0);
    }
    constexpr bool empty() const { return count() == 0; }
    // The lowest place whose mark has the given state; -1 when there is none.
    constexpr int first(bool state) const {
        for (int place = 0; place < 3; ++place) {
            if (contains(place) == state) return place;
        }
        return -1;
    }
};

constexpr FamilyMarks marks_of(SectorSet trend_marks, Family family) {
    FamilyMarks marks;
    for (int place = 0; place < 3; ++place) {
        marks.marked[static_cast<std::size_t>(place)] =
            trend_marks.contains(sector_of(family, place));
    }
    return marks;
}

}  // namespace quorvel
