// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/table_stats.hpp"

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/roulette.hpp"

namespace quorvel {
namespace {

struct Expected {
    std::size_t sleep;
    std::size_t recent_hits;
    std::size_t hits;
};

void expect_sectors(const TableStats& stats, const std::array<Expected, 6>& expected) {
    for (std::size_t s = 0; s < 6; ++s) {
        SCOPED_TRACE(std::string(name_of(kAllSectors[s])));
        EXPECT_EQ(stats.sectors[s].sleep, expected[s].sleep);
        EXPECT_EQ(stats.sectors[s].recent_hits, expected[s].recent_hits);
        EXPECT_EQ(stats.sectors[s].hits, expected[s].hits);
    }
}

TEST(TableStats, SleepsAndHitsOfAShortSession) {
    // 1: D1 C1, 14: D2 C2, 0: nothing, 36: D3 C3, 2: D1 C2.
    const std::vector<std::uint8_t> numbers{1, 14, 0, 36, 2};
    const TableStats stats = table_stats(numbers);
    EXPECT_EQ(stats.spins, 5u);
    EXPECT_EQ(stats.recent_spins(), 5u);
    expect_sectors(stats, {{{0, 2, 2}, {3, 1, 1}, {1, 1, 1}, {4, 1, 1}, {0, 2, 2}, {1, 1, 1}}});
}

TEST(TableStats, ZeroHitsNothingAndASectorNotYetSeenSleepsTheWholeSession) {
    const std::vector<std::uint8_t> numbers{0, 0, 0};
    const TableStats stats = table_stats(numbers);
    for (const SectorStats& sector : stats.sectors) {
        EXPECT_EQ(sector.sleep, 3u);
        EXPECT_FALSE(sector.seen);
        EXPECT_EQ(sector.hits, 0u);
    }
    EXPECT_EQ(table_stats({}).spins, 0u);
}

TEST(TableStats, RecentHitsCountOnlyTheLast37Spins) {
    // Three D1 numbers, then 13 (D2, C1) as the first of the last 37, then zeros.
    std::vector<std::uint8_t> numbers{1, 4, 7, 13};
    numbers.resize(40, 0);
    const TableStats stats = table_stats(numbers);
    EXPECT_EQ(stats.recent_spins(), 37u);
    const SectorStats& d1 = stats.sectors[0];
    EXPECT_EQ(d1.hits, 3u);
    EXPECT_EQ(d1.recent_hits, 0u);
    EXPECT_EQ(d1.sleep, 37u);
    EXPECT_EQ(stats.sectors[1].recent_hits, 1u);
    EXPECT_EQ(stats.sectors[1].sleep, 36u);
    // C1 came with 1, 4, 7 and 13.
    EXPECT_EQ(stats.sectors[3].hits, 4u);
    EXPECT_EQ(stats.sectors[3].recent_hits, 1u);
}

TEST(TableStats, PercentAgainstTheExpectedShare) {
    EXPECT_DOUBLE_EQ(percent_of(12, 37), 100.0 * kExpectedSectorShare);
    EXPECT_NEAR(100.0 * kExpectedSectorShare, 32.4, 0.05);
    EXPECT_DOUBLE_EQ(percent_of(3, 0), 0.0);
}

}  // namespace
}  // namespace quorvel
