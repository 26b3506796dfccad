% The failure of every routine inside Octave, for ifail -1, 1 and 0, from the
% table the C++ suite reads through the embedded host.

here = fileparts (mfilename ('fullpath'));
lines = strsplit (fileread (fullfile (here, '..', '..', 'tests', 'data', 'failure_messages.txt')), "\n");
count = 0;
for i = 1:numel (lines)
  line = lines{i};
  if isempty (line) || line(1) == '#'
    continue;
  end
  fields = strsplit (line, '|');
  routine = fields{1};
  args = num2cell (str2num (fields{2}));
  number = str2double (fields{3});
  records = fields(4:end);
  nlhs = 2 + strcmp (routine, 'gaminc');
  abnormal = sprintf (' ** ABNORMAL EXIT from QELM Library routine %s: IFAIL =%6d', upper (routine), number);
  label = [routine ' ' fields{2}];

  r = cell (1, nlhs);
  text = evalc ('[r{:}] = qelms (routine, args{:}, -1);');
  expect_equal (strsplit (text(1:end-1), "\n"), [records, {abnormal, ' ** QELM soft failure - control returned'}], ...
                ['messages of ' label]);
  expect_equal (r{end}, number, ['ifail of ' label]);

  text = evalc ('[r{:}] = qelms (routine, args{:}, 1);');
  expect_equal (text, '', ['silence of ' label]);
  expect_equal (r{end}, number, ['silent ifail of ' label]);

  caught = '';
  text = evalc ('try, [r{:}] = qelms (routine, args{:}, 0); catch err, caught = err.message; end');
  expect_equal (strsplit (text(1:end-1), "\n"), ...
                [records, {abnormal, ' ** QELM hard failure - execution terminated'}], ['hard failure of ' label]);
  expect_equal (caught, 'qelms: Stop - Program terminated.', ['error of ' label]);
  count = count + 1;
end
expect_equal (count > 50, true, 'number of failure cases');
