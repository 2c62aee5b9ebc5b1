// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/lab_settings.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <span>

#include "money/table_rules.hpp"
#include "game/game.hpp"
#include "money/bankroll.hpp"
#include "money/bet_state.hpp"
#include "money/progression.hpp"
#include "play/setting_table.hpp"
#include "predict/matrix.hpp"

namespace quorvel {

namespace {

// The clock runs in whole seconds; these bounds keep every sum in range.
constexpr std::int64_t kLargestSeed = 1'000'000'000'000'000;
constexpr SpinRange kSecondsPerSpinRange{0, 86400};
constexpr std::string_view kWinsExample = "2 Wins ADD to bet: 5";
constexpr std::string_view kLossesExample = "3 Losses In A Row MULTIPLY bet by: 2";

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

// The lab's words for the three profit aims; "units:" takes the count.
constexpr std::array<std::pair<ProfitAimRule, std::string_view>, 3> kAimWords{{
    {ProfitAimRule::OnAnyProfit, "any"},
    {ProfitAimRule::OnEqual, "equal"},
    {ProfitAimRule::SetUnits, "units:"},
}};

std::string read_aim(std::string_view value, LabSettings& settings) {
    const std::string refused = quoted(value) +
                                " is not a profit aim: give any, equal or units:N with N from " +
                                std::to_string(kProfitUnitsRange.minimum) + " to " +
                                std::to_string(kProfitUnitsRange.maximum);
    for (const auto& [rule, word] : kAimWords) {
        if (rule != ProfitAimRule::SetUnits) {
            if (value != word) continue;
            settings.profit_aim_rule = rule;
            return {};
        }
        if (value.substr(0, word.size()) != word) return refused;
        int units = 0;
        if (!read_int(value.substr(word.size()), "a count of units", kProfitUnitsRange, units)
                 .empty()) {
            return refused;
        }
        settings.profit_aim_rule = rule;
        settings.ProfitUnits = units;
        return {};
    }
    return refused;
}

template <typename Action>
bool takes_value(Action action) {
    return text_of(action).back() == ':';
}

// A rule row of the settings: the four settings it is made of.
template <typename Count, typename Action>
struct RuleRow {
    std::optional<int> Parameters::*how_much;
    Count Parameters::*type;
    Action Parameters::*action;
    std::optional<int> Parameters::*value;
};

constexpr RuleRow<WinCount, WinAction> kWinsRow{&Parameters::Wins_HowMuch, &Parameters::Wins_Type,
                                                &Parameters::Wins_Action,
                                                &Parameters::Wins_ActionValue};
constexpr RuleRow<LossCount, LossAction> kLossesRow{
    &Parameters::Losses_HowMuch, &Parameters::Losses_Type, &Parameters::Losses_Action,
    &Parameters::Losses_ActionValue};

// "COUNT TYPE ACTION [VALUE]", as the rule row reads from left to right.
template <typename Count, typename Action>
std::string read_rule(std::string_view value, std::string_view what, std::string_view example,
                      RuleRow<Count, Action> row, Parameters& out) {
    const std::string refused =
        quoted(value) + " is not " + std::string(what) +
        ": give COUNT TYPE ACTION [VALUE], for example \"" + std::string(example) +
        "\"; TYPE is one of " + quoted_items<Count>() + "; ACTION is one of " +
        quoted_items<Action>() + " (the actions ending in ':' take a VALUE); COUNT and VALUE are " +
        "whole numbers from " + std::to_string(kRuleValueRange.minimum) + " to " +
        std::to_string(kRuleValueRange.maximum);
    std::string_view rest = trimmed(value);
    const std::size_t blank = rest.find(' ');
    int how_much = 0;
    int number = value_or_least(out.*row.value, kRuleValueRange);
    if (blank == std::string_view::npos ||
        !read_int(rest.substr(0, blank), "", kRuleValueRange, how_much).empty()) {
        return refused;
    }
    rest = trimmed(rest.substr(blank));
    const std::optional<Count> count = leading_item<Count>(rest);
    if (!count) return refused;
    const std::optional<Action> action = leading_item<Action>(rest);
    if (!action) return refused;
    if (takes_value(*action)) {
        if (!read_int(rest, "", kRuleValueRange, number).empty()) return refused;
    } else if (!rest.empty()) {
        return refused;
    }
    out.*row.how_much = how_much;
    out.*row.type = *count;
    out.*row.action = *action;
    out.*row.value = number;
    return {};
}

template <typename Count, typename Action>
std::string rule_text(const Parameters& p, RuleRow<Count, Action> row) {
    std::string text = std::to_string(value_or_least(p.*row.how_much, kRuleValueRange)) + ' ' +
                       std::string(text_of(p.*row.type)) + ' ' +
                       std::string(text_of(p.*row.action));
    if (takes_value(p.*row.action))
        text += ' ' + std::to_string(value_or_least(p.*row.value, kRuleValueRange));
    return text;
}

// A selector's items as the lab names them.
std::span<const std::string_view> lab_items(const SettingRow& row) {
    return row.lab_items.empty() ? row.items : row.lab_items;
}

// A setting's value as the lab writes it: a selector's item, on or off, a
// number, or the word for off.
std::string lab_text(const SettingRow& row, SettingValue value) {
    switch (row.kind) {
        case SettingKind::Switch:
            return value.value_or(0) != 0 ? "on" : "off";
        case SettingKind::Selector:
            return row.holds(value) ? std::string(lab_items(row)[static_cast<std::size_t>(*value)])
                                    : std::string();
        case SettingKind::Number:
            break;
    }
    if (!value && !row.off_text.empty()) return std::string(row.off_text);
    return std::to_string(value.value_or(row.range.minimum));
}

std::string quoted_list(std::span<const std::string_view> items) {
    std::string list;
    for (std::string_view item : items)
        list += (list.empty() ? "\"" : ", \"") + std::string(item) + '"';
    return list;
}

std::string read_row(const SettingRow& row, std::string_view value, Parameters& params) {
    switch (row.kind) {
        case SettingKind::Switch: {
            bool on = false;
            std::string error = read_switch(value, on);
            if (error.empty()) row.put(params, on ? 1 : 0);
            return error;
        }
        case SettingKind::Selector: {
            const auto items = lab_items(row);
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i] != value) continue;
                row.put(params, static_cast<int>(i));
                return {};
            }
            return quoted(value) + " is not " + std::string(row.what) + "; the choices are " +
                   quoted_list(items);
        }
        case SettingKind::Number:
            break;
    }
    if (!row.off_text.empty() && value == row.off_text) {
        row.put(params, std::nullopt);
        return {};
    }
    int number = 0;
    std::string error = read_int(value, row.what, row.range, number);
    if (!error.empty())
        return row.off_text.empty() ? error : error + ", or " + std::string(row.off_text);
    row.put(params, number);
    return {};
}

// Wraps a description into --help's right-hand column, breaking lines at
// blanks but never inside a quoted text.
void add_help_line(std::string& out, std::string option, std::string_view text) {
    constexpr std::size_t kColumn = 27;
    constexpr std::size_t kWidth = 79;
    const std::string indent(kColumn, ' ');
    option = "  " + option;
    std::string line = option.size() + 1 < kColumn ? option + std::string(kColumn - option.size(), ' ')
                                                    : option + "\n" + indent;
    std::size_t used = kColumn;
    bool first = true;
    while (!text.empty()) {
        std::size_t end = 0;
        bool quoted_text = false;
        while (end < text.size() && (quoted_text || text[end] != ' ')) {
            if (text[end] == '"') quoted_text = !quoted_text;
            ++end;
        }
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!first && used + 1 + word.size() > kWidth) {
            line += "\n" + indent;
            used = kColumn;
            first = true;
        }
        if (!first) {
            line += ' ';
            ++used;
        }
        line += word;
        used += word.size();
        first = false;
    }
    out += line + "\n";
}

std::string row_help(const SettingRow& row, SettingValue fallback) {
    const std::string value = lab_text(row, fallback);
    switch (row.kind) {
        case SettingKind::Switch:
            return std::string(row.help) + " (default " + value + ")";
        case SettingKind::Selector: {
            if (row.lab_value.find('|') != std::string_view::npos)
                return std::string(row.help) + " (default " + value + ")";
            const auto items = lab_items(row);
            std::string list = std::string(row.help) + ": ";
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i > 0) list += i + 1 == items.size() ? " or " : ", ";
                list += '"' + std::string(items[i]) + '"';
                if (items[i] == value) list += " (default)";
            }
            return list;
        }
        case SettingKind::Number:
            break;
    }
    const std::string off = row.off_text.empty() ? "" : ", or " + std::string(row.off_text);
    return std::string(row.help) + ", " + std::to_string(row.range.minimum) + " to " +
           std::to_string(row.range.maximum) + off + " (default " + value + ")";
}

}  // namespace

LabSettings::LabSettings() {
    for (const SettingRow& row : setting_rows()) {
        if (row.lab_default) row.put(*this, *row.lab_default);
    }
}

LabSettings settings_of(const Game& game) {
    LabSettings settings;
    static_cast<Parameters&>(settings) = game.params;
    // A field the player left empty in the window plays as its least value.
    for (const SettingRow& row : setting_rows()) {
        if (row.lab && row.may_be_empty && row.off_text.empty() && !row.get(settings))
            row.put(settings, row.range.minimum);
    }
    return settings;
}

void apply_settings(Game& game, const LabSettings& settings) {
    Parameters& p = game.params;
    // What a lab run plays; the window's display boxes keep their start.
    for (const SettingRow& row : setting_rows()) {
        if (row.lab && row.id != SettingId::BettingType) row.put(p, row.get(settings));
    }
    // The system list offers the systems of the type in force, so the type
    // comes first.
    if (p.BettingType != settings.BettingType) {
        p.BettingType = settings.BettingType;
        BettingTypeChange(game);
    }
    Init_BetChange(game);
    // The starting bankroll resets the bet, which takes the profit aim from
    // the rule chosen above.
    CSpinEdit1Change(game);
    if (settings.profit_aim_rule == ProfitAimRule::SetUnits) ProfitUnitsChange(game);
    Safe_LevelChange(game);
    if (settings.GameModes == GameMode::Adaptive) Adaptive_Matrix(game);
}

std::string settings_error(const LabSettings& settings) {
    if (std::string fault = table_rules_fault(settings); !fault.empty()) return fault;
    const auto offered = systems_offered(settings.BettingType);
    if (std::find(offered.begin(), offered.end(), settings.BettingSystem) != offered.end())
        return {};
    std::string list;
    for (ProgressionSystem system : offered) {
        if (!list.empty()) list += ", ";
        list += '"' + std::string(text_of(system)) + '"';
    }
    return "system \"" + std::string(text_of(settings.BettingSystem)) +
           "\" has no table for betting type \"" + std::string(text_of(settings.BettingType)) +
           "\"; with type \"" + std::string(text_of(settings.BettingType)) +
           "\" the systems are " + list;
}

std::string wins_text(const Parameters& params) {
    return rule_text(params, kWinsRow);
}

std::string losses_text(const Parameters& params) {
    return rule_text(params, kLossesRow);
}

std::string aim_text(const Parameters& params) {
    for (const auto& [rule, word] : kAimWords) {
        if (rule != params.profit_aim_rule) continue;
        if (rule != ProfitAimRule::SetUnits) return std::string(word);
        return std::string(word) +
               std::to_string(value_or_least(params.ProfitUnits, kProfitUnitsRange));
    }
    return {};
}

std::vector<std::string> setting_names() {
    std::vector<std::string> names;
    for (auto& [name, value] : setting_texts(LabSettings{}))
        names.push_back(std::move(name));
    return names;
}

std::vector<std::pair<std::string, std::string>> setting_texts(const LabSettings& s) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const SettingRow& row : setting_rows()) {
        if (!row.lab_option.empty())
            texts.emplace_back(std::string(row.lab_option), lab_text(row, row.get(s)));
    }
    texts.emplace_back("aim", aim_text(s));
    texts.emplace_back("wins", wins_text(s));
    texts.emplace_back("losses", losses_text(s));
    texts.emplace_back("seed", std::to_string(s.seed));
    texts.emplace_back("seconds-per-spin", std::to_string(s.seconds_per_spin));
    return texts;
}

std::vector<std::vector<std::string>> setting_choices() {
    std::vector<std::vector<std::string>> choices;
    for (const auto& [name, value] : setting_texts(LabSettings{})) {
        std::vector<std::string> option{name};
        if (const SettingRow* row = setting_by_lab_option(name)) {
            if (row->kind == SettingKind::Switch) {
                option.insert(option.end(), {"on", "off"});
            } else if (row->kind == SettingKind::Selector) {
                for (std::string_view item : lab_items(*row))
                    option.emplace_back(item);
            }
        } else if (name == "aim") {
            for (const auto& [rule, word] : kAimWords)
                option.emplace_back(word);
        }
        choices.push_back(std::move(option));
    }
    return choices;
}

std::string set_setting(LabSettings& settings, std::string_view name, std::string_view value) {
    LabSettings s = settings;
    std::string error;
    if (const SettingRow* row = setting_by_lab_option(name)) {
        error = read_row(*row, value, s);
    } else if (name == "aim") {
        error = read_aim(value, s);
    } else if (name == "wins") {
        error = read_rule(value, "a wins rule", kWinsExample, kWinsRow, s);
    } else if (name == "losses") {
        error = read_rule(value, "a losses rule", kLossesExample, kLossesRow, s);
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

std::string settings_help() {
    const LabSettings defaults;
    std::string help;
    for (const SettingRow& row : setting_rows()) {
        if (row.lab_option.empty()) continue;
        add_help_line(help, "--" + std::string(row.lab_option) + " " + std::string(row.lab_value),
                      row_help(row, row.get(defaults)));
    }
    std::string aims;
    for (const auto& [rule, word] : kAimWords)
        aims += (aims.empty() ? "" : "|") + std::string(word);
    add_help_line(help, "--aim " + aims + "N",
                  "the profit aim of the auto-reset (default " + aim_text(defaults) + ")");
    add_help_line(help, "--wins RULE",
                  "the wins row of \"CUSTOM\", e.g. \"" + std::string(kWinsExample) +
                      "\" (default \"" + wins_text(defaults) + "\")");
    add_help_line(help, "--losses RULE",
                  "the losses row, e.g. \"" + std::string(kLossesExample) + "\" (default \"" +
                      losses_text(defaults) + "\")");
    return help;
}

}  // namespace quorvel
