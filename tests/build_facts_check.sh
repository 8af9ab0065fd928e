#!/bin/sh
# Every reader of build-facts.mk reads the same facts: CMake (its record in
# the build folder given), tools/compat/inside.sh, tools/make-package.sh, the
# package's Makefile and winscore_build.m each print what they read.
# Usage: build_facts_check.sh <CMake build folder>
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
sort "$1/build-facts.txt" > "$dir/CMakeLists.txt"
sh "$root/tools/compat/inside.sh" facts | sort > "$dir/inside.sh"
sh "$root/tools/make-package.sh" --facts | sort > "$dir/make-package.sh"
(cd "$root" && make -s -f package/Makefile.src facts MKOCTFILE=true) | sort > "$dir/Makefile.src"
(cd "$root" && WS_PRINT_FACTS=1 octave-cli --no-history --no-init-file --no-window-system \
   --quiet --eval winscore_build) | sort > "$dir/winscore_build.m"
[ -s "$dir/CMakeLists.txt" ] || { echo "CMake recorded no facts"; exit 1; }
status=0
for reader in inside.sh make-package.sh Makefile.src winscore_build.m; do
  if ! diff -u "$dir/CMakeLists.txt" "$dir/$reader"; then
    echo "$reader reads build-facts.mk otherwise than CMakeLists.txt"
    status=1
  fi
done
[ $status -eq 0 ] && echo "every reader reads the same $(wc -l < "$dir/CMakeLists.txt") facts"
exit $status
