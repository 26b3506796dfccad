// K in the left half plane from I and K of zn = -z:
// K(nu, zn e^(i pi mr)) = e^(-i pi mr nu) K(nu, zn) - i pi mr I(nu, zn).
// With kode 2 the result is e^z K(nu, z): the K term then needs e^(-2 zn),
// which cbes_combine_scaled applies where it does not underflow.
#include <algorithm>
#include <cmath>

#include "complex_bessel.hpp"
#include "double_double.hpp"
#include "k_scaling.hpp"

namespace qelms::cbes {
namespace {


// A failed sub-evaluation: its -2 or -3 passes through, anything else is -1;
// the members are set to 0.
void fail(int nw, Complex* y, int n, int& nz) {
    std::fill(y, y + n, Complex(0.0));
    nz = nw == -2 || nw == -3 ? nw : -1;
}

// The factors of the continuation formula: csgn multiplies the I member,
// cspn = e^(-i pi mr fnu) the K member of order fnu.
struct Factors {
    Complex csgn;
    Complex cspn;
};

Factors factors(Complex zn, double fnu, int kode, int mr) {
    const double sgn = -pi * mr;
    Complex csgn(0.0, sgn);
    // The scaled I member lacks e^(-i Im zn) of e^z I(zn).
    if (kode == 2) csgn *= Complex(std::cos(zn.imag()), -std::sin(zn.imag()));
    const double whole = std::trunc(fnu);
    Complex cspn = unit_phase(dd_pi, (fnu - whole) * -mr);
    if (std::fmod(whole, 2.0) != 0.0) cspn = -cspn;
    return {csgn, cspn};
}

// One member from the K member c1 and the I member c2; with scaled set the
// pair is first made safe (c1 then holds the rescaled K member). The sign of
// cspn alternates from member to member.
Complex combine(Complex zn, Complex& c1, Complex c2, bool scaled, Factors& f, int& nz, int& iuf, double ascle,
                double alim) {
    if (scaled) {
        int nw = 0;
        cbes_combine_scaled(zn, c1, c2, nw, ascle, alim, iuf);
        nz += nw;
    }
    const Complex value = f.cspn * c1 + f.csgn * c2;
    f.cspn = -f.cspn;
    return value;
}

}  // namespace

void cbes_combine_scaled(Complex zr, Complex& s1, Complex& s2, int& nz, double ascle, double alim, int& iuf) {
    nz = 0;
    if (s1 != 0.0) {
        const double aln = -2.0 * zr.real() + std::log(std::abs(s1));
        Complex scaled = 0.0;
        if (aln >= -alim) {
            times_exp(s1, -2.0 * zr, scaled);
            ++iuf;
        }
        s1 = scaled;
    }
    if (std::max(std::abs(s1), std::abs(s2)) <= ascle) {
        s1 = 0.0;
        s2 = 0.0;
        nz = 1;
        iuf = 0;
    }
}

void cbes_k_continuation(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz, const Limits& lim,
                         KPair* shared) {
    nz = 0;
    const Complex zn = -z;
    int nw = 0;
    KPair own;
    KPair& k_pair = shared != nullptr ? *shared : own;
    cbes_i_core(zn, fnu, kode, n, y, nw, lim, &k_pair);
    if (nw < 0) {
        fail(nw, y, n, nz);
        return;
    }
    // The K members of orders fnu and fnu + 1, unless given or found by the I core.
    const int first = std::min(2, n);
    if (!k_pair.holds(zn, first)) {
        Complex k[2];
        cbes_k_core(zn, fnu, kode, first, k, nw, lim);
        if (nw != 0) {
            fail(nw, y, n, nz);
            return;
        }
        k_pair.keep(zn, k, first);
    }
    const Complex* const cy = k_pair.k;
    Factors f = factors(zn, fnu, kode, mr);
    const Scaling sc = make_scaling(lim.tol);
    const double ascle = sc.bry[0];
    int iuf = 0;
    Complex last;
    for (int k = 0; k < first; ++k) {
        last = cy[k];
        y[k] = combine(zn, last, y[k], kode == 2, f, nz, iuf, ascle, lim.alim);
    }
    if (n <= 2) return;
    // Further K members by the forward recurrence; once three in a row have
    // taken e^(-2 zn), the recurrence runs on the rescaled values instead.
    const int level = level_of(cy[1], sc);
    KRecurrence rec(cy[0] * sc.css[level], cy[1] * sc.css[level], exact_sum(fnu, 1.0), two_over(zn), level);
    for (int k = 2; k < n; ++k) {
        Complex c1 = rec.step(sc);
        y[k] = combine(zn, c1, y[k], kode == 2 && iuf >= 0, f, nz, iuf, ascle, lim.alim);
        if (iuf == 3) {
            iuf = -4;
            const int lv = level_of(c1, sc);
            rec.set(last * sc.css[lv], c1 * sc.css[lv]);
            rec.level = lv;
        }
        last = c1;
    }
    if (!std::all_of(y, y + n, finite_member)) report_overflow(y, n, nz);
}

void cbes_airy_continuation(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz, const Limits& lim) {
    nz = 0;
    const Complex zn = -z;
    const double az = modulus(z);
    const double dfnu = fnu + n - 1;
    int nw = 0;
    if (az <= 2.0 || az * az * 0.25 <= dfnu + 1.0) {
        cbes_i_series(zn, fnu, kode, n, y, nw, lim);
    } else {
        if (az >= lim.rl) {
            cbes_i_asymptotic(zn, fnu, kode, n, y, nw, lim);
        } else {
            cbes_i_miller_series(zn, fnu, kode, n, y, nw, lim);
        }
        if (nw < 0) {
            fail(nw, y, n, nz);
            return;
        }
    }
    Complex cy[1];
    cbes_k_core(zn, fnu, kode, 1, cy, nw, lim);
    if (nw != 0) {
        fail(nw, y, n, nz);
        return;
    }
    Factors f = factors(zn, fnu, kode, mr);
    int iuf = 0;
    y[0] = combine(zn, cy[0], y[0], kode == 2, f, nz, iuf, make_scaling(lim.tol).bry[0], lim.alim);
}

}  // namespace qelms::cbes
