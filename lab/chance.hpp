// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lab/lab_settings.hpp"

namespace quorvel {

// What chance alone does with a run's settings: the same engine plays K
// sessions of fair spins as long as the run's file, each from the run's
// clock, and the spread of their bankrolls is the yardstick of the run's.
//
// Session i plays the spins drawn from session_seed(seed, i), whatever thread
// plays it and however many there are, so a seed gives the same figures on
// every machine.

inline constexpr std::int64_t kDefaultChanceSessions = 1000;
inline constexpr std::int64_t kFewestChanceSessions = 100;
inline constexpr double kChanceSpinSteps = 2e8;  // sessions x spins, unless asked for more
inline constexpr std::int64_t kDefaultGridChanceSessions = 100;
inline constexpr std::int64_t kFewestGridChanceSessions = 20;
inline constexpr double kGridChanceSpinSteps = 3e8;  // sessions x runs x spins
inline constexpr std::int64_t kMostChanceSessions = 1'000'000;
// The bankroll bands keep at most this many points of the spins.
inline constexpr std::size_t kMostBandPoints = 2000;
// The percentiles of the bands and of the final bankroll.
inline constexpr std::array<double, 5> kBandPercents{5, 25, 50, 75, 95};

// The sessions a comparison plays: those asked for, whatever the length (0
// turns it off), or the default lowered to stay under the budget of spin
// steps, or 0 when fewer than the fewest fit.
std::int64_t chance_sessions_for(std::size_t spins, std::optional<std::int64_t> asked);
// The same for the best of a grid of `runs` runs.
std::int64_t grid_chance_sessions_for(std::size_t spins, std::size_t runs,
                                      std::optional<std::int64_t> asked);

// The seed of session `index` of a comparison seeded with `seed`.
std::uint64_t session_seed(std::int64_t seed, std::uint64_t index);
// The fair spins of that session: each pocket 1 in 37, the same on every
// machine.
std::vector<std::uint8_t> session_spins(std::size_t spins, std::int64_t seed, std::uint64_t index);

// The bankroll of the chance sessions over the spins, as percentile bands:
// point j stands after spin spins[j] (0 is the start), and bands[b][j] is the
// kBandPercents[b] percentile of the sessions' shown bankroll there.
struct BankrollBands {
    std::vector<std::int64_t> spins;
    std::array<std::vector<double>, kBandPercents.size()> bands;
};

struct ChanceComparison {
    std::int64_t sessions = 0;  // K
    std::int64_t seed = 0;      // the sessions' spins come from it (--seed)
    std::size_t spins = 0;      // of each session, as many as the run's file
    // A pool's fair sessions play one session a pooled file, each from its
    // own start: `files` of them, `spins` in all, and `start` is the sum of
    // their starts. 1 for a run on its own.
    std::size_t files = 1;
    std::int64_t start = 0;     // the starting bankroll
    // The final bankroll's percentiles (kBandPercents) and mean.
    std::array<double, kBandPercents.size()> final_percentiles{};
    double final_mean = 0;
    // The result the house edge expects, session by session, averaged: the
    // start less 1/37 of the mean staked. Exact in expectation and always
    // below the start, where the sample mean of the finals can hide a rare
    // ruin.
    double expected_final = 0;
    double mean_wagered = 0;
    double ahead = 0;    // share that ended above the start and never ran out
    double behind = 0;   // share that ended at or below the start and never ran out
    double ran_out = 0;  // share that could not pay a bet (or, playing on, fell below zero)
    double stop_loss = 0;    // share ended by the stop-loss
    double take_profit = 0;  // share ended by the take-profit
    double as_good = 0;  // share that ended at or above the run's own final bankroll
    BankrollBands bands;
    // Every session's final bankroll, lowest first, and those of the
    // sessions that never ran out: the histogram's data.
    std::vector<std::int64_t> finals;
    std::vector<std::int64_t> solvent_finals;
};

// The best final bankroll of a whole grid on fair spins, session by session,
// against the best of the grid on the file.
struct GridChance {
    std::int64_t sessions = 0;        // K'
    double best_median = 0;           // the median of the sessions' bests
    double best_as_good = 0;          // share whose best is at or above the file's best
    std::vector<std::int64_t> bests;  // each session's best, lowest first
};

struct ChanceOptions {
    unsigned threads = 0;  // 0: one a core; the figures do not depend on it
    const std::atomic<bool>* cancel = nullptr;
    // Told the spin steps played so far, from one thread at a time.
    std::function<void(std::size_t done)> progress;
};

// The figure at `percent` of sorted values, between the two nearest ranks.
double percentile_of(std::span<const std::int64_t> sorted, double percent);

// Plays `sessions` fair sessions of `spins` spins with the settings and sets
// them against a run that ended at `run_final`. Empty when cancelled.
std::optional<ChanceComparison> compare_with_chance(std::size_t spins, const LabSettings& settings,
                                                    std::int64_t sessions, std::int64_t run_final,
                                                    const ChanceOptions& options = {});

// The same for a pool of files of these lengths: each fair session draws as
// many spins as the files hold together and plays them a file's length at a
// time, each part from a fresh game with its own start and clock, as the
// pool played its files. Its final bankroll is the sum of the parts'; it ran
// out, or was ended by a rule, when one of its parts was. A pool of one file
// is exactly the comparison above. The bands follow the parts in turn: the
// parts done at their final bankroll, the part in play as it stands and the
// parts to come at their start.
std::optional<ChanceComparison> compare_pool_with_chance(std::span<const std::size_t> lengths,
                                                         const LabSettings& settings,
                                                         std::int64_t sessions,
                                                         std::int64_t pool_final,
                                                         const ChanceOptions& options = {});

// Plays every setting of `grid` on each of `sessions` fair sessions of
// `spins` spins and sets each session's best final bankroll against
// `file_best`. Empty when cancelled.
std::optional<GridChance> grid_against_chance(std::size_t spins, std::span<const LabSettings> grid,
                                              std::int64_t sessions, std::int64_t file_best,
                                              const ChanceOptions& options = {});

// The same for a pool of files of these lengths: each setting's pooled final
// (played as compare_pool_with_chance plays a pool) competes for the best.
std::optional<GridChance> grid_pool_against_chance(std::span<const std::size_t> lengths,
                                                   std::span<const LabSettings> grid,
                                                   std::int64_t sessions, std::int64_t pool_best,
                                                   const ChanceOptions& options = {});

// Counts of values in equal bins from the lowest value to the highest, for a
// histogram of the fair sessions' final bankrolls: bin i holds the values in
// [low + i x width, low + (i + 1) x width), the last bin its upper end too.
struct Histogram {
    double low = 0;
    double width = 1;
    std::vector<std::size_t> counts;
};
Histogram histogram_of(std::span<const std::int64_t> values, std::size_t bins);

// Holm's step-down adjustment of p-values tried together: the smallest p
// times the number of tries, the next times one fewer, and so on, each at
// least the one before and at most 1. Returned in the order given.
std::vector<double> holm_adjusted(std::span<const double> p_values);

}  // namespace quorvel
