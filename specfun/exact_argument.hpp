// Arguments of exp, cos and sin carried as two doubles (hi + lo), and the
// double-double arithmetic that forms them. Where such an argument is large (a
// phase near 1e10, an exponent near 700) the rounding of one double would be
// magnified into the result; the low part restores it.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace qelms {

// The value hi + lo, |lo| no larger than about an ulp of hi.
struct TwoDoubles {
    double hi;
    double lo;
};

// a split into a high half of 26 bits and the rest (Veltkamp), |a| < 2^995.
inline TwoDoubles split(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// v cut to its leading 26 significant bits (the sign, the exponent and 25
// fraction bits): the product of two such, or of one and a 27-bit number, is exact.
inline double high_26(double v) {
    constexpr std::uint64_t high_26_bits = 0xFFFFFFFFF8000000;
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) & high_26_bits);
}

// 2^e for -1022 <= e <= 1023, from its bits.
inline double power_of_two(int e) {
    return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52);
}

// v as its leading 26 bits and the other 27, both exact.
inline TwoDoubles head_and_tail(double v) {
    const double head = high_26(v);
    return {head, v - head};
}

// a * b exactly, as the rounded product and its error (Dekker).
inline TwoDoubles exact_product(double a, double b) {
    const double p = a * b;
    const TwoDoubles x = split(a), y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// a + b as the rounded sum and its error, |a| >= |b| or a = 0 (Dekker).
inline TwoDoubles quick_two_sum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly, as the rounded sum and its error (Knuth).
inline TwoDoubles exact_sum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// ---- Double-double arithmetic on values hi + lo ----

inline TwoDoubles dd_add(TwoDoubles a, TwoDoubles b) {
    const TwoDoubles s = exact_sum(a.hi, b.hi);
    return quick_two_sum(s.hi, s.lo + a.lo + b.lo);
}

inline TwoDoubles dd_mul(TwoDoubles a, double b) {
    const TwoDoubles p = exact_product(a.hi, b);
    return quick_two_sum(p.hi, p.lo + a.lo * b);
}

inline TwoDoubles dd_mul(TwoDoubles a, TwoDoubles b) {
    const TwoDoubles p = exact_product(a.hi, b.hi);
    return quick_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// a / b for b = b.hi + b.lo.
inline TwoDoubles dd_div(TwoDoubles a, TwoDoubles b) {
    const double q = a.hi / b.hi;
    const TwoDoubles p = exact_product(q, b.hi);
    return quick_two_sum(q, ((((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo) / b.hi);
}

inline TwoDoubles dd_neg(TwoDoubles a) { return {-a.hi, -a.lo}; }

// e^(hi + lo) for |lo| a rounding error of hi: e^lo = 1 + lo to far below an ulp.
inline double exp_of(TwoDoubles v) {
    const double e = std::exp(v.hi);
    return std::isfinite(e) ? e + e * v.lo : e;
}

struct CosSin {
    double cos;
    double sin;
};

// cos a and sin a, from one argument reduction where the C library offers it
// (for a large a the reduction is most of the cost).
inline CosSin cos_sin(double a) {
#if defined(__GLIBC__)
    CosSin r{};
    ::sincos(a, &r.sin, &r.cos);
    return r;
#else
    return {std::cos(a), std::sin(a)};
#endif
}

// cos and sin of hi + lo (lo may be as large as an ulp of a phase near 1e16).
inline CosSin cos_sin_of(TwoDoubles v) {
    const CosSin h = cos_sin(v.hi);
    const double cl = std::cos(v.lo), sl = std::sin(v.lo);
    return {h.cos * cl - h.sin * sl, h.sin * cl + h.cos * sl};
}

}  // namespace qelms
