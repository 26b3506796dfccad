% QELMSV  The routines of qelms element by element over arrays.
%
%   [RESULTS..., IFAIL] = qelmsv(NAME, ARGUMENTS..., IFAIL)
%   VALUES = qelmsv(NAME, ARGUMENTS..., IFAIL)
%
% takes the same routine names and arguments in the same order as qelms, for
% every routine that does not return a sequence. Each real or complex argument
% may be an array: arrays of one size and scalars are combined element by
% element (a scalar is used for every element), and every result is an array
% of that size. Character arguments and IFAIL on entry are scalars. The result
% IFAIL is the array of each element's failure number. One output (the
% values) may be asked for, or any number up to all of them.
%
% IFAIL on entry keeps its meaning:
%    1  silent: each failing element gets its failure number;
%   -1  the failure messages of each failing element are printed;
%    0  the call stops at the first failing element with the error
%       "Stop - Program terminated." (identifier qelms:stop).
% Arrays of different sizes are refused, naming the two arguments, with
% identifier qelms:useError, as are the wrong uses qelms refuses.
%
% Example:  [g, ifail] = qelmsv('gammaf', [0.5 1.5 -1], 1)
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
%   zairya  [value, nz, ifail] = qelmsv('zairya', z, deriv, scale, ifail)
%   zairyb  [value, ifail] = qelmsv('zairyb', z, deriv, scale, ifail)
%
% See also qelms.
