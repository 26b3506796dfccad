// Evaluation schemes shared by the coefficient tables of the real-argument
// routines.
#pragma once

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

}  // namespace qelms
