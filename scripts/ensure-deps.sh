# Sourced by ./qelms and ./run-tests: makes sure the build and test tools are
# present, installing Debian packages when running as root, otherwise saying
# what to install. Usage: ensure_deps build|test
ensure_deps() {
  missing=""
  command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
  command -v g++ >/dev/null 2>&1 || missing="$missing g++"
  command -v make >/dev/null 2>&1 || missing="$missing make"
  if [ "$1" = test ]; then
    [ -f /usr/include/gtest/gtest.h ] || missing="$missing libgtest-dev"
    command -v pkg-config >/dev/null 2>&1 || missing="$missing pkg-config"
    command -v python3 >/dev/null 2>&1 || missing="$missing python3"
    command -v octave-cli >/dev/null 2>&1 || missing="$missing octave"
    command -v mkoctfile >/dev/null 2>&1 || missing="$missing liboctave-dev"
    command -v clang++ >/dev/null 2>&1 || missing="$missing clang"
    ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
      missing="$missing libclang-rt-dev"
  fi
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
    echo "installing:$missing"
    apt-get update -qq >/dev/null &&
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null ||
      { echo "could not install:$missing" >&2; return 1; }
  else
    echo "missing:$missing; install them with: sudo apt-get install$missing" >&2
    return 1
  fi
}
