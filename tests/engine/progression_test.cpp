// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/progression.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

struct TableCase {
    const char* name;
    std::span<const std::int64_t> (*table)();
    std::size_t entries;
    std::int64_t last;
};

class ProgressionTables : public ::testing::TestWithParam<TableCase> {};

TEST_P(ProgressionTables, HaveTheirLengthStartWithOneAndNeverFall) {
    const TableCase& c = GetParam();
    const auto table = c.table();
    ASSERT_EQ(table.size(), c.entries);
    EXPECT_EQ(table.front(), 1);
    EXPECT_EQ(table.back(), c.last);
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end()));
}

INSTANTIATE_TEST_SUITE_P(
    AllTables, ProgressionTables,
    ::testing::Values(TableCase{"Classic", &System_Classic, 31, 1346269},
                      TableCase{"ClassicDouble", &System_Classic_Double, 17, 43046721},
                      TableCase{"DDonald", &System_DDonald, 3000, 1500},
                      TableCase{"DDonaldDouble", &System_DDonald_Double, 23, 8388607},
                      TableCase{"DDonaldSofter", &System_DDonald_Softer, 3000, 1000},
                      TableCase{"Blind", &System_Blind, 3000, 1500},
                      TableCase{"BlindDouble", &System_Blind_Double, 2000, 5997},
                      TableCase{"BlindSofter", &System_Blind_Softer, 3000, 1000}),
    [](const ::testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

TEST(ProgressionRules, ClassicIsFibonacciAndItsDoubleArePowersOfThree) {
    const auto classic = System_Classic();
    EXPECT_EQ(classic[1], 1);
    for (std::size_t i = 2; i < classic.size(); ++i) {
        EXPECT_EQ(classic[i], classic[i - 1] + classic[i - 2]) << i;
    }
    const auto tripled = System_Classic_Double();
    for (std::size_t i = 1; i < tripled.size(); ++i)
        EXPECT_EQ(tripled[i], 3 * tripled[i - 1]);
}

TEST(ProgressionRules, NamedEntries) {
    EXPECT_EQ(System_Blind_Double()[334], 1002);
    EXPECT_EQ(System_Blind_Double()[1999], 5997);
    EXPECT_EQ(System_Blind_Double()[1], 3);
    EXPECT_EQ(System_DDonald_Double()[22], 8388607);
    EXPECT_EQ(System_DDonald_Double()[2], 7);
    EXPECT_EQ((std::vector<std::int64_t>(System_DDonald().begin(), System_DDonald().begin() + 6)),
              (std::vector<std::int64_t>{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ((std::vector<std::int64_t>(System_Blind_Softer().begin(),
                                         System_Blind_Softer().begin() + 7)),
              (std::vector<std::int64_t>{1, 1, 1, 2, 2, 2, 3}));
}

TEST(ActiveTable, FollowsSystemAndType) {
    EXPECT_EQ(active_table(ProgressionSystem::Blind, BetType::Double).size(), 2000u);
    EXPECT_EQ(active_table(ProgressionSystem::Classic, BetType::Single).size(), 31u);
    EXPECT_TRUE(active_table(ProgressionSystem::BlindSofter, BetType::Double).empty());
    EXPECT_TRUE(active_table(ProgressionSystem::DDonaldSofter, BetType::Double).empty());
    EXPECT_TRUE(active_table(ProgressionSystem::Custom, BetType::Single).empty());
}

TEST(TableEnd, AStepPastTheLastEntryStaysOnIt) {
    const auto classic = System_Classic();
    EXPECT_EQ(step_forward(classic, 29), 30);
    EXPECT_EQ(step_forward(classic, 30), 30);
    EXPECT_EQ(table_entry(classic, 30), 1346269);
    EXPECT_EQ(table_entry(classic, 2999), 1346269);  // a step kept from a longer table
}

TEST(SystemsOffered, DoubleBetsOfferOnlySystemsWithADoubleTable) {
    const auto doubles = systems_offered(BetType::Double);
    EXPECT_EQ(
        std::vector<ProgressionSystem>(doubles.begin(), doubles.end()),
        (std::vector<ProgressionSystem>{ProgressionSystem::Classic, ProgressionSystem::DDonald,
                                        ProgressionSystem::Blind, ProgressionSystem::Custom}));
    for (ProgressionSystem system : doubles) {
        if (system != ProgressionSystem::Custom) {
            EXPECT_FALSE(active_table(system, BetType::Double).empty()) << text_of(system);
        }
    }
    EXPECT_EQ(systems_offered(BetType::Single).size(), 6u);
}

}  // namespace
}  // namespace quorvel
