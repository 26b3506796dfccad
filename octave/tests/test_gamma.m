% The module inside Octave: dispatch, use errors, gamma and log-gamma, and the
% failure exit (soft, silent, and hard without ending Octave).

[y, ifail] = qelms ('gammaf', 0.5, 0);
expect_close (y, sqrt (pi), 2 * eps, 'gammaf(0.5)');
expect_equal (ifail, 0, 'ifail of gammaf(0.5)');
[y, ifail] = qelms ('lngamm', 100, -1);
expect_close (y, 359.13420536957539878, 4 * eps, 'lngamm(100)');
[y, ifail] = qelms ('gammaf', -0.5, 1);
expect_close (y, -2 * sqrt (pi), 2 * eps, 'gammaf(-0.5)');
[y, ifail] = qelms ('gammaf', complex (2, 0), 1);
expect_equal ([y, ifail], [1, 0], 'gammaf(2+0i)');
[y, ifail] = qelms ('gammaf', 170.5, 1);
expect_equal ([y, ifail], [4.3e304, 1], 'gammaf(170.5) silent failure');
[y, ifail] = qelms ('gammaf', NaN, 0);
expect_equal ([isnan(y), ifail], [true, 0], 'gammaf(NaN)');

% use errors
expect_error ({'GAMMAF', 1, 0}, 'Routine not found.');
expect_error ({'gamma', 1, 0}, 'Routine not found.');
expect_error ({5, 1, 0}, 'Routine not found.');
expect_error ({'gammaf', 1}, 'gammaf requires 2 RHS arguments');
expect_error ({'gammaf', 1, 0}, 'gammaf requires 2 LHS arguments', 1);
expect_error ({'gammaf', 1, []}, 'RHS argument (ifail) is undefined');
expect_error ({'gammaf', 'x', 0}, 'RHS argument (x) must be REAL');
expect_error ({'gammaf', 1, 0.5}, 'RHS argument (ifail) must be INTEGER');
expect_error ({'gammaf', 1, 2147483648}, 'RHS argument (ifail) must be INTEGER');
expect_error ({'gammaf', 1, 1 + 2i}, 'RHS argument (ifail) must be INTEGER');
expect_error ({'gammaf', [1 2 3], 0}, 'RHS argument (x) has incorrect dimension');
% classes other than full double are refused, never read as doubles
expect_error ({'gammaf', 1, int32(0)}, 'RHS argument (ifail) must be INTEGER');
expect_error ({'gammaf', single(1), 0}, 'RHS argument (x) must be REAL');
expect_error ({'gammaf', sparse(1), 0}, 'RHS argument (x) must be REAL');
expect_error ({'gammaf', true, 0}, 'RHS argument (x) must be REAL');
expect_error ({'gammaf', {1}, 0}, 'RHS argument (x) must be REAL');
[y, ifail] = qelms ('gammaf  extra words', 1, -2147483648);
expect_equal ([y, ifail], [1, 0], 'name followed by blank and text; -2^31 accepted');

% messages in the command window
expect_messages ('[y, ifail] = qelms (''lngamm'', -3, -1);', ...
  {' ** ABNORMAL EXIT from QELM Library routine LNGAMM: IFAIL =     1', ...
   ' ** QELM soft failure - control returned'});
expect_messages ('[y, ifail] = qelms (''lngamm'', -3, 1);', {});
expect_messages ('[y, ifail] = qelms (''lngamm'', -3, -13);', {});

% a hard failure abandons the call with an error and leaves Octave running
out = evalc ('try, [y, ifail] = qelms (''gammaf'', -2, 0); caught = ''''; catch err, caught = err.message; end');
expect_equal (caught, 'qelms: Stop - Program terminated.', 'hard failure error');
expect_equal (strsplit (strtrim (out), "\n"), ...
  {'** ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     4', ...
   ' ** QELM hard failure - execution terminated'}, 'hard failure lines');
[y, ifail] = qelms ('gammaf', 3, 0);
expect_equal ([y, ifail], [2, 0], 'a call after the hard failure');
