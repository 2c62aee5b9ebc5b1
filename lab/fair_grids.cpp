// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/fair_grids.hpp"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "lab/batch.hpp"
#include "lab/binomial.hpp"
#include "lab/runner.hpp"

namespace quorvel {

namespace {

bool cancelled(const ChanceOptions& options) {
    return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed);
}

// The first row of each stream, in the order of the streams.
std::vector<std::size_t> first_rows(const std::vector<std::size_t>& streams) {
    std::vector<std::size_t> first;
    for (std::size_t row = 0; row < streams.size(); ++row) {
        if (streams[row] == first.size()) first.push_back(row);
    }
    return first;
}

double hit_p_of(const RunFigures& figures) {
    if (figures.predictions == 0) return 1.0;
    const double chance = 12.0 * figures.prediction_sectors / 37.0;
    return binomial_upper_tail(figures.predictions, figures.predictions_won, chance);
}

}  // namespace

bool picks_shared_by_systems(const LabSettings& settings) {
    const bool stops_at_max = settings.at_max == AtMaxRule::Stop && settings.table_max;
    return settings.at_ruin != AtRuinRule::Stop && !settings.stop_loss && !settings.take_profit &&
           !stops_at_max;
}

std::vector<std::size_t> streams_of(std::span<const LabSettings> grid) {
    std::vector<std::size_t> streams(grid.size());
    std::size_t count = 0;
    for (std::size_t row = 0; row < grid.size(); ++row) {
        const LabSettings& s = grid[row];
        streams[row] = count;
        for (std::size_t before = 0; before < row; ++before) {
            const LabSettings& t = grid[before];
            if (t.GameModes == s.GameModes && t.BettingType == s.BettingType &&
                t.BettingSectors == s.BettingSectors) {
                streams[row] = streams[before];
                break;
            }
        }
        if (streams[row] == count) ++count;
    }
    return streams;
}

std::vector<double> step_down_min_p(std::span<const double> observed, std::span<const double> fair,
                                    std::size_t grids) {
    const std::size_t m = observed.size();
    std::vector<std::size_t> order(m);
    for (std::size_t i = 0; i < m; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return observed[a] < observed[b]; });
    // at_or_below[l]: the fair grids whose smallest p over rows (l)..(m) is
    // at or below p(l).
    std::vector<std::size_t> at_or_below(m, 0);
    for (std::size_t b = 0; b < grids; ++b) {
        const double* row = fair.data() + b * m;
        double smallest = HUGE_VAL;
        for (std::size_t l = m; l-- > 0;) {
            smallest = std::min(smallest, row[order[l]]);
            if (smallest <= observed[order[l]]) at_or_below[l] += 1;
        }
    }
    std::vector<double> adjusted(m);
    double running = 0;
    for (std::size_t l = 0; l < m; ++l) {
        const double share =
            static_cast<double>(1 + at_or_below[l]) / static_cast<double>(grids + 1);
        running = std::max(running, share);
        adjusted[order[l]] = running;
    }
    return adjusted;
}

std::size_t fair_grid_steps(std::size_t spins, std::span<const LabSettings> grid,
                            std::int64_t hit_grids, std::int64_t money_grids) {
    if (grid.empty()) return 0;
    const auto whole = static_cast<std::size_t>(std::max<std::int64_t>(money_grids, 0));
    const auto rest = static_cast<std::size_t>(std::max<std::int64_t>(hit_grids - money_grids, 0));
    const std::size_t rows_a_rest =
        picks_shared_by_systems(grid.front()) ? first_rows(streams_of(grid)).size() : grid.size();
    return spins * (whole * grid.size() + rest * rows_a_rest);
}

std::optional<FairGrids> play_fair_grids(std::size_t spins, std::span<const LabSettings> grid,
                                         std::int64_t hit_grids, std::int64_t money_grids,
                                         const ChanceOptions& options) {
    FairGrids fair;
    fair.hit_grids = std::max<std::int64_t>(hit_grids, 0);
    fair.money_grids = std::max<std::int64_t>(money_grids, 0);
    if (grid.empty()) return fair;
    const std::size_t rows = grid.size();
    fair.shared_picks = picks_shared_by_systems(grid.front());
    const std::vector<std::size_t> streams = streams_of(grid);
    const std::vector<std::size_t> firsts = first_rows(streams);
    const auto hits = static_cast<std::size_t>(fair.hit_grids);
    const auto money = static_cast<std::size_t>(fair.money_grids);
    fair.hit_p.assign(hits * rows, 1.0);
    fair.finals.assign(money * rows, 0);

    std::mutex progress_lock;
    std::size_t done = 0;
    const auto told = [&](std::size_t steps) {
        if (!options.progress) return;
        const std::lock_guard<std::mutex> lock(progress_lock);
        done += steps;
        options.progress(done);
    };
    // A fair grid at a time: its spins are drawn once and played by the rows
    // it needs. Each writes only its own part of the tables.
    for_each_index(std::max(hits, money), options.threads, [&](std::size_t b) {
        if (cancelled(options)) return;
        const std::vector<std::uint8_t> spun = session_spins(spins, grid.front().seed, b);
        RunOptions run;
        run.cancel = options.cancel;
        if (b < money || !fair.shared_picks) {
            for (std::size_t r = 0; r < rows; ++r) {
                const RunFigures figures = run_spins(spun, grid[r], run).figures;
                if (b < money) fair.finals[b * rows + r] = figures.final_bankroll;
                if (b < hits) fair.hit_p[b * rows + r] = hit_p_of(figures);
            }
            told(spins * rows);
        } else {
            std::vector<double> stream_p(firsts.size());
            for (std::size_t s = 0; s < firsts.size(); ++s)
                stream_p[s] = hit_p_of(run_spins(spun, grid[firsts[s]], run).figures);
            for (std::size_t r = 0; r < rows; ++r)
                fair.hit_p[b * rows + r] = stream_p[streams[r]];
            told(spins * firsts.size());
        }
    });
    if (cancelled(options)) return std::nullopt;
    return fair;
}

}  // namespace quorvel
