// Kelvin functions ber, bei, ker, kei of order 0 for real argument.
//
// Large arguments use the asymptotic forms with amplitude corrections, y = x/sqrt2:
//   ber + i bei = (growing part g + i h, of size e^y) + (decaying part, of size e^-y),
//   the decaying part of ber being -kei/pi and that of bei ker/pi;
//   ker + i kei = N e^-y e^(-i b) (1 + k (KP - i KQ)),  b = y + pi/8,
//   N = sqrt(pi/(2x)), k = sqrt(2/pi)/x;
//   g + i h = M e^y e^(i b1) (1 + c1 (U1 - i U2)),  b1 = y - pi/8,
//   M = 1/sqrt(2 pi x), c1 = sqrt(2 pi)/x.
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "../support/failure.hpp"
#include "exact_argument.hpp"
#include "exp_two_doubles.hpp"
#include "kelvin_near_tables.hpp"
#include "kelvin_tables.hpp"
#include "log_two_doubles.hpp"
#include "polynomial.hpp"

namespace qelms {
namespace {

constexpr double rsqrt2 = 0.7071067811865476;     // 1/sqrt(2)
constexpr double pi_4 = 0.7853981633974483;       // pi/4
constexpr double rsqrt_pi = 0.5641895835477563;   // 1/sqrt(pi)
constexpr double sqrt_2_pi = 0.7978845608028654;  // sqrt(2/pi)
constexpr double ln2 = 0.6931471805599453;        // ln 2
constexpr double euler = 0.5772156649015329;      // Euler's constant

constexpr double ber_bei_limit = 49.5;          // |x| from here on is refused
constexpr double ber_bei_asymptotic = 5.0;      // above: asymptotic form of ber, bei
constexpr double ber_tiny = 0.000343;           // at and below: ber = 1, ker and kei by their leading terms
constexpr double bei_tiny = 0.000596;           // at and below: bei = x^2/4
constexpr double bei_quotient_start = 3.5;      // bei on (3.5, 5.5] from pieces of bei(x)/(x - z), z its zero 5.026
constexpr double bei_quotient_end = 5.5;
constexpr double kei_quotient_end = 4.5;        // kei on (3, 4.5] from pieces of kei(x)/(x - z), z its zero 3.915
constexpr double square_underflow = 2.99e-154;  // at and below: x^2/4 is lost
constexpr double ker_kei_limit = 997.26;        // above: ker, kei underflow
constexpr double ker_kei_asymptotic = 3.0;      // above: asymptotic form of ker, kei
constexpr double ker_kei_series = 1.0;          // at and below: expansion in x^4
constexpr double ker_square_term = -0.375;      // coefficient of (x^2/4)^2 in ker near 0

// y = x/sqrt(2) carried as two doubles. Rounding x/sqrt(2) to one double would
// put an error of up to x eps/2 into the phase and the exponent (some 300 eps
// near x = 1000).
TwoDoubles half_root(double x) {
    constexpr double rsqrt2_low = -4.833646656726457e-17;  // 1/sqrt(2) - rsqrt2
    const TwoDoubles p = exact_product(x, rsqrt2);
    return {p.hi, p.lo + x * rsqrt2_low};
}

// pi/8 in two doubles.
constexpr TwoDoubles pi_8 = {0.39269908169872414, 1.5308084989341915e-17};

// y + offset as two doubles, the high part exact.
TwoDoubles shifted(TwoDoubles y, TwoDoubles offset) {
    const TwoDoubles s = exact_sum(y.hi, offset.hi);
    return {s.hi, s.lo + (y.lo + offset.lo)};
}

// sqrt(c/x) in two doubles, c given in two doubles.
TwoDoubles sqrt_of_ratio(TwoDoubles c, double x) {
    const TwoDoubles q = dd_div(c, {x, 0.0});
    const double s = std::sqrt(q.hi);
    const TwoDoubles p = exact_product(s, s);
    return {s, (((q.hi - p.hi) - p.lo) + q.lo) / (2.0 * s)};
}

// (hi + lo) 2^exponent, |lo| no larger than about an ulp of hi.
struct Amplitude {
    double hi, lo;
    int exponent;
};

// amplitude e^y, y in two doubles, times the two-double factor f.
Amplitude scaled_amplitude(TwoDoubles y, TwoDoubles f) {
    const ScaledExp e = exp_scaled(y.hi);
    const double e_lo = e.lo + (e.hi + e.lo) * y.lo;
    const TwoDoubles p = exact_product(e.hi, f.hi);
    const TwoDoubles v = quick_two_sum(p.hi, p.lo + (e.hi * f.lo + e_lo * f.hi));
    return {v.hi, v.lo, e.exponent};
}

// e^(i phi) (1 + p - i q) with phi = hi + lo, split into the large term
// (cos hi or sin hi) and the small rest; lo is at most an ulp of a phase below
// 710, so cos and sin of hi + lo are cos hi - lo sin hi and sin hi + lo cos hi.
struct Rotated {
    double re_main, re_rest;
    double im_main, im_rest;
    double cos, sin;  // of phi, rounded
};

Rotated rotated(TwoDoubles phi, double p, double q) {
    const double c = std::cos(phi.hi), s = std::sin(phi.hi);
    const double cos_phi = c - s * phi.lo, sin_phi = s + c * phi.lo;
    return {c, -s * phi.lo + (cos_phi * p + sin_phi * q), s, c * phi.lo + (sin_phi * p - cos_phi * q), cos_phi,
            sin_phi};
}

// (a.hi + a.lo) (main + rest) + extra, rounded once.
double combined(const Amplitude& a, double main, double rest, double extra) {
    const TwoDoubles p = exact_product(a.hi, main);
    return p.hi + (p.lo + (a.hi * rest + a.lo * main + extra));
}

// The asymptotic form of ber + i bei at a, 5 < a < 49.5: the growing part
// M e^y e^(i b1) (1 + c1 (U1 - i U2)) with M = 1/sqrt(2 pi a) and e^y carried in
// two doubles, plus the decaying part, some e^(-2y) < 1e-3 of it.
struct GrowingForm {
    Amplitude amplitude;  // M e^y, its power of two applied
    Rotated growing;      // e^(i b1) (1 + c1 (U1 - i U2))
    double ber_decaying, bei_decaying;
};

GrowingForm growing_form(double a) {
    constexpr TwoDoubles inv_2pi = {0.15915494309189535, -9.839338337591243e-18};  // 1/(2 pi)
    const TwoDoubles y = half_root(a);
    const double r = 1.0 / a;
    const double t = 10.0 * r - 1.0;
    const double c1 = (r / rsqrt2) / rsqrt_pi;
    const double c2 = (r / rsqrt2) * rsqrt_pi;
    GrowingForm f;
    f.amplitude = scaled_amplitude(y, sqrt_of_ratio(inv_2pi, a));
    const double scale = power_of_two(f.amplitude.exponent);
    f.amplitude.hi *= scale;
    f.amplitude.lo *= scale;
    f.growing = rotated(shifted(y, dd_neg(pi_8)), c1 * horner_descending_quad(kelvin::u1, t),
                        c1 * horner_descending_quad(kelvin::u2, t));
    // b2 = b1 + pi/4
    const double cos2 = (f.growing.cos - f.growing.sin) * rsqrt2;
    const double sin2 = (f.growing.sin + f.growing.cos) * rsqrt2;
    const double v1 = 1.0 + c2 * horner_descending_quad(kelvin::v1, t);
    const double v2 = c2 * horner_descending_quad(kelvin::v2, t);
    // M e^-y = 1/(2 pi a M e^y)
    const double decaying = 1.0 / (f.amplitude.hi * (2.0 * pi_4) * 4.0 * a);
    f.ber_decaying = decaying * (sin2 * v1 + cos2 * v2);
    f.bei_decaying = decaying * (cos2 * v1 - sin2 * v2);
    return f;
}

// The asymptotic form of ker + i kei at x, 3 < x <= 997.26:
// N e^-y e^(-i b) (1 + k (KP - i KQ)), N = sqrt(pi/(2x)) and e^-y in two doubles.
struct DecayingForm {
    Amplitude amplitude;  // N e^-y, less its power of two
    Rotated rotated;      // e^(-i b) (1 + k (KP - i KQ))
};

DecayingForm decaying_form(double x) {
    constexpr TwoDoubles pi_2 = {1.5707963267948966, 6.123233995736766e-17};  // pi/2
    const TwoDoubles y = half_root(x);
    const double t = 6.0 / x - 1.0;
    const double k = sqrt_2_pi / x;
    return {scaled_amplitude(dd_neg(y), sqrt_of_ratio(pi_2, x)),
            rotated(dd_neg(shifted(y, pi_8)), k * horner_descending_quad(kelvin::kp, t),
                    k * horner_descending_quad(kelvin::kq, t))};
}

// ker or kei from the parts of its asymptotic form.
double decaying_value(const DecayingForm& f, double main, double rest) {
    return combined(f.amplitude, main, rest, 0.0) * power_of_two(f.amplitude.exponent);
}

// The variable t = x^4 - 1/2 of the tables on 0 < x <= 1, and s = x^2/4 in two doubles.
struct SmallArgument {
    double t;
    TwoDoubles s;
};

SmallArgument small_argument(double x) {
    const TwoDoubles x2 = exact_product(x, x);
    return {(x2.hi * x2.hi - 0.5) + 2.0 * x2.hi * x2.lo, {x2.hi * 0.25, x2.lo * 0.25}};
}

// A table on 0 < x <= 1 at t, its constant term in two doubles (the last two
// entries), as two doubles.
TwoDoubles near_value(const std::array<double, 7>& c, double t) {
    return quick_two_sum(c[5], c[6] + t * horner_descending(std::span(c).first<5>(), t));
}

// f(a) round its zero z (in two doubles) as (a - z) times f(a)/(a - z), the latter
// from its piece of width 1/4 from `start` that holds a: rounded once, so that
// the error stays relative to f next to its zero.
template <std::size_t n, std::size_t m>
double near_zero(const std::array<double, n>& centres, const std::array<double, m>& pieces,
                 const std::array<double, 2>& zero, double start, double a) {
    constexpr std::size_t terms = m / n;
    const auto i = std::min(static_cast<std::size_t>((a - start) * 4.0), n - 1);
    const auto c = std::span(pieces).subspan(i * terms).template first<terms>();
    const double t = a - centres[i];
    const double rest = c[terms - 1] + t * horner_descending(c.template first<terms - 2>(), t);
    const double d = (a - zero[0]) - zero[1];
    const TwoDoubles p = exact_product(d, c[terms - 2]);
    return p.hi + (p.lo + d * rest);
}

}  // namespace

double kelber(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    const double a = std::fabs(x);
    if (a >= ber_bei_limit) {
        ifail = fail_exit(ifail, 1, "KELBER");
        return 0.0;
    }
    ifail = 0;
    if (a > ber_bei_asymptotic) {
        const GrowingForm f = growing_form(a);
        return combined(f.amplitude, f.growing.re_main, f.growing.re_rest, f.ber_decaying);
    }
    if (a <= ber_tiny) return 1.0;
    if (a <= 2.0) return horner_descending(ber_near_0_2, a * a * (a * a) - 8.0);
    return quarter_piece(ber_centres, ber_pieces, 2.0, a);
}

double kelbei(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    const double a = std::fabs(x);
    if (a >= ber_bei_limit) {
        ifail = fail_exit(ifail, 1, "KELBEI");
        return 0.0;
    }
    ifail = 0;
    if (a > bei_quotient_end) {
        const GrowingForm f = growing_form(a);
        return combined(f.amplitude, f.growing.im_main, f.growing.im_rest, f.bei_decaying);
    }
    if (a > bei_quotient_start) return near_zero(bei_quotient_centres, bei_quotient_pieces, bei_zero, bei_quotient_start, a);
    if (a > 2.0) return quarter_piece(bei_centres, bei_pieces, 2.0, a);
    if (a > bei_tiny) return a * a / 4.0 * horner_descending(bei_near_0_2, a * a * (a * a) - 8.0);
    if (a > square_underflow) return a * a / 4.0;
    return 0.0;
}

double kelker(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x > ker_kei_limit) {
        ifail = fail_exit(ifail, 1, "KELKER");
        return 0.0;
    }
    if (x <= 0.0) {
        ifail = fail_exit(ifail, 2, "KELKER");
        return 0.0;
    }
    ifail = 0;
    if (x > ker_kei_asymptotic) {
        const DecayingForm f = decaying_form(x);
        return decaying_value(f, f.rotated.re_main, f.rotated.re_rest);
    }
    if (x > ker_kei_series) return quarter_piece(ker_centres, ker_pieces, ker_kei_series, x);
    if (x > ber_tiny) {
        // ker = R - ln(x) A + s B, B here with the factor pi/4; the large parts summed exactly
        const SmallArgument v = small_argument(x);
        const TwoDoubles log = log_two_doubles(x);
        const TwoDoubles a = near_value(ker_a, v.t), b = near_value(ker_b, v.t), r = near_value(ker_r, v.t);
        const TwoDoubles log_a = exact_product(log.hi, a.hi);
        const TwoDoubles s_b = exact_product(v.s.hi, b.hi);
        const TwoDoubles e1 = exact_sum(r.hi, s_b.hi);
        const TwoDoubles e2 = exact_sum(e1.hi, -log_a.hi);
        const double low = (s_b.lo + v.s.hi * b.lo + v.s.lo * b.hi) - (log_a.lo + log.hi * a.lo + log.lo * a.hi);
        return e2.hi + (e2.lo + e1.lo + r.lo + low);
    }
    // ln 2 - ln x - gamma, with ln x and ln 2 - gamma in two doubles, rounded once
    constexpr TwoDoubles ln2_less_euler = {0.11593151565841245, 3.7780767526472776e-19};
    const TwoDoubles log = log_two_doubles(x);
    const TwoDoubles leading = exact_sum(ln2_less_euler.hi, -log.hi);
    const double leading_lo = leading.lo + (ln2_less_euler.lo - log.lo);
    if (x > square_underflow) {
        const double s = x * x * 0.25;
        // ker = v ber + (pi/4) bei - 0.375 s^2 + ..., v the leading part, ber = 1 - s^2/4 + ...
        return leading.hi + (leading_lo + (s * (ker_square_term - 0.25 * leading.hi) + pi_4) * s);
    }
    return leading.hi + leading_lo;
}

double kelkei(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x > ker_kei_limit) {
        ifail = fail_exit(ifail, 1, "KELKEI");
        return 0.0;
    }
    if (x < 0.0) {
        ifail = fail_exit(ifail, 2, "KELKEI");
        return 0.0;
    }
    ifail = 0;
    if (x > kei_quotient_end) {
        const DecayingForm f = decaying_form(x);
        return decaying_value(f, f.rotated.im_main, f.rotated.im_rest);
    }
    if (x > ker_kei_asymptotic) return near_zero(kei_quotient_centres, kei_quotient_pieces, kei_zero, ker_kei_asymptotic, x);
    if (x > ker_kei_series) return quarter_piece(kei_centres, kei_pieces, ker_kei_series, x);
    if (x > ber_tiny) {
        // kei = (K - ln(x) B) s - A, A here with the factor pi/4; the large parts summed
        // exactly. ln(x) s is below 0.05, so ln x needs no low part.
        const SmallArgument v = small_argument(x);
        const double log = std::log(x);
        const TwoDoubles a = near_value(kei_a, v.t), b = near_value(kei_b, v.t), k = near_value(kei_k, v.t);
        const TwoDoubles log_b = exact_product(log, b.hi);
        const TwoDoubles inner = exact_sum(k.hi, -log_b.hi);
        const double inner_lo = inner.lo + k.lo - (log_b.lo + log * b.lo);
        const TwoDoubles p = exact_product(inner.hi, v.s.hi);
        const TwoDoubles e = exact_sum(p.hi, -a.hi);
        return e.hi + (e.lo + (p.lo + inner.hi * v.s.lo + inner_lo * v.s.hi) - a.lo);
    }
    if (x > square_underflow) {
        const double s = x * x * 0.25;
        return (ln2 - std::log(x) - euler + 1.0) * s - pi_4;
    }
    return -pi_4;
}

}  // namespace qelms
