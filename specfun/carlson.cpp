// Carlson's symmetric elliptic integrals RC, RF, RD and RJ by the duplication
// method: each step replaces every argument v by (v + lambda)/4, which leaves
// the integral unchanged (RD and RJ collect a remainder term) and draws the
// arguments together until a short Taylor series about their mean is exact.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <type_traits>
#include <utility>

#include "../support/failure.hpp"
#include "../support/machine.hpp"
#include "carlson_series_tables.hpp"
#include "exact_argument.hpp"
#include "polynomial.hpp"

namespace qelms {
namespace {

// The duplication steps end once every argument lies within this relative
// distance of the mean; the series below then errs by under 0.02 eps (tools/gen_carlson_series.py).
constexpr double rf_tolerance = 0.05;
constexpr double rj_tolerance = 0.02;  // RJ and RD

// A bound on the duplication steps. Each step shrinks the spread of the
// arguments by a factor near 4, or takes its square root while it is large, so
// RF and RD converge in under 20 steps; in RJ a p far above x, y and z only
// falls by 4 per step, up to 1024 max(x, y, z) (beyond it RJ is transformed).
constexpr int duplication_limit = 500;

// RC and RF scale arguments below these limits up, and above them down.
constexpr double small_limit = 16.0 * mach_min_real();
constexpr double large_limit = mach_max_real() / 16.0;

// Small arguments of RC and RF are multiplied by 4^52 and the result by 2^52
// (RC and RF are homogeneous of degree -1/2). Being a power of 4 it gives the
// same results as the factor 16 wherever 16 suffices, and it also lifts
// subnormal arguments into the normal range.
constexpr double small_scale = 0x1p104;
constexpr double small_scale_root = 0x1p52;

// RD fails outside [LOLIM, UPLIM): LOLIM = 2 safe_min^e, UPLIM = (0.1 tol/safe_min)^e.
constexpr double rd_exponent = 0.66667;  // the stored decimal, not exactly 2/3
double rd_lower_limit() { return 2.0 * std::pow(mach_safe_min(), rd_exponent); }
constexpr double rd_limit_tolerance = 0.0012;  // the stored tolerance the upper limit is formed from
double rd_upper_limit() { return std::pow(0.1 * rd_limit_tolerance / mach_safe_min(), rd_exponent); }

// RJ fails outside [LOLIM, UPLIM]: LOLIM = safe_min^e, UPLIM = 0.396 (1/safe_min)^e.
constexpr double rj_exponent = 0.33333;  // the stored decimal, not exactly 1/3
constexpr double rj_upper_factor = 0.396;
double rj_lower_limit() { return std::pow(mach_safe_min(), rj_exponent); }
double rj_upper_limit() { return rj_upper_factor * std::pow(1.0 / mach_safe_min(), rj_exponent); }

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Below this ratio of arguments 2s(1 + s) ratio, s <= 1, cannot overflow.
constexpr double no_overflow_ratio = 0x1p1020;

// RJ(x, y, z, p) with p beyond this multiple of x, y and z is formed from RJ at
// a fourth argument near y (below).
constexpr double far_fourth_argument = 1024.0;

// The principal value of RJ is formed again in a wider type when the sum of
// its terms' magnitudes exceeds this multiple of the magnitude of their sum.
constexpr double principal_value_cancellation = 3.25;

// (1 + series)/sqrt(m), the last step of RF, rounded once: the root and the
// quotient in long double (where it is wider).
double over_root(double series, double m) {
    using Wide = long double;
    return static_cast<double>((Wide(1.0) + series) / std::sqrt(Wide(m)));
}

// sigma + sigma_error + 4^-N (1 + series) mean^(-3/2), the last term of RD and RJ,
// formed in long double (where it is wider) and rounded once: in doubles its
// root, product and quotient would add their roundings to the result's.
double with_remainder(double sigma, double sigma_error, double power4, double series, double mean) {
    using Wide = long double;
    const Wide m = mean;
    return static_cast<double>((Wide(sigma) + sigma_error) + power4 * (Wide(1.0) + series) / (m * std::sqrt(m)));
}

// Carlson's series for RF, less its leading 1, in E2 = XY - Z^2 and E3 = XYZ of
// the relative deviations X, Y, Z from the mean.
double rf_series(double e2, double e3) {
    const double in_e3 = horner_ascending(rf_series_e31, e2) +
                         e3 * (horner_ascending(rf_series_e32, e2) + e3 * horner_ascending(rf_series_e33, e2));
    return e2 * horner_ascending(rf_series_1, e2) + e3 * in_e3;
}

// Carlson's series for RJ, less its leading 1, in the elementary symmetric
// functions E2..E5 of the deviations X, Y, Z, P, P.
double rj_series(double e2, double e3, double e4, double e5) {
    const double in_e4 = e4 * (horner_ascending(rj_series_e41, e2) + e3 * horner_ascending(rj_series_e31_e41, e2) +
                               e4 * rj_series_e42[0] + e5 * rj_series_e41_e51[0]);
    const double in_e5 = e5 * (horner_ascending(rj_series_e51, e2) + e3 * rj_series_e31_e51[0]);
    const double in_e3 =
        horner_ascending(rj_series_e31, e2) + e3 * (horner_ascending(rj_series_e32, e2) + e3 * rj_series_e33[0]);
    return e2 * horner_ascending(rj_series_1, e2) + (e3 * in_e3 + (in_e4 + in_e5));
}

// ln(1 + w) for w >= 0: beyond w = 8 as ln of the rounded 1 + w, whose rounding
// then moves the logarithm (above ln 9) by under a quarter ulp, and log is faster than log1p.
template <class Real>
Real log_one_plus(Real w) {
    return w < 8.0 ? std::log1p(w) : std::log(1.0 + w);
}

constexpr double rc_below_one_range = 0.5;  // the tables rc_below_one, rc_above_one cover RC(1, 1 -+ v), 0 <= v <= 1/2
constexpr double rc_series_min = 0x1p-900;   // x from here: the square of 1/sqrt(x) and its parts are normal

// RC(1, w) for w = 1 + e > 0, given both e and w (each formed without
// cancellation): atan(sqrt e)/sqrt e for e > 0, atanh(t)/t with t = sqrt(-e) for
// e < 0, and for |e| < 1/64 the series sum (-e)^k/(2k + 1), below an ulp at k = 9.
// Near t = 1 atanh(t) is formed as ln(1 + 2t/(1 - t))/2 with 1 - t = w/(1 + t),
// without the cancellation in 1 - t.
template <class Real>
Real rc_near_one(Real e, Real w) {
    if (std::fabs(e) < 1.0 / 64.0) {  // 1 + e (-1/3 + e/5 - ...), the bracket's rounding far below an ulp
        constexpr std::array<double, 9> c = {-1.0 / 3.0, 1.0 / 5.0,  -1.0 / 7.0, 1.0 / 9.0, -1.0 / 11.0,
                                             1.0 / 13.0, -1.0 / 15.0, 1.0 / 17.0, -1.0 / 19.0};
        const double d = static_cast<double>(e);
        // e shrinks by 64 per duplication step: below 2^-12 four terms of the bracket suffice
        const double bracket =
            std::fabs(d) < 0x1p-12 ? horner_ascending(std::span(c).first(4), d) : horner_ascending(c, d);
        return 1.0 + e * Real(bracket);
    }
    const Real t = std::sqrt(std::fabs(e));
    if (e > 0.0) return std::atan(t) / t;
    if (t <= 0.5) return std::atanh(t) / t;
    return 0.5 * log_one_plus(2.0 * t * (1.0 + t) / w) / t;
}

// a + b as the rounded sum and its rounding error, for double or long double (Knuth).
template <class Real>
std::pair<Real, Real> sum_and_error(Real a, Real b) {
    const Real s = a + b;
    const Real bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// RJ(x, y, z, p), all positive but for at most one of x, y, z, by duplication:
//   RJ = 6 sum_m 4^-m RC(1, 1 + e_m)/d_m + 4^-N A_N^(-3/2) (1 + series),
//   d_m = (sqrt p + sqrt x)(sqrt p + sqrt y)(sqrt p + sqrt z), e_m = (p - x)(p - y)(p - z)/d_m^2,
//   1 + e_m = 2 sqrt(p) (p + lambda)/d_m
// at step m. With `rf`, RF(x, y, z) is formed from the same steps.
template <class Real>
Real rj_by_duplication(Real x, Real y, Real z, Real p, Real* rf = nullptr) {
    Real mean = (x + y + z + 2.0 * p) * 0.2;
    const Real xdev = mean - x;  // the deviations from the mean shrink by 4 each step
    const Real ydev = mean - y;
    const Real zdev = mean - z;
    const Real largest = std::max({std::fabs(xdev), std::fabs(ydev), std::fabs(zdev), std::fabs(mean - p)});
    const Real limit = largest / rj_tolerance;
    // the remainder terms the steps split off (their factor 6 4^-m exact), with
    // the rounding errors of their sum in sigma_error
    Real sigma = 0.0;
    Real sigma_error = 0.0;
    Real power4 = 1.0;
    for (int step = 0; limit * power4 >= mean && step < duplication_limit; ++step) {
        const Real sx = std::sqrt(x);
        const Real sy = std::sqrt(y);
        const Real sz = std::sqrt(z);
        const Real sp = std::sqrt(p);
        const Real lambda = sx * (sy + sz) + sy * sz;
        // RC(1, 1 + e)/d: at the first step, the largest term, d and e are formed in long
        // double (where it is wider), as their roundings would otherwise dominate RJ's error
        Real term;
        if (std::is_same_v<Real, double> && step == 0) {
            using W = long double;
            const W wx = std::sqrt(W(x)), wy = std::sqrt(W(y)), wz = std::sqrt(W(z)), wp = std::sqrt(W(p));
            const W inverse_d = 1.0 / ((wp + wx) * (wp + wy) * (wp + wz));
            const W e = (W(p) - x) * (W(p) - y) * (W(p) - z) * inverse_d * inverse_d;
            const W w = 2.0 * wp * (W(p) + (wx * (wy + wz) + wy * wz)) * inverse_d;
            term = static_cast<Real>(rc_near_one(static_cast<double>(e), static_cast<double>(w)) * inverse_d);
        } else {
            const Real inverse_d = 1.0 / ((sp + sx) * (sp + sy) * (sp + sz));
            const Real e = (p - x) * (p - y) * (p - z) * inverse_d * inverse_d;
            const Real w = 2.0 * sp * (p + lambda) * inverse_d;
            term = rc_near_one(e, w) * inverse_d;
        }
        const auto [sum, error] = sum_and_error(sigma, 6.0 * power4 * term);
        sigma = sum;
        sigma_error += error;
        power4 *= 0.25;
        mean = (mean + lambda) * 0.25;
        x = (x + lambda) * 0.25;
        y = (y + lambda) * 0.25;
        z = (z + lambda) * 0.25;
        p = (p + lambda) * 0.25;
    }
    if (rf != nullptr) {  // RF of the arguments now, which equals RF of those given
        const Real rf_mean = (x + y + z) / 3.0;
        const double dx = static_cast<double>((rf_mean - x) / rf_mean);
        const double dy = static_cast<double>((rf_mean - y) / rf_mean);
        const double dz = -(dx + dy);
        const Real series = rf_series(dx * dy - dz * dz, dx * dy * dz);
        if constexpr (std::is_same_v<Real, double>) {
            *rf = over_root(series, rf_mean);
        } else {
            *rf = (1.0 + series) / std::sqrt(rf_mean);
        }
    }
    const Real scale = power4 / mean;
    const double dx = static_cast<double>(xdev * scale);
    const double dy = static_cast<double>(ydev * scale);
    const double dz = static_cast<double>(zdev * scale);
    const double dp = -0.5 * (dx + dy + dz);
    const double xyz = dx * dy * dz;
    const double e2 = dx * (dy + dz) + dy * dz - 3.0 * dp * dp;
    const double e3 = xyz + 2.0 * e2 * dp + 4.0 * dp * dp * dp;
    const double e4 = (2.0 * xyz + e2 * dp + 3.0 * dp * dp * dp) * dp;
    const double e5 = xyz * dp * dp;
    const double series = rj_series(e2, e3, e4, e5);
    if constexpr (std::is_same_v<Real, double>) {
        return with_remainder(sigma, sigma_error, power4, series, mean);
    } else {
        return (sigma + sigma_error) + power4 * (1.0 + series) / (mean * std::sqrt(mean));
    }
}

// RC(x, y) = RC(1, 1 +- v)/sqrt(x) for |y - x| = v x <= x/2 (then y - x is exact) from
// the table of (RC(1, 1 +- v) - 1)/v, the root and quotient in long double (where it is
// wider): rounded once but for errors far below it, as v times the table is below a quarter.
template <std::size_t n>
double rc_series(double x, double v, const std::array<double, n>& table) {
    using Wide = long double;
    const double beyond_one = v * horner_descending_quad(table, v - 0.5 * rc_below_one_range);
    return static_cast<double>((Wide(1.0) + beyond_one) / std::sqrt(Wide(x)));
}

// RC(x, y) for x >= 0, y > 0 in closed form, d = |y - x|:
// atan(sqrt(d/x))/sqrt(d) for x < y, atanh(sqrt(d/x))/sqrt(d) for x > y. Neither
// overflows: d/x may be infinite, atan giving pi/2 there; near s = 1 atanh(s) is
// formed as ln(1 + 2s/(1 - s))/2 with 1 - s = (y/x)/(1 + s), without the
// cancellation in 1 - s.
double rc_closed_form(double x, double y) {
    if (x == y) return 1.0 / std::sqrt(x);
    if (x < y) {
        const double d = y - x;
        if (d <= rc_below_one_range * x && x >= rc_series_min) return rc_series(x, d / x, rc_above_one);
        return std::atan(std::sqrt(d / x)) / std::sqrt(d);
    }
    const double d = x - y;
    if (d <= rc_below_one_range * x && x >= rc_series_min) return rc_series(x, d / x, rc_below_one);
    const double s = std::sqrt(d / x);
    if (s <= 0.5) return std::atanh(s) / std::sqrt(d);
    const double ratio = x / y;
    if (ratio >= no_overflow_ratio) return (std::log1p(s) + 0.5 * (std::log(x) - std::log(y))) / std::sqrt(d);
    return 0.5 * log_one_plus(2.0 * s * (1.0 + s) * ratio) / std::sqrt(d);
}

// RJ(x, y, z, p) for x <= y <= z far below p, where the duplication steps would only
// divide p by 4 each until it met z: with the middle argument as pivot,
//   (p - y) RJ(x, y, z, p) = 3 RF(x, y, z) - 3 RC(xz/y, pq/y) + b RJ(x, y, z, q),
//   b = y - q = (z - y)(y - x)/(p - y) <= (y - x)/1024,
// and RJ(q) converges as fast as RF. RC is below RF/10 here, so little cancels.
double rj_far_fourth_argument(double x, double y, double z, double p) {
    const double b = (z - y) * (y - x) / (p - y);
    const double q = y - b;
    const double rc = rc_closed_form(x * (z / y), p * (q / y));
    double rf = 0.0;
    const double rjq = rj_by_duplication(x, y, z, q, &rf);
    return (3.0 * (rf - rc) + b * rjq) / (p - y);
}

// The principal value of RJ(x, y, z, r), x <= y <= z, r < 0, from RJ at a positive q.
// With the largest argument in the pivot's place,
//   (z - r) RJ(x, y, z, r) = -b RJ(x, y, z, q) - 3 RF(x, y, z) + 3 RC(xy/z, rq/z),
//   b = z - q = (z - x)(z - y)/(z - r),  q = (x(z - y) + z(y - r))/(z - r) > 0.
// The first two terms share a sign, so only the RC term can cancel them, and
// (as measured) by no more than the value's own sensitivity to its arguments;
// with the middle argument as pivot, b RJ(q) and 3 RF can agree to 0.5%.
// Returns the value and the sum of the terms' magnitudes over that of their sum.
template <class Real>
std::pair<Real, Real> rj_principal_value(Real x, Real y, Real z, Real r) {
    const Real a = 1.0 / (z - r);
    const Real b = (z - x) * (z - y) * a;
    const Real q = (x * (z - y) + z * (y - r)) * a;
    // RC(xy/z, rq/z) = atanh(s)/sqrt(c) in closed form, with c = (x - r)(y - r)/(z - r),
    // s^2 = xy/(zc) < 1 and 1 - s^2 = -rq/(zc): no difference of arguments is formed;
    // near s = 1, atanh(s) = ln(1 + 2s/(1 - s))/2 = ln(1 + 2s(1 + s)/(1 - s^2))/2
    const Real c = (x - r) * (y - r) * a;
    const Real s = std::sqrt(x / (x - r) * (y / (y - r)) / (z * a));
    const Real atanh_s = s <= 0.5 ? std::atanh(s) : 0.5 * log_one_plus(2.0 * s * (1.0 + s) * (z * c / (-r * q)));
    const Real rc_term = 3.0 * atanh_s / std::sqrt(c);
    Real rf = 0.0;
    const Real rj_term = -b * rj_by_duplication(x, y, z, q, &rf);
    const Real sum = rj_term - 3.0 * rf + rc_term;
    return {sum * a, (std::fabs(rj_term) + 3.0 * rf + rc_term) / std::fabs(sum)};
}

}  // namespace

double ellprc(double x, double y, int& ifail) {
    if (nan_argument(ifail, x, y)) return nan;
    if (x < 0.0) {
        ifail = fail_exit(ifail, 1, "ELLPRC", make_message("(1X,'** On entry, X is less than zero: X =',1P,D13.5)", {x}));
        return 0.0;
    }
    if (y == 0.0) {
        ifail = fail_exit(ifail, 2, "ELLPRC", make_message("(1X,'** On entry, Y is equal to zero')"));
        return 0.0;
    }
    ifail = 0;
    if (std::isinf(x) || std::isinf(y)) return 0.0;  // RC tends to 0 as either argument grows
    x += 0.0;  // -0 becomes +0
    if (y > 0.0) return rc_closed_form(x, y);

    // Cauchy principal value: RC(x, y) = atanh(s)/sqrt(u), u = x - y, s = sqrt(x/u) < 1.
    double half = 1.0;
    if (std::isinf(x - y)) {  // RC(x, y) = RC(x/4, y/4)/2
        x *= 0.25;
        y *= 0.25;
        half = 0.5;
    }
    const double u = x - y;
    const double ratio = x / u;
    if (ratio <= rc_below_one_range) {
        // atanh(s)/sqrt(u) = (sqrt(x)/u) RC(1, 1 - s^2), its terms beyond the first added
        // to sqrt(x)/u, whose rounding of u is removed to first order
        const TwoDoubles exact_u = exact_sum(x, -y);
        const double q = std::sqrt(x) / u;
        const double beyond_one = ratio * horner_descending(rc_below_one, ratio - 0.5 * rc_below_one_range);
        return half * (q + q * (beyond_one - exact_u.lo / u)) + 0.0;  // + 0: x = -0 gives +0, not -0
    }
    // s^2 > 1/2: atanh(s) = ln(1 + 2s/(1 - s))/2 with 1 - s = (-y/u)/(1 + s)
    const double s = std::sqrt(ratio);
    const double y_ratio = u / -y;
    const double atanh_s = y_ratio < no_overflow_ratio
                               ? 0.5 * log_one_plus(2.0 * s * (1.0 + s) * y_ratio)
                               : std::log1p(s) + 0.5 * (std::log(u) - std::log(-y));  // ln(u/(-y)) as a difference
    return half * (atanh_s / std::sqrt(u));
}

double ellprf(double x, double y, double z, int& ifail) {
    if (nan_argument(ifail, x, y, z)) return nan;
    double xn = x;
    double yn = y;
    if (yn < xn) std::swap(xn, yn);
    double zn = z;
    if (zn < yn) {
        std::swap(yn, zn);
        if (yn < xn) std::swap(xn, yn);
    }
    if (xn < 0.0) {
        ifail = fail_exit(ifail, 1, "ELLPRF",
                          make_message("(1X,'** On entry, at least one of X, Y and Z is negative:',/,4X,'X =',1P,"
                                       "D13.5,', Y =',D13.5,', Z =',D13.5)",
                                       {x, y, z}));
        return 0.0;
    }
    if (yn == 0.0) {
        ifail = fail_exit(ifail, 2, "ELLPRF",
                          make_message("(1X,'** On entry, two or more of X, Y and Z are zero:',/,4X,'X =',1P,"
                                       "D13.5,', Y =',D13.5,', Z =',D13.5)",
                                       {x, y, z}));
        return 0.0;
    }
    ifail = 0;
    if (std::isinf(zn)) return 0.0;  // RF tends to 0 as its largest argument grows

    double w = 1.0;
    if (zn > large_limit) {
        zn = zn / 16.0;
        w = 0.25;
        if (yn > small_limit) {
            yn = yn / 16.0;
            if (xn > small_limit) {
                xn = xn / 16.0;
            } else {  // one duplication step, x scaled inside the root, then XN = lambda/4
                const double lambda = std::sqrt(xn) * (std::sqrt(yn) + std::sqrt(zn)) * 0.25 + std::sqrt(yn) * std::sqrt(zn);
                xn = lambda * 0.25;
                yn = (yn + lambda) * 0.25;
                zn = (zn + lambda) * 0.25;
            }
        } else {  // x and y both small: one duplication step in which only their roots against z count
            const double lambda = (std::sqrt(xn) + std::sqrt(yn)) * std::sqrt(zn) * 0.25;
            xn = lambda * 0.25;
            yn = xn;
            zn = (zn + lambda) * 0.25;
        }
    } else if (zn <= small_limit) {
        xn *= small_scale;
        yn *= small_scale;
        zn *= small_scale;
        w = small_scale_root;
    }

    // the steps keep XN <= YN <= ZN and divide the deviations from the mean by 4
    double mean = (xn + yn + zn) / 3.0;
    const double xdev = mean - xn;  // >= 0
    const double zdev = mean - zn;  // <= 0
    const double limit = std::max(xdev, -zdev) / rf_tolerance;
    double power4 = 1.0;
    for (int step = 0; limit * power4 >= mean && step < duplication_limit; ++step) {
        const double sx = std::sqrt(xn);
        const double sy = std::sqrt(yn);
        const double sz = std::sqrt(zn);
        const double lambda = (sy + sx) * sz + sy * sx;
        power4 *= 0.25;
        mean = (mean + lambda) * 0.25;
        xn = (xn + lambda) * 0.25;
        yn = (yn + lambda) * 0.25;
        zn = (zn + lambda) * 0.25;
    }
    const double dx = xdev * power4 / mean;
    const double dz = zdev * power4 / mean;
    const double dy = -(dx + dz);
    return w * over_root(rf_series(dx * dy - dz * dz, dx * dy * dz), mean);
}

double ellprd(double x, double y, double z, int& ifail) {
    if (nan_argument(ifail, x, y, z)) return nan;
    static const double lolim = rd_lower_limit();  // formed once: pow is costly
    static const double uplim = rd_upper_limit();
    if (x < 0.0 || y < 0.0 || x + y == 0.0) {
        ifail = fail_exit(ifail, 1, "ELLPRD",
                          make_message("(1X,'** On entry, X or Y is less than zero:',1P,'X =',D13.5,', Y =',D13.5)", {x, y}));
        return 0.0;
    }
    if (z <= 0.0) {
        ifail = fail_exit(ifail, 2, "ELLPRD", make_message("(1X,'** On entry, Z is .le. zero:',1P,'Z =',D13.5)", {z}));
        return 0.0;
    }
    if (std::min(x + y, z) < lolim) {
        ifail = fail_exit(ifail, 3, "ELLPRD",
                          make_message("(1X,'** On entry, either (X+Y) or Z is less than ',1P,D13.5,':',/,4X,'X =',"
                                       "D13.5,', Y =',D13.5,', Z =',D13.5,/,4X,'There is a danger of overflow')",
                                       {lolim, x, y, z}));
        return 0.0;
    }
    if (std::max({x, y, z}) >= uplim) {
        ifail = fail_exit(ifail, 4, "ELLPRD",
                          make_message("(1X,'** On entry, at least one of X, Y and Z is greater t','han ',1P,D13.5,"
                                       "':',/,4X,'X =',D13.5,', Y =',D13.5,', Z =',D13.5,/,4X,'There is a danger o"
                                       "f underflow')",
                                       {uplim, x, y, z}));
        return 0.0;
    }
    ifail = 0;

    // RD(x, y, z) = RJ(x, y, z, z) by the same steps, whose remainder terms are
    // 3 4^-m/(sqrt(z) (z + lambda)) = 3 4^-m/(sqrt z (sqrt z + sqrt x)(sqrt z + sqrt y)) at step m
    double xn = x;
    double yn = y;
    double zn = z;
    double mean = (xn + yn + 3.0 * zn) * 0.2;
    const double xdev = mean - xn;  // the deviations from the mean shrink by 4 each step
    const double ydev = mean - yn;
    const double limit = std::max({std::fabs(xdev), std::fabs(ydev), std::fabs(mean - zn)}) / rj_tolerance;
    double sigma = 0.0;  // with the rounding errors of its sums in sigma_error; the factor 3 4^-m is exact
    double sigma_error = 0.0;
    double power4 = 1.0;
    for (int step = 0; limit * power4 >= mean && step < duplication_limit; ++step) {
        const double sx = std::sqrt(xn);
        const double sy = std::sqrt(yn);
        const double sz = std::sqrt(zn);
        const double lambda = (sx + sy) * sz + sx * sy;
        const TwoDoubles sum = exact_sum(sigma, 3.0 * power4 / (sz * ((sz + sx) * (sz + sy))));
        sigma = sum.hi;
        sigma_error += sum.lo;
        power4 *= 0.25;
        mean = (mean + lambda) * 0.25;
        xn = (xn + lambda) * 0.25;
        yn = (yn + lambda) * 0.25;
        zn = (zn + lambda) * 0.25;
    }
    const double scale = power4 / mean;
    const double dx = xdev * scale;
    const double dy = ydev * scale;
    const double dz = -(dx + dy) / 3.0;
    const double xy = dx * dy;
    const double zz = dz * dz;
    const double series = rj_series(xy - 6.0 * zz, (3.0 * xy - 8.0 * zz) * dz, 3.0 * (xy - zz) * zz, xy * zz * dz);
    return with_remainder(sigma, sigma_error, power4, series, mean);
}

double ellprj(double x, double y, double z, double r, int& ifail) {
    if (nan_argument(ifail, x, y, z, r)) return nan;
    static const double lolim = rj_lower_limit();  // formed once: pow is costly
    static const double uplim = rj_upper_limit();
    if (x < 0.0 || y < 0.0 || z < 0.0) {
        ifail = fail_exit(ifail, 1, "ELLPRJ",
                          make_message("(1X,'** On entry, one of X, Y or Z is less than zero:',/,4X,1P,'X =',D13.5,"
                                       "', Y =',D13.5,', Z =',D13.5)",
                                       {x, y, z}));
        return 0.0;
    }
    if (x + y == 0.0 || y + z == 0.0 || z + x == 0.0) {
        ifail = fail_exit(ifail, 1, "ELLPRJ",
                          make_message("(1X,'** On entry, more than one of X, Y and Z are equal t','o zero:',/,4X,1P,"
                                       "'X =',D13.5,', Y =',D13.5,', Z =',D13.5)",
                                       {x, y, z}));
        return 0.0;
    }
    if (r == 0.0) {
        ifail = fail_exit(ifail, 2, "ELLPRJ", make_message("(1X,'** On entry, R is equal to zero')"));
        return 0.0;
    }
    if (std::min({x + y, y + z, z + x, std::fabs(r)}) < lolim) {
        ifail = fail_exit(ifail, 3, "ELLPRJ",
                          make_message("(1X,'** On entry, either abs(R), or the sum of any two of',' X, Y and Z, is l"
                                       "ess',/,4X,'than ',1P,D13.5,'. There is a',' danger of overflow.',/,4X,1P,'R"
                                       " =',D13.5,', X =',D13.5,', Y =',D13.5,', Z =',D13.5)",
                                       {lolim, r, x, y, z}));
        return 0.0;
    }
    if (std::max({x, y, z, std::fabs(r)}) > uplim) {
        ifail = fail_exit(ifail, 4, "ELLPRJ",
                          make_message("(1X,'** On entry, at least one of abs(R), X, Y and Z is g','reater than',1P,"
                                       "D13.5,' :',/,4X,1P,'R =',D13.5,', X =',D13.5,', Y =',D13.5,', Z =',D13.5)",
                                       {uplim, r, x, y, z}));
        return 0.0;
    }
    ifail = 0;

    if (r > 0.0 && r <= far_fourth_argument * std::max({x, y, z})) return rj_by_duplication(x, y, z, r);
    std::array<double, 3> sorted{x, y, z};
    std::sort(sorted.begin(), sorted.end());
    if (r > 0.0) return rj_far_fourth_argument(sorted[0], sorted[1], sorted[2], r);

    const auto [value, cancellation] = rj_principal_value(sorted[0], sorted[1], sorted[2], r);
    // Where the terms cancel, their rounding errors are magnified by `cancellation`:
    // the sum is then formed again in the wider type (where long double is wider).
    if (cancellation <= principal_value_cancellation) return value;
    using Wide = long double;
    return static_cast<double>(rj_principal_value<Wide>(sorted[0], sorted[1], sorted[2], r).first);
}

}  // namespace qelms
