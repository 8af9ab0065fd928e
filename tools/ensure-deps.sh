#!/bin/sh
# Installs what the build and tests need and is missing (as root, with apt-get);
# otherwise names the one command to run. Usage: ensure-deps.sh [extra...]
# where an extra is `fuzz` (clang with the runtime libFuzzer needs), a package
# with a known check, or a command of the same name as its package.
# Package names carry no version, so the same lines work on Debian 12 and 13.
set -eu

install() { # install <package...>
  [ $# -gt 0 ] || return 0
  line="apt-get install -y --no-install-recommends $*"
  if [ "$(id -u)" -ne 0 ]; then
    echo "winscore needs: $*" >&2
    echo "run as root:  apt-get update && $line" >&2
    exit 1
  fi
  echo "installing: $*"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive $line
}

missing=""
need() { # need <package> <test command...>
  pkg=$1; shift
  if ! "$@" >/dev/null 2>&1; then missing="$missing $pkg"; fi
}

# clang links a program with -fsanitize=fuzzer only when the runtime of its
# own major version is installed.
links_fuzzer() {
  dir=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    > "$dir/probe.cpp"
  ok=0
  clang++ -fsanitize=fuzzer,address,undefined "$dir/probe.cpp" -o "$dir/probe" >/dev/null 2>&1 || ok=1
  rm -rf "$dir"
  return $ok
}

need cmake        command -v cmake
need g++          command -v g++
need make         command -v make
need octave       command -v octave-cli
need octave-dev   command -v mkoctfile
need libgtest-dev test -f /usr/include/gtest/gtest.h
fuzz=no
for extra in "$@"; do
  case $extra in
    fuzz) fuzz=yes; need clang command -v clang++ ;;
    libbenchmark-dev) need libbenchmark-dev test -f /usr/include/benchmark/benchmark.h ;;
    octave-parallel) need octave-parallel sh -c 'ls -d /usr/share/octave/packages/parallel-*' ;;
    libopencv-dev) need libopencv-dev test -f /usr/include/opencv4/opencv2/dnn.hpp ;;
    libopencv-contrib-dev) need libopencv-contrib-dev test -f /usr/include/opencv4/opencv2/ximgproc.hpp ;;
    imagemagick) need imagemagick command -v convert ;;
    *) need "$extra" command -v "$extra" ;;
  esac
done
# shellcheck disable=SC2086 # one word per package
install $missing

if [ $fuzz = yes ] && ! links_fuzzer; then
  major=$(clang++ -dumpversion | cut -d. -f1)
  install "libclang-rt-$major-dev"
  if ! links_fuzzer; then
    echo "clang++ $(clang++ -dumpversion) cannot link a fuzzer even with libclang-rt-$major-dev" >&2
    exit 1
  fi
fi
