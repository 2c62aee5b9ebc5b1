// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/grid.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "lab/chance.hpp"
#include "money/progression.hpp"

namespace quorvel {

std::vector<LabSettings> grid_of(const LabSettings& base) {
    std::vector<LabSettings> grid;
    for (std::size_t mode = 0; mode < items_of<GameMode>().size(); ++mode) {
        for (std::size_t type = 0; type < items_of<BetType>().size(); ++type) {
            for (std::size_t sectors = 0; sectors < items_of<SectorChoice>().size(); ++sectors) {
                for (ProgressionSystem system : systems_offered(static_cast<BetType>(type))) {
                    LabSettings settings = base;
                    settings.GameModes = static_cast<GameMode>(mode);
                    settings.BettingType = static_cast<BetType>(type);
                    settings.BettingSectors = static_cast<SectorChoice>(sectors);
                    settings.BettingSystem = system;
                    grid.push_back(settings);
                }
            }
        }
    }
    return grid;
}

std::size_t grid_size() {
    std::size_t systems = 0;
    for (std::size_t type = 0; type < items_of<BetType>().size(); ++type)
        systems += systems_offered(static_cast<BetType>(type)).size();
    return items_of<GameMode>().size() * items_of<SectorChoice>().size() * systems;
}

GridSummary summarise_grid(std::string file, std::size_t spins, std::span<RunReport> runs) {
    GridSummary grid;
    grid.file = std::move(file);
    grid.spins = spins;
    grid.runs = runs.size();
    grid.best_final = INT64_MIN;
    std::vector<double> p_values;
    std::vector<RunReport*> tested;
    for (RunReport& run : runs) {
        grid.best_final = std::max(grid.best_final, run.figures.final_bankroll);
        if (run.hit.any()) {
            p_values.push_back(run.hit.p);
            tested.push_back(&run);
        }
    }
    grid.tested = p_values.size();
    const std::vector<double> adjusted = holm_adjusted(p_values);
    for (std::size_t t = 0; t < tested.size(); ++t)
        tested[t]->holm_p = adjusted[t];
    if (!adjusted.empty()) grid.holm_p = *std::min_element(adjusted.begin(), adjusted.end());
    return grid;
}

}  // namespace quorvel

namespace quorvel {

std::string settings_name(const LabSettings& settings, bool with_system) {
    std::string name = std::string(text_of(settings.GameModes)) + " / " +
                       std::string(text_of(settings.BettingType)) + " / " +
                       std::string(text_of(settings.BettingSectors));
    if (with_system) name += " / " + std::string(text_of(settings.BettingSystem));
    return name;
}

std::vector<std::size_t> ranked_rows(std::span<const RunReport> runs) {
    std::vector<std::size_t> order(runs.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const bool out_a = runs[a].figures.ran_out_at != 0;
        const bool out_b = runs[b].figures.ran_out_at != 0;
        if (out_a != out_b) return out_b;
        return runs[a].figures.final_bankroll > runs[b].figures.final_bankroll;
    });
    return order;
}

std::int64_t minp_grids_for(std::size_t spins, std::span<const LabSettings> grid,
                            std::int64_t money_grids, std::optional<std::int64_t> asked) {
    if (grid.empty()) return 0;
    if (asked) return *asked < kFewestMinPGrids ? 0 : *asked;
    // The steps of one more fair grid beyond those of money.
    const double steps =
        static_cast<double>(fair_grid_steps(spins, grid, money_grids + 1, money_grids) -
                            fair_grid_steps(spins, grid, money_grids, money_grids));
    std::int64_t grids = kDefaultMinPGrids;
    if (steps > 0) {
        const double fit = std::floor(kMinPSpinSteps / steps) + static_cast<double>(money_grids);
        if (fit < static_cast<double>(grids)) grids = static_cast<std::int64_t>(fit);
    }
    grids = std::max(grids, money_grids);
    return grids < kFewestMinPGrids ? 0 : grids;
}

namespace {

// For each row, how many of its fair sessions ended at or above `finals`
// (one value a row), from each row's finals on the money grids, sorted.
std::vector<std::size_t> counts_as_good(const std::vector<std::vector<std::int64_t>>& sorted,
                                        std::span<const std::int64_t> finals) {
    std::vector<std::size_t> counts(sorted.size());
    for (std::size_t r = 0; r < sorted.size(); ++r) {
        const auto& column = sorted[r];
        const auto below =
            std::lower_bound(column.begin(), column.end(), finals[r]) - column.begin();
        counts[r] = column.size() - static_cast<std::size_t>(below);
    }
    return counts;
}

}  // namespace

void judge_grid(GridSummary& grid, std::span<RunReport> runs, const FairGrids& fair) {
    const std::size_t rows = runs.size();
    // The hit rates: the tested rows' p on the file against theirs on each
    // fair grid.
    std::vector<std::size_t> tested;
    for (std::size_t r = 0; r < rows; ++r) {
        if (runs[r].hit.any()) tested.push_back(r);
    }
    if (fair.hit_grids >= kFewestMinPGrids && !tested.empty() &&
        fair.hit_p.size() == static_cast<std::size_t>(fair.hit_grids) * rows) {
        const auto grids = static_cast<std::size_t>(fair.hit_grids);
        std::vector<double> observed;
        std::vector<double> null_p(grids * tested.size());
        for (std::size_t r : tested)
            observed.push_back(runs[r].hit.p);
        for (std::size_t b = 0; b < grids; ++b) {
            for (std::size_t t = 0; t < tested.size(); ++t)
                null_p[b * tested.size() + t] = fair.hit_p[b * rows + tested[t]];
        }
        const std::vector<double> adjusted = step_down_min_p(observed, null_p, grids);
        for (std::size_t t = 0; t < tested.size(); ++t)
            runs[tested[t]].adjusted_p = adjusted[t];
        grid.minp_p = *std::min_element(adjusted.begin(), adjusted.end());
        grid.minp_grids = fair.hit_grids;
        grid.minp_shared = fair.shared_picks;
    }

    // Money: each row against its own fair sessions. On fair grid b a row's
    // share is that of the fair grids at or above its own final there, the
    // same yardstick the file's row is measured by.
    if (fair.money_grids <= 0 ||
        fair.finals.size() != static_cast<std::size_t>(fair.money_grids) * rows)
        return;
    const auto grids = static_cast<std::size_t>(fair.money_grids);
    std::vector<std::vector<std::int64_t>> sorted(rows, std::vector<std::int64_t>(grids));
    for (std::size_t b = 0; b < grids; ++b) {
        for (std::size_t r = 0; r < rows; ++r)
            sorted[r][b] = fair.finals[b * rows + r];
    }
    for (auto& column : sorted)
        std::sort(column.begin(), column.end());
    std::vector<std::int64_t> file_finals(rows);
    for (std::size_t r = 0; r < rows; ++r)
        file_finals[r] = runs[r].figures.final_bankroll;
    // The step-down needs the file and each fair grid measured alike: the
    // file's row by its rank among its K fair sessions and itself, (1 + the
    // fair sessions at or above it), fair grid b's row by its rank among the
    // same K, itself counted once. Under a fair wheel the K + 1 are alike.
    const std::vector<std::size_t> counts = counts_as_good(sorted, file_finals);
    std::vector<double> observed(rows);
    std::vector<double> ranks(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        observed[r] = static_cast<double>(counts[r]) / static_cast<double>(grids);
        ranks[r] = static_cast<double>(counts[r] + 1);
    }
    std::vector<double> null_ranks(grids * rows);
    for (std::size_t b = 0; b < grids; ++b) {
        const std::vector<std::size_t> fair_counts =
            counts_as_good(sorted, std::span(fair.finals).subspan(b * rows, rows));
        for (std::size_t r = 0; r < rows; ++r)
            null_ranks[b * rows + r] = static_cast<double>(fair_counts[r]);
    }
    const std::vector<double> adjusted = step_down_min_p(ranks, null_ranks, grids);
    for (std::size_t r = 0; r < rows; ++r)
        runs[r].row_as_good = observed[r];
    // The smallest share; among equal shares the row shown first.
    std::size_t best = rows;
    for (std::size_t r : ranked_rows(runs)) {
        if (best == rows || observed[r] < observed[best]) best = r;
    }
    grid.best_row = best;
    grid.best_row_name = settings_name(runs[best].settings, true);
    grid.best_row_final = runs[best].figures.final_bankroll;
    grid.best_row_as_good = observed[best];
    grid.best_row_adjusted = adjusted[best];

    // The best final of each fair grid, against the file's best.
    GridChance chance;
    chance.sessions = fair.money_grids;
    std::vector<std::int64_t> bests(grids, INT64_MIN);
    for (std::size_t b = 0; b < grids; ++b) {
        for (std::size_t r = 0; r < rows; ++r)
            bests[b] = std::max(bests[b], fair.finals[b * rows + r]);
    }
    std::size_t as_good = 0;
    for (std::int64_t best_final : bests)
        as_good += best_final >= grid.best_final ? 1 : 0;
    std::sort(bests.begin(), bests.end());
    chance.best_median = percentile_of(bests, 50);
    chance.best_as_good = static_cast<double>(as_good) / static_cast<double>(grids);
    chance.bests = std::move(bests);
    grid.chance = std::move(chance);
}

}  // namespace quorvel
