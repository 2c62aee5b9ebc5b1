// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "lab/lab_settings.hpp"
#include "lab/runner.hpp"

namespace quorvel {

// One run of a batch: spins (owned by the caller, alive until the batch ends)
// and the settings to play them with.
struct RunJob {
    std::span<const std::uint8_t> spins;
    LabSettings settings;
};

struct BatchOptions {
    // Worker threads; 0 takes one per core.
    unsigned threads = 0;
    bool keep_series = false;
    // Checked between spins; the runs not yet finished come back cancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Told the spins played over all runs so far, from one thread at a time
    // (which may be any worker thread).
    std::function<void(std::size_t done)> progress;
};

// Plays every job, spread over the worker threads; the results come back in
// the order of the jobs.
std::vector<RunResult> run_batch(std::span<const RunJob> jobs, const BatchOptions& options = {});

// Calls work(index) once for every index below count, spread over the
// threads (0: one a core), each taking the next index not yet taken. What
// work does for an index must not depend on the thread, so that the results
// are the same with any number of threads. An exception thrown by work stops
// the other indices from being started and is thrown again here.
void for_each_index(std::size_t count, unsigned threads,
                    const std::function<void(std::size_t index)>& work);

// The spins of all jobs together: the work a progress bar measures.
std::size_t total_spins(std::span<const RunJob> jobs);

}  // namespace quorvel
