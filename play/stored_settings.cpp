// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stored_settings.hpp"

#include <cstdlib>
#include <optional>

#include "play/journal_line.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

std::string quoted(std::string_view text) {
    return quoted_token(text);
}

}  // namespace

std::vector<std::pair<std::string_view, std::string>> stored_settings(const Parameters& params) {
    std::vector<std::pair<std::string_view, std::string>> out;
    for (const SettingRow& row : setting_rows()) {
        if (!row.stored_key.empty())
            out.emplace_back(row.stored_key, setting_text(row, row.get(params)));
    }
    return out;
}

std::vector<std::string_view> stored_setting_keys() {
    std::vector<std::string_view> keys;
    for (const SettingRow& row : setting_rows()) {
        if (!row.stored_key.empty()) keys.push_back(row.stored_key);
    }
    return keys;
}

std::string apply_stored_setting(Session& session, std::string_view key, std::string_view value) {
    const SettingRow* row = setting_by_stored_key(key);
    if (row == nullptr) return "there is no setting " + quoted(key);
    const std::optional<SettingValue> read = setting_from_text(*row, value);
    if (!read) {
        switch (row->kind) {
            case SettingKind::Switch:
                return quoted(value) + " is neither true nor false";
            case SettingKind::Number:
                return quoted(value) + " is not a number from " +
                       std::to_string(row->range.minimum) + " to " +
                       std::to_string(row->range.maximum);
            case SettingKind::Selector:
                break;
        }
        return quoted(value) + " is not " + setting_takes(*row);
    }
    if (!session.set(row->id, *read) && row->id == SettingId::BettingSystem) {
        return quoted(value) + " has no table for betting type " +
               std::string(text_of(session.params().BettingType));
    }
    return {};
}

std::string default_settings_path() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
        return std::string(config) + "/quorvel/quorvel.conf";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.config/quorvel/quorvel.conf";
    return {};
}

}  // namespace quorvel
