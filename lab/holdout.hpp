// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "lab/chance.hpp"
#include "lab/lab_settings.hpp"
#include "lab/run_report.hpp"

namespace quorvel {

// The spins a holdout of `share` chooses on: floor(share x spins).
std::size_t holdout_split(std::size_t spins, double share);

// Plays the grid on the first holdout_split(spins, share) spins, chooses
// the row with the smallest hit_rate_p there (among equal ones the first as
// that grid is shown) and plays it on the other spins as `quorvel-lab` plays
// a file of them alone: a fresh game with the clock from its start, against
// `sessions` fair sessions of their length. Empty when cancelled.
std::optional<Holdout> play_holdout(const std::string& name, std::span<const std::uint8_t> spins,
                                    std::span<const LabSettings> grid, double share,
                                    std::int64_t sessions, const ChanceOptions& options = {});

}  // namespace quorvel
