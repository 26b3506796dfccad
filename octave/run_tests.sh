#!/bin/sh
# The Octave tests: in a fresh copy of the source tree, runs the README's
# Octave commands as written (they build qelms and qelmsv); runs every
# octave/tests/test_*.m in octave-cli against that build; then makes the
# Octave package, installs it with pkg into a temporary prefix, describes it,
# loads it, calls both modules, looks for them with lookfor and runs the
# package's own tests with pkg test; checks that its licence is LICENSE. Prints one line per check and a closing
# "N passed, N failed" line.
# Usage: octave/run_tests.sh [WORK_DIR]   (default build/octave)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/octave}
mkdir -p "$out"
out=$(cd "$out" && pwd)
passed=0; failed=0
pass() { echo "octave $1: ok"; passed=$((passed + 1)); }
fail() { echo "octave $1: FAILED"; [ -n "${2:-}" ] && tail -n 40 "$2" | sed 's/^/    /'; failed=$((failed + 1)); }

# A fresh copy of the tracked files (or of the tree, outside git).
checkout=$out/checkout
rm -rf "$checkout"
mkdir -p "$checkout"
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # one tar reading the names itself: xargs would split a long list into several archives
  (cd "$root" && git ls-files -z | tar --null -T - -cf - 2>/dev/null) | tar -C "$checkout" -xf -
else
  (cd "$root" && tar --exclude=./build -cf - .) | tar -C "$checkout" -xf -
fi

# The README's Octave commands: the sh block after the marker line, line by line.
commands=$(awk '/<!-- octave commands:/ {on = 1; next} on && /^```sh/ {block = 1; next}
                block && /^```/ {exit} block {print}' "$root/README.md")
log=$out/readme_commands.log
: >"$log"
readme_ok=1
[ -n "$commands" ] || { echo "no Octave commands found in README.md" >"$log"; readme_ok=0; }
echo "$commands" | while IFS= read -r line; do
  [ -n "$line" ] || continue
  echo "\$ $line" >>"$log"
  (cd "$checkout" && sh -c "$line") >>"$log" 2>&1 || { echo "exit status $?" >>"$log"; exit 1; }
done || readme_ok=0
grep -q "ifail = 0" "$log" || readme_ok=0
if [ "$readme_ok" -eq 1 ]; then pass "README commands"; else fail "README commands" "$log"; fi
module=$checkout/build/octave

for script in "$root"/octave/tests/test_*.m; do
  name=$(basename "$script" .m)
  log=$out/$name.log
  if octave-cli --no-gui --no-window-system -q --eval \
       "addpath('$module'); addpath('$root/octave/tests'); $name" >"$log" 2>&1; then
    pass "$name"
  else
    fail "$name" "$log"
  fi
done

# Use errors print their header on the process's standard output.
header=$(octave-cli --no-gui -q --eval "addpath('$module'); try, [y, f] = qelms('gammaf', [1 2; 3 4], 0); catch, end" 2>/dev/null)
expected="??? Error using ==> gammaf.m

Supplied first dimension : 2
Expected first dimension : 1
Supplied second dimension: 2
Expected second dimension: 1"
if [ "$header" = "$expected" ]; then
  pass "standard-output header"
else
  echo "$header" >"$out/header.log"; fail "standard-output header" "$out/header.log"
fi

# The package: made, installed into a temporary prefix, described, loaded,
# called, found by lookfor, and its own tests run by pkg test.
log=$out/package.log
prefix=$(mktemp -d "${TMPDIR:-/tmp}/qelms-pkg.XXXXXX")
version=$(sed -n 's/^Version: *//p' "$root/octave/DESCRIPTION")
# It runs in a directory of its own (pkg test leaves its fntests.log there, and
# no module of the build may shadow the package's); both package lists are in
# the prefix, so that nothing of the system's Octave (root's global list) changes.
if package=$("$root/octave/package.sh" "$out/package" 2>"$log") &&
   (cd "$prefix" && octave-cli --no-gui --no-window-system -q --eval "
     pkg prefix '$prefix' '$prefix'; pkg local_list '$prefix/octave_packages';
     pkg global_list '$prefix/global_packages';
     t = tic; pkg install '$package'; printf ('package install: %.1f s\n', toc (t));
     described = evalc ('pkg describe qelms');
     printf ('describe: %d\n', ! isempty (regexp (described, ...
             'Package name:\s+qelms\s+Version:\s+$version\s.*Depends on:\s+octave >= 7\.0\.0', 'once')));
     pkg load qelms;
     [y, ifail] = qelms ('gammaf', 0.5, -1);
     assert (abs (y - sqrt (pi)) < 4 * eps && ifail == 0);
     [g, f] = qelmsv ('gammaf', [0.5 1.5 -1], 1);
     assert (isequal (f, [0 0 4]) && abs (g(2) - sqrt (pi) / 2) < 4 * eps);
     assert (strncmp (which ('qelms'), '$prefix', numel ('$prefix')));
     assert (! isempty (strfind (evalc ('help qelms'), 'IFAIL on entry')));
     printf ('loaded and called\n');
     for word = {'Bessel', 'gamma'}
       found = evalc (['lookfor ' word{1}]);
       printf ('lookfor %s: qelms %d qelmsv %d\n', word{1}, ...
               ! isempty (regexp (found, '^qelms ', 'once', 'lineanchors')), ...
               ! isempty (regexp (found, '^qelmsv ', 'once', 'lineanchors')));
     end
     pkg test qelms;
   ") >>"$log" 2>&1; then
  pass "package install, load and call ($(sed -n 's/^package install: //p' "$log"))"
else
  fail "package install, load and call" "$log"
fi
if grep -q "^describe: 1$" "$log"; then
  pass "pkg describe"
else
  fail "pkg describe" "$log"
fi
for word in Bessel gamma; do
  if grep -q "^lookfor $word: qelms 1 qelmsv 1$" "$log"; then pass "lookfor $word"; else fail "lookfor $word" "$log"; fi
done
# pkg test: every %!test of the package passes, one per routine at least
tests_passed=$(sed -n 's/^ *PASS *\([0-9]*\)$/\1/p' "$log")
tests_failed=$(sed -n 's/^ *FAIL *\([0-9]*\)$/\1/p' "$log")
if [ "${tests_passed:-0}" -ge 38 ] && [ "${tests_failed:-1}" -eq 0 ] && grep -q '^0 (of [0-9]*) .m files have no tests' "$log"; then
  pass "pkg test ($tests_passed passed)"
else
  fail "pkg test (${tests_passed:-0} passed, ${tests_failed:-?} failed)" "$log"
fi
# the licence travels with the package
if cmp -s "$root/LICENSE" "$prefix/qelms-$version/packinfo/COPYING" &&
   grep -q '^License: BSD-3-Clause$' "$prefix/qelms-$version/packinfo/DESCRIPTION"; then
  pass "package licence"
else
  ls -R "$prefix" >"$out/licence.log" 2>&1; fail "package licence" "$out/licence.log"
fi
rm -rf "$prefix"

echo "octave: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
