// The scaled complementary error function, for routines that carry e^(-a^2) themselves.
#pragma once

namespace qelms {

// e^(a^2) erfc(a) for a >= 0.
double erfc_scaled(double a);

}  // namespace qelms
