#!/bin/sh
# The platform matrix: builds and tests winscore on several Debian releases (in
# chroots), with clang, for aarch64 under qemu-user and for Windows under wine,
# and compares the bytes of every plug-in output across them. Prints one table
# and exits non-zero when any row fails. Run as root on a Debian host.
#   WS_COMPAT_CACHE  where the chroots, the cross-built GoogleTest and the wine
#                    prefix are kept (default /var/cache/winscore-compat)
#   WS_COMPAT_ROWS   the rows to run (default: all but arm64-octave)
#   WS_COMPAT_JOBS   parallel build jobs (default 2)
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$root/build/compat
jobs=${WS_COMPAT_JOBS:-2}
cache=${WS_COMPAT_CACHE:-/var/cache/winscore-compat}
rows=${WS_COMPAT_ROWS:-"clang aarch64 windows bullseye bookworm trixie sid"}

[ "$(id -u)" -eq 0 ] || { echo "make compat runs as root (debootstrap, chroot)" >&2; exit 1; }

need() { # need <command> <package>
  command -v "$1" >/dev/null 2>&1 || host_packages="$host_packages $2"
}
host_packages=""
need debootstrap debootstrap
need cmake cmake
need clang++ clang
need qemu-aarch64-static qemu-user-static
need aarch64-linux-gnu-g++ g++-aarch64-linux-gnu
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
need wine wine
need octave-cli octave
need mkoctfile octave-dev
need parallel parallel
[ -f /usr/src/googletest/CMakeLists.txt ] || host_packages="$host_packages googletest"
[ -f /usr/include/gtest/gtest.h ] || host_packages="$host_packages libgtest-dev"
if [ -n "$host_packages" ]; then
  echo "installing:$host_packages"
  apt-get update -q && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends $host_packages wine64 || exit 1
fi

rm -rf "$out"
mkdir -p "$out/rows"
log() { echo "== $(date +%H:%M:%S) $*"; }

# record <row> <platform> <compiler> <octave> <built> <passed> <failed> <package> <note>
record() {
  printf '%s\n' "$2" "$3" "$4" "$5" "$6" "$7" "$8" "$9" > "$out/rows/$1"
}

gtest_summary() { # gtest_summary <log>; sets n and f, the tests passed and failed
  n=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$1")
  f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$1")
}

# gtest binaries run one by one under an emulator; sets passed and failed.
run_gtests() { # run_gtests <logdir> <runner...> ; binaries from $bins
  logdir=$1; shift
  passed=0 failed=0 failures="" reruns=""
  for b in $bins; do
    name=$(basename "$b")
    "$@" "$b" --gtest_brief=1 > "$logdir/$name.log" 2>&1
    gtest_summary "$logdir/$name.log"
    if [ -z "$n$f" ]; then
      # No summary: the emulator may have lost its server (wine does, now and
      # then). One more run; a test that crashes crashes again.
      mv "$logdir/$name.log" "$logdir/$name.first.log"
      "$@" "$b" --gtest_brief=1 > "$logdir/$name.log" 2>&1
      gtest_summary "$logdir/$name.log"
      reruns="${reruns:+$reruns, }$name"
    fi
    [ -n "$n$f" ] || f=1  # no summary: it did not run to its end
    passed=$((passed + ${n:-0})); failed=$((failed + ${f:-0}))
    [ "${f:-0}" = 0 ] || failures="${failures:+$failures, }$name"
  done
}

gtests_note() { # after run_gtests: what the table's note says of them
  note=${failures:+failed: $failures}
  [ -z "$reruns" ] || note="${note:+$note; }run twice (no summary the first time): $reruns"
  echo "$note"
}

ctest_counts() { # ctest_counts <log>; sets passed and failed
  passed=$(grep -c 'Test *#[0-9]*: .* Passed' "$1")
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$1")
  failed=$(( ${total:-0} - passed ))
}

row_clang() {
  d=$out/clang; mkdir -p "$d"
  log "clang build and tests on the host"
  v=$(clang++ -dumpversion)
  o=$(octave-cli --version | sed -n '1s/.*version \([^ ]*\).*/\1/p')
  if cmake -S "$root" -B "$d/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
       -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ > "$d/build.log" 2>&1 &&
     cmake --build "$d/build" -j"$jobs" >> "$d/build.log" 2>&1; then
    (cd "$d/build" && ctest -j"$jobs" --output-on-failure) > "$d/ctest.log" 2>&1
    ctest_counts "$d/ctest.log"
    failures=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$d/ctest.log" | tr '\n' ' ')
    failures=$(echo $failures | sed 's/ /, /g')
    pkg=no; grep -q 'Test *#[0-9]*: octave\.package .* Passed' "$d/ctest.log" && pkg=yes
    "$d/build/tools/compat/outputs_hash" > "$d/hashes.txt" 2>&1
    "$d/build/tools/compat/outputs_hash" --raw-nan > "$d/hashes-raw-nan.txt" 2>&1
    record clang "Debian 12 x86-64" "clang $v" "$o" yes "$passed" "$failed" "$pkg" \
      "${failures:+failed: $failures}"
  else
    record clang "Debian 12 x86-64" "clang $v" "$o" no 0 0 - "see build.log"
  fi
}

# A cross build of the native tests and outputs_hash. GoogleTest is built once
# per toolchain from Debian's source package and kept beside the chroots.
cross_build() { # cross_build <toolchain> <dir>
  tc=$here/$1.cmake; d=$2
  gtest=$cache/gtest-$1
  if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$d/gtest-build" -DCMAKE_TOOLCHAIN_FILE="$tc" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest" &&
      cmake --build "$d/gtest-build" -j"$jobs" && cmake --install "$d/gtest-build" || return 1
  fi
  cmake -S "$root" -B "$d/build" -DCMAKE_TOOLCHAIN_FILE="$tc" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DWS_OCTAVE=OFF -DGTest_DIR="$gtest/lib/cmake/GTest" &&
    cmake --build "$d/build" -j"$jobs"
}

row_aarch64() {
  d=$out/aarch64; mkdir -p "$d"
  log "aarch64 cross build, tests under qemu-user"
  v=$(aarch64-linux-gnu-g++ -dumpfullversion)
  qemu="qemu-aarch64-static -L /usr/aarch64-linux-gnu"
  if cross_build aarch64-linux-gnu "$d" > "$d/build.log" 2>&1; then
    bins=$(ls "$d"/build/*_tests)
    run_gtests "$d" $qemu
    $qemu "$d/build/tools/compat/outputs_hash" > "$d/hashes.txt" 2>&1
    $qemu "$d/build/tools/compat/outputs_hash" --raw-nan > "$d/hashes-raw-nan.txt" 2>&1
    record aarch64 "aarch64 (qemu-user)" "g++ $v" - yes "$passed" "$failed" - "$(gtests_note)"
  else
    record aarch64 "aarch64 (qemu-user)" "g++ $v" - no 0 0 - "see build.log"
  fi
}

row_windows() {
  d=$out/windows; mkdir -p "$d"
  log "mingw-w64 cross build, tests under wine"
  v=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
  # A prefix of its own, kept with the chroots, so that the tests do not depend on the caller's.
  export WINEPREFIX=$cache/wine WINEDEBUG=-all
  if cross_build x86_64-w64-mingw32 "$d" > "$d/build.log" 2>&1; then
    # A new prefix goes on being set up after wineboot returns: wait for it.
    [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i && wineserver -w; } > "$d/wineboot.log" 2>&1
    bins=$(ls "$d"/build/*_tests.exe)
    run_gtests "$d" wine
    wine "$d/build/tools/compat/outputs_hash.exe" 2>/dev/null | tr -d '\r' > "$d/hashes.txt"
    wine "$d/build/tools/compat/outputs_hash.exe" --raw-nan 2>/dev/null | tr -d '\r' \
      > "$d/hashes-raw-nan.txt"
    wineserver -k 2>/dev/null
    record windows "Windows x86-64 (wine)" "mingw-w64 g++ $v" - yes "$passed" "$failed" - \
      "$(gtests_note)"
  else
    record windows "Windows x86-64 (wine)" "mingw-w64 g++ $v" - no 0 0 - "see build.log"
  fi
  unset WINEPREFIX WINEDEBUG
}

# A Debian release in a chroot: the working tree copied in, then inside.sh.
row_debian() { # row_debian <suite> <label> <mode>
  suite=$1 label=$2 mode=$3
  d=$out/$suite; mkdir -p "$d"
  log "$label ($suite) chroot"
  if ! "$here/chroot.sh" prepare "$suite" > "$d/prepare.log" 2>&1; then
    record "$suite" "$label" - - no 0 0 - "chroot not made: see prepare.log"
    return
  fi
  src=$cache/$suite/root/winscore
  rm -rf "$src"; mkdir -p "$src"
  (cd "$root" && git ls-files -co --exclude-standard -z | xargs -0 tar -cf - 2>/dev/null) |
    tar -C "$src" -xf -
  "$here/chroot.sh" run "$suite" sh /root/winscore/tools/compat/inside.sh "$mode" \
    > "$d/inside.log" 2>&1
  cp "$src"/build/compat/* "$d/" 2>/dev/null
  get() { sed -n "s/^$1=//p" "$d/result" 2>/dev/null; }
  note=$(get failures | sed 's/^ *//; s/ *$//; s/  */, /g')
  note=${note:+failed: $note}
  [ "$(get built)" = yes ] || note="see build.log"
  record "$suite" "$label" "$(get compiler)" "$(get octave)" "$(get built)" \
    "$(get passed)" "$(get failed)" "$(get package)" "$note"
}

for r in $rows; do
  case $r in
    clang) row_clang ;;
    aarch64) row_aarch64 ;;
    windows) row_windows ;;
    bullseye) row_debian bullseye "Debian 11 x86-64" script ;;
    bookworm) row_debian bookworm "Debian 12 x86-64" presets ;;
    trixie) row_debian trixie "Debian 13 x86-64" presets ;;
    sid) row_debian sid "Debian unstable x86-64" presets ;;
    *) echo "unknown row: $r" >&2; exit 2 ;;
  esac
done

# Every row's outputs against the first row that has them.
ref=""
for r in $rows; do
  [ -s "$out/$r/hashes.txt" ] && { ref=$r; break; }
done

status=0
table=$out/table.md
{
  echo "| platform | compiler | Octave | built | tests passed | tests failed | package | hashes equal | note |"
  echo "|---|---|---|---|---|---|---|---|---|"
  for r in $rows; do
    { read -r platform; read -r compiler; read -r octave; read -r built; read -r passed
      read -r failed; read -r package; read -r note; } < "$out/rows/$r"
    if [ ! -s "$out/$r/hashes.txt" ]; then
      hashes=no
      note="${note:+$note; }no output hashes"
    elif [ "$r" = "$ref" ]; then
      hashes="reference"
    elif cmp -s "$out/$ref/hashes.txt" "$out/$r/hashes.txt"; then
      hashes=yes
    else
      hashes="no ($(diff "$out/$ref/hashes.txt" "$out/$r/hashes.txt" | grep -c '^>') differ)"
    fi
    # Not a failure: the bits of a NaN made by arithmetic, as measured.
    if [ -s "$out/$r/hashes-raw-nan.txt" ] && [ -s "$out/$ref/hashes-raw-nan.txt" ] &&
       ! cmp -s "$out/$ref/hashes-raw-nan.txt" "$out/$r/hashes-raw-nan.txt"; then
      note="${note:+$note; }NaN bits differ from the reference"
    fi
    if [ "$built" != yes ] || [ "${failed:-1}" != 0 ] || [ "${passed:-0}" = 0 ] ||
       [ "$package" = no ] || { [ "$hashes" != yes ] && [ "$hashes" != reference ]; }; then
      status=1
    fi
    echo "| $platform | $compiler | ${octave:--} | $built | ${passed:-0} | ${failed:-0} | $package | $hashes | $note |"
  done
} > "$table"
echo
cat "$table"
echo
echo "logs and output hashes: $out"
[ $status -eq 0 ] && echo "compat: every row passed" || echo "compat: FAILED"
exit $status
