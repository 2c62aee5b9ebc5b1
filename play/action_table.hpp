// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The actions a player takes at the table that are not settings, described
// once: the journal's key for each, the session's method that takes it, and
// what its value in the journal holds. The session records an action under
// its key and the replay reads it back through the same row.

#include <optional>
#include <span>
#include <string_view>

#include "game/parameters.hpp"

namespace quorvel {

class Session;

enum class ActionId {
    Number,
    PauseEnd,
    Undo,
    TrendMark,
    ClearTrendMark,
    CreateMatrix,
    ResetMatrix,
    ManualBetReset,
    SetBankroll,
    FocusSink,
    PlayOn,
};

// What an action's value in the journal holds.
enum class ActionArgument {
    True,      // the value true: a button pressed
    Number,    // a roulette number from 0 to 36
    Sector,    // a sector's name, "D1" to "C3"
    TestBank,  // the "TEST BANK" value in force, written for the reader
    Entry,     // a field's entry within the row's range, or null when empty
};

struct ActionRow {
    ActionId id;
    std::string_view key;
    ActionArgument argument;
    SpinRange range;  // an entry's bounds
    // Takes the action through the session: the value is the number, the
    // sector's index in kAllSectors or the entry; false when the window would
    // not offer the action now.
    bool (*take)(Session&, std::optional<int> value);
};

std::span<const ActionRow> action_rows();
const ActionRow& action_row(ActionId id);
// The row with that journal key, or null.
const ActionRow* action_by_key(std::string_view key);

inline std::string_view action_key(ActionId id) {
    return action_row(id).key;
}

}  // namespace quorvel
