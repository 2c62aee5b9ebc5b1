// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "app/widgets/background_task.hpp"
#include "lab/chance.hpp"
#include "lab/lab_settings.hpp"
#include "lab/runner.hpp"

namespace quorvel {

// A run played again for what a table row does not keep: its bankroll after
// every spin or its ledger, and its fair sessions.
struct Replay {
    RunResult run;
    std::optional<ChanceComparison> chance;
    bool done = false;  // false when cancelled
};

// The work of a replay on a background task: the run with its series (or
// its ledger), then `sessions` fair sessions with the same settings (none
// for 0). The spins must outlive the task.
BackgroundTask::Work replay_work(std::span<const std::uint8_t> spins, const LabSettings& settings,
                                 std::int64_t sessions, bool ledger, std::shared_ptr<Replay> out);

}  // namespace quorvel
