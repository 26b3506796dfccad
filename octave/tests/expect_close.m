function expect_close (actual, expected, tol, label)
  % Fails unless actual is within tol (relative, or absolute when expected is 0) of expected.
  if isnan (expected)
    ok = isnan (actual);
  elseif expected == 0
    ok = abs (actual) <= tol;
  else
    ok = abs (actual - expected) <= tol * abs (expected);
  end
  if ! ok
    error ("qelms_test:fail", "%s: got %.17g, expected %.17g", label, actual, expected);
  end
end
