// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/custom_rules.hpp"

#include <gtest/gtest.h>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "money/saturating.hpp"
#include "money_helpers.hpp"

namespace quorvel {
namespace {

Game custom_game(int base) {
    Game game;
    game.params.BettingSystem = ProgressionSystem::Custom;
    game.params.Init_Bet = base;
    RResetBets(game);
    return game;
}

// A bet on D1, won or lost.
void win(Game& game) {
    testing::place_bet(game, {Sector::D1});
    testing::settle(game, testing::kWinningForD1);
}

void lose(Game& game) {
    testing::place_bet(game, {Sector::D1});
    testing::settle(game, testing::kLosingForD1);
}

TEST(CustomWinRule, AddsAfterTheCountIsReachedAndStartsCountingAgain) {
    Game game = custom_game(1);
    game.params.Wins_HowMuch = 2;
    game.params.Wins_Action = WinAction::Add;
    game.params.Wins_ActionValue = 5;
    game.params.Losses_Action = LossAction::DoNothing;
    win(game);
    EXPECT_EQ(game.Custom_Bet, 1);
    EXPECT_EQ(game.Custom_Wins, 1);
    win(game);
    EXPECT_EQ(game.Custom_Bet, 6);
    EXPECT_EQ(game.Bet_Size, 6);
    EXPECT_EQ(game.Custom_Wins, 0);
    EXPECT_EQ(game.Custom_Wins_In_Row, 0);
    win(game);
    EXPECT_EQ(game.Custom_Bet, 6);
}

struct ActionCase {
    const char* name;
    WinAction action;
    std::int64_t bet;
    std::int64_t value;
    std::int64_t base;
    std::int64_t expected;
};

class WinActions : public ::testing::TestWithParam<ActionCase> {};

TEST_P(WinActions, ChangeTheCustomBet) {
    const ActionCase& c = GetParam();
    EXPECT_EQ(apply_win_action(c.action, c.bet, c.value, c.base), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WinActions,
    ::testing::Values(ActionCase{"SubtractStopsAtTheBaseBet", WinAction::Subtract, 4, 10, 2, 2},
                      ActionCase{"SubtractAbove", WinAction::Subtract, 14, 10, 2, 4},
                      ActionCase{"DivideDropsTheRemainder", WinAction::Divide, 10, 3, 1, 3},
                      ActionCase{"DivideStopsAtTheBaseBet", WinAction::Divide, 2, 3, 2, 2},
                      ActionCase{"SetMayGoBelowTheBaseBet", WinAction::Set, 9, 1, 5, 1},
                      ActionCase{"Multiply", WinAction::Multiply, 3, 4, 1, 12},
                      ActionCase{"Add", WinAction::Add, 3, 4, 1, 7},
                      ActionCase{"DoNothing", WinAction::DoNothing, 3, 4, 1, 3},
                      ActionCase{"MultiplyStopsAtTheHighestBet", WinAction::Multiply, kMoneyMax / 2,
                                 1000000, 1, kMaxBet},
                      ActionCase{"AddStopsAtTheHighestBet", WinAction::Add, kMaxBet - 1, 5, 1,
                                 kMaxBet}),
    [](const ::testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.name); });

TEST(CustomWinRule, DoNothingStillCountsAndResetsTheWins) {
    Game game = custom_game(3);
    game.params.Wins_HowMuch = 2;
    game.Custom_Bet = 9;
    win(game);
    win(game);
    EXPECT_EQ(game.Custom_Wins, 0);
    EXPECT_EQ(game.Custom_Bet, 9);
    EXPECT_EQ(game.Bet_Size, 9);
}

TEST(CustomWinRule, AVirtualWinCountsNothing) {
    Game game = custom_game(1);
    game.params.Wins_Action = WinAction::Add;
    game.table.SL_Field = true;
    game.params.Safe_Level = 3;
    win(game);
    EXPECT_EQ(game.Custom_Wins, 0);
    EXPECT_EQ(game.Custom_Bet, 1);
}

TEST(CheckWins, HoldsTheWinActionBackUntilTheLossesAreReached) {
    Game game = custom_game(1);
    game.params.Wins_Action = WinAction::Add;
    game.params.Wins_ActionValue = 5;
    game.params.Losses_Action = LossAction::CheckWins;
    game.params.Losses_HowMuch = 2;
    win(game);
    EXPECT_EQ(game.Custom_Bet, 1);
    EXPECT_EQ(game.Custom_Wins, 0);  // the win counters count and reset all the same

    lose(game);
    EXPECT_EQ(game.Custom_Bet, 1);  // under "Check WINS" losses only count
    lose(game);
    EXPECT_EQ(game.Custom_Losses, 2);
    win(game);
    EXPECT_EQ(game.Custom_Bet, 6);
    EXPECT_EQ(game.Custom_Losses, 0);
    EXPECT_EQ(game.Custom_Losses_In_Row, 0);
}

TEST(CustomLossRule, LossesInARowAreBrokenByAWin) {
    Game game = custom_game(2);
    game.params.Losses_Type = LossCount::LossesInARow;
    game.params.Losses_HowMuch = 2;
    game.params.Losses_Action = LossAction::Add;
    game.params.Losses_ActionValue = 3;
    lose(game);
    win(game);
    lose(game);
    EXPECT_EQ(game.Custom_Bet, 2);
    EXPECT_EQ(game.Custom_Losses, 2);
    lose(game);
    EXPECT_EQ(game.Custom_Bet, 5);
    EXPECT_EQ(game.Bet_Size, 5);
    EXPECT_EQ(game.Custom_Losses, 0);
    EXPECT_EQ(game.Custom_Losses_In_Row, 0);
}

TEST(CustomLossRule, TotalLossesCountAcrossWins) {
    Game game = custom_game(1);
    game.params.Losses_HowMuch = 2;
    game.params.Losses_Action = LossAction::Multiply;
    game.params.Losses_ActionValue = 2;
    lose(game);
    win(game);
    lose(game);
    EXPECT_EQ(game.Custom_Bet, 2);
}

TEST(CustomLossRule, ALossEndsARunOfWins) {
    Game game = custom_game(1);
    game.params.Wins_Type = WinCount::WinsInARow;
    game.params.Wins_HowMuch = 2;
    game.params.Wins_Action = WinAction::Add;
    game.params.Wins_ActionValue = 10;
    game.params.Losses_Action = LossAction::DoNothing;
    win(game);
    lose(game);
    win(game);
    EXPECT_EQ(game.Custom_Bet, 1);
    win(game);
    EXPECT_EQ(game.Custom_Bet, 11);
}

TEST(CustomLossRule, DoNothingLeavesTheBet) {
    Game game = custom_game(4);
    game.params.Losses_Action = LossAction::DoNothing;
    lose(game);
    lose(game);
    EXPECT_EQ(game.Custom_Bet, 4);
    EXPECT_EQ(game.Bet_Size, 4);
}

TEST(CustomRules, RepeatedMultiplyingStopsAtTheHighestBet) {
    Game game = custom_game(1000000);
    game.params.Wins_Action = WinAction::Multiply;
    game.params.Wins_ActionValue = 1000000;
    game.params.Losses_Action = LossAction::DoNothing;
    for (int i = 0; i < 6; ++i) {
        win(game);
        ASSERT_GT(game.Bet_Size, 0) << i;
    }
    EXPECT_EQ(game.Bet_Size, kMaxBet);
    EXPECT_EQ(game.Custom_Bet, kMaxBet);
}

TEST(CustomRules, AWinAtTheHighestBetPaysExactly) {
    Game game = custom_game(1);
    game.params.Losses_Action = LossAction::Multiply;
    game.params.Losses_ActionValue = 1000000;
    for (int i = 0; i < 4; ++i)
        lose(game);
    ASSERT_EQ(game.Bet_Size, kMaxBet);
    const std::int64_t before = game.Bankroll;
    win(game);
    EXPECT_EQ(game.Bankroll, before - kMaxBet + 3 * kMaxBet);
    EXPECT_GT(game.Bankroll, 0);
}

TEST(RuleRowLooks, FollowTheChosenAction) {
    const ActionLook nothing = Wins_ActionChange(WinAction::DoNothing);
    EXPECT_FALSE(nothing.value_shown);
    EXPECT_EQ(nothing.list_colour, 128);
    EXPECT_EQ(nothing.font_colour, 255);
    const ActionLook add = Wins_ActionChange(WinAction::Add);
    EXPECT_TRUE(add.value_shown);
    EXPECT_EQ(add.list_colour, 35840);
    EXPECT_EQ(add.font_colour, 65280);

    const ActionLook losses_nothing = Losses_ActionChange(LossAction::DoNothing);
    EXPECT_FALSE(losses_nothing.value_shown);
    EXPECT_TRUE(losses_nothing.blank_shown);
    const ActionLook check = Losses_ActionChange(LossAction::CheckWins);
    EXPECT_FALSE(check.value_shown);
    EXPECT_FALSE(check.blank_shown);
    EXPECT_EQ(check.list_colour, 35840);
    const ActionLook set = Losses_ActionChange(LossAction::Set);
    EXPECT_TRUE(set.value_shown);
    EXPECT_EQ(set.list_colour, 25600);
}

}  // namespace
}  // namespace quorvel
