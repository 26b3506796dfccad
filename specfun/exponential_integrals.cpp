// Exponential integral E1, cosine integral Ci and sine integral Si.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "../support/failure.hpp"
#include "exact_argument.hpp"
#include "exponential_integrals_tables.hpp"
#include "log_two_doubles.hpp"
#include "polynomial.hpp"
#include "sine_cosine_integral_tables.hpp"

namespace qelms {
namespace {

constexpr double half_pi = 1.5707963267948966;     // the double nearest pi/2: Si(x) for x -> +infinity
constexpr double expint_underflow = 708.3;          // E1(x) is returned as 0 from here on
constexpr double small_limit = 16.0;                // Si, Ci: f and g in 512/x^2 - 1 above, pieces below
constexpr double sinint_limit = 1e17;               // Si(x) = +-pi/2 to double precision from here on
constexpr double cosint_limit = 1e16;               // Ci(x) is returned as 0 from here on
constexpr double ein_small = 0x1p-10;               // E1: -ln x > 6.9 below, gamma and Ein(x) small beside it
constexpr double series_limit = 1.0;                // Si, Ci: |x| up to here from their series
constexpr double cosint_zero_start = 0.5625;  // Ci on [9/16, 11/16], round its first zero, from one piece
constexpr double cosint_zero_end = 0.6875;
constexpr double sinint_cubic_negligible = 0x1p-27;  // Si(x) = x (1 - x^2/18) rounds to x below this
constexpr std::size_t small_pieces = 80;   // E1 on [2^-10, 1]: eight pieces per binade
constexpr std::size_t scaled_pieces = 64;  // e^x E1(x) on [4, 1024): eight pieces per binade
constexpr TwoDoubles pi_2 = {1.5707963267948966, 6.123233995736766e-17};  // pi/2 in two doubles
constexpr TwoDoubles euler_gamma = {0.5772156649015329, -4.942915152430645e-18};  // in two doubles

// F = x f(x) - 1 and G = x^2 g(x) beyond 16, the auxiliary functions of Si and
// Ci less 1 where F is near 1: c0 - 1 is exact, so F - 1 carries no rounding of 1.
struct Auxiliary {
    double f_less_1;
    double g;
};

Auxiliary auxiliary(double x) {
    const double t = 512.0 / (x * x) - 1.0;
    const std::span<const double> f_tail(auxiliary_f.begin() + 1, auxiliary_f.end());
    return {(auxiliary_f[0] - 1.0) + t * horner_ascending(f_tail, t), horner_ascending(auxiliary_g, t)};
}

// A function on (1, 16] or (1, 4] from the table of its n/m pieces of width 1/scale
// from 1 (scale a power of 2), m entries each; the right end on the last piece.
template <std::size_t m, std::size_t n>
double on_pieces(const std::array<double, n>& pieces, double scale, double x) {
    const std::size_t k = std::min(static_cast<std::size_t>(x * scale - scale), n / m - 1);  // exact
    const double t = x - (1.0 + (static_cast<double>(k) + 0.5) / scale);                   // exact
    return horner_descending_split_constant(std::span<const double, m>(pieces.data() + k * m, m), t);
}

// A function on n pieces, eight per binade from 2^first (the last piece also takes
// the right end), from its table stored as horner_descending_split_constant takes
// it: the binade of x and the leading three bits of its fraction pick the piece,
// whose midpoint sets the next bit, so that t = x - midpoint is exact.
template <std::size_t n, std::size_t m>
double on_eighth_of_binade(const std::array<double, m>& pieces, int first, double x) {
    constexpr std::size_t terms = m / n;
    const std::uint64_t first_bits = static_cast<std::uint64_t>(1023 + first) << 3;  // bits >> 49 of 2^first
    const std::uint64_t k = std::min((std::bit_cast<std::uint64_t>(x) >> 49) - first_bits, std::uint64_t{n - 1});
    const double centre = std::bit_cast<double>(((k + first_bits) << 49) | (std::uint64_t{1} << 48));
    return horner_descending_split_constant(std::span<const double, terms>(pieces.data() + k * terms, terms), x - centre);
}

}  // namespace

double expint(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x <= 0.0) {
        ifail = fail_exit(ifail, 1, "EXPINT");
        return 0.0;
    }
    ifail = 0;
    if (x <= 1.0) {
        // -gamma - ln x + Ein(x), Ein(x) = x - x^2/4 + x^3 S(x). Below ein_small ln x
        // outweighs gamma - Ein(x) by far (Ein nested, so that no power of a tiny x
        // underflows); above, the leading terms are summed exactly.
        if (x < ein_small) {
            const double s = horner_descending(expint_ein_rest, x - 0.5);
            return -std::log(x) - (euler_gamma.hi - x * (1.0 - x * (0.25 - x * s)));
        }
        // Above, E1 from its piece (no logarithm formed).
        return on_eighth_of_binade<small_pieces>(expint_binade_pieces, -10, x);
    }
    if (x <= 4.0) return on_pieces<17>(expint_pieces, 4.0, x);
    if (x < expint_underflow) return std::exp(-x) * on_eighth_of_binade<scaled_pieces>(expint_scaled_pieces, 2, x);
    return 0.0;
}

double sinint(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    // Below 16 the series gives way to the pieces at 1, before its terms outgrow Si;
    // x added whole, so that only the small rest x^3 (...) is rounded with it.
    if (a <= series_limit) {
        if (a < sinint_cubic_negligible) return x;
        const double u = a * a;
        return std::copysign(a + a * u * horner_descending(sinint_near_zero_poly, u - 0.5), x);
    }
    if (a <= small_limit) return std::copysign(on_pieces<14>(sinint_pieces, 2.0, a), x);
    if (a < sinint_limit) {
        // pi/2 - w, w = (F cos a + G sin a / a)/a, with pi/2 in two doubles: the
        // only rounding that counts is the last.
        const Auxiliary p = auxiliary(a);
        const CosSin cs = cos_sin(a);
        const double c = cs.cos;
        const double w = (c + (p.f_less_1 * c + p.g * cs.sin / a)) / a;
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
    // Ci is formed from its pieces, not from f and g, up to 16: there sin x and
    // cos x would add their own rounding.
    if (x >= cosint_zero_start && x <= cosint_zero_end) return piece_split_constant(cosint_zero_centre, cosint_zero_piece, 0, x);
    if (x <= series_limit) {
        // gamma + ln x in two doubles: the sum is rounded once, not after ln x as well.
        const TwoDoubles l = log_two_doubles(x);
        const TwoDoubles s = exact_sum(euler_gamma.hi, l.hi);
        const double u = x * x;
        return s.hi + ((s.lo + l.lo + euler_gamma.lo) - u * horner_descending(cosint_near_zero_poly, u - 0.5));
    }
    if (x <= small_limit) return on_pieces<19>(cosint_pieces, 2.0, x);
    if (x < cosint_limit) {
        // (sin x + (F - 1) sin x - G cos x / x)/x, the sum in two doubles divided
        // by x with one rounding: what remains is that of sin x and of the result.
        const Auxiliary p = auxiliary(x);
        const CosSin cs = cos_sin(x);
        const double s = cs.sin;
        const TwoDoubles n = exact_sum(s, p.f_less_1 * s - p.g * cs.cos / x);
        return dd_div(n, {x, 0.0}).hi;
    }
    return 0.0;
}

}  // namespace qelms
