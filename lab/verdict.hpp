// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "lab/run_report.hpp"

namespace quorvel {

// The plain lines a player reads under the figures: what the hit rate means
// against chance, what chance alone does with the same settings, and whether
// the run ran out of money. A result is called better than chance only when
// its own test says so, and then always with its p-value.
std::vector<std::string> run_verdict(const RunReport& run);

// The lines of a grid: the hit rates once the number of tries is counted
// (Holm), and the best of the grid on fair spins.
std::vector<std::string> grid_verdict(const GridSummary& grid);

// What ended a session before its last spin, in one sentence for the lab and
// the window: "The stop-loss ended the session after spin 57, at a bankroll
// of 1,000." Empty for a session that did not end.
std::string stop_words(StopReason reason, std::int64_t spin, std::int64_t bankroll);

// A share as a player reads it in a sentence: "38 %", "0.4 %".
std::string share_words(double share);

}  // namespace quorvel
