% The array companion's sequence routines inside Octave: values of size
% [S n] holding qelms's members element by element, nz and ifail of size S,
% failing elements under ifail 1, -1 and 0, the same results and messages on
% one thread and on all, empty and many-dimensional arrays, and the limits.

% {routine, arguments (ifail last), size of cy}
cases = {
  {'zbesli', [0 0.5 2.5 -1], 1+2i, 3, 'U', 1, [1 4 3]}
  {'zbeslk', 0.5, [1; 0; -2+1i; NaN], 2, 'S', 1, [4 2]}
  {'zbeslj', [0 1.5; 10 30], [1+1i -3+0.5i; 20-2i 700i], 4, 'U', 1, [2 2 4]}
  {'zbesly', 1.25, 2-1i, 3, 'U', 1, [3 1]}
  {'zbesly', 0.5, [4+1i; 0; 1e-3], 3, 'u', 1, [3 3]}
  {'zhankl', reshape([0 1 2.5 40], [2 1 2]), 3+0.25i, 2, 'S', 2, 1, [2 1 2 2]}
  {'zbesli', 0, [1 800 1i], 1, 'U', 1, [1 3]}
  {'zbeslj', 0, [1 2], 0, 'U', 1, [1 2 0]}
  {'zbeslk', zeros(0, 3), 1, 2, 'U', 1, [0 3 2]}
  {'zbeslk', 1, zeros(3, 0), 2, 'U', 1, [3 0 2]}
};
for c = 1:numel (cases)
  args = cases{c}(1:end-1);
  name = args{1};
  [cy, nz, f] = qelmsv (args{:});
  expect_equal (size (cy), cases{c}{end}, ['size of cy of ' name]);
  S = size (args{2});
  if numel (args{3}) != 1
    S = size (args{3});
  end
  expect_equal (size (nz), S, ['size of nz of ' name]);
  expect_equal (size (f), S, ['size of ifail of ' name]);
  expect_equal (isequaln (qelmsv (args{:}), cy), true, ['one output of ' name]);
  for e = 1:prod (S)
    one = args;
    for i = 2:3
      if numel (args{i}) > 1
        one{i} = args{i}(e);
      end
    end
    [cy1, nz1, f1] = qelms (one{:});
    members = reshape (cy, prod (S), []);
    expect_equal (isequaln (members(e, :), cy1.'), true, sprintf ('%s element %d members', name, e));
    expect_equal ([nz(e) f(e)], [nz1 f1], sprintf ('%s element %d nz and ifail', name, e));
  end
end

% failing elements: -1 prints each one's messages in element order, 0 stops at the first
[~, ~, f] = qelmsv ('zbeslk', 0, [1 0 2 0], 2, 'U', 1);
expect_equal (f, [0 1 0 1], 'per-element ifail');
out = evalc ('[~, ~, f] = qelmsv (''zbeslk'', 0, [1 0 2 0], 2, ''U'', -1);');
expect_equal (numel (strfind (out, 'ABNORMAL EXIT from QELM Library routine ZBESLK: IFAIL =     1')), 2, ...
              'messages of each failing element');
out = evalc ('try, qelmsv (''zbeslk'', 0, [1 0 2 0], 2, ''U'', 0); id = ''''; catch err, id = err.identifier; end');
expect_equal (id, 'qelms:stop', 'hard failure of an element');
expect_equal (numel (strfind (out, 'ABNORMAL EXIT')), 1, 'stops at the first failing element');

% one thread and all: the same bits, messages and stop; enough elements for several threads
rand ('seed', 3);
z = complex (40 * rand (3000, 1) - 20, 40 * rand (3000, 1) - 20);
z(7:113:end) = 0;  % failing elements
x = 0.01 + 20 * rand (1, 20000);
x(5:997:end) = -3;
calls = {  % routine, arguments but ifail, result count
  {'zbeslk', 10.3, z, 2, 'U', 3}
  {'zbeslj', 10.3, z, 1, 'U', 3}
  {'gammaf', x, 2}
};
for c = 1:numel (calls)
  for ifail = [1 -1 0]
    r = cell (1, calls{c}{end});
    command = sprintf ('try, [r{:}] = qelmsv (calls{%d}{1:end-1}, %d); id = ''''; catch err, id = err.identifier; end', c, ifail);
    setenv ('QELMS_NUM_THREADS', '1');
    out1 = evalc (command);
    r1 = r; id1 = id;
    for setting = {'', '4'}
      if isempty (setting{1})
        unsetenv ('QELMS_NUM_THREADS');
      else
        setenv ('QELMS_NUM_THREADS', setting{1});
      end
      r = cell (1, calls{c}{end});
      out = evalc (command);
      label = sprintf ('%s with ifail %d, threads %s', calls{c}{1}, ifail, setting{1});
      expect_equal (isequaln (r, r1), true, ['values of ' label]);
      expect_equal (out, out1, ['messages of ' label]);
      expect_equal (id, id1, ['stop of ' label]);
    end
  end
end
unsetenv ('QELMS_NUM_THREADS');

% empty and many-dimensional arrays
expect_equal (size (qelmsv ('gammaf', zeros (0, 2^31), 1)), [0 2^31], 'zeros(0, 2^31)');
expect_equal (size (qelmsv ('gammaf', zeros (2^31, 0), 1)), [2^31 0], 'zeros(2^31, 0)');
forty = [ones(1, 39) 2];
expect_equal (size (qelmsv ('lngamm', ones (forty), 1)), forty, '40 dimensions');
expect_equal (size (qelmsv ('zbeslj', 0, ones (forty), 3, 'U', 1)), [forty 3], '40 dimensions and n');

% refusals
expect_array_error ({'ellprc', ones([ones(1, 31) 2 3]), ones([ones(1, 31) 3 2]), 1}, ...
                    'RHS arguments (x) and (y) differ in size');
expect_array_error ({'zbeslj', 0, ones(2^20, 1), 2^12, 'U', 1}, 'RHS argument (z) has too many elements');
expect_array_error ({'zbesli', 0, [1 2], [1 2], 'U', 1}, 'RHS argument (n) has incorrect dimension');
expect_array_error ({'zbesli', 0, [1 2], 2, 'UU', 1}, 'RHS argument (scale) has incorrect dimension');
setenv ('QELMS_NUM_THREADS', 'all');
expect_array_error ({'gammaf', [1 2], 1}, 'QELMS_NUM_THREADS (all) must be a positive integer');
unsetenv ('QELMS_NUM_THREADS');
