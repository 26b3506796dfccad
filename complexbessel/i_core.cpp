// The limit set, the guarded exponential and quotient, and the evaluator of
// I sequences in the right half plane: region selection among the power
// series, the large-argument expansion, Miller's algorithm (normalised by the
// Neumann series or by the Wronskian with K) and the uniform expansions, with
// the overflow/underflow pre-test and the underflow check they share.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "../support/machine.hpp"
#include "complex_bessel.hpp"
#include "qelms/qelms.hpp"

namespace qelms::cbes {

namespace {

constexpr double debye_sector = 1.7321;       // |Im z| <= this * |Re z|: Debye form, else Airy form
constexpr double ln_two_root_pi = 1.2655121234846454;  // ln(2 sqrt(pi)), the Airy-form amplitude
constexpr double series_radius = 2.0;         // |z| up to which the power series is always used

// The failure code a method's negative count becomes: -2 and -3 pass, the rest is overflow.
int failure_code(int nw) { return nw == -2 || nw == -3 ? nw : -1; }

void set_zero(Complex* y, int n) { std::fill(y, y + n, Complex(0.0, 0.0)); }

// The leading exponent cz of the uniform expansion of I (ikflg 1) or K
// (ikflg 2) of order gnu at zr = z or -z (scaled as kode says), and the log of
// the amplitude that goes with it.
void leading_exponent(Complex z, Complex zr, double gnu, int kode, int ikflg, const Limits& lim, Complex& cz,
                      Complex& log_amplitude) {
    Complex phi, zeta1, zeta2;
    if (std::fabs(z.imag()) <= debye_sector * std::fabs(z.real())) {
        int init = 0;
        Complex sum;
        DebyeWork work{};
        cbes_debye_terms(zr, gnu, ikflg, 1, lim.tol, init, phi, zeta1, zeta2, sum, work, lim);
        log_amplitude = rough_log(phi);
    } else {
        // The Airy form works on -i zr, mirrored into Re >= 0 below the real axis.
        Complex zn(zr.imag(), -zr.real());
        if (z.imag() <= 0.0) zn = Complex(-zn.real(), zn.imag());
        Complex arg, asum, bsum;
        cbes_airy_terms(zn, {gnu, 0.0}, 1, lim.tol, phi, arg, zeta1, zeta2, asum, bsum, lim);
        log_amplitude = rough_log(phi) - 0.25 * rough_log(arg) - ln_two_root_pi;
    }
    cz = zeta2 - zeta1;
    if (kode == 2) cz -= zr;
    if (ikflg == 2) cz = -cz;
}

// Whether a member of leading exponent cz and log amplitude la underflows.
bool member_underflows(Complex cz, Complex la, const Limits& lim) {
    double rcz = cz.real();
    if (rcz < -lim.elim) return true;
    if (rcz > -lim.alim) return false;
    rcz += la.real();
    if (rcz <= -lim.elim) return true;
    const double phase = cz.imag() + la.imag();
    const Complex scaled = std::exp(rcz) / lim.tol * Complex(std::cos(phase), std::sin(phase));
    int nw = 0;
    cbes_underflow_check(scaled, nw, 1000.0 * mach_safe_min() / lim.tol, lim.tol);
    return nw != 0;
}

// Whether the leading exponent of every order the test looks at has a real
// part inside (-alim, alim), so that it can neither fail nor zero a member.
// For |z| >= 2 nu, with nu the largest of those orders, r = nu/|z| <= 1/2:
// the exponent is -+(sqrt(nu^2 + z^2) - nu ln((nu + sqrt(nu^2 + z^2))/z)),
// less z when scaled, for either branch of the root. Since sqrt(nu^2 + z^2)
// = +-z sqrt(1 + r^2 e^(i theta)), its real part is within 0.54 nu^2/|z| of
// +-Re z, and the modulus under the logarithm lies in [0.366, 1.618], whose
// logarithms are at most 1.006 in size.
bool exponent_far_inside(Complex z, double nu, int kode, const Limits& lim) {
    const double az = modulus(z);
    if (!(az >= 2.0 * nu)) return false;
    const double bound = (kode == 2 ? 2.0 : 1.0) * std::fabs(z.real()) + 0.54 * nu * nu / az + 1.01 * nu + 1.0;
    return bound < lim.alim;
}

// The same for one order nu with |z| < 2 nu, w = |z|/nu < 2: the exponent is
// -+ nu (s - ln((1 + s)/(z/nu))) with s = +-sqrt(1 + (z/nu)^2) in the Debye
// form (sqrt(1 - (z/nu)^2) of the rotated argument in the Airy form), less
// z when scaled. |s| <= sqrt(1 + w^2) <= sqrt 5, and (1 + s)(1 - s) = -+w^2
// puts |1 + s| within [w^2/(1 + sqrt 5), 1 + sqrt 5] for either branch, so
// that the real part of the logarithm is at most |ln w| + ln(1 + sqrt 5) in size.
bool exponent_inside_near_order(Complex z, double nu, int kode, const Limits& lim) {
    constexpr double root_and_log = 3.4105;  // above sqrt 5 + ln(1 + sqrt 5) = 3.41043
    const double az = modulus(z);
    if (!(az < 2.0 * nu && az > 0.0)) return false;
    const double bound =
        (kode == 2 ? std::fabs(z.real()) : 0.0) + nu * (root_and_log + std::fabs(std::log(az / nu))) + 1.0;
    return bound < lim.alim;
}

// Whether the leading exponent of K (ikflg 2) of order nu, or of I (ikflg 1,
// its negative: zeta1 and zeta2 do not depend on the kind), lies inside
// (-alim, alim) with a margin on the two axes, from its closed form: on the
// positive real axis (the Debye form) nu asinh(nu/x) - sqrt(nu^2 + x^2), plus
// x when scaled; on the imaginary axis z = iy (the Airy form) nu (acosh(nu/|y|)
// - sqrt(1 - (y/nu)^2)) for |y| < nu and 0 beyond, scaled or not. The forms
// the test evaluates differ from these by roundings, far below the margin of
// 1 plus 1e-12 of the sizes of the terms.
bool exponent_inside_on_axis(Complex z, double nu, int kode, const Limits& lim) {
    constexpr double relative_margin = 1e-12;
    if (z.imag() == 0.0 && z.real() > 0.0) {
        const double x = z.real();
        const double lead = nu * std::asinh(nu / x), root = std::hypot(nu, x), shift = kode == 2 ? x : 0.0;
        const double margin = 1.0 + relative_margin * (lead + root + shift);
        return std::fabs(lead - root + shift) + margin < lim.alim;
    }
    if (z.real() == 0.0 && z.imag() != 0.0) {
        const double t = std::fabs(z.imag()) / nu;
        if (t >= 1.0) return true;
        const double lead = nu * std::acosh(1.0 / t);
        return lead + 1.0 + relative_margin * lead < lim.alim;
    }
    return false;
}

}  // namespace

bool cbes_exp(Complex z, Complex& result) {
    int ifail = 1;
    result = qelms::zexpon(z, ifail);
    return ifail == 0 || ifail == 4;
}

Complex cbes_divide(Complex a, Complex b) {
    const double ab = std::abs(b);
    return a * (std::conj(b) / ab) / ab;
}

void cbes_underflow_check(Complex y, int& nz, double ascle, double tol) {
    nz = 0;
    const double wr = std::fabs(y.real());
    const double wi = std::fabs(y.imag());
    const double big = std::max(wr, wi);
    // A member above the bound is kept however small its smaller part: only
    // its magnitude decides whether it underflows.
    if (big > ascle) return;
    if (big < std::min(wr, wi) / tol) nz = 1;
}

void cbes_over_under_test(Complex z, double fnu, int kode, int ikflg, int n, Complex* y, int& nuf,
                          const Limits& lim) {
    nuf = 0;
    if (exponent_far_inside(z, std::max(fnu + (n - 1), static_cast<double>(n)), kode, lim)) return;
    const double gnu = ikflg == 1 ? std::max(fnu, 1.0) : std::max(fnu + (n - 1), static_cast<double>(n));
    if (ikflg == 2 && (exponent_inside_near_order(z, gnu, kode, lim) || exponent_inside_on_axis(z, gnu, kode, lim)))
        return;
    // I: the two orders the test looks at when neither leaves the range,
    // the lowest (at least 1) and the top member.
    if (ikflg == 1 && exponent_inside_on_axis(z, gnu, kode, lim) &&
        (n < 2 || exponent_inside_on_axis(z, fnu + (n - 1), kode, lim)))
        return;
    const Complex zr = z.real() < 0.0 ? -z : z;
    Complex cz, la;
    leading_exponent(z, zr, gnu, kode, ikflg, lim, cz, la);
    if (cz.real() > lim.elim) {
        nuf = -1;
        return;
    }
    if (cz.real() >= lim.alim) {
        if (cz.real() + la.real() > lim.elim) {
            nuf = -1;
            return;
        }
    } else if (member_underflows(cz, la, lim)) {
        set_zero(y, n);
        nuf = n;
        return;
    }
    if (ikflg == 2 || n < 2) return;
    // I decreases with the order: drop the top members that underflow.
    for (int nn = n; nn > 0; --nn) {
        leading_exponent(z, zr, fnu + (nn - 1), kode, ikflg, lim, cz, la);
        if (!member_underflows(cz, la, lim)) return;
        y[nn - 1] = 0.0;
        ++nuf;
    }
}

void cbes_i_core(Complex z, double fnu, int kode, int n, Complex* cy, int& nz, const Limits& lim, KPair* k_pair) {
    nz = 0;
    if (n < 1) return;
    if (std::isnan(z.real()) || std::isnan(z.imag()) || std::isnan(fnu)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        std::fill(cy, cy + n, Complex(nan, nan));
        return;
    }
    const double az = modulus(z);
    int nn = n;
    double dfnu = fnu + (n - 1);
    int nw = 0;
    if (az <= series_radius || az * az * 0.25 <= dfnu + 1.0) {
        cbes_i_series(z, fnu, kode, nn, cy, nw, lim);
        nz += std::abs(nw);
        nn -= std::abs(nw);
        if (nn == 0 || nw >= 0) return;
        // The series stopped where |z^2/4| exceeds the order: the rest by another method.
        dfnu = fnu + (nn - 1);
    }
    bool miller_series = false;
    if (az < lim.rl) {
        miller_series = dfnu <= 1.0;
    } else if (!(dfnu > 1.0 && az + az < dfnu * dfnu)) {
        cbes_i_asymptotic(z, fnu, kode, nn, cy, nw, lim);
        if (nw < 0) nz = failure_code(nw);
        return;
    }
    if (!miller_series) {
        // Below rl and fnul, Miller's region has 2 < |z| < rl and orders below
        // fnul: there the leading exponent of I stays within a few hundred of
        // 0, far inside alim, and the pre-test can neither zero a member nor fail.
        if (az >= lim.rl || dfnu > lim.fnul) {
            cbes_over_under_test(z, fnu, kode, 1, nn, cy, nw, lim);
            if (nw < 0) {
                nz = -1;
                return;
            }
            nz += nw;
            nn -= nw;
            if (nn == 0) return;
            dfnu = fnu + (nn - 1);
        }
        if (dfnu > lim.fnul || az > lim.fnul) {
            // Large order: the uniform expansions from order fnul down, the lowest orders possibly left over.
            const int nui = std::max(static_cast<int>(lim.fnul - dfnu) + 1, 0);
            int nlast = 0;
            cbes_i_uniform(z, fnu, kode, nn, cy, nw, nui, nlast, lim);
            if (nw < 0) {
                nz = failure_code(nw);
                return;
            }
            nz += nw;
            if (nlast == 0) return;
            nn = nlast;
        }
        if (az > lim.rl) {
            Complex cw[2];
            cbes_over_under_test(z, fnu, kode, 2, 2, cw, nw, lim);
            if (nw < 0) {
                // The K pair overflows, so every I member underflows.
                nz = nn;
                set_zero(cy, nn);
                return;
            }
            if (nw > 0) {
                nz = -1;
                return;
            }
            const bool known = k_pair != nullptr && k_pair->holds(z, 2);
            if (known) std::copy(k_pair->k, k_pair->k + 2, cw);
            cbes_i_miller_wronskian(z, fnu, kode, nn, cy, nw, cw, known, lim);
            if (nw < 0) {
                nz = failure_code(nw);
            } else if (k_pair != nullptr && !known) {
                k_pair->keep(z, cw, 2);
            }
            return;
        }
    }
    cbes_i_miller_series(z, fnu, kode, nn, cy, nw, lim);
    if (nw < 0) nz = failure_code(nw);
}

}  // namespace qelms::cbes
