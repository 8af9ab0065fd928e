#!/bin/sh
# Stands in for the compiler while mkoctfile --mex builds the configuration's
# probe plug-in: keeps a copy of every source mkoctfile adds to the probe (the
# marker symbols a host may require of a plug-in), then runs the real one.
# Usage: CC="sh mex-capture.sh <compiler>" with WS_CAPTURE_DIR set.
set -eu
compiler=$1; shift
for arg; do
  case $arg in
    *.c|*.cc|*.cpp|*.cxx)
      [ "$(basename "$arg")" = probe.c ] && continue
      sum=$(cksum < "$arg" | cut -d' ' -f1)
      cp "$arg" "$WS_CAPTURE_DIR/marker-$sum.${arg##*.}" ;;
  esac
done
# shellcheck disable=SC2086 # the compiler may be a command with arguments
exec $compiler "$@"
