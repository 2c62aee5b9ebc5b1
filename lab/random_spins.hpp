// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvel {

// `count` spins of a fair single-zero wheel drawn from `seed`: the same seed
// gives the same spins on every machine.
std::vector<std::uint8_t> random_spins(std::size_t count, std::uint64_t seed);

}  // namespace quorvel
