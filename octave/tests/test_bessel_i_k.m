% Modified Bessel functions I0, I1, K0, K1 inside Octave: values in each
% family of regions, the odd symmetry, the underflow to 0 and a failure message.

[y, ifail] = qelms ('besli0', 4, 0);
expect_close (y, 11.301921952136330496, 2 * eps, 'besli0(4)');
expect_equal (ifail, 0, 'ifail of besli0(4)');
[y, ifail] = qelms ('besli0', 711.6, 0);
expect_close (y, 1.6550905557847667378e+307, 300 * eps, 'besli0(711.6)');
[y, ifail] = qelms ('besli1', -30, 0);
expect_close (y, -768532038938.95700, 15 * eps, 'besli1(-30)');
[y, ifail] = qelms ('beslk0', 1e-9, 0);
expect_close (y, 20.839197352604823548, 2 * eps, 'beslk0(1e-9)');
[y, ifail] = qelms ('beslk1', 1, 0);
expect_close (y, 0.60190723019723457474, 2 * eps, 'beslk1(1)');
[y, ifail] = qelms ('beslk0', 705.1, 0);
expect_equal ([y, ifail], [0, 0], 'beslk0(705.1) underflows without failure');
[y, ifail] = qelms ('besli1', -712, 1);
expect_equal ([y, ifail], [4.5e307, 1], 'besli1(-712) silent failure');

expect_messages ('[y, ifail] = qelms (''beslk1'', 2.23e-308, -1);', ...
  {' ** ABNORMAL EXIT from QELM Library routine BESLK1: IFAIL =     2', ...
   ' ** QELM soft failure - control returned'});
