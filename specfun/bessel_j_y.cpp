// Bessel functions J0, J1, Y0, Y1 of real argument.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

#include "../support/failure.hpp"
#include "bessel_j_y_near_tables.hpp"
#include "bessel_j_y_tables.hpp"
#include "exact_argument.hpp"
#include "log_two_doubles.hpp"
#include "phase_reduction_tables.hpp"
#include "polynomial.hpp"

namespace qelms {
namespace {

using bessel_j_y::p0;
using bessel_j_y::p1;
using bessel_j_y::p0_far;
using bessel_j_y::p1_far;
using bessel_j_y::q0_far;
using bessel_j_y::q1_far;
using bessel_j_y::p_constant_lo;
using bessel_j_y::q0;
using bessel_j_y::q1;
using phase_reduction::cos_series;
using phase_reduction::sin_series;

constexpr double two_over_pi = 0.6366197723675814;
constexpr double one_over_pi = 0.3183098861837907;
constexpr double pi = 3.141592653589793;
constexpr double y0_relative_limit = 0.5;                // below this Y0 is held to its own size
constexpr double y0_zero_start = 0.75;                   // Y0 on [3/4, 1], round its first zero, from one piece
constexpr double y0_zero_end = 1.0;
constexpr double hankel_limit = 8.0;                    // above this the asymptotic Hankel factors
constexpr double far_limit = 24.0;                      // above this their short tables
constexpr double series_limit = 2.0;                    // up to this the series; above, the pieces
constexpr double piecewise_start = 2.0;                 // the first of the pieces of width 1/4 (up to 8) starts here
constexpr double argument_limit = 1e16;                 // above this the phase is meaningless
constexpr double small_limit = 3.2e-9;                  // J0, J1, Y0 take their leading term up to here
constexpr double y1_small_limit = 7.9e-10;              // Y1 = -(2/pi)/x up to here
constexpr double y1_pole_limit = 2.23e-308;             // up to here Y1 is refused, too near the pole
constexpr double halving_limit = 4.450147717014403e-308;  // 2^-1021: below it x*0.5 is subnormal and rounds
constexpr double ln_2 = 0.6931471805599453;
constexpr double short_series_limit = 0.0625;  // J0, J1 below this from their short series
constexpr std::array<double, 5> j0_short = {1.0, 1.0 / 4, 1.0 / 9, 1.0 / 16, 1.0 / 25};  // 1/k^2: J0's term ratios / -v
constexpr std::array<double, 5> j1_short = {1.0 / 2, 1.0 / 6, 1.0 / 12, 1.0 / 20, 1.0 / 30};  // 1/(k (k + 1)): J1's
constexpr double smallest_normal = 0x1p-1022;
constexpr int tiny_grid_bits = 7;  // y0_tiny_log's grid 1 + j/2^7
constexpr double tiny_grid_spacing = 1.0 / (1 << tiny_grid_bits);
// 1/c for the grid points c = 1 + j/128 of y0_tiny_log, rounded.
constexpr std::array<double, y0_tiny_log.size() / 2> tiny_grid_reciprocal = [] {
    std::array<double, y0_tiny_log.size() / 2> r{};
    for (std::size_t j = 0; j < r.size(); ++j) r[j] = 1.0 / (1.0 + static_cast<double>(j) * tiny_grid_spacing);
    return r;
}();

constexpr double reduction_limit = 1048576.0;  // 2^20: up to here the phase is reduced here, by pi/4 in three parts
constexpr double even_shift = 13510798882111488.0;  // 1.5 * 2^53: adding it rounds to an even integer
// pi/4 in three parts: j times the first two is exact for odd j < 2^21.
constexpr double quarter_pi_1 = phase_reduction::quarter_pi_parts[0];
constexpr double quarter_pi_2 = phase_reduction::quarter_pi_parts[1];
constexpr double quarter_pi_3 = phase_reduction::quarter_pi_parts[2];

// sin and cos of the phase a - pi/4 (order 0) or a - 3 pi/4 (order 1), each in two doubles.
struct Phase {
    TwoDoubles sin;
    TwoDoubles cos;
};

// The phase for 8 < a <= 2^20 from its own reduction: x = a - j pi/4 with j odd,
// |x| <= pi/4, formed in two doubles (a - j C1 and j C2 are exact), then sin x
// and cos x from their fitted series, the leading terms kept apart from the small rest.
template <int order>
Phase reduced_phase(double a) {
    // phase = x + k pi/2: 2k the even integer nearest to 4a/pi - j0, rounded by
    // adding and taking away 1.5 * 2^53, and j = 2k + j0
    constexpr double j0 = order == 0 ? 1.0 : 3.0;
    const double two_k = (a * (2.0 * two_over_pi) - j0 + even_shift) - even_shift;
    const double j = two_k + j0;
    // a - j C1 is exact; j (C2 + C3), below 2^-13, is rounded at far below an ulp
    // of x. Where x is smaller than it the sum's low part is still right to that order.
    const TwoDoubles x = quick_two_sum(a - j * quarter_pi_1, -(j * quarter_pi_2 + j * quarter_pi_3));
    const double z = x.hi * x.hi;
    const double sin_rest = x.lo + x.hi * z * estrin_ascending(std::span(sin_series), z);
    // x^2/2 = half + x_tail (x_head + x_tail/2), half exact from the leading 26 bits of x
    const double x_head = high_26(x.hi);
    const double x_tail = (x.hi - x_head) + x.lo;
    const double half = 0.5 * x_head * x_head, w = 1.0 - half;
    const double cos_rest =
        ((1.0 - w) - half) - x_tail * (x_head + 0.5 * x_tail) + z * z * estrin_ascending(std::span(cos_series), z);
    const TwoDoubles s = {x.hi, sin_rest}, c = {w, cos_rest};
    switch ((static_cast<long long>(two_k) / 2) & 3) {
        case 0: return {s, c};
        case 1: return {c, dd_neg(s)};
        case 2: return {dd_neg(s), dd_neg(c)};
        default: return {dd_neg(c), s};
    }
}

// sqrt(2) times the phase's sin and cos for any a, from cos a and sin a: their
// sums are exact in two doubles.
template <int order>
Phase scaled_phase(double a) {
    const CosSin phase = cos_sin(a);
    const double c = phase.cos, s = phase.sin;
    const TwoDoubles c_plus_s = exact_sum(c, s), s_minus_c = exact_sum(s, -c);
    if (order == 0) return {s_minus_c, c_plus_s};
    return {dd_neg(c_plus_s), s_minus_c};
}

// J or Y of order 0 or 1 at 8 < a <= 1e16 from the Hankel form
// sqrt(2/(pi a)) (m P + n Q), with t = 128/a^2 - 1 in the asymptotic factors P
// and Q, and m, n the phase terms cos and sin of a - pi/4 (order 0) or
// a - 3 pi/4 (order 1): J takes m = cos, n = -sin; Y takes m = sin, n = cos.
// Up to 2^20 the phase is reduced here; beyond, it is expanded into cos a and
// sin a, whose argument reduction is exact (forming a - pi/4 in double would
// cost up to half an ulp of a, a whole radian near 1e16), and sqrt(2) goes
// into those sums. The amplitude and its product with P are carried in two
// doubles as well, so that the result is rounded once, at the end.
template <int order, bool second_kind>
double hankel_form(double a) {
    const double inverse = 1.0 / a;
    const bool reduced = a <= reduction_limit;

    // sqrt(r), r = 2/(pi a) (or 1/(pi a) where sqrt(2) is in the phase), in
    // two doubles: the square root of the rounded r corrected by its residual
    // (1/(2 sqrt(r)) = sqrt(r) / (2 r)).
    const double r = (reduced ? two_over_pi : one_over_pi) / a;
    const double amplitude = std::sqrt(r);
    const TwoDoubles halves = head_and_tail(amplitude);  // r - head^2 is exact
    const double residual = (r - halves.hi * halves.hi) - halves.lo * (amplitude + halves.hi);
    const double amplitude_lo = residual * ((reduced ? 0.25 : 0.5) * pi * a * amplitude);

    // P - 1, small, and amplitude Q = aq: beyond far_limit from the short
    // tables in w = 576/a^2, where P = 1 + O(w); else from those in
    // t = 128/a^2 - 1, whose constant term less 1 is exact.
    double p_minus_1 = 0.0, aq = 0.0;
    if (a > far_limit) {
        static_assert(p0_far.back() == 1.0 && p1_far.back() == 1.0, "the far P tables start from 1");
        const double w = 576.0 * inverse * inverse;
        const auto& p = order == 0 ? p0_far : p1_far;
        p_minus_1 = w * horner_descending_paired(std::span(p).template first<p.size() - 1>(), w);
        aq = amplitude * inverse * horner_descending_paired(order == 0 ? q0_far : q1_far, w);
    } else {
        const double t = 128.0 * inverse * inverse - 1.0;
        const auto& p = order == 0 ? p0 : p1;
        p_minus_1 = (p.back() - 1.0) + (t * horner_descending_paired(std::span(p).template first<p.size() - 1>(), t) +
                                        p_constant_lo[order]);
        aq = amplitude * (8.0 * inverse) * horner_descending_paired(order == 0 ? std::span<const double>(q0) : q1, t);
    }
    // amplitude P = amplitude + ap_lo (amplitude_lo (P - 1) is below all roundings)
    const double ap_lo = amplitude_lo + amplitude * p_minus_1;

    const Phase phase = reduced ? reduced_phase<order>(a) : scaled_phase<order>(a);
    const TwoDoubles m = second_kind ? phase.sin : phase.cos;
    const TwoDoubles n_parts = second_kind ? phase.cos : dd_neg(phase.sin);
    const double n = n_parts.hi + n_parts.lo;
    // amplitude m.hi in two exact products: the halves of amplitude times m.hi cut to 26 bits.
    const double m_head = high_26(m.hi);
    const double m_tail = (m.hi - m_head) + m.lo;
    return halves.hi * m_head + (halves.lo * m_head + amplitude * m_tail + ap_lo * (m.hi + m.lo) + aq * n);
}

// J0(a) and J1(a)/a for 0 <= a <= 2, from their series in a^2.
double j0_series(double a) { return horner_descending_paired(j0_near, a * a - 2.0); }
double j1_series(double a) { return horner_descending_paired(j1_near, a * a - 2.0); }

// 1 - J0(a) and 1 - 2 J1(a)/a for a below 1/16 from their series in v = a^2/4, nested
// innermost first: v (1 - v/4 (1 - v/9 (1 - v/16 (1 - v/25)))) and
// v/2 (1 - v/6 (1 - v/12 (1 - v/20 (1 - v/30)))). Its terms fall by over 2000 each;
// the caller adds it to the leading term, so that the sum is rounded once.
double short_series(const std::array<double, 5>& ratios, double a) {
    const double v = a * a * 0.25;
    double s = 1.0;
    for (std::size_t k = ratios.size() - 1; k > 0; --k) s = 1.0 - v * ratios[k] * s;
    return v * ratios[0] * s;
}

// ln(x/2) for 0 < x <= 2: halving a subnormal x rounds (the least double halves to 0),
// so ln 2 is taken out instead.
double log_half(double x) { return x < halving_limit ? std::log(x) - ln_2 : std::log(x * 0.5); }

// (2/pi) (ln(x/2) + gamma) for 0 < x < 1/2 as hi + lo, lo to about 2^-59 of the
// value: x = 2^k m with 1 <= m < 2, c = 1 + j/128 the grid point nearest m,
// u = (m - c)/c, and the value is k A + B_j + (2/pi) ln(1 + u) with hi = k A_hi + B_j,hi
// exact (both on multiples of 2^-43, the sum below 2^9); lo may reach 2^-8.
// No library call.
TwoDoubles y0_log_term(double x) {
    constexpr std::uint64_t fraction_bits = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t one_bits = std::uint64_t{1023} << 52;
    int k = 0;
    if (x < smallest_normal) {  // subnormal: made normal exactly
        x *= 0x1p54;
        k = -54;
    }
    const auto bits = std::bit_cast<std::uint64_t>(x);
    k += static_cast<int>(bits >> 52) - 1023;
    const double m = std::bit_cast<double>((bits & fraction_bits) | one_bits);
    // the leading 8 fraction bits of m, rounded to 7
    const auto j = static_cast<std::size_t>((((bits >> (52 - tiny_grid_bits - 1)) & 0xFF) + 1) >> 1);
    const double u = (m - (1.0 + static_cast<double>(j) * tiny_grid_spacing)) * tiny_grid_reciprocal[j];
    // |u| <= 1/256: the last six terms of log1p_quotient leave out less than u^8/8 = 2^-67
    const double log1p_u = u + u * u * horner_descending_paired<2>(std::span(log1p_quotient).last<6>(), u);
    const double kd = static_cast<double>(k);
    return {kd * y0_tiny_step[0] + y0_tiny_log[2 * j],
            (kd * y0_tiny_step[1] + y0_tiny_log[2 * j + 1]) + two_over_pi * log1p_u};
}

// Y0 for 3.2e-9 < x < 1/2, from its ascending series in v = x^2/4:
// (2/pi) ((ln(x/2) + gamma) J0(x) + v Q(v)), J0(x) = 1 + v P(v). The large
// term (2/pi) (ln(x/2) + gamma) is carried in two doubles, so that only the
// small ones are rounded before the sum.
double y0_small_argument(double x) {
    const double v = x * x * 0.25;
    const TwoDoubles d = y0_log_term(x);
    const double j0_minus_1 = v * horner_descending(j0_small, v);
    return d.hi + (d.lo + (d.hi + d.lo) * j0_minus_1 + two_over_pi * v * horner_descending(y0_small, v));
}

}  // namespace

double beslj0(double x, int& ifail) {
    const double a = std::fabs(x);
    if (a <= small_limit) {  // tested first, the commonest case of tiny arguments (NaN fails it)
        ifail = 0;
        return 1.0;
    }
    if (nan_argument(ifail, x)) return x;
    if (a > argument_limit) {
        ifail = fail_exit(ifail, 1, "BESLJ0");
        return std::sqrt(two_over_pi / a);
    }
    ifail = 0;
    if (a > hankel_limit) return hankel_form<0, false>(a);
    if (a > series_limit) return quarter_piece(j0_centres, j0_pieces, piecewise_start, a);
    if (a < short_series_limit) return 1.0 - short_series(j0_short, a);
    return j0_series(a);
}

double beslj1(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    const double a = std::fabs(x);
    if (a > argument_limit) {
        ifail = fail_exit(ifail, 1, "BESLJ1");
        return std::sqrt(two_over_pi / a);
    }
    ifail = 0;
    if (a > series_limit) {
        const double j1 =
            a > hankel_limit ? hankel_form<1, false>(a) : quarter_piece(j1_centres, j1_pieces, piecewise_start, a);
        return x < 0.0 ? -j1 : j1;  // J1 is odd
    }
    if (a <= small_limit) return x * 4.0 * 0.125;
    if (a < short_series_limit) {
        const double h = x * 0.5;
        return h - h * short_series(j1_short, a);
    }
    return x * j1_series(a);
}

double besly0(double x, int& ifail) {
    if (x > 0.0 && x <= small_limit) {  // tested first, the commonest case of tiny arguments
        ifail = 0;
        const TwoDoubles y = y0_log_term(x);  // (2/pi) ln(x e^gamma/2), rounded once
        return y.hi + y.lo;
    }
    if (nan_argument(ifail, x)) return x;
    if (x > argument_limit) {
        ifail = fail_exit(ifail, 1, "BESLY0");
        return std::sqrt(two_over_pi / x);
    }
    if (x <= 0.0) {
        ifail = fail_exit(ifail, 2, "BESLY0");
        return 0.0;
    }
    ifail = 0;
    if (x > hankel_limit) return hankel_form<0, true>(x);
    if (x > series_limit) return quarter_piece(y0_centres, y0_pieces, piecewise_start, x);
    if (x < y0_relative_limit) return y0_small_argument(x);
    // Round the first zero the log term and the series would cancel: a piece
    // centred on the zero keeps the value's relative accuracy.
    if (x >= y0_zero_start && x <= y0_zero_end) return piece_split_constant(y0_zero_centre, y0_zero_piece, 0, x);
    return two_over_pi * log_half(x) * j0_series(x) + horner_descending_paired(y0_near, x * x - 2.0);
}

double besly1(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x > series_limit) {
        if (x > argument_limit) {
            ifail = fail_exit(ifail, 1, "BESLY1");
            return std::sqrt(two_over_pi / x);
        }
        ifail = 0;
        return x > hankel_limit ? hankel_form<1, true>(x) : quarter_piece(y1_centres, y1_pieces, piecewise_start, x);
    }
    if (x > y1_small_limit) {
        ifail = 0;
        return (two_over_pi * log_half(x) * j1_series(x) + horner_descending_paired(y1_near, x * x - 2.0)) * x -
               two_over_pi / x;
    }
    if (x > y1_pole_limit) {
        ifail = 0;
        return -two_over_pi / x;
    }
    if (x <= 0.0) {
        ifail = fail_exit(ifail, 2, "BESLY1");
        return 0.0;
    }
    ifail = fail_exit(ifail, 3, "BESLY1");
    return -two_over_pi / y1_pole_limit;
}

}  // namespace qelms
