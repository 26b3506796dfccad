// Error function and its complement.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

#include "../support/failure.hpp"
#include "error_function.hpp"
#include "error_function_tables.hpp"
#include "exact_argument.hpp"
#include "polynomial.hpp"
#include "qelms/qelms.hpp"

namespace qelms {
namespace {

constexpr double erf_series_limit = 2.0;  // |x| up to here: erf from erf_pieces
constexpr double erf_one_limit = 6.25;    // from here erf(x) = +-1 in double precision
constexpr double erfc_zero_limit = 26.6;  // from here erfc(x) underflows to 0
constexpr double erfc_two_limit = -6.25;  // up to here erfc(x) = 2 in double precision
constexpr double erfc_direct_limit = 0.75;  // x below this: erfc = 1 - erf
constexpr double piece_table_limit = 4.0;   // erfc_pieces and erfcx_pieces end here; beyond, erfc_tail
constexpr double erfc_negligible = 5.93;    // erfc(5.93) = 5.0e-17 < 2^-54: 1 - erfc rounds to 1
// erfc_tail row j holds w = 1/a^2 in [j, j + 1]/64, that is a in [8/sqrt(j + 1), 8/sqrt(j)]
constexpr std::array<double, 3> tail_piece_bounds = {8.0, 5.656854249492381, 4.618802153517006};
constexpr double pieces_per_unit = 16.0;       // erf_pieces and erfc_pieces have width 1/16
constexpr int erfc_first_piece = 12;           // erfc_pieces start at 12/16 = erfc_direct_limit
constexpr double erfcx_pieces_per_unit = 8.0;  // erfcx_pieces have width 1/8
constexpr double erfcx_table_start = 0.5;      // erfcx_pieces start here
constexpr int erfcx_first_piece = 4;           // at 4/8
constexpr int erfcx_last_piece = erfcx_first_piece + static_cast<int>(erfcx_pieces.size()) - 1;
constexpr double short_t = 0x1.8p21;  // (t + short_t) - short_t: |t| <= 1/32 to a multiple of 2^-31, 26 bits
constexpr int exp_steps = 64;  // exp_fractions holds 2^(-j/64), j = 0..63
constexpr double exp_steps_per_ln2 = exp_steps / std::numbers::ln2;
constexpr double round_to_integer = 0x1.8p52;  // (y + round_to_integer) - round_to_integer: y to the nearest integer
constexpr double split_limit = 0x1p995;  // split (in exact_product) overflows beyond
constexpr double erfc_one_limit = 0x1p-57;  // |x| below this: erfc(x) = 1 - 2x/sqrt(pi) rounds to 1
constexpr double two_over_sqrt_pi_less_1 = 0.12837916709551257;  // 2/sqrt(pi) - 1: erf(x) = x + that x for tiny x
constexpr double erf_near_zero_limit = 1.0 / pieces_per_unit;  // below: erf from erf_near_zero_poly
constexpr std::size_t erfc_near_zero_terms = 5;  // of erf_near_zero_poly, where erf is added to 1
constexpr double erf_cubic_negligible = 0x1p-30;  // a below this: a^2/3 < 2^-60 beside 1, and a^2 may be subnormal (slow)

double sum(TwoDoubles v) { return v.hi + v.lo; }

// 1 + sign (v.hi + v.lo) for |v.hi| <= 1, rounded once.
double one_plus(double sign, TwoDoubles v) {
    const TwoDoubles s = quick_two_sum(1.0, sign * v.hi);
    return s.hi + (s.lo + sign * v.lo);
}

// f(c + t) = p0 + p1 t + t^2 Q(t) on a piece about its centre c, from its
// row (c, p0 and p1 each in two parts, the coefficients of Q from the constant
// term up), as hi + lo: hi the leading part of p0 plus that of p1 times the
// leading 26 bits of t, exact (the table puts both leading parts on grids that
// make it so), lo the small rest, so that hi + lo is rounded once. Inlined:
// a call here costs erfcmp a tenth of its time over its log-uniform points.
template <std::size_t N>
[[gnu::always_inline]] inline TwoDoubles piece_parts(const std::array<double, N>& row, double a) {
    const double t = a - row[0];
    const double t_hi = (t + short_t) - short_t;
    return {row[1] + row[3] * t_hi, ((row[2] + row[3] * (t - t_hi)) + row[4] * t) +
                                        t * t * estrin_ascending(std::span(row).template subspan<5>(), t)};
}

// erf(x) for 2^-511 < |x| < 1/16 (x^2 normal) as hi + lo, rounded once:
// x (c0 + u R(u)), c0 as a 27-bit part and the rest, x in 26 bits and the rest.
// R's first `terms` coefficients: beside 1 (erfc) five leave out less than 2^-65.
// Inlined into erfcmp, whose small arguments are common.
template <std::size_t terms = erf_near_zero_poly.size()>
[[gnu::always_inline]] inline TwoDoubles erf_near_zero(double x) {
    const TwoDoubles s = head_and_tail(x);
    const double u = x * x;
    const auto r = std::span(erf_near_zero_poly).template first<terms>();
    return {erf_near_zero_lead[0] * s.hi,
            (erf_near_zero_lead[0] * s.lo + x * erf_near_zero_lead[1]) + x * (u * estrin_ascending(r, u))};
}

// erf(a) for 1/16 <= a <= 2 as hi + lo, rounded once, from its piece.
TwoDoubles erf_piece(double a) {
    return piece_parts(erf_pieces[static_cast<std::size_t>(static_cast<int>(a * pieces_per_unit) - 1)], a);
}

// erf(a) for 0 <= a <= 2 as hi + lo, rounded once.
TwoDoubles erf_parts(double a) {
    if (a >= erf_near_zero_limit) return erf_piece(a);
    if (a < erf_cubic_negligible) {
        const TwoDoubles s = head_and_tail(a);
        return {erf_near_zero_lead[0] * s.hi, erf_near_zero_lead[0] * s.lo + a * erf_near_zero_lead[1]};
    }
    return erf_near_zero(a);
}

// e^(a^2) erfc(a) for 1/2 <= a <= 4 as a 26-bit part and the rest.
TwoDoubles erfcx_parts(double a) {
    const int k = std::min(static_cast<int>(a * erfcx_pieces_per_unit), erfcx_last_piece);
    const auto& g = erfcx_pieces[static_cast<std::size_t>(k - erfcx_first_piece)];
    const double t = a - (k + 0.5) / erfcx_pieces_per_unit;
    return {g[0], estrin_ascending(std::span(g).subspan<1>(), t)};
}

// a e^(a^2) erfc(a) for a > 4 at w = 1/a^2, as a 13-bit part and the rest. The
// row is chosen by comparisons of a, which the processor predicts, rather than
// by an index computed from w, which it would have to wait for.
TwoDoubles tail_parts(double a, double w) {
    const auto& p = a >= tail_piece_bounds[0]   ? erfc_tail[0]
                    : a >= tail_piece_bounds[1] ? erfc_tail[1]
                    : a >= tail_piece_bounds[2] ? erfc_tail[2]
                                                : erfc_tail[3];
    return {p[1], estrin_ascending(std::span(p).subspan<2>(), w - p[0])};
}

// (g.hi + g.lo) / a, the quotient corrected by its exact remainder.
double divide(TwoDoubles g, double a, double reciprocal) {
    const double q = g.hi * reciprocal;
    const TwoDoubles qa = exact_product(q, a);
    return q + (((g.hi - qa.hi) - qa.lo) + g.lo) * reciprocal;
}

// erfc(a) for a > 4, e^(-a^2) F(w) / a, rounded once.
// e^-(hi + lo) (hi + lo = a^2) = 2^(-k/64) e^-r, r = hi + lo - k ln2/64 within
// ln2/128, with 2^(-k/64) = 2^-m (T_hi + T_lo), T_hi of 13 bits.
// F / a = (F0 + R) v (1 + rho) with v = 1/a rounded and rho = 1 - a v exact
// from the halves of a and v; F0 (13 bits) times the leading 26 bits of v is
// exact in 39 bits, and T_hi times that exact in 52.
double erfc_large(double a) {
    const TwoDoubles square = exact_product(a, a);
    const double kd = (square.hi * exp_steps_per_ln2 + round_to_integer) - round_to_integer;
    const int k = static_cast<int>(kd);
    const double r = ((square.hi - kd * exp_step[0]) + square.lo) - kd * exp_step[1];
    const double p = r * estrin_ascending(std::span(exp_minus_one_poly), r);
    const auto& t = exp_fractions[static_cast<std::size_t>(k % exp_steps)];
    const double two_to_minus_m = power_of_two(-(k / exp_steps));

    const double v = 1.0 / a;
    const TwoDoubles f = tail_parts(a, v * v);
    const TwoDoubles as = split(a), vs = split(v);
    const double rho = ((1.0 - as.hi * vs.hi) - as.hi * vs.lo - as.lo * vs.hi) - as.lo * vs.lo;
    const double k_hi = f.hi * vs.hi;
    const double k_lo = f.hi * vs.lo + (f.lo + f.hi * rho) * v;

    const double t_sum = t[0] + t[1];
    const double small = (t[1] * k_hi + t_sum * k_lo) + t_sum * (k_hi + k_lo) * p;
    return (t[0] * k_hi + small) * two_to_minus_m;
}

// erfc(a) for 3/4 <= a < 26.6.
double erfc_positive(double a) {
    if (a > piece_table_limit) return erfc_large(a);
    return sum(piece_parts(
        erfc_pieces[static_cast<std::size_t>(static_cast<int>(a * pieces_per_unit) - erfc_first_piece)], a));
}

// erfc(a) for 2 < a < 6.25 where only its error next to 1 matters (1 - erfc,
// 2 - erfc): beyond 4, below 1.5e-8, without the corrections of erfc_large.
double erfc_above_two(double a) {
    if (a <= piece_table_limit) return erfc_positive(a);
    if (a >= erfc_negligible) return 0.0;
    const double v = 1.0 / a;
    return std::exp(-a * a) * sum(tail_parts(a, v * v)) * v;
}

}  // namespace

double erfc_scaled(double a) {
    if (a < erfcx_table_start) return std::exp(a * a) * one_plus(-1.0, erf_parts(a));
    if (a <= piece_table_limit) return sum(erfcx_parts(a));
    const double v = 1.0 / a;
    if (a > split_limit) return sum(tail_parts(a, v * v)) * v;  // and 0 at infinity
    return divide(tail_parts(a, v * v), a, v);
}

double errfun(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    if (a < erf_cubic_negligible) return x + x * two_over_sqrt_pi_less_1;
    if (a >= erf_one_limit) return std::copysign(1.0, x);
    if (a <= erf_series_limit) return std::copysign(sum(erf_parts(a)), x);
    return std::copysign(1.0 - erfc_above_two(a), x);
}

double erfcmp(double x, int& ifail) {
    const double a = std::fabs(x);
    ifail = 0;
    if (a < erfc_one_limit) [[likely]]
        return 1.0;  // tested first: the commonest case of a tiny argument
    // next the small arguments of either sign, without a call or a further branch
    if (a < erf_near_zero_limit) return one_plus(-1.0, erf_near_zero<erfc_near_zero_terms>(x));
    if (x < 0.0) {
        if (a <= erf_series_limit) return one_plus(1.0, erf_piece(a));
        return x <= erfc_two_limit ? 2.0 : 2.0 - erfc_above_two(a);
    }
    if (nan_argument(ifail, x)) return x;
    if (x >= erfc_zero_limit) return 0.0;
    if (a < erfc_direct_limit) return one_plus(-1.0, erf_piece(a));
    return erfc_positive(a);
}

}  // namespace qelms
