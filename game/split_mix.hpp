// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace quorvel {

// SplitMix64: a Weyl sequence (the state steps by the golden gamma) through a
// strong mixer. Every output is uniform over 2^64 values whatever the seed,
// so neighbouring seeds (one second apart, one session index apart) give
// unrelated values. The predictors' generator, the fair sessions' seeds and
// the seeding of their generator all draw from this one definition; a change
// here changes every recorded draw.
inline constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15u;

// The mixer alone: a bijection of 64-bit values.
constexpr std::uint64_t split_mix64_mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

// The next value of the sequence whose state is `state`, which it advances.
constexpr std::uint64_t split_mix64(std::uint64_t& state) {
    return split_mix64_mix(state += kGoldenGamma);
}

}  // namespace quorvel
