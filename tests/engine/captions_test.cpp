// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/captions.hpp"

#include <gtest/gtest.h>

#include <string>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

// A fresh game shows the window's start texts.
TEST(Captions, AFreshGameShowsTheStartTexts) {
    const Game game;
    EXPECT_EQ(numbers_in_game_caption(game), "Numbers in game: 0");
    EXPECT_EQ(bankroll_caption(game), "TEST BANKROLL: 5000");
    EXPECT_EQ(max_bank_caption(game), "MAX. BANK: 5000");
    EXPECT_EQ(bet_size_caption(game), "1");
    EXPECT_EQ(profit_bet_caption(game), "P. BET:");
    EXPECT_EQ(current_bet_caption(game), "1");
    EXPECT_EQ(minimal_profit_caption(game), "1000");
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(history_caption(game.row.HisNum(k)), "") << "HisNum" << k;
}

// The profit-bet caption goes through its three texts: the start, a
// settlement's bet, and the bare caption after a change of betting type.
TEST(Captions, TheProfitBetCaptionFollowsTheSettlementsAndTheTypeChange) {
    Game game;
    testing::play(game, {1, 2, 3, 4, 5});
    EXPECT_EQ(profit_bet_caption(game), "P. BET:");  // nothing settled yet
    testing::play(game, {13});
    EXPECT_EQ(profit_bet_caption(game).rfind("P.BET: ", 0), 0u) << profit_bet_caption(game);
    EXPECT_EQ(profit_bet_caption(game), "P.BET: " + std::to_string(game.profit_bet.bet));

    game.params.BettingType = BetType::Double;
    BettingTypeChange(game);
    EXPECT_EQ(profit_bet_caption(game), "P.BET:");
}

}  // namespace
}  // namespace quorvel
