// The four methods for I sequences in the right half plane: the power series,
// the large-argument expansion, Miller's backward recurrence normalised by the
// Neumann series, and Miller's ratios normalised by the Wronskian with K.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <type_traits>

#include "../specfun/exact_argument.hpp"
#include "../specfun/stirling.hpp"
#include "../support/machine.hpp"
#include "complex_bessel.hpp"
#include "double_double.hpp"
#include "qelms/qelms.hpp"

namespace qelms::cbes {

namespace {

constexpr int max_series_terms = 500;      // the power series converges long before this
constexpr int max_miller_steps = 80;       // forward steps of Miller's starting-index estimates
// Relative size below which the roundings of Miller's steps in doubles leave
// the wanted members (2^-10 of an ulp).
constexpr double double_damping = 0.0009765625;
constexpr double e_half = 1.3591409142295225;  // e/2
constexpr int max_ratio_steps = 1000000;   // forward steps of the ratio test; needs about 6 sqrt|z|
constexpr int ratio_history = 128;
constexpr double small_asymptotic_term = 1e-6;  // large-argument terms from this size on in doubles         // forward steps of the ratio test kept for the doubles
// (z/2)^nu / Gamma(nu + 1) by exact products up to this order. Where the series
// is used (|z/2|^2 <= nu + 1 or |z| <= 2), orders above about 380 underflow.
constexpr int max_exact_order = 400;

// Whether |z| and the orders fit the integer indices of Miller's algorithm
// (NaN and infinities do not); far larger than its tests could ever converge for.
bool indexable(double az, double fnu, int n) {
    constexpr double index_limit = std::numeric_limits<int>::max() / 2.0;
    return az < index_limit && fnu + n < index_limit;
}

// |p| > bound and |p| >= bound, exact on the axes and through |p|^2 elsewhere,
// where the square root of hypot would cost more than the step it tests.
bool exceeds(Complex p, double bound) {
    if (p.imag() == 0.0 || p.real() == 0.0) return modulus(p) > bound;
    return std::norm(p) > bound * bound;
}
bool reaches(Complex p, double bound) {
    if (p.imag() == 0.0 || p.real() == 0.0) return modulus(p) >= bound;
    return std::norm(p) >= bound * bound;
}

// a b by the schoolbook formula: for a finite product the value of a * b,
// without the checks for NaN parts that put a library call behind it.
Complex times(Complex a, Complex b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

void fill_nan(Complex* y, int n) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::fill(y, y + n, Complex(nan, nan));
}

double log_gamma(double x) {
    int ifail = 1;
    return qelms::lngamm(x, ifail);
}

// Fills y[k - 1] for k = top down to 1 by I(nu - 1) = (2 nu / z) I(nu) + I(nu + 1)
// from the members of orders fnu + top + 1 and fnu + top, given as s1 and s2
// times 1/scale. Members are stored times scale; once one exceeds ascle the
// recurrence goes on with unscaled values.
void recur_down(const TwoOverZ& rz, double fnu, int top, Complex s1, Complex s2, double scale, double ascle,
                Complex* y) {
    DDComplex p1 = dd_value(s1), p2 = dd_value(s2);
    const RecurrenceForm form = recurrence_form(rz, p1, p2);
    RecurrenceCoefficients c(rz, exact_sum(fnu, top), -1.0);
    for (int k = top; k >= 1; --k, c.next()) {
        const DDComplex next = multiply_add(c.value(), p2, p1, form);
        p1 = p2;
        p2 = next;
        y[k - 1] = p2.value() * scale;
        if (scale != 1.0 && std::abs(y[k - 1]) > ascle) {
            p1 = p1 * scale;
            p2 = p2 * scale;
            scale = 1.0;
        }
    }
}

// ln Gamma(a) for a >= 1 in two doubles, to about 1e-19 of the size of its
// terms: Stirling's series from b = a + k >= stirling_from, less
// ln(a (a + 1) ... (a + k - 1)).
TwoDoubles ln_gamma_of(TwoDoubles a) {
    constexpr double stirling_from = 10.0;  // the first omitted term of the remainder is below 2e-20 here
    TwoDoubles b = a, product{1.0, 0.0};
    for (; b.hi < stirling_from; b = dd_add(b, {1.0, 0.0})) product = dd_mul(product, b);
    TwoDoubles s = dd_add(dd_mul(dd_add(b, {-0.5, 0.0}), log_short(b)), dd_neg(b));
    s = dd_add(s, {ln_sqrt_2pi, ln_sqrt_2pi_low + stirling_remainder(b.hi)});
    return b.hi == a.hi ? s : dd_add(s, dd_neg(log_short(product)));
}

// log(hz) in two doubles when hz lies on an axis: ln |hz| and a multiple of pi/2.
bool axis_log(Complex hz, DDComplex& l) {
    const TwoDoubles zero{0.0, 0.0};
    if (hz.imag() == 0.0 && hz.real() != 0.0) {
        const TwoDoubles turn = std::signbit(hz.imag()) ? dd_neg(dd_mul(dd_half_pi, 2.0)) : dd_mul(dd_half_pi, 2.0);
        l = {log_short(TwoDoubles{std::fabs(hz.real()), 0.0}), hz.real() > 0.0 ? zero : turn};
        return true;
    }
    if (hz.real() == 0.0 && hz.imag() != 0.0) {
        l = {log_short(TwoDoubles{std::fabs(hz.imag()), 0.0}), hz.imag() > 0.0 ? dd_half_pi : dd_neg(dd_half_pi)};
        return true;
    }
    return false;
}

// (z/2)^nu / Gamma(nu + 1) for nu = fnu + shift, shift integral, times
// exp(log_scale). Rounded to one double, nu log(z/2) - ln Gamma(nu + 1) would
// carry an error of its size, some hundreds, into the value, and fnu + shift
// may not even be a double. With fnu = ifnu + f and m = ifnu + shift factors
// beyond the fractional power: for m above product_orders the exponent is
// formed in two doubles from the unrounded order and exponentiated once;
// otherwise the fractional power is so formed and the m factors (z/2)/(f + j)
// follow in double-double, f + j carried exactly (on an axis the factors are
// real and the powers of i exact).
Complex power_over_gamma(Complex hz, double fnu, int shift, double log_scale) {
    constexpr double product_orders = 6.0;  // above, a product costs more than ln Gamma
    const double ifnu = std::floor(fnu);
    const double f = fnu - ifnu;
    const double m = ifnu + shift;
    DDComplex l;
    const bool axis = axis_log(hz, l);
    if (!axis && (m > product_orders || f != 0.0)) {
        // the short logarithm where the order it is multiplied by keeps its error small
        l = log_short(dd_value(hz));
        if (!short_log_suffices(m > product_orders ? fnu + shift : f, l.re.hi)) l = dd_log(dd_value(hz));
    }
    if (m > product_orders) {
        const TwoDoubles nu = exact_sum(fnu, shift);
        DDComplex w{dd_mul(l.re, nu), dd_mul(l.im, nu)};
        w.re = dd_add(dd_add(w.re, dd_neg(ln_gamma_of(dd_add(nu, {1.0, 0.0})))), {log_scale, 0.0});
        return dd_exp(w);
    }
    Complex p0(std::exp(log_scale), 0.0);
    if (f != 0.0) {
        DDComplex w{dd_mul(l.re, f), dd_mul(l.im, f)};
        w.re = dd_add(dd_add(w.re, {-log_gamma(1.0 + f), 0.0}), {log_scale, 0.0});
        p0 = dd_exp(w);
    }
    if (axis) {
        // z/2 = b or i b, b real: the product of b/(f + j), then i^m.
        const double b = hz.imag() == 0.0 ? hz.real() : hz.imag();
        TwoDoubles product{1.0, 0.0};
        for (double j = 1.0; j <= m; j += 1.0) product = dd_div(dd_mul(product, b), exact_sum(f, j));
        const TwoDoubles re = dd_mul(product, p0.real()), im = dd_mul(product, p0.imag());
        Complex v(re.hi + re.lo, im.hi + im.lo);
        if (hz.imag() != 0.0)
            for (int q = static_cast<int>(std::fmod(m, 4.0)); q > 0; --q) v = {-v.imag(), v.real()};
        return v;
    }
    TwoDoubles re{p0.real(), 0.0}, im{p0.imag(), 0.0};
    for (double j = 1.0; j <= m; j += 1.0) {
        const TwoDoubles nre = dd_add(dd_mul(re, hz.real()), dd_mul(im, -hz.imag()));
        const TwoDoubles nim = dd_add(dd_mul(re, hz.imag()), dd_mul(im, hz.real()));
        const TwoDoubles d = exact_sum(f, j);
        re = dd_div(nre, d);
        im = dd_div(nim, d);
    }
    return {re.hi + re.lo, im.hi + im.lo};
}

// sum over j >= 1 of cz^j / (j! (fnup)_j) in V (double or Complex), where
// its terms do not cancel (the 1 in front joins it unrounded), until the
// bound aa on the terms passes atol. Each term is the one before times
// cz/(j (fnup + j - 1)): the quotient does not wait for the term.
template <class V>
V plain_series(V cz, double acz, double fnup, double atol) {
    V total = 0.0, term = 1.0;
    double aa = 2.0;
    for (int j = 1; j <= max_series_terms; ++j) {
        const double s = j * (fnup + j - 1.0);
        term *= cz / s;
        total += term;
        aa *= acz / s;
        if (aa <= atol) break;
    }
    return total;
}

// 1 + sum over j of cz^j / (j! (fnup)_j) where its terms may cancel, T the
// two-double type of V (double or Complex), until the bound aa on the terms
// passes atol. The terms are formed and summed in two doubles while they are
// at least small_term: in the power-series region no term after the first
// exceeds the one before, and the sum is at least 1/7 of the sum of the
// sizes of its terms, so a relative error e in each later term changes the
// sum by at most e small_term times some tens of the sum. Those terms follow
// in V, their rounding (about 1.5 ulp a term) adding below 1e-4 ulp, and join
// the sum once. As in plain_series the factor cz/s of each term is formed
// apart from the term, so that no division waits on the one before.
template <class T, class V>
T cancelling_series(V cz, double acz, double fnup, double atol) {
    constexpr double small_term = 1e-6;
    T term = two_doubles_of(V(1.0)), total = term;
    double aa = 2.0;
    int j = 1;
    for (; j <= max_series_terms; ++j) {
        const double s = j * (fnup + j - 1.0);
        term = term * (two_doubles_of(cz) / s);
        total = total + term;
        aa *= acz / s;
        if (aa <= atol) return total;
        if (size_of(rounded(term)) < small_term) {
            ++j;
            break;
        }
    }
    V t = rounded(term), tail = V(0.0);
    for (; j <= max_series_terms; ++j) {
        const double s = j * (fnup + j - 1.0);
        t *= cz / s;
        tail += t;
        aa *= acz / s;
        if (aa <= atol) break;
    }
    return total + two_doubles_of(tail);
}

// 1 + sum over j of cz^j / (j! (fnup)_j), the series of I(fnup - 1) after its
// leading power. Where its terms may cancel (on the imaginary axis they
// alternate in sign) the rounding of each would add up in the sum, and it is
// summed in double-double; in doubles where they cannot: cz real and
// positive, or its first term at most 1/8, so that every later one is below
// 1/8 of the one before and the terms after the first add to at most 1/7.
// Then the terms after the leading 1 are summed alone and added to it unrounded.
DDComplex series_sum(Complex cz, double acz, double fnup, double tol) {
    constexpr double small_first_term = 0.125;
    if (acz < tol * fnup) return dd_value(1.0);
    const double atol = tol * acz / fnup;
    if ((cz.imag() == 0.0 && cz.real() > 0.0) || acz <= small_first_term * fnup) {
        // With cz real, in real arithmetic, the imaginary parts being 0 throughout.
        if (cz.imag() == 0.0) return one_plus(Complex(plain_series(cz.real(), acz, fnup, atol), cz.imag()));
        return one_plus(plain_series(cz, acz, fnup, atol));
    }
    // cz real (negative, on the imaginary axis): in real arithmetic, the
    // imaginary parts being 0 throughout.
    if (cz.imag() == 0.0) return {cancelling_series<TwoDoubles>(cz.real(), acz, fnup, atol), {0.0, 0.0}};
    return cancelling_series<DDComplex>(cz, acz, fnup, atol);
}

// The phase factor exp(s i pi (nu + 1/2)) of the exp(-z) part of the
// large-argument expansion, s the sign of Im z (0 on the real axis), for
// nu = fnu + shift with shift integral: from the fractional part of fnu and
// the parity of the integer part, so that a large fnu loses nothing.
Complex asymptotic_phase(Complex z, double fnu, int shift) {
    if (z.imag() == 0.0) return 0.0;
    const double ifnu = std::floor(fnu);
    const Complex turn = unit_phase(dd_pi, fnu - ifnu);
    const double s = z.imag() > 0.0 ? 1.0 : -1.0;
    Complex phase(-turn.imag(), s * turn.real());
    if (std::fmod(ifnu + shift, 2.0) != 0.0) phase = -phase;
    return phase;
}

// The bound of the large-argument terms, |fdn - (2j - 1)^2|/(8 |z| j) multiplied
// up from 1 (aez = 8|z|), against s |fdn - 1|; sqk is fdn - (2j - 1)^2 for the
// current term j.
struct AsymptoticBound {
    double sqk;
    double atol;
    double aez;
    double aa = 1.0;
    AsymptoticBound(double fdn, double s, double aez_) : sqk(fdn - 1.0), atol(s * std::fabs(fdn - 1.0)), aez(aez_) {}
    // After term j: whether the bound is met; if not, sqk moves on to term j + 1.
    bool met(int j) {
        aa *= std::fabs(sqk) / (j * aez);
        if (aa <= atol) return true;
        sqk -= 8.0 * j;
        return false;
    }
};

// The two sums of the large-argument expansion with 4 nu^2 = fdn and
// rez = 1/(8z), in T (Complex, DDComplex or, on the real axis, TwoDoubles),
// into cs1 (alternating signs, the exp(z) part) and cs2 (all +); false when
// jl terms do not reach the bound s |fdn - 1| of the terms. Each term is the
// one before times rez (fdn - (2j - 1)^2)/j, that factor formed apart from
// the term. Where the expansion is used (2|z| >= nu^2) the sums are at least
// about e^-1 in size, so that once a term is below small_asymptotic_term
// the later ones, each with a few ulps of its own, follow in doubles and
// join the two-double sums once.
template <class T>
bool asymptotic_sums(T rez, T one, double fdn, double s, int jl, double aez, DDComplex& cs1, DDComplex& cs2) {
    using V = decltype(rounded(one));
    T sum1 = one - one, sum2 = one - one, term = one;  // the sums after their first term, 1
    V t = rounded(one), tail1 = 0.0, tail2 = 0.0;     // the terms in doubles, once small
    bool small = false;
    AsymptoticBound bound(fdn, s, aez);
    for (int j = 1; j <= jl; ++j) {
        const double sqk = bound.sqk;
        if (small) {
            t *= rounded(rez) * sqk / static_cast<double>(j);
            tail1 += j % 2 == 0 ? t : -t;
            tail2 += t;
        } else {
            term = term * (rez * sqk / static_cast<double>(j));
            sum1 = j % 2 == 0 ? sum1 + term : sum1 - term;
            sum2 = sum2 + term;
            if constexpr (!std::is_same_v<T, V>) {
                t = rounded(term);
                small = size_of(t) < small_asymptotic_term;
            }
        }
        if (bound.met(j)) {
            if constexpr (std::is_same_v<T, V>) {
                cs1 = one_plus(sum1);
                cs2 = one_plus(sum2);
            } else {
                cs1 = one_plus(sum1 + two_doubles_of(tail1));
                cs2 = one_plus(sum2 + two_doubles_of(tail2));
            }
            return true;
        }
    }
    return false;
}

// asymptotic_sums for rez = i r (z on the imaginary axis): term j is i^j
// times a real, so the even terms make the real parts of the sums and the odd
// ones their imaginary parts, of opposite signs in cs1. The same arithmetic
// on the one nonzero part of each term, and the same values.
bool asymptotic_sums_imaginary(TwoDoubles r, double fdn, double s, int jl, double aez, DDComplex& cs1,
                               DDComplex& cs2) {
    TwoDoubles p{1.0, 0.0}, even{0.0, 0.0}, odd{0.0, 0.0};  // the last term's part; the sums of cs2 after 1
    double pd = 0.0, even_tail = 0.0, odd_tail = 0.0;       // the same in doubles, once small
    bool small = false;
    AsymptoticBound bound(fdn, s, aez);
    for (int j = 1; j <= jl; ++j) {
        const double sqk = bound.sqk;
        // i times a real part is imaginary; i times an imaginary one, real and turned
        if (small) {
            const double q = pd * (rounded(r) * sqk / static_cast<double>(j));
            pd = j % 2 == 1 ? q : -q;
            (j % 2 == 0 ? even_tail : odd_tail) += pd;
        } else {
            const TwoDoubles q = p * (r * sqk / static_cast<double>(j));
            p = j % 2 == 1 ? q : dd_neg(q);
            if (j % 2 == 0)
                even = even + p;
            else
                odd = odd + p;
            pd = rounded(p);
            small = std::fabs(pd) < small_asymptotic_term;
        }
        if (bound.met(j)) {
            even = even + two_doubles_of(even_tail);
            odd = odd + two_doubles_of(odd_tail);
            cs1 = one_plus(DDComplex{even, dd_neg(odd)});
            cs2 = one_plus(DDComplex{even, odd});
            return true;
        }
    }
    return false;
}

// 1/sqrt(2 pi z) in double-double, as sqrt(conj(z)/(2 pi |z|^2)).
DDComplex inverse_root_two_pi_z(Complex z) {
    const TwoDoubles two_pi = dd_mul(dd_half_pi, 4.0);
    const TwoDoubles d = dd_mul(dd_add(exact_product(z.real(), z.real()), exact_product(z.imag(), z.imag())), two_pi);
    return dd_sqrt({dd_div({z.real(), 0.0}, d), dd_div({-z.imag(), 0.0}, d)});
}

}  // namespace

DDComplex multiply_add_general(const DDComplex& c, const DDComplex& p, const DDComplex& q) {
    // Both parts by the same operations on two lanes.
    const TwoDoubles b[2] = {p.re, p.im}, cim[2] = {dd_neg(c.im), c.im}, d[2] = {p.im, p.re}, qs[2] = {q.re, q.im};
    TwoDoubles r[2];
    for (int j = 0; j < 2; ++j) r[j] = multiply_add_pair(c.re, b[j], cim[j], d[j], qs[j]);
    return {r[0], r[1]};
}

void cbes_i_series(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim) {
    nz = 0;
    const double tol = lim.tol;
    const double az = modulus(z);
    const double arm = 1000.0 * mach_safe_min();
    const double rtr1 = std::sqrt(arm);
    if (az < arm) {
        // z = 0, or so small that every member of order >= 1 underflows: only
        // the first, when its order is below 1, can be representable. It is
        // (z/2)^fnu / Gamma(fnu + 1), with log(z/2) taken as log z - ln 2
        // because z/2 may lose bits of a subnormal z; e^-Re z is 1 here.
        std::fill(y, y + n, Complex(0.0, 0.0));
        if (fnu == 0.0) y[0] = 1.0;
        if (az == 0.0) return;
        nz = n;
        if (fnu == 0.0) {
            --nz;
        } else if (fnu < 1.0) {
            DDComplex w = (dd_log(dd_value(z)) - DDComplex{dd_ln2, {0.0, 0.0}}) * fnu;
            w.re = dd_add(w.re, {-log_gamma(1.0 + fnu), 0.0});
            if (w.re.hi > -lim.elim) {
                y[0] = dd_exp(w);
                --nz;
            }
        }
        return;
    }
    const Complex hz = 0.5 * z;
    const Complex cz = az > rtr1 ? (dd_value(hz) * dd_value(hz)).value() : Complex(0.0);
    const double acz = std::abs(cz);
    const Complex ck = rough_log(hz);  // the exponent of the underflow test, and beyond order 400 of the value
    int nn = n;
    for (;;) {
        const double dfnu = fnu + (nn - 1);
        const double fnup = dfnu + 1.0;
        // Exponent of the leading term of the top member: its underflow test.
        Complex ak1 = ck * dfnu;
        ak1.real(ak1.real() - log_gamma(fnup));
        if (kode == 2) ak1.real(ak1.real() - z.real());
        const double rak1 = ak1.real();
        bool underflow = rak1 <= -lim.elim;
        if (!underflow) {
            // Near the underflow limit the values are carried times 1/tol.
            const bool scaled = rak1 <= -lim.alim;
            const double ss = scaled ? 1.0 / tol : 1.0;
            const double crsc = scaled ? tol : 1.0;
            const double ascle = arm * ss;
            Complex coef;
            if (dfnu <= max_exact_order) {
                coef = power_over_gamma(hz, fnu, nn - 1, kode == 2 ? -z.real() : 0.0);
            } else if (!cbes_exp(ak1, coef)) {
                nz = -3;
                return;
            }
            coef *= ss;
            const int il = std::min(2, nn);
            Complex w[2];
            for (int i = 0; i < il && !underflow; ++i) {
                const double order = dfnu - i;
                w[i] = (series_sum(cz, acz, order + 1.0, tol) * dd_value(coef)).value();
                if (scaled) {
                    int nw = 0;
                    cbes_underflow_check(w[i], nw, ascle, tol);
                    underflow = nw != 0;
                }
                y[nn - 1 - i] = w[i] * crsc;
                if (i + 1 < il) coef = cbes_divide(coef, hz) * order;
            }
            if (!underflow) {
                if (nn <= 2) return;
                recur_down(two_over(z), fnu, nn - 2, w[0], w[1], crsc, ascle, y);
                return;
            }
        }
        // The top member underflows.
        ++nz;
        y[nn - 1] = 0.0;
        if (acz > dfnu) {
            nz = -nz;
            return;
        }
        if (--nn == 0) return;
    }
}

bool cbes_series_on_axis(double x, double fnu, int kode, int n, bool modified, Complex* y, const Limits& lim) {
    // The region, the underflow exponent and the series argument as
    // cbes_i_series forms them for I(x) or I(-ix), whose hz has modulus h:
    // then every member it gives is on scale exactly when this test passes.
    const double h = 0.5 * x;
    const double dfnu = fnu + (n - 1);
    if (!(x > std::sqrt(1000.0 * mach_safe_min()) && dfnu <= max_exact_order &&
          (x <= 2.0 || x * x * 0.25 <= dfnu + 1.0)))
        return false;
    // e^-x for a scaled I; J on the real axis has nothing to scale. The
    // exponent of the test is at least -(|ln h| dfnu + x + ln Gamma(dfnu + 1)),
    // and ln Gamma(a) <= a ln a for a >= 1: when that bound stays inside alim
    // ln Gamma is not needed.
    const double log_scale = modified && kode == 2 ? -x : 0.0;
    const double log_h = std::log(h);
    const double a = dfnu + 1.0;
    if (std::fabs(log_h) * dfnu + x + a * std::log(a) >= lim.alim - 1.0 &&
        log_h * dfnu - log_gamma(a) + log_scale <= -lim.alim)
        return false;
    // J(nu, x) = e^(i nu pi/2) I(nu, -ix) = (x/2)^nu/Gamma(nu + 1) S(-x^2/4): the
    // phases cancel, and like I(nu, x) the power and the series are real.
    const double cz = modified ? h * h : -(h * h);
    double coef = power_over_gamma(Complex(h, 0.0), fnu, n - 1, log_scale).real();
    for (int i = 0; i < std::min(n, 2); ++i) {
        const double order = dfnu - i;
        const TwoDoubles v = dd_mul(series_sum(Complex(cz, 0.0), h * h, order + 1.0, lim.tol).re, coef);
        y[n - 1 - i] = v.hi + v.lo;
        coef = coef / h * order;
    }
    if (n <= 2) return true;
    const TwoOverZ rz = two_over(Complex(x, 0.0));
    if (modified) {
        recur_down(rz, fnu, n - 2, y[n - 1], y[n - 2], 1.0, 0.0, y);
        return true;
    }
    // J(nu - 1) = (2 nu/x) J(nu) - J(nu + 1), in two doubles as recur_down.
    RecurrenceCoefficients c(rz, exact_sum(fnu, n - 2), -1.0);
    TwoDoubles p1{y[n - 1].real(), 0.0}, p2{y[n - 2].real(), 0.0};
    for (int k = n - 2; k >= 1; --k, c.next()) {
        const TwoDoubles next = multiply_add_one(c.value().re, p2, dd_neg(p1));
        p1 = p2;
        p2 = next;
        y[k - 1] = next.hi + next.lo;
    }
    return true;
}

void cbes_i_asymptotic(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim) {
    nz = 0;
    const double tol = lim.tol;
    const double az = modulus(z);
    const double rtr1 = std::sqrt(1000.0 * mach_safe_min());
    const int il = std::min(2, n);
    const double dfnu = fnu + (n - il);
    const DDComplex root = inverse_root_two_pi_z(z);
    const Complex cz = kode == 2 ? Complex(0.0, z.imag()) : z;
    if (std::fabs(cz.real()) > lim.elim) {
        nz = -1;
        return;
    }
    Complex ecz;
    if (!cbes_exp(cz, ecz)) {
        nz = -3;
        return;
    }
    // Near overflow, exp(cz) is applied after the recurrence (and the exp(-z)
    // part, 2 Re z > elim there, is left out).
    const bool koflag = std::fabs(cz.real()) > lim.alim;
    // 1/(8z) in double-double, from 2/z.
    const TwoOverZ rz = two_over(z);
    const DDComplex rez{{rz.hi.real() / 16.0, rz.lo.real() / 16.0}, {rz.hi.imag() / 16.0, rz.lo.imag() / 16.0}};
    const double aez = 8.0 * az;
    const double s = tol / aez;
    const int jl = static_cast<int>(lim.rl + lim.rl) + 2;
    // exp(-z) scaled as kode says, from its exact argument cz - 2z: formed as
    // exp(cz) exp(-2z) it would carry the rounding of both. Where every
    // member's sums are formed in doubles (each within 1/7 of 1) and
    // 2 Re z > negligible_exponent, the exp(-z) part is below 2^-140 of the
    // exp(z) part, beneath the low part of the two-double total it would
    // join: it is left out.
    constexpr double negligible_exponent = 100.0;
    const double top_order = fnu + (n - 1);
    const bool doubles_only = 4.0 * top_order * top_order - 1.0 <= az;
    const bool minus_part =
        z.real() + z.real() < lim.elim && !(doubles_only && z.real() + z.real() > negligible_exponent);
    Complex emz(0.0, 0.0);
    if (minus_part && !cbes_exp(cz - 2.0 * z, emz)) {
        nz = -3;
        return;
    }
    Complex phase = minus_part ? asymptotic_phase(z, fnu, n - il) : Complex(0.0);
    for (int i = 0; i < il; ++i) {
        const double order = dfnu + i;
        const double fdn = order + order > rtr1 ? 4.0 * order * order : 0.0;
        // cs1 sums the terms with alternating signs (exp(z) part), cs2 with all +.
        // While (2j - 1)^2 <= |z|/4, each term is below 1/8 of the one before
        // when 4 nu^2 <= |z| + 1, and the terms past them are below 1e-4 of
        // the first: no sum cancels, and the terms after the leading 1 are
        // summed in doubles, their sum added to 1 unrounded. Otherwise the
        // first terms may be far larger than the sum, which is formed in
        // double-double.
        DDComplex cs1, cs2;
        // On the axes the double-double sums in real arithmetic.
        const bool summed = fdn - 1.0 <= az ? asymptotic_sums(rez.value(), Complex(1.0), fdn, s, jl, aez, cs1, cs2)
                            : rz.real() ? asymptotic_sums(rez.re, TwoDoubles{1.0, 0.0}, fdn, s, jl, aez, cs1, cs2)
                            : rz.imaginary() ? asymptotic_sums_imaginary(rez.im, fdn, s, jl, aez, cs1, cs2)
                                             : asymptotic_sums(rez, dd_value(1.0), fdn, s, jl, aez, cs1, cs2);
        if (!summed) {
            nz = -2;
            return;
        }
        DDComplex total = koflag ? cs1 : dd_value(ecz) * cs1;
        if (minus_part) total = total + dd_value(emz) * dd_value(phase) * cs2;
        y[n - il + i] = (root * total).value();
        phase = -phase;
    }
    if (n > 2) recur_down(two_over(z), fnu, n - 2, y[n - 1], y[n - 2], 1.0, 0.0, y);
    if (koflag) {
        for (int k = 0; k < n; ++k) y[k] *= ecz;
    }
}

void cbes_i_miller_series(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim) {
    nz = 0;
    const double tol = lim.tol;
    const double scle = 1000.0 * mach_complex_safe() / tol;  // start of the backward recurrence
    const double az = modulus(z);
    if (!indexable(az, fnu, n)) {
        fill_nan(y, n);
        return;
    }
    const int iaz = static_cast<int>(az);
    const int ifnu = static_cast<int>(fnu);
    const int inu = ifnu + (n - 1);
    const double raz = 1.0 / az;
    const Complex st = std::conj(z) * raz;
    const Complex rz = (st + st) * raz;
    const TwoOverZ rzx = two_over(z);

    // Starting index for the Neumann series: forward recurrence until the
    // terms exceed the error bound of the truncated series.
    double at = iaz + 1.0;
    Complex ck = st * at * raz;
    Complex p1(0.0, 0.0), p2(1.0, 0.0);
    double ack = (at + 1.0) * raz;
    double rho = ack + std::sqrt(ack * ack - 1.0);
    const double rho2 = rho * rho;
    double tst = (rho2 + rho2) / ((rho2 - 1.0) * (rho - 1.0)) / tol;
    // The same tests with double_damping for tol give the orders from which
    // on the backward steps may run in doubles (below).
    const double tst_double = tst * tol / double_damping;
    double ak = at;
    int i1 = 0, i1d = 0;
    for (int i = 1; i <= max_miller_steps; ++i) {
        const Complex pt = p2;
        p2 = p1 - times(ck, pt);
        p1 = pt;
        ck += rz;
        if (i1d == 0 && exceeds(p2, tst_double * ak * ak)) i1d = i;
        if (exceeds(p2, tst * ak * ak)) {
            i1 = i;
            break;
        }
        ak += 1.0;
    }
    if (i1 == 0) {
        nz = -2;
        return;
    }
    // A second estimate when the wanted orders reach past |z|: the ratios must converge there too.
    int i2 = 0, i2d = 0;
    if (inu >= iaz) {
        p1 = 0.0;
        p2 = 1.0;
        at = inu + 1.0;
        ck = st * at * raz;
        ack = at * raz;
        tst = std::sqrt(ack / tol);
        bool refined = false;
        std::array<double, max_miller_steps + 1> norms{};  // |p2|^2 of each step, for i2d
        for (int k = 1; k <= max_miller_steps; ++k) {
            const Complex pt = p2;
            p2 = p1 - times(ck, pt);
            p1 = pt;
            ck += rz;
            norms[k] = std::norm(p2);
            if (!reaches(p2, tst)) continue;
            if (refined) {
                i2 = k;
                break;
            }
            const double ap = modulus(p2);
            ack = modulus(ck);
            const double flam = ack + std::sqrt(ack * ack - 1.0);
            const double fkap = ap / modulus(p1);
            rho = std::min(flam, fkap);
            tst *= std::sqrt(rho / (rho * rho - 1.0));
            refined = true;
        }
        if (i2 == 0) {
            nz = -2;
            return;
        }
        // The test refined as it ended, with double_damping for tol.
        const double norm_double = tst * tst * tol / double_damping;
        while (i2d < i2 && norms[i2d] < norm_double) ++i2d;
    }

    // Backward recurrence from order fnf + kk, summing the Neumann series
    // sum c(k) I(fnf + k) = exp(z) (z/2)^fnf / Gamma(1 + fnf), c(0) = 1 and
    // c(k) = b(k) + b(k-1), b(k) = Gamma(k + 2 fnf + 1)/(k! Gamma(2 fnf + 1)).
    // The b(k) are carried relative to b(kk); the last one, b(0)/b(kk), undoes that.
    const int kk = std::max(i1 + 1 + iaz, i2 + 1 + inu);
    const double fnf = fnu - ifnu;
    const double tfnf = fnf + fnf;
    double bk = 1.0;
    DDComplex sum;
    DDComplex q1, q2{{scle, 0.0}, {0.0, 0.0}};
    double fkk = kk;
    const RecurrenceForm form = recurrence_form(rzx, q1, q2);
    // The weight b(k - 1) from b(k); the loops below differ only in the
    // arithmetic of the members.
    const auto next_weight = [&] {
        const double bprev = bk * (1.0 - tfnf / (fkk + tfnf));
        fkk -= 1.0;
        return bprev;
    };
    // The steps to orders fnf + k, k >= kd, in doubles. A rounding of relative
    // size u at such an order adds to the members below it a multiple of the
    // solution that grows downwards, a common factor 1 + u that the
    // normalisation cancels except in the part of the sum above that order,
    // and one of the solution that decays downwards, which by the wanted
    // orders has shrunk as much as Miller's start has where the forward tests
    // above meet double_damping for tol. The sum's part from order k on is at
    // most T(k) = 4 (k + 1)^2 (|z|/2)^k / k! of the whole (|I(fnf + k, z)| <=
    // |z/2|^(fnf + k) e^|Re z| / Gamma(fnf + k + 1), the whole is e^z
    // (z/2)^fnf / Gamma(1 + fnf), c(k) <= 2 (k + 1)^2, and for k >= 3|z|/2
    // the terms fall by 0.44 a step; k! >= (k/e)^k). The doubles end where
    // either would pass double_damping times their rounding, 4 ulps a step,
    // and above the wanted orders.
    int kd = std::max({i1d + 1 + iaz, i2 == 0 ? 0 : i2d + 1 + inu, inu + 1, static_cast<int>(1.5 * az) + 1});
    const auto tail_above = [&](double k) { return 7.2 * (k + 1.0) * (k + 1.0) * std::pow(e_half * az / k, k); };
    while (kd < kk && 4.0 * (kk - kd) * tail_above(kd) > double_damping) ++kd;
    if (kd < kk) {
        Complex d1 = 0.0, d2 = scle, dsum = 0.0;
        for (int k = kk; k > kd; --k) {
            const Complex dt = d2;
            d2 = times(rz * (fnf + k), dt) + d1;
            d1 = dt;
            const double bprev = next_weight();
            dsum += (bprev + bk) * d1;
            bk = bprev;
        }
        q1 = dd_value(d1);
        q2 = dd_value(d2);
        sum = dd_value(dsum);
    } else {
        kd = kk;
    }
    RecurrenceCoefficients c(rzx, exact_sum(fnf, fkk), -1.0);
    constexpr TwoDoubles zero{0.0, 0.0};
    if (form == RecurrenceForm::real) {
        // z on the positive real axis: every member and the sum real and positive.
        TwoDoubles r1 = q1.re, r2 = q2.re, rs = sum.re;
        for (int k = kd; k >= 1; --k, c.next()) {
            const TwoDoubles rt = r2;
            r2 = positive_multiply_add(c.value().re, rt, r1);
            r1 = rt;
            const double bprev = next_weight();
            rs = positive_multiply_add({bprev + bk, 0.0}, r1, rs);
            bk = bprev;
            const int m = k - 1 - ifnu;  // r2 is now of order fnu + m
            if (m >= 0 && m < n) y[m] = r2.hi + r2.lo;
        }
        q1 = {r1, zero};
        q2 = {r2, zero};
        sum = {rs, zero};
    } else if (form == RecurrenceForm::axes) {
        // z on the imaginary axis, 2/z = i g: from the real start the members
        // alternate between the imaginary and the real axis. Each is held as
        // its one nonzero part; a step i g p + q is then g p + q, with the
        // sign of g turned where p is imaginary and the result real.
        bool top_real = (kk - kd) % 2 == 0;  // whether the member a2 stands for is real
        TwoDoubles a1 = top_real ? q1.im : q1.re, a2 = top_real ? q2.re : q2.im;
        for (int k = kd; k >= 1; --k, c.next()) {
            const TwoDoubles at = a2;
            a2 = axis_step(c.value().im, at, a1, top_real);
            a1 = at;
            top_real = !top_real;
            const double bprev = next_weight();
            // a1, of the other axis than a2, joins its part of the sum
            TwoDoubles& part = top_real ? sum.im : sum.re;
            part = multiply_add_one({bprev + bk, 0.0}, a1, part);
            bk = bprev;
            const int m = k - 1 - ifnu;
            if (m >= 0 && m < n) y[m] = top_real ? Complex(a2.hi + a2.lo, 0.0) : Complex(0.0, a2.hi + a2.lo);
        }
        q1 = on_axis(a1, !top_real);
        q2 = on_axis(a2, top_real);
    } else {
        for (int k = kd; k >= 1; --k, c.next()) {
            const DDComplex qt = q2;
            q2 = form == RecurrenceForm::general ? multiply_add_general(c.value(), qt, q1)
                                                 : multiply_add(c.value(), qt, q1, form);
            q1 = qt;
            const double bprev = next_weight();
            sum = scaled_add(q1, bprev + bk, sum, form);
            bk = bprev;
            const int m = k - 1 - ifnu;  // q2 is now of order fnu + m
            if (m >= 0 && m < n) y[m] = q2.value();
        }
    }
    Complex ez;
    if (!cbes_exp(kode == 2 ? Complex(0.0, z.imag()) : z, ez)) {
        nz = -3;
        return;
    }
    // The normalisation and its products in double-double: on the imaginary
    // axis the result is the real or imaginary part of a product of complex
    // factors, and each rounding of those factors would show in it.
    const DDComplex cnorm = dd_value(ez) * dd_value(power_over_gamma(0.5 * z, fnf, 0, 0.0)) / (q2 + sum / bk);
    for (int k = 0; k < n; ++k) y[k] = (dd_value(y[k]) * cnorm).value();
}

void cbes_i_miller_wronskian(Complex z, double fnu, int kode, int n, Complex* y, int& nz, Complex cw[2], bool known,
                             const Limits& lim) {
    nz = 0;
    const double tol = lim.tol;
    int nw = 0;
    if (!known) cbes_k_core(z, fnu, kode, 2, cw, nw, lim);
    if (nw != 0) {
        nz = nw == -2 || nw == -3 ? nw : -1;
        return;
    }
    cbes_ratios(z, fnu, n, y, tol);
    // I K(scaled) carries exp(i Im z) when both are scaled.
    const Complex cinu = kode == 2 ? Complex(std::cos(z.imag()), std::sin(z.imag())) : Complex(1.0, 0.0);
    // Keep the K pair away from the ends of the range.
    const double acw = std::abs(cw[1]);
    const double ascle = 1000.0 * mach_safe_min() / tol;
    double csclr = 1.0;
    if (acw <= ascle) {
        csclr = 1.0 / tol;
    } else if (acw >= 1.0 / ascle) {
        csclr = tol;
    }
    const Complex c1 = cw[0] * csclr;
    const Complex c2 = cw[1] * csclr;
    // I(fnu) K(fnu + 1) + I(fnu + 1) K(fnu) = 1/z.
    Complex ratio = y[0];
    const Complex ct = z * (ratio * c1 + c2);
    const double act = std::abs(ct);
    // The members as products of the ratios, in double-double.
    DDComplex value = dd_value(cinu * (std::conj(ct) / act) / act);
    y[0] = value.value() * csclr;
    for (int k = 1; k < n; ++k) {
        value = value * dd_value(ratio);
        ratio = y[k];
        y[k] = value.value() * csclr;
    }
}

void cbes_ratios(Complex z, double fnu, int n, Complex* cy, double tol) {
    if (n < 1) return;
    const double az = modulus(z);
    if (!indexable(az, fnu, n)) {
        fill_nan(cy, n);
        return;
    }
    const int idnu = static_cast<int>(fnu) + n - 1;
    const int magz = static_cast<int>(az);
    const double fnup = std::max(magz + 1.0, static_cast<double>(idnu));
    const int id = std::min(idnu - magz - 1, 0);
    const TwoOverZ rzx = two_over(z);
    const Complex rz = rzx.hi;

    // Forward recurrence until the backward one started from its index has converged.
    Complex t1 = rz * fnup;
    Complex p2 = -t1;
    Complex p1(1.0, 0.0);
    t1 += rz;
    // |p1| = 1: the members need no normalisation. The tests go through
    // exceeds, without a modulus a step.
    const double test1 = std::sqrt(2.0 * modulus(p2) / tol);
    double test = test1;
    int k = 1;
    bool refined = false;
    bool converged = false;
    std::array<Complex, ratio_history> history;  // p2 after step j, for the doubles below
    history[1] = p2;
    while (k < max_ratio_steps) {
        ++k;
        const Complex pt = p2;
        p2 = p1 - times(t1, pt);
        p1 = pt;
        t1 += rz;
        if (k < ratio_history) history[k] = p2;
        if (!exceeds(pt, test)) continue;
        if (refined) {
            converged = true;
            break;
        }
        const double ak = std::abs(t1) * 0.5;
        const double flam = ak + std::sqrt(ak * ak - 1.0);
        const double rho = std::min(modulus(p2) / modulus(pt), flam);
        test = test1 * std::sqrt(rho / (rho * rho - 1.0));
        refined = true;
    }
    if (!converged) {
        fill_nan(cy, n);
        return;
    }

    // Backward recurrence from that index down to the top order. Off the
    // real axis its steps above index td run in doubles, as in Miller's
    // algorithm: td is where the same test, refined as it ended, with
    // double_damping for tol would have stopped, so that the solution their
    // roundings stir up has shrunk below double_damping of them by the top.
    const int kk = k + 1 - id;
    DDComplex q1{{1.0 / modulus(p2), 0.0}, {0.0, 0.0}}, q2;
    const bool real = rzx.real();
    int top_index = kk;  // the steps from here down in the arithmetic of the form
    if (!real && k < ratio_history) {
        const double test_double = test * std::sqrt(tol / double_damping);
        int j = 2;
        while (j < k && !exceeds(history[j - 1], test_double)) ++j;
        top_index = std::min(kk, j + 1 - id);
        Complex d1 = q1.re.hi, d2 = 0.0;
        for (int t = kk; t > top_index; --t) {
            const Complex dt = d1;
            d1 = times(rz * (fnu + (n - 1 + t)), d1) + d2;
            d2 = dt;
        }
        q1 = dd_value(d1);
        q2 = dd_value(d2);
    }
    RecurrenceCoefficients c(rzx, exact_sum(fnu, (n - 1) + static_cast<double>(top_index)), -1.0);
    if (real) {
        // On the real axis in doubles, each coefficient rounded from its
        // two-double value: the rounding of a step stirs up the solution that
        // decays downwards, which the later steps damp, so that the ratio at
        // the top carries the roundings of its last few steps alone.
        double p1 = q1.re.hi, p2 = 0.0;
        for (double t = kk; t >= 1.0; t -= 1.0, c.next()) {
            const double pt = p1;
            p1 = (c.value().re.hi + c.value().re.lo) * p1 + p2;
            p2 = pt;
        }
        q1 = dd_value(p1);
        q2 = dd_value(p2);
    } else if (const RecurrenceForm form = recurrence_form(rzx, q1, q2); form == RecurrenceForm::axes) {
        // On the imaginary axis the members alternate between the axes: each
        // held as its one nonzero part, q1 started on the real axis.
        bool top_real = (kk - top_index) % 2 == 0;
        TwoDoubles a1 = top_real ? q1.re : q1.im, a2 = top_real ? q2.im : q2.re;
        for (double t = top_index; t >= 1.0; t -= 1.0, c.next()) {
            const TwoDoubles at = a1;
            a1 = axis_step(c.value().im, a1, a2, top_real);
            a2 = at;
            top_real = !top_real;
        }
        q1 = on_axis(a1, top_real);
        q2 = on_axis(a2, !top_real);
    } else {
        for (double t = top_index; t >= 1.0; t -= 1.0, c.next()) {
            const DDComplex qt = q1;
            q1 = form == RecurrenceForm::general ? multiply_add_general(c.value(), q1, q2)
                                                 : multiply_add(c.value(), q1, q2, form);
            q2 = qt;
        }
    }
    // The ratios below it in double-double, each rounded once: a sequence
    // takes their product, which would gather every other rounding.
    Complex top = q1.value();
    if (top == Complex(0.0, 0.0)) top = Complex(tol, tol);
    DDComplex ratio = dd_value(cbes_divide(q2.value(), top));
    cy[n - 1] = ratio.value();
    for (int m = n - 1; m >= 1; --m) {
        DDComplex d = rzx.coefficient(fnu, m) + ratio;
        if (d.value() == Complex(0.0, 0.0)) d = dd_value(Complex(tol, tol));
        ratio = real && is_real(d) ? DDComplex{dd_div({1.0, 0.0}, d.re), {0.0, 0.0}} : dd_value(1.0) / d;
        cy[m - 1] = ratio.value();
    }
}

}  // namespace qelms::cbes
