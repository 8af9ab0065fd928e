# What every build of winscore agrees on: the version, the files each plug-in
# and API kernel is made of, the tests and benchmarks, the compiler flags.
# CMakeLists.txt (and tools/compat/CMakeLists.txt through it),
# tools/compat/inside.sh, winscore_build.m, tools/make-package.sh and the
# package's src/Makefile (which includes it as is) all read this file;
# tests/build_facts_check.sh checks that they all read the same.
#
# The syntax, the same for every reader: a fact is one line `NAME = words`,
# starting in the first column with WS_, words separated by blanks. No quotes,
# no `+=`, no continuation lines, no variables; a line starting with # is a
# comment. File names are relative to the repository and hold no blanks.

# The release: the package is winscore-<version>.tar.gz.
WS_VERSION = 0.1.0

# The plug-ins, each built to <name>.mex with its help text <name>.m beside it.
WS_PLUGINS = tallyplane ringdiff gridsweep peakpick drawweighted greedypick

# The toolbox API's own kernels, built the same way but into WS_API_FOLDER, so
# that <name>.mex is called as winscore.internal.<name> (no help file: they
# are internal).
WS_API_KERNELS = ringcontrast
WS_API_FOLDER = +winscore/+internal

# The files of each plug-in and API kernel <name>, by their ending: the
# gateway *_gateway.cpp, the kernel's other *.cpp, its headers *.hpp, the help
# text *.m. Every build compiles the gateway with the kernel's sources, with
# every folder a listed file lies in on the include path: an API kernel built
# on a plug-in's kernel lists that kernel's files too.
WS_SOURCES_tallyplane = tallyplane/tallyplane_gateway.cpp tallyplane/tallyplane_kernel.cpp tallyplane/tallyplane_kernel.hpp tallyplane/tallyplane_stores.hpp tallyplane/tallyplane.m
WS_SOURCES_ringdiff = ringdiff/ringdiff_gateway.cpp ringdiff/ringdiff_kernel.cpp ringdiff/ringdiff_kernel.hpp ringdiff/ringdiff.m
WS_SOURCES_gridsweep = gridsweep/gridsweep_gateway.cpp gridsweep/gridsweep_kernel.cpp gridsweep/gridsweep_kernel.hpp gridsweep/gridsweep.m
WS_SOURCES_peakpick = peakpick/peakpick_gateway.cpp peakpick/peakpick_kernel.cpp peakpick/peakpick_kernel.hpp peakpick/peakpick.m
WS_SOURCES_drawweighted = drawweighted/drawweighted_gateway.cpp drawweighted/drawweighted_kernel.cpp drawweighted/drawweighted_kernel.hpp drawweighted/drawweighted.m
WS_SOURCES_greedypick = greedypick/greedypick_gateway.cpp greedypick/greedypick_kernel.cpp greedypick/greedypick_kernel.hpp greedypick/greedypick.m
WS_SOURCES_ringcontrast = ringcontrast/ringcontrast_gateway.cpp ringcontrast/ringcontrast_kernel.cpp ringcontrast/ringcontrast_kernel.hpp

# The host operations every plug-in links: sources and headers.
WS_HOST_SOURCES = hostif/host.cpp hostif/host.hpp hostif/messages.hpp

# The native tests of each plug-in and API kernel <name> (run through the test
# host), and of the host operations; the Octave test tests/octave/<name>.tst
# and the fuzzer fuzz/<name>_fuzz.cpp of each are required too.
WS_TESTS_tallyplane = tests/tallyplane_kernel_test.cpp tests/tallyplane_gateway_test.cpp
WS_TESTS_ringdiff = tests/ringdiff_kernel_test.cpp tests/ringdiff_gateway_test.cpp
WS_TESTS_gridsweep = tests/gridsweep_kernel_test.cpp tests/gridsweep_gateway_test.cpp
WS_TESTS_peakpick = tests/peakpick_kernel_test.cpp tests/peakpick_gateway_test.cpp
WS_TESTS_drawweighted = tests/drawweighted_kernel_test.cpp tests/drawweighted_gateway_test.cpp
WS_TESTS_greedypick = tests/greedypick_kernel_test.cpp tests/greedypick_gateway_test.cpp
WS_TESTS_ringcontrast = tests/ringcontrast_gateway_test.cpp
WS_HOST_TESTS = tests/hostif_messages_test.cpp
# The other Octave tests, tests/octave/<name>.tst: the demo end to end, the
# bad-input table of every plug-in, the toolbox API, the shipped scripts'
# common language, the build paths.
WS_OCTAVE_TESTS = winscore_demo badinput winscore_api winscore_propose common_subset build_paths

# The kernel benchmarks: bench/<name>_bench.cpp times the kernel of <name>.
WS_BENCHES = tallyplane ringdiff gridsweep peakpick drawweighted greedypick

# Scripts shipped beside the plug-ins, and folders of .m files shipped whole
# (such as a +package folder), relative to the repository.
WS_MFILES = Contents.m demo/winscore_demo.m
WS_MFOLDERS = +winscore

# C++ standard and floating point: operations keep their written order, no
# fused multiply-add, no fast-math. GCC and Clang take WS_FPFLAGS; MSVC takes
# WS_MSVC_FPFLAGS (precise, which does not contract: /fp:contract is off
# unless asked for).
WS_CXX_STANDARD = 17
WS_FPFLAGS = -ffp-contract=off
WS_MSVC_FPFLAGS = /fp:precise
# Optimisation of the builds that do not go through CMake's build types.
WS_OPTFLAGS = -O2
