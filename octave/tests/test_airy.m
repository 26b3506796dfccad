% Airy functions of real argument inside Octave: one value per region, the
% computed failure bounds, and the messages of a soft failure.

[y, ifail] = qelms ('airyai', 1, 0);
expect_close (y, 0.13529241631288141552, 4 * eps, 'airyai(1)');
expect_equal (ifail, 0, 'ifail of airyai(1)');
[y, ifail] = qelms ('airybi', -5.5, 0);
expect_close (y, -0.36781345391571199109, 16 * eps, 'airybi(-5.5)');
[y, ifail] = qelms ('airyad', -2, 0);
expect_close (y, 0.61825902074169104141, 8 * eps, 'airyad(-2)');
[y, ifail] = qelms ('airybd', 6, 0);
expect_close (y, 15725.602621930476839, 16 * eps, 'airybd(6)');
[y, ifail] = qelms ('airybi', 0, 0);
expect_equal ([y, ifail], [0.6149266274460007, 0], 'airybi(0)');
[y, ifail] = qelms ('airyai', 103.8, 0);
expect_close (y, 5.7234357953671e-308, 1e-12, 'airyai(103.8)');
[y, ifail] = qelms ('airybd', -1.8e9, 1);
expect_equal (ifail, 0, 'airybd(-1.8e9) is computed');
[y, ifail] = qelms ('airybd', -2e9, 1);
expect_equal ([y, ifail], [0, 2], 'airybd(-2e9) silent failure');
[y, ifail] = qelms ('airyai', NaN, 0);
expect_equal ([isnan(y), ifail], [true, 0], 'airyai(NaN)');

expect_messages ('[y, ifail] = qelms (''airybi'', 104.2, -1);', ...
  {' ** ABNORMAL EXIT from QELM Library routine AIRYBI: IFAIL =     1', ...
   ' ** QELM soft failure - control returned'});
