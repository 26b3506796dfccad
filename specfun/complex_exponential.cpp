// The complex exponential, guarded against overflow and against a large
// imaginary part.
#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

#include "../support/failure.hpp"
#include "../support/machine.hpp"
#include "qelms/qelms.hpp"

namespace qelms {
namespace {

// Limits derived from the machine constants on the first call.
struct ExponentialLimits {
    double big;      // 1/safe minimum: the value returned for an overflowed part
    double ln_big;   // real parts above this make e^x itself overflow
    double receps;   // 1/relative precision
    double im_max;   // |Im z| above this leaves no precision in cos and sin
    double im_half;  // |Im z| above this leaves less than half precision
};

ExponentialLimits derive_limits() {
    ExponentialLimits l{};
    l.big = 1.0 / mach_safe_min();
    l.ln_big = std::log(l.big);
    l.receps = 1.0 / mach_precision();
    l.im_max = std::min(l.receps, mach_max_trig_arg(1.0));
    l.im_half = std::pow(l.receps, 0.75) <= l.im_max ? std::sqrt(l.im_max) : l.im_max;
    return l;
}

constexpr const char* real_overflow_template =
    "(1X,'** Argument Z causes overflow in real part of result:',/,4X,'Z = (',1P,D13.5,',',D13.5,')')";
constexpr const char* imaginary_overflow_template =
    "(1X,'** Argument Z causes overflow in imaginary part of r','esult:',/,4X,'Z = (',1P,D13.5,',',D13.5,')')";
constexpr const char* both_overflow_template =
    "(1X,'** Argument Z causes overflow in both real and imagi','nary parts of result:',/,4X,'Z = (',1P,D13.5,"
    "',',D13.5,')')";
constexpr const char* half_precision_template =
    "(1X,'** The imaginary part of argument Z is so large that',' the result is',/,4X,'accurate to less than half "
    "precisio','n: Z = (',1P,D13.5,',',D13.5,')')";
constexpr const char* no_precision_template =
    "(1X,'** The imaginary part of argument Z is so large that',' the result has no',/,4X,'precision: Z = (',1P,"
    "D13.5,',',D13.5,')')";

constexpr double half_exponent_limit = 1400.0;  // e^(x/2) is finite up to here

// One part of e^(x + iy) for x > ln_big: trig * e^x, which overflows exactly
// when t = ln|trig| + x exceeds ln_big. Its value is formed as
// e^(x/2) (|trig| e^(x/2)), not as e^t: x/2 is exact, while rounding t (near
// 708) would cost up to 256 eps.
double scaled_part(double trig, double x, const ExponentialLimits& l, bool& overflow) {
    if (trig == 0.0) return 0.0;
    const double t = std::log(std::fabs(trig)) + x;
    if (t <= l.ln_big) {
        if (x > half_exponent_limit) return std::copysign(std::exp(t), trig);  // only for subnormal trig
        const double half = std::exp(0.5 * x);
        return std::copysign(half * (std::fabs(trig) * half), trig);
    }
    overflow = true;
    return std::copysign(l.big, trig);
}

}  // namespace

std::complex<double> zexpon(std::complex<double> z, int& ifail) {
    static const ExponentialLimits limits = derive_limits();
    const double x = z.real();
    const double y = z.imag();
    if (nan_argument(ifail, x, y)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    if (std::fabs(y) > limits.im_max) {
        ifail = fail_exit(ifail, 5, "ZEXPON", make_message(no_precision_template, {x, y}));
        return {0.0, 0.0};
    }
    const double c = std::cos(y);
    const double s = std::sin(y);
    bool real_overflow = false;
    bool imaginary_overflow = false;
    std::complex<double> result;
    if (x <= limits.ln_big) {
        const double e = std::exp(x);
        result = {c * e, s * e};
    } else {
        result = {scaled_part(c, x, limits, real_overflow), scaled_part(s, x, limits, imaginary_overflow)};
    }

    int error = 0;
    const char* tmpl = nullptr;
    if (real_overflow && imaginary_overflow) {
        error = 3;
        tmpl = both_overflow_template;
    } else if (std::fabs(y) > limits.im_half) {
        error = 4;
        tmpl = half_precision_template;
    } else if (real_overflow) {
        error = 1;
        tmpl = real_overflow_template;
    } else if (imaginary_overflow) {
        error = 2;
        tmpl = imaginary_overflow_template;
    }
    ifail = error == 0 ? 0 : fail_exit(ifail, error, "ZEXPON", make_message(tmpl, {x, y}));
    return result;
}

}  // namespace qelms
