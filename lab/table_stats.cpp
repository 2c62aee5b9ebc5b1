// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/table_stats.hpp"

#include <array>

#include "game/roulette.hpp"

namespace quorvel {

namespace {

// The two sectors a number hits, as indices into TableStats::sectors (D1 = 0,
// C1 = 3); none for zero. One table lookup a spin keeps a long session quick.
struct Hits {
    int dozen = -1;
    int column = -1;
};

const std::array<Hits, kNumberCount>& hits_of_numbers() {
    static const auto table = [] {
        std::array<Hits, kNumberCount> hits{};
        for (int n = 1; n < kNumberCount; ++n)
            hits[static_cast<std::size_t>(n)] = {dozen_of(n) - 1, 3 + column_of(n) - 1};
        return hits;
    }();
    return table;
}

}  // namespace

TableStats table_stats(std::span<const std::uint8_t> numbers) {
    TableStats stats;
    stats.spins = numbers.size();
    const std::size_t recent_from = numbers.size() - stats.recent_spins();
    const auto& hits_of = hits_of_numbers();
    // The spin after the last hit of each sector; the sleep is counted from there.
    std::array<std::size_t, 6> after_last_hit{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int number = numbers[i];
        if (number < 1 || number >= kNumberCount) continue;
        const Hits hits = hits_of[static_cast<std::size_t>(number)];
        for (const int s : {hits.dozen, hits.column}) {
            SectorStats& sector = stats.sectors[static_cast<std::size_t>(s)];
            ++sector.hits;
            if (i >= recent_from) ++sector.recent_hits;
            after_last_hit[static_cast<std::size_t>(s)] = i + 1;
        }
    }
    for (std::size_t s = 0; s < stats.sectors.size(); ++s) {
        stats.sectors[s].seen = stats.sectors[s].hits > 0;
        stats.sectors[s].sleep = numbers.size() - after_last_hit[s];
    }
    return stats;
}

double percent_of(std::size_t hits, std::size_t spins) {
    if (spins == 0) return 0.0;
    return 100.0 * static_cast<double>(hits) / static_cast<double>(spins);
}

}  // namespace quorvel
