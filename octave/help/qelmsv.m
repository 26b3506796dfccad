% QELMSV  The routines of qelms element by element over arrays.
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
