// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/lab_settings.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "game/game.hpp"
#include "money/bankroll.hpp"
#include "money/bet_state.hpp"
#include "money/progression.hpp"
#include "predict/matrix.hpp"

namespace quorvel {

namespace {

constexpr SpinRange kSafeLevelRange{0, kMaxSafeLevel};
// The clock runs in whole seconds; these bounds keep every sum in range.
constexpr std::int64_t kLargestSeed = 1'000'000'000'000'000;
constexpr SpinRange kSecondsPerSpinRange{0, 86400};

constexpr std::array<std::string_view, 15> kNames{
    "mode",     "type",       "sectors",    "system", "base-bet",
    "bankroll", "safe-level", "auto-reset", "aim",    "minimal-profit",
    "wins",     "losses",     "n-count",    "seed",   "seconds-per-spin"};

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int64_t> whole_number(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string quoted(std::string_view text) {
    std::string quote = "'";
    quote += text;
    quote += '\'';
    return quote;
}

template <typename E>
std::optional<E> item_named(std::string_view text) {
    const auto items = items_of<E>();
    for (std::size_t row = 0; row < items.size(); ++row) {
        if (items[row] == text) return static_cast<E>(row);
    }
    return std::nullopt;
}

// The item the text starts with, the longest where one item starts another
// ("Wins In A Row" and "Wins"), followed by a blank or the end.
template <typename E>
std::optional<E> leading_item(std::string_view& text) {
    std::optional<E> found;
    std::size_t length = 0;
    const auto items = items_of<E>();
    for (std::size_t row = 0; row < items.size(); ++row) {
        const std::string_view item = items[row];
        if (item.size() <= length || text.substr(0, item.size()) != item) continue;
        if (text.size() > item.size() && text[item.size()] != ' ' && item.back() != ':') continue;
        found = static_cast<E>(row);
        length = item.size();
    }
    if (found) text = trimmed(text.substr(length));
    return found;
}

std::string number_error(std::string_view value, std::string_view what, std::int64_t least,
                         std::int64_t most) {
    return quoted(value) + " is not " + std::string(what) + ": give a whole number from " +
           std::to_string(least) + " to " + std::to_string(most);
}

// A whole number within the range, or an error.
std::string read_number(std::string_view value, std::string_view what, std::int64_t least,
                        std::int64_t most, std::int64_t& out) {
    const std::optional<std::int64_t> number = whole_number(trimmed(value));
    if (!number || *number < least || *number > most) {
        return number_error(value, what, least, most);
    }
    out = *number;
    return {};
}

std::string read_int(std::string_view value, std::string_view what, SpinRange range, int& out) {
    std::int64_t number = 0;
    std::string error = read_number(value, what, range.minimum, range.maximum, number);
    if (error.empty()) out = static_cast<int>(number);
    return error;
}

std::string read_switch(std::string_view value, bool& out) {
    if (value == "on" || value == "off") {
        out = value == "on";
        return {};
    }
    return quoted(value) + " is not a switch: give on or off";
}

template <typename E>
std::string read_item(std::string_view value, std::string_view what, E& out) {
    if (const std::optional<E> item = item_named<E>(value)) {
        out = *item;
        return {};
    }
    return quoted(value) + " is not " + std::string(what) + "; the choices are " +
           quoted_items<E>();
}

std::string read_aim(std::string_view value, LabSettings& settings) {
    if (value == "any") {
        settings.aim = ProfitAimRule::OnAnyProfit;
        return {};
    }
    if (value == "equal") {
        settings.aim = ProfitAimRule::OnEqual;
        return {};
    }
    constexpr std::string_view kUnits = "units:";
    const std::string refused = quoted(value) +
                                " is not a profit aim: give any, equal or units:N with N from " +
                                std::to_string(kProfitUnitsRange.minimum) + " to " +
                                std::to_string(kProfitUnitsRange.maximum);
    if (value.substr(0, kUnits.size()) != kUnits) return refused;
    int units = 0;
    if (!read_int(value.substr(kUnits.size()), "a count of units", kProfitUnitsRange, units)
             .empty()) {
        return refused;
    }
    settings.aim = ProfitAimRule::SetUnits;
    settings.profit_units = units;
    return {};
}

template <typename Action>
bool takes_value(Action action) {
    return text_of(action).back() == ':';
}

// "COUNT TYPE ACTION [VALUE]", as the rule row reads from left to right.
template <typename Rule, typename Count, typename Action>
std::string read_rule(std::string_view value, std::string_view what, std::string_view example,
                      Rule& out) {
    const std::string refused =
        quoted(value) + " is not " + std::string(what) +
        ": give COUNT TYPE ACTION [VALUE], for example \"" + std::string(example) +
        "\"; TYPE is one of " + quoted_items<Count>() + "; ACTION is one of " +
        quoted_items<Action>() + " (the actions ending in ':' take a VALUE); COUNT and VALUE are " +
        "whole numbers from " + std::to_string(kRuleValueRange.minimum) + " to " +
        std::to_string(kRuleValueRange.maximum);
    std::string_view rest = trimmed(value);
    const std::size_t blank = rest.find(' ');
    Rule rule = out;
    if (blank == std::string_view::npos ||
        !read_int(rest.substr(0, blank), "", kRuleValueRange, rule.how_much).empty()) {
        return refused;
    }
    rest = trimmed(rest.substr(blank));
    const std::optional<Count> count = leading_item<Count>(rest);
    if (!count) return refused;
    const std::optional<Action> action = leading_item<Action>(rest);
    if (!action) return refused;
    rule.type = *count;
    rule.action = *action;
    if (takes_value(*action)) {
        if (!read_int(rest, "", kRuleValueRange, rule.value).empty()) return refused;
    } else if (!rest.empty()) {
        return refused;
    }
    out = rule;
    return {};
}

template <typename Rule>
std::string rule_text(const Rule& rule) {
    std::string text = std::to_string(rule.how_much) + ' ' + std::string(text_of(rule.type)) + ' ' +
                       std::string(text_of(rule.action));
    if (takes_value(rule.action)) text += ' ' + std::to_string(rule.value);
    return text;
}

}  // namespace

LabSettings settings_of(const Game& game) {
    const Parameters& p = game.params;
    LabSettings settings;
    settings.mode = p.GameModes;
    settings.type = p.BettingType;
    settings.sectors = p.BettingSectors;
    settings.system = p.BettingSystem;
    settings.base_bet = value_or_least(p.Init_Bet, kInit_BetRange);
    settings.bankroll = value_or_least(p.CSpinEdit1, kCSpinEdit1Range);
    settings.safe_level = p.Safe_Level;
    settings.auto_reset = p.CheckBox_Blind;
    settings.aim = p.profit_aim_rule;
    settings.profit_units = value_or_least(p.ProfitUnits, kProfitUnitsRange);
    settings.minimal_profit = p.ChBx_Get_Minimal_Profit;
    settings.wins = {value_or_least(p.Wins_HowMuch, kRuleValueRange), p.Wins_Type, p.Wins_Action,
                     value_or_least(p.Wins_ActionValue, kRuleValueRange)};
    settings.losses = {value_or_least(p.Losses_HowMuch, kRuleValueRange), p.Losses_Type,
                       p.Losses_Action, value_or_least(p.Losses_ActionValue, kRuleValueRange)};
    settings.n_count = value_or_least(p.N_Count, kN_CountRange);
    return settings;
}

void apply_settings(Game& game, const LabSettings& settings) {
    Parameters& p = game.params;
    p.GameModes = settings.mode;
    p.BettingSectors = settings.sectors;
    p.N_Count = settings.n_count;
    p.Init_Bet = settings.base_bet;
    p.CSpinEdit1 = settings.bankroll;
    p.Safe_Level = settings.safe_level;
    p.CheckBox_Blind = settings.auto_reset;
    p.profit_aim_rule = settings.aim;
    p.ProfitUnits = settings.profit_units;
    p.ChBx_Get_Minimal_Profit = settings.minimal_profit;
    p.Wins_HowMuch = settings.wins.how_much;
    p.Wins_Type = settings.wins.type;
    p.Wins_Action = settings.wins.action;
    p.Wins_ActionValue = settings.wins.value;
    p.Losses_HowMuch = settings.losses.how_much;
    p.Losses_Type = settings.losses.type;
    p.Losses_Action = settings.losses.action;
    p.Losses_ActionValue = settings.losses.value;

    // The system list offers the systems of the type in force, so the type
    // comes first.
    if (p.BettingType != settings.type) {
        p.BettingType = settings.type;
        BettingTypeChange(game);
    }
    p.BettingSystem = settings.system;
    Init_BetChange(game);
    // The starting bankroll resets the bet, which takes the profit aim from
    // the rule chosen above.
    CSpinEdit1Change(game);
    if (settings.aim == ProfitAimRule::SetUnits) ProfitUnitsChange(game);
    Safe_LevelChange(game);
    if (settings.mode == GameMode::Adaptive) Adaptive_Matrix(game);
}

std::string settings_error(const LabSettings& settings) {
    const auto offered = systems_offered(settings.type);
    if (std::find(offered.begin(), offered.end(), settings.system) != offered.end()) return {};
    std::string list;
    for (ProgressionSystem system : offered) {
        if (!list.empty()) list += ", ";
        list += '"' + std::string(text_of(system)) + '"';
    }
    return "system \"" + std::string(text_of(settings.system)) +
           "\" has no table for betting type \"" + std::string(text_of(settings.type)) +
           "\"; with type \"" + std::string(text_of(settings.type)) + "\" the systems are " + list;
}

std::string wins_text(const WinsRule& rule) {
    return rule_text(rule);
}

std::string losses_text(const LossesRule& rule) {
    return rule_text(rule);
}

std::string aim_text(const LabSettings& settings) {
    switch (settings.aim) {
        case ProfitAimRule::OnAnyProfit:
            return "any";
        case ProfitAimRule::OnEqual:
            return "equal";
        case ProfitAimRule::SetUnits:
            break;
    }
    return "units:" + std::to_string(settings.profit_units);
}

std::vector<std::string_view> setting_names() {
    return {kNames.begin(), kNames.end()};
}

std::vector<std::pair<std::string, std::string>> setting_texts(const LabSettings& s) {
    const auto on_off = [](bool on) { return std::string(on ? "on" : "off"); };
    return {
        {"mode", std::string(text_of(s.mode))},
        {"type", std::string(text_of(s.type))},
        {"sectors", std::string(text_of(s.sectors))},
        {"system", std::string(text_of(s.system))},
        {"base-bet", std::to_string(s.base_bet)},
        {"bankroll", std::to_string(s.bankroll)},
        {"safe-level", std::to_string(s.safe_level)},
        {"auto-reset", on_off(s.auto_reset)},
        {"aim", aim_text(s)},
        {"minimal-profit", on_off(s.minimal_profit)},
        {"wins", wins_text(s.wins)},
        {"losses", losses_text(s.losses)},
        {"n-count", std::to_string(s.n_count)},
        {"seed", std::to_string(s.seed)},
        {"seconds-per-spin", std::to_string(s.seconds_per_spin)},
    };
}

std::string set_setting(LabSettings& settings, std::string_view name, std::string_view value) {
    LabSettings s = settings;
    std::string error;
    if (name == "mode") {
        error = read_item(value, "a game mode", s.mode);
    } else if (name == "type") {
        error = read_item(value, "a betting type", s.type);
    } else if (name == "sectors") {
        error = read_item(value, "a choice of betting sectors", s.sectors);
    } else if (name == "system") {
        error = read_item(value, "a betting system", s.system);
    } else if (name == "base-bet") {
        error = read_int(value, "a base bet", kInit_BetRange, s.base_bet);
    } else if (name == "bankroll") {
        error = read_int(value, "a bankroll", kCSpinEdit1Range, s.bankroll);
    } else if (name == "safe-level") {
        error = read_int(value, "a safe level", kSafeLevelRange, s.safe_level);
    } else if (name == "auto-reset") {
        error = read_switch(value, s.auto_reset);
    } else if (name == "aim") {
        error = read_aim(value, s);
    } else if (name == "minimal-profit") {
        error = read_switch(value, s.minimal_profit);
    } else if (name == "wins") {
        error = read_rule<WinsRule, WinCount, WinAction>(value, "a wins rule",
                                                         "2 Wins ADD to bet: 5", s.wins);
    } else if (name == "losses") {
        error = read_rule<LossesRule, LossCount, LossAction>(
            value, "a losses rule", "3 Losses In A Row MULTIPLY bet by: 2", s.losses);
    } else if (name == "n-count") {
        error = read_int(value, "an N. Count", kN_CountRange, s.n_count);
    } else if (name == "seed") {
        error = read_number(value, "a seed", 0, kLargestSeed, s.seed);
    } else if (name == "seconds-per-spin") {
        error = read_int(value, "a number of seconds", kSecondsPerSpinRange, s.seconds_per_spin);
    } else {
        error = "there is no setting " + quoted(name);
    }
    if (error.empty()) settings = s;
    return error;
}

}  // namespace quorvel
