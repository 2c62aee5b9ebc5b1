// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/chi_square.hpp"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr double kEpsilon = 1e-16;
constexpr double kTiny = 1e-300;

// ln(x^a e^-x / Gamma(a)), the factor in front of both the series and the
// fraction.
double log_front(double a, double x) {
    return a * std::log(x) - x - std::lgamma(a);
}

// P(a, x) by its power series, which converges quickly for x < a + 1.
double gamma_p_series(double a, double x) {
    double term = 1 / a;
    double sum = term;
    for (int n = 1; n < 100'000; ++n) {
        term *= x / (a + n);
        sum += term;
        if (term < sum * kEpsilon) break;
    }
    return sum * std::exp(log_front(a, x));
}

// Q(a, x) by its continued fraction (modified Lentz), which converges
// quickly for x >= a + 1.
double gamma_q_fraction(double a, double x) {
    double b = x + 1 - a;
    double c = 1 / kTiny;
    double d = 1 / b;
    double h = d;
    for (int i = 1; i < 100'000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::abs(d) < kTiny) d = kTiny;
        c = b + an / c;
        if (std::abs(c) < kTiny) c = kTiny;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::abs(step - 1) < kEpsilon) break;
    }
    return std::exp(log_front(a, x)) * h;
}

// The x in [low, high] where a rising function reaches `target`, by halving
// until the bounds are neighbours.
template <typename Function>
double rising_crossing(Function f, double target, double low, double high) {
    for (int i = 0; i < 2000; ++i) {
        const double middle = low + (high - low) / 2;
        if (middle <= low || middle >= high) break;
        if (f(middle) < target) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return low + (high - low) / 2;
}

}  // namespace

double regularized_gamma_p(double a, double x) {
    if (x <= 0) return 0;
    if (x < a + 1) return std::clamp(gamma_p_series(a, x), 0.0, 1.0);
    return std::clamp(1 - gamma_q_fraction(a, x), 0.0, 1.0);
}

double regularized_gamma_q(double a, double x) {
    if (x <= 0) return 1;
    if (x < a + 1) return std::clamp(1 - gamma_p_series(a, x), 0.0, 1.0);
    return std::clamp(gamma_q_fraction(a, x), 0.0, 1.0);
}

double chi_square_upper_tail(double x, double df) {
    return regularized_gamma_q(df / 2, x / 2);
}

double chi_square_critical(double upper, double df) {
    double high = std::max(df, 1.0);
    while (chi_square_upper_tail(high, df) > upper)
        high *= 2;
    // The upper tail falls as x rises; its complement rises.
    return rising_crossing([df](double x) { return -chi_square_upper_tail(x, df); }, -upper, 0,
                           high);
}

double noncentral_chi_square_upper_tail(double x, double df, double lambda) {
    if (lambda <= 0) return chi_square_upper_tail(x, df);
    // The Poisson weights beyond twelve standard deviations of their mean
    // add nothing a double holds.
    const double mean = lambda / 2;
    const auto last = static_cast<long>(std::ceil(mean + 12 * std::sqrt(mean) + 30));
    double tail = 0;
    for (long j = 0; j <= last; ++j) {
        const double jd = static_cast<double>(j);
        const double weight = std::exp(-mean + jd * std::log(mean) - std::lgamma(jd + 1));
        if (weight == 0) continue;
        tail += weight * chi_square_upper_tail(x, df + 2 * jd);
    }
    return std::clamp(tail, 0.0, 1.0);
}

double noncentrality_for_power(double df, double level, double power) {
    const double critical = chi_square_critical(level, df);
    const auto power_at = [&](double lambda) {
        return noncentral_chi_square_upper_tail(critical, df, lambda);
    };
    double high = 1;
    while (power_at(high) < power)
        high *= 2;
    return rising_crossing(power_at, power, 0, high);
}

}  // namespace quorvel
