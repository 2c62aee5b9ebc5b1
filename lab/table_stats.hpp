// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvel {

// How one dozen or column has come in a run of spins.
struct SectorStats {
    // Spins since it last came; every spin so far when it has not come yet.
    std::size_t sleep = 0;
    bool seen = false;
    // Hits among the last kRecentSpins spins (or all of them, when fewer).
    std::size_t recent_hits = 0;
    std::size_t hits = 0;
};

// The sleeps and hits of the six sectors, D1 first, over the numbers in the
// order they came. Zero hits no sector and adds a spin to every sleep.
struct TableStats {
    static constexpr std::size_t kRecentSpins = 37;

    std::size_t spins = 0;
    std::array<SectorStats, 6> sectors{};

    std::size_t recent_spins() const { return spins < kRecentSpins ? spins : kRecentSpins; }
};

// A dozen or a column holds 12 of the 37 numbers: 32.4% of the spins.
inline constexpr double kExpectedSectorShare = 12.0 / 37.0;

TableStats table_stats(std::span<const std::uint8_t> numbers);

// hits as a percentage of spins; 0 when there were no spins.
double percent_of(std::size_t hits, std::size_t spins);

}  // namespace quorvel
