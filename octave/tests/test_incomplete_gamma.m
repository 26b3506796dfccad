% The incomplete gamma functions inside Octave: values in three methods, a
% loose tolerance, x = 0, and a failure with its messages.

[p, q, ifail] = qelms ('gaminc', 1, 3, 0, 0);
expect_close (p, 1 - exp (-3), 4 * eps, 'P(1, 3)');
expect_close (q, exp (-3), 4 * eps, 'Q(1, 3)');
expect_equal (ifail, 0, 'ifail of gaminc(1, 3)');
[p, q, ifail] = qelms ('gaminc', 0.5, 2, 0, -1);
expect_close (p, erf (sqrt (2)), 4 * eps, 'P(0.5, 2)');
[p, q, ifail] = qelms ('gaminc', 25, 20, 0, -1);
expect_close (p, 0.15677262182623772638, 8 * eps, 'P(25, 20), uniform expansion');
[p, q, ifail] = qelms ('gaminc', 25, 30, 1e-6, -1);
expect_close (q, 0.15724202723839160354, 1e-6, 'Q(25, 30) with tol 1e-6');
[p, q, ifail] = qelms ('gaminc', 3, 0, 0, -1);
expect_equal ([p, q, ifail], [0, 1, 0], 'x = 0');
[p, q, ifail] = qelms ('gaminc', -1, 2, 0, 1);
expect_equal ([p, q, ifail], [0, 0, 1], 'a <= 0, silent');
expect_messages ('[p, q, ifail] = qelms (''gaminc'', 2, -0.25, 0, -1);', ...
  {' ** On entry, X.lt.0.0 : X = -2.50000D-01', ...
   ' ** ABNORMAL EXIT from QELM Library routine GAMINC: IFAIL =     2', ...
   ' ** QELM soft failure - control returned'});
expect_error ({'gaminc', 1, 3, 0}, 'gaminc requires 4 RHS arguments', 3);
