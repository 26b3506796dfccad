#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 25) from its
# committed seed corpus in fuzz/corpus/; fails on any finding, whose input is
# left in build/fuzz/. Inputs found along the way stay in build/fuzz/ too.
# Usage: fuzz/run.sh [SECONDS]        a longer run: fuzz/run.sh 3600
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-25}
build=$root/build/fuzz
CXX=clang++ cmake -S "$root" -B "$build" -DQELMS_FUZZ=ON -DQELMS_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target module_fuzzer command_fuzzer >/dev/null
status=0
for target in module command; do
  found=$build/corpus-$target
  log=$build/$target.log
  mkdir -p "$found"
  if UBSAN_OPTIONS=print_stacktrace=1 "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
       -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 -artifact_prefix="$build/$target-" \
       "$found" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ok, $runs inputs in $seconds s"
  else
    echo "fuzz $target: FINDING"; grep -v '^#' "$log" | tail -n 40 | sed 's/^/    /'; status=1
  fi
done
exit $status
