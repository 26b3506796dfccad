% QELMS  Special functions: gamma, error functions, Bessel, Airy, Kelvin, Fresnel, elliptic integrals.
%
%   [RESULTS..., IFAIL] = qelms(NAME, ARGUMENTS..., IFAIL)
%
% calls the routine NAME (a string such as 'gammaf') with its ARGUMENTS and
% returns all of its results followed by the final IFAIL. Every argument is a
% 1-by-1 double (a character argument one character); a sequence routine
% returns a column of n complex values. For arrays of arguments see qelmsv.
%
% IFAIL on entry chooses what a failure does:
%    1  return silently with the failure number;
%   -1  print the failure messages, then return;
%    0  print them and stop with the error "Stop - Program terminated."
%       (identifier qelms:stop).
% IFAIL on return is 0 on success, otherwise the routine's failure number
% (listed below): a soft failure still returns every result. A NaN argument
% gives a NaN result with IFAIL 0.
%
% Wrong use (an unknown name, wrong argument or result counts, wrong types or
% shapes) raises an error with identifier qelms:useError, such as
% "RHS argument (x) must be REAL"; the text is padded with blanks, so compare
% it with deblank.
%
% Example:  [y, ifail] = qelms('gammaf', 0.5, -1)
%
% Routines (results and arguments in order; IFAIL last in both):
%
% zexpon  complex exponential e^z
%     [value, ifail] = qelms('zexpon', z, ifail)
%     z complex; value complex
%     A NaN part gives NaN parts.
%     ifail 1  Re z > 708.4 and the real part overflows (returns
%              +-4.49e+307)
%     ifail 2  the same for the imaginary part
%     ifail 3  both parts overflow
%     ifail 4  |Im z| > 94859958.6: less than half precision (value as
%              computed)
%     ifail 5  |Im z| > 8998411743272888: no precision (returns 0)
%
% expint  exponential integral E1(x), x > 0
%     [value, ifail] = qelms('expint', x, ifail)
%     Returns 0 (ifail 0) for x >= 708.3.
%     ifail 1  x <= 0 (returns 0)
%
% cosint  cosine integral Ci(x), x > 0
%     [value, ifail] = qelms('cosint', x, ifail)
%     Returns 0 (ifail 0) for x >= 1e16.
%     ifail 1  x <= 0 (returns 0)
%
% sinint  sine integral Si(x)
%     [value, ifail] = qelms('sinint', x, ifail)
%     Returns +-1.5707963267948966, the double nearest pi/2, for |x| >=
%     1e17.
%     ifail: never fails (0)
%
% gammaf  gamma function Γ(x)
%     [value, ifail] = qelms('gammaf', x, ifail)
%     ifail 1  x > 170 (returns 4.3e+304)
%     ifail 2  x < -170 (returns 0)
%     ifail 3  |x| < 2.23e-308 (returns +-1/2.23e-308)
%     ifail 4  x a negative integer (returns 4.3e+304)
%
% lngamm  ln Γ(x), x > 0
%     [value, ifail] = qelms('lngamm', x, ifail)
%     ifail 1  x <= 0 (returns 0)
%     ifail 2  x > 2.55e+305 (returns 1.79e+308)
%
% gaminc  incomplete gamma functions P(a,x) and Q(a,x)
%     [P, Q, ifail] = qelms('gaminc', a, x, tol, ifail)
%     P = gamma(a, x)/Gamma(a) and Q = 1 - P for a > 0, x >= 0, to the
%     relative tolerance tol (outside (max(eps, 1e-18), 1] means that
%     bound). x = 0 gives P = 0, Q = 1; an a beyond ln Gamma's range
%     gives 0 and 1 (x < a) or 1 and 0. P = Q = 0 on failure.
%     ifail 1  a <= 0
%     ifail 2  x < 0
%     ifail 3  no convergence in 600 steps
%
% erfcmp  complementary error function erfc(x)
%     [value, ifail] = qelms('erfcmp', x, ifail)
%     Returns 0 for x >= 26.6 and 2 for x <= -6.25.
%     ifail: never fails (0)
%
% errfun  error function erf(x)
%     [value, ifail] = qelms('errfun', x, ifail)
%     ifail: never fails (0)
%
% besly0  Bessel function Y0(x), x > 0
%     [value, ifail] = qelms('besly0', x, ifail)
%     ifail 1  x > 1e16 (returns sqrt(0.6366197723675814/x), the
%              amplitude)
%     ifail 2  x <= 0 (returns 0)
%
% besly1  Bessel function Y1(x), x > 0
%     [value, ifail] = qelms('besly1', x, ifail)
%     ifail 1  x > 1e16 (returns sqrt(0.6366197723675814/x), the
%              amplitude)
%     ifail 2  x <= 0 (returns 0)
%     ifail 3  0 < x <= 2.23e-308 (returns -0.6366197723675814/2.23e-308
%              = -2.8547971855048493e+307)
%
% beslj0  Bessel function J0(x)
%     [value, ifail] = qelms('beslj0', x, ifail)
%     ifail 1  |x| > 1e16 (returns sqrt(0.6366197723675814/|x|), the
%              amplitude)
%
% beslj1  Bessel function J1(x)
%     [value, ifail] = qelms('beslj1', x, ifail)
%     ifail 1  |x| > 1e16 (returns sqrt(0.6366197723675814/|x|), the
%              amplitude)
%
% airyai  Airy function Ai(x)
%     [value, ifail] = qelms('airyai', x, ifail)
%     Returns 0 on failure; the bounds are computed.
%     ifail 1  x > 103.8
%     ifail 2  x < -5.6e10
%
% airybi  Airy function Bi(x)
%     [value, ifail] = qelms('airybi', x, ifail)
%     Returns 0 on failure; the bounds are computed.
%     ifail 1  x > 104.1
%     ifail 2  x < -5.6e10
%
% airyad  Airy function derivative Ai'(x)
%     [value, ifail] = qelms('airyad', x, ifail)
%     Returns 0 on failure; the bounds are computed.
%     ifail 1  x > 104.1
%     ifail 2  x < -1.8e9
%
% airybd  Airy function derivative Bi'(x)
%     [value, ifail] = qelms('airybd', x, ifail)
%     Returns 0 on failure; the bounds are computed.
%     ifail 1  x > 104.1
%     ifail 2  x < -1.8e9
%
% beslk0  modified Bessel function K0(x), x > 0
%     [value, ifail] = qelms('beslk0', x, ifail)
%     Returns 0 (ifail 0) for x >= 705.1, where it underflows.
%     ifail 1  x <= 0 (returns 0)
%
% beslk1  modified Bessel function K1(x), x > 0
%     [value, ifail] = qelms('beslk1', x, ifail)
%     Returns 0 (ifail 0) for x >= 705.1, where it underflows.
%     ifail 1  x <= 0 (returns 0)
%     ifail 2  0 < x <= 2.23e-308 (returns 1/2.23e-308 =
%              4.4843049327354256e+307)
%
% besli0  modified Bessel function I0(x)
%     [value, ifail] = qelms('besli0', x, ifail)
%     ifail 1  |x| > 711.6: the value overflows (returns 4.5e307)
%
% besli1  modified Bessel function I1(x)
%     [value, ifail] = qelms('besli1', x, ifail)
%     ifail 1  |x| > 711.6: the value overflows (returns 4.5e307,
%              positive)
%
% kelber  Kelvin function ber(x)
%     [value, ifail] = qelms('kelber', x, ifail)
%     ifail 1  |x| >= 49.5 (returns 0)
%
% kelbei  Kelvin function bei(x)
%     [value, ifail] = qelms('kelbei', x, ifail)
%     ifail 1  |x| >= 49.5 (returns 0)
%
% kelker  Kelvin function ker(x), x > 0
%     [value, ifail] = qelms('kelker', x, ifail)
%     ifail 1  x > 997.26 (returns 0)
%     ifail 2  x <= 0 (returns 0)
%
% kelkei  Kelvin function kei(x), x ≥ 0
%     [value, ifail] = qelms('kelkei', x, ifail)
%     kei(0) = -pi/4.
%     ifail 1  x > 997.26 (returns 0)
%     ifail 2  x < 0 (returns 0)
%
% fresns  Fresnel integral S(x)
%     [value, ifail] = qelms('fresns', x, ifail)
%     S(x) = int_0^x sin(pi t^2/2) dt; returns +-0.5 for |x| >=
%     4294967290. For |x| < 3.4896505e-103, S(x) = pi x^3/6 is subnormal
%     and returned as the arithmetic rounds it (0 below about 2.1e-108).
%     ifail: never fails (0)
%
% fresnc  Fresnel integral C(x)
%     [value, ifail] = qelms('fresnc', x, ifail)
%     C(x) = int_0^x cos(pi t^2/2) dt; returns +-0.5 for |x| >=
%     4294967290.
%     ifail: never fails (0)
%
% ellprc  Carlson's degenerate elliptic integral RC(x,y)
%     [value, ifail] = qelms('ellprc', x, y, ifail)
%     For x >= 0, y != 0 (y < 0: the Cauchy principal value). Infinite
%     arguments give the limit 0. Returns 0 on failure.
%     ifail 1  x < 0
%     ifail 2  y = 0
%
% ellprf  Carlson's elliptic integral of the first kind RF(x,y,z)
%     [value, ifail] = qelms('ellprf', x, y, z, ifail)
%     For x, y, z >= 0, at most one of them 0. Infinite arguments give
%     the limit 0. Returns 0 on failure.
%     ifail 1  an argument < 0
%     ifail 2  two or more arguments 0
%
% ellprd  Carlson's elliptic integral of the second kind RD(x,y,z)
%     [value, ifail] = qelms('ellprd', x, y, z, ifail)
%     For x, y >= 0, x + y > 0, z > 0. Returns 0 on failure.
%     ifail 1  x < 0, y < 0 or x + y = 0
%     ifail 2  z <= 0
%     ifail 3  min(x + y, z) < 1.58e-205
%     ifail 4  max(x, y, z) >= 3.08e+202 (also an infinite argument)
%
% ellprj  Carlson's elliptic integral of the third kind RJ(x,y,z,r)
%     [value, ifail] = qelms('ellprj', x, y, z, r, ifail)
%     For x, y, z >= 0 with at most one 0, r != 0 (r < 0: the Cauchy
%     principal value). Returns 0 on failure.
%     ifail 1  x, y or z < 0, or two of them 0
%     ifail 2  r = 0
%     ifail 3  min(x + y, y + z, z + x, |r|) < 2.82e-103
%     ifail 4  max(x, y, z, |r|) > 1.40e+102 (also an infinite argument)
%
% zbesli  modified Bessel functions I(fnu+k, z), k = 0..n-1
%     [cy, nz, ifail] = qelms('zbesli', fnu, z, n, scale, ifail)
%     fnu real; z complex; n integer; scale one character; cy column of
%     n complex values; nz integer
%     Scaled: exp(-|Re z|) I. nz counts the last members set to zero by
%     underflow.
%     ifail 1  illegal argument: fnu < 0, scale not U, u, S or s, or n <
%              1
%     ifail 2  overflow: Re z too large with scale 'U'
%     ifail 3  results lack precision: |z| or fnu+n-1 > 32768 (values
%              returned)
%     ifail 4  no computation: |z| or fnu+n-1 > 1073741823.5, or an
%              exponential failed
%     ifail 5  no computation: the termination condition was not met
%
% zbeslk  modified Bessel functions K(fnu+k, z), k = 0..n-1, z ≠ 0
%     [cy, nz, ifail] = qelms('zbeslk', fnu, z, n, scale, ifail)
%     fnu real; z complex; n integer; scale one character; cy column of
%     n complex values; nz integer
%     Scaled: exp(z) K. nz counts members set to zero by underflow.
%     ifail 1  illegal argument: z = 0, fnu < 0, scale not U, u, S or s,
%              or n < 1
%     ifail 2  no computation: |z| < exp(-700.92)
%     ifail 3  overflow: fnu+n-1 too large (or |z| too small)
%     ifail 4  results lack precision: |z| or fnu+n-1 > 32768 (values
%              returned)
%     ifail 5  no computation: |z| or fnu+n-1 > 1073741823.5, or an
%              exponential failed
%     ifail 6  no computation: the termination condition was not met
%
% zbeslj  Bessel functions J(fnu+k, z), k = 0..n-1
%     [cy, nz, ifail] = qelms('zbeslj', fnu, z, n, scale, ifail)
%     fnu real; z complex; n integer; scale one character; cy column of
%     n complex values; nz integer
%     Scaled: exp(-|Im z|) J. nz counts the last members set to zero by
%     underflow.
%     ifail 1  illegal argument: fnu < 0, scale not U, u, S or s, or n <
%              1
%     ifail 2  overflow: |Im z| too large with scale 'U'
%     ifail 3  results lack precision: |z| or fnu+n-1 > 32768 (values
%              returned)
%     ifail 4  no computation: |z| or fnu+n-1 > 1073741823.5, or an
%              exponential failed
%     ifail 5  no computation: the termination condition was not met
%
% zbesly  Bessel functions Y(fnu+k, z), k = 0..n-1, z ≠ 0
%     [cy, nz, ifail] = qelms('zbesly', fnu, z, n, scale, ifail)
%     fnu real; z complex; n integer; scale one character; cy column of
%     n complex values; nz integer
%     Scaled: exp(-|Im z|) Y, formed as (H1 - H2)/(2i) from two zhankl
%     calls.
%     ifail 1  illegal argument: z = 0, fnu < 0, scale not U, u, S or s,
%              or n < 1
%     ifail 2  no computation: |z| < exp(-700.92)
%     ifail 3  overflow: fnu+n-1 too large (or |z| too small)
%     ifail 4  results lack precision: |z| or fnu+n-1 > 32768 (values
%              returned)
%     ifail 5  no computation: |z| or fnu+n-1 > 1073741823.5, or an
%              exponential failed
%     ifail 6  no computation: the termination condition was not met
%
% zhankl  Hankel functions H(m)(fnu+k, z), m = 1 or 2, k = 0..n-1, z ≠ 0
%     [cy, nz, ifail] = qelms('zhankl', fnu, z, n, scale, m, ifail)
%     fnu real; z complex; n integer; scale one character; m integer; cy
%     column of n complex values; nz integer
%     Scaled: exp(-(3 - 2m) i z) H(m). nz counts members set to zero by
%     underflow.
%     ifail 1  illegal argument: z = 0, fnu < 0, scale not U, u, S or s,
%              n < 1, or m not 1 or 2
%     ifail 2  no computation: |z| < exp(-700.92)
%     ifail 3  overflow: fnu+n-1 too large (or |z| too small)
%     ifail 4  results lack precision: |z| or fnu+n-1 > 32768 (values
%              returned)
%     ifail 5  no computation: |z| or fnu+n-1 > 1073741823.5, or an
%              exponential failed
%     ifail 6  no computation: the termination condition was not met
%
% zairya  Airy function Ai(z) or its derivative Ai'(z)
%     [value, nz, ifail] = qelms('zairya', z, deriv, scale, ifail)
%     z complex; deriv one character; scale one character; value
%     complex; nz integer
%     deriv 'F' gives Ai, 'D' Ai'; scaled: exp(zeta) Ai, zeta = (2/3)
%     z^(3/2). nz = 1 when the value underflowed and was set to 0 (not a
%     failure).
%     ifail 1  illegal argument: deriv not F, f, D or d, or scale not U,
%              u, S or s
%     ifail 2  overflow: Re zeta too large with scale 'U'
%     ifail 3  results lack precision: |z| > 1024 (value returned)
%     ifail 4  no computation: |z| > 1048575.9997, or an exponential
%              failed
%     ifail 5  no computation: the termination condition was not met
%
% zairyb  Airy function Bi(z) or its derivative Bi'(z)
%     [value, ifail] = qelms('zairyb', z, deriv, scale, ifail)
%     z complex; deriv one character; scale one character; value complex
%     deriv 'F' gives Bi, 'D' Bi'; scaled: exp(-|Re zeta|) Bi, zeta =
%     (2/3) z^(3/2).
%     ifail 1  illegal argument: deriv not F, f, D or d, or scale not U,
%              u, S or s
%     ifail 2  overflow: Re z too large with scale 'U'
%     ifail 3  results lack precision: |z| > 1024 (value returned)
%     ifail 4  no computation: |z| > 1048575.9997, or an exponential
%              failed
%     ifail 5  no computation: the termination condition was not met
%
% See also qelmsv.

%!test  # zexpon against mpmath
%! [value, ifail] = qelms ('zexpon', 1+0.5i, 1);
%! assert (ifail, 0);
%! assert (value, 2.385516730959135576+1.3032137296869955093i, -1e-14);
%!test  # zexpon: its failure numbers with ifail 1
%! [~, ifail] = qelms ('zexpon', 709, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('zexpon', 720+1.5708i, 1);
%! assert (ifail, 2);
%! [~, ifail] = qelms ('zexpon', 800+1i, 1);
%! assert (ifail, 3);
%! [~, ifail] = qelms ('zexpon', 0+1e8i, 1);
%! assert (ifail, 4);
%! [~, ifail] = qelms ('zexpon', 0+1e16i, 1);
%! assert (ifail, 5);
%!test  # expint against mpmath
%! [value, ifail] = qelms ('expint', 1.5, 1);
%! assert (ifail, 0);
%! assert (value, 0.1000195824066326519, -1e-14);
%!test  # expint: its failure numbers with ifail 1
%! [~, ifail] = qelms ('expint', -1, 1);
%! assert (ifail, 1);
%!test  # cosint against mpmath
%! [value, ifail] = qelms ('cosint', 2, 1);
%! assert (ifail, 0);
%! assert (value, 0.4229808287748649957, -1e-14);
%!test  # cosint: its failure numbers with ifail 1
%! [~, ifail] = qelms ('cosint', 0, 1);
%! assert (ifail, 1);
%!test  # sinint against mpmath
%! [value, ifail] = qelms ('sinint', 2, 1);
%! assert (ifail, 0);
%! assert (value, 1.6054129768026948486, -1e-14);
%!test  # gammaf against mpmath
%! [value, ifail] = qelms ('gammaf', 0.5, 1);
%! assert (ifail, 0);
%! assert (value, 1.7724538509055160273, -1e-14);
%!test  # gammaf: its failure numbers with ifail 1
%! [~, ifail] = qelms ('gammaf', 170.5, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('gammaf', -170.5, 1);
%! assert (ifail, 2);
%! [~, ifail] = qelms ('gammaf', 0, 1);
%! assert (ifail, 3);
%! [~, ifail] = qelms ('gammaf', -2, 1);
%! assert (ifail, 4);
%!test  # lngamm against mpmath
%! [value, ifail] = qelms ('lngamm', 100, 1);
%! assert (ifail, 0);
%! assert (value, 359.13420536957539878, -1e-14);
%!test  # lngamm: its failure numbers with ifail 1
%! [~, ifail] = qelms ('lngamm', -1, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('lngamm', 1e306, 1);
%! assert (ifail, 2);
%!test  # gaminc against mpmath
%! [P, Q, ifail] = qelms ('gaminc', 2, 1.5, 0, 1);
%! assert (ifail, 0);
%! assert (P, 0.44217459962892542767, -1e-14);
%! assert (Q, 0.55782540037107457233, -1e-14);
%!test  # gaminc: its failure numbers with ifail 1
%! [~, ~, ifail] = qelms ('gaminc', -1.5, 2, 0, 1);
%! assert (ifail, 1);
%! [~, ~, ifail] = qelms ('gaminc', 2, -0.25, 1e-6, 1);
%! assert (ifail, 2);
%!test  # erfcmp against mpmath
%! [value, ifail] = qelms ('erfcmp', 1, 1);
%! assert (ifail, 0);
%! assert (value, 0.15729920705028513066, -1e-14);
%!test  # errfun against mpmath
%! [value, ifail] = qelms ('errfun', 0.5, 1);
%! assert (ifail, 0);
%! assert (value, 0.52049987781304653768, -1e-14);
%!test  # besly0 against mpmath
%! [value, ifail] = qelms ('besly0', 3, 1);
%! assert (ifail, 0);
%! assert (value, 0.37685001001279038197, -1e-14);
%!test  # besly0: its failure numbers with ifail 1
%! [~, ifail] = qelms ('besly0', 1e17, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('besly0', -1, 1);
%! assert (ifail, 2);
%!test  # besly1 against mpmath
%! [value, ifail] = qelms ('besly1', 3, 1);
%! assert (ifail, 0);
%! assert (value, 0.32467442479179997844, -1e-14);
%!test  # besly1: its failure numbers with ifail 1
%! [~, ifail] = qelms ('besly1', 1e17, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('besly1', 0, 1);
%! assert (ifail, 2);
%! [~, ifail] = qelms ('besly1', 2e-308, 1);
%! assert (ifail, 3);
%!test  # beslj0 against mpmath
%! [value, ifail] = qelms ('beslj0', 8, 1);
%! assert (ifail, 0);
%! assert (value, 0.17165080713755390609, -1e-14);
%!test  # beslj0: its failure numbers with ifail 1
%! [~, ifail] = qelms ('beslj0', -1e17, 1);
%! assert (ifail, 1);
%!test  # beslj1 against mpmath
%! [value, ifail] = qelms ('beslj1', 8.5, 1);
%! assert (ifail, 0);
%! assert (value, 0.27312196367405374427, -1e-14);
%!test  # beslj1: its failure numbers with ifail 1
%! [~, ifail] = qelms ('beslj1', 1e17, 1);
%! assert (ifail, 1);
%!test  # airyai against mpmath
%! [value, ifail] = qelms ('airyai', -5, 1);
%! assert (ifail, 0);
%! assert (value, 0.35076100902411431979, -1e-14);
%!test  # airyai: its failure numbers with ifail 1
%! [~, ifail] = qelms ('airyai', 103.9, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('airyai', -6e10, 1);
%! assert (ifail, 2);
%!test  # airybi against mpmath
%! [value, ifail] = qelms ('airybi', 2, 1);
%! assert (ifail, 0);
%! assert (value, 3.2980949999782147103, -1e-14);
%!test  # airybi: its failure numbers with ifail 1
%! [~, ifail] = qelms ('airybi', 104.2, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('airybi', -6e10, 1);
%! assert (ifail, 2);
%!test  # airyad against mpmath
%! [value, ifail] = qelms ('airyad', 1, 1);
%! assert (ifail, 0);
%! assert (value, -0.15914744129679321279, -1e-14);
%!test  # airyad: its failure numbers with ifail 1
%! [~, ifail] = qelms ('airyad', 104.2, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('airyad', -2e9, 1);
%! assert (ifail, 2);
%!test  # airybd against mpmath
%! [value, ifail] = qelms ('airybd', 1, 1);
%! assert (ifail, 0);
%! assert (value, 0.93243593339277563296, -1e-14);
%!test  # airybd: its failure numbers with ifail 1
%! [~, ifail] = qelms ('airybd', 104.2, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('airybd', -2e9, 1);
%! assert (ifail, 2);
%!test  # beslk0 against mpmath
%! [value, ifail] = qelms ('beslk0', 1, 1);
%! assert (ifail, 0);
%! assert (value, 0.42102443824070833334, -1e-14);
%!test  # beslk0: its failure numbers with ifail 1
%! [~, ifail] = qelms ('beslk0', 0, 1);
%! assert (ifail, 1);
%!test  # beslk1 against mpmath
%! [value, ifail] = qelms ('beslk1', 1, 1);
%! assert (ifail, 0);
%! assert (value, 0.60190723019723457474, -1e-14);
%!test  # beslk1: its failure numbers with ifail 1
%! [~, ifail] = qelms ('beslk1', -1, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('beslk1', 2e-308, 1);
%! assert (ifail, 2);
%!test  # besli0 against mpmath
%! [value, ifail] = qelms ('besli0', 4, 1);
%! assert (ifail, 0);
%! assert (value, 11.301921952136330496, -1e-14);
%!test  # besli0: its failure numbers with ifail 1
%! [~, ifail] = qelms ('besli0', -712, 1);
%! assert (ifail, 1);
%!test  # besli1 against mpmath
%! [value, ifail] = qelms ('besli1', -30, 1);
%! assert (ifail, 0);
%! assert (value, -768532038938.95699949, -1e-14);
%!test  # besli1: its failure numbers with ifail 1
%! [~, ifail] = qelms ('besli1', 712, 1);
%! assert (ifail, 1);
%!test  # kelber against mpmath
%! [value, ifail] = qelms ('kelber', 2, 1);
%! assert (ifail, 0);
%! assert (value, 0.75173418271380822855, -1e-14);
%!test  # kelber: its failure numbers with ifail 1
%! [~, ifail] = qelms ('kelber', 50, 1);
%! assert (ifail, 1);
%!test  # kelbei against mpmath
%! [value, ifail] = qelms ('kelbei', 2, 1);
%! assert (ifail, 0);
%! assert (value, 0.9722916273066612061, -1e-14);
%!test  # kelbei: its failure numbers with ifail 1
%! [~, ifail] = qelms ('kelbei', -50, 1);
%! assert (ifail, 1);
%!test  # kelker against mpmath
%! [value, ifail] = qelms ('kelker', 2, 1);
%! assert (ifail, 0);
%! assert (value, -0.041664513991509532259, -1e-14);
%!test  # kelker: its failure numbers with ifail 1
%! [~, ifail] = qelms ('kelker', 0, 1);
%! assert (ifail, 2);
%! [~, ifail] = qelms ('kelker', 1000, 1);
%! assert (ifail, 1);
%!test  # kelkei against mpmath
%! [value, ifail] = qelms ('kelkei', 2, 1);
%! assert (ifail, 0);
%! assert (value, -0.20240006776470428829, -1e-14);
%!test  # kelkei: its failure numbers with ifail 1
%! [~, ifail] = qelms ('kelkei', -1, 1);
%! assert (ifail, 2);
%! [~, ifail] = qelms ('kelkei', 1000, 1);
%! assert (ifail, 1);
%!test  # fresns against mpmath
%! [value, ifail] = qelms ('fresns', 1, 1);
%! assert (ifail, 0);
%! assert (value, 0.43825914739035476608, -1e-14);
%!test  # fresnc against mpmath
%! [value, ifail] = qelms ('fresnc', 1, 1);
%! assert (ifail, 0);
%! assert (value, 0.77989340037682282947, -1e-14);
%!test  # ellprc against mpmath
%! [value, ifail] = qelms ('ellprc', 0.25, -2, 1);
%! assert (ifail, 0);
%! assert (value, 0.23104906018664843647, -1e-14);
%!test  # ellprc: its failure numbers with ifail 1
%! [~, ifail] = qelms ('ellprc', -1, 0, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('ellprc', 2, 0, 1);
%! assert (ifail, 2);
%!test  # ellprf against mpmath
%! [value, ifail] = qelms ('ellprf', 0, 1, 2, 1);
%! assert (ifail, 0);
%! assert (value, 1.3110287771460599052, -1e-14);
%!test  # ellprf: its failure numbers with ifail 1
%! [~, ifail] = qelms ('ellprf', -1, 0, 2.5, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('ellprf', 0, 3, 0, 1);
%! assert (ifail, 2);
%!test  # ellprd against mpmath
%! [value, ifail] = qelms ('ellprd', 0, 2, 1, 1);
%! assert (ifail, 0);
%! assert (value, 1.7972103521033883112, -1e-14);
%!test  # ellprd: its failure numbers with ifail 1
%! [~, ifail] = qelms ('ellprd', 0, 0, 1, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('ellprd', 1, 1, 0, 1);
%! assert (ifail, 2);
%! [~, ifail] = qelms ('ellprd', 1e-300, 0, 1, 1);
%! assert (ifail, 3);
%! [~, ifail] = qelms ('ellprd', 1, 1e300, 1, 1);
%! assert (ifail, 4);
%!test  # ellprj against mpmath
%! [value, ifail] = qelms ('ellprj', 2, 3, 4, 5, 1);
%! assert (ifail, 0);
%! assert (value, 0.14297579667156753833, -1e-14);
%!test  # ellprj: its failure numbers with ifail 1
%! [~, ifail] = qelms ('ellprj', 1, -2, 3, 4, 1);
%! assert (ifail, 1);
%! [~, ifail] = qelms ('ellprj', 1, 2, 3, 0, 1);
%! assert (ifail, 2);
%! [~, ifail] = qelms ('ellprj', 0, 1e-300, 1, 1, 1);
%! assert (ifail, 3);
%! [~, ifail] = qelms ('ellprj', 1, 1, 1, 1e300, 1);
%! assert (ifail, 4);
%!test  # zbesli against mpmath
%! [cy, nz, ifail] = qelms ('zbesli', 0, 1+1i, 2, 'U', 1);
%! assert (ifail, 0);
%! assert (cy, [0.9376084768060292766+0.49652994760912213217i;0.36502802882708778851+0.61416033492290361017i], -1e-14);
%! assert (nz, 0);
%!test  # zbesli: its failure numbers with ifail 1
%! [~, ~, ifail] = qelms ('zbesli', -1, 1+1i, 2, 'U', 1);
%! assert (ifail, 1);
%!test  # zbeslk against mpmath
%! [cy, nz, ifail] = qelms ('zbeslk', 2.5, -1+0.5i, 1, 'U', 1);
%! assert (ifail, 0);
%! assert (cy, [2.202776331096762077-0.73897120980072078744i], -1e-14);
%! assert (nz, 0);
%!test  # zbeslk: its failure numbers with ifail 1
%! [~, ~, ifail] = qelms ('zbeslk', 0, 0+0i, 1, 'U', 1);
%! assert (ifail, 1);
%!test  # zbeslj against mpmath
%! [cy, nz, ifail] = qelms ('zbeslj', 0.5, 1+1i, 2, 'U', 1);
%! assert (ifail, 0);
%! assert (cy, [0.96790128289013061188+0.060204606214281701012i;0.25115830598729948222+0.37320184370263719382i], -1e-14);
%! assert (nz, 0);
%!test  # zbeslj: its failure numbers with ifail 1
%! [~, ~, ifail] = qelms ('zbeslj', 0, 1+1i, 0, 'U', 1);
%! assert (ifail, 1);
%!test  # zbesly against mpmath
%! [cy, nz, ifail] = qelms ('zbesly', 0, 2-1i, 2, 'S', 1);
%! assert (ifail, 0);
%! assert (cy, [0.29446951086148347428-0.027825867610376586701i;-0.0060021141478628395332-0.22050945398352925293i], -1e-14);
%! assert (nz, 0);
%!test  # zbesly: its failure numbers with ifail 1
%! [~, ~, ifail] = qelms ('zbesly', 0, 1+1i, 1, 'X', 1);
%! assert (ifail, 1);
%!test  # zhankl against mpmath
%! [cy, nz, ifail] = qelms ('zhankl', 1, 3+2i, 2, 'U', 2, 1);
%! assert (ifail, 0);
%! assert (cy, [1.5052301018211928548-2.5468314017024478015i;2.3917576430737240993+0.31017861803574353039i], -1e-14);
%! assert (nz, 0);
%!test  # zhankl: its failure numbers with ifail 1
%! [~, ~, ifail] = qelms ('zhankl', 0, 1+1i, 1, 'U', 3, 1);
%! assert (ifail, 1);
%!test  # zairya against mpmath
%! [value, nz, ifail] = qelms ('zairya', 1+1i, 'D', 'U', 1);
%! assert (ifail, 0);
%! assert (value, -0.13062795349964751771+0.16306759644932391574i, -1e-14);
%! assert (nz, 0);
%!test  # zairya: its failure numbers with ifail 1
%! [~, ~, ifail] = qelms ('zairya', 1+1i, 'X', 'U', 1);
%! assert (ifail, 1);
%! [~, ~, ifail] = qelms ('zairya', 2000000+0i, 'D', 'U', 1);
%! assert (ifail, 4);
%!test  # zairyb against mpmath
%! [value, ifail] = qelms ('zairyb', -2+1i, 'F', 'S', 1);
%! assert (ifail, 0);
%! assert (value, -0.20781776176620796208+0.11508584626693795079i, -1e-14);
%!test  # zairyb: its failure numbers with ifail 1
%! [~, ifail] = qelms ('zairyb', 2000000+0i, 'F', 'S', 1);
%! assert (ifail, 4);
%!test  # ifail -1: the failure messages, then the failure number
%! text = evalc ("[value, ifail] = qelms ('gammaf', 0, -1);");
%! assert (ifail, 3);
%! assert (! isempty (strfind (text, 'ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     3')));
%! assert (! isempty (strfind (text, 'QELM soft failure - control returned')));
%!error <Stop - Program terminated> evalc ("[value, ifail] = qelms ('gammaf', -2, 0);")
%!error id=qelms:stop evalc ("[value, ifail] = qelms ('lngamm', -1, 0);")
%!error <Routine not found> qelms ('nosuch', 1)
%!error id=qelms:useError qelms ('gammaf', 0.5)
