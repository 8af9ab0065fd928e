# winscore: the two everyday commands are `make test` and `make demo`.
IMAGE ?=
OCTAVE := octave-cli --no-history --no-init-file --no-window-system --quiet

FUZZ_SECONDS ?= 600
VALGRIND := valgrind -q --error-exitcode=1 --leak-check=full
# Three repetitions per benchmark, medians reported: the machine is shared.
BENCH_FLAGS ?= --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

.PHONY: all deps build build-asan build-fuzz test fuzz memcheck bench bench-photos demo run-demo package compat clean

all: build

deps:
	@tools/ensure-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan

build-fuzz:
	@tools/ensure-deps.sh fuzz
	cmake --preset fuzz -DWS_FUZZ_SECONDS=$(FUZZ_SECONDS) -DWS_FUZZ_SEED=0
	cmake --build --preset fuzz

# Native tests (plain and under ASan/UBSan), the Octave tests, and each fuzzer
# for 20 seconds, through ctest.
test: build build-asan
	@tools/ensure-deps.sh fuzz octave-parallel parallel
	cmake --preset fuzz -DWS_FUZZ_SECONDS=20 -DWS_FUZZ_SEED=1
	cmake --build --preset fuzz
	ctest --preset default
	ctest --preset asan
	ctest --preset fuzz
	$(MAKE) --no-print-directory memcheck

# No invalid read or write: the Octave tests against the plug-ins built with
# ASan/UBSan (valgrind cannot run octave-cli here), then valgrind memcheck,
# leaks included, over the native test binaries of the default build.
memcheck: build build-asan
	ctest --preset asan -R '^octave\.'
	@command -v valgrind >/dev/null || tools/ensure-deps.sh valgrind
	for t in build/*_tests; do echo "valgrind $$t"; $(VALGRIND) $$t --gtest_brief=1 || exit 1; done

# The fuzzers for FUZZ_SECONDS each (default 10 minutes), for a person.
fuzz: build-fuzz
	ctest --preset fuzz

# Kernel benchmarks (plain, fast, floor; greedypick beside OpenCV), then the plug-ins
# against idiomatic Octave, then the photo table.
BENCH_DEPS := libbenchmark-dev libopencv-dev libopencv-contrib-dev python3 imagemagick
bench: build
	@tools/ensure-deps.sh $(BENCH_DEPS)
	cmake --preset bench
	cmake --build --preset bench
	mkdir -p build/bench/results && rm -f build/bench/results/*.json
	for b in build/bench/bench/*_bench; do \
	  $$b $(BENCH_FLAGS) --benchmark_out=build/bench/results/$$(basename $$b).json \
	    --benchmark_out_format=json || exit 1; done
	python3 bench/ratios.py build/bench/results/*.json
	$(OCTAVE) --eval "addpath('build/mex'); addpath('bench/octave'); compare(); api_overhead(); draw_large(); fused_contrast()"
	$(PHOTO_TABLE)

# winscore.propose on real photos of 0.2 to 12 megapixels (fetched from a Debian
# package into build/photos) beside OpenCV's EdgeBoxes and selective search: one
# markdown table, alone. REUSE_PEERS=1 keeps the peers' figures of earlier runs
# (selective search at 12 MP takes minutes); WALL=1 times by the wall clock;
# PHOTOS=fig,mountains measures only the photos named.
PHOTO_TABLE = python3 bench/photo_table.py --peers build/bench/bench/photo_peers \
  --octave "$(OCTAVE)" $(if $(REUSE_PEERS),--reuse-peers) $(if $(WALL),--wall) \
  $(if $(PHOTOS),--only $(PHOTOS))
bench-photos: build
	@tools/ensure-deps.sh $(BENCH_DEPS)
	cmake --preset bench
	cmake --build --preset bench --target photo_peers
	$(PHOTO_TABLE)

# The folder make was started in (before any -C), for a relative IMAGE; the
# environment carries it into the sub-make, whose shell resets PWD.
demo: export WS_DEMO_FROM := $(or $(PWD),$(CURDIR))
demo: build
	@$(MAKE) --no-print-directory run-demo

# The demo on the plug-ins in MEX_DIR, run in the folder make was started in:
# a relative IMAGE is read from there and the picture written there. IMAGE and
# the folders reach Octave through the environment, never spliced into its
# code, so any character is safe.
ROOT := $(patsubst %/,%,$(dir $(abspath $(lastword $(MAKEFILE_LIST)))))
MEX_DIR ?= $(ROOT)/build/mex
run-demo: export WS_DEMO_FROM ?= $(or $(PWD),$(CURDIR))
run-demo: export WS_DEMO_IMAGE := $(value IMAGE)
run-demo: export WS_DEMO_PATH := $(abspath $(MEX_DIR)):$(ROOT)/demo
run-demo:
	$(OCTAVE) --eval "addpath(getenv('WS_DEMO_PATH')); cd(getenv('WS_DEMO_FROM')); \
	  winscore_demo(getenv('WS_DEMO_IMAGE'));"

# winscore-<version>.tar.gz for Octave's pkg install.
package: deps
	tools/make-package.sh .

# The platform matrix, as root (20-30 minutes, not part of `make test`): Debian
# 11 to unstable in chroots, clang, aarch64 under qemu-user, Windows under wine.
compat:
	tools/compat/run.sh

clean:
	rm -rf build
