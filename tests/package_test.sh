#!/bin/sh
# The C++ package as a user meets it: installs a built tree into a temporary
# prefix and builds the example against it through find_package and through
# pkg-config (as C++17 and C++20), then through add_subdirectory; installs a
# shared build, configured as without GoogleTest, and checks that it exports
# only the public API; runs the threaded tests (the library's and the array
# companion's) under ThreadSanitizer.
# Usage: tests/package_test.sh BUILD_DIR (an already built tree)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
built=$1
jobs=$(nproc 2>/dev/null || echo 2)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
quiet() { "$@" >"$tmp/log" 2>&1 || { cat "$tmp/log"; echo "package: failed: $*"; exit 1; }; }

expect_example() {  # runs the example and checks what it prints
  "$1" >"$tmp/out" 2>&1 || { cat "$tmp/out"; echo "package: $2: the example failed"; exit 1; }
  grep -q '^Gamma(0.5)   = 1.7724538509055161$' "$tmp/out" &&
    grep -q '^lngamm(-1)   = 0 with ifail 1$' "$tmp/out" &&
    grep -q '^gammaf(200)  stopped: Stop - Program terminated. (GAMMAF, failure 1)$' "$tmp/out" ||
    { cat "$tmp/out"; echo "package: $2: unexpected output"; exit 1; }
  echo "package: example through $2: ok"
}

quiet cmake --install "$built" --prefix "$tmp/static"
( cd "$tmp/static" && find . -type f | sort | sed 's/^/    installed /' )

quiet cmake -S "$root/examples" -B "$tmp/find" -DCMAKE_PREFIX_PATH="$tmp/static"
quiet cmake --build "$tmp/find" -j"$jobs"
expect_example "$tmp/find/evaluate" find_package

# the flags name no standard: the example builds as C++17 and as C++20
export PKG_CONFIG_PATH="$tmp/static/lib/pkgconfig"
pkg-config --cflags qelms | grep -q -- '-std=' && { echo "package: qelms.pc forces a standard"; exit 1; }
[ "$(pkg-config --modversion qelms)" = "$("$tmp/static/bin/qelms" --version | cut -d' ' -f2)" ] ||
  { echo "package: qelms.pc and qelms --version differ"; exit 1; }
for standard in c++17 c++20; do
  quiet sh -c "g++ -std=$standard -Wall -Wextra -Werror '$root/examples/evaluate.cpp' \$(pkg-config --cflags --libs qelms) \
    -o '$tmp/pc-evaluate'"
  expect_example "$tmp/pc-evaluate" "pkg-config ($standard)"
done
unset PKG_CONFIG_PATH

quiet cmake -S "$root/examples" -B "$tmp/sub" -DQELMS_SOURCE_DIR="$root"
quiet cmake --build "$tmp/sub" -j"$jobs"
expect_example "$tmp/sub/evaluate" add_subdirectory

# the shared build as a machine without GoogleTest makes it: configured, built
# and installed, the tests skipped with a message
quiet cmake -S "$root" -B "$tmp/shared-build" -DBUILD_SHARED_LIBS=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
grep -q 'GoogleTest not found: the tests are skipped' "$tmp/log" ||
  { cat "$tmp/log"; echo "package: no message on the skipped tests"; exit 1; }
quiet cmake --build "$tmp/shared-build" -j"$jobs"
quiet cmake --install "$tmp/shared-build" --prefix "$tmp/shared"
echo "package: configured, built and installed without GoogleTest: ok"
so="$tmp/shared/lib/libqelms.so"
if nm -DC --defined-only "$so" | grep 'fail_exit\|format_message\|message_unit\|cbes_\|mach_'; then
  echo "package: internal symbols exported"; exit 1
fi
nm -DC --defined-only "$so" | grep -q ' qelms::gammaf(double, int&)' || { echo "package: gammaf not exported"; exit 1; }
quiet cmake -S "$root/examples" -B "$tmp/find-shared" -DCMAKE_PREFIX_PATH="$tmp/shared"
quiet cmake --build "$tmp/find-shared" -j"$jobs"
expect_example "$tmp/find-shared/evaluate" "find_package (shared)"

quiet cmake -S "$root" -B "$tmp/tsan" -DQELMS_SANITIZE_THREAD=ON -DQELMS_INSTALL=OFF
quiet cmake --build "$tmp/tsan" --target qelms_thread_tests qelms_array_thread_tests -j"$jobs"
TSAN_OPTIONS=halt_on_error=1 quiet "$tmp/tsan/tests/qelms_thread_tests"
TSAN_OPTIONS=halt_on_error=1 quiet "$tmp/tsan/tests/qelms_array_thread_tests"
echo "package: threads under ThreadSanitizer: ok"
