// Exponential integral E1, cosine integral Ci and sine integral Si.
#include <cmath>

#include "../support/failure.hpp"
#include "exponential_integrals_tables.hpp"
#include "polynomial.hpp"

namespace qelms {
namespace {

constexpr double half_pi = 1.570796326794897;      // Si(x) for x -> +infinity
constexpr double expint_underflow = 708.3;          // E1(x) is returned as 0 from here on
constexpr double small_limit = 16.0;                // Si, Ci: power series below, f and g above
constexpr double sinint_limit = 1e17;               // Si(x) = +-pi/2 to double precision from here on
constexpr double cosint_limit = 1e16;               // Ci(x) is returned as 0 from here on
constexpr double inverse_square_scale = 0.0078125;  // 1/128, for t = x^2/128 - 1

// F = x f(x) and G = x^2 g(x) for |x| > 16, the auxiliary functions of Si and Ci.
struct Auxiliary {
    double f;
    double g;
};

Auxiliary auxiliary(double x) {
    const double t = 512.0 / (x * x) - 1.0;
    return {horner_ascending(auxiliary_f, t), horner_ascending(auxiliary_g, t)};
}

}  // namespace

double expint(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    if (x <= 0.0) {
        ifail = fail_exit(ifail, 1, "EXPINT");
        return 0.0;
    }
    ifail = 0;
    if (x <= 1.0) return horner_ascending(expint_p1, 2.0 * x - 1.0) - std::log(x);
    if (x <= 2.0) return horner_ascending(expint_p2, 2.0 * x - 3.0);
    if (x <= 4.0) return horner_ascending(expint_p3, x - 3.0);
    if (x < expint_underflow) {
        const double t = 14.5 / (x + 3.25) - 1.0;
        return std::exp(-x) * horner_ascending(expint_p4, t) / x;
    }
    return 0.0;
}

double sinint(double x, int& ifail) {
    if (nan_argument(ifail, x)) return x;
    ifail = 0;
    const double a = std::fabs(x);
    if (a <= small_limit) return x * horner_ascending(sinint_ps, x * x * inverse_square_scale - 1.0);
    if (a < sinint_limit) {
        const Auxiliary p = auxiliary(x);
        return std::copysign(half_pi - p.f * std::cos(a) / a - p.g * std::sin(a) / (x * x), x);
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
    if (x <= small_limit) return std::log(x) + horner_ascending(cosint_pc, x * x * inverse_square_scale - 1.0);
    if (x < cosint_limit) {
        const Auxiliary p = auxiliary(x);
        return p.f * std::sin(x) / x - p.g * std::cos(x) / (x * x);
    }
    return 0.0;
}

}  // namespace qelms
