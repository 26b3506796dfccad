// Sequences of modified Bessel functions I and K of complex argument: the
// checks, the choice of evaluator and the continuation to Re z < 0.
#include <cmath>
#include <limits>

#include "../support/failure.hpp"
#include "complex_bessel.hpp"
#include "qelms/qelms.hpp"
#include "sequence_driver.hpp"

namespace qelms {
namespace {

using cbes::Complex;
using cbes::DriverOutcome;
using cbes::Limits;

constexpr double pi = 3.141592653589793;
const Complex not_a_number(std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN());

bool has_nan(Complex z) { return std::isnan(z.real()) || std::isnan(z.imag()); }

// Each evaluation, after the checks, returns whether the members hold values
// (the failure, if any, only a warning).
bool compute_i(double fnu, Complex z, int n, int kode, Complex* cy, int& nz, const Limits& lim, DriverOutcome& out) {
    // I(nu, -zn) = exp(+-i pi nu) I(nu, zn), the phase from the fractional part of nu
    Complex zn = z, csgn = 1.0;
    if (z.real() < 0.0) {
        zn = -z;
        const int inu = static_cast<int>(fnu);
        double arg = (fnu - inu) * pi;
        if (z.imag() < 0.0) arg = -arg;
        csgn = {std::cos(arg), std::sin(arg)};
        if (inu % 2 == 1) csgn = -csgn;
    }
    nz = cbes::i_sequence(zn, fnu, kode, n, cy, lim, out,
                          "(1X,'** No computation because real(Z) =',1P,D13.5,' .GT.',D12.5,', SCALE = ''U''.')",
                          z.real());
    if (nz < 0) return false;
    if (z.real() < 0.0) cbes::rotate_members(cy, n - nz, csgn, -1.0, lim);
    return true;
}

bool compute_k(double fnu, Complex z, int n, int kode, Complex* cy, int& nz, const Limits& lim, DriverOutcome& out) {
    // Re z < 0 by continuation from the side of the cut z lies on.
    const int mr = z.real() >= 0.0 ? 0 : z.imag() < 0.0 ? -1 : 1;
    return cbes::k_sequence(z, fnu, kode, mr, n, cy, nz, lim, out,
                            "(1X,'** No computation because abs(Z) =',1P,D13.5,' .LT.',D13.5)") >= 0;
}

// What distinguishes the two drivers around their evaluation.
struct Driver {
    std::string_view routine;
    bool zero_z_refused;
    cbes::RangeErrors range_errors;
    bool (*compute)(double fnu, Complex z, int n, int kode, Complex* cy, int& nz, const Limits& lim,
                    DriverOutcome& out);
};
constexpr Driver driver_i{"ZBESLI", false, {4, 3, cbes::order_lacks_precision}, compute_i};
constexpr Driver driver_k{"ZBESLK", true, {5, 4, cbes::order_lacks_precision}, compute_k};

// Runs one driver: the argument checks, NaN z (NaN members, no failure), the
// range checks, the evaluation; nz 0 on entry, members 0 after a failure that
// leaves no values, and fail_exit once at the end.
void run_sequence(const Driver& d, double fnu, Complex z, int n, char scale, Complex* cy, int& nz, int& ifail) {
    const Limits lim = cbes::cbes_limit_set();
    DriverOutcome out;
    nz = 0;
    bool values = false;
    if (cbes::sequence_arguments_valid(out, d.zero_z_refused, fnu, z, n, scale)) {
        if (has_nan(z) && cbes::members_writable(n, lim)) {
            cbes::fill_members(cy, n, not_a_number, lim);
            values = true;
        } else if (cbes::sequence_range_valid(out, std::abs(z), fnu + n - 1, lim, d.range_errors)) {
            values = d.compute(fnu, z, n, cbes::scale_kode(scale), cy, nz, lim, out);
        }
    }
    if (!values) {
        nz = 0;
        cbes::fill_members(cy, n, 0.0, lim);
    }
    ifail = fail_exit(ifail, out.error, d.routine, out.message);
}

}  // namespace

void zbesli(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail) {
    run_sequence(driver_i, fnu, z, n, scale, cy, nz, ifail);
}

void zbeslk(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail) {
    run_sequence(driver_k, fnu, z, n, scale, cy, nz, ifail);
}

}  // namespace qelms
