// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Files that Quorvel 4.1 wrote before its settings were described in one
// table: a session that takes every action and sets every setting, two sets
// of stored settings as "SAVE SETTINGS" wrote them, and the journal each of
// those wrote when "LOAD SETTINGS" read it back. They must load as they did.

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "lab/settings_file.hpp"
#include "play/session.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {
namespace {

std::string data_file(const std::string& name) {
    std::ifstream in(std::string(QUORVEL_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The [settings] group of an INI file that holds no quoted values.
std::map<std::string, std::string> ini_pairs(const std::string& text) {
    std::map<std::string, std::string> pairs;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) pairs[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return pairs;
}

// What "LOAD SETTINGS" does: each stored key in the stored order, through the session.
Session loaded(const std::map<std::string, std::string>& stored) {
    Session session([] { return std::int64_t{1767225600}; });
    for (std::string_view key : stored_setting_keys()) {
        const auto found = stored.find(std::string(key));
        if (found == stored.end()) continue;
        EXPECT_EQ(apply_stored_setting(session, key, found->second), "") << key;
    }
    return session;
}

TEST(OldFiles, ASessionReplaysAndRecordsEveryLineAsItWasWritten) {
    const std::string text = data_file("session-4.1.quorvel");
    ASSERT_FALSE(text.empty());
    const SessionReading reading = read_session(text, "session-4.1.quorvel");
    ASSERT_TRUE(reading.ok()) << reading.error;
    // The replay records each action again: the same keys, values and seconds.
    EXPECT_EQ(reading.session->journal(), text);
    // The money as Quorvel 4.1 showed it at the end of that session.
    const Game& game = reading.session->game();
    EXPECT_EQ(bankroll_caption(game), "TEST BANKROLL: 795");
    EXPECT_EQ(max_bank_caption(game), "MAX. BANK: 801");
    EXPECT_EQ(profit_bet_caption(game), "P.BET: 4");
    EXPECT_EQ(current_bet_caption(game), "3");
    EXPECT_EQ(minimal_profit_caption(game), "3");
    EXPECT_EQ(numbers_in_game_caption(game), "Numbers in game: 56");
}

struct StoredFile {
    const char* name;
    const char* loaded;  // the journal of "LOAD SETTINGS" on a fresh session
    std::set<std::pair<std::string, std::string>> lab;  // what the lab plays with
};

class OldStoredSettings : public ::testing::TestWithParam<StoredFile> {};

TEST_P(OldStoredSettings, LoadAsBeforeInTheWindowAndInTheLab) {
    const StoredFile& file = GetParam();
    const std::string text = data_file(file.name);
    const auto stored = ini_pairs(text);
    ASSERT_EQ(stored.size(), 25u) << "every setting 4.1 stored";

    const Session session = loaded(stored);
    EXPECT_EQ(session.journal(), data_file(file.loaded));
    // Stored again, every key reads as it did; the table's rules, which 4.1
    // did not have, stand at the window's start.
    const auto defaults = stored_settings(Parameters{});
    const auto again = stored_settings(session.params());
    for (std::size_t i = 0; i < again.size(); ++i) {
        const auto& [key, value] = again[i];
        const auto old = stored.find(std::string(key));
        EXPECT_EQ(old != stored.end() ? old->second : defaults[i].second, value) << key;
    }

    const StoredSettingsReading reading = parse_stored_settings(text, file.name);
    ASSERT_TRUE(reading.ok()) << reading.error;
    std::set<std::pair<std::string, std::string>> lab;
    for (const auto& [name, value] : setting_texts(reading.settings))
        lab.emplace(name, value);
    std::set<std::pair<std::string, std::string>> expected = file.lab;
    expected.insert({{"table-min", "none"},
                     {"table-max", "none"},
                     {"at-max", "cap"},
                     {"stop-loss", "off"},
                     {"take-profit", "off"},
                     {"max-spins", "off"},
                     {"at-ruin", "stop"}});
    EXPECT_EQ(lab, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Written, OldStoredSettings,
    ::testing::Values(
        StoredFile{"settings-a-4.1.conf",
                   "settings-a-4.1-loaded.quorvel",
                   {{"mode", "ADAPTIVE 4.1"},
                    {"type", "1"},
                    {"sectors", "Dozens & Columns"},
                    {"system", "Blind (Softer)"},
                    {"base-bet", "1"},
                    {"bankroll", "800"},
                    {"safe-level", "0"},
                    {"auto-reset", "on"},
                    {"aim", "equal"},
                    {"minimal-profit", "off"},
                    {"wins", "2 Wins In A Row DO NOTHING"},
                    {"losses", "2 Losses In A Row Check WINS"},
                    {"n-count", "12"},
                    {"seed", "1767225600"},
                    {"seconds-per-spin", "40"}}},
        StoredFile{"settings-b-4.1.conf",
                   "settings-b-4.1-loaded.quorvel",
                   {{"mode", "CHAINS 4.1"},
                    {"type", "2"},
                    {"sectors", "Only Columns"},
                    {"system", "D-Donald"},
                    {"base-bet", "4"},
                    {"bankroll", "1200"},
                    {"safe-level", "3"},
                    {"auto-reset", "off"},
                    {"aim", "units:40"},
                    {"minimal-profit", "on"},
                    {"wins", "3 Wins DIVIDE bet by: 2"},
                    {"losses", "1 Losses SET bet to: 9"},
                    {"n-count", "250"},
                    {"seed", "1767225600"},
                    {"seconds-per-spin", "40"}}}),
    [](const ::testing::TestParamInfo<StoredFile>& info) {
        return info.index == 0 ? std::string("ModesAndRules") : std::string("DoubleBets");
    });

}  // namespace
}  // namespace quorvel
