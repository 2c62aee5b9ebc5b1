// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quorvel {

// Money never wraps: a sum, difference or product that would leave the 64-bit
// range stops at its edge instead.
inline constexpr std::int64_t kMoneyMax = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t kMoneyMin = std::numeric_limits<std::int64_t>::min();

constexpr std::int64_t saturating_add(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(a, b, &result)) return b > 0 ? kMoneyMax : kMoneyMin;
    return result;
}

constexpr std::int64_t saturating_sub(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_sub_overflow(a, b, &result)) return b < 0 ? kMoneyMax : kMoneyMin;
    return result;
}

constexpr std::int64_t saturating_mul(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_mul_overflow(a, b, &result)) return (a < 0) == (b < 0) ? kMoneyMax : kMoneyMin;
    return result;
}

// The highest stake on one sector. It lies far below the 64-bit edge, so that
// a payout of three stakes, and a bankroll after thousands of them, stay
// exact counts of units instead of stopping at the edge.
inline constexpr std::int64_t kMaxBet = 1'000'000'000'000'000;

constexpr std::int64_t capped_bet(std::int64_t bet) {
    return std::min(bet, kMaxBet);
}

}  // namespace quorvel
