// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/double_bet.hpp"

#include <gtest/gtest.h>

#include "case_names.hpp"
#include "draw_helpers.hpp"
#include "game/game.hpp"
#include "predict/matrix.hpp"

namespace quorvel {
namespace {

using testing::kBoth;
using testing::kColumns;
using testing::kDozens;
// The pair of sectors bet, none when nothing is bet.
using DoubleCase = testing::DrawCase<SectorSet>;

class PredictionDouble : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(PredictionDouble, BetsThePairTheDrawsAndMarksSay) {
    const DoubleCase& c = GetParam();
    Game game = testing::drawing_game(c);
    game.Bet_Size = 3;
    game.Bet_Sector = 4;

    Prediction_Double(game);
    EXPECT_EQ(game.table.chips, c.bet);
    EXPECT_EQ(game.Bankroll, c.bet.empty() ? 5000 : 4994);
    EXPECT_EQ(game.Bet_Sector, 4);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, PredictionDouble,
    ::testing::Values(
        DoubleCase{"NoMarkDrawTwoIsFirstAndThirdDozen", kBoth, {}, {2}, {Sector::D1, Sector::D3}},
        DoubleCase{"NoMarkDrawFiveIsFirstAndThirdColumn", kBoth, {}, {5},
                   {Sector::C1, Sector::C3}},
        DoubleCase{"UnmarkedFamilyOfTwoFamiliesOddIsSecondAndThird", kBoth, {Sector::C1}, {0, 1},
                   {Sector::D2, Sector::D3}},
        DoubleCase{"UnmarkedFamilyOfTwoFamiliesEvenIsFirstAndSecond", kBoth, {Sector::C1}, {0, 0},
                   {Sector::D1, Sector::D2}},
        DoubleCase{"OneMarkTakesTheLowerPartnerOnEven", kBoth, {Sector::C1}, {1, 0},
                   {Sector::C1, Sector::C2}},
        DoubleCase{"OneMarkTakesTheHigherPartnerOnOdd", kDozens, {Sector::D3}, {1},
                   {Sector::D3, Sector::D2}},
        DoubleCase{"TwoMarksAreThePairWithoutADraw", kDozens, {Sector::D1, Sector::D3}, {},
                   {Sector::D1, Sector::D3}},
        DoubleCase{"OnlyColumnsIgnoresDozenMarks", kColumns, {Sector::D1, Sector::D2}, {2},
                   {Sector::C1, Sector::C3}},
        DoubleCase{"OnlyDozensDrawOneIsSecondAndThird", kDozens, {}, {1},
                   {Sector::D2, Sector::D3}},
        DoubleCase{"AFullFamilyBetsNothing", kDozens, {Sector::D1, Sector::D2, Sector::D3}, {0},
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct PartnerCase {
    int code;
    std::uint32_t draw;
    SectorSet pair;
};

class PredictionMatrixDouble : public ::testing::TestWithParam<PartnerCase> {};

TEST_P(PredictionMatrixDouble, AddsThePartnerOfTheCodeAndMovesOn) {
    const PartnerCase& c = GetParam();
    Game game;
    game.random = testing::fixed_draws({c.draw});
    game.matrix.AdaptiveList2 = {0, 0, c.code, 0};
    game.matrix.Matrix_List = 2;
    game.matrix.Matrix_Position = 2;
    game.Bet_Size = 5;

    Prediction_Matrix_Double(game);
    EXPECT_EQ(game.table.chips, c.pair);
    EXPECT_EQ(game.matrix.Matrix_Position, 3);
    EXPECT_EQ(game.Bankroll, 4990);
    EXPECT_EQ(game.Bet_Sector, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PartnerTable, PredictionMatrixDouble,
                         ::testing::Values(PartnerCase{0, 1, {Sector::D1, Sector::D3}},
                                           PartnerCase{1, 0, {Sector::D2, Sector::D1}},
                                           PartnerCase{2, 0, {Sector::D3, Sector::D2}},
                                           PartnerCase{2, 1, {Sector::D3, Sector::D1}},
                                           PartnerCase{4, 1, {Sector::C2, Sector::C3}},
                                           PartnerCase{5, 0, {Sector::C3, Sector::C1}},
                                           PartnerCase{5, 1, {Sector::C3, Sector::C2}}),
                         [](const auto& info) {
                             return std::string(name_of(sector_at(info.param.code + 1))) +
                                    "_Draw" + std::to_string(info.param.draw);
                         });
// clang-format on

}  // namespace
}  // namespace quorvel
