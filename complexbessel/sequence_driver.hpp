// What the sequence drivers share: the argument and range checks with their
// messages, the I and K sequences with their failures, the final
// multiplication of the members by unit factors, and the run from the checks
// to the failure exit.
#pragma once

#include <cmath>
#include <initializer_list>
#include <limits>
#include <new>
#include <string_view>

#include "../support/failure.hpp"
#include "../support/message_format.hpp"
#include "complex_bessel.hpp"

namespace qelms::cbes {

// The failure a driver hands to fail_exit at its end: the error number and
// at most one message record (a later failure replaces an earlier one).
struct DriverOutcome {
    int error = 0;
    void set(int number, std::string_view tmpl, std::initializer_list<FieldValue> values = {});
    // fail_exit with the recorded failure (none: 0), as ifail on entry selects.
    int report(int ifail, std::string_view routine) const {
        if (error == 0) return 0;
        return has_message ? fail_exit(ifail, error, routine, storage.message) : fail_exit(ifail, error, routine);
    }

private:
    // The record is formed only when a failure is recorded: a call that
    // succeeds does not even clear its 240 characters.
    bool has_message = false;
    union Storage {
        Storage() {}
        Message message;
    } storage;
};

inline constexpr std::string_view no_computation_abs_z = "(1X,'** No computation because abs(Z) =',1P,D13.5,' .GT.',D13.5)";
inline constexpr std::string_view termination_not_met =
    "(1X,'** No computation - algorithm termination condition ','not met.')";

// kode of a SCALE letter: 1 unscaled (U, u), 2 scaled (S, s), 0 illegal.
inline int scale_kode(char scale) {
    if (scale == 'U' || scale == 'u') return 1;
    if (scale == 'S' || scale == 's') return 2;
    return 0;
}

// The argument checks in order: Z = 0 (when refused), FNU >= 0 (NaN fails),
// SCALE, N >= 1. False with error 1 at the first that fails.
bool sequence_arguments_valid(DriverOutcome& out, bool zero_z_refused, double fnu, Complex z, int n, char scale);
// The same test, inline for the common case that every argument is valid;
// the failures and their messages from sequence_arguments_valid.
inline bool arguments_valid(DriverOutcome& out, bool zero_z_refused, double fnu, Complex z, int n, char scale) {
    const bool zero_refused = zero_z_refused && z.real() == 0.0 && z.imag() == 0.0;
    if (!zero_refused && fnu >= 0.0 && scale_kode(scale) != 0 && n >= 1) return true;
    return sequence_arguments_valid(out, zero_z_refused, fnu, z, n, scale);
}

// Error numbers of a routine's range checks and its warning text for FNU+N-1.
struct RangeErrors {
    int no_computation;
    int lacks_precision;
    std::string_view order_warning;
};
inline constexpr std::string_view order_lacks_precision =
    "(1X,'** Results lack precision because FNU+N-1 =',1P,D13.5,' .GT.',D13.5)";

// abs(Z) and FNU+N-1 against az_limit (false: nothing is computed) and
// against its square root (the precision warning, computation goes on).
bool sequence_range_valid(DriverOutcome& out, double az, double fn, const Limits& lim, const RangeErrors& errors);
// The same, inline where neither bound is passed.
inline bool range_valid(DriverOutcome& out, double az, double fn, const Limits& lim, const RangeErrors& errors) {
    return (az <= lim.precision_bound && fn <= lim.precision_bound) || sequence_range_valid(out, az, fn, lim, errors);
}

// True when the caller's sequence of n members may be written: n >= 1 and no
// longer than any sequence the drivers compute (FNU+N-1 <= az_limit). Longer
// sequences are refused without touching a member.
bool members_writable(int n, const Limits& lim);

// I(fnu + k, z), k = 0..n-1, into cy by cbes_i_core for Re z >= 0. Returns
// nz, or -1 after a failure recorded in out: error 4 for |z| too large, 5 no
// convergence, 2 overflow (the message overflow_template with value and elim).
int i_sequence(Complex z, double fnu, int kode, int n, Complex* cy, const Limits& lim, DriverOutcome& out,
               std::string_view overflow_template, double value);

// K(fnu + k, z), k = 0..n-1, into cy after a driver's range checks. mr is 0
// for z taken in the right half plane, otherwise the side (+1 or -1) of the
// cut from which the continuation reaches z; a continued z on the imaginary
// axis is the negative axis, which the uniform expansions take as its mirror
// -z. Returns the number of members the caller may go on with (n, or 0 when
// every member underflows; nz counts the zeros), or -1 after a failure
// recorded in out: error 2 for |z| below exp(-elim) with the message
// tiny_z_template, 3 overflow, 5 |z| too large, 6 no convergence. shared
// carries K(fnu, z) and K(fnu + 1, z) between calls at z and -z with the same
// order, kode and n <= 2 (the two Hankel functions): the first call leaves
// them there, and the second, whose z is then the other's -z, takes them.
int k_sequence(Complex z, double fnu, int kode, int mr, int n, Complex* cy, int& nz, const Limits& lim,
               DriverOutcome& out, std::string_view tiny_z_template, KPair* shared = nullptr);

// A Bessel function of order 0 or 1 and real argument (besli0, beslj1, ...).
using RealBessel = double (*)(double, int&);

// The members of orders 0 and 1 at z = x + 0i from the real-argument routines
// order0 and order1, ahead of the driver and its checks, when the sequence
// holds no other order, scale is legal and real_axis_low <= x <= upper, the
// caller's bound below which its general methods neither fail, warn nor zero
// a member. The scaled members (scale S) are the values times e^(scale_sign x).
// On success nz = ifail = 0; false otherwise, with nothing touched.
inline bool orders_zero_one_on_axis(double fnu, Complex z, int n, char scale, double upper, double scale_sign,
                                    RealBessel order0, RealBessel order1, Complex* cy, int& nz, int& ifail) {
    const double x = z.real();
    if (!(z.imag() == 0.0 && x >= real_axis_low && x <= upper)) return false;
    if (!((fnu == 0.0 && (n == 1 || n == 2)) || (fnu == 1.0 && n == 1))) return false;
    const int kode = scale_kode(scale);
    if (kode == 0) return false;
    int fail = 1;
    const double factor = kode == 2 && scale_sign != 0.0 ? std::exp(scale_sign * x) : 1.0;
    cy[0] = (fnu == 0.0 ? order0(x, fail) : order1(x, fail)) * factor;
    if (n == 2) cy[1] = order1(x, fail) * factor;
    nz = 0;
    ifail = 0;
    return true;
}

// Longest sequence integer_orders_by_recurrence gives, and the smallest x
// it takes for Y: there the members stay below 1e110, far inside the range,
// where the general methods neither fail, warn nor zero a member.
inline constexpr int max_recurred_members = 32;
inline constexpr double recurred_y_low = 0.01;

// The members of integer orders fnu + k (fnu 0 or 1, 3 <= n <=
// max_recurred_members) at z = x + 0i, lower <= x <= upper and x at least
// per_order times the top order, from the real-argument values of orders 0
// and 1 by C(k + 1) = (2k/x) C(k) - C(k - 1), the recurrence of J and Y, in
// two doubles: the roundings of the steps stay far below those of the two
// starting values, whose errors e0, e1 carry into the members as the
// solution a J + b Y they start; a and b are e0 and e1 times factors of order
// 1 (by the Wronskian 2/(pi x)). That is within a few ulps of Y, which grows
// with the order, and of the amplitude of J while every order is at most
// x/2. On success nz = ifail = 0; false otherwise, with nothing touched.
inline bool integer_orders_by_recurrence(double fnu, Complex z, int n, char scale, double lower, double per_order,
                                         double upper, RealBessel order0, RealBessel order1, Complex* cy, int& nz,
                                         int& ifail) {
    const double x = z.real();
    if (!(z.imag() == 0.0 && (fnu == 0.0 || fnu == 1.0) && n >= 3 && n <= max_recurred_members && x >= lower &&
          x >= per_order * (fnu + (n - 1)) && x <= upper && scale_kode(scale) != 0))
        return false;
    int fail = 1;
    TwoDoubles previous{order0(x, fail), 0.0}, current{order1(x, fail), 0.0};
    const TwoDoubles two_over_x = dd_div({2.0, 0.0}, {x, 0.0});
    int k = 0;
    if (fnu == 0.0) cy[k++] = previous.hi;
    cy[k++] = current.hi;
    for (double order = 1.0; k < n; order += 1.0) {
        const TwoDoubles next = dd_add(dd_mul(dd_mul(two_over_x, order), current), dd_neg(previous));
        previous = current;
        current = next;
        cy[k++] = current.hi + current.lo;
    }
    nz = 0;
    ifail = 0;
    return true;
}

// Sets the n members to v when they may be written.
void fill_members(Complex* cy, int n, Complex v, const Limits& lim);

// Member k (k = 1..n) times csgn step^(k-1); a member whose larger part is
// below exp(-elim)/tol is scaled up by 1/tol before the product and down after,
// so that the product does not lose its low bits to underflow.
void rotate_members(Complex* cy, int n, Complex csgn, Complex step, const Limits& lim);

// For drivers without checks beyond sequence_arguments_valid.
inline bool no_further_checks(DriverOutcome&) { return true; }

// Runs one driver: nz 0 on entry; the argument checks, then further(out); NaN
// members for a NaN z when they may be written; otherwise compute(lim, out),
// which returns whether the members hold values (its failure, if any, only a
// warning). Members are 0 after a failure that leaves no values, and
// fail_exit reports once at the end.
template <typename Further, typename Compute>
void run_driver(std::string_view routine, bool zero_z_refused, double fnu, Complex z, int n, char scale, Complex* cy,
                int& nz, int& ifail, Further further, Compute compute) {
    const Limits lim = cbes_limit_set();
    DriverOutcome out;
    nz = 0;
    bool values = arguments_valid(out, zero_z_refused, fnu, z, n, scale) && further(out);
    if (values && (std::isnan(z.real()) || std::isnan(z.imag())) && members_writable(n, lim)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        fill_members(cy, n, Complex(nan, nan), lim);
    } else if (values) {
        values = compute(lim, out);
    }
    if (!values) {
        nz = 0;
        fill_members(cy, n, 0.0, lim);
    }
    ifail = out.report(ifail, routine);
}

}  // namespace qelms::cbes
