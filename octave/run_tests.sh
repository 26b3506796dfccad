#!/bin/sh
# Builds the Octave module and runs every octave/tests/test_*.m in octave-cli.
# Prints one line per script and a closing "N passed, N failed" line.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/octave}
"$root/octave/build.sh" "$out" >/dev/null || { echo "octave: module build failed"; exit 1; }
passed=0; failed=0
for script in "$root"/octave/tests/test_*.m; do
  name=$(basename "$script" .m)
  log=$out/$name.log
  if octave-cli --no-gui --no-window-system -q --eval \
       "addpath('$out'); addpath('$root/octave/tests'); $name" >"$log" 2>&1; then
    echo "octave $name: ok"; passed=$((passed + 1))
  else
    echo "octave $name: FAILED"; tail -n 40 "$log" | sed 's/^/    /'; failed=$((failed + 1))
  fi
done
# Use errors print their header on the process's standard output.
header=$(octave-cli --no-gui -q --eval "addpath('$out'); try, [y, f] = qelms('gammaf', [1 2; 3 4], 0); catch, end" 2>/dev/null)
expected="??? Error using ==> gammaf.m

Supplied first dimension : 2
Expected first dimension : 1
Supplied second dimension: 2
Expected second dimension: 1"
if [ "$header" = "$expected" ]; then
  echo "octave standard-output header: ok"; passed=$((passed + 1))
else
  echo "octave standard-output header: FAILED"; echo "$header" | sed 's/^/    /'; failed=$((failed + 1))
fi
echo "octave: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
