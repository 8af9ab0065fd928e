// SPDX-License-Identifier: MIT
// The host operations every gateway shares: count checks, input tests, scalar
// reads and output creation. Each error names the plug-in, the input and the fault.
#ifndef WINSCORE_HOSTIF_HOST_HPP
#define WINSCORE_HOSTIF_HOST_HPP

#include <cstddef>
#include <cstdint>

#include "mex.h"

namespace winscore::hostif {

// Identifies the plug-in in error identifiers, "winscore:<plugin>:<what>".
struct Plugin {
  const char* name;
};

// Ends the call through the host's error call; `what` completes the identifier.
[[noreturn]] void fail(Plugin plugin, const char* what, const char* message);
// As fail, for the one check defined on the array library's error call. A host
// without that call (Octave) ends the call through its own error call instead.
[[noreturn]] void failThroughArrayLibrary(Plugin plugin, const char* what, const char* message);

struct Counts {
  int inputs;           // the fixed number of inputs
  int outputs;          // the maximum, or with `exactOutputs` the exact number
  const char* inputsMessage;
  const char* outputsMessage;
  bool exactOutputs = false;
};
// The input count first; only when it is right, the output count.
void checkCounts(Plugin plugin, int nlhs, int nrhs, const Counts& counts);

// Real 2-D double: class double, not complex, exactly two dimensions.
bool isRealDouble2D(const mxArray* array);

// A data input read through its doubles must be a dense real double array;
// anything else would be read as foreign bytes. `index` is 1-based.
void requireRealDouble(Plugin plugin, const mxArray* array, int index, const char* name);

// The array holds at least `count` elements.
void requireElements(Plugin plugin, const mxArray* array, int index, const char* name,
                     double count);

// The first element as a double, for an array that has a readable first element:
// numeric, logical or char, dense and not empty.
double readScalar(Plugin plugin, const mxArray* array, int index, const char* name);

// The first element truncated toward zero to a signed 32-bit integer; NaN or a
// value whose truncation leaves that range is an error, since the conversion
// would be undefined.
std::int32_t readInt32(Plugin plugin, const mxArray* array, int index, const char* name);

// A count or size read from input `index` must not be negative.
void requireNonNegative(Plugin plugin, std::int32_t value, int index, const char* name);

// A number as the host prints it: NaN, Inf, -Inf, or the shortest exact digits.
struct NumberText {
  char text[32];
};
NumberText numberText(double value);

// Largest element count the host can create, and that a byte count can hold.
double maxElements();

// A real rows x cols matrix of zeros. Negative sizes, or more elements than the
// host can hold, are an error raised before anything is created.
mxArray* createZeroMatrix(Plugin plugin, double rows, double cols);

// The data pointer of an array already known to be a dense real double array.
inline double* dataOf(const mxArray* array) { return mxGetPr(array); }

}  // namespace winscore::hostif

#endif
