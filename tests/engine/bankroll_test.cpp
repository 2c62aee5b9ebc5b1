// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/bankroll.hpp"

#include <gtest/gtest.h>

#include "game/game.hpp"
#include "game/history.hpp"
#include "game/table.hpp"
#include "money/bet_state.hpp"
#include "money_helpers.hpp"
#include "play/spin_cycle.hpp"
#include "play/undo.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::kLosingForD1;
using testing::place_bet;
using testing::settle;

// The automatic reset has fired: the bet is back at its base of 1, and the
// aim is set anew.
void expect_reset_to(const Game& game, std::int64_t aim) {
    EXPECT_EQ(game.Bet_Step, 0);
    EXPECT_EQ(game.Bet_Size, 1);
    EXPECT_EQ(game.Profit_Aim, aim);
}

TEST(ProfitAim, FollowsTheSelectedRule) {
    Game game;
    game.Bankroll = 4200;
    BlindAutomationSetAim(game);
    EXPECT_EQ(game.Profit_Aim, 4201);
    game.params.profit_aim_rule = ProfitAimRule::OnEqual;
    BlindAutomationSetAim(game);
    EXPECT_EQ(game.Profit_Aim, 4200);
    game.params.profit_aim_rule = ProfitAimRule::SetUnits;
    BlindAutomationSetAim(game);
    EXPECT_EQ(game.Profit_Aim, 4250);
}

TEST(ProfitAim, ANewUnitValueSetsTheAimAtOnceWhateverTheRule) {
    Game game;
    game.Bankroll = 4200;
    game.params.ProfitUnits = 80;
    ProfitUnitsChange(game);
    EXPECT_EQ(game.Profit_Aim, 4280);
    game.params.ProfitUnits.reset();  // the player is typing
    ProfitUnitsChange(game);
    EXPECT_EQ(game.Profit_Aim, 4280);
}

TEST(AutomaticReset, FiresWhenTheBankrollReachesTheAim) {
    Game game;
    game.params.Init_Bet = 1;
    RResetBets(game);
    ASSERT_EQ(game.Profit_Aim, 5001);
    game.Bet_Step = 5;
    game.Bet_Size = 3;
    game.Bankroll = 5000;
    BlindAutomationReset(game);
    EXPECT_EQ(game.Bet_Step, 5);  // not reached yet

    game.Bankroll = 5012;
    BlindAutomationReset(game);
    expect_reset_to(game, 5013);
    EXPECT_EQ(game.Undo_Counter, 1);
}

TEST(AutomaticReset, NeverFiresWhileSwitchedOff) {
    Game game;
    game.params.CheckBox_Blind = false;
    game.Bet_Step = 5;
    game.Bankroll = 9000;
    BlindAutomationReset(game);
    EXPECT_EQ(game.Bet_Step, 5);
}

TEST(AutomaticReset, RunsAtThePredictionAfterAWin) {
    Game game;
    testing::play(game, {1, 2, 3, 4, 5});
    Disable_Bets(game);
    game.Bankroll = 5000;
    game.Bet_Step = 3;
    load_table_bet(game);
    place_bet(game, {Sector::C2});
    enter_number(game, 2);  // C2 wins: 5000 - 2 + 6
    EXPECT_EQ(game.Bankroll, 5004);
    EXPECT_EQ(game.Bet_Step, 4);
    end_analysis_pause(game);
    expect_reset_to(game, 5005);
    EXPECT_EQ(game.Bankroll_At_Prediction, 5004);
}

TEST(SafeLevelChoice, BeforeTheFirstSettlementShowsOrHidesTheOverlays) {
    Game game;
    testing::play(game, {7, 8});
    game.params.Safe_Level = 3;
    Safe_LevelChange(game);
    EXPECT_TRUE(game.table.SL_Field);
    game.params.Safe_Level = 0;
    Safe_LevelChange(game);
    EXPECT_FALSE(game.table.SL_Field);
}

TEST(SafeLevelChoice, OnceFiveNumbersAreShownOnlyTheLevelChanges) {
    Game game;
    testing::play(game, {7, 8, 9, 10, 11});
    game.params.Safe_Level = 4;
    Safe_LevelChange(game);
    EXPECT_FALSE(game.table.SL_Field);
}

TEST(StartingBankroll, SetsTheBankrollUntilPlayBegins) {
    Game game;
    game.params.Init_Bet = 2;
    game.params.CSpinEdit1 = 800;
    CSpinEdit1Change(game);
    EXPECT_EQ(game.Bankroll, 800);
    EXPECT_EQ(game.Max_Bank, 800);
    EXPECT_EQ(game.Bankroll_At_Prediction, 800);
    EXPECT_EQ(game.saved.Bankroll, 800);
    EXPECT_EQ(game.saved.Max_Bank, 800);
    EXPECT_EQ(game.Profit_Aim, 801);
    EXPECT_EQ(game.Bet_Size, 2);

    game.params.CSpinEdit1.reset();  // typing
    CSpinEdit1Change(game);
    EXPECT_EQ(game.Bankroll, 800);

    testing::play(game, {17});
    game.params.CSpinEdit1 = 9000;
    CSpinEdit1Change(game);
    EXPECT_EQ(game.Bankroll, 800);
    EXPECT_EQ(game.Max_Bank, 800);
}

TEST(StartingBankroll, SetsTheAimAlsoWhileTheBaseBetIsTyped) {
    Game game;
    game.params.Init_Bet.reset();
    game.params.CSpinEdit1 = 100;
    CSpinEdit1Change(game);
    EXPECT_EQ(game.Bankroll, 100);
    EXPECT_EQ(game.Profit_Aim, 101);
    EXPECT_EQ(game.saved.Profit_Aim, 101);
    EXPECT_EQ(game.books.start, 100);

    // The automatic reset wakes at the first gain over the new start.
    game.params.Init_Bet = 1;
    game.Bet_Step = 4;
    game.Bankroll = 101;
    BlindAutomationReset(game);
    expect_reset_to(game, 102);
}

TEST(StartingBankroll, AnUndoOfTheFirstSpinKeepsTheChosenStart) {
    Game game;
    game.params.CSpinEdit1 = 300;
    CSpinEdit1Change(game);
    testing::play(game, {4});
    Undo(game);
    EXPECT_EQ(game.Bankroll, 300);
    EXPECT_EQ(game.Bankroll_At_Prediction, 300);
    EXPECT_EQ(game.Profit_Aim, 301);
    EXPECT_EQ(game.books.start, 300);
}

// The overlays and the loss count behind them belong to the spin: taking back
// a virtual loss brings back the level and the count as they were before it.
TEST(SafeLevelOverlays, AreTakenBackWithTheSpinByUndo) {
    Game game;
    testing::play(game, {1, 2, 3, 4, 5});
    Disable_Bets(game);
    place_bet(game, {Sector::D1});
    game.params.Safe_Level = 2;
    enter_number(game, 6);  // D1 wins and engages the safe level
    ASSERT_TRUE(game.table.SL_Field);
    end_analysis_pause(game);

    Disable_Bets(game);
    place_bet(game, {Sector::D1});  // virtual
    enter_number(game, kLosingForD1);
    end_analysis_pause(game);
    ASSERT_EQ(game.Loss_Streak, 1);
    Undo(game);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D1});  // the undo did take the spin back
    EXPECT_EQ(game.NumbersList.size(), 6u);
    EXPECT_TRUE(game.table.SL_Field);
    EXPECT_EQ(game.Loss_Streak, 0);  // as it was when the undone spin was entered
}

}  // namespace
}  // namespace quorvel
