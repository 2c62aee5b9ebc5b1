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

// Dozen 1 to 3, or 0 for the zero, which belongs to no sector.
int dozen_of(int number);
// Column 1 to 3 (the rows of the table picture), or 0 for the zero.
int column_of(int number);
NumberColour colour_of(int number);
// The background a history label takes for this number.
int display_colour_of(int number);

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
std::string_view name_of(Sector sector);
bool is_dozen(Sector sector);
// Whether a bet on the sector wins when this number comes up; never for zero.
bool sector_holds(Sector sector, int number);

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
    constexpr int size() const {
        int n = 0;
        for (Sector s : kAllSectors)
            n += contains(s) ? 1 : 0;
        return n;
    }
    constexpr bool operator==(const SectorSet&) const = default;

private:
    static constexpr std::uint8_t bit(Sector s) {
        return static_cast<std::uint8_t>(1u << (index_of(s) - 1));
    }
    std::uint8_t bits_ = 0;
};

}  // namespace quorvel
