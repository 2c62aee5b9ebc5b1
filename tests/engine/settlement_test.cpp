// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/settlement.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "game/captions.hpp"
#include "game/game.hpp"
#include "game/history.hpp"
#include "game/table.hpp"
#include "money/bankroll.hpp"
#include "money/bet_state.hpp"
#include "money/progression.hpp"
#include "money_helpers.hpp"
#include "play/spin_cycle.hpp"
#include "play/undo.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::kLosingForD1;
using testing::kWinningForD1;
using testing::place_bet;
using testing::settle;

Game game_with(ProgressionSystem system, BetType type, int base) {
    Game game;
    game.params.BettingSystem = system;
    game.params.BettingType = type;
    game.params.Init_Bet = base;
    RResetBets(game);
    return game;
}

TEST(BlindWorkedSequence, TwoLossesThenAWin) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 2);
    ASSERT_EQ(game.Bet_Size, 2);

    place_bet(game, {Sector::D1});
    EXPECT_EQ(game.Bankroll, 4998);
    settle(game, kLosingForD1);
    EXPECT_EQ(game.Bankroll, 4998);
    EXPECT_EQ(game.Bet_Step, 1);
    EXPECT_EQ(game.Bet_Size, 2);

    place_bet(game, {Sector::D1});
    EXPECT_EQ(game.Bankroll, 4996);
    settle(game, kLosingForD1);
    EXPECT_EQ(game.Bet_Step, 2);
    EXPECT_EQ(game.Bet_Size, 4);

    place_bet(game, {Sector::D1});
    EXPECT_EQ(game.Bankroll, 4992);
    settle(game, kWinningForD1);
    EXPECT_EQ(game.Bankroll, 5004);
    EXPECT_EQ(game.Max_Bank, 5004);
    EXPECT_EQ(game.Bet_Step, 3);
    EXPECT_EQ(game.Bet_Size, 4);
    EXPECT_EQ(current_bet_caption(game), "4");
    EXPECT_EQ(game.Spin_Won, 1);
}

TEST(BlindDoubleBets, LossMovesToThreeAndAWinToSix) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Double, 1);
    place_bet(game, {Sector::D1, Sector::D2});
    EXPECT_EQ(game.Bankroll, 4998);
    settle(game, 30);
    EXPECT_EQ(game.Bet_Size, 3);
    place_bet(game, {Sector::D1, Sector::D2});
    EXPECT_EQ(game.Bankroll, 4992);
    settle(game, 13);
    EXPECT_EQ(game.Bankroll, 5001);  // 9 paid back
    EXPECT_EQ(game.Bet_Step, 2);
    EXPECT_EQ(game.Bet_Size, 6);
}

TEST(ZeroAndEmptyTables, ZeroLosesAndNoChipSettlesNothing) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 1);
    place_bet(game, {Sector::D1, Sector::C1});  // two chips, as after an undo
    settle(game, 0);
    EXPECT_EQ(game.Spin_Won, 0);
    EXPECT_EQ(game.Bet_Step, 1);
    EXPECT_EQ(game.Lose_Toggle, 2);

    const std::int64_t bankroll = game.Bankroll;
    settle(game, 7);  // no chip on the table
    EXPECT_EQ(game.Bankroll, bankroll);
    EXPECT_EQ(game.Bet_Step, 1);
    EXPECT_EQ(game.Lose_Toggle, 2);
}

TEST(DoubleBet, WinsWhenEitherSectorHoldsTheNumber) {
    Game game = game_with(ProgressionSystem::Classic, BetType::Double, 4);
    place_bet(game, {Sector::D1, Sector::D2});
    EXPECT_EQ(game.Bankroll, 4992);
    settle(game, 13);
    EXPECT_EQ(game.Bankroll, 5004);
}

TEST(ClassicSystem, ClimbsFibonacciOnLossesAndFallsBackOnAWin) {
    Game game = game_with(ProgressionSystem::Classic, BetType::Single, 3);
    std::vector<std::int64_t> bets;
    for (int i = 0; i < 5; ++i) {
        place_bet(game, {Sector::D1});
        settle(game, kLosingForD1);
        bets.push_back(game.Bet_Size);
    }
    EXPECT_EQ(bets, (std::vector<std::int64_t>{3, 6, 9, 15, 24}));
    place_bet(game, {Sector::D1});
    settle(game, kWinningForD1);
    EXPECT_EQ(game.Bet_Step, 0);
    EXPECT_EQ(game.Bet_Size, 3);
}

TEST(DDonaldSystem, StaysAtTheStartOnAWinAndStepsBackAfterLosses) {
    Game game = game_with(ProgressionSystem::DDonald, BetType::Single, 1);
    place_bet(game, {Sector::C1});
    settle(game, 1);
    EXPECT_EQ(game.Bet_Step, 0);
    for (int i = 0; i < 3; ++i) {
        place_bet(game, {Sector::C1});
        settle(game, 2);
    }
    EXPECT_EQ(game.Bet_Step, 3);
    EXPECT_EQ(game.Bet_Size, 2);
    place_bet(game, {Sector::C1});
    settle(game, 4);
    EXPECT_EQ(game.Bet_Step, 2);
    EXPECT_EQ(game.Bet_Size, 2);
}

TEST(DDonaldSystem, DoubleTableDoublesPlusOneOnLosses) {
    Game game = game_with(ProgressionSystem::DDonald, BetType::Double, 1);
    std::vector<std::int64_t> bets;
    for (int i = 0; i < 3; ++i) {
        place_bet(game, {Sector::C1, Sector::C2});
        settle(game, 3);
        bets.push_back(game.Bet_Size);
    }
    EXPECT_EQ(bets, (std::vector<std::int64_t>{3, 7, 15}));
}

TEST(BlindSofterSystem, StepsForwardOnWinsAndLosses) {
    Game game = game_with(ProgressionSystem::BlindSofter, BetType::Single, 1);
    place_bet(game, {Sector::D2});
    settle(game, 14);
    place_bet(game, {Sector::D2});
    settle(game, 1);
    place_bet(game, {Sector::D2});
    settle(game, 15);
    EXPECT_EQ(game.Bet_Step, 3);
    EXPECT_EQ(game.Bet_Size, 2);
}

TEST(SystemChange, TheNewSystemMovesFromTheNextSettlement) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 1);
    for (int i = 0; i < 4; ++i) {
        place_bet(game, {Sector::D1});
        settle(game, kLosingForD1);
    }
    ASSERT_EQ(game.Bet_Step, 4);
    game.params.BettingSystem = ProgressionSystem::Classic;
    EXPECT_EQ(game.Bet_Step, 4);
    place_bet(game, {Sector::D1});
    settle(game, kWinningForD1);
    EXPECT_EQ(game.Bet_Step, 0);
    EXPECT_EQ(game.Bet_Size, 1);
}

// A step kept from a longer table reads the new table's last entry, and the
// next move starts from there: a win under "D-Donald" lowers the bet.
TEST(SystemChange, AStepKeptFromALongerTableMovesFromTheLastEntry) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Double, 2);
    game.Bet_Step = 500;
    load_table_bet(game);
    ASSERT_EQ(game.Bet_Size, 3000);
    game.params.BettingSystem = ProgressionSystem::DDonald;

    place_bet(game, {Sector::D1, Sector::D2});
    settle(game, kWinningForD1);
    EXPECT_EQ(game.Bet_Step, 21);
    EXPECT_EQ(game.Bet_Size, 4194303 * 2);

    place_bet(game, {Sector::D1, Sector::D2});
    settle(game, 30);
    EXPECT_EQ(game.Bet_Step, 22);
    EXPECT_EQ(game.Bet_Size, 8388607 * 2);
}

// After every settlement a table system's stake is its entry times the base bet.
TEST(Invariant, StakeIsTheTableEntryTimesTheBaseBetAfterEverySettlement) {
    std::mt19937 random(20261208);
    for (ProgressionSystem system :
         {ProgressionSystem::Classic, ProgressionSystem::DDonald, ProgressionSystem::DDonaldSofter,
          ProgressionSystem::Blind, ProgressionSystem::BlindSofter}) {
        for (BetType type : {BetType::Single, BetType::Double}) {
            const auto table = active_table(system, type);
            if (table.empty()) continue;
            Game game = game_with(system, type, 7);
            for (int spin = 0; spin < 400; ++spin) {
                place_bet(game, type == BetType::Single ? SectorSet{Sector::D3}
                                                        : SectorSet{Sector::D2, Sector::D3});
                settle(game, static_cast<int>(random() % 37));
                ASSERT_GE(game.Bet_Step, 0);
                ASSERT_LT(game.Bet_Step, static_cast<int>(table.size()));
                ASSERT_EQ(game.Bet_Size, table[static_cast<std::size_t>(game.Bet_Step)] * 7)
                    << text_of(system) << " " << text_of(type) << " spin " << spin;
            }
        }
    }
}

// The invariant holds as well when the player picks another system of the
// same betting type between two settlements.
TEST(Invariant, HoldsAcrossSystemChanges) {
    std::mt19937 random(5122026);
    for (BetType type : {BetType::Single, BetType::Double}) {
        std::vector<ProgressionSystem> systems;
        for (ProgressionSystem system : systems_offered(type)) {
            if (system != ProgressionSystem::Custom) systems.push_back(system);
        }
        Game game = game_with(ProgressionSystem::Blind, type, 3);
        for (int spin = 0; spin < 3000; ++spin) {
            if (random() % 50 == 0) game.params.BettingSystem = systems[random() % systems.size()];
            place_bet(game, type == BetType::Single ? SectorSet{Sector::C1}
                                                    : SectorSet{Sector::C1, Sector::C2});
            settle(game, static_cast<int>(random() % 37));
            const auto table = active_table(game.params.BettingSystem, type);
            ASSERT_LT(game.Bet_Step, static_cast<int>(table.size()))
                << text_of(game.params.BettingSystem) << " spin " << spin;
            ASSERT_EQ(game.Bet_Size, table[static_cast<std::size_t>(game.Bet_Step)] * 3)
                << text_of(game.params.BettingSystem) << " spin " << spin;
        }
    }
}

TEST(SafeLevel, VirtualBetsMoveNoMoneyButCountLosses) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 1);
    game.params.Safe_Level = 2;
    place_bet(game, {Sector::D1});
    settle(game, kWinningForD1);  // a paid win engages the safe level
    ASSERT_TRUE(game.table.SL_Field);
    const std::int64_t bankroll = game.Bankroll;
    const int step = game.Bet_Step;

    place_bet(game, {Sector::D1});
    EXPECT_EQ(game.Bankroll, bankroll);  // nothing charged
    settle(game, kWinningForD1);         // a virtual win restarts the count
    EXPECT_EQ(game.Bankroll, bankroll);
    EXPECT_EQ(game.Bet_Step, step);
    EXPECT_EQ(game.Loss_Streak, 0);

    place_bet(game, {Sector::D1});
    settle(game, kLosingForD1);
    EXPECT_TRUE(game.table.SL_Field);
    EXPECT_EQ(game.Loss_Streak, 1);
    EXPECT_EQ(game.Bet_Step, step);
    EXPECT_EQ(game.Lose_Toggle, 1);  // a virtual loss does not turn the toggle

    place_bet(game, {Sector::D1});
    settle(game, kLosingForD1);
    EXPECT_FALSE(game.table.SL_Field);  // released after two losses in a row
    EXPECT_EQ(game.Loss_Streak, 0);

    place_bet(game, {Sector::D1});
    EXPECT_EQ(game.Bankroll, bankroll - game.Bet_Size);  // staked again
}

TEST(SafeLevel, LevelZeroReleasesInTheSettlementOfTheWin) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 1);
    place_bet(game, {Sector::D1});
    settle(game, kWinningForD1);
    EXPECT_FALSE(game.table.SL_Field);
    EXPECT_EQ(game.Loss_Streak, 0);
}

// The safe level, settlement by settlement. Each case plays a run of single
// bets on D1 at one level; `outcomes` gives each settlement (W a win, L a loss,
// Z the zero), `bets` whether each bet was staked (P) or virtual (V), one more
// than the outcomes for the bet after the last, and `streaks` the count of
// losses after each settlement. A paid win engages the level; every loss
// counts, staked or virtual; every win, staked or virtual, starts the count
// over; once the count reaches the level the overlays go and it starts over.
struct SafeLevelCase {
    const char* name;
    int level;
    const char* outcomes;
    const char* bets;
    const char* streaks;

    friend void PrintTo(const SafeLevelCase& c, std::ostream* out) { *out << c.name; }
};

class SafeLevelRule : public ::testing::TestWithParam<SafeLevelCase> {};

TEST_P(SafeLevelRule, DecidesWhichBetsAreVirtualAndWhatEachSettlementPays) {
    const SafeLevelCase& c = GetParam();
    const std::string outcomes = c.outcomes;
    ASSERT_EQ(std::string(c.bets).size(), outcomes.size() + 1);
    ASSERT_EQ(std::string(c.streaks).size(), outcomes.size());
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 1);
    game.params.Safe_Level = c.level;

    for (std::size_t i = 0; i <= outcomes.size(); ++i) {
        const std::int64_t before = game.Bankroll;
        const std::int64_t stake = game.Bet_Size;
        place_bet(game, {Sector::D1});
        const bool staked = c.bets[i] == 'P';
        EXPECT_EQ(game.Bankroll, staked ? before - stake : before) << "bet " << i + 1;
        if (i == outcomes.size()) break;

        const char outcome = outcomes[i];
        settle(game, outcome == 'W' ? kWinningForD1 : outcome == 'Z' ? 0 : kLosingForD1);
        // A staked win pays three times the stake: the stake back and twice it.
        const std::int64_t paid = staked && outcome == 'W' ? 3 * stake : 0;
        EXPECT_EQ(game.Bankroll, before - (staked ? stake : 0) + paid) << "settlement " << i + 1;
        EXPECT_EQ(game.Loss_Streak, c.streaks[i] - '0') << "settlement " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, SafeLevelRule,
                         ::testing::Values(
                             // After a paid win the next bets are virtual; a virtual win restarts
                             // the count; after two virtual losses in a row the next bet is staked.
                             SafeLevelCase{"LevelTwoWorkedCase", 2, "WLWLL", "PVVVVP", "01010"},
                             // Level 0 releases in the settlement of the win itself.
                             SafeLevelCase{"LevelZeroNeverHolds", 0, "WLWW", "PPPPP", "0000"},
                             // A loss before the win does not count towards the release: the win
                             // starts the count over.
                             SafeLevelCase{"AWinEndsTheLossesBeforeIt", 2, "LWLL", "PPVVP", "1010"},
                             SafeLevelCase{"AWinEndsALongerRun", 3, "LLWLL", "PPPVVV", "12012"},
                             // Staked losses count as well, and reaching the level starts over.
                             SafeLevelCase{"StakedLossesCountAndStartOver", 2, "LLLWL", "PPPPVV",
                                           "10101"},
                             SafeLevelCase{"LevelOne", 1, "WLWWL", "PVPVVP", "00000"},
                             // The zero loses every bet, virtual ones too.
                             SafeLevelCase{"ZeroIsALoss", 3, "WZZWZZZ", "PVVVVVVP", "0120120"}),
                         [](const ::testing::TestParamInfo<SafeLevelCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(MaxBankFlash, StartsOnANewMaximumOnlyWhileTestBankIsChecked) {
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 1);
    game.params.ChBx_TestBankroll = false;
    place_bet(game, {Sector::D1});
    settle(game, kWinningForD1);
    EXPECT_EQ(game.Max_Bank, 5002);
    EXPECT_FALSE(game.max_profit_flash.Timer_MaxProfit);

    game.params.ChBx_TestBankroll = true;
    place_bet(game, {Sector::D1});
    settle(game, kWinningForD1);
    EXPECT_EQ(game.Max_Bank, 5004);
    ASSERT_TRUE(game.max_profit_flash.Timer_MaxProfit);
    for (int tick = 1; tick <= 10; ++tick) {
        EXPECT_TRUE(game.max_profit_flash.Timer_MaxProfit) << tick;
        Timer_MaxProfitTimer(game);
        EXPECT_EQ(game.max_profit_flash.opaque, tick % 2 == 1) << tick;
    }
    EXPECT_FALSE(game.max_profit_flash.Timer_MaxProfit);
    EXPECT_EQ(game.max_profit_flash.tag, 0);
    EXPECT_FALSE(game.max_profit_flash.opaque);  // as transparent as before
}

TEST(MaxBankFlash, AWinBelowTheMaximumDoesNotFlash) {
    Game game = game_with(ProgressionSystem::Classic, BetType::Single, 1);
    game.Max_Bank = 6000;
    place_bet(game, {Sector::D1});
    settle(game, kWinningForD1);
    EXPECT_EQ(game.Max_Bank, 6000);
    EXPECT_FALSE(game.max_profit_flash.Timer_MaxProfit);
}

// The stake the change of type gives back.
using RefundCase = testing::TableBetCase;

class BetTypeChangeRefund : public ::testing::TestWithParam<RefundCase> {};

TEST_P(BetTypeChangeRefund, ReturnsTheStakeOnTheTable) {
    const RefundCase& c = GetParam();
    Game game = testing::game_with_table_bet(c);
    game.Bet_Size = 3;
    game.Bankroll = 4000;
    BettingTypeChange(game);
    EXPECT_EQ(game.Bankroll, 4000 + c.expected);
    EXPECT_EQ(game.saved.Bankroll, c.expected > 0 ? game.Bankroll : 5000);
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_EQ(profit_bet_caption(game), "P.BET:");
    EXPECT_EQ(game.Bet_Size, 1);  // reset to the base bet
}

INSTANTIATE_TEST_SUITE_P(
    Refunds, BetTypeChangeRefund,
    ::testing::Values(
        RefundCase{"DoubleToSingle", BetType::Single, {Sector::C1, Sector::C2}, false, 6},
        RefundCase{"SingleToDouble", BetType::Double, {Sector::D2}, false, 3},
        RefundCase{"NoChip", BetType::Double, {}, false, 0},
        RefundCase{"SafeLevel", BetType::Single, {Sector::D1, Sector::D3}, true, 0}),
    [](const ::testing::TestParamInfo<RefundCase>& info) { return std::string(info.param.name); });

TEST(UndoOfAWin, RestoresTheMoneyAndTheBetOfTheSpin) {
    Game game;
    testing::play(game, {1, 2, 3, 4, 5});
    Disable_Bets(game);
    game.Bet_Step = 6;
    load_table_bet(game);
    place_bet(game, {Sector::D3});
    const std::int64_t bankroll = game.Bankroll;
    const std::int64_t max_bank = game.Max_Bank;
    const std::int64_t aim = game.Profit_Aim;

    enter_number(game, 30);  // D3 wins
    EXPECT_GT(game.Bankroll, bankroll);
    end_analysis_pause(game);
    Undo(game);

    EXPECT_EQ(game.Bankroll, bankroll);
    EXPECT_EQ(game.Max_Bank, max_bank);
    EXPECT_EQ(game.Profit_Aim, aim);
    EXPECT_EQ(game.Bet_Step, 6);
    EXPECT_EQ(game.Bet_Size, 4);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D3});
}

}  // namespace
}  // namespace quorvel
