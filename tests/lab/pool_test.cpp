// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A table's evenings pooled: the pool's sums against the files' own, the
// exact hit-rate test on the sums, the fair pools played file by file, the
// plan's pooled rows and the wheel test of a pool.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "lab/binomial.hpp"
#include "lab/chance.hpp"
#include "lab/grid.hpp"
#include "lab/pool.hpp"
#include "lab/run_plan.hpp"
#include "lab/runner.hpp"
#include "lab/session_log.hpp"
#include "lab/spin_file.hpp"
#include "lab/wheel_test.hpp"
#include "real_spins.hpp"

namespace quorvel {
namespace {

// Evenings of a table: fair spins of uneven lengths, one of them empty.
std::vector<std::vector<std::uint8_t>> evenings(std::int64_t seed,
                                                const std::vector<std::size_t>& lengths) {
    std::vector<std::vector<std::uint8_t>> files;
    for (std::size_t f = 0; f < lengths.size(); ++f)
        files.push_back(session_spins(lengths[f], seed, f));
    return files;
}

struct PoolCase {
    const char* name;
    void (*set)(LabSettings&);
    bool some_file_runs_out = false;
    bool some_file_stops = false;
};

// Settings under which the files run their course, run out and play on, are
// ended by the table's rules, or bet two sectors at a time.
const PoolCase kPoolCases[] = {
    {"defaults", [](LabSettings&) {}},
    {"a small bankroll played on",
     [](LabSettings& s) {
         s.CSpinEdit1 = 40;
         s.BettingSystem = ProgressionSystem::Classic;
         s.at_ruin = AtRuinRule::PlayOn;
     },
     true},
    {"a small bankroll that stops",
     [](LabSettings& s) {
         s.CSpinEdit1 = 40;
         s.BettingSystem = ProgressionSystem::Classic;
         s.at_ruin = AtRuinRule::Stop;
     },
     true, true},
    {"stop-loss and take-profit",
     [](LabSettings& s) {
         s.stop_loss = 4985;
         s.take_profit = 5010;
     },
     false, true},
    {"double bets", [](LabSettings& s) { s.BettingType = BetType::Double; }},
};

// The pool's figures are the files' sums where a sum means something, and
// the files' extremes where it does not; the hit rate is the exact test on
// the sums.
TEST(Pool, SumsEqualTheFilesOwnForEverySetting) {
    const auto files = evenings(21, {66, 137, 0, 84, 49, 300, 38});
    for (const PoolCase& c : kPoolCases) {
        SCOPED_TRACE(c.name);
        LabSettings settings;
        c.set(settings);
        ASSERT_EQ(settings_error(settings), "");
        std::vector<RunReport> runs;
        for (const auto& file : files)
            runs.push_back(report_of("f", settings, run_spins(file, settings).figures));
        const RunReport pool = pooled_report(runs);
        const RunFigures& p = pool.figures;

        RunFigures sum;
        std::int64_t offset = 0, first_out = 0;
        std::int64_t lowest = runs.front().figures.min_bankroll;
        std::int64_t top_bank = 0, drawdown = 0, streak = 0, stake = 0;
        double expected_loss = 0, expected_final = 0;
        for (const RunReport& run : runs) {
            const RunFigures& f = run.figures;
            if (first_out == 0 && f.ran_out_at != 0) first_out = offset + f.ran_out_at;
            offset += f.spins;
            sum.spins += f.spins;
            sum.bets += f.bets;
            sum.wins += f.wins;
            sum.losses += f.losses;
            sum.virtual_bets += f.virtual_bets;
            sum.wagered += f.wagered;
            sum.paid += f.paid;
            sum.final_bankroll += f.final_bankroll;
            sum.predictions += f.predictions;
            sum.predictions_won += f.predictions_won;
            expected_loss += f.expected_loss;
            expected_final += f.expected_final;
            lowest = std::min(lowest, f.min_bankroll);
            top_bank = std::max(top_bank, f.max_bank);
            drawdown = std::max(drawdown, f.max_drawdown);
            streak = std::max(streak, f.longest_losing_streak);
            stake = std::max(stake, f.largest_stake);
        }
        EXPECT_EQ(p.spins, sum.spins);
        EXPECT_EQ(p.bets, sum.bets);
        EXPECT_EQ(p.wins, sum.wins);
        EXPECT_EQ(p.losses, sum.losses);
        EXPECT_EQ(p.virtual_bets, sum.virtual_bets);
        EXPECT_EQ(p.wagered, sum.wagered);
        EXPECT_EQ(p.paid, sum.paid);
        EXPECT_EQ(p.final_bankroll, sum.final_bankroll);
        EXPECT_EQ(net_of(p), sum.paid - sum.wagered);
        EXPECT_EQ(p.predictions, sum.predictions);
        EXPECT_EQ(p.predictions_won, sum.predictions_won);
        EXPECT_DOUBLE_EQ(p.expected_loss, expected_loss);
        EXPECT_DOUBLE_EQ(p.expected_final, expected_final);
        EXPECT_EQ(p.min_bankroll, lowest);
        EXPECT_EQ(p.max_bank, top_bank);
        EXPECT_EQ(p.max_drawdown, drawdown);
        EXPECT_EQ(p.longest_losing_streak, streak);
        EXPECT_EQ(p.largest_stake, stake);
        EXPECT_EQ(p.ran_out_at, first_out);
        EXPECT_EQ(first_out != 0, c.some_file_runs_out);
        EXPECT_EQ(std::any_of(runs.begin(), runs.end(),
                              [](const RunReport& run) { return run.figures.stopped_at != 0; }),
                  c.some_file_stops);
        EXPECT_EQ(p.stopped_at, 0);
        EXPECT_EQ(p.stop_reason, StopReason::None);
        // Each file starts from its own bankroll: the pool from all of them.
        const std::int64_t start = value_or_least(settings.CSpinEdit1, kCSpinEdit1Range);
        EXPECT_EQ(p.final_bankroll, start * static_cast<std::int64_t>(files.size()) + net_of(p));

        // The exact test on the sums, not a mean of the files' rates.
        const int sectors = settings.BettingType == BetType::Double ? 2 : 1;
        EXPECT_EQ(pool.hit.sectors, sectors);
        EXPECT_EQ(pool.hit.predictions, sum.predictions);
        EXPECT_EQ(pool.hit.won, sum.predictions_won);
        EXPECT_DOUBLE_EQ(pool.hit.p, binomial_upper_tail(sum.predictions, sum.predictions_won,
                                                         12.0 * sectors / 37.0));
    }
}

// Each settled prediction wins 12 in 37 on a fair wheel, in whichever file,
// so the test on the pooled sums keeps its size: fair pools fall below 5 %
// at most about 5 % of the time, and not far less (the test is not
// needlessly blunt either).
TEST(Pool, TheExactTestOnTheSumsKeepsItsSizeOnFairPools) {
    constexpr int kPools = 600;
    LabSettings settings;
    int below = 0;
    for (int pool = 0; pool < kPools; ++pool) {
        std::vector<RunReport> runs;
        for (const auto& file : evenings(1000 + pool, {66, 30, 84, 45, 61}))
            runs.push_back(report_of("f", settings, run_spins(file, settings).figures));
        below += pooled_report(runs).hit.p < 0.05 ? 1 : 0;
    }
    const double share = static_cast<double>(below) / kPools;
    EXPECT_LE(share, 0.05 + 3 * 0.0089);
    EXPECT_GE(share, 0.015);
}

// A fair pool plays each file's length in turn from one draw, each part from
// a fresh game: played here by hand, its finals are the comparison's.
TEST(Pool, FairPoolsPlayEachFilesLengthInTurn) {
    const std::vector<std::size_t> lengths{40, 0, 75, 12};
    LabSettings settings;
    settings.stop_loss = 4990;
    settings.seed = 5;
    constexpr std::int64_t kSessions = 30;
    const std::optional<ChanceComparison> chance =
        compare_pool_with_chance(lengths, settings, kSessions, 20'010);
    ASSERT_TRUE(chance);
    const std::int64_t start = value_or_least(settings.CSpinEdit1, kCSpinEdit1Range);
    EXPECT_EQ(chance->start, 4 * start);
    EXPECT_EQ(chance->spins, 127u);
    EXPECT_EQ(chance->files, 4u);

    // Each fair pool by hand, and its bankroll after every spin: the files
    // done at their finals, the one in play as shown, those to come at
    // their start.
    std::vector<std::int64_t> finals;
    std::vector<std::vector<std::int64_t>> columns(128);
    std::int64_t as_good = 0, stopped = 0;
    for (std::int64_t i = 0; i < kSessions; ++i) {
        const std::vector<std::uint8_t> fair =
            session_spins(127, settings.seed, static_cast<std::uint64_t>(i));
        std::int64_t done = 0;
        bool stop = false;
        std::size_t offset = 0;
        for (std::size_t f = 0; f < lengths.size(); ++f) {
            RunOptions options;
            options.keep_series = true;
            const RunResult part =
                run_spins(std::span(fair).subspan(offset, lengths[f]), settings, options);
            const auto later = static_cast<std::int64_t>(lengths.size() - 1 - f) * start;
            for (std::size_t j = f == 0 ? 0 : 1; j <= lengths[f]; ++j) {
                // A part ended by a rule keeps its last bankroll to its end.
                const std::int64_t shown =
                    part.bankroll_series[std::min(j, part.bankroll_series.size() - 1)];
                columns[offset + j].push_back(done + shown + later);
            }
            done += part.figures.final_bankroll;
            stop = stop || part.figures.stop_reason == StopReason::StopLoss;
            offset += lengths[f];
        }
        finals.push_back(done);
        as_good += done >= 20'010 ? 1 : 0;
        stopped += stop ? 1 : 0;
    }
    std::sort(finals.begin(), finals.end());
    EXPECT_EQ(chance->finals, finals);
    EXPECT_DOUBLE_EQ(chance->as_good, static_cast<double>(as_good) / kSessions);
    EXPECT_DOUBLE_EQ(chance->stop_loss, static_cast<double>(stopped) / kSessions);
    EXPECT_GT(stopped, 0);
    ASSERT_EQ(chance->bands.spins.size(), 128u);
    for (std::size_t t = 0; t < columns.size(); ++t) {
        ASSERT_EQ(chance->bands.spins[t], static_cast<std::int64_t>(t));
        std::sort(columns[t].begin(), columns[t].end());
        for (std::size_t b = 0; b < kBandPercents.size(); ++b)
            ASSERT_DOUBLE_EQ(chance->bands.bands[b][t], percentile_of(columns[t], kBandPercents[b]))
                << "spin " << t << ", band " << b;
    }
    EXPECT_EQ(chance->bands.bands[2].front(), static_cast<double>(4 * start));

    // A pool of one file is the file's own comparison.
    const std::size_t one[] = {127};
    const auto pooled_one = compare_pool_with_chance(one, settings, kSessions, 5'000);
    const auto alone = compare_with_chance(127, settings, kSessions, 5'000);
    ASSERT_TRUE(pooled_one && alone);
    EXPECT_EQ(pooled_one->finals, alone->finals);
    EXPECT_EQ(pooled_one->bands.bands, alone->bands.bands);
    EXPECT_EQ(pooled_one->files, 1u);
}

// The pool's own bankroll series stands where a fair pool's bands stand:
// played on fair spins, it is exactly a one-session comparison's band, and a
// file a rule ended keeps its bankroll to its last spin.
TEST(Pool, TheSeriesOfAPoolFollowsItsFilesInTurnAsTheBandsDo) {
    const std::vector<std::size_t> lengths{40, 0, 75, 12};
    LabSettings settings;
    settings.stop_loss = 4990;
    settings.seed = 5;
    const std::int64_t start = value_or_least(settings.CSpinEdit1, kCSpinEdit1Range);
    const std::vector<std::uint8_t> fair = session_spins(127, settings.seed, 0);
    std::vector<std::vector<std::int64_t>> series;
    std::vector<RunFigures> figures;
    std::size_t offset = 0;
    bool stopped = false;
    for (std::size_t length : lengths) {
        RunOptions options;
        options.keep_series = true;
        RunResult run = run_spins(std::span(fair).subspan(offset, length), settings, options);
        stopped = stopped || run.figures.stopped_at != 0;
        series.push_back(std::move(run.bankroll_series));
        figures.push_back(run.figures);
        offset += length;
    }
    ASSERT_TRUE(stopped);
    const std::vector<std::int64_t> pool = pooled_series(series, figures, lengths, start);
    ASSERT_EQ(pool.size(), 128u);
    // One fair pool, its bands every spin: each band is that pool's value.
    const auto chance = compare_pool_with_chance(lengths, settings, 1, 0);
    ASSERT_TRUE(chance);
    for (std::size_t t = 0; t < pool.size(); ++t)
        ASSERT_EQ(chance->bands.bands[2][t], static_cast<double>(pool[t])) << "spin " << t;
    EXPECT_EQ(pool.front(), 4 * start);
}

std::string write_spins(const std::string& name, const std::vector<std::uint8_t>& spins) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream out(path);
    for (std::uint8_t spin : spins)
        out << static_cast<int>(spin) << '\n';
    return path;
}

// The plan pools each setting over the files: a run's row, or every row of
// the grid, each the pool of that row's runs; only the pool is set against
// chance, with fair pools of the files' lengths.
TEST(Pool, APlanPoolsEachRowAndSetsOnlyThePoolAgainstChance) {
    const auto files = evenings(33, {90, 45, 120});
    RunPlan plan;
    for (std::size_t f = 0; f < files.size(); ++f)
        plan.files.push_back(write_spins("pool_" + std::to_string(f) + ".txt", files[f]));
    plan.pool = true;
    plan.chance_sessions = 120;
    const PlanResult run = run_plan(plan);
    ASSERT_EQ(run.error, "");
    ASSERT_TRUE(run.pooled);
    const PooledRuns& pool = *run.pooled;
    EXPECT_EQ(pool.files, plan.files);
    EXPECT_EQ(pool.lengths, (std::vector<std::size_t>{90, 45, 120}));
    EXPECT_EQ(pool.spins, 255u);
    ASSERT_EQ(pool.reports.size(), 1u);
    const RunReport& report = pool.reports.front();
    EXPECT_EQ(report.file, "3 files pooled");
    std::vector<RunReport> runs;
    for (const SourceRuns& source : run.sources) {
        EXPECT_FALSE(source.reports.front().chance);
        EXPECT_EQ(source.reports.front().chance_skipped, "");
        runs.push_back(source.reports.front());
    }
    EXPECT_EQ(report.figures, pooled_report(runs).figures);
    ASSERT_TRUE(report.chance);
    const auto expected =
        compare_pool_with_chance(pool.lengths, plan.settings, 120, report.figures.final_bankroll);
    EXPECT_EQ(report.chance->finals, expected->finals);
    const std::vector<std::string> verdict = pool_verdict(report, runs);
    EXPECT_EQ(verdict.front().rfind("3 files pooled: 255 spins, each file a session of its own", 0),
              0u)
        << verdict.front();
    EXPECT_NE(verdict.back().find("fair pools of 3 sessions (255 spins in all"), std::string::npos)
        << verdict.back();

    plan.grid = true;
    plan.chance_sessions = 20;
    const PlanResult grid = run_plan(plan);
    ASSERT_TRUE(grid.pooled && grid.pooled->grid);
    ASSERT_EQ(grid.pooled->reports.size(), grid_size());
    for (std::size_t i = 0; i < grid_size(); ++i) {
        std::vector<RunReport> row;
        for (const SourceRuns& source : grid.sources)
            row.push_back(source.reports[i]);
        ASSERT_EQ(grid.pooled->reports[i].figures, pooled_report(row).figures) << "row " << i;
        ASSERT_EQ(grid.pooled->reports[i].settings, grid.sources.front().reports[i].settings);
    }
    const GridSummary& summary = *grid.pooled->grid;
    EXPECT_EQ(summary.runs, grid_size());
    EXPECT_EQ(summary.spins, 255u);
    ASSERT_TRUE(summary.chance);
    EXPECT_EQ(summary.chance->bests.size(), 20u);
    std::int64_t best = INT64_MIN;
    for (const RunReport& row : grid.pooled->reports)
        best = std::max(best, row.figures.final_bankroll);
    EXPECT_EQ(summary.best_final, best);
}

// The wheel test of a pool counts every spin, but pairs spins in a row only
// within a file: the last of one evening and the first of the next were not
// spun one after the other.
TEST(Pool, TheWheelTestOfAPoolCountsEverySpinAndPairsWithinFiles) {
    const auto files = evenings(8, {66, 137, 84, 1, 49});
    const WheelTest pool = pooled_wheel_test(files, 3, 500);
    std::array<std::int64_t, 37> counts{};
    std::array<FourCounts, 4> pairs{};
    std::int64_t spins = 0;
    for (const auto& file : files) {
        const WheelTest own = wheel_test(file, 3, 0);
        spins += own.spins;
        for (std::size_t n = 0; n < 37; ++n)
            counts[n] += own.pocket_counts[n];
        for (std::size_t a = 0; a < 4; ++a)
            for (std::size_t b = 0; b < 4; ++b)
                pairs[a][b] += own.pairs[a][b];
    }
    EXPECT_EQ(pool.spins, spins);
    EXPECT_EQ(pool.pocket_counts, counts);
    EXPECT_EQ(pool.pairs, pairs);
    // The pockets, dozens and columns are those of the spins together.
    std::vector<std::uint8_t> together;
    for (const auto& file : files)
        together.insert(together.end(), file.begin(), file.end());
    const WheelTest as_one = wheel_test(together, 3, 500);
    EXPECT_EQ(pool.pockets_p, as_one.pockets_p);
    EXPECT_EQ(pool.dozens_chi2, as_one.dozens_chi2);
    EXPECT_EQ(pool.best_arc_p, as_one.best_arc_p);
    EXPECT_EQ(wheel_rows(pool).back().came,
              "the dozen or zero of " + std::to_string(spins - 5) + " pairs of spins in a row");
    // A pool of one file is the file's test.
    const std::vector<std::vector<std::uint8_t>> one{files[1]};
    const WheelTest alone = wheel_test(files[1], 3, 500);
    const WheelTest pooled_one = pooled_wheel_test(one, 3, 500);
    EXPECT_EQ(pooled_one.serial_p, alone.serial_p);
    EXPECT_EQ(pooled_one.pockets_p, alone.pockets_p);
}

// The evenings of one table in the real files, pooled: the pool holds every
// spin and every prediction of the files.
TEST(Pool, ARealTablesEveningsPoolToTheirSums) {
    REQUIRE_REAL_SPINS(dir);
    RunPlan plan;
    for (const char* name :
         {"DC 10 Jan 2026 IR301 (66).txt", "DC 14 Feb 2026, IR301 (137).txt",
          "DC 24 Jan, IR301 part  (84).txt", "DC 24 Jan, IR301 part 2 (49).txt",
          "DC 24 Jan, IR301 part 3 (38).txt", "DC 4 to 6 Jan 26, IR301 (30).txt"})
        plan.files.push_back((dir / name).string());
    plan.pool = true;
    plan.chance_sessions = 100;
    const PlanResult result = run_plan(plan);
    ASSERT_EQ(result.error, "");
    ASSERT_TRUE(result.pooled);
    EXPECT_EQ(result.pooled->spins, 404u);
    std::int64_t predictions = 0, won = 0;
    for (const SourceRuns& source : result.sources) {
        predictions += source.reports.front().figures.predictions;
        won += source.reports.front().figures.predictions_won;
    }
    const RunReport& pool = result.pooled->reports.front();
    EXPECT_EQ(pool.hit.predictions, predictions);
    EXPECT_EQ(pool.hit.won, won);
    EXPECT_EQ(pool.figures.spins, 404);
}

}  // namespace
}  // namespace quorvel
