#!/bin/sh
# Builds the modules for GNU Octave, qelms.mex and its array companion
# qelmsv.mex, with their help files and Contents.m: the same gateway and
# numerical sources as the embedded build, compiled against Octave's own mex.h.
# Usage: octave/build.sh [OUTPUT_DIR]   (default build/octave; relative to
# the current directory)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/octave}
mkdir -p "$out"
out=$(cd "$out" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
make -s -j"$jobs" -f "$root/octave/qelms.mk" ROOT="$root" OUT="$out"
cp "$root"/octave/help/*.m "$out/"
echo "built $out/qelms.mex $out/qelmsv.mex"
