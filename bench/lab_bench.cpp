// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab's speed: reading spin files, and playing them through a run or a
// batch, as quorvel-lab and the window's backtest do.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "lab/batch.hpp"
#include "lab/grid.hpp"
#include "lab/random_spins.hpp"
#include "lab/runner.hpp"
#include "lab/spin_file.hpp"

namespace quorvel {
namespace {

// The long log of a live wheel: 707,492 spins, one a line. The folder of
// real files is QUORVEL_REAL_SPINS when set, else the one beside the source tree.
std::string long_real_file() {
    const char* from_environment = std::getenv("QUORVEL_REAL_SPINS");
    const std::string dir = from_environment != nullptr && *from_environment != '\0'
                                ? from_environment
                                : QUORVEL_REAL_SPINS_DIR;
    return dir + "/playtech_live_1 (707492).txt";
}

// Ten million numbers as a player's file holds them, one a line.
const std::string& ten_million_numbers() {
    static const std::string text = [] {
        std::string built;
        for (std::uint8_t spin : random_spins(10'000'000, 1))
            built += std::to_string(spin) + '\n';
        return built;
    }();
    return text;
}

void BM_ParseSpinText_TenMillion(benchmark::State& state) {
    const std::string& text = ten_million_numbers();
    for (auto _ : state) {
        const SpinFile file = parse_spin_text(text, "ten-million.txt");
        benchmark::DoNotOptimize(file.spins.data());
    }
    state.SetItemsProcessed(state.iterations() * 10'000'000);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseSpinText_TenMillion)->Unit(benchmark::kMillisecond);

void BM_ReadSpinFile_LongRealFile(benchmark::State& state) {
    const std::string path = long_real_file();
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("no real spin files beside the source tree");
        return;
    }
    for (auto _ : state) {
        const SpinFile file = read_spin_file(path);
        benchmark::DoNotOptimize(file.spins.data());
    }
    state.SetItemsProcessed(state.iterations() * 707'492);
}
BENCHMARK(BM_ReadSpinFile_LongRealFile)->Unit(benchmark::kMillisecond);

// One run of the long file in a mode, with the window's other start values:
// the lab's own run, the work of `quorvel-lab FILE`.
void BM_RunLongRealFile(benchmark::State& state, GameMode mode, BetType type) {
    const SpinFile file = read_spin_file(long_real_file());
    if (!file.ok()) {
        state.SkipWithError(file.error.c_str());
        return;
    }
    LabSettings settings;
    settings.GameModes = mode;
    settings.BettingType = type;
    // Every spin played: a run the table's rules end early does less work.
    settings.at_ruin = AtRuinRule::PlayOn;
    for (auto _ : state) {
        const RunResult result = run_spins(file.spins, settings);
        benchmark::DoNotOptimize(result.figures.final_bankroll);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(file.spins.size()));
}
BENCHMARK_CAPTURE(BM_RunLongRealFile, DeepScan_Single, GameMode::DeepScan, BetType::Single)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RunLongRealFile, Smart2024_Single, GameMode::Smart2024, BetType::Single)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RunLongRealFile, Adaptive_Double, GameMode::Adaptive, BetType::Double)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RunLongRealFile, Paradox_Single, GameMode::Paradox, BetType::Single)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RunLongRealFile, Chains_Single, GameMode::Chains, BetType::Single)
    ->Unit(benchmark::kMillisecond);

// The 150 runs of the grid over 100,000 spins, spread over all cores; the
// wall time is what a player waits (the long file is about seven times longer).
void BM_Grid_HundredThousandSpins(benchmark::State& state) {
    const std::vector<std::uint8_t> spins = random_spins(100'000, 2);
    std::vector<RunJob> jobs;
    // Every spin played: a run the table's rules end early does less work.
    LabSettings playing_on;
    playing_on.at_ruin = AtRuinRule::PlayOn;
    for (const LabSettings& settings : grid_of(playing_on))
        jobs.push_back({spins, settings});
    for (auto _ : state) {
        const std::vector<RunResult> results = run_batch(jobs);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(total_spins(jobs)));
}
BENCHMARK(BM_Grid_HundredThousandSpins)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace quorvel
