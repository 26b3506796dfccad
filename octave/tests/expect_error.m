function expect_error (args, expected, nlhs)
  % Calls qelms(args{:}) for nlhs results and fails unless it raises the use
  % error `expected`. Octave prefixes the module's text with "qelms: "; the
  % module pads the text with blanks to its 72-character field.
  if nargin < 3
    nlhs = 2;
  end
  try
    out = cell (1, nlhs);
    [out{:}] = qelms (args{:});
  catch err
    msg = regexprep (err.message, '^qelms: ', '');
    expect_equal (deblank (msg), expected, ["error of qelms(" args{1} ")"]);
    return;
  end
  error ("qelms_test:fail", "qelms(%s) raised no error, expected '%s'", args{1}, expected);
end
