// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/run_replay.hpp"

#include <utility>

namespace quorvel {

BackgroundTask::Work replay_work(std::span<const std::uint8_t> spins, const LabSettings& settings,
                                 std::int64_t sessions, bool ledger, std::shared_ptr<Replay> out) {
    return [spins, settings, sessions, ledger, out = std::move(out)](
               const std::atomic<bool>& cancel, const BackgroundTask::Progress& progress) {
        // The work in all: the run, then each fair session as long as it.
        const std::size_t total = spins.size() * static_cast<std::size_t>(1 + sessions);
        RunOptions options;
        options.keep_series = !ledger;
        options.keep_ledger = ledger;
        options.cancel = &cancel;
        options.progress = [&](std::size_t done) { progress(done, total); };
        out->run = run_spins(spins, settings, options);
        if (out->run.cancelled) return;
        if (sessions > 0) {
            ChanceOptions chance;
            chance.cancel = &cancel;
            chance.progress = [&](std::size_t done) { progress(spins.size() + done, total); };
            out->chance = compare_with_chance(spins.size(), settings, sessions,
                                              out->run.figures.final_bankroll, chance);
            if (!out->chance) return;
        }
        out->done = true;
    };
}

}  // namespace quorvel
