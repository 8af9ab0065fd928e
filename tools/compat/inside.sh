#!/bin/sh
# One row of the platform matrix, run inside a Debian chroot from a copy of the
# source tree. Writes build/compat/result (key=value lines), hashes.txt and the
# logs of each step into build/compat/.
#   inside.sh presets   the CMake presets: build, ctest (native, Octave, package)
#   inside.sh script    no usable CMake: winscore_build, the Octave tests, the
#                       package, and the native tests compiled with g++ directly
#   inside.sh facts     prints every fact of build-facts.mk as this script reads it
set -u
mode=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
fact() { sed -n "s/^$1[[:space:]]*=[[:space:]]*//p" build-facts.mk; }
if [ "$mode" = facts ]; then
  for name in $(sed -n 's/^\(WS_[A-Za-z0-9_]*\)[[:space:]]*=.*/\1/p' build-facts.mk); do
    echo $name $(fact "$name")
  done
  exit 0
fi
# The files of a list by their ending: the gateway, the kernel's sources.
gateway() { for f; do case $f in *_gateway.cpp) echo "$f" ;; esac; done; }
sources() { for f; do case $f in *_gateway.cpp) ;; *.cpp) echo "$f" ;; esac; done; }
folders() { for f; do echo "-I${f%/*}"; done | sort -u; }
once() { for f; do echo "$f"; done | awk '!seen[$0]++'; }
out=$root/build/compat
mkdir -p "$out"
OCTAVE="octave-cli --no-history --no-init-file --no-window-system --quiet"
PLUGINS=$(fact WS_PLUGINS)
# Every gateway with its kernel and native tests: the plug-ins and the API's kernels.
KERNELS="$PLUGINS $(fact WS_API_KERNELS)"

result() { echo "$1=$2" >> "$out/result"; }
: > "$out/result"
result compiler "g++ $(g++ -dumpfullversion)"
result octave "$(octave-cli --version | sed -n '1s/.*version \([^ ]*\).*/\1/p')"

presets() {
  if make build > "$out/build.log" 2>&1; then result built yes; else result built no; return; fi
  ctest --preset default > "$out/ctest.log" 2>&1
  passed=$(grep -c 'Test *#[0-9]*: .* Passed' "$out/ctest.log")
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$out/ctest.log")
  result passed "$passed"
  result failed "$(( ${total:-0} - passed ))"
  result failures "$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$out/ctest.log" | tr '\n' ' ')"
  if grep -q 'Test *#[0-9]*: octave\.package .* Passed' "$out/ctest.log"; then
    result package yes
  else
    result package no
  fi
  build/tools/compat/outputs_hash > "$out/hashes.txt" 2> "$out/hashes.log"
  build/tools/compat/outputs_hash --raw-nan > "$out/hashes-raw-nan.txt" 2>> "$out/hashes.log"
}

# The native tests and outputs_hash compiled the way CMake would, one g++ call each.
native() {
  flags="-std=c++$(fact WS_CXX_STANDARD) $(fact WS_OPTFLAGS) $(fact WS_FPFLAGS)"
  flags="$flags -Ihostif -Itestsupport/include"
  host=$(sources $(fact WS_HOST_SOURCES))
  bin=build/native
  mkdir -p $bin
  passed=0 failed=0 failures=""
  # An API kernel's tests run the plug-ins' kernels beside it.
  references=""
  for p in $PLUGINS; do references="$references -I$p $(sources $(fact "WS_SOURCES_$p"))"; done
  for p in $KERNELS; do
    case " $PLUGINS " in *" $p "*) extra="" ;; *) extra=$references ;; esac
    files=$(fact "WS_SOURCES_$p")
    if ! g++ $flags $(folders $files) -o $bin/${p}_tests $(fact "WS_TESTS_$p") $(gateway $files) \
         $(once $(sources $files) $extra) $host testsupport/testhost.cpp \
         -lgtest_main -lgtest -pthread >> "$out/native-build.log" 2>&1; then
      failed=$((failed + 1)); failures="$failures ${p}_tests(build)"; continue
    fi
    $bin/${p}_tests --gtest_brief=1 > "$out/native-$p.log" 2>&1
    n=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$out/native-$p.log")
    f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$out/native-$p.log")
    [ -n "$n$f" ] || f=1  # it crashed before its summary
    passed=$((passed + ${n:-0})); failed=$((failed + ${f:-0}))
    [ "${f:-0}" = 0 ] || failures="$failures ${p}_tests"
  done
  objs="" includes=""
  for p in $KERNELS; do
    files=$(fact "WS_SOURCES_$p")
    includes="$includes $(folders $files)"
    g++ $flags $(folders $files) -DmexFunction=ws_gateway_$p -c $(gateway $files) -o $bin/hash_$p.o \
      >> "$out/native-build.log" 2>&1 && objs="$objs $bin/hash_$p.o $(sources $files)"
  done
  g++ $flags $(once $includes) -o $bin/outputs_hash tools/compat/outputs_hash.cpp $(once $objs) $host \
    testsupport/testhost.cpp >> "$out/native-build.log" 2>&1 &&
    $bin/outputs_hash > "$out/hashes.txt" 2> "$out/hashes.log" &&
    $bin/outputs_hash --raw-nan > "$out/hashes-raw-nan.txt" 2>> "$out/hashes.log"
}

script() {
  if $OCTAVE --eval "winscore_build ('build/mex')" > "$out/build.log" 2>&1; then
    result built yes
  else
    result built no; return
  fi
  native
  for name in $KERNELS $(fact WS_OCTAVE_TESTS); do
    t=tests/octave/$name.tst
    # Absolute folders: tests that change folder keep the toolbox on the path.
    if $OCTAVE --eval "addpath ('$root/build/mex'); addpath ('$root/demo'); addpath ('$root/tests/octave'); run_tests ({'$t'})" \
         >> "$out/octave-tests.log" 2>&1; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1)); echo "FAILED: $t" >> "$out/octave-tests.log"
      failures="$failures octave.$(basename "$t" .tst)"
    fi
  done
  result passed "$passed"
  result failed "$failed"
  result failures "$failures"
  if $OCTAVE --eval "addpath ('tests/octave'); package_check ('$root', '$root/build/package')" \
       > "$out/package.log" 2>&1; then
    result package yes
  else
    result package no
  fi
}

case $mode in
  presets) presets ;;
  script) script ;;
  *) echo "usage: $0 presets|script" >&2; exit 2 ;;
esac
