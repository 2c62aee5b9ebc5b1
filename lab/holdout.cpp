// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/holdout.hpp"

#include <cmath>
#include <vector>

#include "lab/batch.hpp"
#include "lab/grid.hpp"
#include "lab/runner.hpp"

namespace quorvel {

std::size_t holdout_split(std::size_t spins, double share) {
    return static_cast<std::size_t>(std::floor(share * static_cast<double>(spins)));
}

std::optional<Holdout> play_holdout(const std::string& name, std::span<const std::uint8_t> spins,
                                    std::span<const LabSettings> grid, double share,
                                    std::int64_t sessions, const ChanceOptions& options) {
    Holdout holdout;
    holdout.chosen_on = holdout_split(spins.size(), share);
    const std::span<const std::uint8_t> first = spins.first(holdout.chosen_on);
    const std::span<const std::uint8_t> rest = spins.subspan(holdout.chosen_on);

    std::vector<RunJob> jobs;
    for (const LabSettings& settings : grid)
        jobs.push_back({first, settings});
    BatchOptions batch;
    batch.threads = options.threads;
    batch.cancel = options.cancel;
    const std::vector<RunResult> results = run_batch(jobs, batch);
    std::vector<RunReport> reports;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (results[i].cancelled) return std::nullopt;
        reports.push_back(report_of(name, grid[i], results[i].figures));
    }
    bool chosen = false;
    for (std::size_t row : ranked_rows(reports)) {
        if (!chosen || reports[row].hit.p < reports[holdout.row].hit.p) holdout.row = row;
        chosen = true;
    }

    RunOptions run;
    run.cancel = options.cancel;
    const RunResult played = run_spins(rest, grid[holdout.row], run);
    if (played.cancelled) return std::nullopt;
    holdout.run = report_of(name, grid[holdout.row], played.figures);
    if (sessions > 0) {
        holdout.run.chance = compare_with_chance(rest.size(), grid[holdout.row], sessions,
                                                 played.figures.final_bankroll, options);
        if (!holdout.run.chance) return std::nullopt;
    }
    return holdout;
}

}  // namespace quorvel
