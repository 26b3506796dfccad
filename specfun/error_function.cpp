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

constexpr double erf_series_limit = 2.0;  // |x| up to here uses erf_small
constexpr double erf_one_limit = 6.25;    // from here erf(x) = +-1 in double precision
constexpr double erfc_zero_limit = 26.6;  // from here erfc(x) underflows to 0
constexpr double erfc_two_limit = -6.25;  // up to here erfc(x) = 2 in double precision
constexpr double erf_split = 1.25;          // between the two tables of erf on [1/2, 2]
constexpr double erfc_direct_limit = 0.5;  // |x| below this: erf from its series, erfc = 1 - erf
constexpr double erfcx_split = 2.0;        // between the two polynomials of e^(a^2) erfc(a)
constexpr double erfcx_tail_limit = 4.0;   // from here a e^(a^2) erfc(a) in 32/a^2 - 1

double erf_near_zero(double x) { return x * horner_descending_paired(erf_near_zero_poly, x * x); }

// e^(-a^2) g for a <= 4, rounded once: the product and the rounding of a^2
// carried in two doubles.
double exp_minus_square_times(double a, double g) {
    const TwoDoubles square = exact_product(a, a);
    const TwoDoubles p = exact_product(std::exp(-square.hi), g);
    return p.hi + (p.lo - p.hi * square.lo);  // e^-lo = 1 - lo
}

// e^(-a^2) g / a for a > 4, rounded once: the product, the rounding of a^2 and
// the quotient carried in two doubles, scaled by 2^64 so that their low parts
// stay normal (subnormal arithmetic is slow) down to erfc(26.6) = 1e-309.
double exp_minus_square_over(double a, double g) {
    constexpr double scale_up = 0x1p64, scale_down = 0x1p-64;
    const TwoDoubles square = exact_product(a, a);
    const TwoDoubles p = exact_product(std::exp(-square.hi) * scale_up, g);
    const double p_lo = p.lo - p.hi * square.lo;
    const double q = p.hi / a;
    const TwoDoubles qa = exact_product(q, a);
    return (q + (((p.hi - qa.hi) - qa.lo) + p_lo) / a) * scale_down;
}

// erfc(a) for a >= 1/2 as e^(-a^2) times e^(a^2) erfc(a) from the table of its interval.
double erfc_positive(double a) {
    if (a <= erfcx_split) return exp_minus_square_times(a, horner_descending_paired(erfcx_low_poly, a - 1.25));
    if (a <= erfcx_tail_limit) return exp_minus_square_times(a, horner_descending_paired(erfcx_middle_poly, a - 3.0));
    return exp_minus_square_over(a, horner_descending_paired(erfcx_tail, 32.0 / (a * a) - 1.0));
}

}  // namespace

double erfc_scaled(double a) {
    if (a < erfc_direct_limit) return std::exp(a * a) * (1.0 - erf_near_zero(a));
    if (a <= erfcx_split) return horner_descending_paired(erfcx_low_poly, a - 1.25);
    if (a <= erfcx_tail_limit) return horner_descending_paired(erfcx_middle_poly, a - 3.0);
    return horner_descending_paired(erfcx_tail, 32.0 / (a * a) - 1.0) / a;
}

double errfun(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    if (a >= erf_one_limit) return std::copysign(1.0, x);
    if (a < erfc_direct_limit) return erf_near_zero(x);
    if (a <= erf_series_limit)
        return std::copysign(a <= erf_split ? horner_descending_paired(erf_low_poly, a - 0.875)
                                            : horner_descending_paired(erf_high_poly, a - 1.625),
                             x);
    // erfc(a) < 0.0047 needs only a few eps of its own: the rounding of a^2 is left
    const double q = std::exp(-a * a) * erfc_scaled(a);
    return std::copysign(1.0 - q, x);
}

double erfcmp(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    if (x >= erfc_zero_limit) return 0.0;
    if (x <= erfc_two_limit) return 2.0;
    const double a = std::fabs(x);
    if (a < erfc_direct_limit) return 1.0 - erf_near_zero(x);
    if (x > 0.0) return erfc_positive(a);
    // 2 - erfc(a): from a = 2 on, erfc(a) < 0.0047 needs only a few eps of its own
    return 2.0 - (a <= erfcx_split ? erfc_positive(a) : std::exp(-a * a) * erfc_scaled(a));
}

}  // namespace qelms
