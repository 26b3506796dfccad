// The pieces of gaminc: the three steps of Temme's uniform expansion, used for
// large a near the transition x = a, and the prefactor of the series and fraction.
#pragma once

#include "exact_argument.hpp"

namespace qelms {

enum class GammaRatio { p, q };

// P(a, x) (for x < a) or Q(a, x) (for x >= a) from the uniform expansion;
// tol is the relative tolerance of the correction sum, lsafe = ln(mach_safe_min).
double gaminc_uniform(double a, double x, GammaRatio which, double tol, double lsafe);

// The correction sum of the uniform expansion at eta, normalised by its value
// of Gamma*(a).
double gaminc_temme_sum(double eta, double a, double tol);

// mu - ln(1 + mu) on -0.5 <= mu <= 0.5, without cancellation.
double gaminc_log1pmx(double mu);

// a ln x - x - ln Gamma(a+1), the logarithm of the factor x^a e^-x / Gamma(a+1) of the
// power series and the continued fraction, for a >= 7 and x > 0, in two doubles and
// without the cancellation of the direct difference at large a. -inf where x/a underflows.
TwoDoubles gaminc_prefactor_exponent(double a, double x);

}  // namespace qelms
