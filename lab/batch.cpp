// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/batch.hpp"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

namespace quorvel {

std::size_t total_spins(std::span<const RunJob> jobs) {
    std::size_t total = 0;
    for (const RunJob& job : jobs)
        total += job.spins.size();
    return total;
}

void for_each_index(std::size_t count, unsigned threads,
                    const std::function<void(std::size_t index)>& work) {
    if (threads == 0) threads = std::thread::hardware_concurrency();
    threads = std::clamp<unsigned>(threads, 1, std::max<std::size_t>(count, 1));
    std::atomic<std::size_t> next{0};
    // An exception on a worker (memory running out, say) must not end the
    // program: the first is kept, the other workers stop taking indices, and
    // it is thrown again on the calling thread once all have stopped.
    std::exception_ptr failure;
    std::mutex failure_lock;
    const auto worker = [&] {
        try {
            for (std::size_t index = next.fetch_add(1); index < count; index = next.fetch_add(1))
                work(index);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failure_lock);
            if (!failure) failure = std::current_exception();
            next.store(count);
        }
    };
    if (threads == 1) {
        worker();
    } else {
        std::vector<std::thread> workers;
        workers.reserve(threads);
        for (unsigned t = 0; t < threads; ++t)
            workers.emplace_back(worker);
        for (std::thread& thread : workers)
            thread.join();
    }
    if (failure) std::rethrow_exception(failure);
}

std::vector<RunResult> run_batch(std::span<const RunJob> jobs, const BatchOptions& options) {
    std::vector<RunResult> results(jobs.size());
    // Each worker takes the next job not yet taken, so a long run on one
    // thread does not hold up the others.
    std::mutex progress_lock;
    std::size_t done_before = 0;  // spins of the runs that have ended, under the lock

    for_each_index(jobs.size(), options.threads, [&](std::size_t index) {
        const RunJob& job = jobs[index];
        RunOptions run_options;
        run_options.keep_series = options.keep_series;
        run_options.cancel = options.cancel;
        std::size_t reported = 0;  // of this run, already counted in done_before
        if (options.progress) {
            run_options.progress = [&](std::size_t done) {
                const std::lock_guard<std::mutex> lock(progress_lock);
                done_before += done - reported;
                reported = done;
                options.progress(done_before);
            };
        }
        results[index] = run_spins(job.spins, job.settings, run_options);
    });
    return results;
}

}  // namespace quorvel
