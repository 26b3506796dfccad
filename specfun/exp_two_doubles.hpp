// e^x in two doubles and a power of two, by plain arithmetic: no library call,
// and the low part keeps the result to about 1e-19 of itself.
#pragma once

#include <bit>
#include <cstdint>

#include "exact_argument.hpp"
#include "exp_two_doubles_tables.hpp"

namespace qelms {

// The value (hi + lo) 2^exponent: hi = 2^(j/128) is a table entry, known before
// the rest of the work is done, and |lo| < 0.006 hi.
struct ScaledExp {
    double hi;
    double lo;
    int exponent;
};

// x = k ln2/128 + r0 - k step_lo, |r0 - k step_lo| <= ln2/256: k = 128 m + j
// and r0 = x - k step_hi, exact.
struct ExpReduction {
    std::int64_t k;
    double kd;  // k as a double
    double r0;
};

inline ExpReduction reduce_exp_argument(double x) {
    using namespace exp_two_doubles;
    constexpr double shift = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
    const double z = x * inverse_step + shift;
    const auto k = static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(z) - std::bit_cast<std::uint64_t>(shift));
    const double kd = z - shift;
    return {k, kd, x - kd * step_hi};
}

// e^x for |x| <= 745: x = (128 m + j) ln2/128 + r, |r| <= ln2/256, and
// e^x = 2^m 2^(j/128) e^r with 2^(j/128) from its table in two doubles and
// e^r - 1 from its Taylor series. k ln2/128 is subtracted in two parts, the
// first exactly.
inline ScaledExp exp_scaled(double x) {
    using namespace exp_two_doubles;
    const auto [k, kd, r0] = reduce_exp_argument(x);
    const double r = r0 - kd * step_lo;
    const double r_lo = (r0 - r) - kd * step_lo;
    // e^r - 1 = r + r^2 (1/2 + r/6 + r^2 (1/24 + r/120 + r^2/720)), in two chains
    const double r2 = r * r;
    const double near = taylor[4] + r * taylor[3];
    const double far = taylor[2] + r * taylor[1] + r2 * taylor[0];
    const double expm1 = r + r2 * (near + r2 * far) + r_lo;
    const auto j = static_cast<std::size_t>(k & (power_hi.size() - 1));
    return {power_hi[j], power_hi[j] * expm1 + power_lo[j], static_cast<int>(k >> 7)};
}

// e^x = (hi + lo)(1 + expm1) 2^exponent for |x| <= 745: hi + lo = 2^(j/128) from
// its table and expm1 = e^r - 1 to about 1e-18 (r in one double, the series to
// r^5), for callers that fold expm1 into their own small terms before anything
// is multiplied by hi.
struct ExpParts {
    double hi;
    double lo;
    double expm1;
    int exponent;
};

inline ExpParts exp_parts(double x) {
    using namespace exp_two_doubles;
    const auto [k, kd, r0] = reduce_exp_argument(x);
    const double r = r0 - kd * step_lo;
    const double r2 = r * r;
    const double expm1 = r + r2 * ((taylor[4] + r * taylor[3]) + r2 * (taylor[2] + r * taylor[1]));
    const auto j = static_cast<std::size_t>(k & (power_hi.size() - 1));
    return {power_hi[j], power_lo[j], expm1, static_cast<int>(k >> 7)};
}

}  // namespace qelms
