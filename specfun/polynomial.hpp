// Evaluation schemes shared by the coefficient tables of the real-argument
// routines.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace qelms {

// Horner's rule on coefficients stored from the constant term up: c[0] + c[1] t + ...
inline double horner_ascending(std::span<const double> c, double t) {
    double p = c.back();
    for (std::size_t k = c.size() - 1; k-- > 0;) p = p * t + c[k];
    return p;
}

// Horner's rule on coefficients stored from the highest power down.
inline double horner_descending(std::span<const double> c, double t) {
    double p = c.front();
    for (std::size_t k = 1; k < c.size(); ++k) p = p * t + c[k];
    return p;
}

// sum of coefficient(i) t^(n-1-i), i = 0..n-1, with a shorter chain of
// dependent operations than Horner's rule: the leading coefficients, whose
// terms are small, as two interleaved Horner chains in t^2, the last
// `exact_tail` (at least 1) by Horner's rule in t, so that the rounding of the
// large final terms is that of Horner's rule.
template <std::size_t exact_tail, class Coefficient>
inline double paired_chains(std::size_t n, Coefficient coefficient, double t) {
    const std::size_t m = n - exact_tail;  // leading coefficients 0..m-1
    const double t2 = t * t;
    double even = coefficient(m % 2 == 0 ? 1 : 0);  // chain of the coefficients of even powers of t
    double odd = m % 2 == 0 ? coefficient(0) : 0.0;  // and of odd powers
    for (std::size_t k = m % 2 == 0 ? 2 : 1; k + 1 < m; k += 2) {
        odd = odd * t2 + coefficient(k);
        even = even * t2 + coefficient(k + 1);
    }
    double p = odd * t + even;
    for (std::size_t k = m; k < n; ++k) p = p * t + coefficient(k);
    return p;
}

// The same sum with four chains in t^4 for the leading coefficients, for long
// tables where the length of the dependent chain, not the count of operations,
// sets the time; the last `exact_tail` (at least 1) by Horner's rule in t.
template <std::size_t exact_tail, class Coefficient>
inline double quad_chains(std::size_t n, Coefficient coefficient, double t) {
    const std::size_t m = n - exact_tail;  // leading coefficients 0..m-1, of powers exact_tail..n-1
    const double t2 = t * t;
    const double t4 = t2 * t2;
    double chain[4] = {0.0, 0.0, 0.0, 0.0};  // chain[r]: the coefficients of powers = r mod 4 past the tail
    const std::size_t first = m % 4;          // coefficients before the first full group of four
    for (std::size_t k = 0; k < first; ++k) chain[first - 1 - k] = coefficient(k);
    for (std::size_t k = first; k + 4 <= m; k += 4) {
        chain[3] = chain[3] * t4 + coefficient(k);
        chain[2] = chain[2] * t4 + coefficient(k + 1);
        chain[1] = chain[1] * t4 + coefficient(k + 2);
        chain[0] = chain[0] * t4 + coefficient(k + 3);
    }
    double p = (chain[3] * t + chain[2]) * t2 + (chain[1] * t + chain[0]);
    for (std::size_t k = m; k < n; ++k) p = p * t + coefficient(k);
    return p;
}

// horner_descending's sum by quad_chains.
template <std::size_t exact_tail = 4>
inline double horner_descending_quad(std::span<const double> c, double t) {
    return quad_chains<exact_tail>(c.size(), [c](std::size_t i) { return c[i]; }, t);
}

// horner_descending's sum by paired_chains.
template <std::size_t exact_tail = 4>
inline double horner_descending_paired(std::span<const double> c, double t) {
    return paired_chains<exact_tail>(c.size(), [c](std::size_t i) { return c[i]; }, t);
}

// horner_ascending's sum by paired_chains.
template <std::size_t exact_tail = 4>
inline double horner_ascending_paired(std::span<const double> c, double t) {
    const std::size_t n = c.size();
    return paired_chains<exact_tail>(n, [c, n](std::size_t i) { return c[n - 1 - i]; }, t);
}

// sum c[k] t^k, k = 0..N-1 (coefficients from the constant term up), by
// Estrin's scheme: pairs c[2i] + c[2i+1] t combined in t^2, their pairs in t^4,
// and so on. Its chain of dependent operations grows with log N rather than N;
// for sums whose terms are all small next to the value they are added to.
template <std::size_t N>
inline double estrin_ascending(std::span<const double, N> c, double t) {
    if constexpr (N == 1) {
        return c[0];
    } else {
        std::array<double, (N + 1) / 2> pairs{};
        for (std::size_t i = 0; i < N / 2; ++i) pairs[i] = c[2 * i] + c[2 * i + 1] * t;
        if constexpr (N % 2 == 1) pairs[N / 2] = c[N - 1];
        return estrin_ascending(std::span<const double, (N + 1) / 2>(pairs), t * t);
    }
}

// Coefficients stored from the highest power down, the constant term in two
// doubles (the last two entries: its high part, then the rest), which is
// rounded only in the final sum.
template <std::size_t n, std::size_t exact_tail = 4>
inline double horner_descending_split_constant(std::span<const double, n> c, double t) {
    return c[n - 2] + (c[n - 1] + t * horner_descending_paired<exact_tail>(c.template first<n - 2>(), t));
}

// A function on n intervals, piece i its polynomial in t = x - centres[i] stored
// as horner_descending_split_constant takes it (m/n entries each, one after another).
template <std::size_t n, std::size_t m>
inline double piece_split_constant(const std::array<double, n>& centres, const std::array<double, m>& pieces,
                                   std::size_t i, double x) {
    constexpr std::size_t terms = m / n;
    return horner_descending_split_constant(std::span(pieces).subspan(i * terms).template first<terms>(),
                                            x - centres[i]);
}

// piece_split_constant on pieces of width 1/4 starting at `start`: the piece
// that holds x, the last one for x at the end of the range.
template <std::size_t n, std::size_t m>
inline double quarter_piece(const std::array<double, n>& centres, const std::array<double, m>& pieces, double start,
                            double x) {
    const auto i = std::min(static_cast<std::size_t>((x - start) * 4.0), n - 1);
    return piece_split_constant(centres, pieces, i, x);
}

// Chebyshev series on entries stored from the highest order down, c[0] ... c[m-1]
// (m >= 4), the constant term c[m-1] added whole: d1 = u c[0] + c[1],
// d2 = u d1 + c[2], dk = u d(k-1) - d(k-2) + c[k], value t d(m-2) - d(m-3) + c[m-1].
inline double chebyshev_descending(std::span<const double> c, double t) {
    const double u = 2.0 * t;
    const std::size_t m = c.size();
    double previous = u * c[0] + c[1];
    double current = u * previous + c[2];
    for (std::size_t k = 3; k + 2 <= m; ++k) {
        const double next = u * current - previous + c[k];
        previous = current;
        current = next;
    }
    return t * current - previous + c[m - 1];
}

// Chebyshev series on entries stored from the constant term up, c[0] ... c[m-1]
// (m >= 3), the constant term counting half, by Clenshaw's recurrence with the
// doubled variable u = 2t formed by the caller: starting from b1 = c[m-1] and
// b2 = 0, b = u b1 - b2 + c[k] for k = m-2 down to 0. Returns b0 - b2, twice
// the sum c[0]/2 + c[1] T1(t) + ... + c[m-1] T(m-1)(t).
inline double chebyshev_ascending_twice(std::span<const double> c, double u) {
    double b2 = 0.0;
    double b1 = c.back();
    for (std::size_t k = c.size() - 1; k-- > 1;) {
        const double b = u * b1 - b2 + c[k];
        b2 = b1;
        b1 = b;
    }
    const double b0 = u * b1 - b2 + c[0];
    return b0 - b2;
}

}  // namespace qelms
