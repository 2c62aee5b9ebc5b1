// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lab/lab_settings.hpp"
#include "lab/run_report.hpp"
#include "lab/runner.hpp"

namespace quorvel {

// What the player asks the lab for, the same from the command line and the
// Backtest tab: which spins, which settings, one run a source or the grid,
// and how many fair sessions to set each result against.
// "-" among the files reads the standard input, named so in the titles and
// messages; the command line uses it, the window never does.
inline constexpr const char* kStandardInputPath = "-";
inline constexpr const char* kStandardInputName = "standard input";

struct RunPlan {
    std::vector<std::string> files;           // read in this order
    std::optional<std::size_t> random_spins;  // drawn from settings.seed instead of files
    LabSettings settings;                     // of the run, or the base of the grid
    bool grid = false;
    // Fair sessions to compare with: unset takes the default for the spins'
    // length (K for a run, K' for the best of a grid); 0 turns it off.
    std::optional<std::int64_t> chance_sessions;
    // Add the sources up as one (see lab/pool.hpp): each is played as its own
    // session, and the comparison with chance is made for the pool only.
    bool pool = false;
    // With the grid: choose on this share of the spins, test on the rest.
    std::optional<double> holdout;
};

// The spins one source holds.
struct SpinSource {
    std::string name;  // the file as given, or the random draw's name
    std::vector<std::uint8_t> spins;
    // Said of the source as it was read: a session's torn last line left out.
    std::string notice;
};

struct PlanOptions {
    unsigned threads = 0;  // 0: one a core; no figure depends on it
    bool keep_series = false;
    // Keep the ledger of the plan's one run (a plan of one source and no grid).
    bool keep_ledger = false;
    const std::atomic<bool>* cancel = nullptr;
    // Told the work done and the work in all (spin steps, fair sessions
    // included), now and then, from one thread at a time.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // How the player asks for a comparison that was skipped, for the sentence
    // that says so: "--chance K" on the command line.
    std::string how_to_ask = "--chance K";
    // The window reads regular files only (see SpinReadOptions).
    bool regular_files_only = false;
};

// What the plan did with one source: its runs in the order of the plan's
// settings (see plan_settings), what they kept, and for a grid the summary.
struct SourceRuns {
    SpinSource source;
    std::vector<RunReport> reports;
    // The series and ledgers, when kept (else their figures only), in the
    // order of the reports.
    std::vector<RunResult> results;
    std::optional<GridSummary> grid;  // set for a grid
};

// The sources of a pooled plan added up, one report a setting of the plan
// (the one setting, or the grid's rows in their order).
struct PooledRuns {
    std::vector<std::string> files;    // the sources' names, in order
    std::vector<std::size_t> lengths;  // their spins
    std::size_t spins = 0;             // in all
    std::vector<RunReport> reports;
    std::optional<GridSummary> grid;  // set for a grid
};

struct PlanResult {
    // The first refused file, as "FILE:LINE:COLUMN: why"; when set nothing
    // ran, and the files after it were not read. The sources read before it
    // are listed, without runs.
    std::string error;
    bool cancelled = false;
    std::vector<SourceRuns> sources;  // in the order they were read
    std::optional<PooledRuns> pooled;  // set for a pooled plan that ran
};

// The name of the random draw: "random spins (seed 7)".
std::string random_source_name(std::int64_t seed);

// The plan's settings, one a run of a source: the one setting, or the grid.
std::vector<LabSettings> plan_settings(const RunPlan& plan);

// Reads the plan's sources in order. The first refused file stops the
// reading: its message is returned, and the files after it are not opened.
std::string read_sources(const RunPlan& plan, std::vector<SpinSource>& sources,
                         const std::atomic<bool>* cancel = nullptr,
                         bool regular_files_only = false);

// Reads the sources, plays every run, works out each hit rate and plays the
// fair sessions: one comparison a run on its own, the best of the grid for
// a grid; for a pool, the sources are added up and only the pool is set
// against fair pools.
PlanResult run_plan(const RunPlan& plan, const PlanOptions& options = {});

}  // namespace quorvel
