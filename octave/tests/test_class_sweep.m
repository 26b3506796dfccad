% Every class of Octave value in every argument position of a few routines:
% each call returns its results or raises the use error the rules give
% (missing, then shape, then type), never anything else.

function test_class_sweep ()
  values = {
    int8(1), int16(1), int32(1), int64(1), uint8(1), uint16(1), uint32(1), uint64(1), ...
    single(1), single(1+2i), true, sparse(1), sparse(1i), {1}, struct('a', 1), @sin, ...
    'a', 'ab', ['ab'; 'cd'], char(zeros(2, 0)), '', ...
    zeros(1, 1, 2), ones(2, 2, 2), zeros(1, 0, 2), ...
    [], zeros(0, 3), zeros(3, 0), int8([]), single([]), logical([]), {}, struct([]), sparse(0, 0), ...
    sparse(2, 2), sparse(100000, 100000), sparse(2^32 + 1, 1), sparse(65536, 65536), ...
    1, -1, 0.5, NaN, Inf, complex(1, 0), complex(1, NaN), 1+2i, [1 2], [1; 2], 2^31, -2^31, ...
    repmat('x', 1, 2000)};
  % names made from each routine's own: padded, cut by a NUL, long, two rows, a column, upper case
  names = @(name) {[name blanks(25) 'xyz'], [name char(0) 'junk'], [name blanks(2000)], [name; name], ...
                   name', upper(name), repmat('x', 1, 40)};
  routines = {
    {'gammaf', 'x,ifail', 'RI', 2, {0.5, 1}}
    {'zexpon', 'z,ifail', 'CI', 2, {1+2i, 1}}
    {'gaminc', 'a,x,tol,ifail', 'RRRI', 3, {2, 1.5, 0, 1}}
    {'ellprc', 'x,y,ifail', 'RRI', 2, {1, 2, 1}}
  };
  count = 0;
  for r = 1:numel (routines)
    [name, list, types, nlhs, defaults] = routines{r}{:};
    labels = strsplit (list, ',');
    for p = 0:numel (types)
      for k = 1:numel (values)
        args = [{name}, defaults];
        args{p + 1} = values{k};
        if p == 0
          expected = name_error (values{k});
        else
          expected = argument_error (values{k}, types(p), labels{p});
        end
        check_call (args, nlhs, expected, sprintf ('%s, argument %d, value %d', name, p, k));
        count = count + 1;
      end
    end
    variants = names (name);
    for k = 1:numel (variants)
      check_call ([variants(k), defaults], nlhs, name_error (variants{k}), sprintf ('%s, name %d', name, k));
    end
  end
  expect_equal (count, numel (values) * 15, 'number of calls');
end

% "Routine not found." unless the value is a name the module accepts: its
% characters column by column, cut to 31 and at the first blank or control
% character, name a routine.
function text = name_error (v)
  text = 'Routine not found.';
  if ischar (v)
    name = v(:)';
    name = name(1:min (end, 31));
    name = name(1:find ([name ' '] <= ' ', 1) - 1);
    if any (strcmp (name, {'gammaf', 'zexpon', 'gaminc', 'ellprc'}))  % the routines swept here
      text = '';
    end
  end
end

% The use error for value v as an argument of type R, I or C, or '' when it is accepted.
function text = argument_error (v, type, label)
  if ! ischar (v) && isempty (v)
    text = ['RHS argument (' label ') is undefined'];
  elseif size (v, 1) != 1 || numel (v) != 1
    text = ['RHS argument (' label ') has incorrect dimension'];
  else
    full_double = isa (v, 'double') && ! issparse (v);
    real_value = full_double && imag (v) == 0;
    switch type
      case 'R'
        accepted = real_value;
        tail = ') must be REAL';
      case 'I'
        accepted = real_value && fix (v) == v && real (v) >= -2^31 && real (v) < 2^31;  % complex compare by modulus
        tail = ') must be INTEGER';
      case 'C'
        accepted = full_double;
        tail = ') must be COMPLEX';
    end
    text = '';
    if ! accepted
      text = ['RHS argument (' label tail];
    end
  end
end

function check_call (args, nlhs, expected, label)
  out = cell (1, nlhs);
  try
    [out{:}] = qelms (args{:});
  catch err
    msg = deblank (regexprep (err.message, '^qelms: ', ''));
    expect_equal (msg, expected, ['error of ' label]);
    return;
  end
  expect_equal ('', expected, ['answer of ' label]);
  expect_equal (cellfun (@(x) isa (x, 'double') && isscalar (x), out), true (1, nlhs), ['results of ' label]);
  expect_equal (out{end} == fix (out{end}), true, ['ifail of ' label]);
end
