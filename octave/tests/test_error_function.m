% erf and erfc inside Octave: values, the saturated ends, and ifail reset.

[y, ifail] = qelms ('errfun', 0.5, 7);
expect_close (y, 0.52049987781304654, 2 * eps, 'errfun(0.5)');
expect_equal (ifail, 0, 'ifail of errfun(0.5)');
[y, ifail] = qelms ('errfun', -3, -1);
expect_close (y, -0.99997790950300141, 2 * eps, 'errfun(-3)');
[y, ifail] = qelms ('errfun', -6.25, 0);
expect_equal ([y, ifail], [-1, 0], 'errfun(-6.25)');
[y, ifail] = qelms ('erfcmp', 1, 0);
expect_close (y, 0.15729920705028513, 8 * eps, 'erfcmp(1)');
[y, ifail] = qelms ('erfcmp', 26.6, 0);
expect_equal ([y, ifail], [0, 0], 'erfcmp(26.6)');
[y, ifail] = qelms ('erfcmp', -6.25, 0);
expect_equal ([y, ifail], [2, 0], 'erfcmp(-6.25)');
% erfc never fails, so nothing is printed whatever ifail asks for
expect_messages ('[y, ifail] = qelms (''erfcmp'', -40, -1);', {});
