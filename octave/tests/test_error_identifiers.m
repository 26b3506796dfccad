% Every error the modules raise carries an identifier; the text is unchanged.
1;  % a script, not a function file
function check (f, identifier, text, label)
  try
    [a, b] = f ();
  catch err
    expect_equal (err.identifier, identifier, [label ': MException identifier']);
    expect_equal (deblank (err.message), text, [label ': text']);
    last = lasterror ();
    expect_equal (last.identifier, identifier, [label ': lasterror identifier']);
    return;
  end
  error ('qelms_test:fail', '%s raised no error', label);
end
check (@() qelms ('nosuch', 1, 0), 'qelms:useError', 'qelms: Routine not found.', 'unknown name');
check (@() qelms ('gammaf', 1), 'qelms:useError', 'qelms: gammaf requires 2 RHS arguments', 'count');
check (@() qelms ('gammaf', 'x', 0), 'qelms:useError', 'qelms: RHS argument (x) must be REAL', 'type');
evalc ('check (@() qelms (''gammaf'', [1 2], 0), ''qelms:useError'', ''qelms: RHS argument (x) has incorrect dimension'', ''shape'');');
evalc ('check (@() qelms (''gammaf'', 0, 0), ''qelms:stop'', ''qelms: Stop - Program terminated.'', ''hard failure'');');
check (@() qelmsv ('gammaf', 1), 'qelms:useError', 'qelmsv: gammaf requires 2 RHS arguments', 'array count');
evalc ('check (@() qelmsv (''gammaf'', [1 0], 0), ''qelms:stop'', ''qelmsv: Stop - Program terminated.'', ''array hard failure'');');
