// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/random_spins.hpp"

#include <random>

namespace quorvel {

std::vector<std::uint8_t> random_spins(std::size_t count, std::uint64_t seed) {
    // The standard distributions differ between libraries; rejection on the
    // engine's own output, whose sequence the standard fixes, does not.
    constexpr std::uint64_t kPockets = 37;
    constexpr std::uint64_t kFairLimit = std::mt19937_64::max() - std::mt19937_64::max() % kPockets;
    std::mt19937_64 engine(seed);
    std::vector<std::uint8_t> spins;
    spins.reserve(count);
    while (spins.size() < count) {
        const std::uint64_t value = engine();
        if (value >= kFairLimit) continue;
        spins.push_back(static_cast<std::uint8_t>(value % kPockets));
    }
    return spins;
}

}  // namespace quorvel
