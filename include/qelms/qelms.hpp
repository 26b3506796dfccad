// qelms: special functions of real and complex argument.
//
// Every routine takes the failure indicator `ifail` last, by reference. On
// entry it selects what happens if the routine detects a failure:
//   1   soft failure, silent: the routine returns with ifail = failure number;
//  -1   soft failure with messages: the records, an ABNORMAL EXIT line and a
//       soft-failure line are printed, then the routine returns;
//   0   hard failure: the same lines and a hard-failure line are printed, then
//       "Stop - Program terminated." goes to standard output and the routine
//       throws qelms::HardFailure (see set_stop_handler to change that).
// Other values follow the digit rules of qelms::fail_exit. On success ifail is 0.
// A NaN argument gives a NaN result with ifail 0 and no message.
// Every routine may be called from several threads at once: a call keeps its
// state on its own stack; only the two hooks below are shared.
#pragma once

#include <complex>
#include <stdexcept>
#include <string>
#include <string_view>

// Only what this header declares is exported from a shared build.
#pragma GCC visibility push(default)

namespace qelms {

// Thrown when a routine stops on a hard failure and no other stop handler is
// installed. what() is "Stop - Program terminated.".
class HardFailure : public std::runtime_error {
public:
    HardFailure(std::string routine, int error_number);
    const std::string& routine() const noexcept { return routine_; }
    int error_number() const noexcept { return error_number_; }

private:
    std::string routine_;
    int error_number_;
};

// The two hooks of the failure exit, shared by every routine and every thread.
// Both may be replaced at any time from any thread (the exchange is atomic);
// a routine running at that moment uses the old or the new hook for each line.
//
// Prints one message line (at most 80 characters) on `unit`; a negative unit
// prints nothing. The default writes the line without trailing blanks, and
// its newline, to standard output in one write, so lines from several threads
// do not mix within a line.
using MessageWriter = void (*)(int unit, std::string_view text);
// Called after "Stop - Program terminated." on a hard failure, on the failing
// thread; must not return. The default throws HardFailure.
using StopHandler = void (*)(std::string_view routine, int error_number);

// Each returns the previous hook; nullptr restores the default.
MessageWriter set_message_writer(MessageWriter writer);
StopHandler set_stop_handler(StopHandler handler);

// Gamma function. ifail: 1 x > 170 (returns 4.3e+304); 2 x < -170 (returns 0);
// 3 |x| < 2.23e-308 (returns +-1/2.23e-308); 4 x a negative integer (4.3e+304).
double gammaf(double x, int& ifail);

// ln Gamma(x) for x > 0. ifail: 1 x <= 0 (returns 0); 2 x > 2.55e+305 (1.79e+308).
double lngamm(double x, int& ifail);

// erf(x) for any real x; never fails (ifail = 0).
double errfun(double x, int& ifail);

// erfc(x) = 1 - erf(x) for any real x; never fails (ifail = 0). Returns 0 for
// x >= 26.6 and 2 for x <= -6.25.
double erfcmp(double x, int& ifail);

// Exponential integral E1(x) for x > 0. Returns 0 (ifail 0) for x >= 708.3.
// ifail: 1 x <= 0 (returns 0).
double expint(double x, int& ifail);

// Cosine integral Ci(x) for x > 0. Returns 0 (ifail 0) for x >= 1e16.
// ifail: 1 x <= 0 (returns 0).
double cosint(double x, int& ifail);

// Sine integral Si(x) for any real x; never fails (ifail = 0). Returns
// +-1.570796326794897 for |x| >= 1e17.
double sinint(double x, int& ifail);

// Incomplete gamma functions p = P(a, x) = gamma(a, x)/Gamma(a) and
// q = Q(a, x) = 1 - P(a, x) for a > 0, x >= 0, to the relative tolerance tol
// (a tol outside (max(mach_precision, 1e-18), 1] means that bound). x = 0 gives
// p = 0, q = 1; an a beyond ln Gamma's range gives 0 and 1 (x < a) or 1 and 0.
// ifail: 1 a <= 0; 2 x < 0; 3 no convergence in 600 steps. p = q = 0 on failure.
void gaminc(double a, double x, double tol, double& p, double& q, int& ifail);

// Fresnel integrals S(x) = int_0^x sin(pi t^2/2) dt and C(x) = int_0^x cos(pi t^2/2) dt
// for any real x; never fail (ifail = 0). Return +-0.5 for |x| >= 4294967290.
double fresns(double x, int& ifail);
double fresnc(double x, int& ifail);

// e^z for complex z. ifail: 1 Re z > 708.4 and the real part overflows (it
// returns +-4.49e+307); 2 the same for the imaginary part; 3 both parts overflow;
// 4 |Im z| > 94859958.6, less than half precision (value as computed);
// 5 |Im z| > 8998411743272888, no precision (returns 0). A NaN part gives NaN parts.
std::complex<double> zexpon(std::complex<double> z, int& ifail);

// Kelvin functions of order 0. ber(x) and bei(x) for |x| < 49.5; ifail: 1 |x| >= 49.5.
// ker(x) for 0 < x <= 997.26 and kei(x) for 0 <= x <= 997.26 (kei(0) = -pi/4);
// ifail: 1 x > 997.26; 2 x <= 0 (ker), x < 0 (kei). Each returns 0 on failure.
double kelber(double x, int& ifail);
double kelbei(double x, int& ifail);
double kelker(double x, int& ifail);
double kelkei(double x, int& ifail);

// Modified Bessel functions of the first kind I0(x), I1(x) for real x. ifail:
// 1 |x| > 711.6, the value overflows (returns 4.5e307, positive for I1 too).
double besli0(double x, int& ifail);
double besli1(double x, int& ifail);

// Modified Bessel functions of the second kind K0(x), K1(x) for x > 0. Return 0
// (ifail 0) for x >= 705.1, where they underflow. ifail: 1 x <= 0 (returns 0);
// K1 only: 2 0 < x <= 2.23e-308 (returns 1/2.23e-308 = 4.4843049327354256e+307).
double beslk0(double x, int& ifail);
double beslk1(double x, int& ifail);

// Bessel functions of the first kind J0(x), J1(x) for |x| <= 1e16.
// ifail: 1 |x| > 1e16 (returns sqrt(0.6366197723675814/|x|), the positive amplitude).
double beslj0(double x, int& ifail);
double beslj1(double x, int& ifail);

// Bessel functions of the second kind Y0(x), Y1(x) for 0 < x <= 1e16 (Y1:
// 2.23e-308 < x <= 1e16). ifail: 1 x > 1e16 (returns sqrt(0.6366197723675814/x));
// 2 x <= 0 (returns 0); Y1 only: 3 0 < x <= 2.23e-308 (returns
// -0.6366197723675814/2.23e-308 = -2.8547971855048493e+307).
double besly0(double x, int& ifail);
double besly1(double x, int& ifail);

// Airy functions Ai(x), Bi(x) and their derivatives Ai'(x), Bi'(x) for real x.
// ifail: 1 x > 103.8 (Ai) or x > 104.1 (Bi, Ai', Bi'); 2 x < -5.6e10 (Ai, Bi)
// or x < -1.8e9 (Ai', Bi'). Each returns 0 on failure; the bounds are computed.
double airyai(double x, int& ifail);
double airybi(double x, int& ifail);
double airyad(double x, int& ifail);
double airybd(double x, int& ifail);

// Carlson's symmetric elliptic integrals. Every failure returns 0. Infinite
// arguments give the limit 0 in RC and RF, and failure 4 in RD and RJ.
// RC(x, y) for x >= 0, y != 0 (y < 0: the Cauchy principal value).
// ifail: 1 x < 0; 2 y = 0.
double ellprc(double x, double y, int& ifail);
// RF(x, y, z) for x, y, z >= 0, at most one of them 0.
// ifail: 1 an argument < 0; 2 two or more arguments 0.
double ellprf(double x, double y, double z, int& ifail);
// RD(x, y, z) for x, y >= 0, x + y > 0, z > 0. ifail: 1 x < 0, y < 0 or
// x + y = 0; 2 z <= 0; 3 min(x + y, z) < 1.58e-205; 4 max(x, y, z) >= 3.08e+202.
double ellprd(double x, double y, double z, int& ifail);
// RJ(x, y, z, r) for x, y, z >= 0 with at most one 0, r != 0 (r < 0: the
// Cauchy principal value). ifail: 1 x, y or z < 0, or two of them 0; 2 r = 0;
// 3 min(x + y, y + z, z + x, |r|) < 2.82e-103; 4 max(x, y, z, |r|) > 1.40e+102.
double ellprj(double x, double y, double z, double r, int& ifail);

// Bessel and Airy functions of complex argument. A sequence routine fills
// cy[0..n-1] with the functions of orders fnu, fnu + 1, ..., fnu + n - 1 at z
// (fnu >= 0); scale 'U' or 'u' gives unscaled values, 'S' or 's' scaled ones.
// nz counts members set to zero because they underflow.
// I(fnu + k, z); scaled: exp(-|Re z|) I.
void zbesli(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail);
// K(fnu + k, z), z != 0; scaled: exp(z) K.
void zbeslk(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail);
// J(fnu + k, z); scaled: exp(-|Im z|) J.
void zbeslj(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz, int& ifail);
// Y(fnu + k, z), z != 0; scaled: exp(-|Im z|) Y. cwrk: n complex values of work space.
void zbesly(double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz,
            std::complex<double>* cwrk, int& ifail);
// Hankel functions H(m)(fnu + k, z), m = 1 or 2, z != 0; scaled: exp(-(3 - 2m) i z) H(m).
void zhankl(int m, double fnu, std::complex<double> z, int n, char scale, std::complex<double>* cy, int& nz,
            int& ifail);
// Ai(z) (deriv 'F') or Ai'(z) ('D'); scaled: exp(zeta) Ai, zeta = (2/3) z^(3/2).
// nz = 1 when the value underflowed and was set to 0.
void zairya(char deriv, std::complex<double> z, char scale, std::complex<double>& ai, int& nz, int& ifail);
// Bi(z) or Bi'(z); scaled: exp(-|Re zeta|) Bi.
void zairyb(char deriv, std::complex<double> z, char scale, std::complex<double>& bi, int& ifail);

}  // namespace qelms

#pragma GCC visibility pop
