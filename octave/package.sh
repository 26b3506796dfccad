#!/bin/sh
# Makes the Octave package qelms-VERSION.tar.gz (VERSION from octave/DESCRIPTION):
# DESCRIPTION, INDEX, NEWS, COPYING (the licence), the help files (with the
# package's tests) and Contents.m in inst/, and in src/ the sources with a
# Makefile that compiles both modules into inst/ on `pkg install`.
# Usage: octave/package.sh [OUTPUT_DIR]   (default build/package)
# Prints the path of the package.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/package}
mkdir -p "$out"
out=$(cd "$out" && pwd)
version=$(sed -n 's/^Version: *//p' "$root/octave/DESCRIPTION")
stage=$out/stage
rm -rf "$stage"
mkdir -p "$stage/qelms/inst" "$stage/qelms/src"
cp "$root/octave/DESCRIPTION" "$root/octave/INDEX" "$root/NEWS" "$stage/qelms/"
cp "$root/LICENSE" "$stage/qelms/COPYING"
cp "$root"/octave/help/*.m "$stage/qelms/inst/"
for dir in include gateway support specfun complexbessel; do
  [ -d "$root/$dir" ] && cp -R "$root/$dir" "$stage/qelms/src/"
done
cp "$root/octave/qelms.mk" "$stage/qelms/src/"
# pkg install runs make in src/: the modules go next to their help files in inst/
printf 'ROOT = .\nOUT = ../inst\nOBJ = objects\ninclude qelms.mk\n' >"$stage/qelms/src/Makefile"
package=$out/qelms-$version.tar.gz
tar -C "$stage" -czf "$package" qelms
rm -rf "$stage"
echo "$package"
