// The argument test the uniform expansions and their term generators share.
#pragma once

#include <cmath>

#include "complex_bessel.hpp"

namespace qelms::cbes {

// z with components of magnitude below ufl * fn (ufl = exp(-elim)) taken as
// 0; false when both are, that is when z is too small for the expansions.
inline bool usable_argument(Complex& z, double fn, double ufl) {
    const double test = ufl * fn;
    double zr = z.real(), zi = z.imag();
    if (std::abs(zr) < test) zr = 0.0;
    if (std::abs(zi) < test) zi = 0.0;
    z = {zr, zi};
    return zr != 0.0 || zi != 0.0;
}

}  // namespace qelms::cbes
