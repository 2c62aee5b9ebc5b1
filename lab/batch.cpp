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

std::vector<RunResult> run_batch(std::span<const RunJob> jobs, const BatchOptions& options) {
    std::vector<RunResult> results(jobs.size());
    unsigned threads = options.threads != 0 ? options.threads : std::thread::hardware_concurrency();
    threads = std::clamp<unsigned>(threads, 1, std::max<std::size_t>(jobs.size(), 1));

    // Each worker takes the next job not yet taken, so a long run on one
    // thread does not hold up the others.
    std::atomic<std::size_t> next{0};
    std::mutex progress_lock;
    std::size_t done_before = 0;  // spins of the runs that have ended, under the lock

    const auto run_jobs = [&] {
        for (std::size_t index = next.fetch_add(1); index < jobs.size();
             index = next.fetch_add(1)) {
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
        }
    };
    // An exception on a worker (memory running out, say) would end the
    // program there; it is kept instead, the other workers take no new job,
    // and the first one is thrown again to the caller once all have stopped.
    std::mutex failure_lock;
    std::exception_ptr failure;

    const auto work = [&] {
        try {
            run_jobs();
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failure_lock);
            if (!failure) failure = std::current_exception();
            next.store(jobs.size());
        }
    };

    if (threads == 1) {
        run_jobs();
        return results;
    }
    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back(work);
    for (std::thread& worker : workers)
        worker.join();
    if (failure) std::rethrow_exception(failure);
    return results;
}

}  // namespace quorvel
