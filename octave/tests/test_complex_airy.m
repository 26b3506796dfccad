% Airy functions of complex argument inside Octave: Ai, Bi' and scaled Ai,
% the underflow of Ai with nz = 1, and failures with ifail 1, -1 and 0.

[ai, nz, ifail] = qelms ('zairya', -5+1i, 'F', 'U', 0);
expect_close (ai, 1.6998161280439564852 + 0.54118970278972420707i, 8 * eps, 'Ai(-5+i)');
expect_equal ([nz, ifail], [0, 0], 'nz and ifail of zairya');
[bi, ifail] = qelms ('zairyb', 2+3i, 'd', 'u', 0);
expect_close (bi, 0.34945767192946648015 - 1.1053285889338563527i, 8 * eps, 'Bi''(2+3i)');
[ai, nz, ifail] = qelms ('zairya', 20+5i, 'F', 'S', 0);
expect_close (ai, 0.13200601013046229353 - 0.0080425902098755535592i, 8 * eps, 'exp(zeta) Ai(20+5i)');
[ai, nz, ifail] = qelms ('zairya', 110, 'F', 'U', -1);
expect_equal ({ai, nz, ifail}, {0, 1, 0}, 'Ai(110) underflows without failure');

[bi, ifail] = qelms ('zairyb', 110, 'F', 'U', 1);
expect_equal ([bi, ifail], [0, 2], 'Bi(110) overflows, silent');
expect_messages ('[ai, nz, ifail] = qelms (''zairya'', 1, ''X'', ''U'', -1);', ...
  {' ** On entry, DERIV has illegal value: DERIV = ''X''', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZAIRYA: IFAIL =     1', ...
   ' ** QELM soft failure - control returned'});
caught = '';
text = evalc ('try, [bi, ifail] = qelms (''zairyb'', 2e6, ''F'', ''S'', 0); catch err, caught = err.message; end');
expect_equal (strsplit (text(1:end-1), "\n"), ...
  {' ** No computation because abs(Z) =  2.00000D+06 .GT.  1.04858D+06', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZAIRYB: IFAIL =     4', ...
   ' ** QELM hard failure - execution terminated'}, 'hard failure of zairyb');
expect_equal (caught, 'qelms: Stop - Program terminated.', 'error of the hard failure');
expect_error ({'zairyb', 1, 'F', 'U', 0}, 'zairyb requires 2 LHS arguments', 3);
expect_error ({'zairya', 1, 'FF', 'U', 0}, 'RHS argument (deriv) has incorrect dimension', 3);
