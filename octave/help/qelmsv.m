% QELMSV  Special functions over arrays: gamma, error functions, Bessel, Airy, Kelvin, Fresnel, elliptic integrals.
%
%   [RESULTS..., IFAIL] = qelmsv(NAME, ARGUMENTS..., IFAIL)
%   VALUES = qelmsv(NAME, ARGUMENTS..., IFAIL)
%
% takes the same routine names and arguments in the same order as qelms, for
% every routine. Each real or complex argument may be an array: arrays of one
% size S and scalars are combined element by element (a scalar is used for
% every element), and every result is an array of size S holding for each
% element what qelms returns for it, bit for bit. Character and integer
% arguments (n, m) and IFAIL on entry are scalars. The result IFAIL is the
% array of each element's failure number. One output (the values) may be
% asked for, or any number up to all of them.
%
% A sequence routine (zbesli, zbeslk, zbeslj, zbesly, zhankl) returns for each
% element n values: CY has size [S n], where S is the common size without its
% trailing singleton dimensions, and holds member k of element e at CY(e, k)
% in the linear sense; NZ and IFAIL have size S. So a scalar S gives the
% n-by-1 column of qelms, a column of m elements m-by-n, a row of m elements
% 1-by-m-by-n and an m-by-p array m-by-p-by-n.
%
% IFAIL on entry keeps its meaning:
%    1  silent: each failing element gets its failure number;
%   -1  the failure messages of each failing element are printed, in element
%       order;
%    0  the call stops at the first failing element, in element order, with
%       the error "Stop - Program terminated." (identifier qelms:stop).
% Arrays of different sizes are refused, naming the two arguments, with
% identifier qelms:useError, as are the wrong uses qelms refuses. An array of
% no elements gives empty results of its size, n the last dimension of CY.
% An argument, and for a sequence routine its elements times n, may hold at
% most 2^31 - 1 values (2147483647): more is refused with "RHS argument (Z)
% has too many elements". Arrays of any number of dimensions are taken.
%
% Threads: large arrays are spread over the machine's cores. The environment
% variable QELMS_NUM_THREADS, read on every call, caps the number of threads
% (1: one thread; unset: every core); any other value than a positive
% integer is refused with a use error. Results, messages, their order and
% failures are the same whatever the number of threads.
%
% Examples:
%   [g, ifail] = qelmsv('gammaf', [0.5 1.5 -1], 1)   % g and ifail 1-by-3
%   cy = qelmsv('zbeslj', 0.5, 2+1i, 4, 'U', 1)      % scalar: 4-by-1, as qelms
%   cy = qelmsv('zbeslj', 0.5, [1; 2; 3], 4, 'U', 1) % column: 3-by-4
%   cy = qelmsv('zbeslj', [0 1 2], 1+1i, 4, 'U', 1)  % row: 1-by-3-by-4
%   [cy, nz, ifail] = qelmsv('zbesli', 0, rand(2, 5), 3, 'S', 1)
%                                                    % 2-by-5-by-3, 2-by-5
%   setenv('QELMS_NUM_THREADS', '1')                 % one thread from now on
%
% Routines (the failure numbers are listed in help qelms):
%   zexpon  [value, ifail] = qelmsv('zexpon', z, ifail)
%   expint  [value, ifail] = qelmsv('expint', x, ifail)
%   cosint  [value, ifail] = qelmsv('cosint', x, ifail)
%   sinint  [value, ifail] = qelmsv('sinint', x, ifail)
%   gammaf  [value, ifail] = qelmsv('gammaf', x, ifail)
%   lngamm  [value, ifail] = qelmsv('lngamm', x, ifail)
%   gaminc  [P, Q, ifail] = qelmsv('gaminc', a, x, tol, ifail)
%   erfcmp  [value, ifail] = qelmsv('erfcmp', x, ifail)
%   errfun  [value, ifail] = qelmsv('errfun', x, ifail)
%   besly0  [value, ifail] = qelmsv('besly0', x, ifail)
%   besly1  [value, ifail] = qelmsv('besly1', x, ifail)
%   beslj0  [value, ifail] = qelmsv('beslj0', x, ifail)
%   beslj1  [value, ifail] = qelmsv('beslj1', x, ifail)
%   airyai  [value, ifail] = qelmsv('airyai', x, ifail)
%   airybi  [value, ifail] = qelmsv('airybi', x, ifail)
%   airyad  [value, ifail] = qelmsv('airyad', x, ifail)
%   airybd  [value, ifail] = qelmsv('airybd', x, ifail)
%   beslk0  [value, ifail] = qelmsv('beslk0', x, ifail)
%   beslk1  [value, ifail] = qelmsv('beslk1', x, ifail)
%   besli0  [value, ifail] = qelmsv('besli0', x, ifail)
%   besli1  [value, ifail] = qelmsv('besli1', x, ifail)
%   kelber  [value, ifail] = qelmsv('kelber', x, ifail)
%   kelbei  [value, ifail] = qelmsv('kelbei', x, ifail)
%   kelker  [value, ifail] = qelmsv('kelker', x, ifail)
%   kelkei  [value, ifail] = qelmsv('kelkei', x, ifail)
%   fresns  [value, ifail] = qelmsv('fresns', x, ifail)
%   fresnc  [value, ifail] = qelmsv('fresnc', x, ifail)
%   ellprc  [value, ifail] = qelmsv('ellprc', x, y, ifail)
%   ellprf  [value, ifail] = qelmsv('ellprf', x, y, z, ifail)
%   ellprd  [value, ifail] = qelmsv('ellprd', x, y, z, ifail)
%   ellprj  [value, ifail] = qelmsv('ellprj', x, y, z, r, ifail)
%   zbesli  [cy, nz, ifail] = qelmsv('zbesli', fnu, z, n, scale, ifail)
%   zbeslk  [cy, nz, ifail] = qelmsv('zbeslk', fnu, z, n, scale, ifail)
%   zbeslj  [cy, nz, ifail] = qelmsv('zbeslj', fnu, z, n, scale, ifail)
%   zbesly  [cy, nz, ifail] = qelmsv('zbesly', fnu, z, n, scale, ifail)
%   zhankl  [cy, nz, ifail] = qelmsv('zhankl', fnu, z, n, scale, m, ifail)
%   zairya  [value, nz, ifail] = qelmsv('zairya', z, deriv, scale, ifail)
%   zairyb  [value, ifail] = qelmsv('zairyb', z, deriv, scale, ifail)
%
% See also qelms.

%!test  # qelmsv zexpon: element by element what qelms gives
%! z = [1+0.5i, 709];
%! [value, ifail] = qelmsv ('zexpon', z, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 2.385516730959135576+1.3032137296869955093i, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('zexpon', z(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv expint: element by element what qelms gives
%! x = [1.5, -1];
%! [value, ifail] = qelmsv ('expint', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.1000195824066326519, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('expint', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv cosint: element by element what qelms gives
%! x = [2, 0];
%! [value, ifail] = qelmsv ('cosint', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.4229808287748649957, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('cosint', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv sinint: element by element what qelms gives
%! x = [2];
%! [value, ifail] = qelmsv ('sinint', x, 1);
%! assert (ifail, [0]);
%! assert (value(1), 1.6054129768026948486, -1e-14);
%! for k = 1:1
%!   [value_k, ifail_k] = qelms ('sinint', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv gammaf: element by element what qelms gives
%! x = [0.5, 170.5];
%! [value, ifail] = qelmsv ('gammaf', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 1.7724538509055160273, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('gammaf', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv lngamm: element by element what qelms gives
%! x = [100, -1];
%! [value, ifail] = qelmsv ('lngamm', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 359.13420536957539878, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('lngamm', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv gaminc: element by element what qelms gives
%! a = [2, -1.5];
%! x = [1.5, 2];
%! tol = [0, 0];
%! [P, Q, ifail] = qelmsv ('gaminc', a, x, tol, 1);
%! assert (ifail, [0, 1]);
%! assert (P(1), 0.44217459962892542767, -1e-14);
%! assert (Q(1), 0.55782540037107457233, -1e-14);
%! for k = 1:2
%!   [P_k, Q_k, ifail_k] = qelms ('gaminc', a(k), x(k), tol(k), 1);
%!   assert ([P(k), Q(k), ifail(k)], [P_k, Q_k, ifail_k]);
%! end
%!test  # qelmsv erfcmp: element by element what qelms gives
%! x = [1];
%! [value, ifail] = qelmsv ('erfcmp', x, 1);
%! assert (ifail, [0]);
%! assert (value(1), 0.15729920705028513066, -1e-14);
%! for k = 1:1
%!   [value_k, ifail_k] = qelms ('erfcmp', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv errfun: element by element what qelms gives
%! x = [0.5];
%! [value, ifail] = qelmsv ('errfun', x, 1);
%! assert (ifail, [0]);
%! assert (value(1), 0.52049987781304653768, -1e-14);
%! for k = 1:1
%!   [value_k, ifail_k] = qelms ('errfun', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv besly0: element by element what qelms gives
%! x = [3, 1e17];
%! [value, ifail] = qelmsv ('besly0', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.37685001001279038197, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('besly0', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv besly1: element by element what qelms gives
%! x = [3, 1e17];
%! [value, ifail] = qelmsv ('besly1', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.32467442479179997844, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('besly1', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv beslj0: element by element what qelms gives
%! x = [8, -1e17];
%! [value, ifail] = qelmsv ('beslj0', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.17165080713755390609, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('beslj0', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv beslj1: element by element what qelms gives
%! x = [8.5, 1e17];
%! [value, ifail] = qelmsv ('beslj1', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.27312196367405374427, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('beslj1', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv airyai: element by element what qelms gives
%! x = [-5, 103.9];
%! [value, ifail] = qelmsv ('airyai', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.35076100902411431979, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('airyai', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv airybi: element by element what qelms gives
%! x = [2, 104.2];
%! [value, ifail] = qelmsv ('airybi', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 3.2980949999782147103, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('airybi', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv airyad: element by element what qelms gives
%! x = [1, 104.2];
%! [value, ifail] = qelmsv ('airyad', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), -0.15914744129679321279, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('airyad', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv airybd: element by element what qelms gives
%! x = [1, 104.2];
%! [value, ifail] = qelmsv ('airybd', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.93243593339277563296, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('airybd', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv beslk0: element by element what qelms gives
%! x = [1, 0];
%! [value, ifail] = qelmsv ('beslk0', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.42102443824070833334, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('beslk0', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv beslk1: element by element what qelms gives
%! x = [1, -1];
%! [value, ifail] = qelmsv ('beslk1', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.60190723019723457474, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('beslk1', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv besli0: element by element what qelms gives
%! x = [4, -712];
%! [value, ifail] = qelmsv ('besli0', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 11.301921952136330496, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('besli0', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv besli1: element by element what qelms gives
%! x = [-30, 712];
%! [value, ifail] = qelmsv ('besli1', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), -768532038938.95699949, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('besli1', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv kelber: element by element what qelms gives
%! x = [2, 50];
%! [value, ifail] = qelmsv ('kelber', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.75173418271380822855, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('kelber', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv kelbei: element by element what qelms gives
%! x = [2, -50];
%! [value, ifail] = qelmsv ('kelbei', x, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.9722916273066612061, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('kelbei', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv kelker: element by element what qelms gives
%! x = [2, 0];
%! [value, ifail] = qelmsv ('kelker', x, 1);
%! assert (ifail, [0, 2]);
%! assert (value(1), -0.041664513991509532259, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('kelker', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv kelkei: element by element what qelms gives
%! x = [2, -1];
%! [value, ifail] = qelmsv ('kelkei', x, 1);
%! assert (ifail, [0, 2]);
%! assert (value(1), -0.20240006776470428829, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('kelkei', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv fresns: element by element what qelms gives
%! x = [1];
%! [value, ifail] = qelmsv ('fresns', x, 1);
%! assert (ifail, [0]);
%! assert (value(1), 0.43825914739035476608, -1e-14);
%! for k = 1:1
%!   [value_k, ifail_k] = qelms ('fresns', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv fresnc: element by element what qelms gives
%! x = [1];
%! [value, ifail] = qelmsv ('fresnc', x, 1);
%! assert (ifail, [0]);
%! assert (value(1), 0.77989340037682282947, -1e-14);
%! for k = 1:1
%!   [value_k, ifail_k] = qelms ('fresnc', x(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv ellprc: element by element what qelms gives
%! x = [0.25, -1];
%! y = [-2, 0];
%! [value, ifail] = qelmsv ('ellprc', x, y, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.23104906018664843647, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('ellprc', x(k), y(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv ellprf: element by element what qelms gives
%! x = [0, -1];
%! y = [1, 0];
%! z = [2, 2.5];
%! [value, ifail] = qelmsv ('ellprf', x, y, z, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 1.3110287771460599052, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('ellprf', x(k), y(k), z(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv ellprd: element by element what qelms gives
%! x = [0, 0];
%! y = [2, 0];
%! z = [1, 1];
%! [value, ifail] = qelmsv ('ellprd', x, y, z, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 1.7972103521033883112, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('ellprd', x(k), y(k), z(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv ellprj: element by element what qelms gives
%! x = [2, 1];
%! y = [3, -2];
%! z = [4, 3];
%! r = [5, 4];
%! [value, ifail] = qelmsv ('ellprj', x, y, z, r, 1);
%! assert (ifail, [0, 1]);
%! assert (value(1), 0.14297579667156753833, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('ellprj', x(k), y(k), z(k), r(k), 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
%!test  # qelmsv zairya: element by element what qelms gives
%! z = [1+1i, 2000000+0i];
%! [value, nz, ifail] = qelmsv ('zairya', z, 'D', 'U', 1);
%! assert (ifail, [0, 4]);
%! assert (value(1), -0.13062795349964751771+0.16306759644932391574i, -1e-14);
%! assert (nz(1), 0);
%! for k = 1:2
%!   [value_k, nz_k, ifail_k] = qelms ('zairya', z(k), 'D', 'U', 1);
%!   assert ([value(k), nz(k), ifail(k)], [value_k, nz_k, ifail_k]);
%! end
%!test  # qelmsv zairyb: element by element what qelms gives
%! z = [-2+1i, 2000000+0i];
%! [value, ifail] = qelmsv ('zairyb', z, 'F', 'S', 1);
%! assert (ifail, [0, 4]);
%! assert (value(1), -0.20781776176620796208+0.11508584626693795079i, -1e-14);
%! for k = 1:2
%!   [value_k, ifail_k] = qelms ('zairyb', z(k), 'F', 'S', 1);
%!   assert ([value(k), ifail(k)], [value_k, ifail_k]);
%! end
