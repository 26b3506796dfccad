// Exponential integral E1, cosine integral Ci and sine integral Si.
#include <cmath>
#include <span>

#include "../support/failure.hpp"
#include "exact_argument.hpp"
#include "exponential_integrals_tables.hpp"
#include "polynomial.hpp"
#include "sine_cosine_integral_tables.hpp"

namespace qelms {
namespace {

constexpr double half_pi = 1.570796326794897;      // Si(x) for x -> +infinity
constexpr double expint_underflow = 708.3;          // E1(x) is returned as 0 from here on
constexpr double small_limit = 16.0;                // Si, Ci: f and g in 512/x^2 - 1 above, in x - c below
constexpr double sinint_limit = 1e17;               // Si(x) = +-pi/2 to double precision from here on
constexpr double cosint_limit = 1e16;               // Ci(x) is returned as 0 from here on
constexpr double series_limit = 1.0;                // Si, Ci: |x| up to here from their series
constexpr TwoDoubles pi_2 = {1.5707963267948966, 6.123233995736766e-17};  // pi/2 in two doubles
constexpr double euler_gamma = 0.5772156649015329;

// F = x f(x) and G = x^2 g(x) for x > 1, the auxiliary functions of Si and Ci;
// F less 1 where F is near 1 (beyond 16), F itself below.
struct Auxiliary {
    double f;
    double g;
};

// F - 1 and G beyond 16: c0 - 1 is exact, so F - 1 carries no rounding of 1.
Auxiliary auxiliary_large(double x) {
    const double t = 512.0 / (x * x) - 1.0;
    const std::span<const double> f_tail(auxiliary_f.begin() + 1, auxiliary_f.end());
    return {(auxiliary_f[0] - 1.0) + t * horner_ascending(f_tail, t), horner_ascending(auxiliary_g, t)};
}

Auxiliary auxiliary(double x) {
    if (x <= 2.0) return {horner_descending(auxiliary_f_1_2, x - 1.5), horner_descending(auxiliary_g_1_2, x - 1.5)};
    if (x <= 4.0) return {horner_descending(auxiliary_f_2_4, x - 3.0), horner_descending(auxiliary_g_2_4, x - 3.0)};
    if (x <= 8.0) return {horner_descending(auxiliary_f_4_8, x - 6.0), horner_descending(auxiliary_g_4_8, x - 6.0)};
    return {horner_descending(auxiliary_f_8_16, x - 12.0), horner_descending(auxiliary_g_8_16, x - 12.0)};
}

}  // namespace

double expint(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x <= 0.0) {
        ifail = fail_exit(ifail, 1, "EXPINT");
        return 0.0;
    }
    ifail = 0;
    if (x <= 1.0) return horner_ascending(expint_p1, 2.0 * x - 1.0) - std::log(x);
    if (x <= 2.0) return horner_ascending(expint_p2, 2.0 * x - 3.0);
    if (x <= 4.0) return std::exp(-x) * horner_descending(expint_scaled_2_4, x - 3.0) / x;
    if (x < expint_underflow) {
        const double t = 14.5 / (x + 3.25) - 1.0;
        return std::exp(-x) * horner_ascending(expint_p4, t) / x;
    }
    return 0.0;
}

double sinint(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    // Below 16 the series gives way to the auxiliary functions at 1, before its
    // terms outgrow Si.
    if (a <= series_limit) return x * horner_descending(sinint_near_zero_poly, x * x - 0.5);
    if (a < sinint_limit) {
        // pi/2 - w, w = (F cos a + G sin a / a)/a, with pi/2 in two doubles: the
        // only rounding that counts is the last.
        double w;
        if (a > small_limit) {
            const Auxiliary p = auxiliary_large(a);
            const double c = std::cos(a);
            w = (c + (p.f * c + p.g * std::sin(a) / a)) / a;
        } else {
            const Auxiliary p = auxiliary(a);
            w = (p.f * std::cos(a) + p.g * std::sin(a) / a) / a;
        }
        const TwoDoubles s = quick_two_sum(pi_2.hi, -w);
        return std::copysign(s.hi + (s.lo + pi_2.lo), x);
    }
    return std::copysign(half_pi, x);
}

double cosint(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x <= 0.0) {
        ifail = fail_exit(ifail, 1, "COSINT");
        return 0.0;
    }
    ifail = 0;
    // As for Si; the series would also cancel to far more than the amplitude of Ci.
    if (x <= series_limit)
        return (euler_gamma + std::log(x)) - x * x * horner_descending(cosint_near_zero_poly, x * x - 0.5);
    if (x <= small_limit) {
        const Auxiliary p = auxiliary(x);
        return (p.f * std::sin(x) - p.g * std::cos(x) / x) / x;
    }
    if (x < cosint_limit) {
        // (sin x + (F - 1) sin x - G cos x / x)/x, the sum in two doubles divided
        // by x with one rounding: what remains is that of sin x and of the result.
        const Auxiliary p = auxiliary_large(x);
        const double s = std::sin(x);
        const TwoDoubles n = exact_sum(s, p.f * s - p.g * std::cos(x) / x);
        return dd_div(n, {x, 0.0}).hi;
    }
    return 0.0;
}

}  // namespace qelms
