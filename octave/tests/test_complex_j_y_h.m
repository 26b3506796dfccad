% J, Y and Hankel functions of complex argument inside Octave: sequences
% against mpmath, a NaN argument, and failures with ifail 1, -1 and 0.
1;

function check_sequence (cy, expected, tol, label)
  expect_equal (size (cy), [numel(expected), 1], ['size of ' label]);
  for k = 1:numel (expected)
    expect_close (cy(k), expected(k), tol, sprintf ('%s member %d', label, k));
  end
end

function check_hard_failure (command, lines, label)
  caught = '';
  text = evalc (['try, ' command ' catch err, caught = err.message; end']);
  expect_equal (strsplit (text(1:end-1), "\n"), lines, ['hard failure of ' label]);
  expect_equal (caught, 'qelms: Stop - Program terminated.', ['error of ' label]);
end

[cy, nz, ifail] = qelms ('zbeslj', 0.5, 1+1i, 2, 'U', 0);
check_sequence (cy, [0.96790128289013061+0.060204606214281701i; 0.25115830598729948+0.37320184370263719i], ...
                16 * eps, 'zbeslj(0.5, 1+i)');
expect_equal ([nz, ifail], [0, 0], 'nz and ifail of zbeslj(0.5, 1+i)');
[cy, nz, ifail] = qelms ('zbeslj', 2, -30-0.5i, 3, 's', 0);  % exp(-0.5) J(2..4, -30-0.5i)
check_sequence (cy, [0.053301637162064896-0.039208154856145471i; -0.08844230475549144-0.02064699046948837i; ...
                     -0.035549284118580392+0.043041680399318404i], 16 * eps, 'zbeslj(2, -30-0.5i, scaled)');
[cy, nz, ifail] = qelms ('zbesly', 0, 2-1i, 2, 'S', 0);
check_sequence (cy, [0.29446951086148347-0.027825867610376587i; -0.0060021141478628395-0.22050945398352925i], ...
                16 * eps, 'zbesly(0, 2-i, scaled)');
[cy, nz, ifail] = qelms ('zhankl', 1, 3+2i, 2, 'U', 2, 0);
check_sequence (cy, [1.5052301018211929-2.5468314017024478i; 2.3917576430737241+0.31017861803574353i], ...
                16 * eps, 'zhankl(1, 3+2i, m=2)');
[cy, nz, ifail] = qelms ('zhankl', 0, -4, 1, 'U', 2, 0);  % the negative real axis, continued
check_sequence (cy, -1.1914494295915421+0.016940739325064992i, 16 * eps, 'zhankl(0, -4, m=2)');

[cy, nz, ifail] = qelms ('zbesly', 1, NaN, 2, 'U', 0);
expect_equal (isnan (real (cy)) & isnan (imag (cy)), [true; true], 'zbesly(NaN) members');
expect_equal ([nz, ifail], [0, 0], 'nz and ifail of zbesly(NaN)');

% Failures: silent, soft with messages, hard.
[cy, nz, ifail] = qelms ('zhankl', 0, 0, 2, 'U', 1, 1);
expect_equal ({cy, nz, ifail}, {[0; 0], 0, 1}, 'zhankl at z = 0, silent');
[cy, nz, ifail] = qelms ('zbesly', 0, 40000+1i, 1, 'U', 1);
expect_equal ([nz, ifail], [0, 4], 'zbesly beyond the precision bound, silent warning');
expect_equal (abs (cy) > 0 && isfinite (cy), true, 'zbesly values kept with the warning');
expect_messages ('[cy, nz, ifail] = qelms (''zbeslj'', 1, 1i, 2, ''x'', -1);', ...
  {' ** On entry, SCALE has an illegal value: SCALE = ''x''', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZBESLJ: IFAIL =     1', ...
   ' ** QELM soft failure - control returned'});
expect_messages ('[cy, nz, ifail] = qelms (''zhankl'', 1, 1e-310, 1, ''U'', 1, -1);', ...
  {' ** No computation because abs(Z) =  1.00000-310 .LT.   3.92223-305', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZHANKL: IFAIL =     2', ...
   ' ** QELM soft failure - control returned'});
check_hard_failure ('[cy, nz, ifail] = qelms (''zbesly'', 1.5, 1e-300, 1, ''U'', 0);', ...
  {' ** No computation because FNU+N-1 =  1.50000D+00 is too large.', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZBESLY: IFAIL =     3', ...
   ' ** QELM hard failure - execution terminated'}, 'zbesly(1.5, 1e-300)');
check_hard_failure ('[cy, nz, ifail] = qelms (''zbeslj'', 0, 2e9, 1, ''U'', 0);', ...
  {' ** No computation because abs(Z) =  2.00000D+09 .GT.  1.07374D+09', ...
   ' ** ABNORMAL EXIT from QELM Library routine ZBESLJ: IFAIL =     4', ...
   ' ** QELM hard failure - execution terminated'}, 'zbeslj(0, 2e9)');
