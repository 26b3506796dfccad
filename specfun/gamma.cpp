// Gamma function and its logarithm.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "../support/failure.hpp"
#include "exact_argument.hpp"
#include "gamma_tables.hpp"
#include "log_tables.hpp"
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
constexpr double lngamm_shift_limit = 0.5;  // below: ln Gamma(1 + x) - ln x
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

// a c0 for c0 of 26 bits as hi + lo, hi exact and |lo| < 2^-25 |hi|.
TwoDoubles product_by_halves(double a, double c0) {
    const TwoDoubles h = head_and_tail(a);  // products of both halves with c0 are exact
    return {h.hi * c0, h.lo * c0};
}

// ln x = t + rest for normal x >= 7 or x < 0.5 (|ln x| > 0.69), t of 26 bits at most, the
// rest to about 2^-60: x = 2^k m with 1 <= m < 2, and ln x = k ln 2 - ln r + ln(1 + u),
// u = m r - 1, r a 14-bit approximation of 1/m from the table of the leading 9 bits of m.
// t = k ln 2 - ln r on multiples of 2^-16 is exact, and so are m_hi r (m_hi: m to 39 bits)
// and (m - m_hi) r.
[[gnu::always_inline]] inline TwoDoubles log_reduced(double x) {
    constexpr std::uint64_t fraction_bits = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t one_bits = std::uint64_t{1023} << 52;
    constexpr std::uint64_t low_bits = (std::uint64_t{1} << 14) - 1;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const auto k = static_cast<double>(static_cast<int>(bits >> 52) - 1023);
    const auto j = static_cast<std::size_t>((bits >> 43) & 511);
    const std::uint64_t m_bits = (bits & fraction_bits) | one_bits;
    const double m = std::bit_cast<double>(m_bits);
    const double m_hi = std::bit_cast<double>(m_bits & ~low_bits);
    const double r = log_reduction_reciprocal[j];
    const double u = (m_hi * r - 1.0) + (m - m_hi) * r;  // |u| < 0.00102
    // ln(1 + u) - u = u^2 (-1/2 + u/3 - ...), four terms: u^6/6 < 2^-62
    const double series = u * u * horner_descending(std::span(log1p_quotient).last<4>(), u);
    const double t = k * log_reduction_ln2[0] + log_reduction_hi[j];
    return {t, u + (series + (k * log_reduction_ln2[1] + log_reduction_lo[j]))};
}

constexpr double stirling_short_limit = 20.0;  // from here the first six terms of the remainder serve
constexpr std::size_t stirling_short_terms = 6;  // the first omitted one below 1e-19 from 20 on

// The remainder of Stirling's series for 7 <= x <= 170. Every term past the first is below 1e-4
// of it: Estrin's scheme, whose chain is short, serves.
double gamma_stirling_remainder(double x) {
    const double reciprocal = 1.0 / x;
    const double w = reciprocal * reciprocal;
    const std::span<const double, stirling_series.size()> all(stirling_series);
    const double p = x < stirling_short_limit ? estrin_ascending(all, w)
                                              : estrin_ascending(all.first<stirling_short_terms>(), w);
    return p * reciprocal;
}

// E = ln Gamma(x) for 7 <= x <= 170 as (x - 1/2) ln x - x + ln sqrt(2 pi) + the remainder of
// Stirling's series, in two doubles (an error in E is a relative error of Gamma): ln x = t + rest
// with t of 26 bits, so that (x - 1/2) t is exact in two parts; the rest, about 0.001 at most,
// is formed to about 2^-62, and its product with x - 1/2 adds below 0.25 ulp to Gamma.
TwoDoubles stirling_exponent(double x) {
    const TwoDoubles l = log_reduced(x);
    const double h = x - 0.5;  // exact
    const TwoDoubles p = product_by_halves(h, l.hi);
    // (x - 1/2) t > x + ln sqrt(2 pi) for x >= 7: the sums are ordered
    const TwoDoubles a = quick_two_sum(p.hi, -x);
    const TwoDoubles b = quick_two_sum(a.hi, ln_sqrt_2pi);
    const double small = ((p.lo + h * l.lo) + gamma_stirling_remainder(x)) + ((a.lo + b.lo) + ln_sqrt_2pi_low);
    return quick_two_sum(b.hi, small);
}

double gamma_stirling(double x) { return exp_of(stirling_exponent(x)); }

// The largest integer not above y, |y| < 2^62, without a library call.
double floor_of(double y) {
    const auto t = static_cast<double>(static_cast<long long>(y));  // truncated toward zero
    return t > y ? t - 1.0 : t;
}

// (-1)^k pi^(2k) / (2k + 1)!, k = 1, ..., 10: (sin(pi r)/pi - r)/r^3 in powers of r^2, constant
// term first, formed in long double and rounded once.
constexpr std::array<double, 10> sine_pi_quotient = [] {
    constexpr long double pi = 3.141592653589793238462643383279502884L;
    std::array<double, 10> c{};
    long double term = 1.0L;  // (-1)^k pi^(2k) / (2k + 1)!
    for (std::size_t k = 1; k <= c.size(); ++k) {
        term *= -pi * pi / static_cast<long double>((2 * k) * (2 * k + 1));
        c[k - 1] = static_cast<double>(term);
    }
    return c;
}();

// Gamma(x) for -170 <= x <= -7, x no integer, by reflection: 1 / (S (-x)) e^-E with
// S = sin(pi x)/pi and E = ln Gamma(-x) (1 - x may round; -x does not); S is formed while E is.
// S = (-1)^n (r + r^3 Q(r^2)), r = x - n exact, |r| <= 1/2, Q from the series to r^21 (the
// first omitted term is below 1.2e-18 of S), in two doubles.
double gamma_reflected(double x) {
    const double n = floor_of(x + 0.5);
    const double r = x - n;
    const double r2 = r * r;
    // past its first two terms, each term of Q is below 0.01 of it: Estrin's scheme there, for a
    // short chain
    const std::span<const double, sine_pi_quotient.size()> c(sine_pi_quotient);
    const double quotient = c[0] + r2 * (c[1] + r2 * estrin_ascending(c.last<c.size() - 2>(), r2));
    const TwoDoubles s = quick_two_sum(r, r * r2 * quotient);
    const double odd = static_cast<long>(n) % 2 != 0 ? -1.0 : 1.0;
    // D = S (-x) in two doubles; 1/D = q (1 + delta) from one division, q = 1/D.hi
    const TwoDoubles p = exact_product(odd * s.hi, -x);
    const TwoDoubles d = quick_two_sum(p.hi, p.lo + odd * s.lo * -x);
    const double q = 1.0 / d.hi;
    const TwoDoubles qd = exact_product(q, d.hi);
    const double delta = ((1.0 - qd.hi) - qd.lo) - q * d.lo;
    const TwoDoubles e = stirling_exponent(-x);
    // e^-E = e^-hi (1 - lo); its product with q exact, e^-hi scaled by 2^600 so that the
    // parts of the product stay clear of subnormals (which are slow)
    const TwoDoubles v = exact_product(q, std::exp(-e.hi) * 0x1p600);
    return (v.hi + (v.lo + (delta - e.lo) * v.hi)) * 0x1p-600;
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

// lngamm_zero_form: intervals of width 1/64 centred on n/64 from 0.5 to 3, then of width 1/16
// centred on n/16 from 3 to 15, each as z, c0, its rest, and the other terms of F
constexpr int zero_form_fine_first = 32;     // n of the first interval of width 1/64
constexpr int zero_form_fine_count = 161;    // up to the one centred on 3
constexpr int zero_form_coarse_first = 48;   // n of the first interval of width 1/16
constexpr int zero_form_coarse_count = 193;  // up to the one centred on 15
constexpr std::size_t zero_form_stride = lngamm_zero_form.size() / (zero_form_fine_count + zero_form_coarse_count);
constexpr std::size_t zero_form_terms = zero_form_stride - 3;  // the terms of F beyond c0
static_assert(zero_form_stride * (zero_form_fine_count + zero_form_coarse_count) == lngamm_zero_form.size());

// ln Gamma(v) for 0.5 <= v <= 15 as (v - z) F(v) in two parts, the first exact: v - z is exact,
// F = c0 + r on the table of the interval holding v, c0 of 26 bits, and the rest r (below a
// twentieth of |c0|) carries the rest of c0. v = x + shift, shift 0 or 1 (then 1 + x may round:
// v - z and the variable of the table are formed from x itself).
template <int shift>
TwoDoubles lngamm_near_zeros(double x) {
    // the interval centred on n/64 (below 3) or n/16, n = v per_unit rounded by adding 1.5 2^52, so
    // that the interval and s follow with no conversion
    constexpr double round_to_integer = 0x1.8p52;
    const double v = shift == 0 ? x : x + shift;
    const bool fine = v < 3.0;
    const double per_unit = fine ? 64.0 : 16.0;
    const double y = v * per_unit + round_to_integer;
    const double s = x * per_unit - ((y - round_to_integer) - shift * per_unit);  // exact, |s| <= 1/2
    // the low bits of y hold n
    const int n = static_cast<std::int32_t>(std::bit_cast<std::uint64_t>(y));
    const auto i = static_cast<std::size_t>(
        n + (fine ? -zero_form_fine_first : zero_form_fine_count - zero_form_coarse_first));
    const double* c = lngamm_zero_form.data() + i * zero_form_stride;
    const double r = c[2] + s * estrin_ascending(std::span<const double, zero_form_terms>(c + 3, zero_form_terms), s);
    const double d = x - (c[0] - shift);
    const TwoDoubles p = product_by_halves(d, c[1]);
    return {p.hi, p.lo + d * r};
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
    if (!(x > tiny_argument)) {  // NaN as well, tested for here, off the path of other arguments
        if (nan_argument(ifail, x)) return x;
        if (x <= 0.0) {
            ifail = fail_exit(ifail, 1, "LNGAMM");
            return 0.0;
        }
        ifail = 0;
        return -std::log(x);
    }
    if (x <= lngamm_poly_limit) {
        // ln Gamma(x) = (x - z) F(x), z = 1 or 2, with an error relative to it at the zeros too;
        // below 0.5, ln Gamma(1 + x) - ln x
        ifail = 0;
        if (x >= lngamm_shift_limit) {
            const TwoDoubles g = lngamm_near_zeros<0>(x);
            return g.hi + g.lo;
        }
        const TwoDoubles g = lngamm_near_zeros<1>(x);
        const TwoDoubles l = log_reduced(x);
        const TwoDoubles s = quick_two_sum(-l.hi, g.hi);  // |ln x| > 0.69 > |ln Gamma(1 + x)|
        return s.hi + (s.lo + (g.lo - l.lo));
    }
    if (x <= lngamm_limit) {
        // (x - 1/2) ln x - x + ln sqrt(2 pi) + c/x as x (ln x - 1), with ln x = t + rest and
        // x (t - 1) exact in two parts, plus x rest and the small terms -(ln x)/2 + ln sqrt(2 pi)
        // + c/x; the correction c/x, below 2^-60 of the value beyond 7.7e7, is left out there.
        const TwoDoubles l = log_reduced(x);
        const TwoDoubles p = product_by_halves(x, l.hi - 1.0);  // t - 1 exact, of 26 bits
        double small = (ln_sqrt_2pi - 0.5 * l.hi) + ((x - 0.5) * l.lo + ln_sqrt_2pi_low);
        if (x <= lngamm_correction_limit) {
            const double reciprocal = 1.0 / x;
            small += horner_ascending_paired(stirling_correction, 450.0 * reciprocal * reciprocal - 1.0) * reciprocal;
        }
        ifail = 0;
        return p.hi + (p.lo + small);
    }
    ifail = fail_exit(ifail, 2, "LNGAMM");
    return lngamm_overflow_value;
}

}  // namespace qelms
