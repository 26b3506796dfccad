% Carlson's elliptic integrals inside Octave: values, principal values, the
% limits for infinite and NaN arguments, and a failure message.

[y, ifail] = qelms ('ellprc', 0, 1, 0);
expect_close (y, pi / 2, 2 * eps, 'ellprc(0, 1)');
expect_equal (ifail, 0, 'ifail of ellprc(0, 1)');
[y, ifail] = qelms ('ellprc', 0.25, -2, -1);
expect_close (y, 0.23104906018664843647, 2 * eps, 'ellprc(0.25, -2)');
[y, ifail] = qelms ('ellprf', 0, 1, 2, -1);
expect_close (y, 1.3110287771460599052, 2 * eps, 'ellprf(0, 1, 2)');
[y, ifail] = qelms ('ellprd', 0, 2, 1, -1);
expect_close (y, 1.7972103521033883112, 2 * eps, 'ellprd(0, 2, 1)');
[y, ifail] = qelms ('ellprj', 2, 3, 4, 5, -1);
expect_close (y, 0.14297579667156753833, 3 * eps, 'ellprj(2, 3, 4, 5)');
[y, ifail] = qelms ('ellprj', 2, 3, 4, -0.5, -1);
expect_close (y, 0.24723819703051564902, 2 * eps, 'ellprj(2, 3, 4, -0.5)');
[y, ifail] = qelms ('ellprf', 1, 2, Inf, 0);
expect_equal ([y, ifail], [0, 0], 'ellprf(1, 2, Inf)');
[y, ifail] = qelms ('ellprj', 1, 1, 1, Inf, 1);
expect_equal ([y, ifail], [0, 4], 'ellprj(1, 1, 1, Inf)');
[y, ifail] = qelms ('ellprd', NaN, 1, 1, 0);
expect_equal ([isnan(y), ifail], [true, 0], 'ellprd(NaN, 1, 1)');
[y, ifail] = qelms ('ellprj', 0, 0, 1, 1, 1);
expect_equal ([y, ifail], [0, 1], 'ellprj(0, 0, 1, 1) silent failure');

expect_messages ('[y, ifail] = qelms (''ellprf'', 0, 3, 0, -1);', ...
  {' ** On entry, two or more of X, Y and Z are zero:', ...
   '    X =  0.00000D+00, Y =  3.00000D+00, Z =  0.00000D+00', ...
   ' ** ABNORMAL EXIT from QELM Library routine ELLPRF: IFAIL =     2', ...
   ' ** QELM soft failure - control returned'});
