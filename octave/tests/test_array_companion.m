% The array companion inside Octave: element by element the same values and
% ifail as qelms, sizes with scalar expansion, empty arrays, NaN, failing
% elements under ifail 1, -1 and 0, and the refusals.

% {routine, arguments (ifail last)}: qelmsv on the arrays against qelms on each element
cases = {
  {'gammaf', [0.5 171 -3; NaN 0 -Inf], 1}
  {'lngamm', reshape([1 -2 3e306 0.5 7 20 1e-20 2], [2 2 2]), 1}
  {'gaminc', [0.5 2; -1 3], 1.5, 0, 1}
  {'gaminc', 2, [0 1; -1 30], 1e-10, 1}
  {'ellprj', [1 -1 0], 2, [3 4 0], -0.5, 1}
  {'zexpon', [1+2i, 710, 0.5i, 1e20i], 1}
  {'besly1', [0; 1e-310; 2; 1e17], 1}
  {'airyai', [-1e11 0 1 200], 1}
  {'errfun', zeros(0, 3), 0}
  {'ellprf', [], 1, 2, 0}
};
for c = 1:numel (cases)
  args = cases{c};
  name = args{1};
  nres = numel (find (strcmp (name, {'gaminc'}))) + 2;  % gaminc returns P, Q and ifail
  out = cell (1, nres);
  [out{:}] = qelmsv (args{:});
  sizes = cellfun (@(a) size (a), args(2:end), 'UniformOutput', false);
  counts = cellfun (@numel, args(2:end-1));
  [~, k] = max (counts != 1);
  expected_size = size (args{1 + k});
  for r = 1:nres
    expect_equal (size (out{r}), expected_size, sprintf ('size of result %d of %s', r, name));
  end
  values = qelmsv (args{:});
  expect_equal (isequaln (values, out{1}), true, ['one output of ' name]);
  for j = 1:prod (expected_size)
    scalar_args = args;
    for i = 2:numel (args) - 1
      if numel (args{i}) > 1
        scalar_args{i} = args{i}(j);
      end
    end
    one = cell (1, nres);
    [one{:}] = qelms (scalar_args{:});
    for r = 1:nres
      expect_equal (isequaln (out{r}(j), one{r}), true, sprintf ('%s element %d result %d', name, j, r));
    end
  end
end

% ifail -1: the messages of every failing element; 0: stop at the first one
expect_messages ('[y, f] = qelmsv (''lngamm'', [-1 2 -3], -1);', ...
  {' ** ABNORMAL EXIT from QELM Library routine LNGAMM: IFAIL =     1', ...
   ' ** QELM soft failure - control returned', ...
   ' ** ABNORMAL EXIT from QELM Library routine LNGAMM: IFAIL =     1', ...
   ' ** QELM soft failure - control returned'});
[y, f] = qelmsv ('lngamm', [-1 2 -3], 1);
expect_equal (f, [1 0 1], 'per-element ifail');
out = evalc ('try, y = qelmsv (''gammaf'', [1 -2 -3], 0); id = ''''; catch err, id = err.identifier; end');
expect_equal (id, 'qelms:stop', 'hard failure of an element');
expect_equal (numel (strfind (out, 'ABNORMAL EXIT')), 1, 'stops at the first failing element');

% refusals
expect_array_error ({'gaminc', [1 2], [1; 2], 0, 1}, 'RHS arguments (a) and (x) differ in size');
expect_array_error ({'ellprc', ones(2, 2), ones(2, 2, 2), 1}, 'RHS arguments (x) and (y) differ in size');
expect_array_error ({'gammaf', [1 2], [0 1]}, 'RHS argument (ifail) has incorrect dimension');
expect_array_error ({'gammaf', [1 2i], 0}, 'RHS argument (x) must be REAL');
expect_array_error ({'gammaf', single([1 2]), 0}, 'RHS argument (x) must be REAL');
expect_array_error ({'gammaf', 1}, 'gammaf requires 2 RHS arguments');
expect_array_error ({'nosuch', 1, 0}, 'Routine not found.');
