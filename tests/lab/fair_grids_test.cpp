// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/fair_grids.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "lab/batch.hpp"
#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/holdout.hpp"
#include "lab/overfitting.hpp"
#include "lab/random_spins.hpp"
#include "lab/run_plan.hpp"
#include "lab/runner.hpp"
#include "lab/spin_file.hpp"
#include "real_spins.hpp"

namespace quorvel {
namespace {

// What a row bet on each spin and whether it won: its picks, whatever it staked.
std::vector<std::tuple<std::int64_t, SectorSet, bool>> picks_of(std::span<const std::uint8_t> spins,
                                                                const LabSettings& settings) {
    RunOptions options;
    options.keep_ledger = true;
    std::vector<std::tuple<std::int64_t, SectorSet, bool>> picks;
    for (const LedgerRow& row : run_spins(spins, settings, options).ledger) {
        if (!row.sectors.empty()) picks.emplace_back(row.spin, row.sectors, row.won);
    }
    return picks;
}

// How many streams have a row whose picks differ from the stream's first row.
std::size_t streams_whose_rows_differ(std::span<const std::uint8_t> spins,
                                      const LabSettings& base) {
    const std::vector<LabSettings> grid = grid_of(base);
    const std::vector<std::size_t> streams = streams_of(grid);
    std::vector<std::vector<std::tuple<std::int64_t, SectorSet, bool>>> first;
    std::set<std::size_t> differ;
    for (std::size_t row = 0; row < grid.size(); ++row) {
        auto picks = picks_of(spins, grid[row]);
        if (streams[row] == first.size()) {
            first.push_back(std::move(picks));
        } else if (picks != first[streams[row]]) {
            differ.insert(streams[row]);
        }
    }
    return differ.size();
}

TEST(FairGridStreams, ThirtyStreamsOfFiveOrFourSystems) {
    const std::vector<LabSettings> grid = grid_of(LabSettings{});
    const std::vector<std::size_t> streams = streams_of(grid);
    ASSERT_EQ(streams.size(), grid_size());
    EXPECT_EQ(*std::max_element(streams.begin(), streams.end()) + 1, 30u);
    for (std::size_t row = 0; row < grid.size(); ++row) {
        const LabSettings& first =
            grid[std::find(streams.begin(), streams.end(), streams[row]) - streams.begin()];
        EXPECT_EQ(std::tie(grid[row].GameModes, grid[row].BettingType, grid[row].BettingSectors),
                  std::tie(first.GameModes, first.BettingType, first.BettingSectors));
    }
}

// The systems move the stakes, not the picks, for as long as the session
// lasts: with no rule of the table that can end it, every row of a stream
// bets the same sectors on the same spins; a rule that ends sessions ends
// the rows at different spins, and the shortcut must not be taken.
struct RulesCase {
    const char* name;
    std::function<void(LabSettings&)> set;
    bool shared;
};

class PicksAcrossSystems : public ::testing::TestWithParam<RulesCase> {};

TEST_P(PicksAcrossSystems, SharedExactlyWhenNoRuleEndsTheSession) {
    const RulesCase& c = GetParam();
    LabSettings base;
    base.at_ruin = AtRuinRule::PlayOn;
    c.set(base);
    EXPECT_EQ(picks_shared_by_systems(base), c.shared);
    std::vector<std::vector<std::uint8_t>> files{random_spins(1500, 11), random_spins(1500, 12)};
    if (const auto dir = testing::real_spins_dir(); !dir.empty()) {
        const SpinFile real = read_spin_file((dir / "Genting 1 May 26 a autom (594).txt").string());
        ASSERT_TRUE(real.ok()) << real.error;
        files.push_back(real.spins);
    }
    std::size_t differing = 0;
    for (const auto& spins : files)
        differing += streams_whose_rows_differ(spins, base);
    if (c.shared) {
        EXPECT_EQ(differing, 0u);
    } else {
        EXPECT_GT(differing, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    TableRules, PicksAcrossSystems,
    ::testing::Values(RulesCase{"PlayOn", [](LabSettings&) {}, true},
                      RulesCase{"MaxSpins", [](LabSettings& s) { s.max_spins = 700; }, true},
                      RulesCase{"TableMaxCapped",
                                [](LabSettings& s) {
                                    s.table_max = 8;
                                    s.at_max = AtMaxRule::Cap;
                                },
                                true},
                      RulesCase{"TableMaxReset",
                                [](LabSettings& s) {
                                    s.table_max = 8;
                                    s.at_max = AtMaxRule::Reset;
                                },
                                true},
                      RulesCase{"StopAtRuin",
                                [](LabSettings& s) {
                                    s.at_ruin = AtRuinRule::Stop;
                                    s.CSpinEdit1 = 200;
                                },
                                false},
                      RulesCase{"StopLoss", [](LabSettings& s) { s.stop_loss = 4980; }, false},
                      RulesCase{"TakeProfit", [](LabSettings& s) { s.take_profit = 5020; }, false},
                      RulesCase{"StopAtTableMax",
                                [](LabSettings& s) {
                                    s.table_max = 8;
                                    s.at_max = AtMaxRule::Stop;
                                },
                                false}),
    [](const ::testing::TestParamInfo<RulesCase>& info) { return std::string(info.param.name); });

// The step-down by its definition, worked by hand. Three rows on four fair
// grids: sorted, row 1 (0.01), row 0 (0.04), row 2 (0.30).
//   l = 1: the grids' smallest of all rows are 0.02, 0.005, 0.03, 0.25; one
//          at or below 0.01: (1 + 1) / 5 = 0.4.
//   l = 2: of rows 0 and 2, 0.02, 0.005, 0.4, 0.25; two at or below 0.04: 0.6.
//   l = 3: of row 2, 0.02, 0.9, 0.4, 0.25; two at or below 0.30: 0.6, and
//          never below the step before.
struct StepDownCase {
    const char* name;
    std::vector<double> observed;
    std::vector<double> fair;  // grid by grid, rows in the order given
    std::size_t grids;
    std::vector<double> adjusted;
};

class StepDown : public ::testing::TestWithParam<StepDownCase> {};

TEST_P(StepDown, FollowsTheDefinition) {
    const StepDownCase& c = GetParam();
    const std::vector<double> adjusted = step_down_min_p(c.observed, c.fair, c.grids);
    ASSERT_EQ(adjusted.size(), c.adjusted.size());
    for (std::size_t i = 0; i < adjusted.size(); ++i)
        EXPECT_DOUBLE_EQ(adjusted[i], c.adjusted[i]) << "row " << i;
}

INSTANTIATE_TEST_SUITE_P(
    ByHand, StepDown,
    ::testing::Values(
        StepDownCase{"ThreeRowsFourGrids",
                     {0.04, 0.01, 0.30},
                     {0.50, 0.20, 0.02, 0.005, 0.60, 0.90, 0.70, 0.03, 0.40, 0.80, 0.90, 0.25},
                     4,
                     {0.6, 0.4, 0.6}},
        // A later step that would fall lower is held at the step before:
        // row 1's own count (none of 0.9, 0.9 at or below 0.5) gives 1 / 3.
        StepDownCase{"NeverBelowTheStepBefore", {0.1, 0.5}, {0.05, 0.9, 0.05, 0.9}, 2, {1.0, 1.0}},
        // Equal p-values keep the given order; ties on a fair grid count
        // against the file ("at or below").
        StepDownCase{"TiesCountAgainst", {0.2, 0.2}, {0.2, 1.0, 1.0, 1.0, 1.0, 1.0}, 3, {0.5, 0.5}},
        // No fair grid as extreme: the smallest the fair grids can say.
        StepDownCase{"NoneAsExtreme", {0.001}, {0.5, 0.2, 0.9, 0.7}, 4, {0.2}}),
    [](const ::testing::TestParamInfo<StepDownCase>& info) {
        return std::string(info.param.name);
    });

RunReport row_with(std::int64_t final_bankroll, std::int64_t predictions = 0,
                   std::int64_t won = 0) {
    RunFigures figures;
    figures.final_bankroll = final_bankroll;
    figures.predictions = predictions;
    figures.predictions_won = won;
    return report_of("hand", LabSettings{}, figures);
}

// Money: each row against its own fair sessions, so that the row with the
// larger swing does not win by its swing. Row 0 ends at 9,000 against
// 8,000, 9,500, 12,000 and 3,000 (2 of 4 as good); row 1 at 5,100 against
// 4,900, 5,000, 5,050 and 4,950 (none). Row 1 is the best. Its rank among
// its sessions and itself is 1; on each fair grid a row's rank is the count
// of its sessions at or above it (row 0: 3, 2, 1, 4; row 1: 4, 2, 1, 3), the
// smaller of the two 3, 2, 1 and 3, one at or below 1: (1 + 1) / 5.
TEST(JudgeGrid, BestRowByItsOwnFairSessions) {
    std::vector<RunReport> runs{row_with(9000), row_with(5100)};
    GridSummary grid = summarise_grid("hand", 100, runs);
    FairGrids fair;
    fair.money_grids = 4;
    fair.finals = {8000, 4900, 9500, 5000, 12000, 5050, 3000, 4950};
    judge_grid(grid, runs, fair);
    EXPECT_DOUBLE_EQ(*runs[0].row_as_good, 0.5);
    EXPECT_DOUBLE_EQ(*runs[1].row_as_good, 0.0);
    ASSERT_TRUE(grid.best_row);
    EXPECT_EQ(*grid.best_row, 1u);
    EXPECT_DOUBLE_EQ(grid.best_row_as_good, 0.0);
    EXPECT_DOUBLE_EQ(grid.best_row_adjusted, 0.4);
    EXPECT_EQ(grid.best_row_final, 5100);
    // The best final of each fair grid (8,000, 9,500, 12,000, 5,050) against
    // the file's best, 9,000: two of four.
    ASSERT_TRUE(grid.chance);
    EXPECT_DOUBLE_EQ(grid.chance->best_as_good, 0.5);
    // Too few fair grids for the hit rates: no step-down, Holm stands.
    EXPECT_FALSE(grid.minp_p);
}

// The hit rates: a row far above chance on the file against fair grids
// where every row stands at 0.5 gets the smallest adjusted p there is; a
// row without predictions gets none and is left out of the count.
TEST(JudgeGrid, HitRatesAdjustedOverTheFairGrids) {
    std::vector<RunReport> runs{row_with(5000, 300, 150), row_with(5000, 300, 97), row_with(5000)};
    GridSummary grid = summarise_grid("hand", 400, runs);
    FairGrids fair;
    fair.hit_grids = kFewestMinPGrids;
    fair.hit_p.assign(static_cast<std::size_t>(fair.hit_grids) * runs.size(), 0.5);
    judge_grid(grid, runs, fair);
    const double least = 1.0 / static_cast<double>(kFewestMinPGrids + 1);
    ASSERT_TRUE(grid.minp_p);
    EXPECT_DOUBLE_EQ(*grid.minp_p, least);
    EXPECT_DOUBLE_EQ(*runs[0].adjusted_p, least);
    EXPECT_TRUE(beats_chance(runs[0]));
    // 97 of 300 is about chance (p near 0.5): every fair grid is as extreme.
    EXPECT_DOUBLE_EQ(*runs[1].adjusted_p, runs[1].hit.p < 0.5 ? least : 1.0);
    EXPECT_FALSE(runs[2].adjusted_p);
    EXPECT_TRUE(grid.beats_chance());
    EXPECT_EQ(grid.minp_grids, kFewestMinPGrids);
}

// The grid's rows on a file, with their hit rates.
std::vector<RunReport> grid_on(std::span<const std::uint8_t> spins,
                               std::span<const LabSettings> grid) {
    std::vector<RunJob> jobs;
    for (const LabSettings& settings : grid)
        jobs.push_back({spins, settings});
    std::vector<RunReport> runs;
    const std::vector<RunResult> results = run_batch(jobs);
    for (std::size_t r = 0; r < grid.size(); ++r)
        runs.push_back(report_of("file", grid[r], results[r].figures));
    return runs;
}

// On fair files the grid calls a row better than chance about as often as
// the level says: the step-down holds the chance of any false call at 5 %,
// where Holm's adjustment, blind to how alike the rows are, calls fewer.
// Each file is tested against the same 1,000 fair grids, drawn apart from
// the files: a valid test for each, and cheap enough for 400 files.
TEST(FairGridRate, MinPCallsAFairFileAtAboutTheLevel) {
    constexpr std::size_t kFiles = 400;
    constexpr std::size_t kSpins = 240;
    LabSettings base;
    base.at_ruin = AtRuinRule::PlayOn;
    const std::vector<LabSettings> grid = grid_of(base);
    const std::optional<FairGrids> fair = play_fair_grids(kSpins, grid, 1000, 0);
    ASSERT_TRUE(fair);
    EXPECT_TRUE(fair->shared_picks);
    std::size_t minp_calls = 0;
    std::size_t holm_calls = 0;
    for (std::size_t f = 0; f < kFiles; ++f) {
        const std::vector<std::uint8_t> spins = random_spins(kSpins, 5000 + f);
        std::vector<RunReport> runs = grid_on(spins, grid);
        GridSummary summary = summarise_grid("fair", kSpins, runs);
        judge_grid(summary, runs, *fair);
        ASSERT_TRUE(summary.minp_p);
        minp_calls += summary.beats_chance() ? 1 : 0;
        holm_calls += summary.holm_p < 0.05 ? 1 : 0;
    }
    const double rate = static_cast<double>(minp_calls) / kFiles;
    RecordProperty("minp_calls", static_cast<int>(minp_calls));
    RecordProperty("holm_calls", static_cast<int>(holm_calls));
    EXPECT_GE(rate, 0.03);
    EXPECT_LE(rate, 0.07);
    EXPECT_LT(holm_calls, minp_calls);
}

// A file rigged to one stream's picks, half of its numbers falling in the
// sectors that stream bets, is still found after the count of tries.
TEST(FairGridRate, RiggedFileStillFound) {
    constexpr std::size_t kSpins = 300;
    LabSettings base;
    base.at_ruin = AtRuinRule::PlayOn;
    const std::vector<LabSettings> grid = grid_of(base);
    const LabSettings& target = grid[40];
    std::mt19937 draw(3);
    std::uniform_int_distribution<int> pocket(0, 36);
    std::vector<std::uint8_t> spins;
    RunOptions ledger;
    ledger.keep_ledger = true;
    while (spins.size() < kSpins) {
        // The chips on the table before the next number: what a probe number settles.
        std::vector<std::uint8_t> probe = spins;
        probe.push_back(0);
        const SectorSet on = run_spins(probe, target, ledger).ledger.back().sectors;
        int number = pocket(draw);
        if (!on.empty() && draw() % 2 == 0) {
            while (!std::any_of(kAllSectors.begin(), kAllSectors.end(), [&](Sector sector) {
                return on.contains(sector) && number != 0 && sector_holds(sector, number);
            }))
                number = pocket(draw);
        }
        spins.push_back(static_cast<std::uint8_t>(number));
    }
    std::vector<RunReport> runs = grid_on(spins, grid);
    GridSummary summary = summarise_grid("rigged", kSpins, runs);
    const std::optional<FairGrids> fair = play_fair_grids(kSpins, grid, 200, 0);
    ASSERT_TRUE(fair);
    judge_grid(summary, runs, *fair);
    ASSERT_TRUE(summary.minp_p);
    EXPECT_DOUBLE_EQ(*summary.minp_p, 1.0 / 201);
    EXPECT_TRUE(summary.beats_chance());
    EXPECT_TRUE(beats_chance(runs[40]));
}

// The fair grids do not depend on the threads, and one row a stream gives
// the same hit rates as every row where the picks are shared.
TEST(FairGrids, SameWithAnyThreadsAndEveryRowAlike) {
    LabSettings base;
    base.at_ruin = AtRuinRule::PlayOn;
    const std::vector<LabSettings> grid = grid_of(base);
    ChanceOptions one;
    one.threads = 1;
    ChanceOptions two;
    two.threads = 2;
    // Grids 0 and 1 play every row (money), 2 to 5 one row a stream.
    const auto a = play_fair_grids(120, grid, 6, 2, one);
    const auto b = play_fair_grids(120, grid, 6, 2, two);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->hit_p, b->hit_p);
    EXPECT_EQ(a->finals, b->finals);
    const auto every_row = play_fair_grids(120, grid, 6, 6, one);
    ASSERT_TRUE(every_row);
    EXPECT_EQ(a->hit_p, every_row->hit_p);
    EXPECT_EQ(fair_grid_steps(120, grid, 6, 2), 120u * (2 * 150 + 4 * 30));
    // With a rule that ends sessions every row is played.
    LabSettings stopping = base;
    stopping.at_ruin = AtRuinRule::Stop;
    EXPECT_EQ(fair_grid_steps(120, grid_of(stopping), 6, 2), 120u * 6 * 150);
}

// Chosen on the first part, played on the rest: the same, to the unit, as
// the chosen settings played alone on a file of the rest, and the choice is
// the smallest hit_rate_p of the grid on the first part, equal ones in the
// order the grid is shown.
class Holdouts : public ::testing::TestWithParam<double> {};

TEST_P(Holdouts, EqualsTheChoicePlayedAlone) {
    const double share = GetParam();
    const std::vector<std::uint8_t> spins = random_spins(900, 31);
    const std::vector<LabSettings> grid = grid_of(LabSettings{});
    const std::optional<Holdout> holdout = play_holdout("random", spins, grid, share, 100);
    ASSERT_TRUE(holdout);
    const std::size_t first = holdout_split(spins.size(), share);
    EXPECT_EQ(holdout->chosen_on, first);
    const std::vector<std::uint8_t> rest(spins.begin() + static_cast<std::ptrdiff_t>(first),
                                         spins.end());
    const RunResult alone = run_spins(rest, grid[holdout->row]);
    EXPECT_EQ(holdout->run.figures, alone.figures);
    ASSERT_TRUE(holdout->run.chance);
    EXPECT_EQ(holdout->run.chance->spins, rest.size());
    EXPECT_EQ(holdout->run.chance->sessions, 100);

    std::vector<RunReport> on_first;
    const std::vector<std::uint8_t> head(spins.begin(),
                                         spins.begin() + static_cast<std::ptrdiff_t>(first));
    for (const LabSettings& settings : grid)
        on_first.push_back(report_of("random", settings, run_spins(head, settings).figures));
    const std::vector<std::size_t> shown = ranked_rows(on_first);
    const auto chosen = std::find(shown.begin(), shown.end(), holdout->row);
    ASSERT_NE(chosen, shown.end());
    for (auto row = shown.begin(); row != shown.end(); ++row) {
        if (row < chosen) {
            EXPECT_GT(on_first[*row].hit.p, on_first[holdout->row].hit.p);
        } else {
            EXPECT_GE(on_first[*row].hit.p, on_first[holdout->row].hit.p);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shares, Holdouts, ::testing::Values(0.5, 0.25, 0.8));

// The probability of backtest overfitting by hand, on two blocks (two
// splits). In the first case stream 0 is far ahead in block 0 and far behind
// in block 1, stream 2 the other way round, stream 1 at chance: chosen on
// either block, the best falls to the bottom on the other.
struct OverfittingCase {
    const char* name;
    std::vector<BlockTally> tallies;  // stream by stream, block by block
    double pbo;
};

class OverfittingByHand : public ::testing::TestWithParam<OverfittingCase> {};

TEST_P(OverfittingByHand, ShareOfSplitsInTheBottomHalf) {
    const OverfittingCase& c = GetParam();
    const std::vector<double> chance(c.tallies.size() / 2, 12.0 / 37.0);
    const Overfitting result = overfitting_of(c.tallies, chance, 2);
    EXPECT_EQ(result.splits, 2u);
    EXPECT_EQ(result.streams, chance.size());
    EXPECT_DOUBLE_EQ(result.pbo, c.pbo);
}

INSTANTIATE_TEST_SUITE_P(
    TwoBlocks, OverfittingByHand,
    ::testing::Values(
        OverfittingCase{"ReversedOnTheOtherHalf",
                        {{100, 60}, {100, 10}, {100, 32}, {100, 32}, {100, 10}, {100, 60}},
                        1.0},
        // Stream 0 leads in both blocks: chosen either way, it stays on top.
        OverfittingCase{"BestOnBothHalves",
                        {{100, 60}, {100, 55}, {100, 32}, {100, 32}, {100, 10}, {100, 12}},
                        0.0},
        // Four streams. Chosen on block 0, stream 0 ranks 3 of 4 in block 1
        // (3 / 5: the top half); chosen on block 1, stream 2 is the worst in
        // block 0. A rank in the very middle (2 of 3) counts as the bottom.
        OverfittingCase{"OnceOfTwo",
                        {{100, 60},
                         {100, 50},
                         {100, 32},
                         {100, 32},
                         {100, 10},
                         {100, 55},
                         {100, 30},
                         {100, 30}},
                        0.5},
        OverfittingCase{"MiddleRankIsTheBottom",
                        {{100, 60}, {100, 40}, {100, 32}, {100, 32}, {100, 10}, {100, 50}},
                        1.0}),
    [](const ::testing::TestParamInfo<OverfittingCase>& info) {
        return std::string(info.param.name);
    });

TEST(Overfitting, BlocksCoverTheSpinsInOrder) {
    for (std::size_t spins : {480u, 481u, 3981u}) {
        std::size_t last = 0;
        std::vector<std::size_t> sizes(kOverfittingBlocks, 0);
        for (std::size_t spin = 0; spin < spins; ++spin) {
            const std::size_t block = block_of(spin, spins, kOverfittingBlocks);
            EXPECT_GE(block, last);
            last = block;
            sizes[block] += 1;
        }
        EXPECT_EQ(last, kOverfittingBlocks - 1);
        const auto [least, most] = std::minmax_element(sizes.begin(), sizes.end());
        EXPECT_LE(*most - *least, 1u) << spins;
    }
}

// A whole grid: every split of 16 blocks, and a share of them.
TEST(Overfitting, GridOnSpinsTakesEveryHalf) {
    const std::vector<std::uint8_t> spins = random_spins(600, 9);
    const Overfitting result = grid_overfitting(spins, grid_of(LabSettings{}));
    EXPECT_EQ(result.splits, 12870u);
    EXPECT_EQ(result.streams, 30u);
    EXPECT_GT(result.pbo, 0.0);
    EXPECT_LT(result.pbo, 1.0);
}

// The worked examples on real files. On the 594 spins of a Genting
// automatic wheel the best row's p of 0.0036 is 0.54 after Holm; the
// step-down over the fair grids, which knows the rows are 30 streams, gives
// far less, yet no verdict of better than chance.
TEST(SecondLook, GentingBestRowAfterTheCountOfTries) {
    REQUIRE_REAL_SPINS(dir);
    RunPlan plan;
    plan.files = {(dir / "Genting 1 May 26 a autom (594).txt").string()};
    plan.grid = true;
    plan.chance_sessions = 200;
    const PlanResult result = run_plan(plan);
    ASSERT_EQ(result.error, "");
    const GridSummary& grid = *result.sources.front().grid;
    double best = 1;
    for (const RunReport& run : result.sources.front().reports)
        best = std::min(best, run.hit.p);
    EXPECT_NEAR(best, 0.0036, 0.00005);
    EXPECT_EQ(p_value_text(grid.holm_p), "0.54");
    ASSERT_TRUE(grid.minp_p);
    EXPECT_EQ(grid.minp_grids, 200);
    EXPECT_GT(*grid.minp_p, 0.05);
    EXPECT_LT(*grid.minp_p, 0.2);
    EXPECT_FALSE(grid.beats_chance());
    ASSERT_TRUE(grid.pbo);
    EXPECT_EQ(grid.pbo->splits, 12870u);
}

// Chosen on the first half of DB4000_1.txt, the best of the grid is played
// alone on the second: 1,990 and 1,991 spins, and its edge does not hold.
TEST(SecondLook, DB4000HoldoutOnTheSecondHalf) {
    REQUIRE_REAL_SPINS(dir);
    RunPlan plan;
    plan.files = {(dir / "DB4000_1.txt").string()};
    plan.grid = true;
    plan.chance_sessions = 0;
    plan.holdout = 0.5;
    const PlanResult result = run_plan(plan);
    ASSERT_EQ(result.error, "");
    const GridSummary& grid = *result.sources.front().grid;
    ASSERT_TRUE(grid.holdout);
    EXPECT_EQ(grid.holdout->chosen_on, 1990u);
    EXPECT_EQ(grid.spins - grid.holdout->chosen_on, 1991u);
    EXPECT_FALSE(grid.holdout->run.hit.beats_chance());
    const SpinFile file = read_spin_file(plan.files.front());
    const std::vector<std::uint8_t> rest(file.spins.begin() + 1990, file.spins.end());
    EXPECT_EQ(grid.holdout->run.figures,
              run_spins(rest, grid_of(plan.settings)[grid.holdout->row]).figures);
    // --chance 0: no fair grids, Holm decides, and still the overfitting.
    EXPECT_FALSE(grid.minp_p);
    ASSERT_TRUE(grid.pbo);
}

}  // namespace
}  // namespace quorvel
