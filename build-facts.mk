# What every build of winscore agrees on. CMakeLists.txt, winscore_build.m,
# tools/make-package.sh and the package's src/Makefile all read this file, and
# the package ships it. Plain `NAME = value` lines, so make includes it as is.

# The release: the package is winscore-<version>.tar.gz.
WS_VERSION = 0.1.0

# The plug-ins. Folder <name>/ holds <name>_kernel.hpp, <name>_kernel.cpp,
# <name>_gateway.cpp and <name>.m (its help); tests/octave/<name>.tst and
# tests/<name>_*_test.cpp test it.
WS_PLUGINS = tallyplane ringdiff gridsweep peakpick drawweighted greedypick

# The toolbox API's own kernels, built the same way but into WS_API_FOLDER, so
# that <name>.mex is called as winscore.internal.<name>. Folder <name>/ holds
# <name>_kernel.hpp, <name>_kernel.cpp and <name>_gateway.cpp (no help file:
# they are internal); tests/<name>_*_test.cpp and tests/octave/<name>.tst
# test it, fuzz/<name>_fuzz.cpp fuzzes it.
WS_API_KERNELS = ringcontrast
WS_API_FOLDER = +winscore/+internal

# The host operations every plug-in links, beside the headers in hostif/.
WS_HOST_SOURCES = hostif/host.cpp

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
