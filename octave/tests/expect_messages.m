function expect_messages (command, expected_lines)
  % Evaluates `command` and fails unless the command window shows exactly
  % expected_lines (a cell array of strings).
  text = evalc (command);
  lines = strsplit (text, "\n");
  if ! isempty (lines) && isempty (lines{end})
    lines(end) = [];
  end
  expect_equal (numel (lines), numel (expected_lines), ["line count of: " command]);
  for k = 1:numel (lines)
    expect_equal (lines{k}, expected_lines{k}, sprintf ("line %d of: %s", k, command));
  end
end
