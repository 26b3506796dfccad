#!/bin/sh
# Builds the module for GNU Octave: the same gateway and numerical sources as
# the embedded build, compiled against Octave's own mex.h.
# Usage: octave/build.sh [OUTPUT_DIR]   (default build/octave)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/octave}
mkdir -p "$out/objects"
sources=$(ls "$root"/gateway/*.cpp "$root"/support/*.cpp "$root"/specfun/*.cpp "$root"/complexbessel/*.cpp 2>/dev/null || true)
cd "$out/objects"
CXXFLAGS="-std=c++20 -O2 -g -Wall -Wextra -ffp-contract=off" \
  mkoctfile --mex -I"$root/include" -I"$root/gateway" -o "$out/qelms.mex" $sources
echo "built $out/qelms.mex"
