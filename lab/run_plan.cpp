// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/run_plan.hpp"

#include <unistd.h>

#include <algorithm>
#include <mutex>

#include "lab/batch.hpp"
#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/pool.hpp"
#include "lab/holdout.hpp"
#include "lab/overfitting.hpp"
#include "lab/random_spins.hpp"
#include "lab/spin_file.hpp"

namespace quorvel {

namespace {

bool stopped(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// Why a comparison wanted by default was skipped, and how to ask for it.
std::string skipped_sentence(std::string_view what, std::size_t spins, std::size_t runs,
                             double budget, std::int64_t fewest, const std::string& how_to_ask) {
    std::string text = std::string(what) + " skipped: ";
    if (runs > 1) text += std::to_string(runs) + " runs of ";
    return text + grouped(static_cast<std::int64_t>(spins)) + " spins leave room for fewer than " +
           std::to_string(fewest) + " fair sessions within " +
           grouped(static_cast<std::int64_t>(budget)) + " spin steps; ask for it with " +
           how_to_ask + ".";
}

// Adds the plan's sources up, setting by setting, and sets the pool against
// `sessions` fair pools. False when cancelled.
bool pool_against_chance(const RunPlan& plan, const PlanOptions& options,
                         const std::vector<LabSettings>& settings, std::int64_t sessions,
                         const ChanceOptions& chance, PlanResult& result) {
    PooledRuns pool;
    for (const SourceRuns& source : result.sources) {
        pool.files.push_back(source.source.name);
        pool.lengths.push_back(source.source.spins.size());
        pool.spins += source.source.spins.size();
    }
    for (std::size_t i = 0; i < settings.size(); ++i) {
        std::vector<RunReport> runs;
        for (const SourceRuns& source : result.sources)
            runs.push_back(source.reports[i]);
        pool.reports.push_back(pooled_report(runs));
    }
    const bool skipped = sessions == 0 && plan.chance_sessions != std::int64_t{0};
    if (!plan.grid) {
        RunReport& report = pool.reports.front();
        if (skipped) {
            report.chance_skipped =
                skipped_sentence("The comparison with chance was", pool.spins, 1, kChanceSpinSteps,
                                 kFewestChanceSessions, options.how_to_ask);
        } else if (sessions > 0) {
            report.chance = compare_pool_with_chance(pool.lengths, report.settings, sessions,
                                                     report.figures.final_bankroll, chance);
            if (!report.chance) return false;
        }
    } else {
        GridSummary grid = summarise_grid(pool_name(pool.files.size()), pool.spins, pool.reports);
        if (skipped) {
            grid.chance_skipped = skipped_sentence(
                "The best of the grid on fair spins was", pool.spins, settings.size(),
                kGridChanceSpinSteps, kFewestGridChanceSessions, options.how_to_ask);
        } else if (sessions > 0) {
            grid.chance =
                grid_pool_against_chance(pool.lengths, settings, sessions, grid.best_final, chance);
            if (!grid.chance) return false;
        }
        pool.grid = std::move(grid);
    }
    result.pooled = std::move(pool);
    return true;
}

}  // namespace

std::string random_source_name(std::int64_t seed) {
    return "random spins (seed " + std::to_string(seed) + ")";
}

std::vector<LabSettings> plan_settings(const RunPlan& plan) {
    return plan.grid ? grid_of(plan.settings) : std::vector<LabSettings>{plan.settings};
}

std::string read_sources(const RunPlan& plan, std::vector<SpinSource>& sources,
                         const std::atomic<bool>* cancel, bool regular_files_only) {
    SpinReadOptions read;
    read.regular_files_only = regular_files_only;
    read.cancel = cancel;
    if (plan.random_spins) {
        sources.push_back(
            {random_source_name(plan.settings.seed),
             random_spins(*plan.random_spins, static_cast<std::uint64_t>(plan.settings.seed)),
             {}});
    }
    for (const std::string& path : plan.files) {
        if (stopped(cancel)) return {};
        const bool standard_input = path == kStandardInputPath;
        SpinFile file = standard_input ? read_spin_descriptor(STDIN_FILENO, kStandardInputName)
                                       : read_spin_file(path, read);
        if (file.cancelled) return {};
        if (!file.ok()) return file.error;
        sources.push_back({standard_input ? kStandardInputName : path, std::move(file.spins),
                           std::move(file.notice)});
    }
    return {};
}

PlanResult run_plan(const RunPlan& plan, const PlanOptions& options) {
    PlanResult result;
    std::vector<SpinSource> sources;
    result.error = read_sources(plan, sources, options.cancel, options.regular_files_only);
    for (SpinSource& source : sources)
        result.sources.push_back({std::move(source), {}, {}, {}});
    if (!result.error.empty()) return result;
    if (stopped(options.cancel)) {
        result.cancelled = true;
        return result;
    }

    // The runs of every source go to the threads as one batch, source by
    // source in the order of the settings.
    const std::vector<LabSettings> settings = plan_settings(plan);
    std::vector<RunJob> jobs;
    for (const SourceRuns& source : result.sources) {
        for (const LabSettings& one : settings)
            jobs.push_back({source.source.spins, one});
    }

    // The work in all: the runs, then the fair sessions of each source (for
    // a grid, the fair grids of money and of the hit rates).
    const auto sessions_for = [&](std::size_t n) {
        return plan.grid ? grid_chance_sessions_for(n, settings.size(), plan.chance_sessions)
                         : chance_sessions_for(n, plan.chance_sessions);
    };
    const std::size_t runs_a_session = plan.grid ? settings.size() : 1;
    // A pool's sources are set against chance together, not one by one.
    std::vector<std::int64_t> sessions;
    std::vector<std::int64_t> hit_grids;
    std::vector<std::size_t> chance_work;
    std::size_t total = total_spins(jobs);
    std::size_t pool_spins = 0;
    for (const SourceRuns& source : result.sources) {
        const std::size_t n = source.source.spins.size();
        pool_spins += n;
        const std::int64_t k = plan.pool ? 0 : sessions_for(n);
        sessions.push_back(k);
        hit_grids.push_back(plan.grid && !plan.pool
                                ? minp_grids_for(n, settings, k, plan.chance_sessions)
                                : 0);
        chance_work.push_back(plan.grid ? fair_grid_steps(n, settings, hit_grids.back(), k)
                                        : static_cast<std::size_t>(k) * n);
        total += chance_work.back();
    }
    const std::int64_t pool_sessions = plan.pool ? sessions_for(pool_spins) : 0;
    total += static_cast<std::size_t>(pool_sessions) * pool_spins * runs_a_session;
    std::mutex progress_lock;
    std::size_t done_before = 0;  // the work of the finished stages
    const auto told = [&](std::size_t done) {
        if (options.progress) options.progress(done_before + done, total);
    };

    std::vector<RunResult> results;
    if (options.keep_ledger && jobs.size() == 1) {
        RunOptions run;
        run.keep_ledger = true;
        run.keep_series = options.keep_series;
        run.cancel = options.cancel;
        run.progress = told;
        results.push_back(run_spins(jobs.front().spins, jobs.front().settings, run));
    } else {
        BatchOptions batch;
        batch.threads = options.threads;
        batch.keep_series = options.keep_series;
        batch.cancel = options.cancel;
        batch.progress = told;
        results = run_batch(jobs, batch);
    }
    done_before = total_spins(jobs);
    if (stopped(options.cancel) || std::any_of(results.begin(), results.end(),
                                               [](const RunResult& run) { return run.cancelled; })) {
        result.cancelled = true;
        return result;
    }
    for (std::size_t s = 0; s < result.sources.size(); ++s) {
        SourceRuns& source = result.sources[s];
        for (std::size_t i = 0; i < settings.size(); ++i) {
            RunResult& run = results[s * settings.size() + i];
            source.reports.push_back(report_of(source.source.name, settings[i], run.figures));
            source.results.push_back(std::move(run));
        }
    }

    ChanceOptions chance;
    chance.threads = options.threads;
    chance.cancel = options.cancel;
    chance.progress = [&](std::size_t done) {
        const std::lock_guard<std::mutex> lock(progress_lock);
        told(done);
    };
    for (std::size_t s = 0; s < result.sources.size(); ++s) {
        SourceRuns& source = result.sources[s];
        const std::size_t n = source.source.spins.size();
        const std::size_t work = chance_work[s];
        if (plan.pool) {
            // Each source's grid rows are tried against each other, and the
            // pool's comparison comes below.
            if (plan.grid) source.grid = summarise_grid(source.source.name, n, source.reports);
        } else if (!plan.grid) {
            RunReport& report = source.reports.front();
            if (sessions[s] == 0 && plan.chance_sessions != std::int64_t{0}) {
                report.chance_skipped =
                    skipped_sentence("The comparison with chance was", n, 1, kChanceSpinSteps,
                                     kFewestChanceSessions, options.how_to_ask);
            } else if (sessions[s] > 0) {
                report.chance = compare_with_chance(n, report.settings, sessions[s],
                                                    report.figures.final_bankroll, chance);
                if (!report.chance) {
                    result.cancelled = true;
                    return result;
                }
            }
        } else {
            GridSummary grid = summarise_grid(source.source.name, n, source.reports);
            if (sessions[s] == 0 && plan.chance_sessions != std::int64_t{0}) {
                grid.chance_skipped = skipped_sentence(
                    "The best of the grid on fair spins was", n, settings.size(),
                    kGridChanceSpinSteps, kFewestGridChanceSessions, options.how_to_ask);
            }
            if (hit_grids[s] == 0 && plan.chance_sessions && *plan.chance_sessions > 0) {
                grid.minp_skipped = "Fewer than " + std::to_string(kFewestMinPGrids) +
                                    " fair grids give no step-down over them; Holm's "
                                    "adjustment stands.";
            } else if (hit_grids[s] == 0 && !plan.chance_sessions) {
                grid.minp_skipped =
                    skipped_sentence("The step-down over fair grids was", n, settings.size(),
                                     kMinPSpinSteps, kFewestMinPGrids, options.how_to_ask);
                grid.minp_skipped.pop_back();
                grid.minp_skipped += "; Holm's adjustment stands.";
            }
            if (sessions[s] > 0 || hit_grids[s] > 0) {
                const std::optional<FairGrids> fair =
                    play_fair_grids(n, settings, hit_grids[s], sessions[s], chance);
                if (!fair) {
                    result.cancelled = true;
                    return result;
                }
                judge_grid(grid, source.reports, *fair);
            }
            done_before += work;
            const std::vector<std::size_t> stream_of_row = streams_of(settings);
            const std::size_t streams =
                *std::max_element(stream_of_row.begin(), stream_of_row.end()) + 1;
            if (n >= overfitting_spins_needed(streams)) {
                grid.pbo = grid_overfitting(source.source.spins, settings, options.threads);
            } else {
                grid.pbo_skipped =
                    "The probability of backtest overfitting needs " +
                    grouped(static_cast<std::int64_t>(overfitting_spins_needed(streams))) +
                    " spins (" + std::to_string(kOverfittingBlocks) + " blocks of " +
                    std::to_string(streams) + "); this file has " +
                    grouped(static_cast<std::int64_t>(n)) + ".";
            }
            if (plan.holdout) {
                const std::size_t first = holdout_split(n, *plan.holdout);
                if (first == 0 || first == n) {
                    grid.holdout_skipped = "Choosing on " +
                                           grouped(static_cast<std::int64_t>(first)) + " of " +
                                           grouped(static_cast<std::int64_t>(n)) +
                                           " spins leaves none to choose on or to test on: no "
                                           "holdout.";
                } else {
                    const std::int64_t k = plan.chance_sessions == std::int64_t{0}
                                               ? 0
                                               : chance_sessions_for(n - first, std::nullopt);
                    ChanceOptions quiet = chance;
                    quiet.progress = nullptr;
                    grid.holdout = play_holdout(source.source.name, source.source.spins, settings,
                                                *plan.holdout, k, quiet);
                    if (!grid.holdout) {
                        result.cancelled = true;
                        return result;
                    }
                }
            }
            source.grid = std::move(grid);
            continue;
        }
        done_before += work;
    }
    if (plan.pool) {
        if (!pool_against_chance(plan, options, settings, pool_sessions, chance, result)) {
            result.cancelled = true;
            return result;
        }
    }
    return result;
}

}  // namespace quorvel
