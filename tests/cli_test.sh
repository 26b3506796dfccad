#!/bin/sh
# The qelms command end to end: single calls, exit statuses and batch mode.
# Usage: cli_test.sh PATH_TO_QELMS
set -u
qelms=$1
passed=0; failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAILED %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"; fi
}

check "single call" "1.7724538509055161 0" "$("$qelms" gammaf 0.5 -1)"
check "soft failure prints its lines" " ** ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     3
 ** QELM soft failure - control returned
4.4843049327354256e+307 3" "$("$qelms" gammaf 0 -1)"

out=$("$qelms" gammaf -2 0); status=$?
check "hard failure status" 3 "$status"
check "hard failure lines" " ** ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     4
 ** QELM hard failure - execution terminated
Stop - Program terminated." "$out"

err=$("$qelms" --nlhs 1 gammaf 0.5 -1 2>&1 >/dev/null); status=$?
check "count error status" 1 "$status"
check "count error text" "error: gammaf requires 2 LHS arguments" "$err"
out=$("$qelms" gammaf "'x'" 0 2>/dev/null); status=$?
check "type error status" 1 "$status"
check "type error header" "??? Error using ==> gammaf.m" "$out"
"$qelms" gammaf 1+ 0 >/dev/null 2>&1; status=$?
check "unreadable literal status" 2 "$status"

batch=$(printf '%s\n' "gammaf 0.5 -1" "lngamm -1 -1" "" "nosuch 1" "gammaf [1;2] 0" "gammaf -2 0" \
  "--nlhs 1 gammaf 1 0" "gammaf 1+ 0" "lngamm 1e306 1" | "$qelms" --batch 2>/dev/null)
check "batch results" "1.7724538509055161 0
0 1
error: Routine not found.
error: RHS argument (x) has incorrect dimension
error: Stop - Program terminated.
error: gammaf requires 2 LHS arguments
error: not a literal: 1+
1.79e+308 2" "$batch"
messages=$(printf 'lngamm -1 -1\n' | "$qelms" --batch 2>&1 >/dev/null)
check "batch messages on standard error" " ** ABNORMAL EXIT from QELM Library routine LNGAMM: IFAIL =     1
 ** QELM soft failure - control returned" "$messages"

echo "cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
