// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/roulette.hpp"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct NumberCase {
    int number;
    int dozen;
    int column;
    NumberColour colour;
    int display_colour;
};

class NumberAttributes : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberAttributes, MatchTheTable) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(dozen_of(c.number), c.dozen);
    EXPECT_EQ(column_of(c.number), c.column);
    EXPECT_EQ(colour_of(c.number), c.colour);
    EXPECT_EQ(display_colour_of(c.number), c.display_colour);
}

INSTANTIATE_TEST_SUITE_P(EdgeNumbers, NumberAttributes,
                         ::testing::Values(NumberCase{0, 0, 0, NumberColour::Green, 32768},
                                           NumberCase{1, 1, 1, NumberColour::Red, 128},
                                           NumberCase{10, 1, 1, NumberColour::Black, 1644825},
                                           NumberCase{11, 1, 2, NumberColour::Black, 1644825},
                                           NumberCase{12, 1, 3, NumberColour::Red, 128},
                                           NumberCase{13, 2, 1, NumberColour::Black, 1644825},
                                           NumberCase{18, 2, 3, NumberColour::Red, 128},
                                           NumberCase{19, 2, 1, NumberColour::Red, 128},
                                           NumberCase{24, 2, 3, NumberColour::Black, 1644825},
                                           NumberCase{25, 3, 1, NumberColour::Red, 128},
                                           NumberCase{34, 3, 1, NumberColour::Red, 128},
                                           NumberCase{35, 3, 2, NumberColour::Black, 1644825},
                                           NumberCase{36, 3, 3, NumberColour::Red, 128}),
                         [](const ::testing::TestParamInfo<NumberCase>& info) {
                             return "Number" + std::to_string(info.param.number);
                         });

TEST(Wheel, HasEighteenRedAndEighteenBlackNumbers) {
    int red = 0;
    int black = 0;
    for (int n = 1; n <= 36; ++n) {
        red += colour_of(n) == NumberColour::Red ? 1 : 0;
        black += colour_of(n) == NumberColour::Black ? 1 : 0;
    }
    EXPECT_EQ(red, 18);
    EXPECT_EQ(black, 18);
}

TEST(Sectors, EveryNonZeroNumberLiesInExactlyOneDozenAndOneColumn) {
    for (int n = 1; n <= 36; ++n) {
        int dozens = 0;
        int columns = 0;
        for (Sector s : kAllSectors) {
            if (!sector_holds(s, n)) continue;
            (is_dozen(s) ? dozens : columns) += 1;
        }
        EXPECT_EQ(dozens, 1) << n;
        EXPECT_EQ(columns, 1) << n;
    }
}

TEST(Sectors, ZeroLosesEveryBet) {
    for (Sector s : kAllSectors)
        EXPECT_FALSE(sector_holds(s, 0)) << name_of(s);
}

TEST(Sectors, ColumnsFollowTheRemainderModuloThree) {
    EXPECT_TRUE(sector_holds(Sector::C1, 34));
    EXPECT_TRUE(sector_holds(Sector::C2, 35));
    EXPECT_TRUE(sector_holds(Sector::C3, 36));
    EXPECT_TRUE(sector_holds(Sector::D3, 25));
    EXPECT_FALSE(sector_holds(Sector::D2, 12));
}

TEST(SectorSetTest, InsertEraseAndCount) {
    SectorSet set{Sector::D3, Sector::C2};
    EXPECT_EQ(set.size(), 2);
    EXPECT_TRUE(set.contains(Sector::D3));
    EXPECT_FALSE(set.contains(Sector::D1));
    set.erase(Sector::D3);
    EXPECT_EQ(set, SectorSet{Sector::C2});
    set.clear();
    EXPECT_TRUE(set.empty());
}

}  // namespace
}  // namespace quorvel
