// I and K of large order from Olver's uniform asymptotic expansions: the
// Debye form for abs(arg z) <= pi/3, the Airy form (through Ai and Ai' of
// complex argument) nearer the imaginary axis, with the continuation of K to
// the left half plane.
//
// The exponents zeta1 - zeta2 have the size of the order or of |z|; rounded
// to one double they would cost about that many eps in every member. They are
// formed in double-double and passed to exp unrounded.
#include <algorithm>
#include <cmath>

#include "complex_bessel.hpp"
#include "double_double.hpp"
#include "k_scaling.hpp"
#include "qelms/qelms.hpp"
#include "uniform_argument.hpp"

namespace qelms::cbes {

namespace {

constexpr double sector_ratio = 1.7321;             // Debye form when |Im z| <= sector_ratio |Re z|
constexpr double aic = 1.2655121234846454;          // ln(2 sqrt(pi))
constexpr Complex cr1 = {1.0, 1.7320508075688772};  // 2 exp(i pi/3)
constexpr Complex cr2 = {-0.5, -0.8660254037844386};  // exp(-2 i pi/3)

bool debye_sector(Complex z) { return std::abs(z.imag()) <= sector_ratio * std::abs(z.real()); }

// The exponent of one member of an expansion (value = amplitude * exp(exponent),
// the amplitude formed only for members that are on scale), and the size of
// its amplitude as far as the overflow refinement counts it: ln(size) + offset,
// taken only for the exponents that need the refinement.
struct Member {
    DDComplex exponent;
    double size;
    double log_offset = 0.0;
    double log_correction() const { return std::log(size) + log_offset; }
};

// zeta2 - zeta1 = fn (sqrt(1 + t^2) - ln((1 + sqrt(1 + t^2))/t)), t = z/fn: the I
// exponent, for the order fn = hi + lo. It is formed at hi and moved to hi + lo
// along its derivative -ln((1 + sqrt(1 + t^2))/t): lo is below an ulp of hi,
// so the next term is below 1e-30 of the exponent.
DDComplex debye_exponent(Complex z, TwoDoubles fn) {
    if (z.imag() == 0.0 && z.real() > 0.0) {
        // On the positive real axis every quantity is real.
        const TwoDoubles one{1.0, 0.0};
        const TwoDoubles t = dd_div({z.real(), 0.0}, {fn.hi, 0.0});
        const TwoDoubles sr = dd_sqrt(dd_add(one, dd_mul(t, t)));
        const TwoDoubles v = dd_div(dd_add(one, sr), t);
        TwoDoubles log_zn = log_short(v);
        if (!short_log_suffices(fn.hi, log_zn.hi)) log_zn = dd_log(v);
        return {dd_add(dd_mul(dd_add(sr, dd_neg(log_zn)), fn.hi), {-rounded(log_zn) * fn.lo, 0.0}), {0.0, 0.0}};
    }
    const DDComplex one = dd_value(1.0);
    const DDComplex t = dd_value(z) / fn.hi;
    const DDComplex sr = dd_sqrt(one + t * t);
    const DDComplex v = (one + sr) / t;
    DDComplex log_zn = log_short(v);
    if (!short_log_suffices(fn.hi, log_zn.re.hi)) log_zn = dd_log(v);
    return (sr - log_zn) * fn.hi - dd_value(log_zn.value() * fn.lo);
}

TwoDoubles at_least_zero(TwoDoubles a) { return a.hi < 0.0 ? TwoDoubles{0.0, 0.0} : a; }

// zc - w = ln((1 + w)/zb) - w, w = sqrt(1 - zb^2), zb = z/fn, the exponent
// zeta1 - zeta2 per unit order, with the clamps of the term generator; near
// the turning point from its series w^3 sum w^(2j)/(2j + 3). Away from it the
// difference cancels by up to a factor 12, so the term generator takes it
// from here too. slope is zc, the exponent's derivative in the order.
DDComplex airy_per_order(Complex z, double fn, Complex& slope) {
    const DDComplex one = dd_value(1.0);
    const DDComplex zb = dd_value(z) / fn;
    DDComplex w2 = one - zb * zb;
    if (w2.im.hi == 0.0) w2.im = {0.0, 0.0};
    if (std::abs(w2.value()) <= 0.25) {
        const DDComplex w = dd_sqrt(w2);
        const DDComplex per_order = w * w2 * odd_power_series(w2, 3);
        slope = per_order.value() + w.value();
        return per_order;
    }
    DDComplex w = dd_sqrt(w2);
    w = {at_least_zero(w.re), at_least_zero(w.im)};
    const DDComplex v = (one + w) / zb;
    DDComplex zc = log_short(v);
    if (!short_log_suffices(fn, zc.re.hi)) zc = dd_log(v);
    zc = {at_least_zero(zc.re), zc.im.hi > dd_half_pi.hi ? dd_half_pi : at_least_zero(zc.im)};
    slope = zc.value();
    return zc - w;
}

// zeta1 - zeta2 = fn (zc - w) for the order fn = hi + lo, formed at hi and
// moved along its derivative, as the Debye exponent.
DDComplex airy_exponent(DDComplex per_order, Complex slope, TwoDoubles fn) {
    return per_order * fn.hi + dd_value(slope * fn.lo);
}

// exp(i (pi/2) (fnu + k)) from the fraction of fnu and the integer part mod 4.
Complex quarter_turns(double fnu, int k) {
    const double ifnu = std::floor(fnu);
    const double fnf = fnu - ifnu;
    const int quarter = static_cast<int>(std::fmod(ifnu + k, 4.0));
    constexpr Complex ipow[4] = {{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}};
    return unit_phase(dd_half_pi, fnf) * ipow[quarter];
}

// The terms of the last few orders a form has expanded, kept for the
// continuation, which needs the I members of orders whose K members it has.
template <class Terms>
class TermCache {
public:
    // The entry for order fn, or a fresh one (fn set, computed = false).
    Terms& at(double fn) {
        for (Terms& e : entries_)
            if (e.computed && e.fn == fn) return e;
        Terms& e = entries_[next_];
        next_ = (next_ + 1) % 4;
        e.fn = fn;
        e.computed = false;
        return e;
    }

private:
    Terms entries_[4];
    int next_ = 0;
};

// The Debye form at z (right half plane); kind 1 gives I, 2 gives K.
class DebyeForm {
public:
    DebyeForm(Complex z, const Limits& lim) : z_(z), lim_(lim) {}

    Member member(TwoDoubles order, int kind, bool full) {
        const double fn = order.hi;
        Terms& e = full ? cache_.at(fn) : scratch_;
        Complex phi, zeta1, zeta2, sum;
        if (!e.computed) {
            e.init = 0;
            cbes_debye_terms(z_, fn, kind, full ? 0 : 1, lim_.tol, e.init, phi, zeta1, zeta2, sum, e.work, lim_);
            Complex zu = z_;
            if (!usable_argument(zu, fn, lim_.ufl)) {
                e.exponent = dd_value(zeta2 - zeta1);
            } else if (last_order_.hi == order.hi && last_order_.lo == order.lo) {
                e.exponent = last_exponent_;  // the order a test has just expanded
            } else {
                e.exponent = debye_exponent(zu, order);
                last_order_ = order;
                last_exponent_ = e.exponent;
            }
            e.computed = full && e.init > 0;
        } else {
            cbes_debye_terms(z_, fn, kind, 0, lim_.tol, e.init, phi, zeta1, zeta2, sum, e.work, lim_);
        }
        return {kind == 1 ? e.exponent : -e.exponent, std::abs(phi)};
    }

    // phi * sum for a member expanded in full by member().
    Complex amplitude(TwoDoubles order, int kind) {
        const double fn = order.hi;
        Terms& e = cache_.at(fn);
        if (!e.computed) return 0.0;
        Complex phi, zeta1, zeta2, sum;
        cbes_debye_terms(z_, fn, kind, 0, lim_.tol, e.init, phi, zeta1, zeta2, sum, e.work, lim_);
        return phi * sum;
    }

private:
    struct Terms {
        double fn = -1.0;
        bool computed = false;
        int init = 0;
        DDComplex exponent;  // of the I member
        DebyeWork work;
    };
    Complex z_;
    const Limits& lim_;
    TermCache<Terms> cache_;
    Terms scratch_;
    TwoDoubles last_order_{-1.0, 0.0};  // the order of the last exponent formed, and that exponent
    DDComplex last_exponent_;
};

// The Airy form at zr (right half plane, Im zr > 0), through zn = -i zr:
// I(fn, zr) = exp(i pi fn/2) J(fn, zn) and
// K(fn, zr) = -(i pi/2) exp(-i pi fn/2) H2(fn, zn), with
// J(fn, zn) = phi (Ai(arg) asum + Ai'(arg) bsum) and
// H2(fn, zn) = 2 exp(i pi/3) phi (Ai(cr2 arg) asum + cr2 Ai'(cr2 arg) bsum).
// Ai is taken scaled by exp((2/3) x^(3/2)); the exponent -+(zeta1 - zeta2)
// restores it.
class AiryForm {
public:
    AiryForm(Complex zr, double fnu, const Limits& lim) : zn_(zr.imag(), -zr.real()), fnu_(fnu), lim_(lim) {}

    Member member(TwoDoubles order, int kind, bool full) {
        const double fn = order.hi;
        Terms& e = full ? cache_.at(fn) : scratch_;
        if (!e.computed) {
            Complex zu = zn_;
            const bool usable = usable_argument(zu, fn, lim_.ufl);
            Complex slope;
            const DDComplex per_order = usable ? airy_per_order(zu, fn, slope) : DDComplex{};
            const Complex zc_minus_w = per_order.value();
            cbes_airy_terms(zn_, order, full ? 0 : 1, lim_.tol, e.phi, e.arg, e.zeta1, e.zeta2, e.asum, e.bsum,
                            lim_, usable ? &zc_minus_w : nullptr);
            e.exponent = usable ? airy_exponent(per_order, slope, order) : dd_value(e.zeta1 - e.zeta2);
            e.computed = full;
        }
        return {kind == 1 ? -e.exponent : e.exponent, std::abs(e.phi) / std::sqrt(std::sqrt(std::abs(e.arg))), -aic};
    }

    // The Airy combination times phi and the rotation of the member's order.
    Complex amplitude(TwoDoubles order, int kind) {
        const Terms& e = cache_.at(order.hi);
        if (!e.computed) return 0.0;
        const Complex rotation = quarter_turns(fnu_, static_cast<int>(std::lround(order.hi - fnu_)));
        if (kind == 1) return e.phi * bessel_j_sum(e) * rotation;
        const Complex cs = cr1 * Complex(0.0, -hpi) * std::conj(rotation);
        return cs * e.phi * airy_sum(cr2 * e.arg, e, cr2);
    }

private:
    struct Terms {
        double fn = -1.0;
        bool computed = false;
        Complex phi, arg, zeta1, zeta2, asum, bsum;
        DDComplex exponent;  // zeta1 - zeta2
    };
    // Ai(x) asum + c Ai'(x) bsum, Ai scaled.
    static Complex airy_sum(Complex x, const Terms& e, Complex c) {
        Complex ai, dai;
        int nz = 0, ifail = 1;
        zairya('F', x, 'S', ai, nz, ifail);
        ifail = 1;
        zairya('D', x, 'S', dai, nz, ifail);
        return ai * e.asum + c * dai * e.bsum;
    }
    // Ai(a) asum + Ai'(a) bsum times exp(xi), xi = (2/3) a^(3/2) = zeta1 - zeta2.
    // Within 2 pi/3 of the positive axis Ai is one exponential and the scaled
    // Ai of the rounded a carries exactly the exp(xi) that its rounding needs.
    // Nearer the negative axis Ai has two exponentials of like size whose
    // phases the rounding of a would shift (by about xi eps); there
    // Ai(a) = -w Ai(w a) - w^2 Ai(w^2 a), w = exp(2 i pi/3), splits them into
    // two single-exponential terms, the one scaled by exp(-xi) taking the
    // factor exp(2 xi), |exp(2 xi)| <= 1, from the unrounded exponent.
    static Complex bessel_j_sum(const Terms& e) {
        constexpr double third_turn = 2.0943951023931957;  // 2 pi/3
        if (std::abs(std::arg(e.arg)) <= third_turn) return airy_sum(e.arg, e, 1.0);
        constexpr Complex w = {-0.5, 0.8660254037844386};
        const Complex xi = 2.0 / 3.0 * e.arg * std::sqrt(e.arg);
        Complex total = 0.0;
        for (const Complex c : {w, std::conj(w)}) {
            const Complex x = c * e.arg;
            const Complex xi_x = 2.0 / 3.0 * x * std::sqrt(x);
            const Complex term = -c * airy_sum(x, e, c);
            total += std::abs(xi_x - xi) < std::abs(xi_x + xi) ? term : term * dd_exp(e.exponent * 2.0);
        }
        return total;
    }
    Complex zn_;
    double fnu_;
    const Limits& lim_;
    TermCache<Terms> cache_;
    Terms scratch_;
};

// The member of order fn just tested, amplitude * exp(exponent) * css[level];
// false when, kept at the lowest level, it would underflow or lose its
// phase on rescaling.
template <class Form>
bool scaled_value(Form& form, TwoDoubles order, int kind, DDComplex exponent, const Scaling& sc, int level,
                  const Limits& lim, Complex& value) {
    value = form.amplitude(order, kind) * (dd_exp(exponent) * sc.css[level]);
    if (level != 0) return true;
    int nw = 0;
    cbes_underflow_check(value, nw, sc.bry[0], lim.tol);
    return nw == 0;
}

// The three-term recurrence y(nu -+ 1) = (2 nu/z) y(nu) + y(nu +- 1) run for
// count steps on the scaled pair (s2 of order nu, s1 the order on the other
// side), nu moving by step (+1 forward for K, -1 backward for I), with the
// order, 2/z and the members carried in two doubles. Each new member's plain
// value goes to store(j, value), j = 1..count; the level moves up when a
// value passes its bound, never past the third.
template <class Store>
void recur(const Scaling& sc, int& level, Complex z, Complex s1, Complex s2, TwoDoubles nu, double step, int count,
           Store store) {
    if (count <= 0) return;
    KRecurrence rec(s1, s2, nu, two_over(z), level, step);
    for (int j = 1; j <= count; ++j) store(j, rec.step(sc));
    level = rec.level;
}

// Near the imaginary axis I and K are J and H of -+i z. A three-term
// recurrence started from a pair of orders within 0.88 |z| < nu < 1.12 |z|
// of their turning point magnifies the pair's independent roundings up to
// 0.54 |z|^(1/3) times in the members it reaches (pi |z| |J Y| of the pair);
// from outside that band at most twice.
constexpr double turning_band = 0.2;

// Whether a recurrence started from the orders nu, nu + 1 at |z| = az starts
// in the band.
bool starts_near_turning_point(double az, double nu) {
    return nu + 1.0 > (1.0 - turning_band) * az && nu < (1.0 + turning_band) * az;
}

// The extra orders that move the starting pair of the backward recurrence of
// I over n orders from fnu up above the band, at most max_turning_raise.
int turning_point_shift(double az, double fnu, int n) {
    constexpr double max_turning_raise = 160.0;
    const double pair = fnu + (n - 2);
    if (n < 3 || !starts_near_turning_point(az, pair)) return 0;
    return static_cast<int>(std::min(std::ceil((1.0 + turning_band) * az - pair), max_turning_raise));
}

// Outcome of the overflow and underflow tests of one member.
struct Tested {
    bool on_scale;  // |exponent| within elim after the refinement
    double rs1;     // the (refined) real exponent
    int level;      // scaling level the exponent asks for
};

Tested test_member(const Member& m, DDComplex exponent, const Limits& lim) {
    double rs1 = exponent.value().real();
    if (std::abs(rs1) > lim.elim) return {false, rs1, 1};
    if (std::abs(rs1) < lim.alim) return {true, rs1, 1};
    rs1 += m.log_correction();
    return {std::abs(rs1) <= lim.elim, rs1, rs1 < 0.0 ? 0 : 2};
}

// A sequence with every member off scale: an overflow (nz = -1), or all
// members underflow to zero.
void off_scale(bool overflow, Complex* y, int n, int& nz) {
    if (overflow) {
        nz = -1;
        return;
    }
    std::fill(y, y + n, Complex(0.0));
    nz = n;
}

// The I sequence of z (Re z >= 0) from a form, member k of order
// fnu + shift + k carried exactly; see cbes_i_uniform_debye.
template <class Form>
void i_uniform(Form& form, Complex z, double fnu, int shift, int kode, int n, Complex* y, int& nz, int& nlast,
               const Limits& lim) {
    auto order = [fnu, shift](int k) { return exact_sum(fnu, static_cast<double>(shift) + k); };
    nz = 0;
    nlast = 0;
    int nd = n;
    const Scaling sc = make_scaling(lim.tol);
    const DDComplex scaling = dd_value(kode == 2 ? z.real() : 0.0);  // scaled I is exp(-Re z) I
    {
        const TwoDoubles fn = fnu + shift < 1.0 ? TwoDoubles{1.0, 0.0} : order(0);
        const double rs1 = (form.member(fn, 1, false).exponent - scaling).value().real();
        if (std::abs(rs1) > lim.elim) {
            off_scale(rs1 > 0.0, y, n, nz);
            return;
        }
    }
    for (;;) {
        Complex cy[2];
        int level = 1;
        bool underflow = false;
        double rs1 = 0.0;
        const int nn = std::min(2, nd);
        for (int i = 0; i < nn && !underflow; ++i) {
            const TwoDoubles fn = order(nd - 1 - i);
            const Member m = form.member(fn, 1, true);
            const DDComplex e = m.exponent - scaling;
            const Tested t = test_member(m, e, lim);
            rs1 = t.rs1;
            if (!t.on_scale) {
                underflow = true;
                break;
            }
            if (i == 0) level = t.level;
            underflow = !scaled_value(form, fn, 1, e, sc, level, lim, cy[i]);
            y[nd - 1 - i] = cy[i] * sc.csr[level];
        }
        if (!underflow) {
            recur(sc, level, z, cy[0], cy[1], order(nd - 2), -1.0, nd - 2,
                  [&](int j, Complex v) { y[nd - 2 - j] = v; });
            return;
        }
        if (rs1 > 0.0) {
            nz = -1;
            return;
        }
        y[nd - 1] = 0.0;
        ++nz;
        if (--nd == 0) return;
        int nuf = 0;
        cbes_over_under_test(z, fnu + shift, kode, 1, nd, y, nuf, lim);
        if (nuf < 0) {
            nz = -1;
            return;
        }
        nd -= nuf;
        nz += nuf;
        if (nd == 0) return;
        if (fnu + shift + nd - 1 < lim.fnul) {
            nlast = nd;
            return;
        }
    }
}

// The K sequence of z from a form built at zr = z or -z (Re zr >= 0), with
// the continuation to Re z < 0 when mr is +1 or -1; see cbes_k_uniform.
// With near_turning_point (Airy form) a sequence whose recurrences, K's up
// from the lowest orders or I's down from the highest, would start next to the
// turning point has every member from the form (up to max_direct members).
template <class Form>
void k_uniform(Form& form, Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz,
               const Limits& lim, bool near_turning_point = false) {
    const Complex zr = z.real() < 0.0 ? -z : z;
    // Beyond max_direct members the recurrences serve again: a member from
    // the form costs as much as some twenty steps.
    constexpr int max_direct = 200;
    const double az = modulus(z);
    const bool direct = near_turning_point && n > 2 && n <= max_direct;
    const bool direct_k = direct && starts_near_turning_point(az, fnu);
    const bool direct_i = direct && starts_near_turning_point(az, fnu + (n - 2));
    auto order = [fnu](int k) { return exact_sum(fnu, k); };
    const Scaling sc = make_scaling(lim.tol);
    const DDComplex zr_shift = dd_value(kode == 2 ? zr : 0.0);  // scaled K is exp(zr) K, scaled I exp(-zr) I
    nz = 0;
    Complex cy[2];
    int level = 1, accepted = 0, i = 0;
    for (; i < n; ++i) {
        const Member m = form.member(order(i), 2, true);
        const DDComplex e = m.exponent + zr_shift;
        Tested t = test_member(m, e, lim);
        Complex s2;
        if (t.on_scale) {
            if (accepted == 0 || direct_k) level = t.level;
            t.on_scale = scaled_value(form, order(i), 2, e, sc, level, lim, s2);
        }
        if (t.on_scale) {
            y[i] = s2 * sc.csr[level];
            if (direct_k) continue;
            cy[accepted] = s2;
            if (++accepted == 2) break;
            continue;
        }
        if (t.rs1 > 0.0 || z.real() < 0.0) {
            nz = -1;
            return;
        }
        accepted = 0;
        y[i] = 0.0;
        ++nz;
        if (i > 0 && y[i - 1] != Complex(0.0)) {
            y[i - 1] = 0.0;
            ++nz;
        }
    }
    if (i < n - 1 && !direct_k) {
        const Member m = form.member(order(n - 1), 2, mr != 0);
        const Tested t = test_member(m, m.exponent + zr_shift, lim);
        if (!t.on_scale) {
            off_scale(t.rs1 > 0.0 || z.real() < 0.0, y, n, nz);
            return;
        }
        recur(sc, level, zr, cy[0], cy[1], order(i), 1.0, n - 1 - i, [&](int j, Complex v) { y[i + j] = v; });
    }
    if (mr == 0) return;

    // K(nu, zr exp(i pi mr)) = exp(-i pi mr nu) K(nu, zr) - i pi mr I(nu, zr),
    // from the top order down; with kode 2 both terms carry exp(-zr).
    nz = 0;
    const double sgn = mr > 0 ? -pi : pi;
    const Complex csgn(0.0, sgn);
    const double ifnu = std::floor(fnu);
    const double fnf = fnu - ifnu;
    Complex cspn = unit_phase(dd_pi, mr > 0 ? -fnf : fnf);
    if (std::fmod(ifnu + n - 1, 2.0) != 0.0) cspn = -cspn;
    int iuf = 0;
    auto combine = [&](int k, Complex ci) {
        Complex ck = y[k];
        if (kode == 2) {
            int nw = 0;
            cbes_combine_scaled(zr, ck, ci, nw, sc.bry[0], lim.alim, iuf);
            nz += nw;
        }
        y[k] = cspn * ck + csgn * ci;
        cspn = -cspn;
    };
    int k = n - 1, iflag = 1;
    accepted = 0;
    for (; k >= 0 && (accepted < 2 || direct_i); --k) {
        const Member m = form.member(order(k), 1, true);
        const DDComplex e = m.exponent - zr_shift;
        const Tested t = test_member(m, e, lim);
        if (t.rs1 > lim.elim) {
            nz = -1;
            return;
        }
        Complex s2 = 0.0;
        if (t.on_scale) {
            if (accepted == 0 || direct_i) iflag = t.level;
            if (!scaled_value(form, order(k), 1, e, sc, iflag, lim, s2)) s2 = 0.0;
        }
        combine(k, s2 * sc.csr[iflag]);
        if (s2 == Complex(0.0)) {
            accepted = 0;
            continue;
        }
        if (!direct_i) cy[accepted++] = s2;
    }
    if (k < 0) return;
    recur(sc, iflag, zr, cy[0], cy[1], order(k + 1), -1.0, k + 1, [&](int j, Complex v) { combine(k + 1 - j, v); });
}

// The I sequence of orders fnu + shift + k by the form the sector of z asks
// for; the Airy form works on conj(z) when Im z <= 0, since
// I(nu, conj z) = conj I(nu, z).
void i_uniform_debye(Complex z, double fnu, int shift, int kode, int n, Complex* y, int& nz, int& nlast,
                     const Limits& lim) {
    DebyeForm form(z, lim);
    i_uniform(form, z, fnu, shift, kode, n, y, nz, nlast, lim);
}

void i_uniform_airy(Complex z, double fnu, int shift, int kode, int n, Complex* y, int& nz, int& nlast,
                    const Limits& lim) {
    const bool conjugate = z.imag() <= 0.0;
    const Complex zf = conjugate ? std::conj(z) : z;
    AiryForm form(zf, fnu, lim);
    i_uniform(form, zf, fnu, shift, kode, n, y, nz, nlast, lim);
    if (conjugate)
        for (int k = 0; k < n; ++k) y[k] = std::conj(y[k]);
}

}  // namespace

void cbes_i_uniform(Complex z, double fnu, int kode, int n, Complex* y, int& nz, int nui, int& nlast,
                    const Limits& lim) {
    const bool debye = debye_sector(z);
    auto evaluate = debye ? i_uniform_debye : i_uniform_airy;
    nz = 0;
    nlast = 0;
    int nw = 0;
    // The terms fall as powers of 1/|fn^2 + z^2|^(1/2) away from the turning
    // point and of 1/fn^2 near it: with |z| beyond fnul the wanted orders need
    // no raising, which would cost a second member and the recurrence down.
    int shift = modulus(z) > lim.fnul ? 0 : nui;
    if (!debye) shift += turning_point_shift(modulus(z), fnu, n + shift);
    if (shift == 0) {
        evaluate(z, fnu, 0, kode, n, y, nw, nlast, lim);
        nz = nw < 0 ? -1 : nw;
        return;
    }
    // Two members of the raised orders gnu - 1, gnu (gnu = fnu + top + 1, never
    // rounded), then the backward recurrence down to the wanted orders.
    const int top = n - 2 + shift;  // index of the order gnu - 1
    Complex cy[2];
    evaluate(z, fnu, top, kode, 2, cy, nw, nlast, lim);
    if (nw < 0) {
        nz = -1;
        return;
    }
    if (nw != 0) {
        nlast = n;
        return;
    }
    const Scaling sc = make_scaling(lim.tol);
    int level = level_of(cy[0], sc);
    if (top < n) y[top] = cy[0];
    recur(sc, level, z, cy[1] * sc.css[level], cy[0] * sc.css[level], exact_sum(fnu, top), -1.0, top,
          [&](int j, Complex v) {
              if (top - j < n) y[top - j] = v;
          });
}

void cbes_i_uniform_debye(Complex z, double fnu, int kode, int n, Complex* y, int& nz, int& nlast,
                          const Limits& lim) {
    i_uniform_debye(z, fnu, 0, kode, n, y, nz, nlast, lim);
}

void cbes_i_uniform_airy(Complex z, double fnu, int kode, int n, Complex* y, int& nz, int& nlast,
                         const Limits& lim) {
    i_uniform_airy(z, fnu, 0, kode, n, y, nz, nlast, lim);
}

void cbes_k_uniform(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz, const Limits& lim) {
    if (debye_sector(z)) {
        cbes_k_uniform_debye(z, fnu, kode, mr, n, y, nz, lim);
    } else {
        cbes_k_uniform_airy(z, fnu, kode, mr, n, y, nz, lim);
    }
}

void cbes_k_uniform_debye(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz,
                          const Limits& lim) {
    DebyeForm form(z.real() < 0.0 ? -z : z, lim);
    k_uniform(form, z, fnu, kode, mr, n, y, nz, lim);
}

void cbes_k_uniform_airy(Complex z, double fnu, int kode, int mr, int n, Complex* y, int& nz,
                         const Limits& lim) {
    // Worked for conj(z) (and -mr) when Im zr <= 0: K(nu, conj z) = conj K(nu, z).
    const Complex zr = z.real() < 0.0 ? -z : z;
    const bool conjugate = zr.imag() <= 0.0;
    const Complex zf = conjugate ? std::conj(z) : z;
    AiryForm form(conjugate ? std::conj(zr) : zr, fnu, lim);
    k_uniform(form, zf, fnu, kode, conjugate ? -mr : mr, n, y, nz, lim, true);
    if (conjugate && nz >= 0)
        for (int k = 0; k < n; ++k) y[k] = std::conj(y[k]);
}

}  // namespace qelms::cbes
