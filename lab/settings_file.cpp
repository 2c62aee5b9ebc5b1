// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/settings_file.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "lab/shown_text.hpp"
#include "play/session.hpp"
#include "play/setting_table.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// An INI value as Qt writes it: a text with separators or spaces at its ends
// comes in double quotes, with \" and \\ inside.
std::string ini_value(std::string_view raw) {
    raw = trimmed(raw);
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') return std::string(raw);
    std::string out;
    for (std::size_t i = 1; i + 1 < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 2 < raw.size()) ++i;
        out += raw[i];
    }
    return out;
}

}  // namespace

StoredSettingsReading parse_stored_settings(std::string_view text, std::string_view name) {
    StoredSettingsReading reading;
    Session session([] { return std::int64_t{kDefaultLabSeed}; });
    bool in_group = false;
    bool group_seen = false;
    std::set<std::string, std::less<>> keys_seen;
    std::size_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const std::size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            in_group = line == "[" + std::string(kSettingsGroup) + "]";
            group_seen = group_seen || in_group;
            continue;
        }
        if (!in_group) continue;
        const std::size_t equals = line.find('=');
        const auto where = std::string(name) + ':' + std::to_string(line_number) + ": ";
        if (equals == std::string_view::npos) {
            reading.error = where + "expected KEY=VALUE";
            return reading;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string value = ini_value(line.substr(equals + 1));
        if (std::string error = apply_stored_setting(session, key, value); !error.empty()) {
            // An unknown key is quoted, cut short, by the error itself.
            reading.error =
                where + (setting_by_stored_key(key) ? std::string(key) + ": " : "") + error;
            return reading;
        }
        keys_seen.emplace(key);
    }
    if (!group_seen) {
        reading.error = std::string(name) + ": no [" + std::string(kSettingsGroup) +
                        "] group: not a file of Quorvel's stored settings";
        return reading;
    }
    reading.settings = settings_of(session.game());
    // A setting the file does not hold (one older versions did not store)
    // plays as the lab plays it, not as the window starts.
    for (const SettingRow& row : setting_rows()) {
        if (row.lab_default && !keys_seen.contains(row.stored_key))
            row.put(reading.settings, *row.lab_default);
    }
    return reading;
}

StoredSettingsReading read_stored_settings(const std::string& path) {
    StoredSettingsReading reading;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reading.error = shown_text(path) + ": cannot open (" + std::strerror(errno) + ")";
        return reading;
    }
    // One byte more than the largest file tells a file that is too large
    // without reading the rest of it (a device may never end).
    std::string text(kLargestSettingsFile + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kLargestSettingsFile) {
        reading.error = shown_text(path) +
                        ": larger than 1 MiB, which no settings file is; it was not read";
        return reading;
    }
    if (in.bad()) {
        reading.error = shown_text(path) + ": cannot read (" + std::strerror(errno) + ")";
        return reading;
    }
    return parse_stored_settings(text, path);
}

}  // namespace quorvel
