// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lab/fair_grids.hpp"
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

// A row of the grid in words: "PARADOX 4.1 / 2 / Only Dozens", with
// " / Classic" when the system is wanted.
std::string settings_name(const LabSettings& settings, bool with_system);

// The order a grid is shown in: by final bankroll, highest first, a run
// that ran out never above one that did not, ties in the grid's order.
std::vector<std::size_t> ranked_rows(std::span<const RunReport> runs);

// Fewer fair grids than this resolve no adjusted p worth the name: the
// step-down is skipped and Holm's adjustment stands.
inline constexpr std::int64_t kDefaultMinPGrids = 1000;
inline constexpr std::int64_t kFewestMinPGrids = 100;
// The spin steps the hit rates' fair grids may take beyond those of money.
inline constexpr double kMinPSpinSteps = 6e7;

// The fair grids for the hit rates: those asked for (the same count as for
// money), else the default lowered to stay within the budget but never below
// the fair grids of money (they are the first of them); 0 when fewer than
// the fewest.
std::int64_t minp_grids_for(std::size_t spins, std::span<const LabSettings> grid,
                            std::int64_t money_grids, std::optional<std::int64_t> asked);

// Sets the grid's rows against the same rows on fair grids: each tested
// row's adjusted_p and the summary's minp_p by the step-down min-p over the
// hit rates (when there are kFewestMinPGrids fair grids or more), each
// row's row_as_good and the best row by money with its adjusted share (when
// there are money grids), and the best of the grid on fair spins.
void judge_grid(GridSummary& grid, std::span<RunReport> runs, const FairGrids& fair);

}  // namespace quorvel
