// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The rules of a real table: a run that a rule ends is the same run cut
// short, the rule holds where it ended and not a spin before, the stake
// stays within the limits, a bankroll of exactly the next stake still pays
// it, and the fair sessions count a ruin as a ruin.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "lab/chance.hpp"
#include "lab/grid.hpp"
#include "lab/random_spins.hpp"
#include "lab/runner.hpp"
#include "money/table_rules.hpp"
#include "play/session.hpp"

namespace quorvel {
namespace {

using Spins = std::vector<std::uint8_t>;

RunFigures play(std::span<const std::uint8_t> spins, const LabSettings& settings) {
    return run_spins(spins, settings).figures;
}

// A run that ended after spin k, and the same settings playing on over the
// first k spins only: the same bets, the same money, to the unit.
void expect_cut_short(const RunFigures& stopped, const RunFigures& cut) {
    EXPECT_EQ(stopped.spins, cut.spins);
    EXPECT_EQ(stopped.bets, cut.bets);
    EXPECT_EQ(stopped.wins, cut.wins);
    EXPECT_EQ(stopped.virtual_bets, cut.virtual_bets);
    EXPECT_EQ(stopped.wagered, cut.wagered);
    EXPECT_EQ(stopped.paid, cut.paid);
    EXPECT_EQ(stopped.final_bankroll, cut.final_bankroll);
    EXPECT_EQ(stopped.largest_stake, cut.largest_stake);
    EXPECT_EQ(stopped.predictions_won, cut.predictions_won);
    EXPECT_DOUBLE_EQ(stopped.expected_final, cut.expected_final);
}

// Random settings of the grid with random rules of the table, on random
// spins: every run the rules end is its play-on run cut where it ended.
TEST(TableRules, ARunThatEndedIsTheSameRunCutShortAndItsRuleHoldsThereFirst) {
    std::mt19937 random(20261209);
    const std::vector<LabSettings> grid = grid_of(LabSettings{});
    const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int ended[6] = {};
    for (int trial = 0; trial < 400; ++trial) {
        LabSettings s = grid[static_cast<std::size_t>(pick(static_cast<int>(grid.size())))];
        s.CSpinEdit1 = 50 + pick(400);
        s.Init_Bet = 1 + pick(3);
        if (pick(2) == 0) s.table_max = *s.Init_Bet + pick(40);
        if (pick(3) == 0) s.table_min = *s.Init_Bet;
        s.at_max = static_cast<AtMaxRule>(pick(3));
        if (pick(3) == 0) s.stop_loss = pick(*s.CSpinEdit1);
        if (pick(3) == 0) s.take_profit = *s.CSpinEdit1 + 1 + pick(60);
        if (pick(4) == 0) s.max_spins = 1 + pick(300);
        ASSERT_EQ(table_rules_fault(s), "");
        const Spins spins = random_spins(300, static_cast<std::uint64_t>(trial));
        SCOPED_TRACE("trial " + std::to_string(trial));

        const RunFigures f = play(spins, s);
        ++ended[static_cast<int>(f.stop_reason)];
        // A player who must pay never holds less than nothing, and no stake
        // on a sector passes the maximum unless the rule ends the session.
        EXPECT_GE(f.final_bankroll, 0);
        EXPECT_GE(f.min_bankroll, 0);
        if (s.table_max) EXPECT_LE(f.largest_stake, 2 * *s.table_max);
        if (f.stop_reason == StopReason::None) {
            EXPECT_EQ(f.spins, 300);
            continue;
        }
        LabSettings on = s;
        on.at_ruin = AtRuinRule::PlayOn;
        const std::int64_t k = f.stopped_at;
        const auto first = [&](std::int64_t n) { return std::span(spins).first(static_cast<std::size_t>(n)); };
        const RunFigures cut = play(first(k), on);
        expect_cut_short(f, cut);
        // The bankroll after the settlement of spin j is the final of the
        // first j spins, the bet after it handed back.
        const std::int64_t before = k > 1 ? play(first(k - 1), on).final_bankroll : *s.CSpinEdit1;
        switch (f.stop_reason) {
            case StopReason::StopLoss:
                EXPECT_LE(cut.final_bankroll, *s.stop_loss);
                EXPECT_GT(before, *s.stop_loss);
                break;
            case StopReason::TakeProfit:
                EXPECT_GE(cut.final_bankroll, *s.take_profit);
                EXPECT_LT(before, *s.take_profit);
                break;
            case StopReason::MaxSpins:
                EXPECT_EQ(k, *s.max_spins);
                break;
            case StopReason::RanOut:
                // Playing on, the bankroll shows below zero first there.
                EXPECT_EQ(cut.ran_out_at, k);
                EXPECT_EQ(f.ran_out_at, k);
                break;
            case StopReason::TableMaximum:
                EXPECT_EQ(s.at_max, AtMaxRule::Stop);
                EXPECT_LE(f.largest_stake, 2 * *s.table_max);
                break;
            case StopReason::None:
                break;
        }
    }
    // Every rule ended some run, or the test proved little.
    for (int reason = 1; reason < 6; ++reason)
        EXPECT_GT(ended[reason], 0) << stop_reason_key(static_cast<StopReason>(reason));
}

// A bankroll left at exactly 0 has paid its bet; one unit short has not.
TEST(TableRules, ABankrollOfExactlyTheNextStakeStillPaysIt) {
    for (const std::int64_t left : {0, -1}) {
        Game game;
        game.params.at_ruin = AtRuinRule::Stop;
        game.Bet_Size = 5;
        game.table.chips = SectorSet{Sector::D1};
        game.Bankroll_At_Prediction = 5 + left;
        game.Bankroll = left;
        game.books.on_table = 5;
        EXPECT_EQ(cannot_cover(game), left < 0);
        end_at_next_bet(game);
        EXPECT_EQ(game.stopped, left < 0 ? StopReason::RanOut : StopReason::None);
        // The bet that could not be paid is not placed.
        EXPECT_EQ(game.table.chips.empty(), left < 0);
        EXPECT_EQ(game.Bankroll, left < 0 ? 4 : 0);
    }
    // The lab counts the same: a run that falls to exactly 0 shown has not
    // run out. Small banks on random spins meet it.
    int exact_zero = 0;
    for (std::uint64_t seed = 0; seed < 400 && exact_zero < 3; ++seed) {
        LabSettings s;
        s.at_ruin = AtRuinRule::PlayOn;
        s.CSpinEdit1 = 6;
        s.BettingSystem = ProgressionSystem::Classic;
        RunOptions options;
        options.keep_series = true;
        const RunResult run = run_spins(random_spins(200, seed), s, options);
        const auto& series = run.bankroll_series;
        const auto zero = std::find(series.begin(), series.end(), 0);
        const auto below = std::find_if(series.begin(), series.end(), [](auto b) { return b < 0; });
        if (zero == series.end() || zero > below) continue;
        ++exact_zero;
        EXPECT_EQ(run.figures.ran_out_at, below == series.end() ? 0 : below - series.begin());
        LabSettings stopping = s;
        stopping.at_ruin = AtRuinRule::Stop;
        EXPECT_GT(play(random_spins(200, seed), stopping).spins, zero - series.begin());
    }
    EXPECT_GT(exact_zero, 0);
}

TEST(TableRules, FairSessionsCountARuinAsARuinAndExpectTheHouseEdge) {
    for (const ProgressionSystem system :
         {ProgressionSystem::Classic, ProgressionSystem::DDonald, ProgressionSystem::Blind,
          ProgressionSystem::Custom}) {
        for (const AtRuinRule ruin : {AtRuinRule::Stop, AtRuinRule::PlayOn}) {
            LabSettings s;
            s.BettingSystem = system;
            s.CSpinEdit1 = 300;
            s.at_ruin = ruin;
            s.stop_loss = 100;
            s.take_profit = 400;
            const auto chance = compare_with_chance(400, s, 200, 300);
            ASSERT_TRUE(chance.has_value());
            SCOPED_TRACE(std::string(text_of(system)) + (ruin == AtRuinRule::Stop ? " stop" : " on"));
            EXPECT_LE(chance->ahead + chance->ran_out, 1.0);
            EXPECT_NEAR(chance->ahead + chance->behind + chance->ran_out, 1.0, 1e-12);
            EXPECT_LT(chance->expected_final, 300.0);
            EXPECT_DOUBLE_EQ(chance->expected_final, 300.0 - chance->mean_wagered / 37.0);
            EXPECT_GT(chance->stop_loss + chance->take_profit, 0.0);
            if (ruin == AtRuinRule::Stop) EXPECT_GE(chance->finals.front(), 0);
        }
    }
}

TEST(TableRules, SettingsNoTableTakesAreRefusedWithASentence) {
    struct Case {
        void (*set)(Parameters&);
        std::string fault;
    };
    const Case cases[] = {
        {[](Parameters& p) { p.table_min = 5; }, "The base bet (1) is below the table minimum (5)."},
        {[](Parameters& p) { p.table_max = 10, p.Init_Bet = 20; },
         "The base bet (20) is above the table maximum (10)."},
        {[](Parameters& p) { p.table_min = 10, p.table_max = 5, p.Init_Bet = 7; },
         "The table minimum (10) is above the table maximum (5)."},
        {[](Parameters& p) { p.stop_loss = 5000; },
         "The stop-loss (5000) must be below the starting bankroll (5000)."},
        {[](Parameters& p) { p.take_profit = 5000; },
         "The take-profit (5000) must be above the starting bankroll (5000)."},
        {[](Parameters& p) { p.table_min = 1, p.table_max = 1, p.stop_loss = 0; }, ""},
    };
    for (const Case& c : cases) {
        Parameters params;
        c.set(params);
        EXPECT_EQ(table_rules_fault(params), c.fault);
    }
}

// In the window: a stop rule ends the session with no new chips; undo takes
// the last spin back and the stop with it; "Play on" places the bet held
// back; the journal brings all of it back.
TEST(TableRules, TheWindowsSessionEndsUndoesAndPlaysOnAsItsJournalReplays) {
    Session session([] { return std::int64_t{1'767'225'600}; });
    ASSERT_TRUE(session.set(SettingId::CSpinEdit1, 6));
    ASSERT_TRUE(session.set(SettingId::BettingSystem, row_of(ProgressionSystem::Classic)));
    ASSERT_TRUE(session.set(SettingId::at_ruin, row_of(AtRuinRule::Stop)));
    const Spins spins = random_spins(400, 3);
    std::size_t i = 0;
    while (i < spins.size() && session.game().stopped == StopReason::None)
        ASSERT_TRUE(session.play_number(spins[i++]));
    ASSERT_EQ(session.game().stopped, StopReason::RanOut);
    EXPECT_TRUE(session.game().table.chips.empty());
    EXPECT_GE(session.game().Bankroll, 0);

    // Another number places no bet.
    ASSERT_TRUE(session.play_number(spins[i]));
    EXPECT_TRUE(session.game().table.chips.empty());
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(session.game().stopped, StopReason::RanOut) << "the spin before had ended it";

    ASSERT_TRUE(session.play_on());
    EXPECT_FALSE(session.game().table.chips.empty());
    EXPECT_LT(session.game().Bankroll, 0) << "the bet is charged on money the player lacks";
    EXPECT_TRUE(cannot_cover(session.game()));
    EXPECT_FALSE(session.play_on()) << "nothing left to lift";
    ASSERT_TRUE(session.play_number(spins[i]));
    EXPECT_EQ(session.game().stopped, StopReason::None);

    const SessionReading replay =
        read_session(session.journal(), "rules", [] { return std::int64_t{1'767'225'600}; });
    ASSERT_TRUE(replay.ok()) << replay.error;
    EXPECT_EQ(replay.session->game(), session.game());
}

}  // namespace
}  // namespace quorvel
