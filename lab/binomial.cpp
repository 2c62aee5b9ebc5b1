// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/binomial.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/split_mix.hpp"

namespace quorvel {

namespace {

// ln(x!) - ln(sqrt(2 pi x) (x / e)^x): the error of Stirling's formula. For
// small x it is taken from lgamma, whose values are small there; above 15
// its series is exact to double precision.
double stirling_error(double x) {
    constexpr double kS0 = 1.0 / 12, kS1 = 1.0 / 360, kS2 = 1.0 / 1260, kS3 = 1.0 / 1680,
                     kS4 = 1.0 / 1188;
    if (x <= 15) {
        return std::lgamma(x + 1) - (x + 0.5) * std::log(x) + x -
               0.5 * std::log(2 * std::numbers::pi);
    }
    const double xx = x * x;
    if (x > 500) return (kS0 - kS1 / xx) / x;
    if (x > 80) return (kS0 - (kS1 - kS2 / xx) / xx) / x;
    if (x > 35) return (kS0 - (kS1 - (kS2 - kS3 / xx) / xx) / xx) / x;
    return (kS0 - (kS1 - (kS2 - (kS3 - kS4 / xx) / xx) / xx) / xx) / x;
}

// x ln(x / m) + m - x, without the cancellation of its terms when x is near m.
double deviance(double x, double m) {
    if (std::abs(x - m) < 0.1 * (x + m)) {
        double v = (x - m) / (x + m);
        double sum = (x - m) * v;
        double term = 2 * x * v;
        v *= v;
        for (int j = 1; j < 1000; ++j) {
            term *= v;
            const double next = sum + term / (2 * j + 1);
            if (next == sum) return next;
            sum = next;
        }
        return sum;
    }
    return x * std::log(x / m) + m - x;
}

// The continued fraction of the regularised incomplete beta function
// I_x(a, b), without its factor in front (modified Lentz). It converges
// quickly for x < (a + 1) / (a + b + 2), in about sqrt(max(a, b)) steps at
// worst.
double beta_fraction(double a, double b, double x) {
    constexpr double kTiny = 1e-300;
    constexpr double kEpsilon = 1e-16;
    const double qab = a + b;
    const double qap = a + 1;
    const double qam = a - 1;
    double c = 1;
    double d = 1 - qab * x / qap;
    if (std::abs(d) < kTiny) d = kTiny;
    d = 1 / d;
    double h = d;
    for (long m = 1; m < 100'000'000; ++m) {
        const double m2 = 2.0 * static_cast<double>(m);
        const double md = static_cast<double>(m);
        double aa = md * (b - md) * x / ((qam + m2) * (a + m2));
        d = 1 + aa * d;
        if (std::abs(d) < kTiny) d = kTiny;
        c = 1 + aa / c;
        if (std::abs(c) < kTiny) c = kTiny;
        d = 1 / d;
        h *= d * c;
        aa = -(a + md) * (qab + md) * x / ((a + m2) * (qap + m2));
        d = 1 + aa * d;
        if (std::abs(d) < kTiny) d = kTiny;
        c = 1 + aa / c;
        if (std::abs(c) < kTiny) c = kTiny;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::abs(step - 1) < kEpsilon) break;
    }
    return h;
}

// P(X >= k) for 1 <= k <= n, when p < (k + 1) / (n + 3), where the fraction
// converges: I_p(k, n - k + 1) = q P(X = k) x fraction.
double upper_tail_direct(std::int64_t n, std::int64_t k, double p, double q) {
    const double log_front = binomial_log_pmf(n, k, p, q) + std::log(q);
    return std::exp(log_front) *
           beta_fraction(static_cast<double>(k), static_cast<double>(n - k + 1), p);
}

// P(X >= k) with q = 1 - p given separately.
double upper_tail(std::int64_t n, std::int64_t k, double p, double q) {
    if (k <= 0) return 1;
    if (k > n) return 0;
    if (p <= 0) return 0;
    if (q <= 0) return 1;
    const double nd = static_cast<double>(n);
    if (p < (static_cast<double>(k) + 1) / (nd + 3)) return upper_tail_direct(n, k, p, q);
    // The other side: P(X <= k - 1) = P(n - X >= n - k + 1), with the roles
    // of p and q swapped; that side is the small one here.
    const double lower = upper_tail_direct(n, n - k + 1, q, p);
    return std::clamp(1 - lower, 0.0, 1.0);
}

// The x in [0, 1] where a monotone function crosses `target`, by halving
// until the bounds are neighbours: rising tells which way the function goes.
template <typename Function>
double crossing(Function f, double target, bool rising) {
    double low = 0;
    double high = 1;
    for (int i = 0; i < 2000; ++i) {
        const double middle = low + (high - low) / 2;
        if (middle <= low || middle >= high) break;
        const bool below = f(middle) < target;
        if (below == rising) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return low + (high - low) / 2;
}

}  // namespace

double binomial_log_pmf(std::int64_t n, std::int64_t k, double p, double q) {
    if (k < 0 || k > n) return -HUGE_VAL;
    const double nd = static_cast<double>(n);
    if (k == 0) {
        if (n == 0) return 0;
        return p < 0.1 ? -deviance(nd, nd * q) - nd * p : nd * std::log(q);
    }
    if (k == n) return q < 0.1 ? -deviance(nd, nd * p) - nd * q : nd * std::log(p);
    if (p <= 0 || q <= 0) return -HUGE_VAL;
    const double kd = static_cast<double>(k);
    const double rest = nd - kd;
    const double log_core = stirling_error(nd) - stirling_error(kd) - stirling_error(rest) -
                            deviance(kd, nd * p) - deviance(rest, nd * q);
    const double log_front = std::log(2 * std::numbers::pi) + std::log(kd) + std::log1p(-kd / nd);
    return log_core - 0.5 * log_front;
}

double binomial_upper_tail(std::int64_t n, std::int64_t k, double p) {
    return upper_tail(n, k, p, 1 - p);
}

double binomial_lower_tail(std::int64_t n, std::int64_t k, double p) {
    return upper_tail(n, n - k, 1 - p, p);
}

std::int64_t binomial_draw(std::int64_t n, double p, std::uint64_t& state) {
    if (n <= 0 || p <= 0) return 0;
    if (p >= 1) return n;
    const double q = 1 - p;
    const auto mode = std::min<std::int64_t>(
        n, static_cast<std::int64_t>(std::floor((static_cast<double>(n) + 1) * p)));
    const double at_mode = std::exp(binomial_log_pmf(n, mode, p, q));
    const double up = p / q;
    const double down = q / p;
    for (;;) {
        // A uniform number in [0, 1) from the top 53 bits.
        double u = static_cast<double>(split_mix64(state) >> 11) * 0x1.0p-53;
        if (u < at_mode) return mode;
        u -= at_mode;
        // Outwards from the mode, one count above and one below in turn,
        // each probability from its neighbour's.
        std::int64_t low = mode;
        std::int64_t high = mode;
        double at_low = at_mode;
        double at_high = at_mode;
        while (at_low > 0 || at_high > 0) {
            if (high < n) {
                at_high *= static_cast<double>(n - high) / static_cast<double>(high + 1) * up;
                ++high;
                if (u < at_high) return high;
                u -= at_high;
            } else {
                at_high = 0;
            }
            if (low > 0) {
                at_low *= static_cast<double>(low) / static_cast<double>(n - low + 1) * down;
                --low;
                if (u < at_low) return low;
                u -= at_low;
            } else {
                at_low = 0;
            }
        }
        // Rounding left the number beyond the probabilities' sum: draw again.
    }
}

RateInterval clopper_pearson(std::int64_t n, std::int64_t k, double confidence) {
    RateInterval interval;
    if (n <= 0) return interval;
    const double half = (1 - confidence) / 2;
    const double nd = static_cast<double>(n);
    // At the edges the open bound has a closed form: P(X = 0) = (1 - x)^n.
    if (k <= 0) {
        interval.high = -std::expm1(std::log(half) / nd);
    } else if (k >= n) {
        interval.low = std::exp(std::log(half) / nd);
    } else {
        interval.low = crossing([&](double x) { return upper_tail(n, k, x, 1 - x); }, half, true);
        // P(X <= k) as the upper tail of n - X, which falls as x rises.
        interval.high =
            crossing([&](double x) { return upper_tail(n, n - k, 1 - x, x); }, half, false);
    }
    return interval;
}

HitRate hit_rate_of(std::int64_t predictions, std::int64_t won, int sectors) {
    HitRate hit;
    hit.predictions = predictions;
    hit.won = won;
    hit.sectors = sectors;
    hit.chance = 12.0 * sectors / 37.0;
    if (predictions <= 0) return hit;
    hit.rate = static_cast<double>(won) / static_cast<double>(predictions);
    hit.interval = clopper_pearson(predictions, won);
    hit.p = binomial_upper_tail(predictions, won, hit.chance);
    return hit;
}

}  // namespace quorvel
