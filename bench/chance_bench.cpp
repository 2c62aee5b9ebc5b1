// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The lab against chance as quorvel-lab runs it: a plan read from a real file,
// its runs, the exact hit rates and the fair sessions, spread over all cores.
// The wall time is what a player waits.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "lab/run_plan.hpp"

namespace quorvel {
namespace {

std::string real_file(const std::string& name) {
    const char* from_environment = std::getenv("QUORVEL_REAL_SPINS");
    const std::string dir = from_environment != nullptr && *from_environment != '\0'
                                ? from_environment
                                : QUORVEL_REAL_SPINS_DIR;
    return dir + "/" + name;
}

void run(benchmark::State& state, const std::string& name, bool grid) {
    RunPlan plan;
    plan.files = {real_file(name)};
    plan.grid = grid;
    if (!std::filesystem::exists(plan.files.front())) {
        state.SkipWithError("no real spin files beside the source tree");
        return;
    }
    std::int64_t sessions = 0;
    for (auto _ : state) {
        const PlanResult result = run_plan(plan);
        if (!result.error.empty()) {
            state.SkipWithError(result.error.c_str());
            return;
        }
        const SourceRuns& source = result.sources.front();
        sessions = grid ? source.grid->chance->sessions : source.reports.front().chance->sessions;
        benchmark::DoNotOptimize(source.reports.data());
    }
    state.counters["sessions"] = static_cast<double>(sessions);
}

// One run of DB4000_1.txt (3,981 spins) against 1,000 fair sessions.
void BM_Chance_DB4000(benchmark::State& state) {
    run(state, "DB4000_1.txt", false);
}
BENCHMARK(BM_Chance_DB4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The grid of 150 on DB4000_1.txt with the best of the grid on 100 fair
// sessions: 15,000 runs of 3,981 spins.
void BM_GridWithBestOfGrid_DB4000(benchmark::State& state) {
    run(state, "DB4000_1.txt", true);
}
BENCHMARK(BM_GridWithBestOfGrid_DB4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// One run of the 707,492-spin file against the 282 fair sessions that fit.
void BM_Chance_LongRealFile(benchmark::State& state) {
    run(state, "playtech_live_1 (707492).txt", false);
}
BENCHMARK(BM_Chance_LongRealFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace quorvel
