// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Names for the cases of parameterised tests, so that the test list and a
// failure say which case ran ("EveryMode/SessionFigures.X/DeepScan") instead
// of printing the parameter's bytes. A name holds letters, digits and "_".
#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/roulette.hpp"
#include "game/selectors.hpp"

namespace quorvel::testing {

inline std::string case_name(GameMode mode) {
    switch (mode) {
        case GameMode::Smart2024:
            return "Smart2024";
        case GameMode::DeepScan:
            return "DeepScan";
        case GameMode::Adaptive:
            return "Adaptive";
        case GameMode::Paradox:
            return "Paradox";
        case GameMode::Chains:
            return "Chains";
    }
    return "UnknownMode";
}

inline std::string case_name(BetType type) {
    return type == BetType::Single ? "Single" : "Double";
}

inline std::string case_name(SectorChoice choice) {
    switch (choice) {
        case SectorChoice::DozensAndColumns:
            return "DozensAndColumns";
        case SectorChoice::OnlyDozens:
            return "OnlyDozens";
        case SectorChoice::OnlyColumns:
            return "OnlyColumns";
    }
    return "UnknownChoice";
}

inline std::string case_name(ProgressionSystem system) {
    switch (system) {
        case ProgressionSystem::Classic:
            return "Classic";
        case ProgressionSystem::DDonald:
            return "DDonald";
        case ProgressionSystem::DDonaldSofter:
            return "DDonaldSofter";
        case ProgressionSystem::Blind:
            return "Blind";
        case ProgressionSystem::BlindSofter:
            return "BlindSofter";
        case ProgressionSystem::Custom:
            return "Custom";
    }
    return "UnknownSystem";
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
