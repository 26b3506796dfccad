// The shared machinery of the Bessel and Airy functions of complex argument:
// the limit set and the auxiliary evaluators the seven drivers build on.
// Sequences are arrays of n complex values, member k (k = 1..n, index k - 1)
// of order fnu + k - 1. kode 1 selects unscaled values, 2 scaled ones. Every
// auxiliary routine reports only through its count nz: >= 0 members set to
// zero by underflow, -1 overflow, -2 a convergence test not met, -3 a failed
// complex exponential.
#pragma once

#include <complex>

#include "../specfun/exact_argument.hpp"

namespace qelms::cbes {

using Complex = std::complex<double>;

inline constexpr double pi = 3.141592653589793;
inline constexpr double hpi = 1.5707963267948966;  // pi/2

// Limits derived from the machine constants on every call of a driver.
struct Limits {
    double tol;       // max(mach_precision, 1e-18)
    double elim;      // exponent beyond which values overflow or underflow
    double alim;      // exponent beyond which values are computed scaled
    double dig;       // decimal digits of precision
    double rl;        // |z| from which the large-argument expansion is used
    double fnul;      // order from which the uniform expansions are used
    double az_limit;  // |z| and order beyond which nothing is computed
};
Limits cbes_limit_set();

// e^z through zexpon with a silent failure indicator; false when zexpon
// failed with code 1, 2, 3 or 5 (code 4, half precision, is accepted).
bool cbes_exp(Complex z, Complex& result);

// a / b as a times conj(b)/|b| times 1/|b|, safe from overflow in |b|^2.
Complex cbes_divide(Complex a, Complex b);

// ---- I function core (right half plane) ----
void cbes_i_core(Complex z, double fnu, int kode, int n, Complex* cy, int& nz, const Limits& lim);
void cbes_i_series(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim);
void cbes_i_asymptotic(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim);
void cbes_i_miller_series(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim);
void cbes_i_miller_wronskian(Complex z, double fnu, int kode, int n, Complex* y, int& nz, Complex cw[2],
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
// K for Re z < 0; mr = +1 for Im z >= 0, -1 below.
void cbes_k_continuation(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz, const Limits& lim);
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
                      Complex& zeta1, Complex& zeta2, Complex& sum, DebyeWork& work, double elim);
// The order is hi + lo: near the turning point 1 - (z/fn)^2 cancels, and
// the Airy variable needs the order unrounded.
void cbes_airy_terms(Complex z, TwoDoubles order, int ipmtr, double tol, Complex& phi, Complex& arg, Complex& zeta1,
                     Complex& zeta2, Complex& asum, Complex& bsum, double elim);
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
