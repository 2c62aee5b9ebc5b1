// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "lab/binomial.hpp"
#include "lab/chance.hpp"
#include "lab/lab_settings.hpp"
#include "lab/run_figures.hpp"

namespace quorvel {

// A finished run as the lab reports it, the one row type both programs show:
// which spins, which settings, the figures, the hit rate against chance and,
// for a run on its own, what chance alone does with the same settings.
struct RunReport {
    std::string file;  // the spin file, or the name of the random draw
    LabSettings settings;
    RunFigures figures;
    // Exact; worked out from the figures by report_of.
    HitRate hit;
    // In a grid, the row's hit_rate_p after Holm's adjustment for the grid's
    // tries; a row beats chance only when this does. Unset for a run on its own.
    std::optional<double> holm_p;
    // The Monte Carlo comparison, when one was made (a run on its own).
    std::optional<ChanceComparison> chance;
    // Why no comparison was made though one was wanted, as a sentence for
    // the player; empty otherwise.
    std::string chance_skipped;
    // In a grid set against fair grids: the row's hit_rate_p after the
    // step-down min-p over the fair grids (a row beats chance only when this
    // does), and the share of the row's own fair sessions that ended at or
    // above its final bankroll.
    std::optional<double> adjusted_p;
    std::optional<double> row_as_good;
};

// The report of a run with its hit rate worked out.
RunReport report_of(std::string file, const LabSettings& settings, const RunFigures& figures);

// Better than chance at the 5 % level: on its own by its hit_rate_p, in a grid
// only by its adjusted p (the step-down min-p, else Holm's).
bool beats_chance(const RunReport& run);

// The out-of-sample test of a grid: the row with the smallest hit_rate_p on
// the first `chosen_on` spins, played alone on the rest as a fresh game.
struct Holdout {
    std::size_t chosen_on = 0;  // the spins the choice was made on
    std::size_t row = 0;        // the chosen row's index in the grid
    RunReport run;              // the chosen settings on the other spins
};

// Combinatorially symmetric cross-validation of the prediction streams: the
// spins in `blocks` blocks, every way of taking half of them as the spins a
// stream is chosen on (the best hit rate against chance there) and the rest
// as those it is judged on (its rank among the streams there).
struct Overfitting {
    std::size_t blocks = 0;
    std::size_t streams = 0;
    std::size_t splits = 0;
    double pbo = 0;  // the share of splits where the chosen fell to the bottom half
};

// A grid of runs on one file set against chance.
struct GridSummary {
    std::string file;
    std::size_t spins = 0;
    std::size_t runs = 0;    // rows of the grid
    std::size_t tested = 0;  // of them, with a hit rate (some prediction settled)
    std::int64_t best_final = 0;
    // The smallest Holm-adjusted p-value of the rows' hit_rate_p: what the
    // best row's hit rate means once the number of tries is counted.
    double holm_p = 1;
    std::optional<GridChance> chance;  // the best of the grid on fair spins
    std::string chance_skipped;        // why it was not played, when wanted

    // The step-down min-p over the fair grids: the smallest adjusted p of
    // the rows, from `minp_grids` fair grids. Unset when they were not played.
    std::optional<double> minp_p;
    std::int64_t minp_grids = 0;
    bool minp_shared = false;  // one row a stream played on the fair grids
    std::string minp_skipped;  // why it was not played, when wanted

    // Each row's money against its own fair sessions: the row with the
    // smallest row_as_good (its index in the runs), that share, and the
    // same after the step-down over the fair grids.
    std::optional<std::size_t> best_row;
    std::string best_row_name;  // "PARADOX 4.1 / 1 / Only Dozens / Classic"
    std::int64_t best_row_final = 0;
    double best_row_as_good = 1;
    double best_row_adjusted = 1;

    std::optional<Holdout> holdout;  // chosen on the first part, played on the rest
    std::string holdout_skipped;     // why it was not played, when asked for
    std::optional<Overfitting> pbo;  // the probability of backtest overfitting
    std::string pbo_skipped;         // why it was not worked out

    // The smallest adjusted p the verdict goes by: the min-p when played, else Holm's.
    double verdict_p() const { return minp_p ? *minp_p : holm_p; }
    // An edge that survives the count of tries, at the 5 % level.
    bool beats_chance() const { return tested > 0 && verdict_p() < 0.05; }
};

}  // namespace quorvel
