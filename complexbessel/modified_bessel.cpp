// Sequences of modified Bessel functions I and K of complex argument: the
// checks, the choice of evaluator and the continuation to Re z < 0.
#include <cmath>

#include "complex_bessel.hpp"
#include "double_double.hpp"
#include "qelms/qelms.hpp"
#include "sequence_driver.hpp"

namespace qelms {
namespace {

using cbes::Complex;
using cbes::DriverOutcome;
using cbes::Limits;
using cbes::pi;


// The range checks of both drivers: error 4 when nothing is computed, 3 the
// precision warning for I; 5 and 4 for K.
constexpr cbes::RangeErrors range_errors_i{4, 3, cbes::order_lacks_precision};
constexpr cbes::RangeErrors range_errors_k{5, 4, cbes::order_lacks_precision};

// Each evaluation, after the argument checks, returns whether the members
// hold values (the failure, if any, only a warning).
bool compute_i(double fnu, Complex z, int n, int kode, Complex* cy, int& nz, const Limits& lim, DriverOutcome& out) {
    if (!cbes::range_valid(out, cbes::modulus(z), fnu + n - 1, lim, range_errors_i)) return false;
    // On the positive real axis, in the power-series region, the real series.
    if (z.imag() == 0.0 && z.real() > 0.0 && cbes::cbes_series_on_axis(z.real(), fnu, kode, n, true, cy, lim))
        return true;
    // I(nu, -zn) = exp(+-i pi nu) I(nu, zn), the phase from the fractional part of nu
    Complex zn = z, csgn = 1.0;
    if (z.real() < 0.0) {
        zn = -z;
        const int inu = static_cast<int>(fnu);
        const double turns = fnu - inu;
        csgn = cbes::unit_phase(cbes::dd_pi, z.imag() < 0.0 ? -turns : turns);
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
    if (!cbes::range_valid(out, cbes::modulus(z), fnu + n - 1, lim, range_errors_k)) return false;
    // Re z < 0 by continuation from the side of the cut z lies on.
    const int mr = z.real() >= 0.0 ? 0 : z.imag() < 0.0 ? -1 : 1;
    return cbes::k_sequence(z, fnu, kode, mr, n, cy, nz, lim, out,
                            "(1X,'** No computation because abs(Z) =',1P,D13.5,' .LT.',D13.5)") >= 0;
}

}  // namespace

void zbesli(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail) {
    // Orders 0 and 1 on the real axis up to elim, where the unscaled members stay finite.
    if (cbes::orders_zero_one_on_axis(fnu, z, n, scale, cbes::cbes_limit_set().elim, -1.0, besli0, besli1, cy, nz,
                                      ifail))
        return;
    cbes::run_driver("ZBESLI", false, fnu, z, n, scale, cy, nz, ifail, cbes::no_further_checks,
                     [&](const Limits& lim, DriverOutcome& out) {
                         return compute_i(fnu, z, n, cbes::scale_kode(scale), cy, nz, lim, out);
                     });
}

void zbeslk(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail) {
    // Orders 0 and 1 on the real axis up to alim, where K1 is still far above
    // the underflow limit and the general method takes the same routines.
    if (cbes::orders_zero_one_on_axis(fnu, z, n, scale, cbes::cbes_limit_set().alim, 1.0, beslk0, beslk1, cy, nz,
                                      ifail))
        return;
    cbes::run_driver("ZBESLK", true, fnu, z, n, scale, cy, nz, ifail, cbes::no_further_checks,
                     [&](const Limits& lim, DriverOutcome& out) {
                         return compute_k(fnu, z, n, cbes::scale_kode(scale), cy, nz, lim, out);
                     });
}

}  // namespace qelms
