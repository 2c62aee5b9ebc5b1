// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// The chi-square distribution, central and noncentral, for the tests of the
// wheel and the power of those tests. The tails come from the regularised
// incomplete gamma function, each side computed directly where it is the
// small one, so a tail of 1e-200 keeps its digits instead of being 1 less a
// number near 1.

// The regularised incomplete gamma functions P(a, x) and Q(a, x) = 1 - P(a, x),
// for a > 0 and x >= 0.
double regularized_gamma_p(double a, double x);
double regularized_gamma_q(double a, double x);

// P(X >= x) for X chi-square with `df` degrees of freedom.
double chi_square_upper_tail(double x, double df);

// The x whose upper tail is `upper` (0 < upper < 1): the critical value of a
// test at that level.
double chi_square_critical(double upper, double df);

// P(X >= x) for X noncentral chi-square with `df` degrees of freedom and
// noncentrality `lambda`: the Poisson mixture, with weights of mean lambda / 2,
// of central chi-squares with df + 2j degrees of freedom.
double noncentral_chi_square_upper_tail(double x, double df, double lambda);

// The noncentrality at which a chi-square test with `df` degrees of freedom
// at level `level` rejects with probability `power`. A departure from the
// expected shares p0 by shares p is found with that power once
// n x sum (p - p0)^2 / p0 reaches it.
double noncentrality_for_power(double df, double level, double power);

}  // namespace quorvel
