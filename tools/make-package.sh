#!/bin/sh
# Writes winscore-<version>.tar.gz in Octave's package format into the given
# folder (default: the current one). Usage: make-package.sh [outdir]
# The version, the plug-ins and the shipped scripts come from build-facts.mk;
# a file any of them needs that is missing stops the script.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
die() { echo "make-package.sh: $*" >&2; exit 1; }
require() { for f; do [ -e "$root/$f" ] || die "$f is missing"; done; }
require build-facts.mk
fact() { sed -n "s/^$1[[:space:]]*=[[:space:]]*//p" "$root/build-facts.mk"; }
version=$(fact WS_VERSION)
plugins=$(fact WS_PLUGINS)
mfiles=$(fact WS_MFILES)
mfolders=$(fact WS_MFOLDERS)
host=$(fact WS_HOST_SOURCES)
kernels=$(fact WS_API_KERNELS)
[ -n "$version" ] || die "build-facts.mk sets no WS_VERSION"
[ -n "$plugins" ] || die "build-facts.mk sets no WS_PLUGINS"
require package/DESCRIPTION.in package/INDEX package/Makefile.src LICENSE \
  $host $mfiles $mfolders
for name in $plugins; do
  require "$name/${name}_kernel.hpp" "$name/${name}_kernel.cpp" "$name/${name}_gateway.cpp" \
    "$name/$name.m" "tests/octave/$name.tst"
  grep -qx " $name" "$root/package/INDEX" || die "package/INDEX does not list $name"
done
[ -z "$kernels" ] || [ -n "$(fact WS_API_FOLDER)" ] ||
  die "build-facts.mk sets WS_API_KERNELS but not WS_API_FOLDER"
for name in $kernels; do
  require "$name/${name}_kernel.hpp" "$name/${name}_kernel.cpp" "$name/${name}_gateway.cpp"
done
grep -q "^% Version $version " "$root/Contents.m" ||
  die "Contents.m does not give version $version of build-facts.mk"
for d in "$root"/+*/; do
  [ -d "$d" ] || continue
  d=$(basename "$d")
  case " $mfolders " in *" $d "*) ;; *) die "$d/ is not in WS_MFOLDERS of build-facts.mk" ;; esac
done

out=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
pkg=$stage/winscore
mkdir -p "$pkg/inst" "$pkg/src/hostif" "$pkg/src/plugins" "$pkg/src/kernels"
sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$(date +%Y-%m-%d)/" \
  "$root/package/DESCRIPTION.in" > "$pkg/DESCRIPTION"
cp "$root/package/INDEX" "$pkg/INDEX"
cp "$root/LICENSE" "$pkg/COPYING"
cp "$root/package/Makefile.src" "$pkg/src/Makefile"
cp "$root/build-facts.mk" "$pkg/src/"
cp "$root"/hostif/*.hpp "$pkg/src/hostif/"
for f in $host; do cp "$root/$f" "$pkg/src/hostif/"; done
for name in $plugins; do
  mkdir -p "$pkg/src/plugins/$name"
  cp "$root/$name/${name}_kernel.hpp" "$root/$name/${name}_kernel.cpp" \
     "$root/$name/${name}_gateway.cpp" "$root/$name/$name.m" "$pkg/src/plugins/$name/"
  # The package's own tests: the Octave test file as %! blocks of the help file.
  cat "$root/tests/octave/$name.tst" >> "$pkg/src/plugins/$name/$name.m"
done
for name in $kernels; do
  mkdir -p "$pkg/src/kernels/$name"
  cp "$root/$name/${name}_kernel.hpp" "$root/$name/${name}_kernel.cpp" \
     "$root/$name/${name}_gateway.cpp" "$pkg/src/kernels/$name/"
done
for f in $mfiles; do cp "$root/$f" "$pkg/inst/"; done
for d in $mfolders; do cp -R "$root/$d" "$pkg/inst/"; done
tar -C "$stage" -czf "$out/winscore-$version.tar.gz" winscore
echo "$out/winscore-$version.tar.gz"
