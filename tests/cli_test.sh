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

# One call of every routine through the batch mode, against mpmath values
# (relative difference at most 1e-14 in each part; gaminc prints P and Q, zexpon a
# complex, the sequence routines a column of complex members).
calls=$(mktemp); wanted=$(mktemp); have=$(mktemp)
cat > "$calls" <<'CALLS'
zexpon 1+0.5i 0|2.3855167309591356 1.3032137296869955 0
expint 1.5 0|0.10001958240663265 0
cosint 2 0|0.422980828774865 0
sinint 2 0|1.6054129768026948 0
gammaf 0.5 0|1.772453850905516 0
lngamm 100 0|359.1342053695754 0
gaminc 2 1.5 0 0|0.44217459962892543 0.55782540037107457 0
erfcmp 1 0|0.15729920705028513 0
errfun 0.5 0|0.52049987781304654 0
besly0 3 0|0.37685001001279038 0
besly1 3 0|0.32467442479179998 0
beslj0 8 0|0.17165080713755391 0
beslj1 8.5 0|0.27312196367405374 0
airyai -5 0|0.35076100902411432 0
airybi 2 0|3.2980949999782147 0
airyad 1 0|-0.15914744129679321 0
airybd 1 0|0.93243593339277563 0
beslk0 1 0|0.42102443824070833 0
beslk1 1 0|0.60190723019723457 0
besli0 4 0|11.30192195213633 0
besli1 -30 0|-768532038938.957 0
kelber 2 0|0.75173418271380823 0
kelbei 2 0|0.97229162730666121 0
kelker 2 0|-0.041664513991509532 0
kelkei 2 0|-0.20240006776470429 0
fresns 1 0|0.43825914739035477 0
fresnc 1 0|0.77989340037682283 0
ellprc 0.25 -2 0|0.23104906018664844 0
ellprf 0 1 2 0|1.3110287771460599 0
ellprd 0 2 1 0|1.7972103521033883 0
ellprj 2 3 4 5 0|0.14297579667156754 0
zbeslj 0.5 1+1i 2 'U' 0|0.96790128289013061 0.060204606214281701 0.25115830598729948 0.37320184370263719 0 0
zbesly 0 2-1i 2 'S' 0|0.29446951086148347 -0.027825867610376587 -0.0060021141478628395 -0.22050945398352925 0 0
zhankl 1 3+2i 2 'U' 2 0|1.5052301018211929 -2.5468314017024478 2.3917576430737241 0.31017861803574353 0 0
zbesli 0 1+1i 2 'U' 0|0.93760847680602928 0.49652994760912213 0.36502802882708779 0.61416033492290361 0 0
zbeslk 2.5 -1+0.5i 1 'U' 0|2.2027763310967621 -0.73897120980072079 0 0
zairya 1+1i 'D' 'U' 0|-0.13062795349964752 0.16306759644932392 0 0
zairyb -2+1i 'F' 'S' 0|-0.20781776176620798 0.11508584626693795 0
CALLS
cut -d'|' -f2 "$calls" > "$wanted"
# a complex result 2.3+1.3i is compared as its two parts, a column [a;b] as its members
cut -d'|' -f1 "$calls" | "$qelms" --batch 2>/dev/null |
  sed 's/\([0-9]\)\([+-]\)\([0-9.e+-]*\)i/\1 \2\3/g; s/[][]//g; s/;/ /g' > "$have"
mismatches=$(paste -d'|' "$wanted" "$have" | awk -F'|' '
  function close_to(a, b) { d = a - b; if (d < 0) d = -d; m = b < 0 ? -b : b; return d <= 1e-14 * m }
  { n = split($1, want, " "); k = split($2, got, " "); ok = (n == k)
    for (j = 1; ok && j <= n; j++) ok = close_to(got[j] + 0, want[j] + 0)
    if (!ok) print "wanted " $1 ", got " $2 }')
rm -f "$calls" "$wanted" "$have"
check "every routine through the batch mode" "" "$mismatches"

echo "cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
