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
};

// The report of a run with its hit rate worked out.
RunReport report_of(std::string file, const LabSettings& settings, const RunFigures& figures);

// Better than chance at the 5 % level: on its own by its hit_rate_p, in a grid
// only by its Holm-adjusted p.
bool beats_chance(const RunReport& run);

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

    // An edge that survives the count of tries, at the 5 % level.
    bool beats_chance() const { return tested > 0 && holm_p < 0.05; }
};

}  // namespace quorvel
