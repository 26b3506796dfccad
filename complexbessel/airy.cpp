// Airy functions Ai, Ai', Bi and Bi' of complex argument: the power series for
// |z| <= 1, and beyond it the Bessel functions of order 1/3 and 2/3 of
// zeta = (2/3) z^(3/2), K for Ai and I for Bi. Where they cancel (the sector
// |arg z| >= 2pi/3, where both oscillate, and Bi up to |z| = 10) the Bessel
// forms are summed in double-double.
#include <algorithm>
#include <cmath>
#include <limits>

#include "../specfun/exact_argument.hpp"
#include "../support/failure.hpp"
#include "../support/machine.hpp"
#include "complex_bessel.hpp"
#include "double_double.hpp"
#include "qelms/qelms.hpp"
#include "sequence_driver.hpp"

namespace qelms {
namespace {

using cbes::Complex;
using cbes::DriverOutcome;
using cbes::Limits;
using cbes::pi;

constexpr double tth = 2.0 / 3.0;
constexpr double tth_low = 3.700743415417188e-17;  // 2/3 - tth

// The constants of one function pair: value = c1 f + c2 g of the two power
// series, and coef, the factor of the Bessel-function form.
struct AiryKind {
    double c1;      // Ai(0) or Bi(0)
    double c2;      // Ai'(0) or Bi'(0)
    double c1_low;  // the rest of Ai(0) or Bi(0) beyond c1
    double c2_low;  // the rest of Ai'(0) or Bi'(0) beyond c2
    double coef;    // 1/(pi sqrt 3) for Ai, 1/sqrt 3 for Bi
    bool is_bi;
};
constexpr AiryKind kind_ai{0.3550280538878172, -0.2588194037928068, 2.05233632436212e-17, 2.522243111610832e-17,
                           0.18377629847393068, false};
constexpr AiryKind kind_bi{0.6149266274460007, 0.4482883573538264, 5.0899207794891416e-17, -2.5363237774417305e-17,
                           0.5773502691896257, true};

// id of a DERIV letter: 0 the function (F, f), 1 the derivative (D, d), -1 illegal.
int deriv_id(char deriv) {
    if (deriv == 'F' || deriv == 'f') return 0;
    if (deriv == 'D' || deriv == 'd') return 1;
    return -1;
}

// The two power series in z^3 of the function (id 0) or of the derivative
// (id 1): their denominators and a bound of the current term.
struct SeriesState {
    double ak, bk, d1, d2, ad;
    double atrm = 1.0;
    explicit SeriesState(int id)
        : ak(24 + 9 * id), bk(30 - 9 * id), d1((2 + id) * (3 + 2 * id)), d2((3 - 2 * id) * (4 - id)),
          ad(std::min(d1, d2)) {}
};

// Adds terms t1, t2 to the sums s1, s2 until the term bound falls below tol,
// in at most 'rounds' steps; T is Complex, or DDComplex where the terms far
// exceed the sum. Returns the steps taken.
template <class T>
int add_terms(T z3, double az3, double tol, int rounds, SeriesState& st, T& t1, T& t2, T& s1, T& s2) {
    for (int round = 0; round < rounds; ++round) {
        t1 = t1 * z3 / st.d1;
        s1 = s1 + t1;
        t2 = t2 * z3 / st.d2;
        s2 = s2 + t2;
        st.atrm = st.atrm * az3 / st.ad;
        st.d1 += st.ak;
        st.d2 += st.bk;
        st.ad = std::min(st.d1, st.d2);
        st.ak += 18;
        st.bk += 18;
        if (st.atrm < tol * st.ad) return round + 1;
    }
    return rounds;
}

// The two series for tol <= |z| <= 1, less their leading 1.
void power_series(Complex z, double az, int id, double tol, Complex& s1, Complex& s2) {
    s1 = s2 = 0.0;
    if (az * az < tol / az) return;
    SeriesState st(id);
    Complex t1 = 1.0, t2 = 1.0;
    add_terms(z * z * z, az * az * az, tol, 25, st, t1, t2, s1, s2);
}

// (2/3)(hi + lo) as a rounded value and the rest.
TwoDoubles two_thirds_of(double hi, double lo) {
    const TwoDoubles p = exact_product(tth, hi);
    return exact_sum(p.hi, p.lo + tth * lo + tth_low * hi);
}

// zeta = (2/3) z^(3/2) as hi + lo to about twice double precision: its rounding
// to one double would be magnified by exp, cos and sin of zeta into an error
// of up to |zeta| eps. csq is sqrt(z) rounded; the residual z - csq^2, formed
// exactly, gives its correction.
struct Zeta {
    Complex hi;
    Complex lo;
};
Zeta airy_zeta(Complex z, Complex csq) {
    const double x = z.real(), y = z.imag(), a = csq.real(), b = csq.imag();
    const TwoDoubles aa = exact_product(a, a), bb = exact_product(b, b), ab = exact_product(a, b);
    const TwoDoubles square_re = exact_sum(aa.hi, -bb.hi);
    const Complex residual((x - square_re.hi) - square_re.lo - aa.lo + bb.lo, (y - 2.0 * ab.hi) - 2.0 * ab.lo);
    const Complex csq_lo = residual / (2.0 * csq);
    const TwoDoubles xa = exact_product(x, a), yb = exact_product(y, b);
    const TwoDoubles xb = exact_product(x, b), ya = exact_product(y, a);
    const TwoDoubles w_re = exact_sum(xa.hi, -yb.hi), w_im = exact_sum(xb.hi, ya.hi);
    const Complex w_lo = z * csq_lo;
    const TwoDoubles re = two_thirds_of(w_re.hi, w_re.lo + xa.lo - yb.lo + w_lo.real());
    const TwoDoubles im = two_thirds_of(w_im.hi, w_im.lo + xb.lo + ya.lo + w_lo.imag());
    Zeta zeta{{re.hi, im.hi}, {re.lo, im.lo}};
    // Re zeta <= 0 on the left half plane and 0 on the negative real axis
    if (x < 0.0 && (re.hi > 0.0 || (re.hi == 0.0 && re.lo > 0.0))) zeta = {{-re.hi, im.hi}, {-re.lo, im.lo}};
    if (y == 0.0 && x <= 0.0) zeta = {{0.0, im.hi}, {0.0, im.lo}};
    return zeta;
}

// The error number of a failed Bessel evaluation: 4 a failed exponential,
// 2 overflow, 5 a convergence test not met.
int evaluation_failure(int nw) { return nw == -3 ? 4 : nw == -1 ? 2 : 5; }

// The right branch of Ai: Re zeta >= 0 and Re z > 0, where K alone gives Ai.
bool right_branch(Complex z, Complex zeta) { return zeta.real() >= 0.0 && z.real() > 0.0; }

// Ai (id 0) or Ai' (id 1) for |z| > 1 from K of order (1 + id)/3 at zeta,
// continued to Re zeta < 0; 0 or the error number. Unscaled with |Re zeta| >=
// alim the value is the scaled one times exp(-zeta), which lies between
// exp(-elim) and exp(elim) there: evaluated unscaled, a K member so small would
// be taken as underflowed whenever its imaginary part is much the smaller.
int ai_from_k(int id, int kode, Complex z, Complex csq, Complex zeta, double alaz, const Limits& lim, Complex& ai,
              int& nz) {
    const double fnu = (1.0 + id) / 3.0;
    const bool right = right_branch(z, zeta);
    const double aa = zeta.real();
    const bool unscale = kode == 1 && std::abs(aa) >= lim.alim;
    if (unscale && right && -aa - 0.25 * alaz < -lim.elim) {  // underflow: the value is 0
        nz = 1;
        ai = 0.0;
        return 0;
    }
    if (unscale && !right && -aa + 0.25 * alaz > lim.elim) return 2;
    const int kode_evaluated = unscale ? 2 : kode;
    Complex cy[1];
    if (right) {
        cbes::cbes_k_core(zeta, fnu, kode_evaluated, 1, cy, nz, lim);
        if (nz < 0) return evaluation_failure(nz);
    } else {
        int nn = 0;
        cbes::cbes_airy_continuation(zeta, fnu, kode_evaluated, z.imag() < 0.0 ? -1 : 1, 1, cy, nn, lim);
        if (nn < 0) return evaluation_failure(nn);
        nz += nn;
    }
    if (unscale) {
        Complex scale;
        if (!cbes::cbes_exp(-zeta, scale)) return 4;
        cy[0] *= scale;
    }
    ai = (id == 0 ? csq : -z) * (kind_ai.coef * cy[0]);
    return 0;
}

// Bi and Bi' for |z| > 1 from I of orders 1/3, 4/3 and 2/3, 5/3 at zeta, or
// at -zeta rotated by fmr; 0 or the error number.
int bi_from_i(int kode, Complex z, Complex csq, Complex zeta, double az, const Limits& lim, Complex bi[2]) {
    double sfac = 1.0;
    const double aa = zeta.real();
    if (kode == 1) {
        double bb = std::abs(aa);
        if (bb >= lim.alim) {
            bb += 0.25 * std::log(az);
            sfac = lim.tol;
            if (bb > lim.elim) return 2;
        }
    }
    double fmr = 0.0;
    if (!(aa >= 0.0 && z.real() > 0.0)) {
        fmr = z.imag() < 0.0 ? -pi : pi;
        zeta = -zeta;
    }
    Complex cy[2][2];  // I of orders (1 + j)/3 + k
    for (int j = 0; j < 2; ++j) {
        int nz = 0;
        cbes::cbes_i_core(zeta, (1.0 + j) / 3.0, kode, 2, cy[j], nz, lim);
        if (nz < 0) return evaluation_failure(nz);
        cy[j][0] *= sfac;
        cy[j][1] *= sfac;
    }
    const auto phase = [fmr](double nu) { return Complex(std::cos(fmr * nu), std::sin(fmr * nu)); };
    for (int id = 0; id < 2; ++id) {
        // I of order fnu, and of order -fnu by one backward recurrence step from the other pair
        const double fnu = (1.0 + id) / 3.0, onu = (2.0 - id) / 3.0;
        const Complex* other = cy[1 - id];
        const Complex s2 = cbes::cbes_divide(2.0 * onu * other[0], zeta) + other[1];
        const Complex s1 = kind_bi.coef * (phase(fnu) * cy[id][0] + s2 * phase(onu - 1.0));
        bi[id] = (id == 0 ? csq : z) * s1 / sfac;
    }
    return 0;
}

bool finite(Complex v) { return std::isfinite(v.real()) && std::isfinite(v.imag()); }

// The value at hi + lo from the value f at hi: f + lo df/dzeta, where z, fixed
// in the factors csq and z, ties df/dzeta to the companion (the other of the
// function and its derivative) through Airy's equation. fother, f scaled alike.
Complex corrected(const AiryKind& kind, int id, int kode, Complex z, Complex csq, const Zeta& zeta, Complex f,
                  Complex fother) {
    const Complex f0 = id == 0 ? f : fother, f1 = id == 0 ? fother : f;
    Complex slope = id == 0 ? (f1 - f0 / (2.0 * z)) / csq : (z * f0 - f1 / z) / csq;
    if (kode == 2) {
        // the scale factor depends on zeta as well: exp(zeta) or exp(-|Re zeta|)
        if (!kind.is_bi)
            slope += f;
        else
            f *= 1.0 - (zeta.hi.real() > 0.0 ? zeta.lo.real()
                        : zeta.hi.real() < 0.0 ? -zeta.lo.real()
                                               : std::abs(zeta.lo.real()));
    }
    return f + zeta.lo * slope;
}

// For |arg z| >= 2 pi/3 the Bessel forms oscillate, and near the zeros their
// I members cancel, as those of Bi do near its complex zeros; for Ai with
// |arg z| >= pi/3 they take the continuation of K. There, and for Bi
// everywhere, up to |z| = 10 I of orders -nu and nu at zeta are summed as their
// power series, written in z so that no branch of zeta^nu enters (the two
// series of c1 and c2), in double-double. The largest term exceeds the sum by
// at most e^(|zeta| - |Re zeta|) < 2^31, which the 106 bits absorb. Within
// |z| <= 1 the same sum serves the power series of the left sector, whose two
// members cancel there as well. Terms below dd_series_tail (the first being 1)
// are summed in doubles: their rounding stays a millionth of an ulp.
constexpr double dd_series_limit = 10.0;  // |z| up to which the sum is used
constexpr double dd_series_tail = 1e-6;   // term bound from which doubles suffice
constexpr double dd_series_tol = 1e-24;   // relative size of the last term kept
constexpr int dd_series_rounds = 100;     // at |z| = 10 about 60 terms are needed

bool in_left_sector(Complex z, double az) { return z.real() <= -0.5 * az; }

Complex dd_series(const AiryKind& kind, int id, int kode, Complex z, double az, const Zeta& zeta) {
    using cbes::DDComplex;
    const DDComplex zz = cbes::dd_value(z), one = cbes::dd_value(1.0);
    SeriesState st(id);
    DDComplex t1 = one, t2 = one, s1 = one, s2 = one;
    const int rounds = add_terms(zz * zz * zz, az * az * az, dd_series_tail, dd_series_rounds, st, t1, t2, s1, s2);
    Complex u1 = t1.value(), u2 = t2.value(), tail1 = 0.0, tail2 = 0.0;
    add_terms(z * z * z, az * az * az, dd_series_tol, dd_series_rounds - rounds, st, u1, u2, tail1, tail2);
    s1 = s1 + cbes::dd_value(tail1);
    s2 = s2 + cbes::dd_value(tail2);
    const DDComplex c1{{kind.c1, kind.c1_low}, {0.0, 0.0}}, c2{{kind.c2, kind.c2_low}, {0.0, 0.0}};
    DDComplex value = id == 0 ? c1 * s1 + c2 * zz * s2 : c2 * s2 + c1 * zz * zz * s1 / 2.0;
    if (kode == 2) {
        // exp(zeta) for Ai, exp(-|Re zeta|) for Bi
        TwoDoubles re{zeta.hi.real(), zeta.lo.real()}, im{zeta.hi.imag(), zeta.lo.imag()};
        if (kind.is_bi) {
            if (re.hi > 0.0) re = dd_neg(re);
            im = {0.0, 0.0};
        }
        value = value * cbes::dd_value(cbes::dd_exp({re, im}));
    }
    return value.value();
}

// Beyond |z| = 10, away from the right branch and while |Re zeta| < alim (for
// scaled Ai at any Re zeta): K of order 1/3 (2/3 for the derivatives) at zeta and
// at -zeta, joined by the connection formulae, each K by its large-argument
// expansion. For Im z >= 0
//   Ai = (e^-zeta S(zeta) + i e^zeta S(-zeta)) / (2 sqrt(pi) z^(1/4)),
//   Bi = (i e^-zeta S(zeta) + e^zeta S(-zeta)) / (2 sqrt(pi) z^(1/4)),
// S(w) = sqrt(2w/pi) e^w K(nu, w); the derivatives alike with the factor
// z^(1/4)/(2 sqrt(pi)) and the weights -1, i (Ai') and -i, 1 (Bi'). The two
// terms are of one size near the negative axis and cancel near the zeros: the
// exponentials take zeta's two-double value, and the sum runs in double-double.
// Short of the Stokes line arg z = 2 pi/3 the term e^zeta S(-zeta) is absent
// from Ai: there e^-zeta S(zeta) alone is Ai to within the smallest term of
// S, below e^(-2 |zeta|) < 1e-18 of it. Below the axis the values are the
// conjugates of those at conj(z).
constexpr double expansion_tol = 1e-18;  // relative size of the last term of S kept
constexpr int expansion_terms = 60;      // at |w| > 21 the terms reach expansion_tol sooner
constexpr TwoDoubles half_over_sqrt_pi{0.28209479177387814, 3.83386490329147e-18};  // 1/(2 sqrt pi)

// S(w) = 1 + sum over k >= 1 of a_k(nu) w^-k, a_k = a_(k-1) (4 nu^2 - (2k - 1)^2)/(8k);
// the terms after the first are below 0.004 and need no more than doubles.
cbes::DDComplex k_expansion(double nu, Complex w) {
    const double mu = 4.0 * nu * nu;
    const Complex rw = 1.0 / w;
    Complex term = 1.0, sum = 0.0;
    double last = 1.0;
    for (int k = 1; k <= expansion_terms; ++k) {
        const double odd = 2.0 * k - 1.0;
        term *= rw * ((mu - odd * odd) / (8.0 * k));
        const double size = std::abs(term);
        if (size > last) break;  // the expansion has reached its smallest term
        sum += term;
        if (size < expansion_tol) break;
        last = size;
    }
    return cbes::dd_corrected(1.0, sum);
}

// e^(re + i im) in double-double from the two-double parts of the exponent.
cbes::DDComplex exp_two_double(TwoDoubles re, TwoDoubles im) {
    const double m = exp_of(re), c = std::cos(im.hi), s = std::sin(im.hi);
    const TwoDoubles mc = exact_product(m, c), ms = exact_product(m, s);
    return {dd_add(mc, {-ms.hi * im.lo, 0.0}), dd_add(ms, {mc.hi * im.lo, 0.0})};
}

// v times i^quarters.
cbes::DDComplex quarter_turns(cbes::DDComplex v, int quarters) {
    for (int q = 0; q < quarters; ++q) v = {dd_neg(v.im), v.re};
    return v;
}

Complex expansion(const AiryKind& kind, int id, int kode, Complex z, Zeta zeta, bool past_stokes) {
    using cbes::DDComplex;
    const bool below = std::signbit(z.imag());
    if (below) {
        z = std::conj(z);
        zeta = {std::conj(zeta.hi), std::conj(zeta.lo)};
    }
    const TwoDoubles zr{zeta.hi.real(), zeta.lo.real()}, zi{zeta.hi.imag(), zeta.lo.imag()};
    const TwoDoubles zero{0.0, 0.0};
    // the scaling exponent: zeta for Ai, Re zeta = -|Re zeta| for Bi
    const TwoDoubles shift_re = kode == 2 ? zr : zero, shift_im = kode == 2 && !kind.is_bi ? zi : zero;
    const DDComplex e1 = exp_two_double(dd_add(dd_neg(zr), shift_re), dd_add(dd_neg(zi), shift_im));
    const double nu = (1.0 + id) / 3.0;
    const int first_turns = kind.is_bi ? (id == 0 ? 1 : 3) : (id == 0 ? 0 : 2);
    DDComplex sum = quarter_turns(e1 * k_expansion(nu, zeta.hi), first_turns);
    if (past_stokes) {
        const DDComplex e2 = exp_two_double(dd_add(zr, shift_re), dd_add(zi, shift_im));
        sum = sum + quarter_turns(e2 * k_expansion(nu, -zeta.hi), kind.is_bi ? 0 : 1);
    }
    const DDComplex fourth_root = cbes::dd_sqrt(cbes::dd_sqrt(cbes::dd_value(z)));
    const DDComplex c{half_over_sqrt_pi, zero};
    const Complex value = (id == 0 ? sum * c / fourth_root : sum * c * fourth_root).value();
    return below ? std::conj(value) : value;
}

// Ai, Ai', Bi or Bi' for |z| > 1; nz counts an underflowed Ai.
Complex airy_large(const AiryKind& kind, int id, int kode, Complex z, double az, int& nz, DriverOutcome& out) {
    const Limits lim = cbes::cbes_limit_set();
    const double alaz = std::log(az);
    const double bound = std::pow(lim.az_limit, tth);
    if (az > bound) {
        out.set(4, cbes::no_computation_abs_z, {az, bound});
        return 0.0;
    }
    if (az > std::sqrt(bound))
        out.set(3, "(1X,'** Results lack precision because abs(Z) =',1P,D13.5,' .GT.',D13.5)",
                {az, std::sqrt(bound)});
    const Complex csq = std::sqrt(z);
    const Zeta zeta = airy_zeta(z, csq);
    // Ai off its right branch has Re zeta <= 0: the terms of the sum exceed
    // it by at most e^|zeta| as in the left sector.
    const bool ai_oscillating = !kind.is_bi && !right_branch(z, zeta.hi);
    if ((kind.is_bi || in_left_sector(z, az) || ai_oscillating) && az <= dd_series_limit)
        return dd_series(kind, id, kode, z, az, zeta);
    // Scaled, Ai's exponential is e^0 and the expansion holds at any |Re zeta|.
    const bool in_range = std::abs(zeta.hi.real()) < lim.alim || (kode == 2 && !kind.is_bi);
    if ((in_left_sector(z, az) || ai_oscillating) && in_range)
        return expansion(kind, id, kode, z, zeta, in_left_sector(z, az));
    // Bi comes with Bi', Ai alone
    Complex f, fother;
    bool companion = false;
    int error;
    if (kind.is_bi) {
        Complex pair[2];
        error = bi_from_i(kode, z, csq, zeta.hi, az, lim, pair);
        f = pair[id];
        fother = pair[1 - id];
        companion = finite(fother);
    } else {
        error = ai_from_k(id, kode, z, csq, zeta.hi, alaz, lim, f, nz);
    }
    if (error != 0) {
        nz = 0;
        if (error == 2 && kind.is_bi)
            out.set(2, "(1X,'** No computation because real(Z) =',1P,D13.5,' is t','oo large when SCALE = ''U''.')",
                    {z.real()});
        else if (error == 2)
            out.set(2, "(1X,'** No computation because real(ZTA) too large, where',' ZTA = (2/3)*Z**(3/2).')");
        else if (error == 4)
            out.set(4, cbes::no_computation_abs_z, {az, bound});
        else
            out.set(5, cbes::termination_not_met);
        return 0.0;
    }
    if (nz != 0 || (zeta.lo.real() == 0.0 && zeta.lo.imag() == 0.0)) return f;
    if (!kind.is_bi && right_branch(z, zeta.hi)) {
        // K alone: d ln K/d zeta = -1 - 1/(2 zeta) to well within the size of lo
        const Complex half_over = 0.5 / zeta.hi;
        return f * (1.0 - zeta.lo * (kode == 1 ? 1.0 + half_over : half_over));
    }
    if (!companion) {
        int other_nz = 0;
        companion = ai_from_k(1 - id, kode, z, csq, zeta.hi, alaz, lim, fother, other_nz) == 0 && other_nz == 0 &&
                    finite(fother);
    }
    return companion ? corrected(kind, id, kode, z, csq, zeta, f, fother) : f;
}

// Ai, Ai', Bi or Bi' after the argument checks.
Complex airy(const AiryKind& kind, int id, int kode, Complex z, int& nz, DriverOutcome& out) {
    if (std::isnan(z.real()) || std::isnan(z.imag()))
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    const double az = cbes::modulus(z);
    if (az > 1.0) return airy_large(kind, id, kode, z, az, nz, out);
    const double tol = std::max(mach_precision(), 1.0e-18);
    if (az < tol) {
        // tiny: the first one or two terms; for Bi the constant alone
        const double aa = 1000.0 * mach_safe_min();
        Complex value = id == 0 ? kind.c1 : kind.c2;
        if (!kind.is_bi) {
            if (id == 0 && az > aa) value += kind.c2 * z;
            if (id == 1 && az > std::sqrt(aa)) value += kind.c1 * z * z / 2.0;
        }
        return value;
    }
    if (in_left_sector(z, az)) return dd_series(kind, id, kode, z, az, airy_zeta(z, std::sqrt(z)));
    Complex r1, r2;
    power_series(z, az, id, tol, r1, r2);
    // The two members cancel by up to 5 times (Ai and Ai' towards Re z > 0, Bi
    // and Bi' towards Re z < 0): their leading terms, c1 + c2 z or
    // c2 + c1 z^2/2, are formed in double-double, the rest of the series added
    // to them unrounded.
    using cbes::DDComplex;
    const DDComplex zz = cbes::dd_value(z);
    const DDComplex c1{{kind.c1, kind.c1_low}, {0.0, 0.0}}, c2{{kind.c2, kind.c2_low}, {0.0, 0.0}};
    const DDComplex lead = id == 0 ? c1 + c2 * zz : c2 + c1 * zz * zz / 2.0;
    const Complex rest = id == 0 ? kind.c1 * r1 + kind.c2 * z * r2 : kind.c2 * r2 + kind.c1 / 2.0 * z * z * r1;
    Complex value = (lead + cbes::dd_value(rest)).value();
    if (kode == 2) {
        const Complex zeta = tth * z * std::sqrt(z);
        if (kind.is_bi) {
            value *= std::exp(-std::abs(zeta.real()));
        } else {
            int silent = 1;
            value *= zexpon(zeta, silent);
        }
    }
    return value;
}

// The argument checks of DERIV and SCALE, error 1 at the first that fails.
bool airy_arguments_valid(DriverOutcome& out, char deriv, char scale) {
    if (deriv_id(deriv) < 0) {
        const char letter[1] = {deriv};
        out.set(1, "(1X,'** On entry, DERIV has illegal value: DERIV = ''',A,'''')", {std::string_view(letter, 1)});
        return false;
    }
    if (cbes::scale_kode(scale) == 0) {
        const char letter[1] = {scale};
        out.set(1, "(1X,'** On entry, SCALE has illegal value: SCALE = ''',A,'''')", {std::string_view(letter, 1)});
        return false;
    }
    return true;
}

}  // namespace

void zairya(char deriv, std::complex<double> z, char scale, std::complex<double>& ai, int& nz, int& ifail) {
    DriverOutcome out;
    nz = 0;
    ai = 0.0;
    if (airy_arguments_valid(out, deriv, scale))
        ai = airy(kind_ai, deriv_id(deriv), cbes::scale_kode(scale), z, nz, out);
    ifail = out.report(ifail, "ZAIRYA");
}

void zairyb(char deriv, std::complex<double> z, char scale, std::complex<double>& bi, int& ifail) {
    DriverOutcome out;
    int nz = 0;
    bi = 0.0;
    if (airy_arguments_valid(out, deriv, scale))
        bi = airy(kind_bi, deriv_id(deriv), cbes::scale_kode(scale), z, nz, out);
    ifail = out.report(ifail, "ZAIRYB");
}

}  // namespace qelms
