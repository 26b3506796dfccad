// Bessel functions J and Y and Hankel functions of complex argument, from the
// I and K machinery of the rotated argument:
//   J(nu, z) = e^(i nu pi/2) I(nu, -iz)                       (Im z >= 0),
//   H(m)(nu, z) = (3 - 2m) (2/(pi i)) e^(-(3-2m) i nu pi/2) K(nu, -(3-2m) i z),
//   Y(nu, z) = (H(1)(nu, z) - H(2)(nu, z)) / (2i).
#include <algorithm>
#include <cmath>
#include <complex>
#include <string_view>

#include "../specfun/exact_argument.hpp"
#include "complex_bessel.hpp"
#include "k_scaling.hpp"
#include "qelms/qelms.hpp"
#include "sequence_driver.hpp"

namespace qelms {
namespace {

using cbes::Complex;
using cbes::DriverOutcome;
using cbes::Limits;
using cbes::hpi;

constexpr std::string_view hankel_order_lacks_precision =
    "(1X,'** Results lack precision, FNU+N-1 =',1P,D13.5,' .GT.',D13.5)";

// e^(i sgn fnu) with |sgn| = pi/2, formed from the fractional part of fnu and
// the parity of its integer part so that a large order keeps its phase.
Complex quarter_turn_phase(double fnu, double sgn) {
    const int inu = static_cast<int>(fnu);
    const int inuh = inu / 2;
    const int ir = inu - 2 * inuh;
    const double turns = fnu - (inu - ir);
    const Complex phase = cbes::unit_phase(cbes::dd_half_pi, sgn > 0.0 ? turns : -turns);
    return inuh % 2 != 0 ? -phase : phase;
}

// Each evaluation returns whether the members hold values (any failure only
// the precision warning).
bool compute_j(double fnu, Complex z, int n, char scale, Complex* cy, int& nz, const Limits& lim,
               DriverOutcome& out) {
    const double az = cbes::modulus(z);
    if (!cbes::range_valid(out, az, fnu + n - 1, lim, {4, 3, cbes::order_lacks_precision})) return false;

    // On the positive real axis, in the power-series region, J is real: its
    // series without the phases of I(-iz) and their rotation.
    if (z.imag() == 0.0 && z.real() > 0.0 &&
        cbes::cbes_series_on_axis(z.real(), fnu, cbes::scale_kode(scale), n, false, cy, lim))
        return true;
    // I of -iz in the right half plane; below the real axis the mirror image.
    Complex csgn = quarter_turn_phase(fnu, hpi);
    Complex zn(z.imag(), -z.real());
    double cii = 1.0;
    if (z.imag() < 0.0) {
        zn = -zn;
        csgn = std::conj(csgn);
        cii = -1.0;
    }
    nz = cbes::i_sequence(zn, fnu, cbes::scale_kode(scale), n, cy, lim, out,
                          "(1X,'** No computation because imag(Z) =',1P,D13.5,' .GT.',D12.5,', SCALE = ''U''.')",
                          z.imag());
    if (nz < 0) return false;
    cbes::rotate_members(cy, n - nz, csgn, Complex(0.0, cii), lim);
    // On the positive real axis J of real order is real: the imaginary parts
    // the rotation leaves are its rounding alone.
    if (z.imag() == 0.0 && z.real() > 0.0)
        for (int k = 0; k < n; ++k) cy[k].imag(0.0);
    return true;
}

// c 2/pi with a single rounding of each part.
Complex times_two_over_pi(Complex c) {
    constexpr double split_safe = 1e290;  // the exact product splits its factors, which overflows beyond
    auto part = [](double a) {
        if (!(std::fabs(a) < split_safe)) return a * cbes::dd_two_over_pi.hi;
        const TwoDoubles p = exact_product(a, cbes::dd_two_over_pi.hi);
        return p.hi + (p.lo + a * cbes::dd_two_over_pi.lo);
    };
    return {part(c.real()), part(c.imag())};
}

bool hankel_kind_valid(DriverOutcome& out, int m) {
    if (m == 1 || m == 2) return true;
    out.set(1, "(1X,'** On entry, M has illegal value: M = ',I16)", {m});
    return false;
}

bool compute_h(int m, double fnu, Complex z, int n, char scale, Complex* cy, int& nz, const Limits& lim,
               DriverOutcome& out, cbes::KPair* shared) {
    const double az = cbes::modulus(z);
    const double fn = fnu + n - 1;
    if (!cbes::range_valid(out, az, fn, lim, {5, 4, hankel_order_lacks_precision})) return false;

    // K of zn = -i (3 - 2m) z; its left half plane, and for H(2) its negative
    // imaginary axis, by continuation from the right half plane.
    const double fmm = 3 - 2 * m;
    const Complex zn(fmm * z.imag(), -fmm * z.real());
    const bool continued = zn.real() < 0.0 || (zn.real() == 0.0 && zn.imag() < 0.0 && m == 2);
    const int nn = cbes::k_sequence(zn, fnu, cbes::scale_kode(scale), continued ? -static_cast<int>(fmm) : 0, n, cy,
                                    nz, lim, out, "(1X,'** No computation because abs(Z) =',1P,D13.5,' .LT. ',D13.5)",
                                    shared);
    if (nn < 0) return false;

    // (3 - 2m) (2/(pi i)) e^(-(3-2m) i fnu pi/2), then a quarter turn per order.
    // The factor 2/pi goes in first, so that for integer orders the rotation is exact.
    const Complex phase = quarter_turn_phase(fnu, std::copysign(hpi, -fmm));
    std::transform(cy, cy + nn, cy, times_two_over_pi);
    cbes::rotate_members(cy, nn, Complex(phase.imag(), -phase.real()) * fmm, Complex(0.0, -fmm), lim);
    return true;
}

// zhankl, with the K pair of its z shared with a call for the other kind.
void hankel(int m, double fnu, Complex z, int n, char scale, Complex* cy, int& nz, int& ifail, cbes::KPair* shared) {
    cbes::run_driver(
        "ZHANKL", true, fnu, z, n, scale, cy, nz, ifail, [m](DriverOutcome& out) { return hankel_kind_valid(out, m); },
        [&](const Limits& lim, DriverOutcome& out) { return compute_h(m, fnu, z, n, scale, cy, nz, lim, out, shared); });
}

// Y from the two Hankel sequences, H(1) into cy and H(2) into cwrk. The
// Hankel calls print their records (when the caller's ifail prints) without
// the abnormal-exit lines, which then name ZBESLY; their failure number
// becomes that of zbesly, with no record of its own.
bool compute_y(double fnu, Complex z, int n, char scale, Complex* cy, Complex* cwrk, int& nz, int ifail,
               const Limits& lim, DriverOutcome& out) {
    // On the positive real axis Y alone, without J, where that path neither fails nor warns.
    if (z.imag() == 0.0 && z.real() > 0.0 && cbes::cbes_y_on_axis(z.real(), fnu, cbes::scale_kode(scale), n, cy, lim)) {
        nz = 0;
        return true;
    }
    const int inner = failure_prints(ifail) ? -13 : 1;
    // H(2) continues K of -z from the K that H(1) takes, or the other way round.
    cbes::KPair shared;
    int nz1 = 0;
    int ifail1 = inner;
    hankel(1, fnu, z, n, scale, cy, nz1, ifail1, &shared);
    out.error = ifail1;
    if (ifail1 != 0 && ifail1 != 4) return false;
    int nz2 = 0;
    if (z.imag() == 0.0 && z.real() > 0.0 && ifail1 == 0) {
        // On the positive real axis H(2) = conj H(1), scaled or not (a call
        // that neither fails nor warns for one kind does neither for the other).
        std::transform(cy, cy + n, cwrk, [](Complex c) { return std::conj(c); });
        nz2 = nz1;
    } else {
        int ifail2 = inner;
        hankel(2, fnu, z, n, scale, cwrk, nz2, ifail2, &shared);
        if (ifail2 != 0) out.error = ifail2;
        if (ifail2 != 0 && ifail2 != 4) return false;
    }
    nz = std::min(nz1, nz2);

    if (cbes::scale_kode(scale) == 2) {
        // e^(-|Im z|) H(1) and e^(-|Im z|) H(2) from e^(-iz) H(1) and e^(iz) H(2):
        // the one of the side where H decays takes e^(-2|Im z|) besides the
        // turn. Where that factor underflows the scaled H may still be large
        // (at orders beyond |z|), so the product is formed without it.
        const double exr = std::cos(z.real());
        const double exi = std::sin(z.real());
        const double tay = std::fabs(2.0 * z.imag());
        const bool upper = z.imag() >= 0.0;
        Complex* const decaying = upper ? cy : cwrk;
        const double turn = upper ? z.real() : -z.real();
        if (tay < lim.elim) {
            const double ey = std::exp(-tay);
            cbes::rotate_members(decaying, n, Complex(exr * ey, (upper ? exi : -exi) * ey), 1.0, lim);
        } else {
            for (int k = 0; k < n; ++k) cbes::times_exp(decaying[k], Complex(-tay, turn), decaying[k]);
        }
        cbes::rotate_members(upper ? cwrk : cy, n, Complex(exr, upper ? -exi : exi), 1.0, lim);
        nz = 0;
        for (int k = 0; k < n; ++k) {
            if (cwrk[k] == cy[k] && tay >= lim.elim) ++nz;
        }
    }
    for (int k = 0; k < n; ++k) {
        const Complex d = cwrk[k] - cy[k];
        cy[k] = Complex(-d.imag() * 0.5, d.real() * 0.5);  // i (H(2) - H(1))/2
    }
    return true;
}

}  // namespace

void zbeslj(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail) {
    // Orders 0 and 1 on the real axis below the bound of the precision warning.
    if (cbes::orders_zero_one_on_axis(fnu, z, n, scale, cbes::cbes_limit_set().precision_bound, 0.0, beslj0, beslj1,
                                      cy, nz, ifail))
        return;
    // Longer sequences from them while every order is at most x/2.
    if (cbes::integer_orders_by_recurrence(fnu, z, n, scale, 0.0, 2.0, cbes::cbes_limit_set().precision_bound, beslj0,
                                           beslj1, cy, nz, ifail))
        return;
    cbes::run_driver("ZBESLJ", false, fnu, z, n, scale, cy, nz, ifail, cbes::no_further_checks,
                     [&](const Limits& lim, DriverOutcome& out) {
                         return compute_j(fnu, z, n, scale, cy, nz, lim, out);
                     });
}

void zhankl(int m, double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz,
            int& ifail) {
    hankel(m, fnu, z, n, scale, cy, nz, ifail, nullptr);
}

void zbesly(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz,
            std::complex<double>* cwrk, int& ifail) {
    // Orders 0 and 1 on the real axis below the bound of the precision
    // warning, where neither Hankel sequence fails or warns.
    if (cbes::orders_zero_one_on_axis(fnu, z, n, scale, cbes::cbes_limit_set().precision_bound, 0.0, besly0, besly1,
                                      cy, nz, ifail))
        return;
    // Longer sequences from them: Y grows with the order, and the recurrence is stable for it.
    if (cbes::integer_orders_by_recurrence(fnu, z, n, scale, cbes::recurred_y_low, 0.0,
                                           cbes::cbes_limit_set().precision_bound, besly0, besly1, cy, nz, ifail))
        return;
    const int entry = ifail;
    cbes::run_driver("ZBESLY", true, fnu, z, n, scale, cy, nz, ifail, cbes::no_further_checks,
                     [&](const Limits& lim, DriverOutcome& out) {
                         return compute_y(fnu, z, n, scale, cy, cwrk, nz, entry, lim, out);
                     });
}

}  // namespace qelms
