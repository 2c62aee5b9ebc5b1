// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The lab against chance: the exact binomial figures, the fair sessions and
// their seeding, the grid's Holm verdict, the run plan and the verdict lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "lab/batch.hpp"
#include "lab/binomial.hpp"
#include "lab/chance.hpp"
#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/run_plan.hpp"
#include "lab/runner.hpp"
#include "lab/verdict.hpp"
#include "real_spins.hpp"

namespace quorvel {
namespace {

constexpr double kDozen = 12.0 / 37.0;

// Computed independently at 25 to 30 digits (incomplete beta by
// hypergeometric series, or the binomial terms summed from the small side),
// with the interval found by halving on those.
struct BinomialCase {
    std::int64_t n;
    std::int64_t k;
    double tail;  // P(X >= k), p = 12/37
    double low;   // the 95 % Clopper-Pearson interval of k of n
    double high;
};

const BinomialCase kBinomialCases[] = {
    {10, 0, 1.0, 0.0, 0.30849710781876082},
    {10, 1, 0.98016725417408608, 0.0025285785444617845, 0.44501611702819542},
    {10, 3, 0.67934416548662375, 0.066739511177734467, 0.6524528500599973},
    {10, 10, 1.2876422545304483e-5, 0.69150289218123918, 1.0},
    {1589, 0, 1.0, 0.0, 0.0023188174199663431},
    {1589, 1, 1.0, 1.5933043605339815e-5, 0.0035013436304961976},
    {1589, 515, 0.51694515606284847, 0.30111845496896679, 0.34773969130566394},
    {1589, 560, 0.0093285333659835222, 0.32891011897815158, 0.37648229950489612},
    // 8.84e-778 is below what a double holds.
    {1589, 1589, 0.0, 0.99768118258003366, 1.0},
    {10000000, 0, 1.0, 0.0, 3.6888787737224386e-7},
    {10000000, 3240000, 0.98578779236630581, 0.32370993690877105, 0.32429016499408773},
    {10000000, 10000000, 0.0, 0.99999963111212263, 1.0},
};

TEST(Binomial, TailAndIntervalMatchIndependentValues) {
    for (const BinomialCase& c : kBinomialCases) {
        SCOPED_TRACE("n = " + std::to_string(c.n) + ", k = " + std::to_string(c.k));
        const double tail = binomial_upper_tail(c.n, c.k, kDozen);
        EXPECT_NEAR(tail, c.tail, 1e-10 * c.tail + 1e-300);
        const RateInterval interval = clopper_pearson(c.n, c.k);
        EXPECT_NEAR(interval.low, c.low, 1e-10 * c.low + 1e-300);
        EXPECT_NEAR(interval.high, c.high, 1e-10 * c.high);
        // The two tails of one count add up to one.
        if (c.k > 0) {
            EXPECT_NEAR(tail + binomial_lower_tail(c.n, c.k - 1, kDozen), 1.0, 1e-12);
        }
    }
}

TEST(Binomial, TailsStayExactAtABillionTrials) {
    const std::int64_t n = 1'000'000'000;
    const double mean = n * kDozen;
    const double sd = std::sqrt(n * kDozen * (1 - kDozen));
    // Three deviations up and down: at a billion trials the binomial is the
    // normal curve to a few parts in a thousand.
    const auto k = static_cast<std::int64_t>(std::ceil(mean + 3 * sd));
    const double normal =
        0.5 * std::erfc((static_cast<double>(k) - 0.5 - mean) / sd / std::sqrt(2.0));
    EXPECT_NEAR(binomial_upper_tail(n, k, kDozen), normal, 0.01 * normal);
    const auto below = static_cast<std::int64_t>(std::floor(mean - 3 * sd));
    EXPECT_NEAR(binomial_upper_tail(n, below, kDozen), 1 - normal, 1e-4);
    // Far out, a tail of e^-2000 or so is still a number, not 0 or NaN.
    const double far = binomial_upper_tail(n, static_cast<std::int64_t>(mean + 300 * sd), kDozen);
    EXPECT_EQ(far, 0.0);  // below a double; the log pmf shows it is finite
    const double log_pmf =
        binomial_log_pmf(n, static_cast<std::int64_t>(mean + 60 * sd), kDozen, 1 - kDozen);
    EXPECT_NEAR(log_pmf, -0.5 * 60 * 60 - std::log(sd * std::sqrt(2 * M_PI)), 20.0);
    const RateInterval interval = clopper_pearson(n, static_cast<std::int64_t>(mean));
    EXPECT_LT(interval.low, kDozen);
    EXPECT_GT(interval.high, kDozen);
    EXPECT_NEAR(interval.high - interval.low, 2 * 1.959964 * sd / n, 1e-3 * sd / n);
}

TEST(Binomial, HitRateOfARunWithoutPredictionsHasNoPValue) {
    const HitRate none = hit_rate_of(0, 0, 2);
    EXPECT_FALSE(none.any());
    EXPECT_FALSE(none.beats_chance());
    EXPECT_DOUBLE_EQ(none.chance, 24.0 / 37.0);
    const RunReport run = report_of("f", LabSettings{}, RunFigures{});
    EXPECT_EQ(data_text(figure_named("hit_rate_p"), run), "null");
    const std::vector<std::string> lines = run_verdict(run);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().find("no predictions"), std::string::npos) << lines.front();
    EXPECT_EQ(lines.front().find("p ="), std::string::npos) << lines.front();

    // 40 of 80 at 12/37 is rare for chance: above chance for one run, with its p.
    const HitRate lucky = hit_rate_of(80, 40, 1);
    EXPECT_TRUE(lucky.beats_chance());
    RunFigures figures;
    figures.predictions = 80;
    figures.predictions_won = 40;
    const std::string said = run_verdict(report_of("f", LabSettings{}, figures)).front();
    EXPECT_NE(said.find("p < 0.001"), std::string::npos) << said;
    EXPECT_EQ(said.find("edge"), std::string::npos) << said;

    // The same row in a grid whose count of tries takes it back to chance.
    RunReport row = report_of("f", LabSettings{}, figures);
    row.holm_p = 0.3;
    const std::string in_grid = run_verdict(row).front();
    EXPECT_NE(in_grid.find("not once the grid's tries are counted (Holm p = 0.30)"),
              std::string::npos)
        << in_grid;
    EXPECT_EQ(data_text(figure_named("beats_chance"), row), "false");
}

TEST(Holm, StepsDownOverConstructedPValues) {
    const std::vector<double> p{0.01, 0.04, 0.03, 0.005};
    // Sorted 0.005, 0.01, 0.03, 0.04 times 4, 3, 2, 1: 0.02, 0.03, 0.06, then
    // 0.04 lifted to the 0.06 before it.
    const std::vector<double> adjusted = holm_adjusted(p);
    const std::vector<double> expected{0.03, 0.06, 0.06, 0.02};
    for (std::size_t i = 0; i < p.size(); ++i)
        EXPECT_NEAR(adjusted[i], expected[i], 1e-15) << i;
    EXPECT_EQ(holm_adjusted(std::vector<double>{0.9, 0.8})[0], 1.0);  // capped at 1

    // A grid of 150: the best row must beat 0.05 / 150 to count.
    for (const auto& [best, beats] : {std::pair{0.0003, true}, std::pair{0.0004, false}}) {
        std::vector<double> grid(150, 0.5);
        grid[77] = best;
        GridSummary summary;
        summary.tested = grid.size();
        const std::vector<double> holm = holm_adjusted(grid);
        summary.holm_p = *std::min_element(holm.begin(), holm.end());
        EXPECT_NEAR(summary.holm_p, best * 150, 1e-12);
        EXPECT_EQ(summary.beats_chance(), beats) << best;
        const std::string said = grid_verdict(summary).front();
        EXPECT_NE(said.find("Holm p = "), std::string::npos) << said;
    }
}

// The money of the grid is each row against its own fair sessions, with the
// count of rows taken into account; a rare result in money is still no
// verdict on the advice.
TEST(Verdict, TheBestOfTheGridOnFairSpinsIsNamedForWhatItIs) {
    GridSummary grid;
    grid.runs = 150;
    grid.tested = 150;
    grid.holm_p = 1;
    grid.chance = GridChance{100, 5696, 0.71, {}};
    grid.best_row = 7;
    grid.best_row_name = "PARADOX 4.1 / 1 / Only Dozens / Classic";
    grid.best_row_final = 8469;
    grid.best_row_as_good = 0.03;
    grid.best_row_adjusted = 0.41;
    std::vector<std::string> lines = grid_verdict(grid);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1],
              "Each row against its own 100 fair sessions, the best is PARADOX 4.1 / 1 / Only "
              "Dozens / Classic: 3.0 % of them end at or above its 8,469; counting all 150 rows, "
              "p = 0.41. No row made more money than luck alone makes with its own settings.");
    // Rare on fair grids, yet the money alone is no verdict on the advice.
    grid.best_row_adjusted = 0.02;
    lines = grid_verdict(grid);
    EXPECT_NE(lines[1].find("p = 0.02."), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("the hit-rate verdict above says"), std::string::npos) << lines[1];
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("edge"), std::string::npos) << line;
    // Too few fair grids give no verdict.
    grid.chance->sessions = 10;
    EXPECT_NE(grid_verdict(grid)[1].find("Fewer than 20 fair sessions give no verdict"),
              std::string::npos);
    // Skipped: the sentence says why.
    grid.chance.reset();
    grid.best_row.reset();
    grid.chance_skipped = "skipped because";
    EXPECT_EQ(grid_verdict(grid).back(), "skipped because");
}

// The verdict goes by the step-down when it was played, with Holm beside
// it, and the out-of-sample lines follow.
TEST(Verdict, GridWordsUseTheStepDownAndTheSecondLook) {
    GridSummary grid;
    grid.runs = 150;
    grid.tested = 150;
    grid.spins = 3981;
    grid.holm_p = 0.54;
    grid.minp_p = 0.089;
    grid.minp_grids = 1000;
    std::vector<std::string> lines = grid_verdict(grid);
    EXPECT_EQ(lines[0],
              "Counting all 150 tries, no hit rate in this table beats chance (step-down min-p "
              "over 1,000 fair grids p = 0.09; Holm p = 0.54).");
    grid.minp_p = 0.03;
    EXPECT_TRUE(grid.beats_chance());
    EXPECT_NE(grid_verdict(grid)[0].find("the best hit rate is still above chance"),
              std::string::npos);
    // Holm alone never decides when the step-down was played.
    grid.holm_p = 0.01;
    grid.minp_p = 0.06;
    EXPECT_FALSE(grid.beats_chance());

    grid.pbo = Overfitting{16, 30, 12870, 0.42};
    Holdout holdout;
    holdout.chosen_on = 1990;
    LabSettings chosen;
    chosen.GameModes = GameMode::Paradox;
    chosen.BettingType = BetType::Double;
    chosen.BettingSectors = SectorChoice::OnlyDozens;
    RunFigures figures;
    figures.predictions = 1991;
    figures.predictions_won = 1291;
    figures.prediction_sectors = 2;
    figures.final_bankroll = 4870;
    holdout.run = report_of("file", chosen, figures);
    grid.holdout = holdout;
    lines = grid_verdict(grid);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Chosen on half the spins, the best advice fell to the bottom half on the "
                        "other half in 42 % of splits (probability of backtest overfitting)."),
              lines.end());
    const std::string said = "Chosen on the first 1,990 spins, PARADOX 4.1 / 2 / Only Dozens hit " +
                             percent_text(1291.0 / 1991) + " % on the other 1,991 (chance 64.9 %, ";
    const auto holdout_line =
        std::find_if(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.rfind(said, 0) == 0; });
    ASSERT_NE(holdout_line, lines.end()) << lines.back();
    EXPECT_NE(holdout_line->find("): the choice did not hold up."), std::string::npos)
        << *holdout_line;
}

TEST(Chance, SessionsFitTheBudgetOfSpinSteps) {
    EXPECT_EQ(chance_sessions_for(3981, std::nullopt), 1000);
    EXPECT_EQ(chance_sessions_for(707'492, std::nullopt), 282);
    EXPECT_EQ(chance_sessions_for(2'000'001, std::nullopt), 0);  // fewer than 100 fit
    EXPECT_EQ(chance_sessions_for(2'000'000, std::nullopt), 100);
    EXPECT_EQ(chance_sessions_for(707'492, 5000), 5000);  // asked for: whatever the length
    EXPECT_EQ(chance_sessions_for(10, 0), 0);
    EXPECT_EQ(grid_chance_sessions_for(3981, 150, std::nullopt), 100);
    EXPECT_EQ(grid_chance_sessions_for(50'000, 150, std::nullopt), 40);
    EXPECT_EQ(grid_chance_sessions_for(707'492, 150, std::nullopt), 0);
}

// The fair spins are part of what a seed means: the same on every machine,
// and every pocket one in 37.
TEST(Chance, FairSpinsAreFixedBySeedAndSessionAndEven) {
    EXPECT_EQ(session_spins(12, kDefaultLabSeed, 0),
              (std::vector<std::uint8_t>{13, 10, 22, 12, 16, 33, 20, 19, 27, 26, 27, 32}));
    EXPECT_EQ(session_spins(12, kDefaultLabSeed, 1),
              (std::vector<std::uint8_t>{7, 20, 18, 36, 20, 29, 18, 36, 6, 2, 10, 1}));
    constexpr std::size_t kDraws = 37 * 20'000;
    std::vector<double> counts(37);
    for (std::uint8_t spin : session_spins(kDraws, 42, 7))
        counts.at(spin) += 1;
    double chi_square = 0;
    for (double count : counts)
        chi_square += (count - 20'000) * (count - 20'000) / 20'000;
    // 36 degrees of freedom: above 67 one time in ten thousand.
    EXPECT_LT(chi_square, 67.0);
}

// With flat stakes (CUSTOM, both rows DO NOTHING) every bet stakes the base
// bet on one sector, so a session of N bets with W won ends at start + 3W - N
// and W is binomial: the Monte Carlo percentiles must agree with the exact
// quantiles within their sampling error.
TEST(Chance, FlatStakesAgreeWithTheExactBinomial) {
    LabSettings flat;
    flat.BettingSystem = ProgressionSystem::Custom;
    flat.Losses_Action = LossAction::DoNothing;
    flat.Wins_Action = WinAction::DoNothing;
    constexpr std::size_t kSpins = 600;
    constexpr std::int64_t kSessions = 2000;

    // Every session bets on the same number of spins.
    const RunResult one = run_spins(session_spins(kSpins, flat.seed, 0), flat);
    const std::int64_t bets = one.figures.bets;
    ASSERT_GT(bets, 500);
    ASSERT_EQ(one.figures.wagered, bets);  // one unit a bet
    for (std::uint64_t i = 1; i < 5; ++i) {
        EXPECT_EQ(run_spins(session_spins(kSpins, flat.seed, i), flat).figures.bets, bets);
    }

    const std::optional<ChanceComparison> chance =
        compare_with_chance(kSpins, flat, kSessions, *flat.CSpinEdit1, {});
    ASSERT_TRUE(chance);
    for (std::size_t b = 0; b < kBandPercents.size(); ++b) {
        const double q = kBandPercents[b] / 100;
        const double won = (chance->final_percentiles[b] - *flat.CSpinEdit1 + bets) / 3;
        const double slack = 4 * std::sqrt(q * (1 - q) / kSessions);
        // The exact distribution function on either side of the won count.
        const double below =
            binomial_lower_tail(bets, static_cast<std::int64_t>(std::ceil(won)) - 1, kDozen);
        const double at =
            binomial_lower_tail(bets, static_cast<std::int64_t>(std::floor(won)), kDozen);
        EXPECT_LE(below, q + slack) << kBandPercents[b];
        EXPECT_GE(at, q - slack) << kBandPercents[b];
    }
    const double sd = 3 * std::sqrt(bets * kDozen * (1 - kDozen));
    EXPECT_NEAR(chance->final_mean, *flat.CSpinEdit1 - bets / 37.0, 4 * sd / std::sqrt(kSessions));
    // The share ahead is the exact P(3W - N > 0).
    const double ahead = binomial_upper_tail(bets, bets / 3 + 1, kDozen);
    EXPECT_NEAR(chance->ahead, ahead, 4 * std::sqrt(ahead * (1 - ahead) / kSessions));
    EXPECT_EQ(chance->ran_out, 0.0);
}

TEST(Chance, TheSameSeedGivesTheSameFiguresWithOneOrFourThreads) {
    LabSettings settings;
    settings.BettingSystem = ProgressionSystem::Classic;  // runs out now and then
    settings.CSpinEdit1 = 300;
    ChanceOptions one_thread;
    one_thread.threads = 1;
    ChanceOptions four_threads;
    four_threads.threads = 4;
    const auto a = compare_with_chance(2500, settings, 60, 320, one_thread);
    const auto b = compare_with_chance(2500, settings, 60, 320, four_threads);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->finals, b->finals);
    EXPECT_EQ(a->final_percentiles, b->final_percentiles);
    EXPECT_EQ(a->final_mean, b->final_mean);
    EXPECT_EQ(a->ran_out, b->ran_out);
    EXPECT_EQ(a->as_good, b->as_good);
    EXPECT_EQ(a->bands.bands, b->bands.bands);
    EXPECT_GT(a->ran_out, 0.0);

    settings.seed += 1;
    const auto other = compare_with_chance(2500, settings, 60, 320, one_thread);
    EXPECT_NE(other->finals, a->finals);

    // The grid's best on fair spins is seeded alike.
    const std::vector<LabSettings> grid{LabSettings{}, settings};
    const auto g1 = grid_against_chance(800, grid, 30, 5000, one_thread);
    const auto g4 = grid_against_chance(800, grid, 30, 5000, four_threads);
    ASSERT_TRUE(g1 && g4);
    EXPECT_EQ(g1->bests, g4->bests);
    EXPECT_EQ(g1->best_median, g4->best_median);
}

TEST(Chance, BandsKeepAtMostTwoThousandOrderedPoints) {
    const LabSettings settings;
    const auto chance = compare_with_chance(5000, settings, 120, 5000, {});
    ASSERT_TRUE(chance);
    const BankrollBands& bands = chance->bands;
    ASSERT_EQ(bands.spins.size(), kMostBandPoints);
    EXPECT_EQ(bands.spins.front(), 0);
    EXPECT_EQ(bands.spins.back(), 5000);
    for (std::size_t j = 0; j < bands.spins.size(); ++j) {
        for (std::size_t b = 1; b < kBandPercents.size(); ++b)
            ASSERT_LE(bands.bands[b - 1][j], bands.bands[b][j]) << j;
    }
    EXPECT_EQ(bands.bands[0].front(), settings.CSpinEdit1);  // point 0 is the start
    EXPECT_EQ(bands.bands[4].front(), settings.CSpinEdit1);
    EXPECT_EQ(chance->finals.size(), 120u);
    std::int64_t sum = 0;
    for (std::int64_t final_bankroll : chance->finals)
        sum += final_bankroll;
    EXPECT_DOUBLE_EQ(chance->final_mean, static_cast<double>(sum) / 120.0);
    EXPECT_TRUE(std::is_sorted(chance->finals.begin(), chance->finals.end()));

    // A short session keeps every spin.
    const auto short_one = compare_with_chance(30, settings, 100, 5000, {});
    EXPECT_EQ(short_one->bands.spins.size(), 31u);
}

TEST(Batch, EveryIndexOnceAndAWorkersExceptionReachesTheCaller) {
    std::vector<std::atomic<int>> seen(1000);
    for_each_index(seen.size(), 4, [&](std::size_t i) { seen[i].fetch_add(1); });
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](const auto& n) { return n.load() == 1; }));
    EXPECT_THROW(for_each_index(1000, 4,
                                [](std::size_t i) {
                                    if (i == 5) throw std::bad_alloc();
                                }),
                 std::bad_alloc);
}

TEST(Chance, HistogramCountsEveryValueInItsBin) {
    const std::vector<std::int64_t> finals{-50, 0, 10, 49, 50, 99, 150};
    const Histogram histogram = histogram_of(finals, 4);  // width 50 from -50
    EXPECT_EQ(histogram.low, -50.0);
    EXPECT_EQ(histogram.width, 50.0);
    EXPECT_EQ(histogram.counts, (std::vector<std::size_t>{1, 3, 2, 1}));  // 150 in the last
    const Histogram alike = histogram_of(std::vector<std::int64_t>{7, 7, 7}, 10);
    EXPECT_EQ(alike.counts, std::vector<std::size_t>{3});
    EXPECT_TRUE(histogram_of({}, 5).counts.empty());
}

std::string write_text(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

TEST(RunPlan, TheFirstRefusedFileStopsTheReading) {
    RunPlan plan;
    plan.files = {write_text("plan_good.txt", "1 2 3 4 5\n"), write_text("plan_bad.txt", "1\nx\n"),
                  ::testing::TempDir() + "plan_missing.txt"};
    const PlanResult result = run_plan(plan);
    EXPECT_EQ(result.error, plan.files[1] + ":2:1: 'x' is not a roulette number (0 to 36)");
    ASSERT_EQ(result.sources.size(), 1u);  // the missing file after it was never opened
    EXPECT_TRUE(result.sources.front().reports.empty());
}

TEST(RunPlan, ARunOnItsOwnIsSetAgainstChanceAndAGridIsCountedWithHolm) {
    std::string text;
    for (std::uint8_t spin : session_spins(400, 99, 0))
        text += std::to_string(spin) + '\n';
    RunPlan plan;
    plan.files = {write_text("plan_run.txt", text)};
    plan.chance_sessions = 150;
    const PlanResult run = run_plan(plan);
    ASSERT_EQ(run.sources.size(), 1u);
    ASSERT_EQ(run.sources.front().reports.size(), 1u);
    EXPECT_FALSE(run.sources.front().grid);
    const RunReport& report = run.sources.front().reports.front();
    ASSERT_TRUE(report.chance);
    EXPECT_EQ(report.chance->sessions, 150);
    EXPECT_EQ(report.hit.predictions, report.figures.predictions);
    EXPECT_EQ(data_text(figure_named("chance_sessions"), report), "150");

    plan.grid = true;
    plan.chance_sessions = 20;
    const PlanResult grid = run_plan(plan);
    ASSERT_EQ(grid.sources.size(), 1u);
    const std::vector<RunReport>& rows = grid.sources.front().reports;
    ASSERT_EQ(rows.size(), grid_size());
    ASSERT_TRUE(grid.sources.front().grid);
    const GridSummary& summary = *grid.sources.front().grid;
    EXPECT_EQ(summary.runs, grid_size());
    std::vector<double> p;
    std::int64_t best = INT64_MIN;
    for (const RunReport& row : rows) {
        best = std::max(best, row.figures.final_bankroll);
        if (row.hit.any()) p.push_back(row.hit.p);
    }
    EXPECT_EQ(summary.best_final, best);
    EXPECT_EQ(summary.tested, p.size());
    EXPECT_DOUBLE_EQ(summary.holm_p,
                     std::min(1.0, *std::min_element(p.begin(), p.end()) * p.size()));
    // A row beats chance only by its adjusted p, never by its own.
    for (const RunReport& row : rows) {
        ASSERT_EQ(row.holm_p.has_value(), row.hit.any());
        if (row.holm_p) {
            EXPECT_GE(*row.holm_p, row.hit.p);
        }
        EXPECT_EQ(beats_chance(row), row.holm_p && *row.holm_p < 0.05);
    }
    ASSERT_TRUE(summary.chance);
    EXPECT_EQ(summary.chance->bests.size(), 20u);
}

// What the Backtest tab relies on: the progress rises to the whole work,
// fair sessions included, and a cancel hands back a cancelled result.
TEST(RunPlan, ReportsItsWholeWorkAndStopsWhenCancelled) {
    RunPlan plan;
    plan.random_spins = 3000;
    plan.chance_sessions = 100;
    std::size_t last = 0;
    std::size_t whole = 0;
    bool rising = true;
    PlanOptions options;
    options.progress = [&](std::size_t done, std::size_t total) {
        rising = rising && done >= last;
        last = done;
        whole = total;
    };
    const PlanResult done = run_plan(plan, options);
    EXPECT_FALSE(done.cancelled);
    EXPECT_TRUE(rising);
    EXPECT_EQ(whole, 3000u + 100u * 3000u);
    EXPECT_EQ(last, whole);
    EXPECT_EQ(done.sources.front().reports.front().file, "random spins (seed 1767225600)");

    std::atomic<bool> cancel{false};
    options.cancel = &cancel;
    options.progress = [&](std::size_t done_work, std::size_t) {
        if (done_work > 3000) cancel.store(true);  // during the fair sessions
    };
    const PlanResult stopped = run_plan(plan, options);
    EXPECT_TRUE(stopped.cancelled);
}

// Every settled prediction covers the same number of sectors in a run, the
// ground of the exact test; the ran-out spin is the first below zero of a
// run that plays on, and the spin a run under "stop" ends at.
TEST(RunFigures, PredictionsCoverTheTypesSectorsAndRanOutIsTheFirstSpinBelowZero) {
    const std::vector<std::uint8_t> spins = session_spins(3000, 5, 0);
    LabSettings base;
    base.Safe_Level = 2;
    base.at_ruin = AtRuinRule::PlayOn;
    for (const LabSettings& settings : plan_settings(RunPlan{{}, {}, base, true, {}, {}, {}})) {
        RunOptions options;
        options.keep_ledger = true;
        options.keep_series = true;
        const RunResult result = run_spins(spins, settings, options);
        const int k = settings.BettingType == BetType::Double ? 2 : 1;
        std::int64_t settled = 0;
        std::int64_t won = 0;
        for (const LedgerRow& row : result.ledger) {
            if (row.sectors.empty()) continue;
            ++settled;
            won += row.won ? 1 : 0;
            ASSERT_EQ(static_cast<int>(row.sectors.size()), k);
        }
        EXPECT_EQ(result.figures.predictions, settled);
        EXPECT_EQ(result.figures.predictions_won, won);
        EXPECT_EQ(result.figures.prediction_sectors, k);
        const auto below =
            std::find_if(result.bankroll_series.begin(), result.bankroll_series.end(),
                         [](std::int64_t bankroll) { return bankroll < 0; });
        const std::int64_t first =
            below == result.bankroll_series.end() ? 0 : below - result.bankroll_series.begin();
        EXPECT_EQ(result.figures.ran_out_at, first);

        LabSettings stopping = settings;
        stopping.at_ruin = AtRuinRule::Stop;
        const RunResult stopped = run_spins(spins, stopping, options);
        EXPECT_EQ(stopped.figures.ran_out_at, first);
        EXPECT_EQ(stopped.figures.stopped_at, first);
        EXPECT_EQ(stopped.figures.stop_reason, first != 0 ? StopReason::RanOut : StopReason::None);
        EXPECT_GE(stopped.figures.min_bankroll, 0);
    }
}

}  // namespace
}  // namespace quorvel
