// The remainder of Stirling's series for ln Gamma, shared by Gamma and the factor of
// the incomplete gamma functions.
#pragma once

#include <array>

#include "polynomial.hpp"

namespace qelms {

// ln Gamma(a) - ((a - 1/2) ln a - a + ln sqrt(2 pi)) = sum_k B(2k) / (2k (2k-1) a^(2k-1)),
// as 1/a times a polynomial in 1/a^2; the first omitted term is below 3e-17 at a = 7.
inline constexpr std::array<double, 10> stirling_series = {
    1.0 / 12.0,        -1.0 / 360.0, 1.0 / 1260.0,       -1.0 / 1680.0,      1.0 / 1188.0,
    -691.0 / 360360.0, 1.0 / 156.0,  -3617.0 / 122400.0, 43867.0 / 244188.0, -174611.0 / 125400.0,
};

inline constexpr double stirling_min_argument = 7.0;  // the series is accurate from here on
inline constexpr double ln_sqrt_2pi = 0.9189385332046728;
inline constexpr double ln_sqrt_2pi_low = -3.878294158067242e-17;  // ln sqrt(2 pi) - ln_sqrt_2pi

// The remainder for a >= stirling_min_argument.
inline double stirling_remainder(double a) {
    const double reciprocal = 1.0 / a;
    return horner_ascending_paired(stirling_series, reciprocal * reciprocal) * reciprocal;
}

}  // namespace qelms
