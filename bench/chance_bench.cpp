// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The lab against chance as quorvel-lab runs it: a plan read from a real file,
// its runs, the exact hit rates and the fair sessions, spread over all cores.
// The wall time is what a player waits.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "lab/grid.hpp"
#include "lab/overfitting.hpp"
#include "lab/run_plan.hpp"
#include "lab/spin_file.hpp"

namespace quorvel {
namespace {

std::string real_file(const std::string& name) {
    const char* from_environment = std::getenv("QUORVEL_REAL_SPINS");
    const std::string dir = from_environment != nullptr && *from_environment != '\0'
                                ? from_environment
                                : QUORVEL_REAL_SPINS_DIR;
    return dir + "/" + name;
}

void run(benchmark::State& state, const std::string& name, bool grid,
         const std::function<void(RunPlan&)>& change = {}) {
    RunPlan plan;
    plan.files = {real_file(name)};
    plan.grid = grid;
    if (change) change(plan);
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
        sessions = grid ? (source.grid->chance ? source.grid->chance->sessions : 0)
                        : source.reports.front().chance->sessions;
        if (grid) state.counters["hit_grids"] = static_cast<double>(source.grid->minp_grids);
        benchmark::DoNotOptimize(source.reports.data());
    }
    state.counters["sessions"] = static_cast<double>(sessions);
}

// One run of DB4000_1.txt (3,981 spins) against 1,000 fair sessions.
void BM_Chance_DB4000(benchmark::State& state) {
    run(state, "DB4000_1.txt", false);
}
BENCHMARK(BM_Chance_DB4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The grid of 150 on DB4000_1.txt as quorvel-lab --grid plays it: every row
// on 100 fair grids for money, the hit rates on the fair grids the budget
// allows (every row plays them, for the table's default ends a session that
// runs out of money), the step-down and the overfitting.
void BM_GridWithBestOfGrid_DB4000(benchmark::State& state) {
    run(state, "DB4000_1.txt", true);
}
BENCHMARK(BM_GridWithBestOfGrid_DB4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The same playing on at ruin: no rule ends a session, so the hit rates of
// the fair grids past those of money need one row a stream.
void BM_GridSharedPicks_DB4000(benchmark::State& state) {
    run(state, "DB4000_1.txt", true,
        [](RunPlan& plan) { plan.settings.at_ruin = AtRuinRule::PlayOn; });
}
BENCHMARK(BM_GridSharedPicks_DB4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The grid without fair grids, and the same with --holdout 0.5: the
// difference is what the holdout adds.
void BM_GridAlone_DB4000(benchmark::State& state) {
    run(state, "DB4000_1.txt", true, [](RunPlan& plan) { plan.chance_sessions = 0; });
}
BENCHMARK(BM_GridAlone_DB4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_GridHoldout_DB4000(benchmark::State& state) {
    run(state, "DB4000_1.txt", true, [](RunPlan& plan) {
        plan.chance_sessions = 0;
        plan.holdout = 0.5;
    });
}
BENCHMARK(BM_GridHoldout_DB4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The probability of backtest overfitting alone: the 30 streams over the
// file and the 12,870 splits.
void BM_Overfitting_DB4000(benchmark::State& state) {
    const SpinFile file = read_spin_file(real_file("DB4000_1.txt"));
    if (!file.ok()) {
        state.SkipWithError("no real spin files beside the source tree");
        return;
    }
    const std::vector<LabSettings> grid = grid_of(LabSettings{});
    for (auto _ : state) {
        const Overfitting result = grid_overfitting(file.spins, grid);
        benchmark::DoNotOptimize(result.pbo);
    }
}
BENCHMARK(BM_Overfitting_DB4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One run of the 707,492-spin file against the 282 fair sessions that fit.
void BM_Chance_LongRealFile(benchmark::State& state) {
    run(state, "playtech_live_1 (707492).txt", false);
}
BENCHMARK(BM_Chance_LongRealFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace quorvel
