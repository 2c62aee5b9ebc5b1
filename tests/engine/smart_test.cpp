// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/smart.hpp"

#include <gtest/gtest.h>

#include <optional>

#include "draw_helpers.hpp"
#include "game/game.hpp"

namespace quorvel {
namespace {

using testing::kBoth;
using testing::kColumns;
using testing::kDozens;
// The one sector bet, none when nothing is bet.
using SmartCase = testing::DrawCase<std::optional<Sector>>;

class PredictionDozCol : public ::testing::TestWithParam<SmartCase> {};

TEST_P(PredictionDozCol, BetsOneSectorAsTheDrawsAndMarksSay) {
    const SmartCase& c = GetParam();
    Game game = testing::drawing_game(c);
    game.Bet_Sector = 2;
    game.Bet_Size = 3;

    Prediction_DozCol(game);
    if (c.bet) {
        EXPECT_EQ(game.table.chips, SectorSet{*c.bet});
        EXPECT_EQ(game.Bet_Sector, index_of(*c.bet));
        EXPECT_EQ(game.Bankroll, 4997);
    } else {
        EXPECT_TRUE(game.table.chips.empty());
        EXPECT_EQ(game.Bet_Sector, 2);
        EXPECT_EQ(game.Bankroll, 5000);  // nothing on the table, nothing charged
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, PredictionDozCol,
    ::testing::Values(
        SmartCase{"NoMarkDrawsSix", kBoth, {}, {4}, Sector::C2},
        SmartCase{"OddFamilyDrawTurnsToTheUnmarkedColumns", kBoth, {Sector::D1}, {1, 2},
                  Sector::C3},
        SmartCase{"EvenFamilyDrawTakesTheOneMark", kBoth, {Sector::D1}, {0}, Sector::D1},
        SmartCase{"FirstAndThirdEven", kDozens, {Sector::D1, Sector::D3}, {0}, Sector::D3},
        SmartCase{"FirstAndThirdOdd", kDozens, {Sector::D1, Sector::D3}, {1}, Sector::D1},
        SmartCase{"FirstAndSecondEven", kDozens, {Sector::D1, Sector::D2}, {0}, Sector::D1},
        SmartCase{"FirstAndSecondOdd", kDozens, {Sector::D1, Sector::D2}, {1}, Sector::D2},
        SmartCase{"SecondAndThirdEven", kColumns, {Sector::C2, Sector::C3}, {0}, Sector::C3},
        SmartCase{"SecondAndThirdOdd", kColumns, {Sector::C2, Sector::C3}, {1}, Sector::C2},
        SmartCase{"OnlyColumnsIgnoresDozenMarks", kColumns, {Sector::D1}, {1}, Sector::C2},
        SmartCase{"AFullFamilyBetsNothing", kDozens, {Sector::D1, Sector::D2, Sector::D3}, {0},
                  std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Reseeding from the clock at every run makes two runs in one second agree.
TEST(PredictionDozCol, TwoRunsInOneSecondBetTheSameSector) {
    Game first;
    Game second;
    first.random = RandomSource([] { return std::int64_t{1234567}; }, {});
    second.random = RandomSource([] { return std::int64_t{1234567}; }, {});
    second.random.reseed();
    second.random.next();  // draws taken before the run do not matter
    Prediction_DozCol(first);
    Prediction_DozCol(second);
    EXPECT_EQ(first.table.chips, second.table.chips);
    EXPECT_EQ(first.table.chips.size(), 1);
}

}  // namespace
}  // namespace quorvel
