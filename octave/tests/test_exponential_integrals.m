% E1, Ci and Si inside Octave: values in each kind of region, the constants
% returned past the bounds, and the failure of E1 and Ci at x <= 0.

[y, ifail] = qelms ('expint', 1, 0);
expect_close (y, 0.21938393439552027368, 2 * eps, 'expint(1)');
expect_equal (ifail, 0, 'ifail of expint(1)');
[y, ifail] = qelms ('expint', 10, 0);
expect_close (y, 4.1569689296853242774e-06, 2 * eps, 'expint(10)');
[y, ifail] = qelms ('expint', 708.3, 0);
expect_equal ([y, ifail], [0, 0], 'expint(708.3)');
[y, ifail] = qelms ('cosint', 1e16, 0);
expect_equal ([y, ifail], [0, 0], 'cosint(1e16)');
[y, ifail] = qelms ('sinint', -20, 0);
expect_close (y, -1.5482417010434398402, 2 * eps, 'sinint(-20)');
[y, ifail] = qelms ('sinint', 1e17, 0);
expect_equal ([y, ifail], [1.5707963267948966, 0], 'sinint(1e17)');
[y, ifail] = qelms ('cosint', 20, 0);
expect_close (y, 0.04441982084535331654, 2 * eps, 'cosint(20)');
[y, ifail] = qelms ('cosint', 0, 1);
expect_equal ([y, ifail], [0, 1], 'cosint(0) silent failure');

expect_messages ('[y, ifail] = qelms (''expint'', -1, -1);', ...
  {' ** ABNORMAL EXIT from QELM Library routine EXPINT: IFAIL =     1', ...
   ' ** QELM soft failure - control returned'});
