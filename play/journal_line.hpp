// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One line of a session journal is a flat JSON object: keys with a string, a
// whole number, true, false or null each. That is all the journal writes, so
// that is all it reads; anything else on a line (an array, a nested object, a
// fraction) is refused with its column.

struct JournalValue {
    enum class Kind { Null, Boolean, Integer, Text };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::int64_t integer = 0;
    std::string text;
    int column = 0;  // where the value starts, 1 for the first byte of the line
};

struct JournalField {
    std::string key;
    int column = 0;  // where the key's opening quote stands
    JournalValue value;
};

// The fields of a line in their order, or where and why it is not a flat
// object (error non-empty).
struct JournalLine {
    std::vector<JournalField> fields;
    int error_column = 0;
    std::string error;

    bool ok() const { return error.empty(); }
    const JournalField* find(std::string_view key) const;
};

JournalLine parse_journal_line(std::string_view line);

// Appends `text` as a JSON string, quotes included.
void append_json_string(std::string& out, std::string_view text);

// A key, value or token from a file as a message quotes it: in double quotes,
// escaped as JSON escapes it, and cut after kQuotedCharacters characters with
// "…", so a huge token cannot bury the message. The message is masked as a
// whole where it is shown.
constexpr std::size_t kQuotedCharacters = 80;
std::string quoted_token(std::string_view text);

}  // namespace quorvel
