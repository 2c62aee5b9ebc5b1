// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/runner.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "game/game.hpp"
#include "lab/batch.hpp"
#include "lab/figure_tally.hpp"
#include "lab/grid.hpp"
#include "lab/random_spins.hpp"
#include "lab/spin_file.hpp"
#include "play/session.hpp"
#include "real_spins.hpp"

namespace quorvel {
namespace {

using Spins = std::vector<std::uint8_t>;

RunOptions keeping_series() {
    RunOptions options;
    options.keep_series = true;
    return options;
}

// The counts of a run's bets and their money, to compare as one: bets, wins,
// losses, virtual bets, wagered, paid.
auto bet_counts(const RunFigures& f) {
    return std::tie(f.bets, f.wins, f.losses, f.virtual_bets, f.wagered, f.paid);
}

// Deep scan bets D3 after the fifth number (sum 29, dozens), then C2, C3, C2.
const Spins kHandSession{7, 20, 0, 33, 5, 36, 1, 2, 5};

TEST(RunnerByHand, DeepScanBlindSession) {
    // 36 wins D3 (+3, Max 5002; the aim 5001 is reached, the bet resets),
    // 1 loses C2, 2 loses C3 (Blind climbs to 2), 5 wins C2 at 2 (+6).
    const RunResult run = run_spins(kHandSession, LabSettings{}, keeping_series());
    const RunFigures& f = run.figures;
    EXPECT_EQ(f.spins, 9);
    EXPECT_EQ(bet_counts(f), std::tuple(4, 2, 2, 0, 5, 9));
    EXPECT_EQ(f.final_bankroll, 5004);
    EXPECT_EQ(f.max_bank, 5004);
    EXPECT_EQ(f.min_bankroll, 4998);
    EXPECT_EQ(f.max_drawdown, 3);  // from 5001 after the first win down to 4998
    EXPECT_EQ(f.longest_losing_streak, 2);
    EXPECT_EQ(f.largest_stake, 2);
    EXPECT_DOUBLE_EQ(f.expected_loss, 5.0 / 37.0);
    // The window shows the next bet already charged: D1 at 1 after the last spin.
    EXPECT_EQ(run.bankroll_series, (std::vector<std::int64_t>{5000, 5000, 5000, 5000, 5000, 4999,
                                                              5001, 5000, 4998, 5003}));
}

TEST(RunnerByHand, SafeLevelChosenBeforePlayMakesTheFirstBetsVirtual) {
    LabSettings settings;
    settings.Safe_Level = 1;
    // D3 wins and C2 loses without a stake; the loss releases the level, so
    // C3 (lost) and C2 (won, +3) are staked; the win engages it again.
    RunOptions options;
    options.keep_ledger = true;
    const RunResult run = run_spins(kHandSession, settings, options);
    const RunFigures& f = run.figures;
    EXPECT_EQ(bet_counts(f), std::tuple(2, 1, 1, 2, 2, 3));
    EXPECT_EQ(f.final_bankroll, 5001);  // the D1 bet after the last spin is virtual
    EXPECT_EQ(f.min_bankroll, 4998);
    EXPECT_EQ(f.max_drawdown, 2);
    EXPECT_EQ(f.longest_losing_streak, 1);  // the virtual loss is not counted

    ASSERT_EQ(run.ledger.size(), kHandSession.size());
    const LedgerRow& first_bet = run.ledger[5];
    EXPECT_EQ(first_bet.spin, 6);
    EXPECT_EQ(first_bet.number, 36);
    EXPECT_EQ(first_bet.sectors, SectorSet{Sector::D3});
    EXPECT_FALSE(first_bet.real);
    EXPECT_TRUE(first_bet.won);
    const LedgerRow& last = run.ledger[8];
    EXPECT_EQ(last.sectors, SectorSet{Sector::C2});
    EXPECT_TRUE(last.real);
    EXPECT_TRUE(last.won);
    EXPECT_EQ(last.stake, 1);
    EXPECT_EQ(last.bankroll_after, 5001);
    EXPECT_TRUE(run.ledger[0].sectors.empty());
}

// A bookkeeper who watches the table: before each number it notes the chips,
// the stake and the safe level; after it, whether a chip covered the number.
// It reads nothing of the engine's settlement record.
RunFigures bookkeeper(const Spins& spins, const LabSettings& settings) {
    std::int64_t now = settings.seed;
    Game game;
    game.random = RandomSource([&now] { return now; }, {});
    apply_settings(game, settings);
    RunFigures f;
    const std::int64_t start = game.Bankroll;
    std::int64_t low = start;
    std::int64_t peak = start;
    std::int64_t streak = 0;
    for (std::uint8_t number : spins) {
        const SectorSet chips = game.table.chips;
        const bool virtual_bet = game.table.SL_Field;
        const std::int64_t stake = game.Bet_Size * chips.size();
        play_number(game, number);
        now += settings.seconds_per_spin;
        f.spins += 1;
        if (!chips.empty()) {
            bool won = false;
            for (Sector s : kAllSectors)
                won = won || (chips.contains(s) && sector_holds(s, number));
            f.predictions += 1;
            f.predictions_won += won ? 1 : 0;
            if (virtual_bet) {
                f.virtual_bets += 1;
            } else {
                f.bets += 1;
                f.wagered += stake;
                f.largest_stake = std::max(f.largest_stake, stake);
                if (won) {
                    f.wins += 1;
                    f.paid += 3 * (stake / chips.size());
                    streak = 0;
                } else {
                    f.losses += 1;
                    f.longest_losing_streak = std::max(f.longest_losing_streak, ++streak);
                }
            }
        }
        low = std::min(low, game.Bankroll);
        if (game.Bankroll < 0 && f.ran_out_at == 0) f.ran_out_at = f.spins;
        peak = std::max(peak, game.Bankroll);
        f.max_drawdown = std::max(f.max_drawdown, peak - game.Bankroll);
    }
    f.min_bankroll = low;
    f.max_bank = game.Max_Bank;
    f.final_bankroll = start - f.wagered + f.paid;
    f.expected_loss = static_cast<double>(f.wagered) / 37.0;
    f.expected_final = static_cast<double>(start) - f.expected_loss;
    f.prediction_sectors = settings.BettingType == BetType::Double ? 2 : 1;
    return f;
}

TEST(RunnerBooks, MatchABookkeeperAndBalanceForEverySetting) {
    REQUIRE_REAL_SPINS(dir);
    const SpinFile file = read_spin_file((dir / "Genting 1 May 26 a autom (594).txt").string());
    ASSERT_TRUE(file.ok()) << file.error;

    // Every spin is played: the bookkeeper keeps the books of a player who
    // plays on, and a run cut short by a rule is checked against it below.
    LabSettings playing_on;
    playing_on.at_ruin = AtRuinRule::PlayOn;
    std::vector<LabSettings> all = grid_of(playing_on);
    LabSettings guarded = playing_on;
    guarded.Safe_Level = 2;
    guarded.N_Count = 25;
    guarded.profit_aim_rule = ProfitAimRule::SetUnits;
    guarded.ProfitUnits = 20;
    guarded.Losses_HowMuch = 2;
    guarded.Losses_Type = LossCount::LossesInARow;
    guarded.Losses_Action = LossAction::Multiply;
    guarded.Losses_ActionValue = 2;
    guarded.Wins_Action = WinAction::Set;
    for (const LabSettings& settings : grid_of(guarded))
        all.push_back(settings);

    for (const LabSettings& settings : all) {
        const RunFigures f = run_spins(file.spins, settings).figures;
        SCOPED_TRACE(std::string(text_of(settings.GameModes)) + " type " +
                     std::string(text_of(settings.BettingType)) + " " +
                     std::string(text_of(settings.BettingSectors)) + " " +
                     std::string(text_of(settings.BettingSystem)) + " safe level " +
                     std::to_string(settings.Safe_Level));
        EXPECT_EQ(f, bookkeeper(file.spins, settings));
        EXPECT_EQ(f.final_bankroll, *settings.CSpinEdit1 - f.wagered + f.paid);
        EXPECT_EQ(f.wins + f.losses, f.bets);
        EXPECT_EQ(f.spins, static_cast<std::int64_t>(file.spins.size()));
        EXPECT_GT(f.bets + f.virtual_bets, 0) << "every mode bets on 594 spins";
    }
}

TEST(RunnerRuns, TheSameSeedPlaysTheSameAndTheClockMatters) {
    const Spins spins = random_spins(3000, 7);
    LabSettings settings;
    settings.GameModes = GameMode::Adaptive;
    EXPECT_EQ(run_spins(spins, settings).figures, run_spins(spins, settings).figures);
    LabSettings later = settings;
    later.seed += 1;  // another matrix
    EXPECT_NE(run_spins(spins, settings).figures, run_spins(spins, later).figures);
}

TEST(RunnerRuns, AdaptiveCreatesItsMatrixWithTheNCount) {
    LabSettings settings;
    settings.GameModes = GameMode::Adaptive;
    settings.N_Count = 40;
    const Spins spins = random_spins(39, 3);
    // Nothing is settled or bet while the matrix scores its first 40 spins.
    const RunResult scoring = run_spins(spins, settings, keeping_series());
    EXPECT_EQ(scoring.figures.bets, 0);
    EXPECT_EQ(scoring.bankroll_series.back(), 5000);
    const RunResult later = run_spins(random_spins(400, 3), settings);
    EXPECT_GT(later.figures.bets, 300);
}

TEST(RunnerRuns, ACancelledRunStopsEarly) {
    const Spins spins = random_spins(200000, 1);
    std::atomic<bool> cancel{true};
    RunOptions options;
    options.cancel = &cancel;
    const RunResult run = run_spins(spins, LabSettings{}, options);
    EXPECT_TRUE(run.cancelled);
    EXPECT_LT(run.figures.spins, 200000);
}

TEST(RunnerBatch, GivesWhatEachRunGivesAloneInOrder) {
    const Spins a = random_spins(500, 11);
    const Spins b = random_spins(700, 12);
    std::vector<RunJob> jobs;
    for (const LabSettings& settings : grid_of(LabSettings{})) {
        if (settings.BettingSectors != SectorChoice::DozensAndColumns) continue;
        jobs.push_back({a, settings});
        jobs.push_back({b, settings});
    }
    std::atomic<std::size_t> last_progress{0};
    BatchOptions options;
    options.threads = 3;
    options.progress = [&](std::size_t done) { last_progress = done; };
    const std::vector<RunResult> results = run_batch(jobs, options);
    ASSERT_EQ(results.size(), jobs.size());
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_EQ(results[i].figures, run_spins(jobs[i].spins, jobs[i].settings).figures) << i;
    }
    EXPECT_EQ(last_progress.load(), total_spins(jobs));
}

// An exception on a worker thread would end the program; it reaches the
// caller instead, once every worker has stopped, on one thread or several.
TEST(RunnerBatch, AnExceptionOnAWorkerReachesTheCaller) {
    const Spins spins = random_spins(50000, 5);
    const std::vector<RunJob> jobs(12, RunJob{spins, LabSettings{}});
    for (const unsigned threads : {1u, 3u}) {
        std::atomic<int> calls{0};
        BatchOptions options;
        options.threads = threads;
        options.progress = [&](std::size_t) {
            if (++calls == 2) throw std::runtime_error("out of room");
        };
        try {
            run_batch(jobs, options);
            ADD_FAILURE() << "no exception with " << threads << " threads";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "out of room");
        }
    }
}

TEST(RunnerGrid, HoldsEveryPlayableCombinationOnce) {
    LabSettings base;
    base.Init_Bet = 5;
    const std::vector<LabSettings> grid = grid_of(base);
    ASSERT_EQ(grid.size(), 150u);
    EXPECT_EQ(grid_size(), grid.size());  // what the help and the Backtest tab count
    std::set<std::tuple<GameMode, BetType, SectorChoice, ProgressionSystem>> seen;
    for (const LabSettings& settings : grid) {
        EXPECT_EQ(settings_error(settings), "");
        EXPECT_EQ(settings.Init_Bet, 5);
        seen.insert({settings.GameModes, settings.BettingType, settings.BettingSectors, settings.BettingSystem});
    }
    EXPECT_EQ(seen.size(), 150u);
    EXPECT_EQ(std::count_if(grid.begin(), grid.end(),
                            [](const LabSettings& s) { return s.BettingType == BetType::Double; }),
              5 * 3 * 4);
}

TEST(RandomSpins, AreFairAndFixedBySeed) {
    const Spins spins = random_spins(370000, 42);
    EXPECT_EQ(spins, random_spins(370000, 42));
    EXPECT_NE(spins, random_spins(370000, 43));
    std::vector<int> counts(37);
    for (std::uint8_t spin : spins) {
        ASSERT_LE(spin, 36);
        counts[spin] += 1;
    }
    // 10000 expected a number; five standard deviations is about 500.
    for (int count : counts) {
        EXPECT_NEAR(count, 10000, 500);
    }
}

}  // namespace
}  // namespace quorvel
