// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/minimal_profit.hpp"

#include <gtest/gtest.h>

#include <random>

#include "game/captions.hpp"
#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "money/saturating.hpp"
#include "money_helpers.hpp"

namespace quorvel {
namespace {

using testing::place_bet;

// The counted search the closed form replaces.
std::int64_t counted_multiple(std::int64_t bankroll, std::int64_t aim, std::int64_t unit,
                              std::int64_t gain) {
    std::int64_t bet = unit;
    while (bankroll + gain * bet < aim)
        bet += unit;
    return bet;
}

TEST(SmallestWinningMultiple, AgreesWithTheCountedSearch) {
    std::mt19937 random(8122026);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t bankroll = static_cast<std::int64_t>(random() % 20000) - 5000;
        const std::int64_t aim = static_cast<std::int64_t>(random() % 20000) - 2000;
        const std::int64_t unit = 1 + static_cast<std::int64_t>(random() % (i % 3 == 0 ? 5 : 700));
        for (std::int64_t gain : {1, 2}) {
            ASSERT_EQ(smallest_winning_multiple(bankroll, aim, unit, gain),
                      counted_multiple(bankroll, aim, unit, gain))
                << bankroll << " " << aim << " " << unit << " " << gain;
        }
    }
}

TEST(SmallestWinningMultiple, FarBelowTheAim) {
    EXPECT_EQ(smallest_winning_multiple(-1000000, 1000000, 1, 2),
              counted_multiple(-1000000, 1000000, 1, 2));
    EXPECT_EQ(smallest_winning_multiple(-1000000, 1000000, 7, 1),
              counted_multiple(-1000000, 1000000, 7, 1));
    EXPECT_EQ(smallest_winning_multiple(kMoneyMin, kMoneyMax, 3, 1), kMoneyMax);
}

struct MinimalCase {
    const char* name;
    BetType type;
    int base;
    std::int64_t expected;
};

class MinimalProfitBet : public ::testing::TestWithParam<MinimalCase> {};

TEST_P(MinimalProfitBet, ReachesTheAimWithTheLeastMultiple) {
    const MinimalCase& c = GetParam();
    Game game;
    game.params.BettingType = c.type;
    game.params.Init_Bet = c.base;
    game.Bankroll = 4990;
    game.Profit_Aim = 5001;
    Get_Minimal_Profit_Calc(game);
    EXPECT_EQ(game.Label28, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, MinimalProfitBet,
                         ::testing::Values(MinimalCase{"Single", BetType::Single, 1, 6},
                                           MinimalCase{"SingleBaseFive", BetType::Single, 5, 10},
                                           MinimalCase{"Double", BetType::Double, 1, 11}),
                         [](const ::testing::TestParamInfo<MinimalCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(MinimalProfitBet, IsTheBaseBetAtOrAboveTheAim) {
    Game game;
    game.params.Init_Bet = 4;
    game.Bankroll = 5100;
    Get_Minimal_Profit_Calc(game);
    EXPECT_EQ(game.Label28, 4);
}

Game after_a_win(ProgressionSystem system, int base, int step) {
    Game game;
    game.params.BettingSystem = system;
    game.params.Init_Bet = base;
    game.Bet_Step = step;
    load_table_bet(game);
    game.Spin_Won = 1;
    return game;
}

TEST(LoweringAfterAWin, BlindWalksBackToTheFirstEntryThatReaches) {
    Game game = after_a_win(ProgressionSystem::Blind, 2, 39);
    ASSERT_EQ(game.Bet_Size, 40);
    game.Label28 = 10;
    place_bet(game, {Sector::D1});
    const std::int64_t charged = game.Bankroll;
    Get_Minimal_Profit(game);
    EXPECT_EQ(game.Bet_Step, 8);
    EXPECT_EQ(game.Bet_Size, 10);
    EXPECT_EQ(game.Custom_Bet, 10);
    EXPECT_EQ(current_bet_caption(game), "10");
    EXPECT_EQ(game.Bankroll, charged + 30);
}

TEST(LoweringAfterAWin, DoubleBetsRechargeBothSectors) {
    Game game = after_a_win(ProgressionSystem::DDonald, 1, 0);
    game.params.BettingType = BetType::Double;
    game.Bet_Step = 5;
    load_table_bet(game);  // 63
    game.Label28 = 10;
    place_bet(game, {Sector::C1, Sector::C3});
    const std::int64_t charged = game.Bankroll;
    Get_Minimal_Profit(game);
    EXPECT_EQ(game.Bet_Step, 3);  // 15 is the first entry reaching 10
    EXPECT_EQ(game.Bet_Size, 15);
    EXPECT_EQ(game.Bankroll, charged + 2 * 63 - 2 * 15);
}

TEST(LoweringAfterAWin, CustomTakesTheMinimalBetItself) {
    Game game = after_a_win(ProgressionSystem::Custom, 1, 0);
    game.Bet_Size = 50;
    game.Label28 = 7;
    Get_Minimal_Profit(game);
    EXPECT_EQ(game.Bet_Size, 7);
    EXPECT_EQ(game.Custom_Bet, 7);
}

TEST(LoweringAfterAWin, NeverUnderClassicOrAfterALossOrWhenSwitchedOff) {
    Game classic = after_a_win(ProgressionSystem::Classic, 1, 10);
    const std::int64_t classic_bet = classic.Bet_Size;
    classic.Label28 = 2;
    Get_Minimal_Profit(classic);
    EXPECT_EQ(classic.Bet_Size, classic_bet);

    Game lost = after_a_win(ProgressionSystem::Blind, 1, 20);
    lost.Spin_Won = 0;
    lost.Label28 = 2;
    Get_Minimal_Profit(lost);
    EXPECT_EQ(lost.Bet_Step, 20);

    Game off = after_a_win(ProgressionSystem::Blind, 1, 20);
    off.params.ChBx_Get_Minimal_Profit = false;
    off.Label28 = 2;
    Get_Minimal_Profit(off);
    EXPECT_EQ(off.Bet_Step, 20);

    Game enough = after_a_win(ProgressionSystem::Blind, 1, 20);
    enough.Label28 = enough.Bet_Size;  // not below the bet: nothing to lower
    Get_Minimal_Profit(enough);
    EXPECT_EQ(enough.Bet_Step, 20);
}

TEST(LoweringAfterAWin, MovesNoMoneyWithoutAStakedBet) {
    Game no_chip = after_a_win(ProgressionSystem::Blind, 1, 20);
    no_chip.Label28 = 3;
    Get_Minimal_Profit(no_chip);
    EXPECT_EQ(no_chip.Bet_Size, 3);
    EXPECT_EQ(no_chip.Bankroll, 5000);

    Game virtual_bet = after_a_win(ProgressionSystem::Blind, 1, 20);
    virtual_bet.table.SL_Field = true;
    place_bet(virtual_bet, {Sector::D2});
    virtual_bet.Label28 = 3;
    Get_Minimal_Profit(virtual_bet);
    EXPECT_EQ(virtual_bet.Bet_Size, 3);
    EXPECT_EQ(virtual_bet.Bankroll, 5000);
}

TEST(ProfitBet, LiftsTheBankrollAboveItsMaximum) {
    Game game;
    game.Bankroll = 4990;
    game.Max_Bank = 5004;
    Minimal_Bet_Calc(game);
    EXPECT_EQ(profit_bet_caption(game), "P.BET: 8");
    game.params.BettingType = BetType::Double;
    Minimal_Bet_Calc(game);
    EXPECT_EQ(profit_bet_caption(game), "P.BET: 15");
    game.Bankroll = 7000;
    Minimal_Bet_Calc(game);
    EXPECT_EQ(profit_bet_caption(game), "P.BET: 1");
}

}  // namespace
}  // namespace quorvel
