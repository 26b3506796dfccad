// Kelvin functions ber, bei, ker, kei of order 0 for real argument.
//
// Large arguments use the asymptotic forms with amplitude corrections, y = x/sqrt2:
//   ber + i bei = (growing part g + i h, of size e^y) + (decaying part, of size e^-y),
//   the decaying part of ber being -kei/pi and that of bei ker/pi;
//   ker + i kei = N e^-y e^(-i b) (1 + k (KP - i KQ)),  b = y + pi/8,
//   N = sqrt(pi/(2x)), k = sqrt(2/pi)/x;
//   g + i h = M e^y e^(i b1) (1 + c1 (U1 - i U2)),  b1 = y - pi/8,
//   M = 1/sqrt(2 pi x), c1 = sqrt(2 pi)/x.
#include <array>
#include <cmath>

#include "../support/failure.hpp"
#include "exact_argument.hpp"
#include "kelvin_near_tables.hpp"
#include "kelvin_tables.hpp"
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
constexpr double square_underflow = 2.99e-154;  // at and below: x^2/4 is lost
constexpr double ker_kei_limit = 997.26;        // above: ker, kei underflow
constexpr double ker_kei_asymptotic = 3.0;      // above: asymptotic form of ker, kei
constexpr double ker_kei_series = 1.0;          // at and below: expansion in x^4
constexpr double kr_rate = -0.6875;             // KR is e^(0.6875 x) ker(x)
constexpr double ker_square_term = -0.375;      // coefficient of (x^2/4)^2 in ker near 0

// ber(x) on 0 <= x <= 1, Chebyshev in t = 2x^4 - 1.
constexpr std::array<double, 5> ca = {
    7.3326452616714e-17, -1.4716609624265534e-11, 8.47622202274614e-07, -0.007809109378739948, 0.992190042984341,
};
// 4 bei(x)/x^2 on 0 <= x <= 1, same variable.
constexpr std::array<double, 4> cb = {
    -3.0034370148468007e-13, 3.390661805857451e-08, -0.0008679199260798697, 0.9991320461667014,
};
// ker(x) + ln(x) ber(x) - (pi/4) bei(x) on 0 < x <= 1, same variable.
constexpr std::array<double, 5> ckr = {
    2.07791371180221e-16, -3.7761655310449776e-11, 1.8641133381120506e-06, -0.012617008172869846, 0.10331264333444241,
};
// (kei(x) + (pi/4) ber(x))/(x^2/4) + ln(x) CB on 0 < x <= 1, same variable.
constexpr std::array<double, 5> cki = {
    2.665929008442e-18, -8.135659022830498e-13, 8.135039907268153e-08, -0.001691744772498009, 1.1142396895347018,
};

// cos, sin, e^y and e^-y of y = x/sqrt(2) carried as two doubles. Rounding
// x/sqrt(2) to one double would put an error of up to x eps/2 into the phase
// and the exponent (some 300 eps near x = 1000).
struct ExactHalfRoot {
    double cos, sin;
    double e_plus, e_minus;
};

ExactHalfRoot exact_half_root(double x) {
    constexpr double rsqrt2_low = -4.833646656726457e-17;  // 1/sqrt(2) - rsqrt2
    const TwoDoubles p = exact_product(x, rsqrt2);
    const TwoDoubles y{p.hi, p.lo + x * rsqrt2_low};
    const CosSin cs = cos_sin_of(y);
    return {cs.cos, cs.sin, exp_of(y), exp_of({-y.hi, -y.lo})};
}

constexpr double cos_pi_8 = 0.9238795325112867;
constexpr double sin_pi_8 = 0.3826834323650898;

// The pieces of the asymptotic form of ber and bei at a, 5 < a < 49.5.
struct GrowingForm {
    double amplitude;               // M = 1/sqrt(2 pi a)
    double e_plus, e_minus;         // e^y, e^-y
    double cos1, sin1, cos2, sin2;  // of b1 = y - pi/8 and b2 = y + pi/8
    double c1, c2;                  // sqrt(2 pi)/a and sqrt(2/pi)/a
    double u1, u2, v1, v2;          // the correction polynomials at t = 10/a - 1
};

GrowingForm growing_form(double a) {
    const ExactHalfRoot y = exact_half_root(a);
    const double r = 1.0 / a;
    const double t = 10.0 * r - 1.0;
    GrowingForm f;
    f.amplitude = rsqrt2 / std::sqrt(a) * rsqrt_pi;
    f.e_plus = y.e_plus;
    f.e_minus = y.e_minus;
    f.cos1 = y.cos * cos_pi_8 + y.sin * sin_pi_8;
    f.sin1 = y.sin * cos_pi_8 - y.cos * sin_pi_8;
    f.cos2 = y.cos * cos_pi_8 - y.sin * sin_pi_8;
    f.sin2 = y.sin * cos_pi_8 + y.cos * sin_pi_8;
    f.c1 = (r / rsqrt2) / rsqrt_pi;
    f.c2 = (r / rsqrt2) * rsqrt_pi;
    f.u1 = horner_descending(kelvin::u1, t);
    f.u2 = horner_descending(kelvin::u2, t);
    f.v1 = horner_descending(kelvin::v1, t);
    f.v2 = horner_descending(kelvin::v2, t);
    return f;
}

// The pieces of the asymptotic form of ker and kei at x, 3 < x <= 997.26.
struct DecayingForm {
    double e_minus;       // e^-y
    double amplitude;     // N = sqrt(pi/(2x))
    double cos_b, sin_b;  // of b = y + pi/8
    double k;             // sqrt(2/pi)/x
    double p, q;          // KP and KQ at t = 6/x - 1
};

DecayingForm decaying_form(double x) {
    const ExactHalfRoot y = exact_half_root(x);
    const double t = 6.0 / x - 1.0;
    DecayingForm f;
    f.e_minus = y.e_minus;
    f.amplitude = std::sqrt(2.0 * pi_4 / x);
    f.cos_b = y.cos * cos_pi_8 - y.sin * sin_pi_8;
    f.sin_b = y.sin * cos_pi_8 + y.cos * sin_pi_8;
    f.k = sqrt_2_pi / x;
    f.p = horner_descending(kelvin::kp, t);
    f.q = horner_descending(kelvin::kq, t);
    return f;
}

// The variable t = 2 x^4 - 1 of the tables on 0 < x <= 1, and s = x^2/4.
struct SmallArgument {
    double t, s;
};

SmallArgument small_argument(double x) {
    const double x2 = x * x;
    return {2.0 * (x2 * x2) - 1.0, x2 / 4.0};
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
        return f.amplitude * (f.e_plus * (f.cos1 * (1.0 + f.c1 * f.u1) + f.sin1 * f.c1 * f.u2) +
                              f.e_minus * (f.sin2 * (1.0 + f.c2 * f.v1) + f.cos2 * f.c2 * f.v2));
    }
    if (a <= ber_tiny) return 1.0;
    if (a <= 2.0) return horner_descending(ber_near_0_2, a * a * (a * a) - 8.0);
    if (a <= 3.5) return horner_descending(ber_near_2_3, a - 2.75);
    return horner_descending(ber_near_3_5, a - 4.25);
}

double kelbei(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    const double a = std::fabs(x);
    if (a >= ber_bei_limit) {
        ifail = fail_exit(ifail, 1, "KELBEI");
        return 0.0;
    }
    ifail = 0;
    if (a > ber_bei_asymptotic) {
        const GrowingForm f = growing_form(a);
        return f.amplitude * (f.e_plus * (f.sin1 * (1.0 + f.c1 * f.u1) - f.cos1 * f.c1 * f.u2) +
                              f.e_minus * (f.cos2 * (1.0 + f.c2 * f.v1) - f.sin2 * f.c2 * f.v2));
    }
    if (a > 3.5) return ((a - bei_zero[0]) - bei_zero[1]) * horner_descending(bei_near_3_5, a - 4.25);
    if (a > 2.0) return horner_descending(bei_near_2_3, a - 2.75);
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
        return (f.cos_b * (1.0 + f.k * f.p) - f.sin_b * f.k * f.q) * f.e_minus * f.amplitude;
    }
    if (x > ker_kei_series) return std::exp(kr_rate * x) * horner_descending(kelvin::kr, x - 2.0);
    if (x > ber_tiny) {
        const SmallArgument v = small_argument(x);
        return chebyshev_descending(ckr, v.t) - std::log(x) * chebyshev_descending(ca, v.t) +
               v.s * chebyshev_descending(cb, v.t) * pi_4;
    }
    const double leading = ln2 - std::log(x) - euler;
    if (x > square_underflow) {
        const double s = x * x * 0.25;
        return (s * ker_square_term + pi_4) * s + leading;
    }
    return leading;
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
    if (x > ker_kei_asymptotic) {
        const DecayingForm f = decaying_form(x);
        return -(f.sin_b * (1.0 + f.k * f.p) + f.cos_b * f.k * f.q) * f.e_minus * f.amplitude;
    }
    if (x > ker_kei_series) return std::exp(x * -9.0 / 8.0) * horner_descending(kelvin::ki, x - 2.0);
    if (x > ber_tiny) {
        const SmallArgument v = small_argument(x);
        return (chebyshev_descending(cki, v.t) - std::log(x) * chebyshev_descending(cb, v.t)) * v.s -
               chebyshev_descending(ca, v.t) * pi_4;
    }
    if (x > square_underflow) {
        const double s = x * x * 0.25;
        return (ln2 - std::log(x) - euler + 1.0) * s - pi_4;
    }
    return -pi_4;
}

}  // namespace qelms
