// Modified Bessel functions I0, I1, K0, K1 of real argument.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "../support/failure.hpp"
#include "bessel_i_k_tables.hpp"
#include "exact_argument.hpp"
#include "exp_two_doubles.hpp"
#include "log_two_doubles.hpp"
#include "polynomial.hpp"

namespace qelms {
namespace {

using namespace bessel_i_k;

// Polynomial, highest power first: I1(x)/x in t = 2x^2 - 1, 0 < x <= 1.
constexpr std::array<double, 8> k1_i1 = {
    1.189649624399104e-15, 5.33888268665659e-13,  1.7978479238015574e-10, 4.3276482364299776e-08,
    6.953002745482062e-06, 0.0006716428058734986, 0.03257259881371105,    0.5319078659133527,
};

// Polynomial, highest power first: (I1(x) ln x - K1(x) + 1/x)/x in t = 2x^2 - 1, 0 < x <= 1.
constexpr std::array<double, 8> k1_regular = {
    3.298810580198656e-15,  1.4091710302451431e-12, 4.468286284356187e-10, 9.966866892737816e-08,
    1.4461243253300614e-05, 0.0012033358565821902,  0.045049044296694374,  0.3518258282893255,
};

constexpr double i_limit = 711.6;              // |x| above this: I0 and I1 overflow
constexpr double i_overflow_value = 4.5e307;   // returned when they do
constexpr double i_large_bound = 12.0;         // above: the asymptotic form e^a/sqrt(a)
constexpr double i_medium_bound = 4.0;         // above: the pieces of width 1/2
constexpr double tiny_argument = 3.2e-9;       // up to this I0 = 1, I1 = x/2, K0 = ln 2 - gamma - ln x
constexpr double k_underflow_bound = 705.1;    // from this K0 and K1 underflow and are 0
constexpr double k_large_bound = 4.0;          // above: e^-x/sqrt(x) times a polynomial
constexpr double k_log_bound = 1.0;            // above: the pieces of width 1/8 (across 2 alike)
constexpr double k1_tiny_argument = 7.9e-10;   // up to this K1 = 1/x
constexpr double k1_pole_limit = 2.23e-308;    // up to this K1 is refused: too close to the pole
constexpr TwoDoubles ln2_less_euler = {0.11593151565841245, 3.7780767526472776e-19};  // ln 2 - gamma in two doubles

// The magnitude of `value`, negated when x is negative.
double with_sign_of(double value, double x) { return x < 0.0 ? -std::fabs(value) : std::fabs(value); }

// e^a/sqrt(a) P(t), t = 24/a - 1, for 12 < a <= 711.6, P the table i0_large or
// i1_large (c0_lo the rest of its constant term). e^a = (hi + lo) 2^m is formed
// to far below an ulp with its exponent apart (one exponential of a - ln(a)/2
// would cost up to 0.4 a eps, and e^(a/2) squared two roundings); 2^m is
// applied in two steps, neither of which overflows.
template <std::size_t n>
double large_i(const std::array<double, n>& p, double c0_lo, double a) {
    const ScaledExp e = exp_scaled(a);
    const double t = 24.0 / a - 1.0;
    const double rest = t * horner_descending_paired(std::span(p).template first<n - 1>(), t) + c0_lo;
    const double y = (p.back() + rest) / std::sqrt(a);
    const int half = e.exponent / 2;
    return (e.hi * y + e.lo * y) * power_of_two(half) * power_of_two(e.exponent - half);
}

// A function at x from its table of `count` pieces, each of width 1/per_unit
// from `start`: the polynomial of the piece that holds x, in x less its
// midpoint, its constant term in two doubles. No exponential is needed there.
// The midpoint is looked up rather than formed from i, off the chain to the polynomial.
template <std::size_t exact_tail = 4, std::size_t count, std::size_t n>
double from_pieces(const std::array<double, n>& pieces, const std::array<double, count>& midpoints, double start,
                   double per_unit, double x) {
    constexpr std::size_t terms = n / count;
    // converted through int, which the processor does in one instruction (size_t takes several)
    const auto i = static_cast<std::size_t>(std::min(static_cast<int>((x - start) * per_unit), static_cast<int>(count) - 1));
    return horner_descending_split_constant<terms, exact_tail>(
        std::span(pieces).subspan(i * terms).template first<terms>(), x - midpoints[i]);
}

// The midpoints of `count` pieces of width 1/per_unit from start.
template <std::size_t count>
constexpr std::array<double, count> piece_midpoints(double start, double per_unit) {
    std::array<double, count> m{};
    for (std::size_t i = 0; i < count; ++i) m[i] = start + (static_cast<double>(i) + 0.5) / per_unit;
    return m;
}

constexpr auto k_middle_midpoints = piece_midpoints<24>(k_log_bound, 8.0);
constexpr auto i_middle_midpoints = piece_midpoints<16>(i_medium_bound, 2.0);
constexpr auto i_small_midpoints = piece_midpoints<8>(0.0, 2.0);

double middle_k(const std::array<double, k0_middle_pieces.size()>& pieces, double x) {
    return from_pieces(pieces, k_middle_midpoints, k_log_bound, 8.0, x);
}

double middle_i(const std::array<double, i0_middle_pieces.size()>& pieces, double a) {
    return from_pieces(pieces, i_middle_midpoints, i_medium_bound, 2.0, a);
}

// I0(a) or I1(a)/a for 0 < a <= 4, from the pieces of width 1/2 (even
// functions of a, smooth at 0).
double small_i(const std::array<double, i0_small_pieces.size()>& pieces, double a) {
    return from_pieces<1>(pieces, i_small_midpoints, 0.0, 2.0, a);
}

// K0 or K1 for 4 < x < 705.1. sqrt(x) e^x K(x) = G (1 + u) on its piece in
// w = 1/x, chosen by the exponent and two leading fraction bits of x (the
// quarters of the binades from 4 to 64, then all x >= 64): G its value at the
// piece's midpoint, u small. With e^-x = (hi + lo)(1 + q) 2^m and y = G/sqrt(x),
// K = (hi y + (hi (q + u + q u) + lo) y) 2^m: only the square root, the
// division, hi y and the last sum round (the result is normal, so 2^m is exact).
double large_k(const std::array<double, k0_large_pieces.size()>& pieces, double x) {
    constexpr std::size_t count = k_large_midpoints.size();
    constexpr std::size_t terms = k0_large_pieces.size() / count;
    constexpr std::uint64_t first_quarter = 1025 << 2;  // exponent and two leading bits of 4.0
    const auto quarter = (std::bit_cast<std::uint64_t>(x) >> 50) - first_quarter;
    const auto i = static_cast<std::size_t>(std::min<std::uint64_t>(quarter, count - 1));
    const std::span<const double, terms> c = std::span(pieces).subspan(i * terms).template first<terms>();
    const double u = horner_descending_paired<1>(c.first<terms - 1>(), 1.0 / x - k_large_midpoints[i]);
    const double y = c[terms - 1] / std::sqrt(x);
    const ExpParts e = exp_parts(-x);
    const double small = e.hi * ((e.expm1 + u) + e.expm1 * u) + e.lo;
    return (e.hi * y + small * y) * power_of_two(e.exponent);
}

}  // namespace

double besli0(double x, int& ifail) {
    const double a = std::fabs(x);
    if (a <= i_medium_bound) {  // the commonest case first (NaN fails it)
        ifail = 0;
        if (a > tiny_argument) return small_i(i0_small_pieces, a);
        return 1.0;
    }
    if (nan_argument(ifail, x)) return x;
    if (a > i_limit) {
        ifail = fail_exit(ifail, 1, "BESLI0");
        return i_overflow_value;
    }
    ifail = 0;
    if (a > i_large_bound) return large_i(i0_large, large_constant_lo[0], a);
    return middle_i(i0_middle_pieces, a);
}

double besli1(double x, int& ifail) {
    const double a = std::fabs(x);
    if (a <= i_medium_bound) {  // the commonest case first (NaN fails it)
        ifail = 0;
        if (a > tiny_argument) return x * small_i(i1_small_pieces, a);
        return x * 0.5;
    }
    if (nan_argument(ifail, x)) return x;
    if (a > i_limit) {
        ifail = fail_exit(ifail, 1, "BESLI1");
        return i_overflow_value;
    }
    ifail = 0;
    if (a > i_large_bound) return with_sign_of(large_i(i1_large, large_constant_lo[1], a), x);
    return with_sign_of(middle_i(i1_middle_pieces, a), x);
}

double beslk0(double x, int& ifail) {
    if (!(x > 0.0)) {  // NaN or x <= 0: one test on the way to every region
        if (nan_argument(ifail, x)) return x;
        ifail = fail_exit(ifail, 1, "BESLK0");
        return 0.0;
    }
    ifail = 0;
    if (x > k_log_bound) {
        if (x >= k_underflow_bound) return 0.0;
        if (x > k_large_bound) return large_k(k0_large_pieces, x);
        return middle_k(k0_middle_pieces, x);  // (1, 2] and (2, 4] alike
    }
    if (x > tiny_argument) {
        const double z = x * x;
        // the corrections of the tables enter where they are not rounded away; the
        // polynomials as two chains in z^2 each, whose latency the call to log does not hide
        const double log_x = std::log(x);
        const double i0 = horner_descending_paired<1>(k0_i0, z);
        return horner_descending_paired<1>(k0_regular, z) -
               (log_x * i0 + (log_x * small_k_corrections[0] - small_k_corrections[1]));
    }
    // ln 2 - gamma - ln x with ln x in two doubles, rounded once
    const TwoDoubles log_x = log_two_doubles(x);
    const TwoDoubles s = exact_sum(ln2_less_euler.hi, -log_x.hi);
    return s.hi + (s.lo + (ln2_less_euler.lo - log_x.lo));
}

double beslk1(double x, int& ifail) {
    if (!(x > k1_pole_limit)) {  // NaN, x <= 0 or next to the pole: one test on the way to every region
        if (nan_argument(ifail, x)) return x;
        if (x <= 0.0) {
            ifail = fail_exit(ifail, 1, "BESLK1");
            return 0.0;
        }
        ifail = fail_exit(ifail, 2, "BESLK1");
        return 1.0 / k1_pole_limit;
    }
    ifail = 0;
    if (x > k_log_bound) {
        if (x >= k_underflow_bound) return 0.0;
        if (x > k_large_bound) return large_k(k1_large_pieces, x);
        return middle_k(k1_middle_pieces, x);  // (1, 2] and (2, 4] alike
    }
    if (x > k1_tiny_argument) {
        // 1/x in long double (where it is wider), the rest added to it before the one
        // rounding, with the corrections of the typed tables
        const double t = 2.0 * x * x - 1.0;
        const double log_x = std::log(x);
        const double corrections = log_x * small_k_corrections[2] - small_k_corrections[3];
        const double rest = x * ((log_x * horner_descending(k1_i1, t) - horner_descending(k1_regular, t)) + corrections);
        return static_cast<double>(1.0L / x + rest);
    }
    return 1.0 / x;
}

}  // namespace qelms
