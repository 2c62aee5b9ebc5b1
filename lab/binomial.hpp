// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quorvel {

// Exact binomial figures for counts up to 10^9 and beyond. The tails are the
// regularised incomplete beta function, evaluated as a continued fraction
// whose factor in front is the probability of one count, itself computed
// from the deviance form of Stirling's series; nothing is summed term by term
// and no normal approximation is used, so a tail of 1e-300 is still right to
// many digits.

// P(X = k) for X ~ Binomial(n, p), as its natural logarithm; q is 1 - p,
// given separately so a p near 1 keeps its precision.
double binomial_log_pmf(std::int64_t n, std::int64_t k, double p, double q);

// P(X >= k) for X ~ Binomial(n, p): how often chance alone does at least
// this well.
double binomial_upper_tail(std::int64_t n, std::int64_t k, double p);

// P(X <= k) for X ~ Binomial(n, p).
double binomial_lower_tail(std::int64_t n, std::int64_t k, double p);

// One draw of X ~ Binomial(n, p) from the SplitMix64 sequence whose state is
// `state`, which it advances. Exact by inversion: one uniform number is
// matched against the probabilities of the counts, taken from the most
// likely count outwards, so a draw costs about as many steps as the standard
// deviation, whatever n.
std::int64_t binomial_draw(std::int64_t n, double p, std::uint64_t& state);

// The exact (Clopper-Pearson) interval of a success rate: every rate that a
// two-sided test at 1 - confidence would not reject after k successes in n
// trials. The interval of 0 of n starts at 0, that of n of n ends at 1.
struct RateInterval {
    double low = 0;
    double high = 1;
};
RateInterval clopper_pearson(std::int64_t n, std::int64_t k, double confidence = 0.95);

// The hit rate of a run's predictions set against chance. Each settled
// prediction, real or virtual, covers `sectors` dozens or columns, so on a
// fair single-zero wheel it wins with probability 12 x sectors / 37 whatever
// came before: the picks are made before their spins. The predictions won
// are then binomial with the predictions settled as trials.
struct HitRate {
    std::int64_t predictions = 0;  // settled, real and virtual
    std::int64_t won = 0;
    int sectors = 1;              // covered by each prediction
    double chance = 12.0 / 37.0;  // the rate of chance alone: 12 x sectors / 37
    // Only when there were predictions:
    double rate = 0;        // won / predictions
    RateInterval interval;  // 95 %
    double p = 1;           // P(X >= won) on a fair wheel

    bool any() const { return predictions > 0; }
    // Better than chance at the 5 % level, for one run tried on its own.
    bool beats_chance() const { return any() && p < 0.05; }
};
HitRate hit_rate_of(std::int64_t predictions, std::int64_t won, int sectors);

}  // namespace quorvel
