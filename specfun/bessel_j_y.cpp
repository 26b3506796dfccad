// Bessel functions J0, J1, Y0, Y1 of real argument.
#include <cmath>
#include <span>

#include "../support/failure.hpp"
#include "bessel_j_y_tables.hpp"
#include "polynomial.hpp"

namespace qelms {
namespace {

using bessel_j_y::cj0;
using bessel_j_y::cj1;
using bessel_j_y::cy0;
using bessel_j_y::cy1;
using bessel_j_y::p0;
using bessel_j_y::p1;
using bessel_j_y::q0;
using bessel_j_y::q1;

constexpr double two_over_pi = 0.6366197723675814;
constexpr double euler_gamma = 0.5772156649015329;
constexpr double sqrt_half = 0.7071067811865476;
constexpr double hankel_limit = 8.0;                    // above this the Hankel form is used
constexpr double argument_limit = 1e16;                 // above this the phase is meaningless
constexpr double small_limit = 3.2e-9;                  // J0, J1, Y0 take their leading term up to here
constexpr double y1_small_limit = 7.9e-10;              // Y1 = -(2/pi)/x up to here
constexpr double y1_pole_limit = 2.23e-308;             // up to here Y1 is refused, too near the pole
constexpr double halving_limit = 4.450147717014403e-308;  // 2^-1021: below it x*0.5 is subnormal and rounds
constexpr double ln_2 = 0.6931471805599453;

// The parts of the Hankel form at a > 8: the amplitude sqrt(2/(pi a)), cos and
// sin of the phase a - pi/4 (order 0) or a - 3 pi/4 (order 1), and the factors
// P and (a/8) Q at t = 128/a^2 - 1. The phase is expanded into cos a and sin a,
// whose argument reduction is exact: forming a - pi/4 in double would cost up
// to half an ulp of a, a whole radian near 1e16.
struct HankelParts {
    double amplitude;
    double cos_phase;
    double sin_phase;
    double p;
    double q;
};

HankelParts hankel_parts(double a, int order, std::span<const double> p, std::span<const double> q) {
    const double c = std::cos(a), s = std::sin(a);
    const double t = 128.0 / (a * a) - 1.0;
    const double cos_phase = order == 0 ? (c + s) * sqrt_half : (s - c) * sqrt_half;
    const double sin_phase = order == 0 ? (s - c) * sqrt_half : -(s + c) * sqrt_half;
    return {std::sqrt(two_over_pi / a), cos_phase, sin_phase, horner_descending(p, t), horner_descending(q, t)};
}

// The variable of the Chebyshev tables on 0 <= a <= 8.
double chebyshev_variable(double a) { return a * a * 0.03125 - 1.0; }

}  // namespace

double beslj0(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    const double a = std::fabs(x);
    if (a > argument_limit) {
        ifail = fail_exit(ifail, 1, "BESLJ0");
        return std::sqrt(two_over_pi / a);
    }
    ifail = 0;
    if (a > hankel_limit) {
        const HankelParts h = hankel_parts(a, 0, p0, q0);
        return h.amplitude * h.cos_phase * h.p - 8.0 / a * h.amplitude * h.sin_phase * h.q;
    }
    if (a <= small_limit) return 1.0;
    return chebyshev_descending(cj0, chebyshev_variable(a));
}

double beslj1(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    const double a = std::fabs(x);
    if (a > argument_limit) {
        ifail = fail_exit(ifail, 1, "BESLJ1");
        return std::sqrt(two_over_pi / a);
    }
    ifail = 0;
    if (a > hankel_limit) {
        const HankelParts h = hankel_parts(a, 1, p1, q1);
        const double amplitude = std::copysign(h.amplitude, x);  // J1 is odd
        return amplitude * h.cos_phase * h.p - 8.0 / a * amplitude * h.sin_phase * h.q;
    }
    if (a <= small_limit) return x * 4.0 * 0.125;
    return x * chebyshev_descending(cj1, chebyshev_variable(a)) * 0.125;
}

double besly0(double x, int& ifail) {
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
    if (x > hankel_limit) {
        const HankelParts h = hankel_parts(x, 0, p0, q0);
        return h.amplitude * h.sin_phase * h.p + 8.0 / x * h.amplitude * h.cos_phase * h.q;
    }
    if (x <= small_limit) {
        // Halving a subnormal x rounds (the least double halves to 0): take ln 2 out instead.
        const double log_half_x = x < halving_limit ? std::log(x) - ln_2 : std::log(x * 0.5);
        return two_over_pi * (log_half_x + euler_gamma);
    }
    const double t = chebyshev_variable(x);
    return two_over_pi * std::log(x) * chebyshev_descending(cj0, t) + chebyshev_descending(cy0, t);
}

double besly1(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x > hankel_limit) {
        if (x > argument_limit) {
            ifail = fail_exit(ifail, 1, "BESLY1");
            return std::sqrt(two_over_pi / x);
        }
        ifail = 0;
        const HankelParts h = hankel_parts(x, 1, p1, q1);
        return h.amplitude * h.sin_phase * h.p + 8.0 / x * h.amplitude * h.cos_phase * h.q;
    }
    if (x > y1_small_limit) {
        ifail = 0;
        const double t = chebyshev_variable(x);
        return (two_over_pi * std::log(x) * chebyshev_descending(cj1, t) + chebyshev_descending(cy1, t)) * x *
                   0.125 -
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
