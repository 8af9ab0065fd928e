# winscore: the two everyday commands are `make test` and `make demo`.
IMAGE ?=
OCTAVE := octave-cli --no-history --no-init-file --no-window-system --quiet

.PHONY: all deps build build-asan test demo clean

all: build

deps:
	@tools/ensure-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan

# Native tests (plain and under ASan/UBSan) and the Octave tests, through ctest.
test: build build-asan
	ctest --preset default
	ctest --preset asan

demo: build
	$(OCTAVE) --eval "addpath('build/mex'); addpath('demo'); winscore_demo('$(IMAGE)')"

clean:
	rm -rf build
