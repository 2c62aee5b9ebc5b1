// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "lab/chance.hpp"
#include "lab/lab_settings.hpp"

namespace quorvel {

// The grid's rows on fair spins, kept row by row, so that each row of the
// file is set against the same rows on the same fair grids.
//
// The rows of a grid that share mode, type and sectors make the same picks:
// the system moves the stakes, never the prediction. That holds for as long
// as the session lasts, so it holds for whole sessions only when no rule of
// the table can end one (a stop-loss, a take-profit, stopping at ruin or at
// the table maximum end the rows at different spins). Then the hit rates of
// a fair grid need only one row of each stream played.

// True when no rule of the table can end a session early: every row of a
// stream then settles the same predictions with the same outcomes.
bool picks_shared_by_systems(const LabSettings& settings);

// For each row of the grid, the number of its prediction stream: rows with
// the same mode, type and sectors share one, numbered in the order they
// first come.
std::vector<std::size_t> streams_of(std::span<const LabSettings> grid);

// Westfall and Young's step-down min-p. `observed` holds each row's p-value
// on the file, `fair` the rows' p-values on each of `grids` fair grids (grid
// b's row r at b x rows + r); any statistic where smaller is rarer serves. With the rows sorted by
// observed p (p(1) <= ... <= p(m), ties in the given order), row (i) gets
//   max over l <= i of (1 + #{b : min over rows (l)..(m) of fair grid b <= p(l)}) / (grids + 1).
// Returned in the order given.
std::vector<double> step_down_min_p(std::span<const double> observed, std::span<const double> fair,
                                    std::size_t grids);

// What the fair grids did, row by row.
struct FairGrids {
    std::int64_t hit_grids = 0;    // fair grids whose hit rates were kept
    std::int64_t money_grids = 0;  // the first of them, whose final bankrolls were kept
    bool shared_picks = false;     // the hit rates came from one row a stream
    // hit_grids x rows: each row's hit_rate_p (1 without a prediction).
    std::vector<double> hit_p;
    // money_grids x rows: each row's final bankroll.
    std::vector<std::int64_t> finals;
};

// Plays fair grid b (the spins of session_seed(seed, b)) for b below the
// larger of the two counts: every row on the first `money_grids`, else one
// row a stream when the picks are shared. Empty when cancelled.
std::optional<FairGrids> play_fair_grids(std::size_t spins, std::span<const LabSettings> grid,
                                         std::int64_t hit_grids, std::int64_t money_grids,
                                         const ChanceOptions& options = {});

// The spin steps play_fair_grids plays, for a progress bar and a budget.
std::size_t fair_grid_steps(std::size_t spins, std::span<const LabSettings> grid,
                            std::int64_t hit_grids, std::int64_t money_grids);

}  // namespace quorvel
