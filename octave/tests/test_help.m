% help qelms and help qelmsv: the call form, ifail, and every routine of the table.
text = evalc ('help qelms');
for phrase = {'[RESULTS..., IFAIL] = qelms(NAME, ARGUMENTS..., IFAIL)', 'IFAIL on entry', 'IFAIL on return', ...
              'qelms:useError', 'qelms:stop', '[value, ifail] = qelms(''gammaf'', x, ifail)', ...
              'ifail 4  x a negative integer', '[cy, nz, ifail] = qelms(''zhankl'', fnu, z, n, scale, m, ifail)'}
  expect_equal (! isempty (strfind (text, phrase{1})), true, ['help qelms shows ' phrase{1}]);
end
vtext = evalc ('help qelmsv');
for phrase = {'[P, Q, ifail] = qelmsv(''gaminc'', a, x, tol, ifail)', 'CY has size [S n]', 'QELMS_NUM_THREADS', ...
              '2147483647', 'm-by-p-by-n'}
  expect_equal (! isempty (strfind (vtext, phrase{1})), true, ['help qelmsv shows ' phrase{1}]);
end
% every routine of the table, in both
fid = fopen (fullfile (fileparts (mfilename ('fullpath')), '..', '..', 'tests', 'data', 'routine_contracts.txt'));
contracts = textscan (fid, '%s %s %s %s', 'CommentStyle', '#');
fclose (fid);
names = contracts{1};
expect_equal (numel (names), 38, 'routines in the table');
for k = 1:numel (names)
  expect_equal (! isempty (strfind (text, [names{k} '  '])), true, ['help qelms lists ' names{k}]);
  expect_equal (! isempty (strfind (vtext, ['qelmsv(''' names{k} '''' ])), true, ['help qelmsv lists ' names{k}]);
end
