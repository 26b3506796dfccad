// ln x in two doubles, for exponents that large arguments multiply.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "exact_argument.hpp"
#include "log_tables.hpp"
#include "polynomial.hpp"

namespace qelms {

// 1/c for the grid points c = 3/4 + j/128 = (96 + j)/128 of log_grid_hi, rounded.
inline constexpr std::array<double, 97> log_grid_reciprocal = [] {
    std::array<double, 97> r{};
    for (std::size_t j = 0; j < r.size(); ++j) r[j] = 128.0 / static_cast<double>(96 + j);
    return r;
}();

// ln x for 0 < x < infinity to about 1e-19 of |ln x| (and relative to ln x near
// x = 1): x = m 2^k with 3/4 <= m < 3/2 read from the bits, c the grid point
// nearest m, and ln x = k ln 2 + ln c + ln(1 + u), u = (m - c)/c carried in two
// doubles. No division and no library call.
inline TwoDoubles log_two_doubles(double x) {
    // ln 2 with 42 significant bits, so that k ln2_hi is exact for every exponent k, and the rest
    constexpr double ln2_hi = 0x1.62e42fefa38p-1, ln2_lo = 5.497923018708371e-14;
    constexpr std::uint64_t fraction_bits = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t one_bits = std::uint64_t{1023} << 52;
    int k = 0;
    if (x < 0x1p-1022) {  // subnormal: made normal exactly
        x *= 0x1p54;
        k = -54;
    }
    const auto bits = std::bit_cast<std::uint64_t>(x);
    k += static_cast<int>(bits >> 52) - 1023;
    double m = std::bit_cast<double>((bits & fraction_bits) | one_bits);  // 1 <= m < 2
    if (m >= 1.5) {
        m *= 0.5;
        ++k;
    }
    const int j = static_cast<int>((m - 0.75) * 128.0 + 0.5);
    const auto i = static_cast<std::size_t>(j);
    const double c = 0.75 + j * 0.0078125;  // 8 significant bits: u c is exact in halves of u
    const double d = m - c;                 // exact
    const double u = d * log_grid_reciprocal[i];
    const TwoDoubles us = split(u);
    const double u_lo = ((d - us.hi * c) - us.lo * c) * log_grid_reciprocal[i];  // d/c - u
    // |u| <= 1/192 is below every nonzero |ln c| and |k ln 2 + ln c|, so the sums are ordered
    const TwoDoubles log1p = quick_two_sum(u, u * u * horner_descending_paired<2>(log1p_quotient, u));
    const double kd = static_cast<double>(k);
    const TwoDoubles s1 = quick_two_sum(kd * ln2_hi, log_grid_hi[i]);
    const TwoDoubles s2 = quick_two_sum(s1.hi, log1p.hi);
    const double lo = s1.lo + s2.lo + kd * ln2_lo + log_grid_lo[i] + log1p.lo + u_lo;
    const double hi = s2.hi + lo;
    return {hi, lo - (hi - s2.hi)};
}

}  // namespace qelms
