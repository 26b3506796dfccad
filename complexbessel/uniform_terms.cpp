// The two term generators of the uniform expansions for large order: the
// Debye form (exponentials) and the Airy form (Ai and Ai' of a scaled
// variable), with Olver's coefficients from uniform_tables.hpp.
#include <algorithm>
#include <cmath>

#include "complex_bessel.hpp"
#include "double_double.hpp"
#include "uniform_argument.hpp"
#include "uniform_tables.hpp"

namespace qelms::cbes {

namespace {

constexpr double gpi = 3.141592653589793;
constexpr double thpi = 4.71238898038469;
constexpr double ex1 = 1.0 / 3.0;
constexpr double ex2 = 2.0 / 3.0;
constexpr int airy_group = 30;  // Taylor coefficients per function of w2

double abs_sum(Complex c) { return std::abs(c.real()) + std::abs(c.imag()); }

// Horner evaluation in x of the Debye polynomial P_k (u_k(t) = t^k P_k(t^2)).
template <class T>
T debye_polynomial(int k, T x) {
    const int first = k * (k + 1) / 2;
    T u = debye_coefficients[first];
    for (int j = 1; j <= k; ++j) u = u * x + debye_coefficients[first + j];
    return u;
}

// For a z too small for the expansions: zeta1 - zeta2 beyond 2 elim, which
// the callers take as an I member underflowing and a K member overflowing.
void set_too_small(double fn, double elim, Complex& zeta1, Complex& zeta2, Complex& phi) {
    zeta1 = 2.0 * elim + fn;
    zeta2 = fn;
    phi = 1.0;
}

// The first call of cbes_debye_terms for a usable z, in T: double on the
// positive real axis, where every quantity is real, else Complex. zeta1,
// zeta2 and sqrt(q) (terms[15]); unless ipmtr is 1, the terms and their count.
template <class T>
void debye_first_call(T z, double fn, int ipmtr, double tol, int& init, Complex& zeta1, Complex& zeta2,
                      Complex* terms) {
    const double rfn = 1.0 / fn;
    const T t = z * rfn;
    const T s = 1.0 + t * t;
    const T sr = std::sqrt(s);
    const T zn = (1.0 + sr) / t;
    zeta1 = fn * std::log(zn);
    zeta2 = fn * sr;
    const T q = rfn / sr;
    terms[15] = std::sqrt(q);
    if (ipmtr == 1) return;
    const T t2 = 1.0 / s;
    terms[0] = 1.0;
    T qpower = 1.0;
    double ac = 1.0;
    int k = 2;
    for (; k <= 15; ++k) {
        qpower *= q;
        terms[k - 1] = qpower * debye_polynomial(k - 1, t2);
        ac *= rfn;
        if (ac < tol && abs_sum(terms[k - 1]) < tol) break;
    }
    init = k > 15 ? 15 : k;
}

}  // namespace

void cbes_debye_terms(Complex z, double fn, int ikflg, int ipmtr, double tol, int& init, Complex& phi,
                      Complex& zeta1, Complex& zeta2, Complex& sum, DebyeWork& work, const Limits& lim) {
    Complex* const terms = work.terms;
    const Complex& root = work.terms[15];
    if (init == 0) {
        if (!usable_argument(z, fn, lim.ufl)) {
            set_too_small(fn, lim.elim, zeta1, zeta2, phi);
            return;
        }
        if (z.imag() == 0.0 && z.real() > 0.0) {
            debye_first_call(z.real(), fn, ipmtr, tol, init, zeta1, zeta2, terms);
        } else {
            debye_first_call(z, fn, ipmtr, tol, init, zeta1, zeta2, terms);
        }
        if (ipmtr == 1) {
            phi = root * debye_normalisers[ikflg - 1];
            return;
        }
    }
    sum = 0.0;
    if (ikflg == 1) {
        for (int k = 0; k < init; ++k) sum += terms[k];
    } else {
        double sign = 1.0;
        for (int k = 0; k < init; ++k, sign = -sign) sum += sign * terms[k];
    }
    phi = root * debye_normalisers[ikflg - 1];
}

void cbes_airy_terms(Complex z, TwoDoubles order, int ipmtr, double tol, Complex& phi, Complex& arg, Complex& zeta1,
                     Complex& zeta2, Complex& asum, Complex& bsum, const Limits& lim, const Complex* zc_minus_w) {
    const double fn = order.hi;
    if (!usable_argument(z, fn, lim.ufl)) {
        set_too_small(fn, lim.elim, zeta1, zeta2, phi);
        arg = 1.0;
        return;
    }
    const double rfnu = 1.0 / fn;
    const Complex zb = z * rfnu;
    const double rfnu2 = rfnu * rfnu;
    const double fn13 = std::pow(fn, ex1);
    const double fn23 = fn13 * fn13;
    const double rfn13 = 1.0 / fn13;
    // zb lies in the fourth quadrant, w2 in the upper half plane: on the real
    // axis its imaginary part is +0, whatever sign of zero the arithmetic left.
    // 1 - zb^2 in double-double, zb = z/order: near the turning point it is
    // small, and the roundings of zb and of the order would be magnified in
    // the terms (those that only test a member need no more than doubles).
    Complex w2 = 1.0 - zb * zb;
    if (ipmtr != 1) {
        const DDComplex zb_exact = dd_value(z) / order;
        w2 = (dd_value(1.0) - zb_exact * zb_exact).value();
    }
    if (w2.imag() == 0.0) w2 = {w2.real(), 0.0};
    const double aw2 = std::abs(w2);
    if (aw2 <= 0.25) {
        // Power series in w2 about the turning point.
        Complex p[airy_group];
        double ap[airy_group];
        p[0] = 1.0;
        ap[0] = 1.0;
        Complex suma = airy_gama[0];
        int kmax = 1;
        if (aw2 >= tol) {
            for (int k = 1; k < airy_group; ++k) {
                p[k] = p[k - 1] * w2;
                suma += p[k] * airy_gama[k];
                ap[k] = ap[k - 1] * aw2;
                kmax = k + 1;
                if (ap[k] < tol) break;
            }
        }
        const Complex zeta = w2 * suma;
        arg = zeta * fn23;
        const Complex za = std::sqrt(suma);
        zeta2 = std::sqrt(w2) * fn;
        zeta1 = zeta2 * (1.0 + zeta * za * ex2);
        phi = std::sqrt(za + za) * rfn13;
        if (ipmtr == 1) return;
        // Group g of alfa (A_g) and beta (B_g) summed to the point where
        // aw2^k falls below atol.
        auto group_sum = [&](const double* coefficients, double atol) {
            Complex total = 0.0;
            for (int k = 0; k < kmax; ++k) {
                total += p[k] * coefficients[k];
                if (ap[k] < atol) break;
            }
            return total;
        };
        bsum = 0.0;
        for (int k = 0; k < kmax; ++k) bsum += p[k] * airy_beta[k];
        asum = 0.0;
        const double btol = tol * abs_sum(bsum);
        double atol = tol;
        double pp = 1.0;
        bool a_done = false, b_done = false;
        if (rfnu2 >= tol) {
            for (int g = 1; g <= 6 && !(a_done && b_done); ++g) {
                atol /= rfnu2;
                pp *= rfnu2;
                if (!a_done) {
                    asum += group_sum(&airy_alfa[airy_group * (g - 1)], atol) * pp;
                    a_done = pp < tol;
                }
                if (!b_done) {
                    bsum += group_sum(&airy_beta[airy_group * g], atol) * pp;
                    b_done = pp < btol;
                }
            }
        }
        asum += 1.0;
        bsum *= rfnu * rfn13;
        return;
    }
    // Away from the turning point: zeta from its closed form.
    Complex w = std::sqrt(w2);
    w = {std::max(w.real(), 0.0), std::max(w.imag(), 0.0)};
    // With ipmtr 1 the terms only test a member against the limits.
    const Complex c = (1.0 + w) / zb;
    Complex zc = ipmtr == 1 ? rough_log(c) : std::log(c);
    zc = {std::max(zc.real(), 0.0), std::min(std::max(zc.imag(), 0.0), hpi)};
    const Complex zth = 1.5 * (zc_minus_w ? *zc_minus_w : zc - w);
    zeta1 = zc * fn;
    zeta2 = w * fn;
    double ang;
    if (zth.real() >= 0.0 && zth.imag() < 0.0) {
        ang = thpi;
    } else if (zth.real() == 0.0) {
        ang = hpi;
    } else {
        ang = std::atan(zth.imag() / zth.real());
        if (zth.real() < 0.0) ang += gpi;
    }
    const double pp = std::pow(std::abs(zth), ex2);
    ang *= ex2;
    Complex zeta = {pp * std::cos(ang), pp * std::sin(ang)};
    if (zeta.imag() < 0.0) zeta = {zeta.real(), 0.0};
    arg = zeta * fn23;
    const Complex rtzt = zth / zeta;
    const Complex za = rtzt / w;
    phi = std::sqrt(za + za) * rfn13;
    if (ipmtr == 1) return;
    // A and B from the Debye polynomials: up[k] = u_k(1/w)/fn^k.
    const Complex tfn = rfnu / w;
    const Complex rzth = rfnu / zth;
    const Complex zc1 = rzth * airy_lambda[1];
    const Complex t2 = 1.0 / w2;
    Complex up[14];
    up[0] = 1.0;
    up[1] = debye_polynomial(1, t2) * tfn;
    bsum = up[1] + zc1;
    asum = 0.0;
    if (rfnu >= tol) {
        Complex cr[12], dr[12];
        Complex ptfn = tfn, przth = rzth;
        const double btol = tol * abs_sum(bsum);
        double pp2 = 1.0;
        bool a_done = false, b_done = false;
        int ks = 0;
        for (int lr = 2; lr <= 12 && !(a_done && b_done); lr += 2) {
            for (int k = lr; k <= lr + 1; ++k, ++ks) {
                ptfn *= tfn;
                up[k] = ptfn * debye_polynomial(k, t2);
                // cr = mu_j zeta^(-3j/2)/fn^j, dr = lambda_(j+1) zeta^(-3(j+1)/2)/fn^(j+1), j = ks + 1.
                cr[ks] = przth * airy_mu[ks + 1];
                przth *= rzth;
                dr[ks] = przth * airy_lambda[ks + 2];
            }
            pp2 *= rfnu2;
            if (!a_done) {
                Complex suma = up[lr];
                for (int jr = 1; jr <= lr; ++jr) suma += cr[jr - 1] * up[lr - jr];
                asum += suma;
                a_done = pp2 < tol && abs_sum(suma) < tol;
            }
            if (!b_done) {
                Complex sumb = up[lr + 1] + up[lr] * zc1;
                for (int jr = 1; jr <= lr; ++jr) sumb += dr[jr - 1] * up[lr - jr];
                bsum += sumb;
                b_done = pp2 < btol && abs_sum(sumb) < btol;
            }
        }
    }
    asum += 1.0;
    bsum = -bsum / (fn13 * rtzt);
}

}  // namespace qelms::cbes
