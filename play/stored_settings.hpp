// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

class Session;
struct Parameters;

// The settings of the fold-out as "SAVE SETTINGS" stores them: one key per
// control, named as the control is, with the value as the control shows it:
// a list's item text, a field's number (empty while the field is empty),
// "true" or "false" for a box, and for the three round buttons of the aim
// their text. The window keeps them in the [settings] group of
// ~/.config/quorvel/quorvel.conf; the lab reads the same file.
//
// The order is the order "LOAD SETTINGS" applies them in: the betting type
// before the system, since the type decides which systems are offered.
std::vector<std::pair<std::string_view, std::string>> stored_settings(const Parameters& params);

// The keys of stored_settings, in that order.
std::vector<std::string_view> stored_setting_keys();

// Sets one stored setting through the session, as the player would set its
// control: the handler runs and the journal records it. Returns what was
// wrong (an unknown key, a value out of range), or empty when it was taken;
// a setting the window would not take now (the N. Count field while it is
// locked) is left as it is and is not an error.
std::string apply_stored_setting(Session& session, std::string_view key, std::string_view value);

// The settings file and its group, as the window and the lab name them.
inline constexpr std::string_view kSettingsGroup = "settings";
// A settings file is a few kilobytes; a larger file than this is refused
// unread, so a device or a runaway file cannot fill the memory.
inline constexpr std::size_t kLargestSettingsFile = std::size_t{1} << 20;
// ~/.config/quorvel/quorvel.conf, honouring XDG_CONFIG_HOME; empty when
// neither it nor HOME is set.
std::string default_settings_path();

}  // namespace quorvel
