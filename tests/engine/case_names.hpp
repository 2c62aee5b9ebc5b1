// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Names for the cases of parameterised tests, so that the test list and a
// failure say which case ran ("EveryMode/SessionFigures.X/DeepScan") instead
// of printing the parameter's bytes. A name holds letters, digits and "_".
#pragma once

#include <cstddef>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/roulette.hpp"
#include "game/selectors.hpp"

namespace quorvel::testing {

// An item of a selector by the enum's own name of it; one name for each item,
// in the enum's order.
template <typename E, std::size_t N>
std::string item_case_name(E item, const char* const (&names)[N]) {
    static_assert(std::is_enum_v<E>);
    const auto index = static_cast<std::size_t>(item);
    return index < N ? names[index] : "Unknown";
}

inline std::string case_name(GameMode mode) {
    return item_case_name(mode, {"Smart2024", "DeepScan", "Adaptive", "Paradox", "Chains"});
}

inline std::string case_name(BetType type) {
    return item_case_name(type, {"Single", "Double"});
}

inline std::string case_name(SectorChoice choice) {
    return item_case_name(choice, {"DozensAndColumns", "OnlyDozens", "OnlyColumns"});
}

inline std::string case_name(ProgressionSystem system) {
    return item_case_name(
        system, {"Classic", "DDonald", "DDonaldSofter", "Blind", "BlindSofter", "Custom"});
}

// The sectors in table order, "D1C3"; "None" for the empty set.
inline std::string case_name(const SectorSet& sectors) {
    if (sectors.empty()) return "None";
    std::string name;
    for (Sector sector : kAllSectors) {
        if (sectors.contains(sector)) name += name_of(sector);
    }
    return name;
}

// The numbers in order, "7_22_31"; "None" for no number.
inline std::string case_name(const std::vector<int>& numbers) {
    if (numbers.empty()) return "None";
    std::string name;
    for (int number : numbers) {
        if (!name.empty()) name += '_';
        name += std::to_string(number);
    }
    return name;
}

template <typename... Parts>
std::string case_name(const std::tuple<Parts...>& parts) {
    return std::apply(
        [](const auto&... part) {
            std::string name;
            ((name += (name.empty() ? "" : "_") + case_name(part)), ...);
            return name;
        },
        parts);
}

// The name generator of an instantiation whose parameter has a case_name.
struct CaseName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return case_name(info.param);
    }
};

}  // namespace quorvel::testing
