// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/bet_state.hpp"

#include <gtest/gtest.h>

#include "case_names.hpp"
#include "game/captions.hpp"
#include "game/game.hpp"
#include "money/progression.hpp"
#include "money/saturating.hpp"
#include "money/settlement.hpp"
#include "money_helpers.hpp"
#include "play/spin_cycle.hpp"
#include "predict/matrix.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::place_bet;
using testing::settle;

class BetReset : public ::testing::TestWithParam<ProgressionSystem> {};

TEST_P(BetReset, GoesBackToTheBaseBetAndHidesTheUndo) {
    Game game;
    game.params.BettingSystem = GetParam();
    game.params.Init_Bet = 5;
    game.Bet_Step = 9;
    game.Bet_Size = 80;
    game.Custom_Bet = 80;
    game.table.undo_offered = true;
    game.Undo_Counter = 4;
    game.table.chips = {Sector::D2};
    RResetBets(game);
    EXPECT_EQ(game.Bet_Step, 0);
    EXPECT_EQ(game.Bet_Size, 5);
    EXPECT_EQ(game.Custom_Bet, 5);
    EXPECT_EQ(current_bet_caption(game), "5");
    EXPECT_FALSE(game.table.undo_offered);
    EXPECT_EQ(game.Undo_Counter, 1);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D2});  // the bet on the table stays
    EXPECT_EQ(game.Bankroll, 5000);
}

INSTANTIATE_TEST_SUITE_P(EverySystem, BetReset,
                         ::testing::Values(ProgressionSystem::Classic, ProgressionSystem::DDonald,
                                           ProgressionSystem::DDonaldSofter,
                                           ProgressionSystem::Blind, ProgressionSystem::BlindSofter,
                                           ProgressionSystem::Custom),
                         testing::CaseName());

TEST(BetResetWhileTyping, OnlyZeroesTheStep) {
    Game game;
    game.Bet_Step = 4;
    game.Bet_Size = 3;
    game.table.undo_offered = true;
    game.params.Init_Bet.reset();
    RResetBets(game);
    EXPECT_EQ(game.Bet_Step, 0);
    EXPECT_EQ(game.Bet_Size, 3);
    EXPECT_TRUE(game.table.undo_offered);
}

// The bankroll once the new base bet is charged.
using BaseBetCase = testing::TableBetCase;

class BaseBetChange : public ::testing::TestWithParam<BaseBetCase> {};

TEST_P(BaseBetChange, ChargesTheBetOnTheTableAnew) {
    const BaseBetCase& c = GetParam();
    Game game = testing::game_with_table_bet(c);
    game.Bankroll_At_Prediction = 4800;
    game.Bankroll = 4799;
    game.params.Init_Bet = 3;
    Init_BetChange(game);
    EXPECT_EQ(game.Bankroll, c.expected);
    EXPECT_EQ(game.Bet_Size, 3);
    EXPECT_EQ(game.table.chips, c.chips);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BaseBetChange,
    ::testing::Values(BaseBetCase{"SingleBet", BetType::Single, {Sector::D1}, false, 4797},
                      BaseBetCase{
                          "DoubleBet", BetType::Double, {Sector::D1, Sector::D2}, false, 4794},
                      BaseBetCase{"NoChip", BetType::Single, {}, false, 4799},
                      BaseBetCase{"SafeLevel", BetType::Single, {Sector::C3}, true, 4799}),
    [](const ::testing::TestParamInfo<BaseBetCase>& info) { return std::string(info.param.name); });

TEST(BaseBetChangeWhileTyping, ChargesNothing) {
    Game game;
    game.table.chips = {Sector::D1};
    game.Bankroll = 4000;
    game.params.Init_Bet.reset();
    Init_BetChange(game);
    EXPECT_EQ(game.Bankroll, 4000);
}

TEST(BetTypeChange, ToDoubleBetsSelectsTheTwinOfASofterSystem) {
    Game game;
    game.params.BettingSystem = ProgressionSystem::BlindSofter;
    game.params.BettingType = BetType::Double;
    BettingTypeChange(game);
    EXPECT_EQ(game.params.BettingSystem, ProgressionSystem::Blind);

    game.params.BettingSystem = ProgressionSystem::DDonaldSofter;
    BettingTypeChange(game);
    EXPECT_EQ(game.params.BettingSystem, ProgressionSystem::DDonald);

    game.params.BettingType = BetType::Single;
    BettingTypeChange(game);
    EXPECT_EQ(game.params.BettingSystem, ProgressionSystem::DDonald);
}

// A bet of 4 on the table, charged: 5000 before the stake, 4996 after.
Game game_with_a_bet_of_four(BetType type = BetType::Single) {
    Game game;
    game.params.BettingType = type;
    game.Bet_Step = 5;
    game.Bet_Size = 4;
    place_bet(game,
              type == BetType::Single ? SectorSet{Sector::D1} : SectorSet{Sector::D1, Sector::D2});
    return game;
}

struct ResetCase {
    const char* name;
    void (*reset)(Game&);
    BetType type;
    bool safe_level;
    std::optional<int> base;
    std::int64_t bankroll;  // after the reset
};

class ResetWithABetOnTheTable : public ::testing::TestWithParam<ResetCase> {};

// The stake on the table is what a win pays on, so it is charged at the
// stake the reset leaves.
TEST_P(ResetWithABetOnTheTable, ChargesTheBetAnewAtTheResetStake) {
    const ResetCase& c = GetParam();
    Game game = game_with_a_bet_of_four(c.type);
    if (c.safe_level) {  // the bet was virtual: nothing was charged
        game.table.SL_Field = true;
        game.Bankroll = 5000;
        game.books.on_table = 0;
    }
    game.params.Init_Bet = c.base;
    c.reset(game);
    EXPECT_EQ(game.Bankroll, c.bankroll);
    EXPECT_EQ(game.Bankroll, game.books.start - game.books.on_table);
    EXPECT_EQ(game.books.on_table, stake_on_table(game));
    EXPECT_FALSE(game.table.chips.empty());  // the bet stays on the table
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResetWithABetOnTheTable,
    ::testing::Values(
        ResetCase{"ManualSingle", manual_bet_reset, BetType::Single, false, 1, 4999},
        ResetCase{"ManualDouble", manual_bet_reset, BetType::Double, false, 1, 4998},
        ResetCase{"ManualToAHigherBase", manual_bet_reset, BetType::Single, false, 6, 4994},
        ResetCase{"ManualVirtual", manual_bet_reset, BetType::Single, true, 1, 5000},
        ResetCase{"ManualWhileTyping", manual_bet_reset, BetType::Single, false, std::nullopt,
                  4996},
        ResetCase{"CreateMatrix", Adaptive_Matrix, BetType::Single, false, 1, 4999},
        ResetCase{"CreateMatrixDouble", Adaptive_Matrix, BetType::Double, false, 2, 4996}),
    [](const ::testing::TestParamInfo<ResetCase>& info) { return std::string(info.param.name); });

TEST(ResetWithABetOnTheTable, AWonBetNetsItsWinningsAtTheNewStake) {
    Game game = game_with_a_bet_of_four();
    manual_bet_reset(game);
    settle(game, testing::kWinningForD1);
    EXPECT_EQ(game.Bankroll, 5002);
}

TEST(ManualBetReset, DoesNothingWhileSwitchedOff) {
    Game game = game_with_a_bet_of_four();
    game.params.ChBx_ManualBetReset = false;
    manual_bet_reset(game);
    EXPECT_EQ(game.Bet_Size, 4);
    EXPECT_EQ(game.Bet_Step, 5);
    EXPECT_EQ(game.Bankroll, 4996);
}

// Taking back the spin before a change of type would bring back a bet of the
// other type and the money it was settled with.
TEST(BetTypeChange, EndsTheUndoOfferAlsoWhileTheBaseBetIsTyped) {
    Game game;
    testing::play(game, {1, 2, 3, 4, 5, 0});
    ASSERT_TRUE(game.table.undo_offered);
    ASSERT_FALSE(game.table.chips.empty());
    game.params.Init_Bet.reset();
    Init_BetChange(game);
    ASSERT_TRUE(game.table.undo_offered);

    game.params.BettingType = BetType::Double;
    BettingTypeChange(game);
    EXPECT_FALSE(game.table.undo_offered);
    EXPECT_EQ(game.Undo_Counter, 1);
    testing::play(game, {7});  // a spin under the new type can be taken back
    EXPECT_TRUE(game.table.undo_offered);
}

TEST(MoneyNeverWraps, TheLargestBaseBetRunsToTheEndOfTheTripledTable) {
    Game game;
    game.params.BettingSystem = ProgressionSystem::Classic;
    game.params.BettingType = BetType::Double;
    game.params.Init_Bet = 1000000;
    RResetBets(game);
    for (int i = 0; i < 40; ++i) {
        place_bet(game, {Sector::D1, Sector::D2});
        settle(game, 30);
        ASSERT_GT(game.Bet_Size, 0);
    }
    EXPECT_EQ(game.Bet_Size, std::int64_t{43046721} * 1000000);
    EXPECT_EQ(game.Bet_Step, 16);
    // The bankroll runs deep into the red, but it never wraps round to a gain.
    EXPECT_LT(game.Bankroll, 0);
    game.Bankroll = kMoneyMin + 5;
    place_bet(game, {Sector::D1, Sector::D2});
    EXPECT_EQ(game.Bankroll, kMoneyMin);
}

}  // namespace
}  // namespace quorvel
