// Fresnel integrals S(x) and C(x).
#include <array>
#include <cmath>
#include <span>

#include "../support/failure.hpp"
#include "exact_argument.hpp"
#include "fresnel_near_tables.hpp"
#include "fresnel_tables.hpp"
#include "polynomial.hpp"
#include "qelms/qelms.hpp"

namespace qelms {
namespace {

constexpr double two_over_pi = 0.6366197723675814;
constexpr double poly_limit = 3.0;               // |x| at or below this uses the small-argument tables
constexpr double series_limit = 1.0;             // up to this the series in x^4; above, pieces on [1, 3]
constexpr double sine_subnormal_limit = 3.489650526143414e-103;  // |x| below this: S(x) = pi x^3/6 is subnormal
constexpr double pi_over_6 = 0.5235987755982989;
constexpr double g_term_limit = 260000.0;        // |x| above this the g term is below rounding
constexpr double half_limit = 4294967290.0;      // |x| at or above this: +-1/2; below, a/2 truncates into an int

// cos and sin of pi a^2 / 2.
struct Phase {
    double cos;
    double sin;
};

// For 0 <= a < 4294967290 the phase pi a^2 / 2 is reduced exactly: with a/2 = m + f,
// pi a^2 / 2 = (pi/2) (4 m^2 + 8 m f + 4 f^2), where 4 m^2 and the integral part
// of 8 m f (times 8) are whole turns. m f is exact: m and f share the 53 bits of a/2.
Phase reduced_phase(double a) {
    const double h = a / 2.0;
    const int m = static_cast<int>(h);
    const double f = h - m;
    const double u = m * f;
    const int k = static_cast<int>(u);
    const double v = u - k;
    const int j = static_cast<int>(4.0 * (2.0 * v + f * f));
    const double theta = ((8.0 * v - j) + 4.0 * f * f) / two_over_pi;  // in [0, pi/2)
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    switch (j % 4) {
    case 0: return {c, s};
    case 1: return {-s, c};
    case 2: return {-c, -s};
    default: return {s, -c};
    }
}

// s P(x^4 - 1/2) rounded once, s in two doubles, P a series table with its
// constant term in two doubles (its last two entries).
double times_series(TwoDoubles s, const std::array<double, 11>& c, double x) {
    const TwoDoubles x2 = exact_product(x, x);
    const double t = (x2.hi * x2.hi - 0.5) + 2.0 * x2.hi * x2.lo;
    const double rest = c[10] + t * horner_descending(std::span(c).first<9>(), t);
    const TwoDoubles p = exact_product(s.hi, c[9]);
    return p.hi + (p.lo + (s.hi * rest + s.lo * c[9]));
}

// t = 2 y^2 - 1 with y = r^2: the variable of every table, r = x/3 or 3/x.
double table_variable(double r) {
    const double y = r * r;
    return 2.0 * y * y - 1.0;
}

}  // namespace

double fresns(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    if (a <= poly_limit) {
        // S(x) = pi x^3/6 below the normal range, as the arithmetic rounds it (0 once it underflows).
        if (a < sine_subnormal_limit) return pi_over_6 * x * x * x;
        // The series also below 0.00018, where pi x^3/6 alone is short by up to an ulp.
        if (a <= series_limit) return times_series(dd_mul(exact_product(x, x), x), fresnel_sine_near, x);
        return std::copysign(quarter_piece(fresnel_sine_centres, fresnel_sine_pieces, series_limit, a), x);
    }
    const double half = std::copysign(0.5, x);
    if (a >= half_limit) return half;
    const double t = table_variable(3.0 / x);
    const Phase p = reduced_phase(a);
    // the f and g terms summed before the one rounding next to 1/2
    double term = horner_descending(fresnel_f_poly, t) * p.cos / x;
    if (a <= g_term_limit) term += horner_descending(fresnel_g_poly, t) * p.sin / (x * x * x);
    return half - term;
}

double fresnc(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    if (a <= poly_limit) {
        // The series also below 0.00017, where x alone is short by up to an ulp.
        if (a <= series_limit) return times_series({x, 0.0}, fresnel_cosine_near, x);
        return std::copysign(quarter_piece(fresnel_cosine_centres, fresnel_cosine_pieces, series_limit, a), x);
    }
    const double half = std::copysign(0.5, x);
    if (a >= half_limit) return half;
    const double t = table_variable(3.0 / x);
    const Phase p = reduced_phase(a);
    double term = horner_descending(fresnel_f_poly, t) * p.sin / x;
    if (a <= g_term_limit) term -= horner_descending(fresnel_g_poly, t) * p.cos / (x * x * x);
    return half + term;
}

}  // namespace qelms
