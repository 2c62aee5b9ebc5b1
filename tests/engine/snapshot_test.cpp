// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/snapshot.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "game/captions.hpp"
#include "game/game.hpp"
#include "game/history.hpp"
#include "game/history_export.hpp"
#include "money/bet_state.hpp"
#include "play/spin_cycle.hpp"
#include "play/undo.hpp"
#include "predict/matrix.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;
using testing::winning_number;

// The money and the counts an undo brings back, to set and compare as one.
auto money_and_counts(Game& game) {
    return std::tie(game.Bankroll, game.Max_Bank, game.Profit_Aim, game.Bet_Step, game.Custom_Bet,
                    game.Lose_Toggle, game.Chains_Toggle_Dozens, game.Chains_Toggle_Columns,
                    game.Custom_Wins, game.Custom_Wins_In_Row, game.Custom_Losses,
                    game.Custom_Losses_In_Row);
}

// The record of the last settlement that the next prediction reads.
auto settlement_record(Game& game) {
    return std::tie(game.Bet_Size, game.Spin_Won, game.Loss_Streak, game.Label28,
                    game.Bankroll_At_Prediction, game.books.result);
}

TEST(Snapshot, RecordsTheStakeOfEverySectorInPlay) {
    Game game;
    game.table.chips = {Sector::D3, Sector::C2};
    game.Bet_Size = 3;
    SaveState(game);
    EXPECT_EQ(game.saved.SaveBets(), (std::array<std::int64_t, 6>{0, 0, 3, 0, 3, 0}));

    game.table.chips.clear();
    SaveState(game);
    EXPECT_EQ(game.saved.SaveBets(), (std::array<std::int64_t, 6>{}));
}

TEST(Snapshot, UndoBringsBackTwoChipsTheirStakeAndTheHighestSector) {
    Game game;
    play(game, {1});
    game.table.chips = {Sector::D3, Sector::C2};
    game.Bet_Size = 3;
    game.Bet_Sector = 1;
    enter_number(game, 20);
    end_analysis_pause(game);
    game.Bet_Size = 9;  // the progression moved on after the spin

    Undo(game);
    EXPECT_EQ(game.table.chips, (SectorSet{Sector::D3, Sector::C2}));
    EXPECT_EQ(game.Bet_Size, 3);
    EXPECT_EQ(game.Bet_Sector, 5);
    EXPECT_EQ(current_bet_caption(game), "3");
}

TEST(Snapshot, UndoWithNoChipInPlayShowsNoneAndKeepsTheStake) {
    Game game;
    play(game, {1});
    game.Bet_Size = 7;
    game.Bet_Sector = 2;
    enter_number(game, 2);
    end_analysis_pause(game);
    game.table.chips = {Sector::D1};  // a prediction made after the spin
    Undo(game);
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_EQ(game.Bet_Size, 7);
    EXPECT_EQ(game.Bet_Sector, 2);
}

TEST(Snapshot, UndoRestoresTheMoneyAsItWasWhenTheSpinWasEntered) {
    Game game;
    play(game, {1});
    const auto kept = std::tuple{4990, 5020, 5050, 4, 6, 2, 2, 2, 1, 2, 3, 4};
    money_and_counts(game) = kept;
    enter_number(game, 2);

    // What the settlement and the next prediction may have done since.
    money_and_counts(game) = std::tuple{5100, 5100, 5101, 0, 1, 1, 1, 1, 0, 0, 0, 0};
    end_analysis_pause(game);

    Undo(game);
    EXPECT_EQ(money_and_counts(game), kept);
}

TEST(Snapshot, CopiesEqualTheirVariablesBeforeTheFirstSpin) {
    Game game;
    Game restored;
    LoadState(restored);
    EXPECT_EQ(money_and_counts(restored), money_and_counts(game));
    EXPECT_TRUE(restored.table.chips.empty());
}

// Five numbers played: the prediction after the fifth put a bet of 1 on the
// table and charged it (5000 before the stake, 4999 after).
Game game_with_a_charged_bet(int safe_level) {
    Game game;
    game.params.Safe_Level = safe_level;
    play(game, {1, 2, 3, 4, 5});
    return game;
}

TEST(UndoOfAWholeSpin, AVirtualBetStaysVirtualWhenItsSpinIsPlayedAgain) {
    Game game = game_with_a_charged_bet(1);
    ASSERT_FALSE(game.table.chips.empty());
    enter_number(game, winning_number(game));  // a paid win engages the level
    end_analysis_pause(game);
    const std::int64_t after_win = game.Bankroll;
    ASSERT_TRUE(game.table.SL_Field);
    ASSERT_FALSE(game.table.chips.empty());  // a virtual bet

    enter_number(game, 0);  // a virtual loss releases the level
    ASSERT_FALSE(game.table.SL_Field);
    end_analysis_pause(game);
    Undo(game);
    EXPECT_TRUE(game.table.SL_Field);
    EXPECT_EQ(game.Loss_Streak, 0);
    EXPECT_EQ(game.Bankroll, after_win);

    enter_number(game, winning_number(game));  // the virtual bet wins: nothing paid
    EXPECT_EQ(game.Bankroll, after_win);
}

TEST(UndoOfAWholeSpin, AWinPlayedAgainIsPaidAgain) {
    Game game = game_with_a_charged_bet(2);
    ASSERT_EQ(game.Bankroll, 4999);
    const int winner = winning_number(game);
    enter_number(game, winner);
    ASSERT_EQ(game.Bankroll, 5002);
    ASSERT_TRUE(game.table.SL_Field);
    end_analysis_pause(game);

    Undo(game);
    EXPECT_EQ(game.Bankroll, 4999);
    EXPECT_FALSE(game.table.SL_Field);
    enter_number(game, winner);
    EXPECT_EQ(game.Bankroll, 5002);
}

TEST(UndoOfAWholeSpin, ANewBaseBetChargesFromTheBankrollBeforeTheUndoneSpin) {
    Game game = game_with_a_charged_bet(0);
    ASSERT_EQ(game.Bankroll_At_Prediction, 5000);
    enter_number(game, winning_number(game));
    end_analysis_pause(game);
    ASSERT_EQ(game.Bankroll_At_Prediction, 5002);

    Undo(game);
    EXPECT_EQ(game.Bankroll_At_Prediction, 5000);
    game.params.Init_Bet = 2;
    Init_BetChange(game);
    EXPECT_EQ(game.Bankroll, 4998);
}

TEST(UndoOfAWholeSpin, RestoresTheSettlementRecordAndTheStakeWithoutAChip) {
    Game game;
    play(game, {1});
    const auto kept = std::tuple{6, 1, 2, 12, 4990, -10};
    settlement_record(game) = kept;
    game.profit_bet = {ProfitBetShown::Bet, 4};
    enter_number(game, 2);
    settlement_record(game) = std::tuple{1, 0, 0, 1, 5100, 90};
    game.profit_bet = {ProfitBetShown::Bet, 9};
    end_analysis_pause(game);

    Undo(game);
    EXPECT_EQ(settlement_record(game), kept);
    EXPECT_EQ(current_bet_caption(game), "6");
    EXPECT_EQ(profit_bet_caption(game), "P.BET: 4");
}

TEST(UndoOfAWholeSpin, LeavesWhatTheNumberTaughtThePredictors) {
    Game game;
    play(game, {1, 2});
    game.table.trend_marks = {Sector::D3};
    enter_number(game, 17);
    const DeepScanState scanned = game.deep_scan;
    end_analysis_pause(game);
    Undo(game);
    EXPECT_EQ(game.deep_scan.DeepScan_Sum, scanned.DeepScan_Sum);
    EXPECT_EQ(game.NumbersListForChains.back(), 17);
    EXPECT_EQ(game.table.trend_marks, SectorSet{Sector::D3});
    EXPECT_EQ(game.CurrentNum, 17);
}

// A replay checks itself by comparing whole games: two games given the same
// clock and the same actions must be equal, and any step that one of them
// takes alone must show.
TEST(GameEquality, HoldsForGamesPlayedAlikeAndBreaksOnAnyStepOfOneAlone) {
    const auto fixed_clock = [] {
        Game game;
        game.random = RandomSource([] { return std::int64_t{1'767'225'600}; }, {});
        game.params.GameModes = GameMode::Adaptive;
        Adaptive_Matrix(game);
        return game;
    };
    Game a = fixed_clock();
    Game b = fixed_clock();
    for (int n : {3, 14, 0, 27, 8, 36, 19, 5, 22, 11, 30, 2, 17})
        for (Game* game : {&a, &b})
            play(*game, {n});
    ASSERT_TRUE(a == b);

    Game undone = a;
    Undo(undone);
    EXPECT_FALSE(undone == a);
    Game moved_on = a;
    play(moved_on, {9});
    EXPECT_FALSE(moved_on == a);
    Game other_clock = b;
    other_clock.random = RandomSource();
    EXPECT_FALSE(other_clock == a);
}

TEST(HistoryExport, WritesOneNumberPerLineEndedByCrLf) {
    using Numbers = std::vector<std::uint8_t>;
    EXPECT_EQ(history_export_text(Numbers{5, 0, 32}), "5\r\n0\r\n32\r\n");
    EXPECT_EQ(history_export_text(Numbers{}), "");
    EXPECT_EQ(history_export_text(Numbers{36}), "36\r\n");
}

TEST(HistoryExport, WritesTheListAfterAnUndo) {
    Game game;
    play(game, {5, 0, 32, 17});
    Undo(game);
    EXPECT_EQ(history_export_text(game.NumbersList), "5\r\n0\r\n32\r\n");
}

}  // namespace
}  // namespace quorvel
