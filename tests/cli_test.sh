#!/bin/sh
# The qelms command end to end: single calls, exit statuses, batch mode, its
# output when it cannot be written, --version and --help.
# Usage: cli_test.sh PATH_TO_QELMS
set -u
qelms=$1
root=$(cd "$(dirname "$0")/.." && pwd)
data=$root/tests/data
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

# The result count follows the module's own reading of the name.
check "name with further words" "1.7724538509055161 0" "$("$qelms" "gammaf x" 0.5 1)"
check "batch name ended by a NUL" "1.7724538509055161 0" "$(printf 'gammaf\000junk 0.5 1\n' | "$qelms" --batch 2>/dev/null)"

# Unreadable command lines: status 2 and the offending text with its control bytes escaped.
while IFS='|' read -r label expected; do
  case $label in
    nlhs-empty) "$qelms" --nlhs '' gammaf 0.5 1 >/dev/null 2>&1 ;;
    nlhs-alone) "$qelms" --nlhs >/dev/null 2>&1 ;;
    nlhs-sign) "$qelms" --nlhs +2 gammaf 0.5 1 >/dev/null 2>&1 ;;
    batch-words) "$qelms" --batch extra words </dev/null >/dev/null 2>&1 ;;
    nan-payload) "$qelms" gammaf 'nan(123)' 1 >/dev/null 2>&1 ;;
    hexadecimal) "$qelms" gammaf 0x1p3 1 >/dev/null 2>&1 ;;
    infinity) "$qelms" gammaf infinity 1 >/dev/null 2>&1 ;;
    empty-element) "$qelms" gammaf '[1,,2]' 1 >/dev/null 2>&1 ;;
  esac
  check "$label status" "$expected" "$?"
done <<'CASES'
nlhs-empty|2
nlhs-alone|2
nlhs-sign|2
batch-words|2
nan-payload|2
hexadecimal|2
infinity|2
empty-element|2
CASES
check "nlhs alone text" "error: --nlhs needs a count from 0 to 16" "$("$qelms" --nlhs 2>&1)"
check "escaped bytes" 'error: not a literal: 1\x0d\x1b[2J\\' "$("$qelms" gammaf "$(printf '1\r\033[2J\\')" 0 2>&1)"
check "batch escaped NUL" 'error: not a literal: 1\x00x' "$(printf 'gammaf 1\000x 0\n' | "$qelms" --batch 2>/dev/null)"

# Batch status: the worst status of its lines, 0 when every call answered.
for case in "0|gammaf 0.5 1|lngamm -1 1" "1|gammaf 0.5 1|nosuch 1" "2|gammaf 1+ 0|nosuch 1" "3|gammaf -2 0|gammaf 1+ 0"; do
  printf '%s\n' "$case" | cut -d'|' -f2- | tr '|' '\n' | "$qelms" --batch >/dev/null 2>&1
  check "batch status ${case%%|*}" "${case%%|*}" "$?"
done

# One call of every routine through the batch mode, against the mpmath values of
# tests/data/routine_examples.txt (relative difference at most 1e-14 in each part;
# gaminc prints P and Q, zexpon a complex, the sequence routines a column of
# complex members).
calls=$(mktemp); wanted=$(mktemp); have=$(mktemp)
# a complex result 2.3+1.3i is compared as its two parts, a column [a;b] as its members
parts() { sed 's/\([0-9]\)\([+-]\)\([0-9.e+-]*\)i/\1 \2\3/g; s/[][]//g; s/;/ /g'; }
grep -v '^#' "$data/routine_examples.txt" | awk -F'|' '$3 == 0' > "$calls"
awk -F'|' '{print $4 " 0"}' "$calls" | parts > "$wanted"
awk -F'|' '{print $1 " " $2 " 0"}' "$calls" | "$qelms" --batch 2>/dev/null | parts > "$have"
mismatches=$(paste -d'|' "$wanted" "$have" | awk -F'|' '
  function close_to(a, b) { d = a - b; if (d < 0) d = -d; m = b < 0 ? -b : b; return d <= 1e-14 * m }
  { n = split($1, want, " "); k = split($2, got, " "); ok = (n == k)
    for (j = 1; ok && j <= n; j++) ok = close_to(got[j] + 0, want[j] + 0)
    if (!ok) print "wanted " $1 ", got " $2 }')
check "every routine through the batch mode" "38 " "$(wc -l < "$calls") $mismatches"
# and the failing calls of the routines of complex argument: their failure number last
failing=$(grep -v '^#' "$data/routine_examples.txt" | awk -F'|' '$3 != 0')
check "failing calls" "$(echo "$failing" | cut -d'|' -f3)" \
  "$(echo "$failing" | awk -F'|' '{print $1 " " $2 " 1"}' | "$qelms" --batch 2>/dev/null | awk '{print $NF}')"
rm -f "$calls" "$wanted" "$have"

# The release and the routines.
check "version" "qelms $(sed -n 's/^project(qelms VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")" "$("$qelms" --version)"
help=$("$qelms" --help)
missing=$(grep -v '^#' "$data/routine_contracts.txt" | while read -r name _; do
  echo "$help" | grep -q "^  $name " || echo "$name"; done)
check "--help lists every routine" "usage: qelms [--nlhs N] ROUTINE ARG... " "$(echo "$help" | head -n 1 | cut -c1-39)$missing"

# Results that cannot be written: a message, status 4, and a batch that stops reading.
for case in "single|gammaf 0.5 1" "soft failure|gammaf 0 -1" "version|--version" "help|--help"; do
  # shellcheck disable=SC2086
  err=$("$qelms" ${case#*|} 2>&1 >/dev/full); status=$?
  check "/dev/full ${case%%|*}" "4 error: cannot write the results: No space left on device" "$status $err"
done
err=$(printf 'gammaf 0.5 1\n' | "$qelms" --batch 2>&1 >/dev/full); status=$?
check "/dev/full batch" "4 error: cannot write the results: No space left on device" "$status $err"
yes 'gammaf 0.5 1' | timeout 20 "$qelms" --batch >/dev/full 2>/dev/null
check "/dev/full batch of endless input stops" 4 "$?"
"$qelms" --batch </ >/dev/null 2>&1
check "unreadable batch input" 4 "$?"
check "overlong line" "0.88622692545275805 0
error: line longer than 1048576 bytes
1.7724538509055161 0" "$( (printf 'gammaf 1.5 1\n'; head -c 1048577 /dev/zero | tr '\0' 7; printf '\ngammaf 0.5 1\n') |
  "$qelms" --batch 2>/dev/null)"

# A program that writes a call and waits for its answer gets it: the batch
# flushes its results before it waits for more input.
fifos=$(mktemp -d)
mkfifo "$fifos/in" "$fifos/out"
timeout 20 "$qelms" --batch <"$fifos/in" >"$fifos/out" 2>/dev/null &  # an answer held back ends it
batch_pid=$!
exec 3>"$fifos/in" 4<"$fifos/out"
echo "gammaf 0.5 1" >&3
IFS= read -r first <&4
echo "lngamm 1 1" >&3
IFS= read -r second <&4
exec 3>&- 4<&-
wait "$batch_pid"
check "answers through pipes while the input stays open" "1.7724538509055161 0|0 0|0" "$first|$second|$?"
rm -rf "$fifos"
# results and messages to one file keep their order
check "messages before their result" " ** ABNORMAL EXIT from QELM Library routine LNGAMM: IFAIL =     1
 ** QELM soft failure - control returned
0 1
1.7724538509055161 0" "$(printf 'lngamm -1 -1\ngammaf 0.5 1\n' | "$qelms" --batch 2>&1 | cat)"

echo "cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
