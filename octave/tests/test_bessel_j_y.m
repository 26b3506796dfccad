% J0, J1, Y0, Y1 inside Octave: values in each region and the failure exit.

[y, ifail] = qelms ('beslj0', 8, -1);
expect_close (y, 0.17165080713755390609, 8 * eps, 'beslj0(8)');
expect_equal (ifail, 0, 'ifail of beslj0(8)');
[y, ifail] = qelms ('beslj0', 8.5, -1);
expect_close (y, 0.041939251842934503, 16 * eps, 'beslj0(8.5)');
[y, ifail] = qelms ('beslj1', -12, -1);
expect_close (y, 0.22344710449062761, 16 * eps, 'beslj1(-12)');
[y, ifail] = qelms ('besly0', 1, -1);
expect_close (y, 0.088256964215676957983, 12 * eps, 'besly0(1)');  % near the zero at 0.89
[y, ifail] = qelms ('besly1', 1e-10, -1);
expect_equal ([y, ifail], [-6366197723.675814, 0], 'besly1(1e-10)');
[y, ifail] = qelms ('beslj1', -1e17, 1);
expect_equal ([y, ifail], [sqrt(0.6366197723675814 / 1e17), 1], 'beslj1(-1e17) silent failure');
[y, ifail] = qelms ('besly0', 0, 1);
expect_equal ([y, ifail], [0, 2], 'besly0(0)');
expect_messages ('[y, ifail] = qelms (''besly1'', 1e-309, -1);', ...
  {' ** ABNORMAL EXIT from QELM Library routine BESLY1: IFAIL =     3', ...
   ' ** QELM soft failure - control returned'});
