// Complex values with double-double parts, for quantities whose rounding to
// one double would be magnified: recurrences run over a hundred steps, and
// exponents of the size of the order that exp turns into relative errors.
#pragma once

#include <cmath>

#include "../specfun/exact_argument.hpp"
#include "../specfun/log_two_doubles.hpp"
#include "../specfun/polynomial.hpp"
#include "arg_tables.hpp"
#include "complex_bessel.hpp"

namespace qelms::cbes {

struct DDComplex {
    TwoDoubles re{0.0, 0.0}, im{0.0, 0.0};
    Complex value() const { return {re.hi + re.lo, im.hi + im.lo}; }
};

inline constexpr TwoDoubles dd_ln2 = {0.6931471805599453, 2.3190468138462996e-17};     // ln 2
inline constexpr TwoDoubles dd_half_pi = {1.5707963267948966, 6.123233995736766e-17};  // pi/2
inline constexpr TwoDoubles dd_two_over_pi = {0.6366197723675814, -3.935735335036497e-17};  // 2/pi
inline constexpr TwoDoubles dd_pi = {3.141592653589793, 1.2246467991473532e-16};  // pi

// e^(i unit f) for an exact f, unit pi/2 or pi in two doubles: the angle
// formed in two doubles, so that the phase keeps only the roundings of its
// cosine and sine.
inline Complex unit_phase(TwoDoubles unit, double f) {
    const CosSin cs = cos_sin_of(qelms::dd_mul(unit, f));
    return {cs.cos, cs.sin};
}

inline DDComplex dd_value(Complex c) { return {{c.real(), 0.0}, {c.imag(), 0.0}}; }
// 1 + c unrounded.
inline DDComplex one_plus(Complex c) {
    return {qelms::exact_sum(1.0, c.real()), {c.imag(), 0.0}};
}

// 2/z as hi + lo, to about twice double precision. Recurrences multiply by it
// dozens of times; with 2/z rounded to one double they would repeat that
// rounding error, always in the same direction.
struct TwoOverZ {
    Complex hi, lo;
    // order * (2/z) in double-double.
    DDComplex coefficient(TwoDoubles order) const {
        return {dd_mul(order, {hi.real(), lo.real()}), dd_mul(order, {hi.imag(), lo.imag()})};
    }
    // (base + t) * (2/z), base + t carried exactly.
    DDComplex coefficient(double base, double t) const { return coefficient(exact_sum(base, t)); }
    DDComplex value() const { return {{hi.real(), lo.real()}, {hi.imag(), lo.imag()}}; }
    // On the real axis, where recurrences started from real members stay real.
    bool real() const { return hi.imag() == 0.0 && lo.imag() == 0.0; }
    // On the imaginary axis, where each coefficient is i times a real one.
    bool imaginary() const { return hi.real() == 0.0 && lo.real() == 0.0; }
};

inline TwoOverZ two_over(Complex z) {
    // hi the rounded quotient, lo the quotient of the exact residual 2 - z hi.
    constexpr double safe = 1e-290;  // the exact products need |z| and |2/z| well inside the range
    const double az = modulus(z);
    if (z.imag() == 0.0 && z.real() > 0.0 && az > safe && az < 1.0 / safe) {
        // On the positive real axis the same quotient and residual, in real arithmetic.
        const double x = z.real(), q = 2.0 / x;
        const TwoDoubles p = exact_product(x, q);
        return {{q, 0.0}, {((2.0 - p.hi) - p.lo) * q * 0.5, 0.0}};
    }
    const Complex hi = cbes_divide(2.0, z);
    if (!(az > safe && az < 1.0 / safe)) return {hi, 0.0};
    const double a = z.real(), b = z.imag(), c = hi.real(), d = hi.imag();
    const TwoDoubles ac = exact_product(a, c), bd = exact_product(b, d);
    const TwoDoubles ad = exact_product(a, d), bc = exact_product(b, c);
    const TwoDoubles re = exact_sum(ac.hi, -bd.hi), im = exact_sum(ad.hi, bc.hi);
    const Complex residual(((2.0 - re.hi) - re.lo) - ac.lo + bd.lo, ((-im.hi) - im.lo) - ad.lo - bc.lo);
    return {hi, residual * hi * 0.5};
}

inline DDComplex operator+(DDComplex a, DDComplex b) {
    return {qelms::dd_add(a.re, b.re), qelms::dd_add(a.im, b.im)};
}

inline DDComplex operator-(DDComplex a) { return {qelms::dd_neg(a.re), qelms::dd_neg(a.im)}; }

inline DDComplex operator-(DDComplex a, DDComplex b) { return a + -b; }

inline DDComplex operator*(DDComplex a, DDComplex b) {
    const TwoDoubles re = qelms::dd_add(qelms::dd_mul(a.re, b.re), qelms::dd_neg(qelms::dd_mul(a.im, b.im)));
    const TwoDoubles im = qelms::dd_add(qelms::dd_mul(a.re, b.im), qelms::dd_mul(a.im, b.re));
    return {re, im};
}

inline DDComplex operator*(DDComplex a, double s) { return {qelms::dd_mul(a.re, s), qelms::dd_mul(a.im, s)}; }

inline DDComplex operator*(DDComplex a, TwoDoubles s) { return {qelms::dd_mul(a.re, s), qelms::dd_mul(a.im, s)}; }

inline DDComplex operator/(DDComplex a, TwoDoubles s) { return {qelms::dd_div(a.re, s), qelms::dd_div(a.im, s)}; }

inline DDComplex operator/(DDComplex a, double s) { return a / TwoDoubles{s, 0.0}; }

inline DDComplex one_plus(DDComplex c) { return dd_value(1.0) + c; }
// The same for a real c, as one_plus of c + 0i gives it.
inline DDComplex one_plus(TwoDoubles c) { return one_plus(DDComplex{c, {0.0, 0.0}}); }

// c p + q for c, p, q > 0 in two doubles, without the renormalisation of
// double-double: the leading part is the rounded product plus q, the low part
// gathers the exact errors of both and the products with the low parts. In a
// recurrence the leading parts then depend on one another through one product
// and one sum a step, a short chain, while the low parts, which follow the
// same recurrence and stay a few ulps of the leading ones, keep the value to
// about twice double precision. Positive terms do not cancel, so the leading
// part stays the value to a few ulps.
inline TwoDoubles positive_multiply_add(TwoDoubles c, TwoDoubles p, TwoDoubles q) {
    const TwoDoubles m = qelms::exact_product(c.hi, p.hi);
    const TwoDoubles s = qelms::exact_sum(m.hi, q.hi);
    return {s.hi, ((s.lo + m.lo) + (c.hi * p.lo + c.lo * p.hi)) + q.lo};
}

// The form of a recurrence c p + q: real (c, p and q real and positive, as on
// the positive real axis), imaginary (c = i times a real, as on the
// imaginary axis), axes (c so, and the members started on the axes: then
// they alternate between the real and the imaginary axis) or general.
enum class RecurrenceForm { general, real, imaginary, axes };

// a b + c d + q (b and d the signed factors) in two doubles without
// renormalising, as positive_multiply_add: the exact errors of both products
// and both sums and the products with the low parts gather in the low part.
// Where the sum cancels, the leading part is no longer the rounded value, but
// hi + lo still holds it to about twice double precision.
inline TwoDoubles multiply_add_pair(TwoDoubles a, TwoDoubles b, TwoDoubles c, TwoDoubles d, TwoDoubles q) {
    const TwoDoubles ab = qelms::exact_product(a.hi, b.hi), cd = qelms::exact_product(c.hi, d.hi);
    const TwoDoubles s = qelms::exact_sum(ab.hi, cd.hi);
    const TwoDoubles t = qelms::exact_sum(s.hi, q.hi);
    const double low = (a.hi * b.lo + a.lo * b.hi) + (c.hi * d.lo + c.lo * d.hi);
    return {t.hi, ((t.lo + s.lo) + (ab.lo + cd.lo)) + (low + q.lo)};
}

// a b + q, multiply_add_pair with its second product 0: the same value with
// one exact product instead of two.
inline TwoDoubles multiply_add_one(TwoDoubles a, TwoDoubles b, TwoDoubles q) {
    const TwoDoubles ab = qelms::exact_product(a.hi, b.hi);
    const TwoDoubles t = qelms::exact_sum(ab.hi, q.hi);
    return {t.hi, (t.lo + ab.lo) + ((a.hi * b.lo + a.lo * b.hi) + q.lo)};
}

inline bool is_zero(TwoDoubles a) { return a.hi == 0.0 && a.lo == 0.0; }

// Members of a recurrence on alternate axes (the form axes below) held as
// their one nonzero part: with c = i g, c p + q for p on the real axis
// (p_real) is i (g p + q), and for p on the imaginary axis -(g p) + q, each
// part of the result from the parts of p and q, as multiply_add forms it.
inline TwoDoubles axis_step(TwoDoubles g, TwoDoubles p, TwoDoubles q, bool p_real) {
    return multiply_add_one(p_real ? g : qelms::dd_neg(g), p, q);
}

// The member of part v, on the real axis when real.
inline DDComplex on_axis(TwoDoubles v, bool real) {
    constexpr TwoDoubles zero{0.0, 0.0};
    return real ? DDComplex{v, zero} : DDComplex{zero, v};
}

// c p + q, in the arithmetic its form allows: a fraction of the general cost.
// With members on the axes one part of c p + q is 0 and the other a single
// product and sum.
// multiply_add for the general form (i_methods.cpp), for the long complex
// recurrences: out of line, where the compiler carries its two parts side by
// side. Short ones keep multiply_add inline.
DDComplex multiply_add_general(const DDComplex& c, const DDComplex& p, const DDComplex& q);

inline DDComplex multiply_add(const DDComplex& c, const DDComplex& p, const DDComplex& q, RecurrenceForm form) {
    constexpr TwoDoubles zero{0.0, 0.0};
    if (form == RecurrenceForm::real) return {positive_multiply_add(c.re, p.re, q.re), zero};
    if (form == RecurrenceForm::imaginary)
        return {multiply_add_one(qelms::dd_neg(c.im), p.im, q.re), multiply_add_one(c.im, p.re, q.im)};
    if (form == RecurrenceForm::axes) {
        const TwoDoubles re =
            is_zero(p.im) && is_zero(q.re) ? zero : multiply_add_one(qelms::dd_neg(c.im), p.im, q.re);
        const TwoDoubles im = is_zero(p.re) && is_zero(q.im) ? zero : multiply_add_one(c.im, p.re, q.im);
        return {re, im};
    }
    return {multiply_add_pair(c.re, p.re, qelms::dd_neg(c.im), p.im, q.re),
            multiply_add_pair(c.re, p.im, c.im, p.re, q.im)};
}

inline bool is_real(DDComplex c) { return c.im.hi == 0.0 && c.im.lo == 0.0; }

// b p + q for real b > 0, in the arithmetic the form of the recurrence that
// makes p allows.
inline DDComplex scaled_add(DDComplex p, double b, DDComplex q, RecurrenceForm form) {
    constexpr TwoDoubles zero{0.0, 0.0};
    const TwoDoubles bb{b, 0.0};
    if (form == RecurrenceForm::real) return {positive_multiply_add(bb, p.re, q.re), zero};
    // A part of p that is 0 leaves that part of q as it is.
    if (form != RecurrenceForm::axes) return {multiply_add_one(bb, p.re, q.re), multiply_add_one(bb, p.im, q.im)};
    if (is_zero(p.re)) return {q.re, multiply_add_one(bb, p.im, q.im)};
    if (is_zero(p.im)) return {multiply_add_one(bb, p.re, q.re), q.im};
    return {multiply_add_one(bb, p.re, q.re), multiply_add_one(bb, p.im, q.im)};
}

// The form of the recurrence with 2/z = rz from the members p1, p2.
inline RecurrenceForm recurrence_form(const TwoOverZ& rz, DDComplex p1, DDComplex p2) {
    if (rz.real() && is_real(p1) && is_real(p2)) return RecurrenceForm::real;
    if (!rz.imaginary()) return RecurrenceForm::general;
    const auto on_axis = [](DDComplex p) { return is_real(p) || is_zero(p.re); };
    return on_axis(p1) && on_axis(p2) ? RecurrenceForm::axes : RecurrenceForm::imaginary;
}

// The coefficients (nu + j step) (2/z), j = 0, 1, ..., of a three-term
// recurrence in the order: the first from the exact order nu, each next by
// adding step (2/z) in two doubles, the exact error of each sum gathered in
// the low part without renormalising (each part of the coefficients moves
// one way, toward or away from 0, and never cancels). Hundreds of steps keep
// them to about 30 digits, and one coefficient follows the next through a
// single addition.
class RecurrenceCoefficients {
public:
    RecurrenceCoefficients(const TwoOverZ& rz, TwoDoubles nu, double step)
        : c_(rz.coefficient(nu)), d_(rz.value() * step), real_(rz.real()), imaginary_(rz.imaginary()) {}
    const DDComplex& value() const { return c_; }
    const DDComplex& step() const { return d_; }
    // A part that is 0 with its step stays 0 and is not advanced.
    void next() {
        if (!imaginary_) c_.re = accumulate(c_.re, d_.re);
        if (!real_) c_.im = accumulate(c_.im, d_.im);
    }
    // The coefficient after steps run on the real or the imaginary part alone.
    void set_real(TwoDoubles c) { c_.re = c; }
    void set_imaginary(TwoDoubles c) { c_.im = c; }
    // a + b, one coefficient from the one before.
    static TwoDoubles accumulate(TwoDoubles a, TwoDoubles b) {
        const TwoDoubles s = qelms::exact_sum(a.hi, b.hi);
        return {s.hi, a.lo + (b.lo + s.lo)};
    }

private:
    DDComplex c_, d_;
    bool real_, imaginary_;
};

// The leading value c plus a correction d of the order of its last bits.
inline DDComplex dd_corrected(Complex c, Complex d) {
    return {qelms::exact_sum(c.real(), d.real()), qelms::exact_sum(c.imag(), d.imag())};
}

// a / b: the quotient of the leading parts, corrected by the residual a - b q.
inline DDComplex operator/(DDComplex a, DDComplex b) {
    const Complex q = Complex(a.re.hi, a.im.hi) / Complex(b.re.hi, b.im.hi);
    return dd_corrected(q, (a - b * dd_value(q)).value() / b.value());
}

// sqrt(v) for v = hi + lo >= 0: the root of hi and one Newton step.
inline TwoDoubles dd_sqrt(TwoDoubles v) {
    const double r = std::sqrt(v.hi);
    if (r == 0.0) return {0.0, 0.0};
    const TwoDoubles rr = qelms::exact_product(r, r);
    return qelms::quick_two_sum(r, (((v.hi - rr.hi) - rr.lo) + v.lo) / (r + r));
}

// The principal square root: the root of the leading parts and one Newton step.
inline DDComplex dd_sqrt(DDComplex v) {
    const Complex r = std::sqrt(Complex(v.re.hi, v.im.hi));
    if (r == Complex(0.0)) return {};
    const DDComplex rr = dd_value(r);
    return dd_corrected(r, (v - rr * rr).value() / (2.0 * r));
}

// Real double-double values in the arithmetic odd_power_series shares with
// DDComplex: a sum, a product, a quotient by a double, the rounded value and
// back, and the size of a value.
inline TwoDoubles operator+(TwoDoubles a, TwoDoubles b) { return qelms::dd_add(a, b); }
inline TwoDoubles operator*(TwoDoubles a, TwoDoubles b) { return qelms::dd_mul(a, b); }
inline TwoDoubles operator/(TwoDoubles a, double s) { return qelms::dd_div(a, {s, 0.0}); }
inline TwoDoubles operator-(TwoDoubles a, TwoDoubles b) { return qelms::dd_add(a, qelms::dd_neg(b)); }
inline TwoDoubles operator*(TwoDoubles a, double s) { return qelms::dd_mul(a, s); }
inline double rounded(TwoDoubles a) { return a.hi + a.lo; }
inline Complex rounded(DDComplex a) { return a.value(); }
inline Complex rounded(Complex a) { return a; }  // a value already in doubles
inline TwoDoubles two_doubles_of(double v) { return {v, 0.0}; }
inline DDComplex two_doubles_of(Complex v) { return dd_value(v); }
inline double size_of(double v) { return std::fabs(v); }
inline double size_of(Complex c) { return std::fabs(c.real()) + std::fabs(c.imag()); }

// The sum over j >= 0 of x^j/(2j + first) for |x| <= 1/4: with first = 1,
// atanh(s)/s at x = s^2. Terms above 1e-9 in double-double, the rest (their
// rounding below 1e-24) in doubles. T is TwoDoubles or DDComplex.
template <class T>
T odd_power_series(T x, int first) {
    constexpr int max_terms = 40;         // (1/4)^40 is below 1e-24
    constexpr double small_term = 1e-9;   // from here on doubles suffice
    constexpr double negligible = 1e-24;  // later terms change a logarithm by less than 2^-79
    T sum = two_doubles_of(decltype(rounded(x))(0.0)), power = two_doubles_of(decltype(rounded(x))(1.0));
    int j = 0;
    for (; j < max_terms && size_of(rounded(power)) >= small_term; ++j) {
        sum = sum + power / static_cast<double>(2 * j + first);
        power = power * x;
    }
    auto tail = decltype(rounded(x))(0.0), p = rounded(power);
    for (; j < max_terms && size_of(p) >= negligible; ++j) {
        tail += p / static_cast<double>(2 * j + first);
        p *= rounded(x);
    }
    return sum + two_doubles_of(tail);
}

// ln v for real v = hi + lo > 0 to about twice double precision: v = 2^k m,
// m in [1/sqrt 2, sqrt 2), ln m = 2 atanh(s), s = (m - 1)/(m + 1), |s| < 0.18.
inline TwoDoubles dd_log(TwoDoubles v) {
    int e = 0;
    const double f = std::frexp(v.hi, &e);
    const int k = f < 0.7071067811865476 ? e - 1 : e;
    const TwoDoubles m{std::ldexp(v.hi, -k), std::ldexp(v.lo, -k)};
    const TwoDoubles s = qelms::dd_div(qelms::dd_add(m, {-1.0, 0.0}), qelms::dd_add(m, {1.0, 0.0}));
    return qelms::dd_add(qelms::dd_mul(s * odd_power_series(s * s, 1), 2.0),
                         qelms::dd_mul(dd_ln2, static_cast<double>(k)));
}

// ln v for v = hi + lo > 0 to about 1e-19 of |ln v| (log_two_doubles and the
// first-order term of lo): a tenth of the cost of dd_log, for exponents that
// multiply it by at most some hundreds (short_log_suffices below).
inline TwoDoubles log_short(TwoDoubles v) { return qelms::dd_add(qelms::log_two_doubles(v.hi), {v.lo / v.hi, 0.0}); }

// The principal logarithm. v = 2^k i^q m exactly, with |m| in [1/sqrt 2, sqrt 2)
// and |arg m| <= pi/4; then ln m = 4 atanh(s), s = (r - 1)/(r + 1), r = sqrt m,
// |s|^2 < 0.05. On the positive real axis the real logarithm.
inline DDComplex dd_log(DDComplex v) {
    const double x = v.re.hi, y = v.im.hi;
    if (y == 0.0 && v.im.lo == 0.0 && x > 0.0) return {dd_log(v.re), {0.0, 0.0}};
    int q = 0;
    DDComplex m = v;
    if (std::fabs(y) > std::fabs(x)) {
        q = y > 0.0 ? 1 : -1;
        m = q == 1 ? DDComplex{v.im, qelms::dd_neg(v.re)} : DDComplex{qelms::dd_neg(v.im), v.re};
    } else if (x < 0.0) {
        q = std::signbit(y) ? -2 : 2;
        m = -v;
    }
    int e = 0;
    const double f = std::frexp(std::abs(Complex(m.re.hi, m.im.hi)), &e);
    const int k = f < 0.7071067811865476 ? e - 1 : e;
    m = {{std::ldexp(m.re.hi, -k), std::ldexp(m.re.lo, -k)}, {std::ldexp(m.im.hi, -k), std::ldexp(m.im.lo, -k)}};
    const DDComplex one = dd_value(1.0), r = dd_sqrt(m);
    const DDComplex s = (r - one) / (r + one);
    const DDComplex ln_m = s * odd_power_series(s * s, 1) * 4.0;
    return ln_m + DDComplex{qelms::dd_mul(dd_ln2, static_cast<double>(k)), qelms::dd_mul(dd_half_pi, q)};
}

// Whether an exponent order times ln v may take log_short's ln v: the short
// logarithm is within 4.3e-19 of |ln v| and 2.2e-20 absolutely (a dense
// mpmath sweep of log_two_doubles), so with the order at most 900 and the
// exponent at most 128 in size its error stays below 2e-17 (0.09 ulp of the
// value the exponent gives).
inline bool short_log_suffices(double order, double ln) {
    constexpr double max_order = 900.0, max_exponent = 128.0;
    return order <= max_order && order * std::fabs(ln) <= max_exponent;
}

// atan t for 0 <= t <= 1 in two doubles, to about 1e-24: atan c for the grid
// point c = j/64 nearest t, plus atan d, d = (t - c)/(1 + t c), |d| <= 1/128,
// as d and its odd series in doubles.
inline TwoDoubles atan_unit(TwoDoubles t) {
    const int j = static_cast<int>(t.hi * 64.0 + 0.5);
    const double c = j / 64.0;
    const TwoDoubles d =
        qelms::dd_div(qelms::dd_add(t, {-c, 0.0}), qelms::dd_add({1.0, 0.0}, qelms::dd_mul(t, c)));
    const double d2 = d.hi * d.hi;
    const double rest = d.hi * d2 * qelms::horner_descending(atan_series, d2);
    const auto i = static_cast<std::size_t>(j);
    return qelms::dd_add(qelms::dd_add({atan_grid_hi[i], atan_grid_lo[i]}, d), {rest, 0.0});
}

// ln v in two doubles: ln |v| as half the short logarithm of |v|^2, to about
// 1.2e-19 of |ln |v||, and arg v (the principal value, the sign of a zero
// imaginary part deciding on the negative axis) to about 1e-24, from atan of
// the smaller part over the larger. A tenth of the cost of dd_log, for
// exponents for which short_log_suffices; dd_log where |v| or |v|^2 would
// leave the range.
inline DDComplex log_short(DDComplex v) {
    constexpr double range = 1e150;
    const double x = v.re.hi, y = v.im.hi;
    const double size = std::max(std::fabs(x), std::fabs(y));
    if (!(size > 1.0 / range && size < range)) return dd_log(v);
    const TwoDoubles norm = qelms::dd_add(qelms::dd_mul(v.re, v.re), qelms::dd_mul(v.im, v.im));
    const TwoDoubles ln_norm = log_short(norm);
    if (y == 0.0 && v.im.lo == 0.0 && x > 0.0) return {{ln_norm.hi * 0.5, ln_norm.lo * 0.5}, {0.0, 0.0}};  // as dd_log
    TwoDoubles a = x < 0.0 ? qelms::dd_neg(v.re) : v.re, b = y < 0.0 ? qelms::dd_neg(v.im) : v.im;
    const bool swapped = b.hi > a.hi;
    if (swapped) std::swap(a, b);
    TwoDoubles arg = atan_unit(qelms::dd_div(b, a));
    if (swapped) arg = dd_half_pi - arg;
    if (x < 0.0) arg = qelms::dd_mul(dd_half_pi, 2.0) - arg;
    if (std::signbit(y)) arg = qelms::dd_neg(arg);
    return {{ln_norm.hi * 0.5, ln_norm.lo * 0.5}, arg};
}

// e^w, neither the real part nor the phase of w rounded to one double:
// e^(hi) (1 + lo), which is e^(hi + lo) to rounding while |w| < 1e7.
inline Complex dd_exp(DDComplex w) {
    if (w.im.hi == 0.0 && w.im.lo == 0.0) {
        const double lead = std::exp(w.re.hi);  // real w: the same value without the phase
        return lead + lead * w.re.lo;
    }
    const Complex lead = std::exp(w.re.hi) * Complex(std::cos(w.im.hi), std::sin(w.im.hi));
    return lead + lead * Complex(w.re.lo, w.im.lo);
}

}  // namespace qelms::cbes
