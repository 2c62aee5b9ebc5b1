// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/matrix.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "case_names.hpp"
#include "draw_helpers.hpp"
#include "game/game.hpp"
#include "money_helpers.hpp"
#include "play/spin_cycle.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;

Game adaptive_game() {
    Game game;
    game.params.GameModes = GameMode::Adaptive;
    game.random = RandomSource([] { return std::int64_t{86400}; }, {});
    return game;
}

// A list of codes that are all `code`, but for the given lines.
std::vector<int> list_of(int code, std::initializer_list<std::pair<int, int>> lines = {}) {
    std::vector<int> list(Matrix_Length, code);
    for (auto [line, other] : lines)
        list[static_cast<std::size_t>(line)] = other;
    return list;
}

class MatrixCodes : public ::testing::TestWithParam<std::pair<SectorChoice, std::set<int>>> {};

TEST_P(MatrixCodes, CreationFillsEveryListWithTheCodesOfTheChosenSectors) {
    Game game = adaptive_game();
    game.params.BettingSectors = GetParam().first;
    Adaptive_Matrix(game);
    for (int k = 1; k <= 3; ++k) {
        const std::vector<int>& list = game.matrix.AdaptiveList(k);
        ASSERT_EQ(list.size(), static_cast<std::size_t>(Matrix_Length));
        EXPECT_EQ(std::set<int>(list.begin(), list.end()), GetParam().second) << "list " << k;
    }
    EXPECT_NE(game.matrix.AdaptiveList1, game.matrix.AdaptiveList2);
}

INSTANTIATE_TEST_SUITE_P(
    SectorChoices, MatrixCodes,
    ::testing::Values(std::pair{SectorChoice::DozensAndColumns, std::set<int>{0, 1, 2, 3, 4, 5}},
                      std::pair{SectorChoice::OnlyDozens, std::set<int>{0, 1, 2}},
                      std::pair{SectorChoice::OnlyColumns, std::set<int>{3, 4, 5}}),
    [](const auto& info) { return testing::case_name(info.param.first); });

// With the matrix made, only its reset is offered; without, its creation and
// the count that goes with it. Label4 and Shape2 show which.
void expect_matrix_controls(const Game& game, bool created) {
    EXPECT_EQ(create_matrix_offered(game), !created);
    EXPECT_EQ(n_count_editable(game), !created);
    EXPECT_EQ(reset_matrix_offered(game), created);
    EXPECT_EQ(game.matrix.Label4, created ? 12632256 : 65535);
    EXPECT_EQ(game.matrix.Shape2, created ? 32896 : 0);
}

TEST(MatrixControls, CreateAndResetEachLockThemselvesAndFreeTheOther) {
    Game game = adaptive_game();
    game.table.Background_Blur = true;
    Adaptive_Matrix(game);
    expect_matrix_controls(game, true);
    EXPECT_EQ(game.matrix.CGauge2.progress, 0);
    EXPECT_FALSE(game.table.Background_Blur);
    EXPECT_TRUE(matrix_created(game));

    game.table.chips = {Sector::D2};
    Set_N_Count(game);
    expect_matrix_controls(game, false);
    EXPECT_EQ(game.matrix.CGauge2.maximum, 30000);
    EXPECT_TRUE(game.table.Background_Blur);
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_TRUE(std::none_of(game.table.SpeedButton.begin(), game.table.SpeedButton.end(),
                             [](bool shown) { return shown; }));
    EXPECT_EQ(game.Undo_Counter, 1);  // the bet was reset
    EXPECT_FALSE(matrix_created(game));

    Adaptive_Matrix(game);
    EXPECT_TRUE(std::all_of(game.table.SpeedButton.begin(), game.table.SpeedButton.end(),
                            [](bool shown) { return shown; }));
}

struct ResetRefundCase {
    const char* name;
    BetType type;
    bool safe_level;
    std::int64_t refund;
};

class ResetMatrixRefund : public ::testing::TestWithParam<ResetRefundCase> {};

// The bet on the table leaves it unsettled, so its stake comes back.
TEST_P(ResetMatrixRefund, ReturnsTheStakeOfTheBetTakenOffTheTable) {
    const ResetRefundCase& c = GetParam();
    Game game = adaptive_game();
    Adaptive_Matrix(game);
    game.params.BettingType = c.type;
    game.Bet_Size = 4;
    game.Bankroll = 4900;
    game.table.chips =
        c.type == BetType::Single ? SectorSet{Sector::C1} : SectorSet{Sector::C1, Sector::C2};
    game.table.SL_Field = c.safe_level;
    Set_N_Count(game);
    EXPECT_EQ(game.Bankroll, 4900 + c.refund);
    EXPECT_EQ(game.Bet_Size, 1);
    EXPECT_TRUE(game.table.chips.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ResetMatrixRefund,
                         ::testing::Values(ResetRefundCase{"SingleBet", BetType::Single, false, 4},
                                           ResetRefundCase{"DoubleBet", BetType::Double, false, 8},
                                           ResetRefundCase{"VirtualBet", BetType::Double, true, 0}),
                         [](const ::testing::TestParamInfo<ResetRefundCase>& info) {
                             return std::string(info.param.name);
                         });

// "CREATE MATRIX" charged the bet on the table anew at the reset stake; "Reset
// Matrix" hands back exactly that.
TEST(ResetMatrixRefund, HandsBackWhatWasChargedAfterCreationResetTheBet) {
    Game game;
    game.params.GameModes = GameMode::DeepScan;
    game.Bet_Size = 4;
    testing::place_bet(game, {Sector::C1});
    ASSERT_EQ(game.Bankroll, 4996);
    Adaptive_Matrix(game);
    EXPECT_EQ(game.Bankroll, 4999);
    Set_N_Count(game);
    EXPECT_EQ(game.Bankroll, 5000);
    EXPECT_EQ(game.books.on_table, 0);
}

TEST(ResetMatrix, EndsTheUndoOfferAlsoWhileTheBaseBetIsTyped) {
    Game game = adaptive_game();
    Adaptive_Matrix(game);
    play(game, {1, 2, 3});
    ASSERT_TRUE(game.table.undo_offered);
    game.params.Init_Bet.reset();
    Set_N_Count(game);
    EXPECT_FALSE(game.table.undo_offered);
    EXPECT_EQ(game.Undo_Counter, 1);
}

TEST(CreateMatrix, AnEmptiedCountTakesTheLeastValueAndTheMatrixChooses) {
    Game game = adaptive_game();
    game.params.N_Count.reset();
    Adaptive_Matrix(game);
    EXPECT_EQ(game.params.N_Count, 10);
    game.matrix.AdaptiveList1 = list_of(1);
    game.matrix.AdaptiveList2 = list_of(0);
    game.matrix.AdaptiveList3 = list_of(5);
    for (int spin = 1; spin <= 10; ++spin)
        play(game, {14});
    EXPECT_EQ(game.Matrix_Ready, 1);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D2});
    play(game, {14});  // the matrix bet is settled
    EXPECT_EQ(game.Bankroll, 5000 - 1 + 3 - 1);
}

TEST(NCountBox, ReachesAsFarAsATieRaisesTheCount) {
    Game game = adaptive_game();
    Adaptive_Matrix(game);
    EXPECT_EQ(n_count_range(game).maximum, 1000);
    game.params.N_Count = 1000;
    game.matrix.Matrix_Position = 1000;
    Define_Matrix(game);  // three scores of 0: a tie
    EXPECT_EQ(game.params.N_Count, 1001);
    EXPECT_EQ(n_count_range(game).maximum, 1001);
    EXPECT_EQ(n_count_range(game).minimum, 10);
}

TEST(MatrixButtons, DoNothingDuringTheAnalysisPause) {
    Game game = adaptive_game();
    enter_number(game, 7);
    EXPECT_FALSE(create_matrix_offered(game));
    Adaptive_Matrix(game);
    EXPECT_FALSE(matrix_created(game));
    EXPECT_TRUE(std::none_of(game.table.SpeedButton.begin(), game.table.SpeedButton.end(),
                             [](bool shown) { return shown; }));
    end_analysis_pause(game);
    EXPECT_TRUE(create_matrix_offered(game));
    Adaptive_Matrix(game);
    ASSERT_TRUE(matrix_created(game));

    enter_number(game, 8);
    EXPECT_FALSE(reset_matrix_offered(game));
    Set_N_Count(game);
    EXPECT_TRUE(matrix_created(game));
    end_analysis_pause(game);
    EXPECT_TRUE(reset_matrix_offered(game));
    Set_N_Count(game);
    EXPECT_FALSE(matrix_created(game));
    EXPECT_TRUE(game.table.Background_Blur);
}

TEST(AdaptiveMode, BetsNothingAndScoresNothingWithoutAMatrix) {
    Game game = adaptive_game();
    play(game, {1, 2, 3, 4, 5, 6});
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_EQ(game.matrix.Matrix_Position, 0);

    Adaptive_Matrix(game);
    Set_N_Count(game);
    play(game, {7});
    EXPECT_EQ(game.matrix.Matrix_Position, 0);
}

// Fourteen lies in D2 and C2: code 1 and code 4 match it, codes 0 and 5 never.
TEST(AdaptiveMode, ChoosesTheLeaderOnTheTenthSpinAndBetsItsNextLine) {
    Game game = adaptive_game();
    Adaptive_Matrix(game);
    game.matrix.AdaptiveList1 = list_of(0, {{3, 1}});
    game.matrix.AdaptiveList2 = list_of(1, {{10, 4}, {11, 3}});
    game.matrix.AdaptiveList3 = list_of(5);

    for (int spin = 1; spin <= 9; ++spin)
        play(game, {14});
    EXPECT_EQ(game.Matrix_Ready, 0);
    EXPECT_TRUE(game.table.chips.empty());

    play(game, {14});
    EXPECT_EQ(game.matrix.Adaptive1, 1);
    EXPECT_EQ(game.matrix.Adaptive2, 10);
    EXPECT_EQ(game.matrix.Adaptive3, 0);
    EXPECT_EQ(game.Matrix_Ready, 1);
    EXPECT_EQ(game.matrix.Matrix_List, 2);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::C2});  // line 10
    EXPECT_EQ(game.Bet_Sector, 5);
    EXPECT_EQ(game.Bankroll, game.Bankroll_At_Prediction - 1);

    play(game, {14});
    EXPECT_EQ(game.table.chips, SectorSet{Sector::C1});  // line 11
    EXPECT_EQ(game.matrix.Matrix_Position, 12);
}

TEST(AdaptiveMode, ATieScoresOneSpinMore) {
    Game game = adaptive_game();
    Adaptive_Matrix(game);
    game.matrix.AdaptiveList1 = list_of(0, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {10, 1}});
    game.matrix.AdaptiveList2 = list_of(0, {{4, 4}, {5, 4}, {6, 4}, {7, 4}});
    game.matrix.AdaptiveList3 = list_of(0, {{8, 1}, {9, 1}});

    for (int spin = 1; spin <= 10; ++spin)
        play(game, {14});
    EXPECT_EQ(game.matrix.Adaptive1, 4);
    EXPECT_EQ(game.matrix.Adaptive2, 4);
    EXPECT_EQ(game.matrix.Adaptive3, 2);
    EXPECT_EQ(game.params.N_Count, 11);
    EXPECT_EQ(game.Matrix_Ready, 0);
    EXPECT_TRUE(game.table.chips.empty());

    play(game, {14});
    EXPECT_EQ(game.matrix.Adaptive1, 5);
    EXPECT_EQ(game.matrix.Matrix_List, 1);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D1});  // line 11 of list 1
}

TEST(AdaptiveMode, DoubleBetTakesTheCodeAndADrawnPartner) {
    Game game = adaptive_game();
    game.params.BettingType = BetType::Double;
    Adaptive_Matrix(game);
    game.random = testing::fixed_draws({1});
    game.matrix.AdaptiveList1 = list_of(1, {{10, 3}});
    game.matrix.AdaptiveList2 = list_of(0);
    game.matrix.AdaptiveList3 = list_of(0);
    for (int spin = 1; spin <= 10; ++spin)
        play(game, {14});
    EXPECT_EQ(game.table.chips, (SectorSet{Sector::C1, Sector::C3}));
    EXPECT_EQ(game.Bankroll, game.Bankroll_At_Prediction - 2);
}

TEST(AnalizeMatrix, AZeroScoresNoList) {
    Game game = adaptive_game();
    Adaptive_Matrix(game);
    play(game, {0});
    EXPECT_EQ(game.matrix.Adaptive1 + game.matrix.Adaptive2 + game.matrix.Adaptive3, 0);
    EXPECT_EQ(game.matrix.Matrix_Position, 1);
}

TEST(ResetMatrix, EmptiesTheScoresAndStartsAgainAtLineZero) {
    Game game = adaptive_game();
    Adaptive_Matrix(game);
    game.matrix.AdaptiveList1 = list_of(1);
    play(game, {14, 14, 14});
    game.Matrix_Ready = 1;
    game.matrix.Matrix_List = 3;

    Reset_Matrix(game);
    EXPECT_EQ(game.matrix.Adaptive1, 0);
    EXPECT_EQ(game.matrix.Matrix_Position, 0);
    EXPECT_EQ(game.Matrix_Ready, 0);
    EXPECT_TRUE(game.matrix.AdaptiveList1.empty());
    EXPECT_EQ(game.matrix.Matrix_List, 3);  // kept until a list is chosen again
}

TEST(PredictionMatrix, GoesOnFromLineZeroPastTheLastLine) {
    Game game;
    game.matrix.AdaptiveList3 = list_of(2, {{0, 5}});
    game.matrix.Matrix_List = 3;
    game.matrix.Matrix_Position = Matrix_Length;
    Prediction_Matrix(game);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::C3});
    EXPECT_EQ(game.Bet_Sector, 6);
}

TEST(PredictionMatrix, BetsDozenOneWhileNoListIsChosen) {
    Game game;
    game.table.SL_Field = true;
    Prediction_Matrix(game);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D1});
    EXPECT_EQ(game.Bet_Sector, 1);
    EXPECT_EQ(game.Bankroll, 5000);  // virtual
}

}  // namespace
}  // namespace quorvel
