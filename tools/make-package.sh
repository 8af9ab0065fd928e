#!/bin/sh
# Writes winscore-<version>.tar.gz in Octave's package format into the given
# folder (default: the current one). Usage: make-package.sh [outdir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)
version=$(sed -n 's/^project(winscore VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
pkg=$stage/winscore
mkdir -p "$pkg/inst" "$pkg/src/hostif" "$pkg/src/plugins"
sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$(date +%Y-%m-%d)/" \
  "$root/package/DESCRIPTION.in" > "$pkg/DESCRIPTION"
cp "$root/package/INDEX" "$pkg/INDEX"
cp "$root/LICENSE" "$pkg/COPYING"
cp "$root/package/Makefile.src" "$pkg/src/Makefile"
cp "$root/hostif/host.hpp" "$root/hostif/messages.hpp" "$root/hostif/host.cpp" "$pkg/src/hostif/"
for dir in "$root"/*/; do
  name=$(basename "$dir")
  [ -f "$dir/${name}_gateway.cpp" ] || continue
  mkdir -p "$pkg/src/plugins/$name"
  cp "$dir/${name}_kernel.hpp" "$dir/${name}_kernel.cpp" "$dir/${name}_gateway.cpp" \
     "$dir/$name.m" "$pkg/src/plugins/$name/"
  # The package's own tests: the Octave test file as %! blocks of an inst/ function file.
done
[ -d "$root/demo" ] && cp "$root"/demo/*.m "$pkg/inst/"
cp "$root/Contents.m" "$pkg/inst/"
cp -R "$root/+winscore" "$pkg/inst/"
for t in "$root"/tests/octave/*.tst; do
  name=$(basename "$t" .tst)
  case $name in winscore_demo|package) continue ;; esac
  [ -f "$pkg/src/plugins/$name/$name.m" ] && cat "$t" >> "$pkg/src/plugins/$name/$name.m"
done
tar -C "$stage" -czf "$out/winscore-$version.tar.gz" winscore
echo "$out/winscore-$version.tar.gz"
