// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "lab/lab_settings.hpp"
#include "lab/run_report.hpp"

namespace quorvel {

// Every game mode x both betting types x the three sector choices x every
// system the type offers (six for "1", four for "2"), each the base settings
// with those four changed, in that order.
std::vector<LabSettings> grid_of(const LabSettings& base);

// The number of settings in the grid, the runs it plays on each source.
std::size_t grid_size();

// The grid's runs on one source set against each other: each row that made a
// prediction gets its p-value adjusted by Holm for the grid's tries, and the
// summary holds the best final bankroll and the smallest adjusted p. Its
// comparison with chance is left to the caller.
GridSummary summarise_grid(std::string file, std::size_t spins, std::span<RunReport> runs);

}  // namespace quorvel
