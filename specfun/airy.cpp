// Airy functions Ai, Bi and their derivatives for a real argument.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <span>

#include "../support/failure.hpp"
#include "airy_near_tables.hpp"
#include "airy_tables.hpp"
#include "exact_argument.hpp"
#include "polynomial.hpp"

namespace qelms {
namespace {

// x^(1/4) e^zeta Ai(x) on x >= 9, powers of t = 36/zeta - 1, highest first.
constexpr std::array<double, 11> airy_ai2 = {
    1.165377953249792e-15,  -1.1641417145557248e-14, 1.2542065550840192e-13, -1.5586041410034066e-12,
    2.2104577611001127e-11, -3.6747282751719404e-10, 7.448308653966066e-09,  -1.9574355932638059e-07,
    7.446724319698052e-06,  -0.00052865188140993,    0.2815584895850063,
};

// x^(1/4) e^(-zeta) Bi(x) on x >= 9, powers of t = 36/zeta - 1, highest first.
constexpr std::array<double, 13> airy_bi2 = {
    4.50165999254528e-15,   1.562320183745024e-14,  5.262407125599181e-14,  2.9781489885661877e-13,
    1.9757762097562566e-12, 1.5367894411074272e-11, 1.4540993353745522e-10, 1.7154732697238008e-09,
    2.6189861712914707e-08, 5.49497993491833e-07,   1.7671980436510933e-05, 0.001122121099358741,
    0.5652945575585221,
};

// -x^(-1/4) e^zeta Ai'(x) on x >= 9, powers of t = 36/zeta - 1, highest first.
constexpr std::array<double, 11> airy_ad2 = {
    -1.209546389246976e-15,  1.212812185390208e-14,  -1.3130372372496423e-13, 1.6415278175453368e-12,
    -2.3467218502570946e-11, 3.9450732912211933e-10, -8.131250054209103e-09,  2.1973636593235654e-07,
    -8.839935152272579e-06,  0.0007434563399720802,  0.2828473163363792,
};

// x^(-1/4) e^(-zeta) Bi'(x) on x >= 9, powers of t = 36/zeta - 1, highest first.
constexpr std::array<double, 13> airy_bd2 = {
    -4.591704370294784e-15,  -1.5984096051212288e-14, -5.412588633407846e-14,  -3.0741458950726117e-13,
    -2.0486661677052265e-12, -1.6032141591569088e-11, -1.529220738614883e-10,  -1.8244563948869533e-09,
    -2.832508905888065e-08,  -6.111303776390126e-07,  -2.0784214796367856e-05, -0.0015635001766385825,
    0.562646283094843,
};

constexpr double ai_at_zero = 0.3550280538878172;          // Ai(0)
constexpr double minus_ad_at_zero = 0.2588194037928068;    // -Ai'(0)
constexpr double sqrt3 = 1.7320508075688772;               // Bi = sqrt3 (Ai(0) f + (-Ai'(0)) g) near 0
constexpr double zero_limit = 2.2e-16;                     // |x| up to this gives the value at zero
constexpr double oscillatory_limit = -5.0;                 // x below this takes the oscillatory form
constexpr double series_limit = 1.0;                       // the Maclaurin series on 0 < x < 1, pieces above
constexpr double positive_split = 4.5;                     // x/4.5 below 2: the pieces; from 2 on: the exponential form
constexpr double ai_bi_negative_limit = -5.6e10;           // Ai, Bi: x below this fails (2)
constexpr double derivative_negative_limit = -1.8e9;       // Ai', Bi': x below this fails (2)
constexpr double ai_positive_limit = 103.8;                // Ai: x above this underflows (1)
constexpr double positive_limit = 104.1;                   // Bi, Ai', Bi': x above this fails (1)

// zeta = (2/3) a^(3/2) for a > 0, carried as two doubles: its rounding would
// enter the phase of the oscillatory form and the exponent of the exponential
// form, costing up to zeta eps/2 (hundreds of eps beyond x = 50).
TwoDoubles airy_zeta(double a) {
    constexpr double two_thirds = 0.6666666666666666;
    constexpr double two_thirds_low = 3.700743415417188e-17;  // 2/3 - two_thirds
    const double s = std::sqrt(a);
    const TwoDoubles square = exact_product(s, s);
    const double s_low = ((a - square.hi) - square.lo) / (2.0 * s);  // sqrt(a) - s
    const TwoDoubles p = exact_product(a, s);
    const TwoDoubles z = exact_product(p.hi, two_thirds);
    return {z.hi, z.lo + p.hi * two_thirds_low + (p.lo + a * s_low) * two_thirds};
}

// The quantities of the oscillatory form, x < -5, with zeta = hi + lo: the sum
// and difference of sin hi and cos hi, exact in two doubles, and sin, cos of lo.
struct Oscillatory {
    double zeta;       // (2/3)(-x)^(3/2), rounded
    TwoDoubles plus;   // sin hi + cos hi
    TwoDoubles minus;  // sin hi - cos hi
    double sin_lo;
    double cos_lo;
    double t;          // -250/x^3 - 1, in (-1, 1)
};

// Below this |lo|, sin lo = lo and cos lo = 1 - lo^2/2 to far below an ulp.
constexpr double tiny_phase = 0x1p-20;

Oscillatory oscillatory(double x) {
    const TwoDoubles zeta = airy_zeta(-x);
    const double s = std::sin(zeta.hi), c = std::cos(zeta.hi), lo = zeta.lo;
    const bool tiny = std::fabs(lo) < tiny_phase;
    return {zeta.hi, exact_sum(s, c), exact_sum(s, -c), tiny ? lo : std::sin(lo),
            tiny ? 1.0 - 0.5 * (lo * lo) : std::cos(lo), -250.0 / (x * x * x) - 1.0};
}

// The slowly varying factor of the oscillatory and exponential forms, a polynomial
// table in t whose constant term is the double `high` plus `low`: high, and the
// rest of the value.
struct Amplitude {
    double high;
    double rest;
};

Amplitude amplitude(std::span<const double> table, double low, double t) {
    return {table.back(), low + t * horner_descending(table.first(table.size() - 1), t)};
}

// F(hi) cos lo + F'(hi) sin lo, F = a u + b w at hi, with the large product of
// the constant high part of a and u exact, so that F is rounded about once.
double phase_sum(const Oscillatory& o, Amplitude a, double b, TwoDoubles u, TwoDoubles w, double derivative) {
    const TwoDoubles m = exact_product(a.high, u.hi);
    return m.hi * o.cos_lo + ((m.lo + a.high * u.lo + a.rest * u.hi + b * w.hi) * o.cos_lo + o.sin_lo * derivative);
}

// With theta = pi/4 + zeta, sqrt2 (a sin theta - b cos theta) = a (sin zeta + cos zeta) +
// b (sin zeta - cos zeta), and sqrt2 (a cos theta + b sin theta) = a (cos zeta - sin zeta) +
// b (cos zeta + sin zeta); each is the derivative in zeta of the other with its sign changed
// for the first.
double sqrt2_sin_form(const Oscillatory& o, Amplitude a, double b) {
    return phase_sum(o, a, b, o.plus, o.minus, b * o.plus.hi - (a.high + a.rest) * o.minus.hi);
}

double sqrt2_cos_form(const Oscillatory& o, Amplitude a, double b) {
    return phase_sum(o, a, b, dd_neg(o.minus), o.plus, -((a.high + a.rest) * o.plus.hi + b * o.minus.hi));
}

// q = y^(1/4) rounded, for y > 0, and its relative error (y^(1/4) - q)/q =
// (y - q^4)/(4y) to first order, with q^4 formed to well below an ulp.
struct FourthRoot {
    double q;
    double error;
};

FourthRoot fourth_root(double y) {
    const double q = std::sqrt(std::sqrt(y));
    const TwoDoubles q2 = exact_product(q, q);
    const TwoDoubles q4 = exact_product(q2.hi, q2.hi);
    return {q, (((y - q4.hi) - q4.lo) - 2.0 * q2.hi * q2.lo) / (4.0 * y)};
}

// v / (sqrt2 (-x)^(1/4)) and v (-x)^(1/4) / sqrt2, the scalings of -x by 4 and 1/4 exact.
double over_sqrt2_q(double v, double x) {
    const FourthRoot r = fourth_root(-4.0 * x);
    const double w = v / r.q;
    return w - w * r.error;
}

double times_q_over_sqrt2(double v, double x) {
    const FourthRoot r = fourth_root(-0.25 * x);
    const double w = v * r.q;
    return w + w * r.error;
}

// The Maclaurin series for 0 < x < 1: x^2 exact, z = x^3, and the two tails
// of the series tables sf, sg (each series less its constant term, over z).
struct Series {
    TwoDoubles x2;
    double z;
    double f;
    double g;
};

Series series(double x, std::span<const double> sf, std::span<const double> sg) {
    const TwoDoubles x2 = exact_product(x, x);
    const double z = x2.hi * x + x2.lo * x;
    return {x2, z, horner_descending(sf, z), horner_descending(sg, z)};
}

constexpr TwoDoubles series_c1 = {airy_series_leading[0], airy_series_leading[1]};      // Ai(0)
constexpr TwoDoubles series_c2 = {airy_series_leading[2], airy_series_leading[3]};      // -Ai'(0)
constexpr TwoDoubles series_s3c1 = {airy_series_leading[4], airy_series_leading[5]};    // sqrt3 Ai(0)
constexpr TwoDoubles series_s3c2 = {airy_series_leading[6], airy_series_leading[7]};    // sqrt3 (-Ai'(0))

TwoDoubles half(TwoDoubles a) { return {0.5 * a.hi, 0.5 * a.lo}; }

// c0 + c v + tail, with c0, c and v in two doubles: the leading terms, which
// cancel in Ai and Ai', summed exactly, so that only the smaller tail and the
// final sum are rounded.
double leading_plus_tail(TwoDoubles c0, TwoDoubles c, TwoDoubles v, double tail) {
    const TwoDoubles p = exact_product(c.hi, v.hi);
    const TwoDoubles s = exact_sum(c0.hi, p.hi);
    return s.hi + (tail + (s.lo + c0.lo + (p.lo + (c.lo * v.hi + c.hi * v.lo))));
}

// The four functions from the Maclaurin series: c0 + c x (Ai, Bi) or c0 + c x^2 (Ai', Bi') + tail.
double ai_series(double x) {
    const Series s = series(x, airy_series_f, airy_series_g);
    return leading_plus_tail(series_c1, dd_neg(series_c2), {x, 0.0}, s.z * (s.f - x * s.g));
}

double bi_series(double x) {
    const Series s = series(x, airy_series_f, airy_series_g);
    return leading_plus_tail(series_s3c1, series_s3c2, {x, 0.0}, sqrt3 * (s.z * (s.f + x * s.g)));
}

double ad_series(double x) {
    const Series s = series(x, airy_series_fd, airy_series_gd);
    return leading_plus_tail(dd_neg(series_c2), half(series_c1), s.x2, s.z * (s.x2.hi * s.f - s.g));
}

double bd_series(double x) {
    const Series s = series(x, airy_series_fd, airy_series_gd);
    return leading_plus_tail(series_s3c2, half(series_s3c1), s.x2, sqrt3 * (s.z * (s.x2.hi * s.f + s.g)));
}

// The interval of x > 0: 0 for x < 4.5, 1 for 4.5 <= x < 9, 2 and above for x >= 9.
int positive_interval(double x) { return static_cast<int>(x / positive_split); }

// e^v g for g in two doubles, rounded once besides the exponential: e^v.hi is
// multiplied by `scale`, a power of 2 that keeps its split within range, and the
// result by `unscale`, its inverse, both exact.
double exp_times_two_doubles(TwoDoubles v, TwoDoubles g, double scale, double unscale) {
    const double e = std::exp(v.hi) * scale;
    const TwoDoubles m = exact_product(e, g.hi);
    return (m.hi + (m.lo + e * g.lo + m.hi * v.lo)) * unscale;
}

// A table's value, its constant term `high` plus the rest, in two doubles.
TwoDoubles value(Amplitude a) { return exact_sum(a.high, a.rest); }

// The quantities of the exponential form, x >= 9.
struct Exponential {
    TwoDoubles zeta;  // (2/3) x^(3/2)
    FourthRoot q;     // x^(1/4)
    double t;         // 36/zeta - 1, in (-1, 1]
};

Exponential exponential(double x) {
    const TwoDoubles zeta = airy_zeta(x);
    return {zeta, fourth_root(x), 36.0 / zeta.hi - 1.0};
}

// a / x^(1/4) and a x^(1/4) in two doubles.
TwoDoubles over_q(Amplitude a, FourthRoot q) {
    const TwoDoubles v = value(a);
    const double g = v.hi / q.q;
    const TwoDoubles r = exact_product(g, q.q);
    return {g, (((v.hi - r.hi) - r.lo) + v.lo) / q.q - g * q.error};
}

TwoDoubles times_q(Amplitude a, FourthRoot q) {
    const TwoDoubles v = value(a);
    const TwoDoubles p = exact_product(v.hi, q.q);
    return {p.hi, p.lo + (v.lo * q.q + p.hi * q.error)};
}

// e^(-zeta) g and e^zeta g: the exponential, which reaches 1e-308 and 1e307,
// scaled by 2^64 and 2^-64 while the product is formed.
constexpr double up = 0x1p64;
constexpr double down = 0x1p-64;

double decaying(const Exponential& e, TwoDoubles g) { return exp_times_two_doubles(dd_neg(e.zeta), g, up, down); }
double growing(const Exponential& e, TwoDoubles g) { return exp_times_two_doubles(e.zeta, g, down, up); }

}  // namespace

double airyai(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (std::fabs(x) <= zero_limit) {
        ifail = 0;
        return ai_at_zero;
    }
    if (x <= 0.0) {
        if (x < ai_bi_negative_limit) {
            ifail = fail_exit(ifail, 2, "AIRYAI");
            return 0.0;
        }
        ifail = 0;
        if (x < oscillatory_limit) {
            const Oscillatory o = oscillatory(x);
            const double b = horner_descending(airy_aq, o.t) / o.zeta;
            return over_sqrt2_q(sqrt2_sin_form(o, amplitude(airy_ap, airy_ap_low, o.t), b), x);
        }
        return quarter_piece(airy_ai_centres, airy_ai_pieces, oscillatory_limit, x);
    }
    if (x > ai_positive_limit) {
        ifail = fail_exit(ifail, 1, "AIRYAI");
        return 0.0;
    }
    ifail = 0;
    if (x < series_limit) return ai_series(x);
    const int n = positive_interval(x);
    if (n < 2) return quarter_piece(airy_ai_positive_centres, airy_ai_positive_pieces, series_limit, x);
    const Exponential e = exponential(x);
    return decaying(e, over_q(amplitude(airy_ai2, airy_ai2_low, e.t), e.q));
}

double airybi(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (std::fabs(x) <= zero_limit) {
        ifail = 0;
        return sqrt3 * ai_at_zero;
    }
    if (x <= 0.0) {
        if (x < ai_bi_negative_limit) {
            ifail = fail_exit(ifail, 2, "AIRYBI");
            return 0.0;
        }
        ifail = 0;
        if (x < oscillatory_limit) {
            const Oscillatory o = oscillatory(x);
            const double b = horner_descending(airy_aq, o.t) / o.zeta;
            return over_sqrt2_q(sqrt2_cos_form(o, amplitude(airy_ap, airy_ap_low, o.t), b), x);
        }
        return quarter_piece(airy_bi_centres, airy_bi_pieces, oscillatory_limit, x);
    }
    if (x > positive_limit) {
        ifail = fail_exit(ifail, 1, "AIRYBI");
        return 0.0;
    }
    ifail = 0;
    if (x < series_limit) return bi_series(x);
    const int n = positive_interval(x);
    if (n < 2) return quarter_piece(airy_bi_positive_centres, airy_bi_positive_pieces, series_limit, x);
    const Exponential e = exponential(x);
    return growing(e, over_q(amplitude(airy_bi2, airy_bi2_low, e.t), e.q));
}

double airyad(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (std::fabs(x) <= zero_limit) {
        ifail = 0;
        return -minus_ad_at_zero;
    }
    if (x <= 0.0) {
        if (x < derivative_negative_limit) {
            ifail = fail_exit(ifail, 2, "AIRYAD");
            return 0.0;
        }
        ifail = 0;
        if (x < oscillatory_limit) {
            const Oscillatory o = oscillatory(x);
            const double b = horner_descending(airy_dq, o.t) / o.zeta;
            return -times_q_over_sqrt2(sqrt2_cos_form(o, amplitude(airy_dp, airy_dp_low, o.t), b), x);
        }
        return quarter_piece(airy_ad_centres, airy_ad_pieces, oscillatory_limit, x);
    }
    if (x > positive_limit) {
        ifail = fail_exit(ifail, 1, "AIRYAD");
        return 0.0;
    }
    ifail = 0;
    if (x < series_limit) return ad_series(x);
    const int n = positive_interval(x);
    if (n < 2) return quarter_piece(airy_ad_positive_centres, airy_ad_positive_pieces, series_limit, x);
    const Exponential e = exponential(x);
    return -decaying(e, times_q(amplitude(airy_ad2, airy_ad2_low, e.t), e.q));
}

double airybd(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (std::fabs(x) <= zero_limit) {
        ifail = 0;
        return sqrt3 * minus_ad_at_zero;
    }
    if (x <= 0.0) {
        if (x < derivative_negative_limit) {
            ifail = fail_exit(ifail, 2, "AIRYBD");
            return 0.0;
        }
        ifail = 0;
        if (x < oscillatory_limit) {
            const Oscillatory o = oscillatory(x);
            const double b = horner_descending(airy_dq, o.t) / o.zeta;
            return times_q_over_sqrt2(sqrt2_sin_form(o, amplitude(airy_dp, airy_dp_low, o.t), b), x);
        }
        return quarter_piece(airy_bd_centres, airy_bd_pieces, oscillatory_limit, x);
    }
    if (x > positive_limit) {
        ifail = fail_exit(ifail, 1, "AIRYBD");
        return 0.0;
    }
    ifail = 0;
    if (x < series_limit) return bd_series(x);
    const int n = positive_interval(x);
    if (n < 2) return quarter_piece(airy_bd_positive_centres, airy_bd_positive_pieces, series_limit, x);
    const Exponential e = exponential(x);
    return growing(e, times_q(amplitude(airy_bd2, airy_bd2_low, e.t), e.q));
}

}  // namespace qelms
