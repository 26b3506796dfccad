// ln x in two doubles, for exponents that large arguments multiply.
#pragma once

#include <cmath>

#include "exact_argument.hpp"
#include "log_tables.hpp"
#include "polynomial.hpp"

namespace qelms {

// ln x for 0 < x < infinity to about 1e-19 of |ln x| (and relative to ln x near
// x = 1): x = m 2^k with 3/4 <= m < 3/2, c the grid point nearest m, and
// ln x = k ln 2 + ln c + ln(1 + u), u = (m - c)/c carried in two doubles.
inline TwoDoubles log_two_doubles(double x) {
    constexpr double ln2_hi = 0.6931471805599453, ln2_lo = 2.3190468138462996e-17;
    int k = 0;
    double m = std::frexp(x, &k);
    if (m < 0.75) {
        m *= 2.0;
        --k;
    }
    const int j = static_cast<int>((m - 0.75) * 128.0 + 0.5);
    const double c = 0.75 + j * 0.0078125;
    const double d = m - c;  // exact
    const double u = d / c;
    const TwoDoubles uc = exact_product(u, c);
    const double u_lo = ((d - uc.hi) - uc.lo) / c;
    const TwoDoubles log1p = exact_sum(u, u * u * horner_descending(log1p_quotient, u));
    const double kd = static_cast<double>(k);
    const TwoDoubles k_ln2 = exact_product(kd, ln2_hi);
    const auto i = static_cast<std::size_t>(j);
    const TwoDoubles s1 = exact_sum(k_ln2.hi, log_grid_hi[i]);
    const TwoDoubles s2 = exact_sum(s1.hi, log1p.hi);
    const double lo = s1.lo + s2.lo + k_ln2.lo + kd * ln2_lo + log_grid_lo[i] + log1p.lo + u_lo;
    const double hi = s2.hi + lo;
    return {hi, lo - (hi - s2.hi)};
}

}  // namespace qelms
