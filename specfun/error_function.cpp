// Error function and its complement.
#include <array>
#include <cmath>

#include "../support/failure.hpp"
#include "error_function.hpp"
#include "error_function_tables.hpp"
#include "exact_argument.hpp"
#include "polynomial.hpp"
#include "qelms/qelms.hpp"

namespace qelms {
namespace {

// sqrt(pi) a e^(a^2) erfc(a) on 2 < a < 6.25 as a Chebyshev series in
// t = (a - 7)/(a + 3), constant term first (counting half).
constexpr std::array<double, 18> erfc_scaled_middle = {
    1.9449071068178803, 0.0420186582324414, -0.0186866103976769, 0.0051281061839107,
    -0.0010683107461726, 0.0001744737872522, -2.15642065714e-05, 1.7282657974e-06,
    -2.00479241e-08,     -1.64782105e-08,    2.0008475e-09,      2.57716e-11,
    -3.06343e-11,        1.9158e-12,         3.703e-13,          -5.43e-14,
    -4e-15,              1.2e-15,
};

constexpr double sqrt_pi = 1.772453850905516;
constexpr double erf_series_limit = 2.0;  // |x| up to here uses erf_small
constexpr double erf_one_limit = 6.25;    // from here erf(x) = +-1 in double precision
constexpr double erfc_zero_limit = 26.6;  // from here erfc(x) underflows to 0
constexpr double erfc_two_limit = -6.25;  // up to here erfc(x) = 2 in double precision
constexpr double erf_split = 1.25;          // between the two tables of erf on [1/2, 2]
constexpr double erfc_direct_limit = 0.5;  // |x| below this: erf from its series, erfc = 1 - erf
constexpr double erfcx_split = 2.0;        // between the two polynomials of e^(a^2) erfc(a)
constexpr double erfcx_tail_limit = 4.0;   // from here a e^(a^2) erfc(a) in 32/a^2 - 1

// e^(-x^2) without the rounding of x^2, which would cost up to x^2 half-ulps
// (over 200 eps near x = 26).
double exp_minus_square(double x) {
    const TwoDoubles square = exact_product(x, x);
    return exp_of({-square.hi, -square.lo});
}

double erf_near_zero(double x) { return x * horner_descending(erf_near_zero_poly, x * x); }

// e^(-a^2) g / d, rounded once: the product, the rounding of a^2 and the
// quotient are carried in two doubles, scaled by 2^64 so that their low parts
// stay normal (subnormal arithmetic is slow) down to erfc(26.6) = 1e-309.
double exp_minus_square_times(double a, double g, double d) {
    constexpr double scale_up = 0x1p64, scale_down = 0x1p-64;
    const TwoDoubles square = exact_product(a, a);
    const TwoDoubles p = exact_product(std::exp(-square.hi) * scale_up, g);
    const double p_lo = p.lo - p.hi * square.lo;  // e^-lo = 1 - lo
    const double q = p.hi / d;
    const TwoDoubles qd = exact_product(q, d);
    return (q + (((p.hi - qd.hi) - qd.lo) + p_lo) / d) * scale_down;
}

// erfc(a) for a >= 1/2 as e^(-a^2) times e^(a^2) erfc(a) from the table of its interval.
double erfc_positive(double a) {
    if (a <= erfcx_split) return exp_minus_square_times(a, horner_descending(erfcx_low_poly, a - 1.25), 1.0);
    if (a <= erfcx_tail_limit) return exp_minus_square_times(a, horner_descending(erfcx_middle_poly, a - 3.0), 1.0);
    return exp_minus_square_times(a, chebyshev_descending(erfcx_tail, 32.0 / (a * a) - 1.0), a);
}

}  // namespace

double erfc_scaled(double a) {
    if (a < erfc_direct_limit) return std::exp(a * a) * (1.0 - erf_near_zero(a));
    if (a <= erfcx_split) return horner_descending(erfcx_low_poly, a - 1.25);
    if (a <= erfcx_tail_limit) return horner_descending(erfcx_middle_poly, a - 3.0);
    return chebyshev_descending(erfcx_tail, 32.0 / (a * a) - 1.0) / a;
}

double errfun(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    if (a >= erf_one_limit) return std::copysign(1.0, x);
    if (a < erfc_direct_limit) return erf_near_zero(x);
    if (a <= erf_series_limit)
        return std::copysign(a <= erf_split ? horner_descending(erf_low_poly, a - 0.875)
                                            : horner_descending(erf_high_poly, a - 1.625),
                             x);
    const double u = 2.0 - 20.0 / (a + 3.0);
    const double s = chebyshev_ascending_twice(erfc_scaled_middle, u) * 0.5;
    const double q = exp_minus_square(x) * s / a / sqrt_pi;  // erfc(a)
    return std::copysign(1.0 - q, x);
}

double erfcmp(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    if (x >= erfc_zero_limit) return 0.0;
    if (x <= erfc_two_limit) return 2.0;
    const double a = std::fabs(x);
    if (a < erfc_direct_limit) return 1.0 - erf_near_zero(x);
    const double y = erfc_positive(a);
    return x < 0.0 ? 2.0 - y : y;
}

}  // namespace qelms
