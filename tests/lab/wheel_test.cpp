// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The wheel test: the chi-square distribution and the binomial draws under
// it, the five tests against independent figures, their size on fair spins,
// rigged wheels found, the power line by simulation and the words.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/split_mix.hpp"
#include "lab/binomial.hpp"
#include "lab/chi_square.hpp"
#include "lab/lab_settings.hpp"
#include "lab/random_spins.hpp"
#include "lab/spin_file.hpp"
#include "lab/wheel_test.hpp"
#include "real_spins.hpp"

namespace quorvel {
namespace {

// Computed independently at 30 digits (the incomplete gamma function and the
// Poisson mixture summed to convergence).
struct TailCase {
    double x;
    double df;
    double upper;
};

const TailCase kTailCases[] = {
    {36.999246420497362, 36, 0.42262574293231714},
    {0.42135560579418906, 3, 0.93579644011090898},
    {9.8672124751573752, 9, 0.36134178608310591},
    {0.5, 9, 0.99996956625883892},
    {1e-3, 1, 0.97477287936996039},
    // Far tails keep their digits.
    {400, 3, 2.2138865931011177e-86},
    {1000, 36, 1.5818742950485781e-186},
};

TEST(ChiSquare, TailsCriticalValueAndPowerMatchIndependentValues) {
    for (const TailCase& c : kTailCases) {
        SCOPED_TRACE("x = " + std::to_string(c.x) + ", df = " + std::to_string(c.df));
        EXPECT_NEAR(chi_square_upper_tail(c.x, c.df), c.upper, 1e-12 * c.upper);
        EXPECT_NEAR(regularized_gamma_p(c.df / 2, c.x / 2) + regularized_gamma_q(c.df / 2, c.x / 2),
                    1.0, 1e-14);
    }
    EXPECT_NEAR(chi_square_critical(0.05, 36), 50.998460165710646, 1e-9);
    EXPECT_NEAR(noncentral_chi_square_upper_tail(50.998460165710646, 36, 10), 0.29801151483293156,
                1e-12);
    EXPECT_DOUBLE_EQ(noncentral_chi_square_upper_tail(12, 5, 0), chi_square_upper_tail(12, 5));
    EXPECT_NEAR(noncentrality_for_power(36, 0.05, 0.8), 26.405059692620036, 1e-8);
    // One degree of freedom: the normal curve's 1.96, and the shift of it
    // that clears 1.96 (on either side) 8 times in 10.
    EXPECT_NEAR(chi_square_critical(0.05, 1), 1.959963984540054 * 1.959963984540054, 1e-9);
    EXPECT_NEAR(noncentrality_for_power(1, 0.05, 0.8), 7.8488605093261982, 1e-8);
}

// The draws of one binomial set against its exact probabilities, for a
// small n whole and for a large n by its moments; the same state gives the
// same draws.
TEST(ChiSquare, BinomialDrawsFollowTheBinomial) {
    std::uint64_t state = 99;
    constexpr std::int64_t kN = 20;
    constexpr double kP = 0.3;
    constexpr int kDraws = 200'000;
    std::vector<double> counts(kN + 1);
    for (int i = 0; i < kDraws; ++i)
        counts.at(static_cast<std::size_t>(binomial_draw(kN, kP, state))) += 1;
    // Counts expected below 5 are pooled into their neighbours' cell.
    double chi2 = 0;
    double pooled_count = 0;
    double pooled_expected = 0;
    int cells = 0;
    for (std::int64_t k = 0; k <= kN; ++k) {
        pooled_count += counts[static_cast<std::size_t>(k)];
        pooled_expected += kDraws * std::exp(binomial_log_pmf(kN, k, kP, 1 - kP));
        if (pooled_expected >= 5 || k == kN) {
            chi2 += (pooled_count - pooled_expected) * (pooled_count - pooled_expected) /
                    pooled_expected;
            pooled_count = pooled_expected = 0;
            ++cells;
        }
    }
    EXPECT_GT(chi_square_upper_tail(chi2, cells - 1), 1e-4) << "chi-square " << chi2;

    constexpr std::int64_t kLarge = 50'000'000;
    double sum = 0;
    double squares = 0;
    constexpr int kLargeDraws = 4000;
    for (int i = 0; i < kLargeDraws; ++i) {
        const auto x = static_cast<double>(binomial_draw(kLarge, 1.0 / 37, state));
        sum += x;
        squares += x * x;
    }
    const double mean = kLarge / 37.0;
    const double variance = mean * 36 / 37;
    const double drawn_mean = sum / kLargeDraws;
    EXPECT_NEAR(drawn_mean, mean, 4 * std::sqrt(variance / kLargeDraws));
    EXPECT_NEAR(squares / kLargeDraws - drawn_mean * drawn_mean, variance, 0.1 * variance);

    std::uint64_t a = 5;
    std::uint64_t b = 5;
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(binomial_draw(1000 + i, 0.5, a), binomial_draw(1000 + i, 0.5, b));
    EXPECT_EQ(binomial_draw(0, 0.5, a), 0);
    EXPECT_EQ(binomial_draw(7, 1.0, a), 7);
}

// Hand-made files, their figures computed independently from the counts and
// the pairs at 40 digits (the hot pocket's tail summed term by term). Each
// file is spin i = f(i), so any other program can make it again.
struct HandMade {
    const char* rule;
    std::vector<std::uint8_t> spins;
    double pockets_chi2, pockets_p;
    int hot_pocket;
    std::int64_t hot_pocket_count;
    double hot_pocket_p;
    FourCounts dozens;
    double dozens_chi2, dozens_p;
    FourCounts columns;
    double columns_chi2, columns_p;
    int best_arc;
    std::int64_t best_arc_count;
    double serial_chi2, serial_p;
    bool fair;
};

template <typename Rule>
std::vector<std::uint8_t> spins_by(int count, Rule rule) {
    std::vector<std::uint8_t> spins;
    for (int i = 0; i < count; ++i)
        spins.push_back(static_cast<std::uint8_t>(rule(i) % 37));
    return spins;
}

TEST(WheelTest, HandMadeFilesMatchIndependentFigures) {
    // clang-format off
    const HandMade cases[] = {
        {"(i^3 + i / 5) mod 37, 259 spins", spins_by(259, [](int i) { return i * i * i + i / 5; }),
         32.857142857142857, 0.61886406971009173, 16, 14, 0.35240741517215583, {86, 84, 85, 4},
         1.3452380952380952, 0.71841989013026069, {92, 83, 80, 4}, 2.25, 0.52216718953539131, 6,
         71, 11.699533002857168, 0.23078302591146238, true},
        {"(i^2 + 3i) mod 37, 400 spins", spins_by(400, [](int i) { return i * i + 3 * i; }),
         389.395, 7.1032336914459125e-61, 3, 22, 0.056266644145133735, {141, 131, 107, 21},
         14.577291666666667, 0.0022159464049780092, {140, 152, 87, 21}, 28.313541666666667,
         3.1212444763524495e-6, 11, 131, 118.96242448091452, 2.1786776065750204e-21, false},
        // Every pocket ten times, in an order a dozen never repeats in.
        {"(17i + i / 37) mod 37, 370 spins", spins_by(370, [](int i) { return i * 17 + i / 37; }),
         0, 1, 0, 10, 0.99999999999975499, {120, 120, 120, 10}, 0, 1, {120, 120, 120, 10}, 0, 1,
         0, 90, 250.3022006302521, 8.6131587868008168e-49, false},
    };
    // clang-format on
    const auto near = [](double value, double expected) {
        return std::abs(value - expected) <= 1e-10 * std::abs(expected) + 1e-13;
    };
    for (const HandMade& c : cases) {
        SCOPED_TRACE(c.rule);
        const WheelTest t = wheel_test(c.spins, 11);
        EXPECT_FALSE(t.by_simulation);
        EXPECT_EQ(t.spins, static_cast<std::int64_t>(c.spins.size()));
        EXPECT_PRED2(near, t.pockets_chi2, c.pockets_chi2);
        EXPECT_PRED2(near, t.pockets_p, c.pockets_p);
        EXPECT_EQ(t.hot_pocket, c.hot_pocket);
        EXPECT_EQ(t.hot_pocket_count, c.hot_pocket_count);
        EXPECT_PRED2(near, t.hot_pocket_p, c.hot_pocket_p);
        EXPECT_EQ(t.dozen_counts, c.dozens);
        EXPECT_PRED2(near, t.dozens_chi2, c.dozens_chi2);
        EXPECT_PRED2(near, t.dozens_p, c.dozens_p);
        EXPECT_EQ(t.column_counts, c.columns);
        EXPECT_PRED2(near, t.columns_chi2, c.columns_chi2);
        EXPECT_PRED2(near, t.columns_p, c.columns_p);
        EXPECT_EQ(t.best_arc, c.best_arc);
        EXPECT_EQ(t.best_arc_count, c.best_arc_count);
        EXPECT_EQ(t.serial_df, 9);
        EXPECT_PRED2(near, t.serial_chi2, c.serial_chi2);
        EXPECT_PRED2(near, t.serial_p, c.serial_p);
        EXPECT_EQ(t.wheel_fair, c.fair);
        // The pairs are every spin but the first, after the one before.
        std::int64_t pairs = 0;
        for (const FourCounts& row : t.pairs) {
            for (std::int64_t count : row)
                pairs += count;
        }
        EXPECT_EQ(pairs, t.spins - 1);
        EXPECT_GT(t.best_arc_p, 0.0);
        EXPECT_LE(t.best_arc_p, 1.0);
    }
}

// Below 185 spins the dozens' p is found by simulation; here it is set
// against the exact p, every outcome of the four cells summed.
TEST(WheelTest, ASimulatedPAgreesWithTheExactSumOverEveryOutcome) {
    // 30 spins: D1 15 times, D2 8, D3 5, the zero twice.
    std::vector<std::uint8_t> spins;
    const auto add = [&spins](int number, int times) { spins.insert(spins.end(), times, number); };
    add(1, 15);
    add(13, 8);
    add(25, 5);
    add(0, 2);
    const WheelTest t = wheel_test(spins, 3);
    ASSERT_TRUE(t.by_simulation);
    EXPECT_EQ(t.draws, kWheelDraws);

    const int n = 30;
    const double shares[] = {12.0 / 37, 12.0 / 37, 12.0 / 37, 1.0 / 37};
    const auto chi2 = [&](const int(&cells)[4]) {
        double sum = 0;
        for (int c = 0; c < 4; ++c)
            sum += (cells[c] - n * shares[c]) * (cells[c] - n * shares[c]) / (n * shares[c]);
        return sum;
    };
    const double observed = chi2({15, 8, 5, 2});
    EXPECT_NEAR(t.dozens_chi2, observed, 1e-12);
    double exact = 0;
    for (int a = 0; a <= n; ++a) {
        for (int b = 0; a + b <= n; ++b) {
            for (int c = 0; a + b + c <= n; ++c) {
                const int z = n - a - b - c;
                if (chi2({a, b, c, z}) < observed - 1e-9) continue;
                exact +=
                    std::exp(std::lgamma(n + 1.0) - std::lgamma(a + 1.0) - std::lgamma(b + 1.0) -
                             std::lgamma(c + 1.0) - std::lgamma(z + 1.0) +
                             (a + b + c) * std::log(shares[0]) + z * std::log(shares[3]));
            }
        }
    }
    const double error = std::sqrt(exact * (1 - exact) / kWheelDraws);
    EXPECT_NEAR(t.dozens_p, exact, 4 * error + 1.0 / kWheelDraws);
    // The same seed draws the same files; the pockets' p is in steps of the draws.
    EXPECT_EQ(wheel_test(spins, 3).pockets_p, t.pockets_p);
    const double steps = t.pockets_p * (kWheelDraws + 1);
    EXPECT_NEAR(steps, std::round(steps), 1e-6);
}

// On fair spins the pockets' p is uniform: a twentieth of the files fall
// below 0.05, whether it comes from the chi-square (500 spins) or from the
// simulation (60). The simulation's p counts ties as at least as far, so on
// the few sums of squares 60 spins can make it leans high, never low. The
// verdict, with its five tests at 0.01 / 5, calls about one fair file in a
// hundred unfair.
TEST(WheelTest, FairSpinsGiveUniformPAndAreCalledUnfairOnceInAHundred) {
    constexpr int kFiles = 400;
    int unfair = 0;
    for (const std::size_t length : {500u, 60u}) {
        SCOPED_TRACE(std::to_string(length) + " spins");
        int below_05 = 0;
        int below_half = 0;
        for (int file = 0; file < kFiles; ++file) {
            const std::vector<std::uint8_t> spins =
                random_spins(length, 1000 + static_cast<std::uint64_t>(file));
            const WheelTest t = wheel_test(spins, file, 1000);
            EXPECT_EQ(t.by_simulation, length < 185);
            below_05 += t.pockets_p < 0.05;
            below_half += t.pockets_p < 0.5;
            unfair += !t.wheel_fair;
        }
        // 20 expected, 4.4 the standard deviation.
        EXPECT_GE(below_05, 8);
        EXPECT_LE(below_05, 33);
        const double half = kFiles / 2.0;
        const double sd = std::sqrt(half / 2);
        EXPECT_LE(below_half, half + 3.5 * sd);
        EXPECT_GE(below_half, length < 185 ? 0.8 * half : half - 3.5 * sd);
    }
    // A hundredth of the 800 files is 8.
    EXPECT_GE(unfair, 1);
    EXPECT_LE(unfair, 18);
}

// Fair spins moved, at random, towards what a biased wheel would give: each
// bias is found by its own test, and the verdict names it.
struct Rig {
    const char* name;
    // Spin i of the fair file, and a second fair number to decide with.
    int (*rig)(int previous, int spin, int coin);
    double WheelTest::*p;
    const char* words;
    const char* follows;  // what advice would follow, in the last line
};

const Rig kRigs[] = {
    // About 66 % of the spins in D1 and the zero left alone, as a player's
    // file rigged on the first dozen.
    {"one dozen",
     [](int, int spin, int coin) { return spin != 0 && coin < 19 ? 1 + spin % 12 : spin; },
     &WheelTest::dozens_p, "The dozens are uneven beyond chance: D1 came ", "dozens"},
    // One spin in ten lands in the 9 pockets from 19 clockwise.
    {"a sector",
     [](int, int spin, int coin) { return coin < 4 ? kWheelOrder[3 + spin % 9] : spin; },
     &WheelTest::best_arc_p,
     "A sector of the wheel comes too often: the 9 neighbouring pockets from 19 to 27 came ",
     "sectors"},
    // One spin in seven repeats the dozen of the one before.
    {"the order",
     [](int previous, int spin, int coin) {
         return coin < 5 && previous != 0 && spin != 0 ? (previous - 1) / 12 * 12 + 1 + spin % 12
                                                       : spin;
     },
     &WheelTest::serial_p,
     "Each spin's dozen depends on the one before beyond chance: ", "order of dozens"},
};

TEST(WheelTest, ARiggedWheelIsFoundByItsTestAndNamed) {
    for (const Rig& rig : kRigs) {
        SCOPED_TRACE(rig.name);
        const std::vector<std::uint8_t> fair = random_spins(3981, 5);
        const std::vector<std::uint8_t> coins = random_spins(3981, 6);
        std::vector<std::uint8_t> spins;
        for (std::size_t i = 0; i < fair.size(); ++i) {
            const int previous = i == 0 ? 0 : spins.back();
            spins.push_back(static_cast<std::uint8_t>(rig.rig(previous, fair[i], coins[i])));
        }
        const WheelTest t = wheel_test(spins, 8);
        EXPECT_FALSE(t.wheel_fair);
        EXPECT_LT(t.*rig.p, kWheelLevel);
        const std::vector<std::string> lines = wheel_verdict(t);
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(rig.words) != std::string::npos;
        })) << ::testing::PrintToString(lines);
        const std::string& last = lines.back();
        const std::size_t advice = last.find(" Advice that follows the wheel's ");
        ASSERT_NE(advice, std::string::npos) << last;
        EXPECT_NE(last.find(rig.follows, advice), std::string::npos) << last;
        EXPECT_TRUE(last.ends_with(" could beat this wheel; no advice beats a fair one.")) << last;
    }
    // The dozen rigged like a player's file: D1 about 66 % of the time.
    const std::vector<std::uint8_t> fair = random_spins(3981, 5);
    const std::vector<std::uint8_t> coins = random_spins(3981, 6);
    std::vector<std::uint8_t> spins;
    for (std::size_t i = 0; i < fair.size(); ++i)
        spins.push_back(static_cast<std::uint8_t>(kRigs[0].rig(0, fair[i], coins[i])));
    const WheelTest t = wheel_test(spins, 8);
    EXPECT_NEAR(static_cast<double>(t.dozen_counts[0]) / t.spins, 0.66, 0.02);
    EXPECT_LT(t.dozens_p, 1e-9);
}

// The pockets' counts of a file where pocket 0 comes `ratio` times as often
// as on a fair wheel and the others evenly less.
std::array<std::int64_t, 37> biased_counts(std::int64_t spins, double ratio, std::uint64_t& state) {
    std::array<std::int64_t, 37> counts{};
    counts[0] = binomial_draw(spins, ratio / 37, state);
    std::int64_t left = spins - counts[0];
    for (std::size_t pocket = 1; pocket < 36; ++pocket) {
        counts[pocket] = binomial_draw(left, 1.0 / static_cast<double>(37 - pocket), state);
        left -= counts[pocket];
    }
    counts[36] = left;
    return counts;
}

// The power line says the pockets test at 5 % finds pocket_ratio_found 8
// times in 10: files drawn with that bias are tested, and so at the
// break-even bias with spins_for_break_even spins.
TEST(WheelTest, ThePowerLineHoldsBySimulation) {
    const double critical = chi_square_critical(0.05, 36);
    const auto power_of = [&](std::int64_t spins, double ratio, int files) {
        std::uint64_t state = 2024;
        int found = 0;
        const double expected = static_cast<double>(spins) / 37;
        for (int file = 0; file < files; ++file) {
            double chi2 = 0;
            for (std::int64_t count : biased_counts(spins, ratio, state))
                chi2 += (count - expected) * (count - expected) / expected;
            found += chi2 >= critical;
        }
        return static_cast<double>(found) / files;
    };
    // The noncentral chi-square holds when the bias is small beside the
    // counts' spread, as for the long files that can find a small bias. For
    // a short file the one biased pocket's own spread widens the statistic,
    // and the bias said is found a little less often: 77 times in 100 at
    // 3,981 spins, 69 at 259.
    const WheelTest medium = wheel_test(random_spins(20'000, 1), 1, 0);
    EXPECT_GT(medium.pocket_ratio_found, 1.2);
    EXPECT_LT(medium.pocket_ratio_found, 1.25);
    // 3000 files: a standard error of 0.007.
    EXPECT_NEAR(power_of(20'000, medium.pocket_ratio_found, 3000), 0.8, 0.03);
    // A bias a fifth smaller is found clearly less often.
    EXPECT_LT(power_of(20'000, 1 + 0.8 * (medium.pocket_ratio_found - 1), 3000), 0.7);
    const WheelTest short_file = wheel_test(random_spins(3981, 1), 1, 0);
    EXPECT_NEAR(power_of(3981, short_file.pocket_ratio_found, 3000), 0.77, 0.03);

    const std::int64_t break_even = short_file.spins_for_break_even;
    EXPECT_GT(break_even, 1'200'000);
    EXPECT_LT(break_even, 1'250'000);
    EXPECT_NEAR(power_of(break_even, 37.0 / 36, 1000), 0.8, 0.045);
    // A file of that length finds exactly the break-even pocket.
    std::vector<std::uint8_t> long_file(static_cast<std::size_t>(break_even));
    for (std::size_t i = 0; i < long_file.size(); ++i)
        long_file[i] = static_cast<std::uint8_t>(i % 37);
    EXPECT_NEAR(wheel_test(long_file, 1, 0).pocket_ratio_found, 37.0 / 36, 1e-6);
}

TEST(WheelTest, WordsAreShapedAsAPlayerReadsThem) {
    struct Words {
        double p;
        bool simulated;
        const char* text;
    };
    for (const Words& w : {Words{0.21, false, "p = 0.21"}, Words{0.0123, false, "p = 0.01"},
                           Words{5e-4, false, "p < 10⁻³"}, Words{1e-4, false, "p < 10⁻³"},
                           Words{3e-5, false, "p < 10⁻⁴"}, Words{2e-9, false, "p < 10⁻⁸"},
                           Words{1e-300, false, "p < 10⁻⁹"}, Words{0.0, false, "p < 10⁻⁹"},
                           Words{5e-4, true, "p < 0.001"}, Words{0.2, true, "p = 0.20"}}) {
        EXPECT_EQ(wheel_p_words(w.p, w.simulated), w.text) << w.p;
    }

    // Fair spins: one sentence and the smallest p.
    const WheelTest fair = wheel_test(spins_by(259, [](int i) { return i * i * i + i / 5; }), 11);
    EXPECT_EQ(wheel_verdict(fair),
              std::vector<std::string>{"Nothing in these 259 spins says the wheel is unfair "
                                       "(smallest p = 0.23)."});
    EXPECT_EQ(wheel_power_line(fair),
              "With 259 spins, this test finds 8 times in 10 a pocket that comes 2.9 times as "
              "often as it should; a pocket that pays back what it takes (1 in 36) needs about "
              "1.2 million spins.");

    // The rows of the table, and where their p-values come from.
    const std::vector<WheelRow> rows = wheel_rows(fair);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].test, "Pockets");
    EXPECT_EQ(rows[0].chi2, "32.86");
    EXPECT_EQ(rows[0].p, "0.62");
    EXPECT_EQ(rows[0].came, "most often 16, 14 times (expected 7.0; as the best of 37, p = 0.35)");
    EXPECT_EQ(rows[1].came, "D1 86, D2 84, D3 85, zero 4 (expected 84.0 and 7.0)");
    EXPECT_EQ(rows[2].came, "C1 92, C2 83, C3 80, zero 4 (expected 84.0 and 7.0)");
    EXPECT_EQ(rows[3].chi2, "-");
    EXPECT_EQ(rows[3].came, "the 9 pockets from 6 to 10, 71 times (expected 63.0)");
    EXPECT_EQ(rows[4].df, "9");
    EXPECT_EQ(rows[4].came, "the dozen or zero of 258 pairs of spins in a row");
    EXPECT_EQ(wheel_draws_note(fair),
              "Sectors p: the share of 10,000 fair files of 259 spins drawn from seed 11 whose "
              "best arc came at least as often.");
    EXPECT_EQ(wheel_draws_note(wheel_test(std::vector<std::uint8_t>{7, 8}, 4, 50)),
              "p: the share of 50 fair files of 2 spins drawn from seed 4 that stray at least as "
              "far; below 185 spins the chi-square distribution does not hold.");

    // The second hand-made file: three tests, a line each, the advice last.
    const WheelTest unfair = wheel_test(spins_by(400, [](int i) { return i * i + 3 * i; }), 11);
    const std::vector<std::string> lines = wheel_verdict(unfair);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "The pockets are uneven beyond chance: number 3 came 22 times where 10.8 were "
              "expected (p < 10⁻⁹).");
    EXPECT_EQ(lines[1],
              "The columns are uneven beyond chance: C3 came 87 times where 130 were expected "
              "(p < 10⁻⁵).");
    EXPECT_EQ(lines.back().rfind("Each spin's dozen depends on the one before beyond chance: D3 "
                                 "followed D2 66 times where 35.1 were expected (p < 10⁻⁹). ",
                                 0),
              0u)
        << lines.back();
    EXPECT_NE(lines.back().find("Advice that follows the wheel's numbers, columns"),
              std::string::npos);

    // A long file's ratio shows the decimal that tells it from 1.
    std::vector<std::uint8_t> even(707'492);
    for (std::size_t i = 0; i < even.size(); ++i)
        even[i] = static_cast<std::uint8_t>(i % 37);
    EXPECT_NE(wheel_power_line(wheel_test(even, 1, 0)).find("a pocket that comes 1.04 times"),
              std::string::npos);
    EXPECT_EQ(wheel_power_line(wheel_test(std::vector<std::uint8_t>{7}, 1, 0)).substr(0, 15),
              "With 1 spin, th");
}

TEST(WheelTest, ItsEdgesHold) {
    // 184 spins are simulated, 185 follow the chi-square.
    EXPECT_TRUE(wheel_test(random_spins(184, 1), 1, 100).by_simulation);
    EXPECT_FALSE(wheel_test(random_spins(185, 1), 1, 100).by_simulation);
    // A number that is not a pocket is refused, not counted somewhere.
    const std::vector<std::uint8_t> bad{1, 2, 37};
    EXPECT_THROW(wheel_test(bad, 1), std::invalid_argument);
    // One spin: nothing is uneven, no pair to test.
    const WheelTest one = wheel_test(std::vector<std::uint8_t>{0}, 1);
    EXPECT_TRUE(one.wheel_fair);
    EXPECT_EQ(one.serial_df, 0);
    EXPECT_EQ(one.serial_p, 1.0);
    EXPECT_EQ(one.best_arc, 0);
    EXPECT_EQ(one.best_arc_count, 1);
    // A zero that never came leaves the serial test with 2 x 2 degrees of freedom.
    const WheelTest no_zero = wheel_test(spins_by(300, [](int i) { return 1 + (i * 7) % 36; }), 1);
    EXPECT_EQ(no_zero.serial_df, 4);
    // Another seed moves a simulated p by no more than its sampling error.
    const std::vector<std::uint8_t> spins = random_spins(5000, 3);
    const WheelTest a = wheel_test(spins, 1);
    const WheelTest b = wheel_test(spins, 2);
    EXPECT_EQ(a.pockets_p, b.pockets_p);
    EXPECT_NEAR(a.best_arc_p, b.best_arc_p, 0.03);
    EXPECT_EQ(wheel_test(spins, 1).best_arc_p, a.best_arc_p);
}

// The long real file, against figures computed independently from its
// numbers (see HandMadeFilesMatchIndependentFigures).
TEST(WheelTest, ARealFileMatchesIndependentFigures) {
    REQUIRE_REAL_SPINS(dir);
    const SpinFile file = read_spin_file((dir / "DB4000_1.txt").string());
    ASSERT_TRUE(file.ok()) << file.error;
    const WheelTest t = wheel_test(file.spins, kDefaultLabSeed);
    EXPECT_EQ(t.spins, 3981);
    EXPECT_NEAR(t.pockets_chi2, 36.999246420497362, 1e-10);
    EXPECT_NEAR(t.pockets_p, 0.42262574293231714, 1e-12);
    EXPECT_EQ(t.hot_pocket, 8);
    EXPECT_EQ(t.hot_pocket_count, 135);
    EXPECT_NEAR(t.hot_pocket_p, 0.18220278401815978, 1e-12);
    EXPECT_EQ(t.dozen_counts, (FourCounts{1308, 1291, 1276, 106}));
    EXPECT_NEAR(t.dozens_p, 0.93579644011090898, 1e-12);
    EXPECT_EQ(t.column_counts, (FourCounts{1274, 1320, 1281, 106}));
    EXPECT_NEAR(t.columns_p, 0.80708162002910287, 1e-12);
    EXPECT_EQ(t.best_arc, 6);
    EXPECT_EQ(t.best_arc_count, 1047);
    EXPECT_NEAR(t.serial_p, 0.36134178608310591, 1e-12);
    EXPECT_TRUE(t.wheel_fair);
    // The double-zero wheel's log never reaches the test.
    EXPECT_FALSE(read_spin_file((dir / "1603_real_spins.txt").string()).ok());
}

}  // namespace
}  // namespace quorvel
