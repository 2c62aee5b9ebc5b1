// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/parameters.hpp"
#include "game/selectors.hpp"

namespace quorvel {

struct Game;

// The clock of a lab run starts here unless told otherwise: a fixed second,
// so that two runs of the same spins draw the same values.
inline constexpr std::int64_t kDefaultLabSeed = 1767225600;  // 2026-01-01 00:00 UTC
inline constexpr int kDefaultSecondsPerSpin = 40;

// Everything a lab run is played with: the window's settings, starting from
// the values the window opens with (but where a setting's row gives the lab
// a default of its own), and the run's clock.
struct LabSettings : Parameters {
    LabSettings();

    std::int64_t seed = kDefaultLabSeed;
    int seconds_per_spin = kDefaultSecondsPerSpin;

    bool operator==(const LabSettings&) const = default;
};

// The window's current settings. The clock keeps its defaults.
LabSettings settings_of(const Game& game);

// Sets the settings in a fresh game as a player sets them in the window before
// the first number, and runs the handlers the window runs for them: the
// betting type, the base bet, the starting bankroll (which takes the profit
// aim from the chosen rule), the profit units and the safe level (which shows
// the overlays from the start). In "ADAPTIVE 4.1" the matrix is created.
void apply_settings(Game& game, const LabSettings& settings);

// Why these settings cannot be played, or empty: a softer system has no
// table for double bets.
std::string settings_error(const LabSettings& settings);

// The settings one by one as (option, value) pairs, values as the window
// writes them: ("mode", "DEEP SCAN 4.1"), ("aim", "units:50"),
// ("wins", "2 Wins ADD to bet: 5"). The options are those of set_setting:
// the settings table's lab options, then the profit aim and the two rule
// rows, each of several settings, then the clock.
std::vector<std::pair<std::string, std::string>> setting_texts(const LabSettings& settings);

// The option names set_setting knows, in the order setting_texts gives them.
std::vector<std::string> setting_names();

// Sets one setting from the window's text for it. Returns an error that says
// what was wrong and lists the valid values, or empty when the value was
// taken; the settings are unchanged on an error.
std::string set_setting(LabSettings& settings, std::string_view name, std::string_view value);

// The rule rows as the window shows them, and the profit aim as the lab
// option gives it.
std::string wins_text(const Parameters& params);
std::string losses_text(const Parameters& params);
std::string aim_text(const Parameters& params);

// --help's lines for the settings, one option after another.
std::string settings_help();

// Each option of set_setting, in the order setting_texts gives them, then the
// values the shell offers for it: on and off, a selector's items, the profit
// aims; none where the value is free (a number, a rule row).
std::vector<std::vector<std::string>> setting_choices();

}  // namespace quorvel
