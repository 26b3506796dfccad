function expect_equal (actual, expected, label)
  % Fails unless actual and expected are equal (isequal; strings compared exactly).
  if ! isequal (actual, expected)
    error ("qelms_test:fail", "%s: got %s, expected %s", label, disp_text (actual), disp_text (expected));
  end
end

function t = disp_text (v)
  if ischar (v)
    t = ["'" v "'"];
  else
    t = mat2str (v, 17);
  end
end
