#include "money/settlement.hpp"

#include <gtest/gtest.h>

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

// The safe level as a player meets it: after a paid win the next bets are
// virtual (shown, nothing staked or paid) until that many losses have come in
// a row; a win among them, paid or virtual, starts the count again. Each case
// plays the outcomes from a fresh game, then one more bet, and says of every
// bet whether it was staked ('S') or virtual ('V'), as the bankroll shows it.
struct SafeLevelCase {
    const char* name;
    int level;
    const char* outcomes;  // 'W' a win, 'L' a loss, one a bet
    const char* bets;      // 'S' staked, 'V' virtual: one a bet, and the bet after
};

class SafeLevelRule : public ::testing::TestWithParam<SafeLevelCase> {};

TEST_P(SafeLevelRule, VirtualBetsUntilEnoughLossesInARow) {
    const SafeLevelCase& c = GetParam();
    Game game = game_with(ProgressionSystem::Blind, BetType::Single, 1);
    game.params.Safe_Level = c.level;
    std::string bets;
    const std::string outcomes = std::string(c.outcomes) + 'L';
    for (const char outcome : outcomes) {
        const std::int64_t before = game.Bankroll;
        place_bet(game, {Sector::D1});
        settle(game, outcome == 'W' ? kWinningForD1 : kLosingForD1);
        bets += game.Bankroll == before ? 'V' : 'S';
    }
    EXPECT_EQ(bets, c.bets) << "outcomes " << c.outcomes << ", safe level " << c.level;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedCases, SafeLevelRule,
    ::testing::Values(
        // Level 0: no virtual bet ever.
        SafeLevelCase{"LevelZeroNeverVirtual", 0, "WWLW", "SSSSS"},
        // Paid losses before any win engage nothing.
        SafeLevelCase{"LossesBeforeAWinAreStaked", 2, "LLL", "SSSS"},
        // A paid win: the next bets are virtual until the losses have passed.
        SafeLevelCase{"OneLossReleasesLevelOne", 1, "WL", "SVS"},
        SafeLevelCase{"TwoLossesReleaseLevelTwo", 2, "WLL", "SVVS"},
        SafeLevelCase{"ThreeLossesReleaseLevelThree", 3, "WLLL", "SVVVS"},
        // A virtual win right after the paid one: the count had not started.
        SafeLevelCase{"AVirtualWinFirst", 2, "WWLL", "SVVVS"},
        // A virtual win between losses starts the count again.
        SafeLevelCase{"AWinBetweenLossesRestartsTheCount", 2, "WLWL", "SVVVV"},
        SafeLevelCase{"AWinBetweenLossesThenEnough", 2, "WLWLL", "SVVVVS"},
        SafeLevelCase{"LevelThreeRestartedTwice", 3, "WLLWLWLLL", "SVVVVVVVVS"},
        // Released, the next paid win engages it again.
        SafeLevelCase{"AfterTheReleaseAPaidWinEngagesAgain", 1, "WLWL", "SVSVS"}),
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

struct RefundCase {
    const char* name;
    BetType new_type;
    SectorSet chips;
    bool safe_level;
    std::int64_t refund;
};

class BetTypeChangeRefund : public ::testing::TestWithParam<RefundCase> {};

TEST_P(BetTypeChangeRefund, ReturnsTheStakeOnTheTable) {
    const RefundCase& c = GetParam();
    Game game;
    game.Bet_Size = 3;
    game.Bankroll = 4000;
    game.table.chips = c.chips;
    game.table.SL_Field = c.safe_level;
    game.params.BettingType = c.new_type;
    BettingTypeChange(game);
    EXPECT_EQ(game.Bankroll, 4000 + c.refund);
    EXPECT_EQ(game.saved.Bankroll_Saved, c.refund > 0 ? game.Bankroll : 5000);
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
