// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "game/roulette.hpp"
#include "lab/lab_settings.hpp"
#include "lab/run_figures.hpp"

namespace quorvel {

// One spin of a run as the ledger keeps it: the bet this spin settled (none
// before the first bet, or when no chip was on the table) and the bankroll
// the window showed after it.
struct LedgerRow {
    std::int64_t spin = 0;  // 1 for the first number
    int number = 0;
    SectorSet sectors;       // the chips the number settled; empty when nothing was bet
    std::int64_t stake = 0;  // Bet_Size x sectors
    bool real = false;       // staked; false for a virtual bet (safe level) or no bet
    bool won = false;
    std::int64_t bankroll_after = 0;
};

struct RunOptions {
    bool keep_ledger = false;
    // The bankroll shown after each spin, preceded by the start.
    bool keep_series = false;
    // The bankroll shown after each of these spins (ascending; 0 stands for
    // the start) goes to `samples` at the same index, which must be as long.
    // A sampled run keeps a few points of a long series without its length.
    std::span<const std::size_t> sample_spins;
    std::span<std::int64_t> samples;
    // Checked between spins; a run told to stop hands back what it has.
    const std::atomic<bool>* cancel = nullptr;
    // Told the count of spins played from time to time and at the end. A
    // batch calls it from its worker threads.
    std::function<void(std::size_t done)> progress;
    // Told each prediction settled, real or virtual: the index of the spin
    // that settled it (0 for the first) and whether it won.
    std::function<void(std::size_t spin, bool won)> prediction;
};

struct RunResult {
    RunFigures figures;
    std::vector<std::int64_t> bankroll_series;
    std::vector<LedgerRow> ledger;
    bool cancelled = false;
};

// Plays the spins through a fresh game set up with the settings, with no
// analysis pause. The game's clock starts at settings.seed and moves
// settings.seconds_per_spin with every number.
RunResult run_spins(std::span<const std::uint8_t> spins, const LabSettings& settings,
                    const RunOptions& options = {});

}  // namespace quorvel
