// Bessel functions J and Y and Hankel functions of complex argument, from the
// I and K machinery of the rotated argument:
//   J(nu, z) = e^(i nu pi/2) I(nu, -iz)                       (Im z >= 0),
//   H(m)(nu, z) = (3 - 2m) (2/(pi i)) e^(-(3-2m) i nu pi/2) K(nu, -(3-2m) i z),
//   Y(nu, z) = (H(1)(nu, z) - H(2)(nu, z)) / (2i).
#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <string_view>
#include <utility>

#include "../support/failure.hpp"
#include "complex_bessel.hpp"
#include "qelms/qelms.hpp"

namespace qelms {
namespace {

using cbes::Complex;
using cbes::Limits;

constexpr double hpi = 1.5707963267948966;  // pi/2

constexpr const char* zero_z_template = "(1X,'** On entry, Z = (0.0,0.0)')";
constexpr const char* fnu_template = "(1X,'** On entry, FNU .LT. 0: FNU = ',D13.5)";
constexpr const char* scale_template = "(1X,'** On entry, SCALE has an illegal value: SCALE = ''',A,'''')";
constexpr const char* n_template = "(1X,'** On entry, N .LE. 0: N = ',I16)";
constexpr const char* m_template = "(1X,'** On entry, M has illegal value: M = ',I16)";
constexpr const char* az_beyond_template = "(1X,'** No computation because abs(Z) =',1P,D13.5,' .GT.',D13.5)";
constexpr const char* fn_beyond_template = "(1X,'** No computation because FNU+N-1 =',1P,D13.5,' .GT.',D13.5)";
constexpr const char* az_imprecise_template =
    "(1X,'** Results lack precision because abs(Z) =',1P,D13.5,' .GT.',D13.5)";
constexpr const char* fn_imprecise_template =
    "(1X,'** Results lack precision because FNU+N-1 =',1P,D13.5,' .GT.',D13.5)";
constexpr const char* hankel_fn_imprecise_template =
    "(1X,'** Results lack precision, FNU+N-1 =',1P,D13.5,' .GT.',D13.5)";
constexpr const char* termination_template =
    "(1X,'** No computation - algorithm termination condition ','not met.')";
constexpr const char* imag_overflow_template =
    "(1X,'** No computation because imag(Z) =',1P,D13.5,' .GT.',D12.5,', SCALE = ''U''.')";
constexpr const char* small_z_template = "(1X,'** No computation because abs(Z) =',1P,D13.5,' .LT. ',D13.5)";
constexpr const char* order_overflow_template =
    "(1X,'** No computation because FNU+N-1 =',1P,D13.5,' is t','oo large.')";

// The failure number a routine hands to fail_exit, with its message.
struct Outcome {
    int error = 0;
    Message message;
};

Outcome failure(int error, const char* tmpl, std::initializer_list<FieldValue> values = {}) {
    return {error, make_message(tmpl, values)};
}

// kode from the SCALE letter: 1 unscaled, 2 scaled, 0 not a scale letter.
int scale_kode(char scale) {
    if (scale == 'U' || scale == 'u') return 1;
    if (scale == 'S' || scale == 's') return 2;
    return 0;
}

// The argument checks in their order, error 1 on the first that fails. m is
// checked only when given (zhankl); z = 0 is refused only when needs_nonzero_z.
Outcome check_arguments(bool needs_nonzero_z, Complex z, double fnu, char scale, int n, const int* m) {
    if (needs_nonzero_z && z.real() == 0.0 && z.imag() == 0.0) return failure(1, zero_z_template);
    if (!(fnu >= 0.0)) return failure(1, fnu_template, {fnu});
    if (scale_kode(scale) == 0) return failure(1, scale_template, {std::string_view(&scale, 1)});
    if (n < 1) return failure(1, n_template, {n});
    if (m != nullptr && *m != 1 && *m != 2) return failure(1, m_template, {*m});
    return {};
}

// The limits on |z| and on the top order: beyond az_limit nothing is
// computed (error no_computation); beyond its square root the results lack
// precision (error imprecise, a warning). fn_imprecise is the template of
// the order warning, whose wording differs between the routines.
Outcome check_range(double az, double fn, const Limits& lim, int no_computation, int imprecise,
                    const char* fn_imprecise) {
    const double bound = std::sqrt(lim.az_limit);
    if (az > lim.az_limit) return failure(no_computation, az_beyond_template, {az, lim.az_limit});
    if (fn > lim.az_limit) return failure(no_computation, fn_beyond_template, {fn, lim.az_limit});
    if (az > bound) return failure(imprecise, az_imprecise_template, {az, bound});
    if (fn > bound) return failure(imprecise, fn_imprecise, {fn, bound});
    return {};
}

void fill(Complex* cy, int n, Complex value) { std::fill(cy, cy + std::max(n, 0), value); }

bool has_nan(Complex z) { return std::isnan(z.real()) || std::isnan(z.imag()); }

// v * c for a v that may sit near the underflow threshold: such a v is
// raised by 1/tol first and the product lowered by tol, so that the
// rotation does not lose its small components.
Complex protected_product(Complex v, Complex c, double ascle, double tol) {
    if (std::max(std::fabs(v.real()), std::fabs(v.imag())) <= ascle) return (v * (1.0 / tol)) * c * tol;
    return v * c;
}

// The rotation factor e^(i sgn fnu) with |sgn| = pi/2, formed from the
// fractional part of fnu and the parity of its integer part so that a large
// order keeps its phase: the sign of the result is that of (-1)^(inu/2).
Complex quarter_turn_phase(double fnu, double sgn) {
    const int inu = static_cast<int>(fnu);
    const int inuh = inu / 2;
    const int ir = inu - 2 * inuh;
    const double arg = (fnu - (inu - ir)) * sgn;
    const Complex phase(std::cos(arg), std::sin(arg));
    return inuh % 2 != 0 ? -phase : phase;
}

Outcome bessel_j(double fnu, Complex z, int n, int kode, Complex* cy, int& nz) {
    const Limits lim = cbes::cbes_limit_set();
    const double az = std::abs(z);
    Outcome outcome = check_range(az, fnu + n - 1, lim, 4, 3, fn_imprecise_template);
    if (outcome.error == 4) return outcome;

    Complex csgn = quarter_turn_phase(fnu, hpi);
    Complex zn(z.imag(), -z.real());  // -iz
    double cii = 1.0;
    if (z.imag() < 0.0) {
        zn = -zn;
        csgn = std::conj(csgn);
        cii = -1.0;
    }
    int core_nz = 0;
    cbes::cbes_i_core(zn, fnu, kode, n, cy, core_nz, lim);
    if (core_nz < 0) {
        if (core_nz == -3) return failure(4, az_beyond_template, {az, std::sqrt(lim.az_limit)});
        if (core_nz == -2) return failure(5, termination_template);
        return failure(2, imag_overflow_template, {z.imag(), lim.elim});
    }
    nz = core_nz;
    const double ascle = std::exp(-lim.elim) / lim.tol;
    for (int k = 0; k < n - nz; ++k) {
        cy[k] = protected_product(cy[k], csgn, ascle, lim.tol);
        csgn = Complex(-csgn.imag() * cii, csgn.real() * cii);  // times i cii
    }
    return outcome;
}

// The overflow and termination failures of the Hankel computation, from a
// negative count of the K machinery.
Outcome hankel_failure(int count, double az, double fn, const Limits& lim) {
    if (count == -3) return failure(5, az_beyond_template, {az, std::sqrt(lim.az_limit)});
    if (count == -1) return failure(3, order_overflow_template, {fn});
    return failure(6, termination_template);
}

Outcome hankel(int m, double fnu, Complex z, int n, int kode, Complex* cy, int& nz) {
    const Limits lim = cbes::cbes_limit_set();
    const double az = std::abs(z);
    const double fn = fnu + n - 1;
    const double fmm = 3 - 2 * m;
    Complex zn(fmm * z.imag(), -fmm * z.real());  // -i (3 - 2m) z
    Outcome outcome = check_range(az, fn, lim, 5, 4, hankel_fn_imprecise_template);
    if (outcome.error == 5) return outcome;
    const double ufl = std::exp(-lim.elim);
    if (az < ufl) return failure(2, small_z_template, {az, ufl});

    // The left half plane of zn, and for H(2) its negative imaginary axis,
    // are reached by continuation from the right half plane.
    const bool on_axis = zn.real() == 0.0 && zn.imag() < 0.0 && m == 2;
    const bool continued = zn.real() < 0.0 || on_axis;
    const int mr = continued ? -static_cast<int>(fmm) : 0;
    int nn = n;
    int count = 0;
    if (fnu > lim.fnul) {
        if (on_axis) zn = -zn;
        cbes::cbes_k_uniform(zn, fnu, kode, mr, n, cy, count, lim);
    } else {
        if (fn > 2.0) {
            int nuf = 0;
            cbes::cbes_over_under_test(zn, fnu, kode, 2, nn, cy, nuf, lim);
            if (nuf < 0) return hankel_failure(-1, az, fn, lim);
            nz += nuf;
            nn -= nuf;
            if (nn == 0) {
                // Every member underflows: zeros, nothing to rotate; in the
                // left half plane the continuation would overflow instead.
                return zn.real() < 0.0 ? hankel_failure(-1, az, fn, lim) : outcome;
            }
        } else if (fn > 1.0 && az <= lim.tol) {
            if (-fn * std::log(az / 2.0) > lim.elim) return hankel_failure(-1, az, fn, lim);
        }
        if (continued) {
            cbes::cbes_k_continuation(zn, fnu, kode, mr, nn, cy, count, lim);
        } else {
            cbes::cbes_k_core(zn, fnu, kode, nn, cy, count, lim);
        }
    }
    if (count < 0) return hankel_failure(count, az, fn, lim);
    nz = count;

    // (2/(pi i)) e^(-i (3-2m) fnu pi/2) times (3 - 2m), then a quarter turn
    // per order.
    const double sgn = std::copysign(hpi, -fmm);
    const Complex phase = quarter_turn_phase(fnu, sgn);
    Complex csgn = Complex(-phase.imag(), phase.real()) / sgn;
    const double zti = -fmm;
    const double ascle = ufl / lim.tol;
    for (int k = 0; k < nn; ++k) {
        cy[k] = protected_product(cy[k], csgn, ascle, lim.tol);
        csgn = Complex(-csgn.imag() * zti, csgn.real() * zti);  // times i zti
    }
    return outcome;
}

// Y from the two Hankel sequences; cy receives H(1), cwrk H(2). The inner
// calls print their records (when ifail asks for messages) without the
// abnormal-exit lines, which then name ZBESLY; the outcome carries no record.
Outcome bessel_y(double fnu, Complex z, int n, char scale, Complex* cy, Complex* cwrk, int& nz, int ifail) {
    const int inner = ifail == 1 ? 1 : -13;
    int nz1 = 0;
    int ifail1 = inner;
    zhankl(1, fnu, z, n, scale, cy, nz1, ifail1);
    if (ifail1 != 0 && ifail1 != 4) return {ifail1, {}};
    int nz2 = 0;
    int ifail2 = inner;
    zhankl(2, fnu, z, n, scale, cwrk, nz2, ifail2);
    if (ifail2 != 0 && ifail2 != 4) return {ifail2, {}};
    const Outcome outcome{ifail1 == 4 || ifail2 == 4 ? 4 : 0, {}};
    nz = std::min(nz1, nz2);

    if (scale_kode(scale) == 1) {
        for (int k = 0; k < n; ++k) {
            const Complex d = cwrk[k] - cy[k];
            cy[k] = Complex(-d.imag() * 0.5, d.real() * 0.5);  // i d/2
        }
        return outcome;
    }
    // e^(-|Im z|) Y from e^(-iz) H(1) and e^(iz) H(2): the factors c1 and c2
    // restore e^(-|Im z|) H(1) and e^(-|Im z|) H(2).
    const Limits lim = cbes::cbes_limit_set();
    const double exr = std::cos(z.real());
    const double exi = std::sin(z.real());
    const double tay = std::fabs(2.0 * z.imag());
    const double ey = tay < lim.elim ? std::exp(-tay) : 0.0;
    const Complex c1 = z.imag() >= 0.0 ? Complex(exr * ey, exi * ey) : Complex(exr, exi);
    const Complex c2 = z.imag() >= 0.0 ? Complex(exr, -exi) : Complex(exr * ey, -exi * ey);
    const double ascle = std::exp(-lim.elim) / lim.tol;
    nz = 0;
    for (int k = 0; k < n; ++k) {
        const Complex s =
            protected_product(cwrk[k], c2, ascle, lim.tol) - protected_product(cy[k], c1, ascle, lim.tol);
        cy[k] = Complex(-s.imag() * 0.5, s.real() * 0.5);  // i s/2
        if (s == 0.0 && ey == 0.0) ++nz;
    }
    return outcome;
}

// The frame every driver shares: the argument checks, NaN members for a NaN
// z, the computation, zeros after a failure that leaves no values (every
// failure but the precision warning), and one fail_exit at the end.
template <typename Compute>
void drive(const char* name, int warning, Outcome checks, Complex z, int n, Complex* cy, int& nz, int& ifail,
           Compute compute) {
    nz = 0;
    Outcome outcome = std::move(checks);
    if (outcome.error == 0 && has_nan(z)) {
        fill(cy, n, std::numeric_limits<double>::quiet_NaN());
    } else if (outcome.error == 0) {
        outcome = compute();
    }
    if (outcome.error != 0 && outcome.error != warning) {
        nz = 0;
        fill(cy, n, 0.0);
    }
    ifail = fail_exit(ifail, outcome.error, name, outcome.message);
}

}  // namespace

void zbeslj(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail) {
    drive("ZBESLJ", 3, check_arguments(false, z, fnu, scale, n, nullptr), z, n, cy, nz, ifail,
          [&] { return bessel_j(fnu, z, n, scale_kode(scale), cy, nz); });
}

void zhankl(int m, double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz,
            int& ifail) {
    drive("ZHANKL", 4, check_arguments(true, z, fnu, scale, n, &m), z, n, cy, nz, ifail,
          [&] { return hankel(m, fnu, z, n, scale_kode(scale), cy, nz); });
}

void zbesly(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz,
            std::complex<double>* cwrk, int& ifail) {
    const int entry = ifail;
    drive("ZBESLY", 4, check_arguments(true, z, fnu, scale, n, nullptr), z, n, cy, nz, ifail,
          [&] { return bessel_y(fnu, z, n, scale, cy, cwrk, nz, entry); });
}

}  // namespace qelms
