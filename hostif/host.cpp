// SPDX-License-Identifier: MIT
// The shared host operations and the one formatter of every message.
#include "host.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace winscore::hostif {
namespace {

namespace shared = messages::any;

// Static, so nothing needs destroying when the host's error call leaves the frame.
char g_identifier[128];
char g_message[1024];

void copyText(char* to, std::size_t size, const char* from) {
  std::snprintf(to, size, "%s", from);
}

// A number as the host prints it: NaN, Inf, -Inf, or the shortest exact digits.
void printNumber(char* to, std::size_t size, double value) {
  if (std::isnan(value)) {
    copyText(to, size, "NaN");
  } else if (std::isinf(value)) {
    copyText(to, size, value > 0 ? "Inf" : "-Inf");
  } else if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0) {
    std::snprintf(to, size, "%.0f", value);
  } else {
    for (int digits = 1; digits <= 17; ++digits) {
      std::snprintf(to, size, "%.*g", digits, value);
      if (std::strtod(to, nullptr) == value) break;
    }
  }
}

// The class of an array as a message names it: "int32", "sparse double",
// "complex single", ...
struct ClassText {
  char text[64];
};
ClassText classText(const mxArray* array) {
  ClassText out{};
  const char* form = mxIsSparse(array) ? "sparse " : mxIsComplex(array) ? "complex " : "";
  std::snprintf(out.text, sizeof out.text, "%s%s", form, mxGetClassName(array));
  return out;
}

// Largest element count the host can create, and that a byte count can hold.
double maxElements() {
  constexpr double bytesLimit =
      static_cast<double>(std::numeric_limits<std::ptrdiff_t>::max() / sizeof(double));
  const double sizeLimit = static_cast<double>(std::numeric_limits<mwSize>::max());
  return sizeLimit < bytesLimit ? sizeLimit : bytesLimit;
}

}  // namespace

Arg::Arg(const char* text) { copyText(text_, sizeof text_, text); }
Arg::Arg(double number) { printNumber(text_, sizeof text_, number); }
Arg::Arg(Input input) {
  std::snprintf(text_, sizeof text_, "input %d (%s)", input.number(), input.name);
}

const char* formatMessage(const Message& message, const Arg* values, std::size_t count) {
  const Arg* value = values;
  const Arg* const end = values + count;
  std::size_t length = 0;
  auto append = [&](const char* text, std::size_t count) {
    count = std::min(count, sizeof g_message - 1 - length);
    std::memcpy(g_message + length, text, count);
    length += count;
  };
  for (const char* at = message.text; *at != '\0';) {
    const char* hole = std::strstr(at, "{}");
    if (hole == nullptr) {
      append(at, std::strlen(at));
      break;
    }
    append(at, static_cast<std::size_t>(hole - at));
    if (value != end) {
      append(value->text(), std::strlen(value->text()));
      ++value;
    }
    at = hole + 2;
  }
  g_message[length] = '\0';
  return g_message;
}

void Call::raise(const Message& message, const Arg* values, std::size_t count) const {
  std::snprintf(g_identifier, sizeof g_identifier, "winscore:%s:%s", plugin_.name, message.fault);
  mexErrMsgIdAndTxt(g_identifier, "%s", formatMessage(message, values, count));
  std::abort();  // not reached: the error call does not return
}

void Call::checkCounts(int nlhs, int nrhs, const Counts& counts) const {
  if (nrhs != counts.inputs) fail(counts.inputsMessage);
  const bool outputsWrong =
      counts.exactOutputs ? nlhs != counts.outputs : nlhs > counts.outputs;
  if (outputsWrong) fail(counts.outputsMessage);
}

bool Call::isRealDouble2D(Input input) const {
  const mxArray* array = handle(input);
  return mxIsDouble(array) && !mxIsComplex(array) && mxGetNumberOfDimensions(array) == 2;
}

void Call::requireRealDoubleMatrix(Input input, const MessageWith<0>& message) const {
  if (!isRealDouble2D(input)) fail(message);
  requireRealDouble(input);
}

void Call::requireRealDouble(Input input) const {
  const mxArray* array = handle(input);
  if (mxIsDouble(array) && !mxIsComplex(array) && !mxIsSparse(array)) return;
  // Arrays that hold numbers convert: other classes with double, sparse ones with full.
  char advice[96] = "";
  const bool convertible = mxIsNumeric(array) || mxIsLogical(array) || mxIsChar(array);
  if (convertible && !mxIsComplex(array)) {
    char dense[48];
    std::snprintf(dense, sizeof dense, mxIsDouble(array) ? "%s" : "double(%s)", input.name);
    std::snprintf(advice, sizeof advice, mxIsSparse(array) ? "; convert it with full(%s)"
                                                           : "; convert it with %s", dense);
  }
  fail(shared::notRealDouble, {input, classText(array).text, advice});
}

void Call::requireElements(Input input, double count) const {
  const double held = elements(input);
  if (held >= count) return;
  fail(shared::tooFewElements, {input, count, count == 1 ? "element" : "elements", held});
}

const double* Call::readData(Input input) const {
  requireRealDouble(input);
  return mxGetPr(handle(input));
}

const double* Call::readData(Input input, double count) const {
  requireRealDouble(input);
  requireElements(input, count);
  return mxGetPr(handle(input));
}

double Call::readScalar(Input input) const {
  const mxArray* array = handle(input);
  const bool readable = mxIsNumeric(array) || mxIsLogical(array) || mxIsChar(array);
  if (readable && !mxIsSparse(array) && mxGetNumberOfElements(array) > 0)
    return mxGetScalar(array);
  fail(shared::notScalar, {input});
}

std::int32_t Call::readInt32(Input input) const {
  const double value = std::trunc(readScalar(input));
  // Bounds in doubles: both are exact, and NaN fails both tests.
  if (value >= -2147483648.0 && value <= 2147483647.0) return static_cast<std::int32_t>(value);
  fail(shared::notInt32, {input});
}

void Call::requireNonNegative(std::int32_t value, Input input) const {
  if (value < 0) fail(shared::negative, {input, static_cast<double>(value)});
}

double Call::rows(Input input) const { return static_cast<double>(mxGetM(handle(input))); }
double Call::columns(Input input) const { return static_cast<double>(mxGetN(handle(input))); }
double Call::elements(Input input) const {
  return static_cast<double>(mxGetNumberOfElements(handle(input)));
}

Output Call::createZeroMatrix(double rows, double cols) const {
  if (!(rows >= 0 && cols >= 0)) fail(shared::negativeSize, {rows, cols});
  if (rows > maxElements() || cols > maxElements() || rows * cols > maxElements())
    fail(shared::outputTooLarge, {rows, cols});
  mxArray* created =
      mxCreateDoubleMatrix(static_cast<mwSize>(rows), static_cast<mwSize>(cols), mxREAL);
  return {created, mxGetPr(created)};
}

}  // namespace winscore::hostif
