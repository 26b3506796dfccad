% Sequences of I and K of complex argument inside Octave: a column of n
% complex values, scaled and unscaled, the left half plane, and failures with
% ifail 1, -1 and 0.

[cy, nz, ifail] = qelms ('zbesli', 0.5, 1+2i, 3, 'U', 0);
expect_equal (size (cy), [3 1], 'zbesli column of 3');
expected = [0.17162380537153205409 + 0.77404849552752177764i;
            -0.33564364170481630477 + 0.57900242495094444812i;
            -0.3217929195467115008 + 0.023874670511175543047i];
for k = 1:3
  expect_close (cy(k), expected(k), 8 * eps, sprintf ('I(%g, 1+2i)', k - 0.5));
end
expect_equal ([nz, ifail], [0, 0], 'nz and ifail of zbesli');

[cy, nz, ifail] = qelms ('zbeslk', 1/3, -3+1i, 2, 's', 0);
expect_close (cy(1), 0.12334146246513194288 - 0.71118971027111567769i, 8 * eps, 'exp(z) K(1/3, -3+i)');
expect_close (cy(2), 0.027006661909975307986 - 0.54033912895093704559i, 8 * eps, 'exp(z) K(4/3, -3+i)');
expect_equal ([nz, ifail], [0, 0], 'nz and ifail of zbeslk');

[cy, nz, ifail] = qelms ('zbesli', 0, 0, 2, 'U', 0);
expect_equal (cy, [1; 0], 'I(0, 0) and I(1, 0)');

% a silent failure computes nothing: zeros, nz 0
[cy, nz, ifail] = qelms ('zbeslk', 0.5, 0, 2, 'U', 1);
expect_equal ({cy, nz, ifail}, {[0; 0], 0, 1}, 'zbeslk at z = 0, ifail 1');
[cy, nz, ifail] = qelms ('zbesli', 0, 1, 2147483647, 'U', 1);
expect_equal ({size(cy), nz, ifail}, {[0 1], 0, 4}, 'zbesli with n = 2^31 - 1');
[cy, nz, ifail] = qelms ('zbesli', 0, 1, -2, 'U', 1);
expect_equal ({size(cy), ifail}, {[0 1], 1}, 'zbesli with n = -2');
expect_error ({'zbesli', 0, 1, 1e10, 'U', 1}, 'RHS argument (n) must be INTEGER', 3);
expect_error ({'zbeslk', 0, 1, 1e8, 'U', 1}, 'RHS argument (n) is too large', 3);

expect_messages ('[cy, nz, ifail] = qelms (''zbesli'', 0, 800, 1, ''U'', -1);', ...
  {' ** No computation because real(Z) =  8.00000D+02 .GT. 7.00922D+02, SCALE = ''U''.', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZBESLI: IFAIL =     2', ...
   ' ** QELM soft failure - control returned'});
caught = '';
text = evalc ('try, [cy, nz, ifail] = qelms (''zbeslk'', -1, 1, 1, ''U'', 0); catch err, caught = err.message; end');
expect_equal (strsplit (text(1:end-1), "\n"), ...
  {' ** On entry, FNU .LT. 0: FNU =  -0.10000D+01', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZBESLK: IFAIL =     1', ...
   ' ** QELM hard failure - execution terminated'}, 'hard failure of zbeslk');
expect_equal (caught, 'qelms: Stop - Program terminated.', 'error of the hard failure');
