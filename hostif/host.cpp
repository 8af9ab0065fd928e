// SPDX-License-Identifier: MIT
// The shared host operations.
#include "host.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

#ifdef MATLAB_MEX_FILE
extern "C" void mxErrMsgTxt(const char* message);
#endif

namespace winscore::hostif {
namespace {

// Static, so nothing needs destroying when the host's error call leaves the frame.
char g_identifier[128];
char g_message[512];

const char* ordinal(int index) {
  static const char* const names[] = {"input 0", "input 1", "input 2", "input 3",
                                      "input 4", "input 5", "input 6", "input 7",
                                      "input 8", "input 9", "input 10"};
  return (index >= 0 && index <= 10) ? names[index] : "input";
}

}  // namespace

void fail(Plugin plugin, const char* what, const char* message) {
  std::snprintf(g_identifier, sizeof g_identifier, "winscore:%s:%s", plugin.name, what);
  mexErrMsgIdAndTxt(g_identifier, "%s", message);
  std::abort();  // not reached: the error call does not return
}

void failThroughArrayLibrary(Plugin plugin, const char* what, const char* message) {
#if defined(MATLAB_MEX_FILE) || defined(WINSCORE_TEST_HOST)
  mxErrMsgTxt(message);
#endif
  fail(plugin, what, message);
}

void checkCounts(Plugin plugin, int nlhs, int nrhs, const Counts& counts) {
  if (nrhs != counts.inputs) fail(plugin, "inputCount", counts.inputsMessage);
  const bool outputsWrong =
      counts.exactOutputs ? nlhs != counts.outputs : nlhs > counts.outputs;
  if (outputsWrong) fail(plugin, "outputCount", counts.outputsMessage);
}

bool isRealDouble2D(const mxArray* array) {
  return mxIsDouble(array) && !mxIsComplex(array) && mxGetNumberOfDimensions(array) == 2;
}

void requireRealDouble(Plugin plugin, const mxArray* array, int index, const char* name) {
  if (mxIsDouble(array) && !mxIsComplex(array) && !mxIsSparse(array)) return;
  std::snprintf(g_message, sizeof g_message, "%s (%s) must be a real double array, not sparse",
                ordinal(index), name);
  fail(plugin, "notRealDouble", g_message);
}

void requireElements(Plugin plugin, const mxArray* array, int index, const char* name,
                     double count) {
  if (static_cast<double>(mxGetNumberOfElements(array)) >= count) return;
  std::snprintf(g_message, sizeof g_message, "%s (%s) must hold at least %s %s, not %s",
                ordinal(index), name, numberText(count).text, count == 1 ? "element" : "elements",
                numberText(static_cast<double>(mxGetNumberOfElements(array))).text);
  fail(plugin, "tooFewElements", g_message);
}

double readScalar(Plugin plugin, const mxArray* array, int index, const char* name) {
  const bool readable = mxIsNumeric(array) || mxIsLogical(array) || mxIsChar(array);
  if (readable && !mxIsSparse(array) && mxGetNumberOfElements(array) > 0)
    return mxGetScalar(array);
  std::snprintf(g_message, sizeof g_message,
                "%s (%s) must be a non-empty, non-sparse numeric array", ordinal(index), name);
  fail(plugin, "notScalar", g_message);
}

std::int32_t readInt32(Plugin plugin, const mxArray* array, int index, const char* name) {
  const double value = std::trunc(readScalar(plugin, array, index, name));
  // Bounds in doubles: both are exact, and NaN fails both tests.
  if (value >= -2147483648.0 && value <= 2147483647.0) return static_cast<std::int32_t>(value);
  std::snprintf(g_message, sizeof g_message,
                "%s (%s) must be a number whose integer part fits a signed 32-bit integer",
                ordinal(index), name);
  fail(plugin, "notInt32", g_message);
}

void requireNonNegative(Plugin plugin, std::int32_t value, int index, const char* name) {
  if (value >= 0) return;
  std::snprintf(g_message, sizeof g_message, "%s (%s) must not be negative, not %d",
                ordinal(index), name, static_cast<int>(value));
  fail(plugin, "negative", g_message);
}

NumberText numberText(double value) {
  NumberText out{};
  if (std::isnan(value)) {
    std::snprintf(out.text, sizeof out.text, "NaN");
  } else if (std::isinf(value)) {
    std::snprintf(out.text, sizeof out.text, value > 0 ? "Inf" : "-Inf");
  } else if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0) {
    std::snprintf(out.text, sizeof out.text, "%.0f", value);
  } else {
    for (int digits = 1; digits <= 17; ++digits) {
      std::snprintf(out.text, sizeof out.text, "%.*g", digits, value);
      if (std::strtod(out.text, nullptr) == value) break;
    }
  }
  return out;
}

double maxElements() {
  constexpr double bytesLimit =
      static_cast<double>(std::numeric_limits<std::ptrdiff_t>::max() / sizeof(double));
  const double sizeLimit = static_cast<double>(std::numeric_limits<mwSize>::max());
  return sizeLimit < bytesLimit ? sizeLimit : bytesLimit;
}

mxArray* createZeroMatrix(Plugin plugin, double rows, double cols) {
  if (!(rows >= 0 && cols >= 0)) {
    std::snprintf(g_message, sizeof g_message,
                  "output size %s x %s is negative", numberText(rows).text,
                  numberText(cols).text);
    fail(plugin, "negativeSize", g_message);
  }
  if (rows > maxElements() || cols > maxElements() || rows * cols > maxElements()) {
    std::snprintf(g_message, sizeof g_message,
                  "output size %s x %s is more elements than the host can hold",
                  numberText(rows).text, numberText(cols).text);
    fail(plugin, "outputTooLarge", g_message);
  }
  return mxCreateDoubleMatrix(static_cast<mwSize>(rows), static_cast<mwSize>(cols), mxREAL);
}

}  // namespace winscore::hostif
