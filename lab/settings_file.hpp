// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "lab/lab_settings.hpp"

namespace quorvel {

// The settings the window stored with "SAVE SETTINGS", as lab settings, or
// why they cannot be read ("FILE:LINE: what was wrong").
struct StoredSettingsReading {
    LabSettings settings;
    std::string error;

    bool ok() const { return error.empty(); }
};

// Reads the [settings] group of the window's settings file (an INI file) and
// sets each setting in a fresh game, as "LOAD SETTINGS" does, so that the lab
// plays with exactly the table's setup. A field left empty plays as its
// least value. The clock keeps the lab's defaults.
StoredSettingsReading read_stored_settings(const std::string& path);
StoredSettingsReading parse_stored_settings(std::string_view text, std::string_view name);

}  // namespace quorvel
