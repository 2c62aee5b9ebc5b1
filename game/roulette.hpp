// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvel {

// A spin result is 0 to 36 on a single-zero wheel.
inline constexpr int kNumberCount = 37;

// Display colours in the 0x00BBGGRR form the window works with.
inline constexpr int kRedNumberColour = 128;
inline constexpr int kBlackNumberColour = 1644825;
inline constexpr int kZeroColour = 32768;

enum class NumberColour { Green, Red, Black };

// The six betting sectors, indexed 1 to 6 in this order wherever the game
// numbers them (the bets record, the safe-level overlays, Bet_Sector).
enum class Sector { D1 = 1, D2, D3, C1, C2, C3 };

inline constexpr std::array<Sector, 6> kAllSectors{Sector::D1, Sector::D2, Sector::D3,
                                                   Sector::C1, Sector::C2, Sector::C3};

constexpr int index_of(Sector sector) {
    return static_cast<int>(sector);
}
constexpr Sector sector_at(int index) {
    return static_cast<Sector>(index);
}

namespace detail {

// The dozen and the column of every number, looked up rather than computed:
// the chains take ten of them a spin.
struct Place {
    std::int8_t dozen;
    std::int8_t column;
};
inline constexpr auto kPlaces = [] {
    std::array<Place, kNumberCount> places{};
    for (int n = 1; n < kNumberCount; ++n) {
        places[static_cast<std::size_t>(n)] = {static_cast<std::int8_t>((n - 1) / 12 + 1),
                                               static_cast<std::int8_t>((n - 1) % 3 + 1)};
    }
    return places;
}();

constexpr Place place_of(int number) {
    if (static_cast<unsigned>(number) >= static_cast<unsigned>(kNumberCount)) return {0, 0};
    return kPlaces[static_cast<std::size_t>(number)];
}

// Bit n is set when number n of the wheel is red.
inline constexpr std::uint64_t kRedNumbers =
    (1ull << 1) | (1ull << 3) | (1ull << 5) | (1ull << 7) | (1ull << 9) | (1ull << 12) |
    (1ull << 14) | (1ull << 16) | (1ull << 18) | (1ull << 19) | (1ull << 21) | (1ull << 23) |
    (1ull << 25) | (1ull << 27) | (1ull << 30) | (1ull << 32) | (1ull << 34) | (1ull << 36);

}  // namespace detail

// Dozen 1 to 3, or 0 for the zero, which belongs to no sector.
constexpr int dozen_of(int number) {
    return detail::place_of(number).dozen;
}
// Column 1 to 3 (the rows of the table picture), or 0 for the zero.
constexpr int column_of(int number) {
    return detail::place_of(number).column;
}

constexpr NumberColour colour_of(int number) {
    if (number < 1 || number > 36) return NumberColour::Green;
    return (detail::kRedNumbers >> number) & 1u ? NumberColour::Red : NumberColour::Black;
}

namespace detail {

constexpr int display_colour_by_rule(int number) {
    switch (colour_of(number)) {
        case NumberColour::Red:
            return kRedNumberColour;
        case NumberColour::Black:
            return kBlackNumberColour;
        case NumberColour::Green:
            break;
    }
    return kZeroColour;
}

inline constexpr auto kDisplayColours = [] {
    std::array<int, kNumberCount> colours{};
    for (int n = 0; n < kNumberCount; ++n)
        colours[static_cast<std::size_t>(n)] = display_colour_by_rule(n);
    return colours;
}();

}  // namespace detail

// The background a history label takes for this number; looked up, since the
// history row takes one every spin.
constexpr int display_colour_of(int number) {
    if (static_cast<unsigned>(number) >= static_cast<unsigned>(kNumberCount)) return kZeroColour;
    return detail::kDisplayColours[static_cast<std::size_t>(number)];
}

std::string_view name_of(Sector sector);
constexpr bool is_dozen(Sector sector) {
    return index_of(sector) <= 3;
}
// Whether a bet on the sector wins when this number comes up; never for zero.
constexpr bool sector_holds(Sector sector, int number) {
    if (is_dozen(sector)) return dozen_of(number) == index_of(sector);
    return column_of(number) == index_of(sector) - 3;
}

// A set of sectors: the chips on the table, the trend marks, a predictor's pick.
class SectorSet {
public:
    constexpr SectorSet() = default;
    constexpr SectorSet(std::initializer_list<Sector> sectors) {
        for (Sector s : sectors)
            insert(s);
    }

    constexpr void insert(Sector s) { bits_ |= bit(s); }
    constexpr void erase(Sector s) { bits_ &= static_cast<std::uint8_t>(~bit(s)); }
    constexpr void clear() { bits_ = 0; }
    constexpr bool contains(Sector s) const { return (bits_ & bit(s)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    // Counted in pairs of bits, then in fours, with no branch on the chips.
    constexpr int size() const {
        const unsigned pairs = bits_ - ((bits_ >> 1) & 0x55u);
        const unsigned fours = (pairs & 0x33u) + ((pairs >> 2) & 0x33u);
        return static_cast<int>((fours + (fours >> 4)) & 0x0fu);
    }
    constexpr bool intersects(SectorSet other) const { return (bits_ & other.bits_) != 0; }
    // Bit 0 is D1, bit 5 is C3.
    constexpr std::uint8_t bits() const { return bits_; }
    constexpr bool operator==(const SectorSet&) const = default;

private:
    static constexpr std::uint8_t bit(Sector s) {
        return static_cast<std::uint8_t>(1u << (index_of(s) - 1));
    }
    std::uint8_t bits_ = 0;
};

namespace detail {

inline constexpr auto kWinningSectors = [] {
    std::array<SectorSet, kNumberCount> sets{};
    for (int n = 1; n < kNumberCount; ++n)
        sets[static_cast<std::size_t>(n)] = {sector_at(dozen_of(n)), sector_at(column_of(n) + 3)};
    return sets;
}();

}  // namespace detail

// The sectors a number wins: its dozen and its column; none for the zero.
// Looked up, since every settlement asks and the zero would cost a branch.
constexpr SectorSet winning_sectors(int number) {
    if (static_cast<unsigned>(number) >= static_cast<unsigned>(kNumberCount)) return {};
    return detail::kWinningSectors[static_cast<std::size_t>(number)];
}

}  // namespace quorvel
