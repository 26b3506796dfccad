% Kelvin functions inside Octave: one value per kind of region, the bounds that
% are refused or accepted, and the messages of a soft failure.

[y, ifail] = qelms ('kelber', 1, 0);
expect_close (y, 0.98438178121308688397, 2 * eps, 'kelber(1)');
expect_equal (ifail, 0, 'ifail of kelber(1)');
[y, ifail] = qelms ('kelbei', -10, 0);
expect_close (y, 56.370458553906638233, 4 * eps, 'kelbei(-10)');
[y, ifail] = qelms ('kelker', 1e-200, 0);
expect_close (y, 460.63295011446754927, 2 * eps, 'kelker(1e-200)');
[y, ifail] = qelms ('kelkei', 10, 0);
expect_close (y, -3.0752456908814419902e-4, 16 * eps, 'kelkei(10)');
[y, ifail] = qelms ('kelkei', 0, 0);
expect_equal ([y, ifail], [-pi/4, 0], 'kelkei(0)');
[y, ifail] = qelms ('kelker', 997.26, 0);
expect_equal (ifail, 0, 'kelker(997.26) is computed');
[y, ifail] = qelms ('kelber', 49.5, 1);
expect_equal ([y, ifail], [0, 1], 'kelber(49.5) silent failure');
[y, ifail] = qelms ('kelbei', NaN, 0);
expect_equal ([isnan(y), ifail], [true, 0], 'kelbei(NaN)');

expect_messages ('[y, ifail] = qelms (''kelker'', 0, -1);', ...
  {' ** ABNORMAL EXIT from QELM Library routine KELKER: IFAIL =     2', ...
   ' ** QELM soft failure - control returned'});
