#!/bin/sh
# Writes winscore-<version>.tar.gz in Octave's package format into the given
# folder (default: the current one). Usage: make-package.sh [outdir]
# The version, the files of each plug-in and the shipped scripts come from
# build-facts.mk; a file any of them needs that is missing stops the script.
# make-package.sh --facts prints every fact as this script reads it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
die() { echo "make-package.sh: $*" >&2; exit 1; }
require() { for f; do [ -e "$root/$f" ] || die "$f is missing"; done; }
require build-facts.mk
fact() { sed -n "s/^$1[[:space:]]*=[[:space:]]*//p" "$root/build-facts.mk"; }
if [ "${1:-}" = --facts ]; then
  for name in $(sed -n 's/^\(WS_[A-Za-z0-9_]*\)[[:space:]]*=.*/\1/p' "$root/build-facts.mk"); do
    echo $name $(fact "$name")
  done
  exit 0
fi
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
for name in $plugins $kernels; do
  files=$(fact "WS_SOURCES_$name")
  [ -n "$files" ] || die "build-facts.mk sets no WS_SOURCES_$name"
  require $files
done
for name in $plugins; do
  require "tests/octave/$name.tst"
  case " $(fact "WS_SOURCES_$name") " in *" $name/$name.m "*) ;;
    *) die "WS_SOURCES_$name of build-facts.mk does not list its help text $name/$name.m" ;; esac
  grep -qx " $name" "$root/package/INDEX" || die "package/INDEX does not list $name"
done
[ -z "$kernels" ] || [ -n "$(fact WS_API_FOLDER)" ] ||
  die "build-facts.mk sets WS_API_KERNELS but not WS_API_FOLDER"
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
for f in $host; do cp "$root/$f" "$pkg/src/hostif/"; done
# Each plug-in's and API kernel's listed files, flat in a folder of its own.
for name in $plugins $kernels; do
  case " $kernels " in *" $name "*) dir=$pkg/src/kernels/$name ;; *) dir=$pkg/src/plugins/$name ;; esac
  mkdir -p "$dir"
  for f in $(fact "WS_SOURCES_$name"); do cp "$root/$f" "$dir/"; done
done
# The package's own tests: the Octave test file as %! blocks of the help file.
for name in $plugins; do
  cat "$root/tests/octave/$name.tst" >> "$pkg/src/plugins/$name/$name.m"
done
for f in $mfiles; do cp "$root/$f" "$pkg/inst/"; done
for d in $mfolders; do cp -R "$root/$d" "$pkg/inst/"; done
tar -C "$stage" -czf "$out/winscore-$version.tar.gz" winscore
echo "$out/winscore-$version.tar.gz"
