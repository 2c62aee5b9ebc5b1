// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>

#include "game/selectors.hpp"

namespace quorvel {

// The progression tables: multiples of the base bet, one entry per step,
// each starting with 1. They are built once from their rules and never change.
std::span<const std::int64_t> System_Classic();         // Fibonacci, 31 entries
std::span<const std::int64_t> System_Classic_Double();  // 3 to the power i, 17 entries
std::span<const std::int64_t> System_DDonald();         // i div 2 + 1, 3000 entries
std::span<const std::int64_t> System_DDonald_Double();  // 2 to the power (i + 1), less 1; 23
std::span<const std::int64_t> System_DDonald_Softer();  // i div 3 + 1, 3000 entries
std::span<const std::int64_t> System_Blind();           // as System_DDonald
std::span<const std::int64_t> System_Blind_Double();    // 1, then 3 i; 2000 entries
std::span<const std::int64_t> System_Blind_Softer();    // as System_DDonald_Softer

// The table a system uses for a betting type; empty for "CUSTOM", which has
// none, and for the softer systems under double bets.
std::span<const std::int64_t> active_table(ProgressionSystem system, BetType type);

// Entry `step` of a table. A step past the last entry reads the last entry.
std::int64_t table_entry(std::span<const std::int64_t> table, int step);
// A move forward in a table stays on its last entry.
int step_forward(std::span<const std::int64_t> table, int step);
// A move back stops at entry 0. A step kept from a longer table (the system
// changed since) moves back from the last entry, so a win lowers the bet.
int step_back(std::span<const std::int64_t> table, int step);

// The systems the list offers for a betting type: all six for single bets;
// for double bets only those with a double table, and "CUSTOM".
std::span<const ProgressionSystem> systems_offered(BetType type);

}  // namespace quorvel
