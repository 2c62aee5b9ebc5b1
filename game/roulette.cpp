#include "game/roulette.hpp"

namespace quorvel {

int dozen_of(int number) {
    if (number < 1 || number > 36) return 0;
    return (number - 1) / 12 + 1;
}

int column_of(int number) {
    if (number < 1 || number > 36) return 0;
    return (number - 1) % 3 + 1;
}

NumberColour colour_of(int number) {
    static constexpr std::array<int, 18> kRed{1,  3,  5,  7,  9,  12, 14, 16, 18,
                                              19, 21, 23, 25, 27, 30, 32, 34, 36};
    if (number < 1 || number > 36) return NumberColour::Green;
    for (int red : kRed) {
        if (red == number) return NumberColour::Red;
    }
    return NumberColour::Black;
}

int display_colour_of(int number) {
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

std::string_view name_of(Sector sector) {
    static constexpr std::array<std::string_view, 6> kNames{"D1", "D2", "D3", "C1", "C2", "C3"};
    return kNames[static_cast<std::size_t>(index_of(sector) - 1)];
}

bool is_dozen(Sector sector) {
    return index_of(sector) <= 3;
}

bool sector_holds(Sector sector, int number) {
    if (is_dozen(sector)) return dozen_of(number) == index_of(sector);
    return column_of(number) == index_of(sector) - 3;
}

}  // namespace quorvel
