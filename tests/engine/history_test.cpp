// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/history.hpp"
#include "play/undo.hpp"

#include <gtest/gtest.h>

#include "game/captions.hpp"
#include "game/game.hpp"
#include "play/spin_cycle.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;
using testing::play_count;

TEST(UndoRow, TwelveSpinsThenUndoKeepsTheLastNumberTwice) {
    Game game;
    play_count(game, 12, 1);  // numbers 1 to 12
    Undo(game);
    for (int k = 1; k <= 11; ++k) {
        EXPECT_EQ(history_caption(game.row.HisNum(k)), std::to_string(12 - k)) << "HisNum" << k;
    }
    EXPECT_EQ(history_caption(game.row.HisNum(12)), "1");
    EXPECT_EQ(game.row.HisNum(11).colour, game.row.HisNum(12).colour);
    EXPECT_EQ(game.NumbersList.size(), 11u);
}

TEST(UndoRow, AStepBackMovesColoursWithCaptions) {
    Game game;
    play(game, {32, 0, 11});
    Undo(game);
    testing::expect_history_row(game, {{"0", kZeroColour}, {"32", kRedNumberColour}});
}

TEST(UndoNumbers, AWrongNumberIsTakenBackAndCannotBeEnteredAgainAtOnce) {
    Game game;
    play(game, {3, 30});
    enter_number(game, 7);
    end_analysis_pause(game);
    Undo(game);

    EXPECT_EQ(history_caption(game.row.HisNum(1)), "30");
    EXPECT_EQ(game.NumbersList, (std::vector<std::uint8_t>{3, 30}));
    EXPECT_FALSE(game.table.Number[7]);
    EXPECT_FALSE(game.table.SpeedButton[7]);
    for (int n = 0; n < kNumberCount; ++n) {
        if (n == 7) continue;
        EXPECT_TRUE(game.table.SpeedButton[static_cast<std::size_t>(n)]) << n;
        EXPECT_TRUE(game.table.Number[static_cast<std::size_t>(n)]) << n;
    }
    EXPECT_FALSE(game.table.undo_offered);
    EXPECT_EQ(game.Undo_Counter, 0);
}

TEST(UndoNumbers, TheExcludedNumberComesBackAfterTheNextPause) {
    Game game;
    play(game, {9});
    Undo(game);
    enter_number(game, 10);
    EXPECT_FALSE(game.table.SpeedButton[9]);
    end_analysis_pause(game);
    EXPECT_TRUE(game.table.SpeedButton[9]);
}

TEST(UndoNumbers, UndoOfAZeroLeavesTheChainsListAlone) {
    Game game;
    play(game, {14, 0});
    Undo(game);
    EXPECT_EQ(game.NumbersList, std::vector<std::uint8_t>{14});
    EXPECT_EQ(game.NumbersListForChains, std::vector<int>{14});
}

TEST(UndoNumbers, UndoOfANonZeroKeepsItInTheChainsList) {
    Game game;
    play(game, {14, 21});
    Undo(game);
    EXPECT_EQ(game.NumbersList, std::vector<std::uint8_t>{14});
    EXPECT_EQ(game.NumbersListForChains, (std::vector<int>{14, 21}));
}

TEST(UndoNumbers, ShortensEachChainByOneEntry) {
    Game game;
    play(game, {1, 2});
    game.ChainsList = {1, 2, 3};
    game.ChainsListColumns = {3};
    Undo(game);
    EXPECT_EQ(game.ChainsList, (std::vector<int>{1, 2}));
    EXPECT_TRUE(game.ChainsListColumns.empty());
    Undo(game);  // already empty chains stay empty
    EXPECT_TRUE(game.ChainsListColumns.empty());
}

TEST(UndoButton, ComesBackOnlyOnTheSecondSpinAfterAnUndo) {
    Game game;
    play(game, {5, 6});
    ASSERT_TRUE(game.table.undo_offered);
    Undo(game);
    play(game, {8});
    EXPECT_EQ(game.Undo_Counter, 1);
    EXPECT_FALSE(game.table.undo_offered);
    play(game, {9});
    EXPECT_EQ(game.Undo_Counter, 2);
    EXPECT_TRUE(game.table.undo_offered);
}

TEST(UndoButton, StaysOfferedDuringTheAnalysisPause) {
    Game game;
    play(game, {5});
    enter_number(game, 6);
    EXPECT_TRUE(game.table.undo_offered);
    Undo(game);
    EXPECT_EQ(game.NumbersList, std::vector<std::uint8_t>{5});
    EXPECT_FALSE(game.table.undo_offered);
}

TEST(UndoDuringThePause, EndsThePauseWithoutAPredictionAndKeepsTheNumberOut) {
    Game game;
    play(game, {5, 9});
    game.table.chips = {Sector::C2};
    game.Bet_Size = 2;
    game.Bankroll = 4998;
    enter_number(game, 31);
    Undo(game);

    EXPECT_FALSE(analysis_running(game));
    EXPECT_EQ(game.pause.CGauge1, 0);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::C2});
    EXPECT_EQ(game.Bankroll, 4998);
    EXPECT_FALSE(game.table.SpeedButton[31]);
    EXPECT_TRUE(game.table.SpeedButton[30]);
    EXPECT_TRUE(game.table.Number[0]);

    Timer_AnalyseTimer(game);  // a tick already queued changes nothing
    EXPECT_EQ(game.table.chips, SectorSet{Sector::C2});
    EXPECT_FALSE(game.table.SpeedButton[31]);
}

TEST(UndoDisplay, CountDropsByOne) {
    Game game;
    play(game, {1, 2, 3});
    Undo(game);
    refresh_display(game);
    EXPECT_EQ(numbers_in_game_caption(game), "Numbers in game: 2");
}

TEST(UndoCurrentNumber, KeepsTheNumberTakenBack) {
    Game game;
    play(game, {12, 25});
    Undo(game);
    EXPECT_EQ(game.CurrentNum, 25);
}

}  // namespace
}  // namespace quorvel
