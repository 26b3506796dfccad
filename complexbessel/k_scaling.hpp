// What the K evaluator and the continuations share: the three-level scaling
// of forward recurrences, and products c e^w formed without rounding w.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

#include "../specfun/exact_argument.hpp"
#include "../support/machine.hpp"
#include "complex_bessel.hpp"
#include "double_double.hpp"

namespace qelms::cbes {

// Level 1 holds values times 1/tol (near underflow), level 2 plain values,
// level 3 values times tol (near overflow). Index 0 is level 1.
struct Scaling {
    std::array<double, 3> css;  // scale factor of each level
    std::array<double, 3> csr;  // its inverse, which restores the true value
    std::array<double, 3> bry;  // the level is left upwards above this bound
};

inline Scaling make_scaling(double tol) {
    const double low = 1000.0 * mach_safe_min() / tol;
    return {{1.0 / tol, 1.0, tol}, {tol, 1.0, 1.0 / tol}, {low, 1.0 / low, mach_max_real()}};
}

inline double larger_part(Complex c) { return std::max(std::fabs(c.real()), std::fabs(c.imag())); }

// |c| finite; parts up to half the largest double cannot overflow |c|.
inline bool finite_member(Complex c) {
    constexpr double half_max = 0.5 * mach_max_real();
    if (std::fabs(c.real()) <= half_max && std::fabs(c.imag()) <= half_max) return true;
    return std::isfinite(std::abs(c));
}

// A member beyond the largest double even at level 3 is an overflow: nz = -1,
// with the members set to 0.
inline void report_overflow(Complex* y, int n, int& nz) {
    std::fill(y, y + n, Complex(0.0));
    nz = -1;
}

// The level (0, 1 or 2) at which a value of magnitude |c| is kept.
inline int level_of(Complex c, const Scaling& sc) {
    const double a = std::abs(c);
    return a <= sc.bry[0] ? 0 : (a >= sc.bry[1] ? 2 : 1);
}

// The forward recurrence K(nu + 1, z) = (2 nu/z) K(nu, z) + K(nu - 1, z) on
// the last two members (s2 of order nu), kept times css[level]. The order,
// 2/z and the members are carried in two doubles: over dozens of steps the
// roundings of one double would add up, and fnu + k rounded to one double is
// off by up to half an ulp once it passes a power of two, an error every
// later step would repeat in the same direction.
class KRecurrence {
public:
    // step -1 runs the same recurrence down in the order, as for I.
    KRecurrence(Complex s1, Complex s2, TwoDoubles nu, const TwoOverZ& rz, int level, double step = 1.0)
        : p1_(dd_value(s1)), p2_(dd_value(s2)), coefficient_(rz, nu, step), rz_(rz), level(level) {
        update_form();
    }

    Complex s1() const { return p1_.value(); }
    Complex s2() const { return p2_.value(); }
    void set(Complex s1, Complex s2) {
        p1_ = dd_value(s1);
        p2_ = dd_value(s2);
        update_form();
    }
    void scale(double f) {
        p1_ = p1_ * f;
        p2_ = p2_ * f;
    }

    void advance() {
        const DDComplex next = multiply_add(coefficient_.value(), p2_, p1_, form_);
        p1_ = p2_;
        p2_ = next;
        coefficient_.next();
    }

    // One step, moving up a level when the new member passes its bound;
    // returns the true value of the new member.
    Complex step(const Scaling& sc) {
        advance();
        const Complex value = s2() * sc.csr[level];
        if (level < 2 && larger_part(value) > sc.bry[level]) {
            ++level;
            scale(sc.csr[level - 1] * sc.css[level]);
        }
        return value;
    }

    // count steps, each new member's true value to out[j] (j = 0..count-1)
    // when out is given; false, after the step that made it, at the first
    // member that is not finite.
    bool steps(int count, const Scaling& sc, Complex* out) {
        if (form_ == RecurrenceForm::imaginary) {
            // The same steps with 2/z = i g: c p + q = (q.re - g p.im) + i (q.im + g p.re),
            // each part one exact product, held in locals.
            // The coefficient's real part stays 0 and is left as it is.
            TwoDoubles p1r = p1_.re, p1i = p1_.im, p2r = p2_.re, p2i = p2_.im;
            TwoDoubles g = coefficient_.value().im;
            const TwoDoubles dg = coefficient_.step().im;
            bool finite = true;
            for (int j = 0; j < count && finite; ++j) {
                // Both parts as g p + q, the real one with p = -p2.im (negation
                // being exact): the same operations on two lanes, and g split once.
                const TwoDoubles nr = multiply_add_one(g, qelms::dd_neg(p2i), p1r);
                const TwoDoubles ni = multiply_add_one(g, p2r, p1i);
                g = RecurrenceCoefficients::accumulate(g, dg);
                p1r = p2r;
                p1i = p2i;
                p2r = nr;
                p2i = ni;
                const Complex value = Complex(nr.hi + nr.lo, ni.hi + ni.lo) * sc.csr[level];
                if (out != nullptr) out[j] = value;
                finite = finite_member(value);
                if (level < 2 && larger_part(value) > sc.bry[level]) {
                    ++level;
                    const double f = sc.csr[level - 1] * sc.css[level];
                    p1r = qelms::dd_mul(p1r, f);
                    p1i = qelms::dd_mul(p1i, f);
                    p2r = qelms::dd_mul(p2r, f);
                    p2i = qelms::dd_mul(p2i, f);
                }
            }
            p1_ = {p1r, p1i};
            p2_ = {p2r, p2i};
            coefficient_.set_imaginary(g);
            return finite;
        }
        if (form_ != RecurrenceForm::real) {
            DDComplex p1 = p1_, p2 = p2_;
            bool finite = true;
            const bool general = form_ == RecurrenceForm::general;
            for (int j = 0; j < count && finite; ++j) {
                const DDComplex next = general ? multiply_add_general(coefficient_.value(), p2, p1)
                                               : multiply_add(coefficient_.value(), p2, p1, form_);
                coefficient_.next();
                p1 = p2;
                p2 = next;
                const Complex value = p2.value() * sc.csr[level];
                if (out != nullptr) out[j] = value;
                finite = finite_member(value);
                if (level < 2 && larger_part(value) > sc.bry[level]) {
                    ++level;
                    const double f = sc.csr[level - 1] * sc.css[level];
                    p1 = p1 * f;
                    p2 = p2 * f;
                }
            }
            p1_ = p1;
            p2_ = p2;
            return finite;
        }
        // The same steps on the real parts alone, held in locals.
        TwoDoubles p1 = p1_.re, p2 = p2_.re, c = coefficient_.value().re;
        const TwoDoubles d = coefficient_.step().re;
        bool finite = true;
        for (int j = 0; j < count && finite; ++j) {
            const TwoDoubles next = positive_multiply_add(c, p2, p1);
            c = RecurrenceCoefficients::accumulate(c, d);
            p1 = p2;
            p2 = next;
            const double value = (p2.hi + p2.lo) * sc.csr[level];
            if (out != nullptr) out[j] = value;
            finite = std::fabs(value) <= mach_max_real();
            if (level < 2 && std::fabs(value) > sc.bry[level]) {
                ++level;
                const double f = sc.csr[level - 1] * sc.css[level];
                p1 = {p1.hi * f, p1.lo * f};
                p2 = {p2.hi * f, p2.lo * f};
            }
        }
        p1_ = {p1, {0.0, 0.0}};
        p2_ = {p2, {0.0, 0.0}};
        coefficient_.set_real(c);
        return finite;
    }

private:
    void update_form() { form_ = recurrence_form(rz_, p1_, p2_); }
    DDComplex p1_, p2_;
    RecurrenceCoefficients coefficient_;
    TwoOverZ rz_;
    RecurrenceForm form_ = RecurrenceForm::general;

public:
    int level;
};

// c e^w for a product within the range of doubles although e^w alone may
// overflow or underflow: e^w = 2^m e^(w - m ln 2) with the reduction exact,
// so neither the exponent nor the phase of w is rounded. False when the
// complex exponential fails.
inline bool times_exp(Complex c, Complex w, Complex& result) {
    constexpr double ln2_hi = 6.93147180369123816490e-01;  // ln 2 to 32 bits: m ln2_hi is exact
    constexpr double ln2_lo = 1.90821492927058770002e-10;  // ln 2 - ln2_hi
    constexpr double m_max = 4000.0;                       // beyond this the product is 0 or infinite
    double m = std::nearbyint(w.real() / (ln2_hi + ln2_lo));
    m = std::isnan(m) ? 0.0 : std::clamp(m, -m_max, m_max);
    const double r = (w.real() - m * ln2_hi) - m * ln2_lo;
    Complex e;
    if (!cbes_exp({r, w.imag()}, e)) {
        result = 0.0;
        return false;
    }
    int k = 0;
    std::frexp(larger_part(c), &k);
    const Complex p = Complex(std::ldexp(c.real(), -k), std::ldexp(c.imag(), -k)) * e;
    const int shift = static_cast<int>(m) + k;
    result = {std::ldexp(p.real(), shift), std::ldexp(p.imag(), shift)};
    return true;
}

}  // namespace qelms::cbes
