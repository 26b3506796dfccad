% qelms: special functions of real and complex argument
% Version 0.1.0 07-Dec-2026
%
%   qelms  - Special functions: gamma, error functions, Bessel, Airy, Kelvin,
%            Fresnel, elliptic integrals, one routine per call.
%   qelmsv - The same routines element by element over arrays.
%
% help qelms lists every routine with its arguments, results and failures.

%!assert (exist ('qelms'), 3)
%!assert (exist ('qelmsv'), 3)
