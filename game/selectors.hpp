// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// Every drop-down list of the window is an enum here, and its exact item texts
// exist only in the Selector table below. The window fills its lists from these
// tables and maps the chosen row back by index, so rules compare enum values
// while the texts stay character for character what the player sees.

enum class GameMode { Smart2024, DeepScan, Adaptive, Paradox, Chains };
enum class BetType { Single, Double };
enum class SectorChoice { DozensAndColumns, OnlyDozens, OnlyColumns };
enum class ProgressionSystem { Classic, DDonald, DDonaldSofter, Blind, BlindSofter, Custom };
enum class LossCount { Losses, LossesInARow };
enum class LossAction { Add, Subtract, Multiply, Divide, Set, CheckWins, DoNothing };
enum class WinCount { Wins, WinsInARow };
enum class WinAction { Add, Subtract, Multiply, Divide, Set, DoNothing };
// Which of the three profit-aim round buttons is selected; exactly one is.
enum class ProfitAimRule { OnAnyProfit, OnEqual, SetUnits };
// What the table does with a stake above its maximum.
enum class AtMaxRule { Cap, Reset, Stop };
// What happens when the bankroll cannot pay the next bet.
enum class AtRuinRule { Stop, PlayOn };

template <typename E>
struct Selector;

template <>
struct Selector<GameMode> {
    static constexpr std::array<std::string_view, 5> items{
        "SMART 2024", "DEEP SCAN 4.1", "ADAPTIVE 4.1", "PARADOX 4.1", "CHAINS 4.1"};
};
template <>
struct Selector<BetType> {
    static constexpr std::array<std::string_view, 2> items{"1", "2"};
};
template <>
struct Selector<SectorChoice> {
    static constexpr std::array<std::string_view, 3> items{"Dozens & Columns", "Only Dozens",
                                                           "Only Columns"};
};
template <>
struct Selector<ProgressionSystem> {
    static constexpr std::array<std::string_view, 6> items{
        "Classic", "D-Donald", "D-Donald (Softer)", "Blind", "Blind (Softer)", "CUSTOM"};
};
template <>
struct Selector<LossCount> {
    static constexpr std::array<std::string_view, 2> items{"Losses", "Losses In A Row"};
};
template <>
struct Selector<LossAction> {
    static constexpr std::array<std::string_view, 7> items{
        "ADD to bet:", "SUBTRACT:",  "MULTIPLY bet by:", "DIVIDE bet by:",
        "SET bet to:", "Check WINS", "DO NOTHING"};
};
template <>
struct Selector<WinCount> {
    static constexpr std::array<std::string_view, 2> items{"Wins", "Wins In A Row"};
};
template <>
struct Selector<WinAction> {
    static constexpr std::array<std::string_view, 6> items{
        "ADD to bet:",    "SUBTRACT:",   "MULTIPLY bet by:",
        "DIVIDE bet by:", "SET bet to:", "DO NOTHING"};
};

template <>
struct Selector<ProfitAimRule> {
    static constexpr std::array<std::string_view, 3> items{"On any profit", "On profit or equal",
                                                           "Set units"};
};

template <>
struct Selector<AtMaxRule> {
    static constexpr std::array<std::string_view, 3> items{"Cap the stake", "Back to the base bet",
                                                           "End the session"};
};

template <>
struct Selector<AtRuinRule> {
    static constexpr std::array<std::string_view, 2> items{"End the session", "Play on"};
};

template <typename E>
constexpr std::span<const std::string_view> items_of() {
    return Selector<E>::items;
}

template <typename E>
constexpr std::string_view text_of(E item) {
    return Selector<E>::items[static_cast<std::size_t>(item)];
}

template <typename E>
constexpr std::optional<E> item_at(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= Selector<E>::items.size()) return std::nullopt;
    return static_cast<E>(row);
}

template <typename E>
constexpr int row_of(E item) {
    return static_cast<int>(item);
}

// A list's items for a message: each in double quotes, with commas between
// ("Losses", "Losses In A Row"). No item holds a quote or a backslash.
template <typename E>
std::string quoted_items() {
    std::string list;
    for (std::string_view item : items_of<E>()) {
        if (!list.empty()) list += ", ";
        list += '"';
        list += item;
        list += '"';
    }
    return list;
}

// The safe-level list holds the levels "0" to "20".
inline constexpr int kMaxSafeLevel = 20;

}  // namespace quorvel
