#!/bin/sh
# Installs what the build and tests need and is missing (as root, with apt-get);
# otherwise names the one command to run. Usage: ensure-deps.sh [extra-package...]
set -eu
missing=""
need() { # need <package> <test command...>
  pkg=$1; shift
  if ! "$@" >/dev/null 2>&1; then missing="$missing $pkg"; fi
}
need cmake        command -v cmake
need g++          command -v g++
need make         command -v make
need octave       command -v octave-cli
need liboctave-dev command -v mkoctfile
need libgtest-dev test -f /usr/include/gtest/gtest.h
for extra in "$@"; do
  case $extra in
    libbenchmark-dev) need libbenchmark-dev test -f /usr/include/benchmark/benchmark.h ;;
    libopencv-dev) need libopencv-dev test -f /usr/include/opencv4/opencv2/dnn.hpp ;;
    clang) need clang command -v clang++ ;;
    libclang-rt-14-dev) need libclang-rt-14-dev sh -c 'ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' ;;
    *) need "$extra" command -v "$extra" ;;
  esac
done
[ -z "$missing" ] && exit 0
line="apt-get install -y --no-install-recommends$missing"
if [ "$(id -u)" -ne 0 ]; then
  echo "winscore needs:$missing" >&2
  echo "run as root:  apt-get update && $line" >&2
  exit 1
fi
echo "installing:$missing"
apt-get update -q
DEBIAN_FRONTEND=noninteractive $line
