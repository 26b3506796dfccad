function expect_array_error (args, expected)
  % Calls qelmsv(args{:}) and fails unless it raises the use error `expected`
  % (identifier qelms:useError). Octave prefixes the module's text with
  % "qelmsv: "; the module pads the text with blanks.
  try
    y = qelmsv (args{:});
  catch err
    expect_equal (deblank (regexprep (err.message, '^qelmsv: ', '')), expected, ['error of qelmsv(' args{1} ')']);
    expect_equal (err.identifier, 'qelms:useError', ['identifier of qelmsv(' args{1} ')']);
    return;
  end
  error ('qelms_test:fail', 'qelmsv(%s) raised no error, expected ''%s''', args{1}, expected);
end
