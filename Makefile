# winscore: the two everyday commands are `make test` and `make demo`.
IMAGE ?=
OCTAVE := octave-cli --no-history --no-init-file --no-window-system --quiet

.PHONY: all deps build build-asan test demo package clean

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

# winscore-<version>.tar.gz for Octave's pkg install.
package: deps
	tools/make-package.sh .

clean:
	rm -rf build
