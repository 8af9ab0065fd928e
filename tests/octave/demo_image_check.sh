#!/bin/sh
# The demo through make, with IMAGE given relative to where the caller stands,
# in a folder whose name and the file's hold an apostrophe: the demo must read
# that file and write its picture there, from make -C and from make -f.
# Usage: demo_image_check.sh <source dir> <plug-in dir>
set -eu
src=$1 mex=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
here="$tmp/it's here"
mkdir -p "$here"
cd "$here"
octave-cli --no-init-file --quiet --eval "imwrite (uint8 (255 * rand (30, 40, 3)), 'pic''s.png')"
for how in "-C $src" "-f $src/Makefile"; do
  # shellcheck disable=SC2086 # two words
  out=$(make $how --no-print-directory run-demo MEX_DIR="$mex" IMAGE="pic's.png" 2>&1) || {
    echo "$out"; exit 1; }
  echo "$out"
  case $out in
    *"30 x 40 pixels of pic's.png"*) ;;
    *) echo "make $how: the demo did not read $here/pic's.png"; exit 1 ;;
  esac
  [ -f "$here/winscore_demo.png" ] || { echo "make $how wrote no picture into $here"; exit 1; }
  rm "$here/winscore_demo.png"
done
