#!/bin/sh
# Builds and runs the benchmark of the complex-argument routines (optimised,
# without the test build's sanitizers). Usage: bench/complex/run.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/bench-complex}
mkdir -p "$out"
g++ -std=c++20 -O2 -ffp-contract=off -Wall -Wextra -I"$root/include" \
  "$root/bench/complex/complex_bench.cpp" "$root"/support/*.cpp "$root"/specfun/*.cpp "$root"/complexbessel/*.cpp \
  -o "$out/complex_bench"
"$out/complex_bench"
