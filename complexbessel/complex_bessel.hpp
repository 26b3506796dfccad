// The shared machinery of the Bessel and Airy functions of complex argument:
// the limit set and the auxiliary evaluators the seven drivers build on.
// Sequences are arrays of n complex values, member k (k = 1..n, index k - 1)
// of order fnu + k - 1. kode 1 selects unscaled values, 2 scaled ones. Every
// auxiliary routine reports only through its count nz: >= 0 members set to
// zero by underflow, -1 overflow, -2 a convergence test not met, -3 a failed
// complex exponential.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>

#include "../specfun/exact_argument.hpp"
#include "../support/machine.hpp"

namespace qelms::cbes {

using Complex = std::complex<double>;

inline constexpr double pi = 3.141592653589793;
inline constexpr double hpi = 1.5707963267948966;  // pi/2

// Smallest real x at which orders 0 and 1 come from the real-argument routines
// (besli0, beslk0, beslj0, besly0 and their order-1 kin): from here up the
// general methods neither underflow I1 and J1 nor scale K1 and Y1 for overflow.
inline constexpr double real_axis_low = 1e-280;

// Limits derived from the machine constants on every call of a driver.
struct Limits {
    double tol;       // max(mach_precision, 1e-18)
    double elim;      // exponent beyond which values overflow or underflow
    double alim;      // exponent beyond which values are computed scaled
    double dig;       // decimal digits of precision
    double rl;        // |z| from which the large-argument expansion is used
    double fnul;      // order from which the uniform expansions are used
    double az_limit;  // |z| and order beyond which nothing is computed
    // Derived once with the rest, for the tests every call makes:
    double ufl;              // exp(-elim), the smallest magnitude kept
    double precision_bound;  // sqrt(az_limit), beyond which results lack precision
};
// Constants of the machine alone: inline, so that every driver gets them
// folded at compile time.
inline Limits cbes_limit_set() {
    constexpr double decimal_to_natural = 2.303;  // slightly above ln 10: decimal exponents to natural ones
    constexpr double alim_margin = 41.45;         // largest distance of alim below elim
    constexpr double rl_per_digit = 1.2;          // rl = 1.2 digits + 3
    Limits lim{};
    lim.tol = std::max(mach_precision(), 1.0e-18);
    const double r1m5 = std::log10(static_cast<double>(mach_base()));
    const int k = std::min(std::abs(mach_min_exp()), std::abs(mach_max_exp()));
    lim.elim = decimal_to_natural * (k * r1m5 - 3.0);
    const double aa = r1m5 * (mach_digits() - 1);
    lim.dig = std::min(aa, 18.0);
    lim.alim = lim.elim + std::max(-decimal_to_natural * aa, -alim_margin);
    lim.rl = rl_per_digit * lim.dig + 3.0;
    lim.fnul = 10.0 + 6.0 * (lim.dig - 3.0);
    lim.az_limit = std::min({0.5 / lim.tol, 0.5 * mach_max_int(1.0), mach_max_trig_arg(1.0)});
    lim.ufl = std::exp(-lim.elim);
    lim.precision_bound = std::sqrt(lim.az_limit);
    return lim;
}

// |z|, as std::abs gives it, without its general path on the axes, where
// most real-order callers stay.
inline double modulus(Complex z) {
    if (z.imag() == 0.0) return std::fabs(z.real());
    if (z.real() == 0.0) return std::fabs(z.imag());
    return std::abs(z);
}

// log c as ln |c| + i arg c, to a few ulps of 1 and of |c|: enough for the
// exponents that only decide a region or a scale, without the care (and
// cost) of the complex logarithm near |c| = 1.
inline Complex rough_log(Complex c) { return {std::log(modulus(c)), std::arg(c)}; }

// e^z through zexpon with a silent failure indicator; false when zexpon
// failed with code 1, 2, 3 or 5 (code 4, half precision, is accepted).
bool cbes_exp(Complex z, Complex& result);

// a / b as a times conj(b)/|b| times 1/|b|, safe from overflow in |b|^2.
Complex cbes_divide(Complex a, Complex b);

// ---- I function core (right half plane) ----
// K(fnu, z) and, with two members, K(fnu + 1, z), kept by one evaluation for
// another with the same order and kode that needs them at the same z.
struct KPair {
    Complex k[2];
    Complex z;        // their argument
    int members = 0;  // how many of k hold values
    bool holds(Complex at, int count) const { return members >= count && z == at; }
    void keep(Complex at, const Complex* values, int count) {
        std::copy(values, values + count, k);
        z = at;
        members = count;
    }
};
// k_pair, when given: Miller's algorithm with the Wronskian takes K(fnu, z)
// and K(fnu + 1, z) from it when it holds them, and otherwise leaves there
// the pair it forms.
void cbes_i_core(Complex z, double fnu, int kode, int n, Complex* cy, int& nz, const Limits& lim,
                 KPair* k_pair = nullptr);
void cbes_i_series(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim);
// I(fnu + k, x) (modified) or J(fnu + k, x), k = 0..n-1, for x > 0 where
// cbes_i_series would give I(x) or I(-ix) with no member scaled or zeroed;
// false (y untouched) elsewhere.
bool cbes_series_on_axis(double x, double fnu, int kode, int n, bool modified, Complex* y, const Limits& lim);
void cbes_i_asymptotic(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim);
void cbes_i_miller_series(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim);
// cw holds K(fnu, z) and K(fnu + 1, z) when known is set, and receives them otherwise.
void cbes_i_miller_wronskian(Complex z, double fnu, int kode, int n, Complex* y, int& nz, Complex cw[2], bool known,
                             const Limits& lim);
// Ratios I(fnu + k, z)/I(fnu + k - 1, z), k = 1..n.
void cbes_ratios(Complex z, double fnu, int n, Complex* cy, double tol);
// ikflg 1 tests an I sequence, 2 a K sequence; nuf as nz.
void cbes_over_under_test(Complex z, double fnu, int kode, int ikflg, int n, Complex* y, int& nuf,
                          const Limits& lim);
// nz = 1 when the scaled value y would underflow on rescaling: its larger part
// at most ascle, and the smaller not negligible beside it.
void cbes_underflow_check(Complex y, int& nz, double ascle, double tol);

// ---- K function core and analytic continuation ----
void cbes_k_core(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim);
void cbes_k_rescale(Complex zr, double fnu, int n, Complex* y, int& nz, Complex rz, double ascle, double tol,
                    double elim);
void cbes_sinh_cosh(Complex z, Complex& csh, Complex& cch);
// Y(fnu + k, x), k = 0..n-1, for x > 0 into y from K(dnu, -ix) and K(dnu + 1,
// -ix) of the K core (|dnu| <= 1/2) and the real recurrence of Y, where the
// Hankel functions would give them with no failure, warning or zero member;
// false (y partly written) elsewhere.
bool cbes_y_on_axis(double x, double fnu, int kode, int n, Complex* y, const Limits& lim);
// K for Re z < 0; mr = +1 for Im z >= 0, -1 below. shared, when given,
// supplies K(fnu, -z) and K(fnu + 1, -z) where it holds them, and receives
// them where it does not.
void cbes_k_continuation(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz, const Limits& lim,
                         KPair* shared = nullptr);
// One K member of order 1/3 or 2/3 for Re z < 0 (n = 1).
void cbes_airy_continuation(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz,
                            const Limits& lim);
// s1 the K term, s2 the I term of the continuation formula, zr = -z.
void cbes_combine_scaled(Complex zr, Complex& s1, Complex& s2, int& nz, double ascle, double alim, int& iuf);

// ---- Uniform asymptotic expansions for large order ----
// The terms cbes_debye_terms keeps between its first call (init = 0) and
// later calls with the same z and order: 15 series terms and sqrt(q).
struct DebyeWork {
    Complex terms[16];
};
void cbes_debye_terms(Complex z, double fn, int ikflg, int ipmtr, double tol, int& init, Complex& phi,
                      Complex& zeta1, Complex& zeta2, Complex& sum, DebyeWork& work, const Limits& lim);
// The order is hi + lo: near the turning point 1 - (z/fn)^2 cancels, and
// the Airy variable needs the order unrounded. zc_minus_w, when given, is
// zeta1 - zeta2 per unit order to full precision, which away from the turning
// point sets the Airy variable and phi.
void cbes_airy_terms(Complex z, TwoDoubles order, int ipmtr, double tol, Complex& phi, Complex& arg, Complex& zeta1,
                     Complex& zeta2, Complex& asum, Complex& bsum, const Limits& lim,
                     const Complex* zc_minus_w = nullptr);
void cbes_i_uniform(Complex z, double fnu, int kode, int n, Complex* y, int& nz, int nui, int& nlast,
                    const Limits& lim);
void cbes_i_uniform_debye(Complex z, double fnu, int kode, int n, Complex* y, int& nz, int& nlast,
                          const Limits& lim);
void cbes_i_uniform_airy(Complex z, double fnu, int kode, int n, Complex* y, int& nz, int& nlast,
                         const Limits& lim);
// mr = 0 for the right half plane; +1 or -1 continues to Re z < 0.
void cbes_k_uniform(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz, const Limits& lim);
void cbes_k_uniform_debye(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz,
                          const Limits& lim);
void cbes_k_uniform_airy(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz,
                         const Limits& lim);

}  // namespace qelms::cbes
