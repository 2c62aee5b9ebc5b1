// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/spin_cycle.hpp"

#include <gtest/gtest.h>

#include "game/captions.hpp"
#include "game/game.hpp"
#include "game/table.hpp"
#include "play/undo.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;
using testing::play_count;

int shown_cells(const Game& game) {
    int n = 0;
    for (bool shown : game.table.Number)
        n += shown ? 1 : 0;
    return n;
}

int shown_buttons(const Game& game) {
    int n = 0;
    for (bool shown : game.table.SpeedButton)
        n += shown ? 1 : 0;
    return n;
}

TEST(FreshGame, StartsWithEveryNumberOpenAndNothingOnTheTable) {
    Game game;
    EXPECT_EQ(shown_cells(game), 37);
    EXPECT_EQ(shown_buttons(game), 37);
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_FALSE(game.table.undo_offered);
    EXPECT_FALSE(analysis_running(game));
    EXPECT_EQ(game.Undo_Counter, 2);
    EXPECT_EQ(game.Bankroll, 5000);
    EXPECT_EQ(game.Profit_Aim, 5001);
    EXPECT_TRUE(history_caption(game.row.HisNum(1)).empty());
}

TEST(FirstSpin, MarksTheNumberDuringThePauseAndOffersUndoAfterIt) {
    Game game;
    enter_number(game, 17);

    EXPECT_TRUE(analysis_running(game));
    EXPECT_EQ(shown_buttons(game), 0);
    EXPECT_EQ(shown_cells(game), 1);
    EXPECT_TRUE(game.table.Number[17]);
    EXPECT_EQ(game.Undo_Counter, 3);
    EXPECT_FALSE(game.table.undo_offered);  // only once the pause ends
    EXPECT_EQ(game.NumbersList, std::vector<std::uint8_t>{17});
    EXPECT_EQ(history_caption(game.row.HisNum(1)), "17");
    EXPECT_EQ(game.row.HisNum1_tag, 17);
    EXPECT_FALSE(settlement_due(game));

    end_analysis_pause(game);
    EXPECT_FALSE(analysis_running(game));
    EXPECT_EQ(shown_cells(game), 37);
    EXPECT_EQ(shown_buttons(game), 37);
    EXPECT_TRUE(game.table.undo_offered);
}

TEST(AnalysisPause, EndsOnTheFiftiethTickWithAnEmptyGauge) {
    Game game;
    enter_number(game, 5);
    for (int tick = 1; tick < 50; ++tick) {
        Timer_AnalyseTimer(game);
        ASSERT_TRUE(analysis_running(game)) << "tick " << tick;
        ASSERT_EQ(game.pause.CGauge1, 2 * tick);
    }
    Timer_AnalyseTimer(game);
    EXPECT_FALSE(analysis_running(game));
    EXPECT_EQ(game.pause.CGauge1, 0);
    EXPECT_EQ(shown_buttons(game), 37);

    Timer_AnalyseTimer(game);  // a stray tick after the end changes nothing
    EXPECT_EQ(game.pause.CGauge1, 0);
}

TEST(AnalysisPause, EndHidesTheMatrixBlurAndRecordsTheBankroll) {
    Game game;
    game.table.Background_Blur = true;
    game.Bankroll = 4321;
    enter_number(game, 3);
    end_analysis_pause(game);
    EXPECT_FALSE(game.table.Background_Blur);
    EXPECT_EQ(game.Bankroll_At_Prediction, 4321);
}

TEST(AnalysisPause, TakesTheChipsOfThePreviousBetOffTheTable) {
    Game game;
    game.table.chips = {Sector::D2, Sector::C1};
    enter_number(game, 8);
    EXPECT_TRUE(game.table.chips.empty());
}

TEST(SettlementGate, OpensOnTheSixthSpinInTheHistoryModes) {
    for (GameMode mode : {GameMode::DeepScan, GameMode::Smart2024, GameMode::Paradox}) {
        Game game;
        game.params.GameModes = mode;
        play_count(game, 4);
        EXPECT_FALSE(settlement_due(game)) << text_of(mode) << ": fifth spin";
        play_count(game, 1);
        EXPECT_TRUE(settlement_due(game)) << text_of(mode) << ": sixth spin";
    }
}

TEST(SettlementGate, AdaptiveModeSettlesOnlyWhileTheMatrixIsReady) {
    Game game;
    game.params.GameModes = GameMode::Adaptive;
    play_count(game, 20);
    EXPECT_FALSE(settlement_due(game));
    game.Matrix_Ready = 1;
    EXPECT_TRUE(settlement_due(game));

    Game fresh;
    fresh.params.GameModes = GameMode::Adaptive;
    fresh.Matrix_Ready = 1;
    EXPECT_TRUE(settlement_due(fresh));  // whatever the length of the history
}

// The player switched to the adaptive mode before a matrix was chosen: the
// bet of the previous mode leaves the table unsettled.
TEST(SettlementGate, AClosedGateHandsBackTheStakeAndAnUndoPutsTheBetBack) {
    Game game;
    play(game, {1, 2, 3, 4, 5});
    const SectorSet chips = game.table.chips;
    ASSERT_FALSE(chips.empty());
    ASSERT_EQ(game.Bankroll, 4999);
    game.params.GameModes = GameMode::Adaptive;
    enter_number(game, testing::winning_number(game));
    EXPECT_EQ(game.Bankroll, 5000);
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_EQ(game.books.on_table, 0);
    end_analysis_pause(game);

    Undo(game);
    EXPECT_EQ(game.Bankroll, 4999);
    EXPECT_EQ(game.table.chips, chips);
    EXPECT_EQ(game.books.on_table, 1);
}

TEST(SettlementGate, AClosedGateHandsBackNothingForAVirtualBet) {
    Game game;
    play(game, {1, 2, 3, 4, 5});
    Disable_Bets(game);
    game.Bankroll = 5000;
    game.books.on_table = 0;
    game.table.SL_Field = true;
    game.table.chips = {Sector::D1};
    game.params.GameModes = GameMode::Adaptive;
    enter_number(game, 0);
    EXPECT_EQ(game.Bankroll, 5000);
}

TEST(HistoryLists, ZeroIsKeptOutOfTheChainsList) {
    Game game;
    play(game, {0, 14, 0, 36});
    EXPECT_EQ(game.NumbersList, (std::vector<std::uint8_t>{0, 14, 0, 36}));
    EXPECT_EQ(game.NumbersListForChains, (std::vector<int>{14, 36}));
    EXPECT_EQ(history_caption(game.row.HisNum(2)), "0");
    EXPECT_EQ(game.row.HisNum(2).colour, kZeroColour);
}

TEST(HistoryRow, ShowsTheNewestFirstInItsColours) {
    Game game;
    play(game, {19, 10, 0});
    testing::expect_history_row(
        game, {{"0", kZeroColour}, {"10", kBlackNumberColour}, {"19", kRedNumberColour}});
}

TEST(HistoryRow, FifthLabelFillsWithTheFifthNumber) {
    Game game;
    play_count(game, 4);
    EXPECT_FALSE(game.row.five_numbers_shown());
    play_count(game, 1);
    EXPECT_TRUE(game.row.five_numbers_shown());
}

TEST(HistoryRow, ThirteenthSpinDropsTheFirstNumberButTheListKeepsAll) {
    Game game;
    play_count(game, 13, 1);  // numbers 1 to 13
    EXPECT_EQ(history_caption(game.row.HisNum(1)), "13");
    EXPECT_EQ(history_caption(game.row.HisNum(12)), "2");
    EXPECT_EQ(game.NumbersList.size(), 13u);
    EXPECT_EQ(game.NumbersList.front(), 1);
}

TEST(Display, CaptionsFollowTheGame) {
    Game game;
    play(game, {4, 22});
    game.Bankroll = -15;
    game.Max_Bank = 5100;
    game.Bet_Size = 12;
    refresh_display(game);
    EXPECT_EQ(numbers_in_game_caption(game), "Numbers in game: 2");
    EXPECT_EQ(bankroll_caption(game), "TEST BANKROLL: -15");
    EXPECT_EQ(max_bank_caption(game), "MAX. BANK: 5100");
    EXPECT_EQ(bet_size_caption(game), "12");
}

TEST(Display, BetSizeIsBlankWhileShowBetSizeIsOff) {
    Game game;
    game.params.CheckBox1 = false;
    refresh_display(game);
    EXPECT_EQ(bet_size_caption(game), "");
    game.params.CheckBox1 = true;
    refresh_display(game);
    EXPECT_EQ(bet_size_caption(game), "1");
}

TEST(Display, AnEmptyStartingBankrollFreezesTheMoneyCaptions) {
    Game game;
    refresh_display(game);
    game.params.CSpinEdit1.reset();
    game.Bankroll = 4000;
    game.Max_Bank = 6000;
    refresh_display(game);
    EXPECT_EQ(bankroll_caption(game), "TEST BANKROLL: 5000");
    EXPECT_EQ(max_bank_caption(game), "MAX. BANK: 5000");
    game.params.CSpinEdit1 = 7;
    refresh_display(game);
    EXPECT_EQ(bankroll_caption(game), "TEST BANKROLL: 4000");
    EXPECT_EQ(max_bank_caption(game), "MAX. BANK: 6000");
}

}  // namespace
}  // namespace quorvel
