// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of the lab window's live work: a spin file played into the game
// (the load), and what the Session tab computes after every spin of a long
// session (sleeps and hits, the chart's outline and running peak).

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "game/game.hpp"
#include "lab/load_spins.hpp"
#include "lab/series_outline.hpp"
#include "lab/session_log.hpp"
#include "lab/table_stats.hpp"

namespace quorvel {
namespace {

// As long as the longest real file.
constexpr std::size_t kLongSession = 707'492;

std::vector<std::uint8_t> drawn_spins(std::size_t count) {
    std::vector<std::uint8_t> spins(count);
    std::mt19937 generator(20261208);
    std::uniform_int_distribution<int> wheel(0, 36);
    for (std::uint8_t& spin : spins)
        spin = static_cast<std::uint8_t>(wheel(generator));
    return spins;
}

// A whole file played into a fresh game, as the window loads it.
void BM_LoadSpins(benchmark::State& state) {
    const std::vector<std::uint8_t> spins = drawn_spins(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        Game game;
        SessionLog log;
        benchmark::DoNotOptimize(load_spins(game, log, spins));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadSpins)->Arg(kLongSession)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the Session tab computes after one spin of a long session.
void BM_SessionTabAfterASpin(benchmark::State& state) {
    const std::vector<std::uint8_t> spins = drawn_spins(kLongSession);
    Game game;
    SessionLog log;
    load_spins(game, log, spins);
    for (auto _ : state) {
        const TableStats stats = table_stats(game.NumbersList);
        benchmark::DoNotOptimize(stats.sectors[0].hits);
        benchmark::DoNotOptimize(outline_of(log.bankroll(), 4000).size());
        benchmark::DoNotOptimize(running_peak_outline(log.bankroll(), 4000).size());
        benchmark::DoNotOptimize(log.figures(game).bets);
    }
}
BENCHMARK(BM_SessionTabAfterASpin)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel
