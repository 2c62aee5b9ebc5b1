// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Is the wheel fair? The spins themselves are tested, not played: five tests
// of a single-zero wheel, each asking whether fair spins would stray this far
// from what a fair wheel gives.
//
//   pockets   the chi-square of the 37 pockets' counts (36 degrees of freedom)
//   dozens    the chi-square of D1, D2, D3 and the zero (3 degrees of freedom)
//   columns   the same for C1, C2, C3 and the zero
//   sectors   the arc of 9 neighbouring pockets on the wheel that came most
//   serial    each spin's dozen (or zero) against the one before: the
//             chi-square of independence of the 4 x 4 table of pairs
//
// The wheel is called unfair when any of the five p-values is below 0.01 / 5:
// the 99 % level, with the five tries counted (Bonferroni). Fair spins are
// then called unfair about once in a hundred files.
//
// The chi-square distribution holds when every expected count is at least
// 5; the zero's n / 37 reaches it at 185 spins. Below that the pockets, the
// dozens, the columns and the serial test are exact by simulation: their
// p-values are the share of fair files of the same length, drawn from the
// seed, whose statistic is at least the file's. The best arc's p-value is
// always found so, for the arcs overlap and have no formula. A simulated
// p-value counts the file among its draws, (1 + at least as far) / (1 +
// draws), so it is never 0 and a test at any level keeps its size.

inline constexpr std::int64_t kWheelChiSquareSpins = 185;
inline constexpr std::int64_t kWheelDraws = 10'000;
// The live session's test runs again on every spin, between two numbers, so
// it draws fewer fair files: its simulated p-values are coarser (none below
// 1 / 1,001), still fine enough for the 0.01 / 5 level.
inline constexpr std::int64_t kLiveWheelDraws = 1'000;
inline constexpr double kWheelLevel = 0.01 / 5;
inline constexpr int kArcPockets = 9;
// The pockets of a single-zero wheel, clockwise from the zero.
// clang-format off
inline constexpr std::array<int, 37> kWheelOrder{
    0,  32, 15, 19, 4,  21, 2,  25, 17, 34, 6,  27, 13, 36, 11, 30, 8,  23, 10,
    5,  24, 16, 33, 1,  20, 14, 31, 9,  22, 18, 29, 7,  28, 12, 35, 3,  26};
// clang-format on

// The four cells of the dozens and of the columns, and of the serial table's
// rows and columns: the three sectors, then the zero.
using FourCounts = std::array<std::int64_t, 4>;

// What the power line reports; the same for every wheel test, so computed once.
struct WheelPower {
    // The noncentrality at which the pockets test at 5 % finds a departure
    // 8 times in 10.
    double noncentrality = 0;
    // The spins that find one pocket at 1 in 36, the others evenly lower,
    // with that power.
    std::int64_t spins_for_break_even = 0;
};
const WheelPower& wheel_power();

struct WheelTest {
    std::int64_t spins = 0;
    std::int64_t seed = 0;   // of the simulation
    std::int64_t draws = 0;  // fair files drawn for the simulated p-values
    // Below kWheelChiSquareSpins: the pockets, dozens, columns and serial
    // p-values come from the draws too, not from the chi-square distribution.
    bool by_simulation = false;

    std::array<std::int64_t, 37> pocket_counts{};  // by number
    double pockets_chi2 = 0;
    double pockets_p = 1;
    // The pocket that came most often (the lowest number on a tie), and its
    // binomial upper tail adjusted for the best of 37 (Sidak).
    int hot_pocket = 0;
    std::int64_t hot_pocket_count = 0;
    double hot_pocket_p = 1;

    FourCounts dozen_counts{};  // D1, D2, D3, zero
    double dozens_chi2 = 0;
    double dozens_p = 1;
    FourCounts column_counts{};  // C1, C2, C3, zero
    double columns_chi2 = 0;
    double columns_p = 1;

    // The arc of kArcPockets neighbouring pockets that came most often,
    // named by its first pocket clockwise (the first from the zero on a tie).
    int best_arc = 0;
    std::int64_t best_arc_count = 0;
    double best_arc_p = 1;

    // pairs[a][b]: how often a spin in cell b followed one in cell a.
    std::array<FourCounts, 4> pairs{};
    double serial_chi2 = 0;
    int serial_df = 0;  // 9, less for rows or columns that never came
    double serial_p = 1;

    bool wheel_fair = true;

    // The pocket bias this many spins find 8 times in 10 at the 5 % level:
    // one pocket that comes this many times as often as it should, the
    // others evenly less.
    double pocket_ratio_found = 0;
    std::int64_t spins_for_break_even = 0;

    // The smallest of the five p-values.
    double smallest_p() const;
};

// The wheel test of spins (each 0 to 36; throws std::invalid_argument for
// another number), its simulations drawn from `seed`.
WheelTest wheel_test(std::span<const std::uint8_t> spins, std::int64_t seed,
                     std::int64_t draws = kWheelDraws);

// The wheel test of files pooled: every spin of them together, as one file,
// but for the serial test, whose pairs of spins in a row stay within a file.
// Short pools are set against fair pools of the same files' lengths.
WheelTest pooled_wheel_test(std::span<const std::vector<std::uint8_t>> files, std::int64_t seed,
                            std::int64_t draws = kWheelDraws);

// The verdict in plain words, a sentence a line: that nothing says the
// wheel is unfair, or what is uneven beyond chance and what that means for
// advice.
std::vector<std::string> wheel_verdict(const WheelTest& test);

// What a file of this length can find: "With 3,981 spins, this test finds 8
// times in 10 a pocket that comes 1.5 times as often as it should; a pocket
// that pays back what it takes (1 in 36) needs about 1.2 million spins."
std::string wheel_power_line(const WheelTest& test);

// The five tests as rows of a table, the same on the command line and in
// the window: the test, its chi-square and degrees of freedom ("-" for the
// arcs, which have none), its p-value and what came.
struct WheelRow {
    std::string test;
    std::string chi2;
    std::string df;
    std::string p;
    std::string came;
};
std::vector<WheelRow> wheel_rows(const WheelTest& test);

// The note under the rows: which p-values come from fair files, and how
// many were drawn from which seed.
std::string wheel_draws_note(const WheelTest& test);

// A p-value in a sentence: "p = 0.21", "p < 10⁻⁹" (a formula's), "p < 0.001"
// (a simulation's, whose draws do not tell smaller ones apart).
std::string wheel_p_words(double p, bool simulated);

// The cells' names in the order of FourCounts.
std::string_view dozen_cell_name(std::size_t cell);
std::string_view column_cell_name(std::size_t cell);

}  // namespace quorvel
