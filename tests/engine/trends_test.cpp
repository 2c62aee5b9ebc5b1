// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/trends.hpp"

#include <gtest/gtest.h>

#include "case_names.hpp"
#include "game/game.hpp"
#include "game/history.hpp"
#include "play/undo.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;

struct FamilyCase {
    SectorSet before;
    SectorSet after;
};

class Check3Trends : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(Check3Trends, ClearsOnlyAFullFamily) {
    Game game;
    game.table.trend_marks = GetParam().before;
    Check_3_Trends(game);
    EXPECT_EQ(game.table.trend_marks, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Families, Check3Trends,
    ::testing::Values(
        FamilyCase{{Sector::D1, Sector::D2}, {Sector::D1, Sector::D2}},
        FamilyCase{{Sector::D1, Sector::D2, Sector::D3, Sector::C1, Sector::C2},
                   {Sector::C1, Sector::C2}},
        FamilyCase{{Sector::D1, Sector::C1, Sector::C2, Sector::C3}, {Sector::D1}},
        FamilyCase{{Sector::D1, Sector::D2, Sector::D3, Sector::C1, Sector::C2, Sector::C3}, {}},
        FamilyCase{{Sector::D3, Sector::C3}, {Sector::D3, Sector::C3}}),
    [](const auto& info) { return "Marks" + testing::case_name(info.param.before); });

TEST(TrendMarks, AClickSetsAndASecondClickClearsOnlyThatSector) {
    Game game;
    set_trend_mark(game, Sector::C2);
    set_trend_mark(game, Sector::D1);
    EXPECT_EQ(game.table.trend_marks, (SectorSet{Sector::C2, Sector::D1}));
    clear_trend_mark(game, Sector::C2);
    EXPECT_EQ(game.table.trend_marks, SectorSet{Sector::D1});
}

// With D1, D2 and D3 all marked the worked sequence would still be blocked by
// the marks; the spin cycle clears the family first, so D3 is bet.
TEST(TrendMarks, AFullFamilyIsClearedBeforeThePrediction) {
    Game game;
    play(game, {7, 20, 0, 33});
    for (Sector s : {Sector::D1, Sector::D2, Sector::D3, Sector::C1})
        set_trend_mark(game, s);
    play(game, {5});
    EXPECT_EQ(game.table.trend_marks, SectorSet{Sector::C1});
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D3});
}

TEST(TrendMarks, SurviveSpinsAndUndo) {
    Game game;
    set_trend_mark(game, Sector::D2);
    set_trend_mark(game, Sector::C3);
    play(game, {4, 17, 29});
    Undo(game);
    EXPECT_EQ(game.table.trend_marks, (SectorSet{Sector::D2, Sector::C3}));
}

}  // namespace
}  // namespace quorvel
