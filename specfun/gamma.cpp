// Gamma function and its logarithm.
#include <algorithm>
#include <array>
#include <cmath>

#include "../support/failure.hpp"
#include "exact_argument.hpp"
#include "gamma_tables.hpp"
#include "log_two_doubles.hpp"
#include "polynomial.hpp"
#include "stirling.hpp"

namespace qelms {
namespace {

// Correction c(t) of Stirling's series for x > 15, t = 450/x^2 - 1, constant term first.
constexpr std::array<double, 6> stirling_correction = {
    0.08332716440657865,    -6.16502049453717e-06,   3.899788998764847e-09,
    -6.451019757796537e-12, 2.0020192733798237e-14, -9.945610647281594e-17,
};

constexpr double stirling_gamma_limit = stirling_min_argument;  // from here Gamma(x) by Stirling's series
constexpr double tiny_argument = 1e-17;        // below this Gamma(x) = 1/x
constexpr double near_pole = 1e-9;             // up to this |x|, Gamma(x) from its Laurent series
constexpr double euler_gamma = 0.5772156649015329;
constexpr double laurent_c1 = 0.9890559953279725;  // (euler_gamma^2 + pi^2/6)/2
constexpr double gamma_limit = 170.0;           // |x| above this over- or underflows
constexpr double gamma_pole_limit = 2.23e-308;  // |x| below this is too close to the pole
constexpr double gamma_overflow_value = 4.3e+304;
constexpr double lngamm_poly_limit = 15.0;
constexpr double lngamm_shift_limit = 0.75;  // below: ln Gamma(1 + x) - ln x
constexpr double lngamm_split = 1.5;         // up to here (x - 1) F(x), above (x - 2) F(x)
constexpr double lngamm_zeros_limit = 3.0;   // the end of the tables of F
// terms of each polynomial of lngamm_unit_polys, one per [n, n + 1] from 3 to 15
constexpr std::size_t lngamm_unit_terms =
    lngamm_unit_polys.size() / static_cast<std::size_t>(lngamm_poly_limit - lngamm_zeros_limit);
constexpr double lngamm_correction_limit = 77000000.0;
constexpr double lngamm_limit = 2.55e+305;
constexpr double lngamm_overflow_value = 1.79e+308;

// n! for n = 0, ..., 22, each product exact (22! < 2^70 has 19 trailing zero bits).
constexpr std::array<double, 23> exact_factorials = [] {
    std::array<double, 23> f{};
    f[0] = 1.0;
    for (std::size_t n = 1; n < f.size(); ++n) f[n] = f[n - 1] * static_cast<double>(n);
    return f;
}();

// For 1 <= x < 7 with m = INT(x) and g = x - m: the factor F with Gamma(x) = F * Gamma(1+g).
struct PositiveReduction {
    double factor;
    double g;
};

// start * (x + step) * (x + 2 step) * ... over `count` factors (at most 7: beyond, Stirling's
// form serves), multiplied in that order. Each factor is exact; the rounding of every
// multiplication is carried along, so that the product is rounded once. The products stay
// far from overflow and, every factor being a nonzero multiple of an ulp of |x| >= 1e-9,
// from underflow.
double compensated_product(double start, double x, double step, long count) {
    double hi = start;
    double lo = 0.0;
    for (long i = 1; i <= count; ++i) {
        const double factor = x + step * static_cast<double>(i);
        const TwoDoubles p = exact_product(hi, factor);
        lo = lo * factor + p.lo;
        hi = p.hi;
    }
    return hi + lo;
}

PositiveReduction reduce_positive(double x) {
    const auto m = static_cast<long>(x);
    const double g = x - static_cast<double>(m);
    return {compensated_product(1.0, x, -1.0, m - 1), g};
}

// E = ln Gamma(x) for 7 <= x <= 170 as (x - 1/2) ln x - x + ln sqrt(2 pi) + the remainder of
// Stirling's series, in two doubles (an error in E is a relative error of Gamma): the terms
// without ln x are summed while ln x is formed.
TwoDoubles stirling_exponent(double x) {
    const TwoDoubles ln_x = log_two_doubles(x);
    const double h = x - 0.5;  // exact
    // |remainder| < ln sqrt(2 pi) < x < (x - 1/2) ln x: each sum is ordered
    const TwoDoubles c = quick_two_sum(ln_sqrt_2pi, stirling_remainder(x));
    const TwoDoubles k = quick_two_sum(-x, c.hi);
    const TwoDoubles p = exact_product(h, ln_x.hi);
    const TwoDoubles e = quick_two_sum(p.hi, k.hi);
    return {e.hi, e.lo + k.lo + c.lo + p.lo + h * ln_x.lo + ln_sqrt_2pi_low};  // lo: a few ulps of hi
}

double gamma_stirling(double x) { return exp_of(stirling_exponent(x)); }

// The largest integer not above y, |y| < 2^62, without a library call.
double floor_of(double y) {
    const auto t = static_cast<double>(static_cast<long long>(y));  // truncated toward zero
    return t > y ? t - 1.0 : t;
}

// Gamma(x) for -170 <= x <= -7, x no integer, by reflection: pi / (sin(pi x) (-x)) e^-E,
// E = ln Gamma(-x) (1 - x may round; -x does not); pi / (sin(pi x) (-x)) is formed while E is.
// sin(pi x) = (-1)^n sin(pi r), r = x - n exact, pi r in two doubles: sin(hi + lo) =
// sin(hi) + cos(hi) lo, cos(hi) from four terms of its series (its error, below 1e-3, is far
// below what lo can carry).
double gamma_reflected(double x) {
    constexpr double pi_hi = 3.141592653589793, pi_lo = 1.2246467991473532e-16;
    const double n = floor_of(x + 0.5);
    const double r = x - n;
    const TwoDoubles pr = exact_product(pi_hi, r);
    const double lo = pr.lo + pi_lo * r;
    const double y2 = pr.hi * pr.hi;
    const double cosine = 1.0 - y2 * (0.5 - y2 * (1.0 / 24.0 - y2 * (1.0 / 720.0)));
    const double sine = std::sin(pr.hi) + cosine * lo;
    const double odd = static_cast<long>(n) % 2 != 0 ? -1.0 : 1.0;
    const TwoDoubles ratio = dd_div({pi_hi, pi_lo}, exact_product(odd * sine, -x));
    const TwoDoubles e = stirling_exponent(-x);
    const double v = ratio.hi * std::exp(-e.hi);  // e^-E = e^-hi (1 - lo)
    return v + (ratio.lo / ratio.hi - e.lo) * v;
}

// Gamma(x) = 1/x - euler_gamma + laurent_c1 x + O(x^2) for 1e-17 < |x| <= 1e-9 (the next
// term is below 1e-18 of the value), 1/x in two doubles so that the sum is rounded once.
double gamma_near_pole(double x) {
    const double q = 1.0 / x;
    const TwoDoubles qx = exact_product(q, x);
    const double q_lo = ((1.0 - qx.hi) - qx.lo) * q;  // 1/x - q
    return q + ((q_lo - euler_gamma) + laurent_c1 * x);
}

// Gamma(1+g) for 0 <= g <= 1 in two doubles: the constant term a0 = Gamma(3/2) in two doubles,
// the rest (below 0.12 of it) in one.
TwoDoubles gamma_one_plus_two(double g) {
    const double t = 2.0 * g - 1.0;
    const double rest = t * horner_ascending_paired(std::span(gamma_one_plus_poly).subspan(1), t);
    const TwoDoubles s = quick_two_sum(gamma_one_plus_poly[0], rest);
    return {s.hi, s.lo + gamma_one_plus_rest[0]};
}

double gamma_one_plus(double g) {
    const TwoDoubles v = gamma_one_plus_two(g);
    return v.hi + v.lo;
}

// Gamma(x) = Gamma(1+x)/x for 0 < x < 1, the quotient of the two doubles rounded once: a
// first quotient q from 1/x (formed while Gamma(1+x) is), corrected by its exact remainder.
double gamma_unit(double x) {
    const double reciprocal = 1.0 / x;
    const TwoDoubles v = gamma_one_plus_two(x);
    const double q = v.hi * reciprocal;
    const TwoDoubles qx = exact_product(q, x);
    return q + (((v.hi - qx.hi) - qx.lo) + v.lo) * reciprocal;
}

// F = c0 + r on a table of F (highest power first) in t = v - c: its constant term c0 and the
// rest r of the polynomial (below a tenth of |c0|), which carries the rest of c0 beyond its double.
struct ZeroFactor {
    double c0;
    double r;
};

template <std::size_t n>
ZeroFactor zero_factor_polynomial(const std::array<double, n>& c, double rest, double t) {
    return {c[n - 1], rest + t * horner_descending_paired<3>(std::span(c).template first<n - 1>(), t)};
}

// F(v) = ln Gamma(v)/(v - z) for 0.75 <= v <= 3, z the zero 1 up to 1.5 and 2 above, from the
// table of the half interval holding v.
ZeroFactor lngamm_zero_factor(double v) {
    const auto& rest = lngamm_zero_rests;
    if (v <= lngamm_split) {
        return v <= 1.125 ? zero_factor_polynomial(lngamm_zero1_low, rest[0], v - 0.9375)
                          : zero_factor_polynomial(lngamm_zero1_high, rest[1], v - 1.3125);
    }
    return v <= 2.25 ? zero_factor_polynomial(lngamm_zero2_low, rest[2], v - 1.875)
                     : zero_factor_polynomial(lngamm_zero2_high, rest[3], v - 2.625);
}

// ln Gamma(x) for 0.75 <= x <= 3 as (x - z) F(x), rounded once: (x - z) c0 exact, plus
// (x - z) r; x - z is exact.
double lngamm_near_zeros(double x) {
    const double d = x - (x <= lngamm_split ? 1.0 : 2.0);
    const ZeroFactor f = lngamm_zero_factor(x);
    const TwoDoubles p = exact_product(d, f.c0);
    return p.hi + (p.lo + d * f.r);
}

}  // namespace

double gammaf(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    const double a = std::fabs(x);
    if (a > gamma_limit) {
        if (x < 0.0) {
            ifail = fail_exit(ifail, 2, "GAMMAF");
            return 0.0;
        }
        ifail = fail_exit(ifail, 1, "GAMMAF");
        return gamma_overflow_value;
    }
    if (a <= tiny_argument) {
        if (a < gamma_pole_limit) {
            ifail = fail_exit(ifail, 3, "GAMMAF");
            return x < 0.0 ? -1.0 / gamma_pole_limit : 1.0 / gamma_pole_limit;  // +0 and -0 both positive
        }
        ifail = 0;
        return 1.0 / x;
    }
    if (a <= near_pole) {
        ifail = 0;
        return gamma_near_pole(x);
    }
    if (x >= stirling_gamma_limit) {
        ifail = 0;
        // (x-1)! exactly while it is a double; Stirling's form is within an ulp, not exact
        if (x < static_cast<double>(exact_factorials.size()) + 1.0 && x == floor_of(x))
            return exact_factorials[static_cast<std::size_t>(x) - 1];
        return gamma_stirling(x);
    }
    if (x > 0.0) {
        ifail = 0;
        if (x < 1.0) return gamma_unit(x);
        const PositiveReduction r = reduce_positive(x);
        return r.factor * gamma_one_plus(r.g);
    }
    // Decided on x itself: for -2^-54 <= x < 0, x + 1 rounds to 1 although x is no integer.
    if (x == floor_of(x)) {
        ifail = fail_exit(ifail, 4, "GAMMAF");
        return gamma_overflow_value;
    }
    ifail = 0;
    if (-x >= stirling_gamma_limit) return gamma_reflected(x);
    const auto m = static_cast<long>(x);
    const long n = 1 - m;
    const double g = x + static_cast<double>(n);
    const double d = compensated_product(x, x, 1.0, n);
    return (1.0 / d) * gamma_one_plus(g);
}

double lngamm(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x <= tiny_argument) {
        if (x <= 0.0) {
            ifail = fail_exit(ifail, 1, "LNGAMM");
            return 0.0;
        }
        ifail = 0;
        return -std::log(x);
    }
    // Around the zeros at 1 and 2 the factor x - 1 or x - 2 keeps the error relative.
    if (x < lngamm_shift_limit) {
        ifail = 0;
        const double u = 1.0 + x;  // ln Gamma(u) = (u - z) F(u), u - 1 being x before rounding
        const ZeroFactor f = lngamm_zero_factor(u);
        return (u <= lngamm_split ? x : x - 1.0) * (f.c0 + f.r) - std::log(x);
    }
    if (x <= lngamm_zeros_limit) {
        ifail = 0;
        return lngamm_near_zeros(x);
    }
    if (x <= lngamm_poly_limit) {
        // the polynomial of [n, n + 1], n = INT(x) (14 for x = 15)
        const double n = std::min(floor_of(x), lngamm_poly_limit - 1.0);
        const auto first = static_cast<std::size_t>(n - lngamm_zeros_limit) * lngamm_unit_terms;
        ifail = 0;
        return horner_descending_paired(std::span(lngamm_unit_polys).subspan(first, lngamm_unit_terms), x - n - 0.5);
    }
    if (x <= lngamm_correction_limit) {
        const double t = 450.0 / (x * x) - 1.0;
        ifail = 0;
        return ((x - 0.5) * std::log(x) + horner_ascending_paired(stirling_correction, t) / x) - x + ln_sqrt_2pi;
    }
    if (x <= lngamm_limit) {
        ifail = 0;
        return (x - 0.5) * std::log(x) - x + ln_sqrt_2pi;
    }
    ifail = fail_exit(ifail, 2, "LNGAMM");
    return lngamm_overflow_value;
}

}  // namespace qelms
