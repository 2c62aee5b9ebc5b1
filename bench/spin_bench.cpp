// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of one spin in every game mode and betting type: a number entered
// and its analysis pause ended, as the window and the lab play it.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "play/session.hpp"
#include "run_benchmarks.hpp"

namespace quorvel {
namespace {

// Numbers are drawn before timing starts, so the figures hold only the
// engine's work. A power of two keeps the index a mask.
constexpr std::size_t kNumberCount = 1 << 16;

const std::array<int, kNumberCount>& spin_numbers() {
    static const auto numbers = [] {
        std::array<int, kNumberCount> drawn{};
        std::mt19937 generator(20240601);
        std::uniform_int_distribution<int> wheel(0, 36);
        for (int& n : drawn)
            n = wheel(generator);
        return drawn;
    }();
    return numbers;
}

// A game as the player leaves it after choosing the mode and the type; the
// adaptive mode bets only once a matrix has been created.
std::unique_ptr<Game> new_game(GameMode mode, BetType type) {
    auto game = std::make_unique<Game>();
    game->params.GameModes = mode;
    game->params.BettingType = type;
    if (mode == GameMode::Adaptive) Adaptive_Matrix(*game);
    return game;
}

// A game's history grows by one number a spin; a fresh game every so many
// spins keeps a long run's memory in bounds without timing the set-up.
constexpr std::int64_t kSpinsPerGame = std::int64_t{1} << 22;

void BM_Spin(benchmark::State& state, GameMode mode, BetType type) {
    const auto& numbers = spin_numbers();
    auto game = new_game(mode, type);
    std::int64_t spins = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        enter_number(*game, numbers[next]);
        end_analysis_pause(*game);
        next = (next + 1) & (kNumberCount - 1);
        if (++spins % kSpinsPerGame == 0) {
            state.PauseTiming();
            game = new_game(mode, type);
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(game->Bankroll);
    state.SetItemsProcessed(state.iterations());
}

// Names without spaces, so that --benchmark_filter needs no quoting.
struct ModeName {
    GameMode mode;
    const char* name;
};
constexpr std::array<ModeName, 5> kModes{{{GameMode::DeepScan, "DeepScan"},
                                          {GameMode::Smart2024, "Smart2024"},
                                          {GameMode::Adaptive, "Adaptive"},
                                          {GameMode::Paradox, "Paradox"},
                                          {GameMode::Chains, "Chains"}}};

// BM_Spin/<mode>/<type>, type Single or Double.
void register_spin_benchmarks() {
    spin_numbers();
    for (const ModeName& mode : kModes) {
        for (const BetType type : {BetType::Single, BetType::Double}) {
            std::string name = "BM_Spin/";
            name += mode.name;
            name += type == BetType::Single ? "/Single" : "/Double";
            // On a shared machine the quickest of several repetitions
            // (--benchmark_repetitions) is the best estimate of a spin's cost.
            benchmark::RegisterBenchmark(name.c_str(), BM_Spin, mode.mode, type)
                ->ComputeStatistics("min", [](const std::vector<double>& times) {
                    return *std::min_element(times.begin(), times.end());
                });
        }
    }
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
    quorvel::register_spin_benchmarks();
    return quorvel::run_benchmarks(argc, argv);
}
