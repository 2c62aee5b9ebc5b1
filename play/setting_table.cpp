// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/setting_table.hpp"

#include <algorithm>
#include <array>
#include <charconv>

#include "game/game.hpp"
#include "money/progression.hpp"
#include "predict/matrix.hpp"

namespace quorvel {

namespace {

template <typename Name>
const SettingRow* find_row(std::string_view wanted, Name name) {
    for (const SettingRow& row : setting_rows()) {
        if (!(row.*name).empty() && row.*name == wanted) return &row;
    }
    return nullptr;
}

std::optional<int> whole_number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

bool n_count_offered(const Game& game, SettingValue) {
    return n_count_editable(game);
}

// The system list offers only the systems with a table for the type in force.
bool system_offered(const Game& game, SettingValue value) {
    const auto offered = systems_offered(game.params.BettingType);
    return std::find(offered.begin(), offered.end(),
                     static_cast<ProgressionSystem>(value.value_or(-1))) != offered.end();
}

const SettingRow* setting_by_journal_key(std::string_view key) {
    return find_row(key, &SettingRow::journal_key);
}
const SettingRow* setting_by_stored_key(std::string_view key) {
    return find_row(key, &SettingRow::stored_key);
}
const SettingRow* setting_by_lab_option(std::string_view option) {
    return find_row(option, &SettingRow::lab_option);
}

std::string setting_text(const SettingRow& row, SettingValue value) {
    switch (row.kind) {
        case SettingKind::Switch:
            return value.value_or(0) != 0 ? "true" : "false";
        case SettingKind::Selector:
            return row.holds(value) ? std::string(row.items[static_cast<std::size_t>(*value)])
                                    : std::string();
        case SettingKind::Number:
            break;
    }
    return value ? std::to_string(*value) : std::string();
}

std::optional<SettingValue> setting_from_text(const SettingRow& row, std::string_view text) {
    switch (row.kind) {
        case SettingKind::Switch:
            if (text == "true") return SettingValue(1);
            if (text == "false") return SettingValue(0);
            return std::nullopt;
        case SettingKind::Selector:
            for (std::size_t i = 0; i < row.items.size(); ++i) {
                if (row.items[i] == text) return SettingValue(static_cast<int>(i));
            }
            return std::nullopt;
        case SettingKind::Number:
            break;
    }
    if (text.empty()) {
        if (row.may_be_empty) return SettingValue();
        return std::nullopt;
    }
    const std::optional<int> number = whole_number(text);
    if (!number || !row.holds(number)) return std::nullopt;
    return SettingValue(number);
}

std::string setting_takes(const SettingRow& row) {
    switch (row.kind) {
        case SettingKind::Switch:
            return "true or false";
        case SettingKind::Selector: {
            std::string list = "one of ";
            for (std::size_t i = 0; i < row.items.size(); ++i) {
                if (i > 0) list += ", ";
                list += '"';
                list += row.items[i];
                list += '"';
            }
            return list;
        }
        case SettingKind::Number:
            break;
    }
    return "a whole number from " + std::to_string(row.range.minimum) + " to " +
           std::to_string(row.range.maximum);
}

}  // namespace quorvel
