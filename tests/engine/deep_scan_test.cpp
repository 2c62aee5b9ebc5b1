// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/deep_scan.hpp"

#include <gtest/gtest.h>

#include "case_names.hpp"
#include "game/game.hpp"
#include "game/history.hpp"
#include "play/undo.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;

void take_in(Game& game, int number) {
    game.CurrentNum = number;
    DeepScan_Calc(game);
}

TEST(DeepScanCalc, FollowsTheWorkedSequence) {
    struct Row {
        int number, sum, family, pair;
    };
    const Row rows[] = {{7, 7, 1, 1},   {20, 27, 0, 0}, {0, 27, 1, 1},
                        {33, 24, 1, 1}, {5, 29, 0, 0},  {36, 29, 1, 1}};
    Game game;
    for (const Row& row : rows) {
        take_in(game, row.number);
        EXPECT_EQ(game.deep_scan.DeepScan_Sum, row.sum) << "after " << row.number;
        EXPECT_EQ(game.deep_scan.DeepScan_Family, row.family) << "after " << row.number;
        EXPECT_EQ(game.deep_scan.DeepScan_Pair, row.pair) << "after " << row.number;
    }
}

TEST(DeepScanCalc, WrapsTheSumIntoOneTo36AndLetsZeroFlipTheFamilyOnlyOnAnOddSum) {
    Game game;
    take_in(game, 0);
    EXPECT_EQ(game.deep_scan.DeepScan_Sum, 0);
    EXPECT_EQ(game.deep_scan.DeepScan_Family, 0);

    take_in(game, 30);
    take_in(game, 10);
    EXPECT_EQ(game.deep_scan.DeepScan_Sum, 4);  // 40 wraps to 4
    const int family = game.deep_scan.DeepScan_Family;
    take_in(game, 0);  // even sum: nothing changes
    EXPECT_EQ(game.deep_scan.DeepScan_Family, family);

    take_in(game, 32);
    EXPECT_EQ(game.deep_scan.DeepScan_Sum, 36);  // 36 is a sum of its own, not 0
    take_in(game, 5);
    const int odd_family = game.deep_scan.DeepScan_Family;
    take_in(game, 36);  // sum stays 5, family flips
    EXPECT_EQ(game.deep_scan.DeepScan_Sum, 5);
    EXPECT_EQ(game.deep_scan.DeepScan_Family, 1 - odd_family);
}

TEST(DeepScanCalc, UndoKeepsWhatTheUndoneNumberAdded) {
    Game game;
    play(game, {7, 20});
    Undo(game);
    EXPECT_EQ(game.deep_scan.DeepScan_Sum, 27);
}

// The worked sequence through the spin cycle, at a stake of 2: the bet after
// the fifth number, and the one after a following 36.
struct WorkedCase {
    BetType type;
    SectorSet marks;
    SectorSet after_five;
    std::int64_t charge;
    SectorSet after_36;
};

class WorkedSequence : public ::testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedSequence, BetsWhereTheAccumulatorsPoint) {
    const WorkedCase& c = GetParam();
    Game game;
    game.params.BettingType = c.type;
    game.Bet_Size = 2;
    game.table.trend_marks = c.marks;

    play(game, {7, 20, 0, 33, 5});
    EXPECT_EQ(game.table.chips, c.after_five);
    EXPECT_EQ(game.Bankroll, 5000 - c.charge);

    play(game, {36});
    EXPECT_EQ(game.table.chips, c.after_36);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    SingleAndDouble, WorkedSequence,
    ::testing::Values(
        WorkedCase{BetType::Single, {}, {Sector::D3}, 2, {Sector::C2}},
        WorkedCase{BetType::Double, {}, {Sector::D2, Sector::D3}, 4, {Sector::C2, Sector::C3}},
        // The D1 mark stops both dozen bets; the column bets after 36 ignore it.
        WorkedCase{BetType::Single, {Sector::D1}, {}, 0, {Sector::C2}},
        WorkedCase{BetType::Double, {Sector::D1}, {}, 0, {Sector::C2, Sector::C3}}),
    [](const auto& info) {
        return testing::case_name(info.param.type) + "_Marked" +
               testing::case_name(info.param.marks);
    });
// clang-format on

struct PredictionCase {
    const char* name;
    int sum, family, pair;
    SectorChoice choice;
    BetType type;
    SectorSet marks;
    SectorSet bet;
    int family_after;
};

class DeepScanPrediction : public ::testing::TestWithParam<PredictionCase> {};

TEST_P(DeepScanPrediction, ChoosesTheSectorsTheMarksAllow) {
    const PredictionCase& c = GetParam();
    Game game;
    game.deep_scan = {c.sum, c.family, c.pair};
    game.params.BettingSectors = c.choice;
    game.params.BettingType = c.type;
    game.table.trend_marks = c.marks;

    DeepScan_Prediction(game);
    EXPECT_EQ(game.table.chips, c.bet);
    EXPECT_EQ(game.deep_scan.DeepScan_Family, c.family_after);
    EXPECT_EQ(game.Bet_Sector, 0);  // deep scan never records a sector
}

constexpr auto kBoth = SectorChoice::DozensAndColumns;
constexpr auto kSingle = BetType::Single;
constexpr auto kDouble = BetType::Double;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, DeepScanPrediction,
    ::testing::Values(
        PredictionCase{"ZeroSumBetsFirstDozen", 0, 0, 0, kBoth, kSingle, {}, {Sector::D1}, 0},
        PredictionCase{"ZeroSumDoubleBetsFirstPair", 0, 0, 0, kBoth, kDouble, {},
                       {Sector::D1, Sector::D2}, 0},
        PredictionCase{"MarkedTargetIsBet", 5, 0, 0, kBoth, kSingle, {Sector::D1, Sector::D2},
                       {Sector::D1}, 0},
        PredictionCase{"UnmarkedTargetIsNot", 30, 0, 0, kBoth, kSingle,
                       {Sector::D1, Sector::D2}, {}, 0},
        PredictionCase{"MarkOnLeftOutSectorStopsThePair", 14, 0, 1, kBoth, kDouble,
                       {Sector::D1}, {}, 0},
        PredictionCase{"MarkInsideThePairKeepsIt", 14, 0, 1, kBoth, kDouble, {Sector::D2},
                       {Sector::D2, Sector::D3}, 0},
        PredictionCase{"ColumnMarksNeverStopADozenBet", 30, 0, 0, kBoth, kSingle,
                       {Sector::C1, Sector::C2}, {Sector::D3}, 0},
        PredictionCase{"OnlyColumnsTurnsADozenTargetIntoAColumn", 14, 0, 0,
                       SectorChoice::OnlyColumns, kSingle, {}, {Sector::C2}, 1},
        PredictionCase{"OnlyDozensTurnsAColumnTargetIntoADozen", 5, 1, 1,
                       SectorChoice::OnlyDozens, kSingle, {}, {Sector::D2}, 0},
        PredictionCase{"ColumnPairByParity", 3, 1, 0, kBoth, kDouble, {},
                       {Sector::C2, Sector::C3}, 1}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace quorvel
