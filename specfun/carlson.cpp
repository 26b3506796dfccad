// Carlson's symmetric elliptic integrals RC, RF, RD and RJ by the duplication
// method: each step replaces every argument v by (v + lambda)/4, which leaves
// the integral unchanged (RD and RJ collect a remainder term) and draws the
// arguments together until a short Taylor series about their mean is exact.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "../support/failure.hpp"
#include "../support/machine.hpp"

namespace qelms {
namespace {

constexpr double rf_tolerance = 0.0018;   // largest relative deviation from the mean
constexpr double rd_tolerance = 0.0012;
constexpr double rj_tolerance = 0.0012;

// A bound on the duplication steps. Each step shrinks the spread of the
// arguments by a factor near 4, or takes its square root while it is large, so
// RC, RF and RD converge in under 20 steps; in RJ a PN far above x, y and z only
// falls by 4 per step, which takes up to 346 steps over RJ's argument range.
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
double rd_upper_limit() { return std::pow(0.1 * rd_tolerance / mach_safe_min(), rd_exponent); }

// RJ fails outside [LOLIM, UPLIM]: LOLIM = safe_min^e, UPLIM = 0.396 (1/safe_min)^e.
constexpr double rj_exponent = 0.33333;  // the stored decimal, not exactly 1/3
constexpr double rj_upper_factor = 0.396;
double rj_lower_limit() { return std::pow(mach_safe_min(), rj_exponent); }
double rj_upper_limit() { return rj_upper_factor * std::pow(1.0 / mach_safe_min(), rj_exponent); }

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

}  // namespace

// RC(x, y) for x >= 0, y > 0 in closed form, d = |y - x|:
// atan(sqrt(d/x))/sqrt(d) for x < y, atanh(sqrt(d/x))/sqrt(d) for x > y. Neither
// overflows: d/x may be infinite, atan giving pi/2 there; near s = 1 atanh(s) is
// formed as ln(1 + s) + ln(x/y)/2, without the cancellation in 1 - s.
double rc_closed_form(double x, double y) {
    if (x == y) return 1.0 / std::sqrt(x);
    if (x < y) {
        const double d = y - x;
        return std::atan(std::sqrt(d / x)) / std::sqrt(d);
    }
    const double d = x - y;
    const double s = std::sqrt(d / x);
    if (s <= 0.5) return std::atanh(s) / std::sqrt(d);
    const double ratio = x / y;  // ln x - ln y would cancel
    const double half_log = std::isinf(ratio) ? 0.5 * (std::log(x) - std::log(y)) : 0.5 * std::log(ratio);
    return (std::log1p(s) + half_log) / std::sqrt(d);
}

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
    x += 0.0;                                        // -0 becomes +0, so that W below is +0

    double xn = x;
    double yn = y;
    double w = 1.0;
    if (y < 0.0) {  // Cauchy principal value: RC(x, y) = W RC(x - y, -y)
        xn = x - y;
        yn = -y;
        if (std::isinf(xn)) {  // x - y overflows: RC(x, y) = RC(x/4, y/4)/2
            xn = 0.25 * x - 0.25 * y;
            yn = -0.25 * y;
            w = 0.5 * (std::sqrt(0.25 * x) / std::sqrt(xn));
        } else {
            w = std::sqrt(x) / std::sqrt(xn);
        }
    }

    return w * rc_closed_form(xn, yn);
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

    double mu = 0.0;
    double dx = 0.0;
    double dz = 0.0;
    for (int step = 0;; ++step) {
        // the steps keep XN <= YN <= ZN, so the largest relative deviation from the
        // mean is that of XN or ZN; tested without a division
        const double sum = zn + yn + xn;
        if (std::max(sum - 3.0 * xn, 3.0 * zn - sum) <= rf_tolerance * sum || step == duplication_limit) {
            mu = sum / 3.0;
            dz = 2.0 - (zn + mu) / mu;
            dx = 2.0 - (xn + mu) / mu;
            break;
        }
        const double lambda = (std::sqrt(yn) + std::sqrt(xn)) * std::sqrt(zn) + std::sqrt(yn) * std::sqrt(xn);
        xn = (xn + lambda) * 0.25;
        yn = (yn + lambda) * 0.25;
        zn = (zn + lambda) * 0.25;
    }
    const double dy = -(dx + dz);
    const double e2 = dx * dy - dz * dz;
    const double e3 = dx * dy * dz;
    // series coefficients 1/24, 1/10, 3/44, 1/14
    const double series = 1.0 + e2 * (e2 * 0.041666666666666664 - 0.1 - 0.06818181818181818 * e3) + 0.07142857142857142 * e3;
    return w * series / std::sqrt(mu);
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

    double xn = x;
    double yn = y;
    double zn = z;
    double sigma = 0.0;  // the remainder terms the duplication steps split off
    double power4 = 1.0;
    double mu = 0.0;
    double xndev = 0.0;
    double yndev = 0.0;
    double zndev = 0.0;
    for (int step = 0;; ++step) {
        mu = (3.0 * zn + yn + xn) * 0.2;
        // the largest relative deviation from the mean, tested without a division
        const double spread = std::max({std::fabs(mu - xn), std::fabs(mu - yn), std::fabs(mu - zn)});
        if (spread < rd_tolerance * mu || step == duplication_limit) break;
        const double sx = std::sqrt(xn);
        const double sy = std::sqrt(yn);
        const double sz = std::sqrt(zn);
        const double lambda = (sx + sy) * sz + sx * sy;
        zn = zn + lambda;
        sigma = sigma + power4 / (zn * sz);
        power4 = power4 * 0.25;
        zn = zn * 0.25;
        xn = (xn + lambda) * 0.25;
        yn = (yn + lambda) * 0.25;
    }
    xndev = (mu - xn) / mu;
    yndev = (mu - yn) / mu;
    zndev = (mu - zn) / mu;
    const double ea = xndev * yndev;
    const double eb = zndev * zndev;
    const double ec = ea - eb;
    const double ed = ea - 6.0 * eb;
    const double ef = 3.0 * ea - 8.0 * eb;
    // series coefficients 9/88, 9/52, 3/14, 1/6, 3/26, 9/22
    const double s1 = ed * (0.10227272727272728 * ed - 0.17307692307692307 * zndev * ef - 0.21428571428571427);
    const double s2 = zndev * (0.16666666666666666 * ef + zndev * (0.11538461538461539 * zndev * ea - 0.4090909090909091 * ec));
    return 3.0 * sigma + power4 * (1.0 + s1 + s2) / (mu * std::sqrt(mu));
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

    double xn = x;
    double yn = y;
    double zn = z;
    double pn = r;
    double a = 0.0;
    double b = 0.0;
    double rcx = 0.0;
    int inner_ifail = 0;  // the arguments formed here are always valid for RF
    if (r < 0.0) {
        // Principal value from RJ at a positive q. With x <= y <= z and the largest
        // argument in the pivot's place,
        //   (z - r) RJ(x, y, z, r) = -b RJ(x, y, z, q) - 3 RF(x, y, z) + 3 RC(xy/z, rq/z),
        //   b = z - q = (z - x)(z - y)/(z - r),  q = (x(z - y) + z(y - r))/(z - r) > 0.
        // The first two terms share a sign, so only the RC term can cancel them, and
        // (as measured) by no more than the value's own sensitivity to its arguments;
        // with the middle argument as pivot, b RJ(q) and 3 RF can agree to 0.5%.
        std::array<double, 3> sorted{x, y, z};
        std::sort(sorted.begin(), sorted.end());
        xn = sorted[0];
        yn = sorted[1];
        zn = sorted[2];
        a = 1.0 / (zn - r);
        b = (zn - xn) * (zn - yn) * a;
        pn = (xn * (zn - yn) + zn * (yn - r)) * a;
        // RC(xy/z, rq/z) = atanh(s)/sqrt(c) in closed form, with c = (x - r)(y - r)/(z - r),
        // s^2 = xy/(zc) < 1 and 1 - s^2 = -rq/(zc): no difference of arguments is formed
        const double c = (xn - r) * (yn - r) * a;
        const double s = std::sqrt(xn / (xn - r) * (yn / (yn - r)) / (zn * a));
        const double atanh_s = s <= 0.5 ? std::atanh(s) : std::log1p(s) - 0.5 * std::log(-r * pn / (zn * c));
        rcx = atanh_s / std::sqrt(c);
    }

    double sigma = 0.0;  // the remainder terms the duplication steps split off
    double power4 = 1.0;
    double mu = 0.0;
    double xndev = 0.0;
    double yndev = 0.0;
    double zndev = 0.0;
    double pndev = 0.0;
    for (int step = 0;; ++step) {
        mu = (2.0 * pn + zn + yn + xn) * 0.2;
        // the largest relative deviation from the mean, tested without a division
        const double spread =
            std::max({std::fabs(mu - xn), std::fabs(mu - yn), std::fabs(mu - zn), std::fabs(mu - pn)});
        if (spread < rj_tolerance * mu || step == duplication_limit) break;
        const double sx = std::sqrt(xn);
        const double sy = std::sqrt(yn);
        const double sz = std::sqrt(zn);
        const double lambda = (sx + sz) * sy + sx * sz;
        const double alfa_root = pn * (sx + sy + sz) + sx * sy * sz;
        const double alfa = alfa_root * alfa_root;
        const double beta = pn * ((pn + lambda) * (pn + lambda));
        sigma = sigma + power4 * rc_closed_form(alfa, beta);  // alfa, beta > 0 and finite here
        power4 = power4 * 0.25;
        xn = (xn + lambda) * 0.25;
        yn = (yn + lambda) * 0.25;
        zn = (zn + lambda) * 0.25;
        pn = (pn + lambda) * 0.25;
    }
    xndev = (mu - xn) / mu;
    yndev = (mu - yn) / mu;
    zndev = (mu - zn) / mu;
    pndev = (mu - pn) / mu;
    const double ea = xndev * (yndev + zndev) + yndev * zndev;
    const double eb = xndev * yndev * zndev;
    const double ec = pndev * pndev;
    const double e2 = ea - 3.0 * ec;
    const double e3 = eb + 2.0 * pndev * (ea - ec);
    // series coefficients 9/88, 9/52, 3/14, 1/6, 3/26, 3/11, 1/3, 3/22
    const double s1 = 1.0 + e2 * (0.10227272727272728 * e2 - 0.17307692307692307 * e3 - 0.21428571428571427);
    const double s2 = eb * (0.16666666666666666 + pndev * (0.11538461538461539 * pndev - 0.2727272727272727));
    const double s3 = pndev * (ea * (0.3333333333333333 - 0.13636363636363635 * pndev) - 0.3333333333333333 * ec);
    double rj = 3.0 * sigma + power4 * (s1 + s2 + s3) / (mu * std::sqrt(mu));
    if (r < 0.0) {
        inner_ifail = 0;
        rj = (-b * rj - 3.0 * ellprf(xn, yn, zn, inner_ifail) + 3.0 * rcx) * a;
    }
    return rj;
}

}  // namespace qelms
