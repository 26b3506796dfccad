#!/bin/sh
# The README's qelms examples, as written: every "$ COMMAND" line of the sh
# blocks after a "<!-- command examples:" marker runs in the top of the source
# tree (./qelms builds the command on first use), and what it prints, standard
# error included, must be the lines that follow it up to the next "$ " line.
# Usage: tests/readme_test.sh
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
passed=0; failed=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# one file per example: its command on the first line, the output it shows after
awk -v dir="$tmp" '
  /<!-- command examples:/ { marked = 1; next }
  marked && /^```sh/ { block = 1; marked = 0; next }
  block && /^```/ { block = 0; next }
  block && /^\$ / { n++; file = sprintf("%s/%03d", dir, n); print substr($0, 3) > file; next }
  block && n { print > file }' README.md
for example in "$tmp"/[0-9]*; do
  command=$(head -n 1 "$example")
  tail -n +2 "$example" >"$tmp/expected"
  sh -c "$command" >"$tmp/got" 2>&1
  if cmp -s "$tmp/expected" "$tmp/got"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED $ %s\n--- the README shows\n%s\n--- it printed\n%s\n' "$command" "$(cat "$tmp/expected")" "$(cat "$tmp/got")"
  fi
done
[ "$passed" -gt 0 ] || { echo "readme: no examples found"; exit 1; }
echo "readme: $passed examples as written, $failed failed"
[ "$failed" -eq 0 ]
