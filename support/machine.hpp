// Machine constants of IEEE double precision and 32-bit integers. Several are
// 15-digit decimals close to, not equal to, the exact limits; every range
// threshold of the library derives from these values.
#pragma once

namespace qelms {

constexpr double mach_precision() { return 1.11130722679765e-16; }      // just above 2^-53
constexpr double mach_safe_min() { return 2.22507385850721e-308; }      // just above the least normal
constexpr double mach_max_real() { return 1.79769313486231e+308; }      // just below the largest double
constexpr double mach_min_real() { return 2.22507385850721e-308; }      // same as mach_safe_min
constexpr double mach_max_trig_arg(double) { return 4.61168601842739e+18; }  // just above 2^62
constexpr double mach_complex_safe() { return 1.0547686614863e-154; }   // nearest double to 2^-511.5

constexpr int mach_base() { return 2; }
constexpr int mach_digits() { return 53; }
constexpr int mach_min_exp() { return -1021; }
constexpr int mach_max_exp() { return 1024; }
constexpr int mach_max_int(double) { return 2147483647; }

}  // namespace qelms
