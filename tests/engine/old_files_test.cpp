// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Sessions written by an earlier version of the program, before the settings
// and the actions were read from their tables: three random players' journals
// (every setting, every action, undos and pauses) and, beside each, the game
// that version held at its end. They must replay to that game, and its stored
// settings must read back to the same settings.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "play/session.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {
namespace {

std::string read_fixture(const std::string& name) {
    std::ifstream in(std::string(QUORVEL_ENGINE_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The settings that version stored, then what the money and the table hold.
// A setting it did not have must stand at the window's start value.
std::string fingerprint(const Game& g, const std::string& expected) {
    std::ostringstream out;
    const auto defaults = stored_settings(Parameters{});
    const auto stored = stored_settings(g.params);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto& [key, value] = stored[i];
        if (expected.find("\n" + std::string(key) + '=') == std::string::npos &&
            !expected.starts_with(std::string(key) + '=')) {
            EXPECT_EQ(value, defaults[i].second) << key;
            continue;
        }
        out << key << '=' << value << '\n';
    }
    out << "Bankroll=" << g.Bankroll << "\nBet_Size=" << g.Bet_Size
        << "\nProfit_Aim=" << g.Profit_Aim << "\nMax_Bank=" << g.Max_Bank << "\nnumbers=";
    for (int n : g.NumbersList) out << n << ' ';
    out << "\nchips=";
    for (Sector s : kAllSectors) out << (g.table.chips.contains(s) ? '1' : '0');
    out << "\nsafe_field=" << g.table.SL_Field << '\n';
    return out.str();
}

TEST(OldFiles, JournalsReplayToTheGameTheirVersionHeldAndTheirSettingsReadBack) {
    for (const char* name : {"old_session_1", "old_session_2", "old_session_3"}) {
        SCOPED_TRACE(name);
        const std::string journal = read_fixture(std::string(name) + ".quorvel");
        const std::string expected = read_fixture(std::string(name) + ".expected");
        ASSERT_FALSE(journal.empty());
        ASSERT_FALSE(expected.empty());

        SessionReading reading = read_session(journal, name, [] { return std::int64_t{2'000'000}; });
        ASSERT_TRUE(reading.ok()) << reading.error;
        EXPECT_EQ(fingerprint(reading.session->game(), expected), expected);

        // The stored settings of that game, applied to a new session, give
        // the same settings back, key by key.
        Session fresh([] { return std::int64_t{2'000'000}; });
        for (const auto& [key, value] : stored_settings(reading.session->game().params))
            EXPECT_EQ(apply_stored_setting(fresh, key, value), "") << key << '=' << value;
        EXPECT_EQ(stored_settings(fresh.game().params),
                  stored_settings(reading.session->game().params));
    }
}

}  // namespace
}  // namespace quorvel
