// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab reads what the window stores and saves: the settings of "SAVE
// SETTINGS" and the numbers of a session file.
#include "lab/settings_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "lab/spin_file.hpp"
#include "play/session.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {
namespace {

std::string ini_of(const Parameters& params) {
    std::string text = "[General]\nsomething=else\n\n[settings]\n";
    for (const auto& [key, value] : stored_settings(params))
        text += std::string(key) + '=' + value + '\n';
    return text;
}

TEST(StoredSettings, WhatTheWindowStoresTheLabPlaysWith) {
    Session session([] { return std::int64_t{100}; });
    session.set(SettingId::GameModes, GameMode::Adaptive);
    session.set(SettingId::BettingType, BetType::Double);
    session.set(SettingId::BettingSystem, ProgressionSystem::Custom);
    session.set(SettingId::BettingSectors, SectorChoice::OnlyColumns);
    session.set(SettingId::N_Count, 25);
    session.set(SettingId::Init_Bet, 3);
    session.set(SettingId::CSpinEdit1, 700);
    session.set(SettingId::Safe_Level, 2);
    session.set(SettingId::CheckBox_Blind, false);
    session.set(SettingId::profit_aim_rule, ProfitAimRule::SetUnits);
    session.set(SettingId::ProfitUnits, 40);
    session.set(SettingId::ChBx_Get_Minimal_Profit, false);
    session.set(SettingId::Losses_HowMuch, 3);
    session.set(SettingId::Losses_Type, LossCount::LossesInARow);
    session.set(SettingId::Losses_Action, LossAction::Multiply);
    session.set(SettingId::Losses_ActionValue, 2);
    session.set(SettingId::Wins_HowMuch, 2);
    session.set(SettingId::Wins_Action, WinAction::Add);
    session.set(SettingId::Wins_ActionValue, 5);

    const StoredSettingsReading reading =
        parse_stored_settings(ini_of(session.params()), "quorvel.conf");
    ASSERT_TRUE(reading.ok()) << reading.error;
    EXPECT_EQ(reading.settings, settings_of(session.game()));
    EXPECT_EQ(reading.settings.N_Count, 25);
    EXPECT_EQ(reading.settings.Losses_Action, LossAction::Multiply);
}

TEST(StoredSettings, LoadingAppliesEachSettingThroughTheSessionAndTheJournalRecordsIt) {
    Parameters stored;
    stored.BettingType = BetType::Double;
    stored.BettingSystem = ProgressionSystem::DDonald;
    stored.Init_Bet = std::nullopt;  // an emptied field is stored empty
    stored.CheckBox1 = false;

    Session session([] { return std::int64_t{100}; });
    for (const auto& [key, value] : stored_settings(stored))
        ASSERT_EQ(apply_stored_setting(session, key, value), "") << key;
    EXPECT_EQ(session.params().BettingSystem, ProgressionSystem::DDonald);
    EXPECT_EQ(session.params().Init_Bet, std::nullopt);
    EXPECT_FALSE(session.params().CheckBox1);
    EXPECT_NE(session.journal().find("\"Bet. Type\":\"2\"}\n{\"Betting System\":\"D-Donald\"}\n"),
              std::string::npos)
        << session.journal();
    // Only what changed is an action.
    EXPECT_EQ(session.actions(), 4u);
}

TEST(StoredSettings, QuotedValuesAndForeignGroupsAreReadAsQtWritesThem) {
    const StoredSettingsReading reading = parse_stored_settings(
        "[other]\nGameModes=nonsense\n[settings]\nGameModes=\"PARADOX 4.1\"\r\n"
        "BettingSectors = Only Dozens\n",
        "q.conf");
    ASSERT_TRUE(reading.ok()) << reading.error;
    EXPECT_EQ(reading.settings.GameModes, GameMode::Paradox);
    EXPECT_EQ(reading.settings.BettingSectors, SectorChoice::OnlyDozens);
}

struct BadSettings {
    const char* name;
    const char* text;
    const char* error;
};

class RefusedSettings : public ::testing::TestWithParam<BadSettings> {};

TEST_P(RefusedSettings, NameTheLineAndWhatWasWrong) {
    const StoredSettingsReading reading = parse_stored_settings(GetParam().text, "q.conf");
    EXPECT_EQ(reading.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    StoredSettings, RefusedSettings,
    ::testing::Values(
        BadSettings{"UnknownKey", "[settings]\nColour=red\n",
                    "q.conf:2: there is no setting \"Colour\""},
        BadSettings{"OutOfRange", "[settings]\n\nInit_Bet=0\n",
                    "q.conf:3: Init_Bet: \"0\" is not a number from 1 to 1000000"},
        BadSettings{"NoTableForTheType",
                    "[settings]\nBettingType=2\nBettingSystem=Blind (Softer)\n",
                    "q.conf:3: BettingSystem: \"Blind (Softer)\" has no table for betting type 2"},
        BadSettings{"NotABox", "[settings]\nCheckBox1=yes\n",
                    "q.conf:2: CheckBox1: \"yes\" is neither true nor false"},
        BadSettings{"NoGroup", "[General]\nx=1\n",
                    "q.conf: no [settings] group: not a file of Quorvel's stored settings"},
        BadSettings{"NoEquals", "[settings]\nGameModes\n", "q.conf:2: expected KEY=VALUE"}),
    [](const auto& info) { return std::string(info.param.name); });

// A settings file is a few kilobytes: a larger one, or a device that never
// ends, is refused after reading one byte more than the largest there can be.
TEST(StoredSettings, AFileLargerThanOneMebibyteIsRefusedUnread) {
    const std::string large = ::testing::TempDir() + "large.conf";
    {
        std::ofstream out(large, std::ios::binary);
        out << "[settings]\n" << std::string(kLargestSettingsFile, '#');
    }
    for (const std::string& path : {large, std::string("/dev/zero")}) {
        const StoredSettingsReading reading = read_stored_settings(path);
        EXPECT_EQ(reading.error, path + ": larger than 1 MiB, which no settings file is; it was not read");
    }
    std::remove(large.c_str());
}

TEST(SessionSpins, ASessionFileGivesItsNumbersWithoutTheUndoneOnes) {
    std::int64_t now = 1767225600;
    Session session([&now] { return now; });
    for (int n : {4, 19, 33, 8, 0, 21, 2}) {
        now += 9;
        session.enter_number(n);
        session.end_analysis_pause();
    }
    ASSERT_TRUE(session.undo());
    session.play_number(15);
    const SpinFile file = parse_spin_text(session.journal(), "s.quorvel");
    ASSERT_TRUE(file.ok()) << file.error;
    EXPECT_EQ(file.spins, (std::vector<std::uint8_t>{4, 19, 33, 8, 0, 21, 15}));

    const SpinFile broken =
        parse_spin_text(session.journal() + "{\"spin\":3}\n{\"undo\":true}\n", "s.quorvel");
    EXPECT_FALSE(broken.ok());
    EXPECT_EQ(broken.error, "s.quorvel:19:2: unknown action \"spin\"");
    EXPECT_TRUE(broken.spins.empty());
}

}  // namespace
}  // namespace quorvel
