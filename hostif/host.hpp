// SPDX-License-Identifier: MIT
// The host operations every gateway shares: count checks, input tests, scalar
// reads and output creation. Each error names the plug-in, the input and the fault.
#ifndef WINSCORE_HOSTIF_HOST_HPP
#define WINSCORE_HOSTIF_HOST_HPP

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "messages.hpp"
#include "mex.h"

namespace winscore::hostif {

// Identifies the plug-in in error identifiers, "winscore:<plugin>:<fault>".
struct Plugin {
  const char* name;
};

// One input of a plug-in: its slot in the input array and its name. Messages
// name it "input <slot + 1> (<name>)".
struct Input {
  int slot;
  const char* name;
  constexpr int number() const { return slot + 1; }
};

// One value a message names, as text: a word, a number as the host prints it
// (NaN, Inf, -Inf, or the shortest exact digits), or an input as
// "input 2 (numberRows)".
class Arg {
 public:
  Arg(const char* text);
  Arg(double number);
  template <typename Integer, typename = std::enable_if_t<std::is_integral_v<Integer>>>
  Arg(Integer number) : Arg(static_cast<double>(number)) {}
  Arg(Input input);
  const char* text() const { return text_; }

 private:
  char text_[64];
};

// The message's text with each {} replaced by the next value, in a buffer that
// the next call overwrites. A {} without a value is left empty.
const char* formatMessage(const Message& message, const Arg* values, std::size_t count);
inline const char* formatMessage(const Message& message, std::initializer_list<Arg> values = {}) {
  return formatMessage(message, values.begin(), values.size());
}

struct Counts {
  int inputs;   // the fixed number of inputs
  int outputs;  // the maximum, or with `exactOutputs` the exact number
  const MessageWith<0>& inputsMessage;
  const MessageWith<0>& outputsMessage;
  bool exactOutputs = false;
};

// A real matrix the call created: the array to hand back, and its data.
struct Output {
  mxArray* array;
  double* data;
};

// The inputs of one call to one plug-in, read and tested on its behalf.
class Call {
 public:
  Call(Plugin plugin, const mxArray* const* prhs) : plugin_(plugin), prhs_(prhs) {}

  // Ends the call through the host's error call, with the identifier
  // "winscore:<plugin>:<fault>" and the text, each {} filled with one of
  // `values` in order: exactly as many values as the text has {}.
  [[noreturn]] void fail(const MessageWith<0>& message) const { raise(message, nullptr, 0); }
  template <std::size_t Slots>
  [[noreturn]] void fail(const MessageWith<Slots>& message, const Arg (&values)[Slots]) const {
    raise(message, values, Slots);
  }

  // The input count first; only when it is right, the output count.
  void checkCounts(int nlhs, int nrhs, const Counts& counts) const;

  // Real 2-D double: class double, not complex, exactly two dimensions.
  bool isRealDouble2D(Input input) const;

  // The input-1 test: a real 2-D double, or the plug-in's own `message`; then,
  // since its data is read, dense.
  void requireRealDoubleMatrix(Input input, const MessageWith<0>& message) const;

  // The sizes of an input as the host gives them: rows, columns (every
  // dimension after the first), elements.
  double rows(Input input) const;
  double columns(Input input) const;
  double elements(Input input) const;

  // A data input read through its doubles must be a dense real double array;
  // anything else would be read as foreign bytes.
  void requireRealDouble(Input input) const;

  // The input holds at least `count` elements.
  void requireElements(Input input, double count) const;

  // The data of a dense real double input, after its test.
  const double* readData(Input input) const;
  // As readData, for an input that must hold at least `count` elements.
  const double* readData(Input input, double count) const;

  // The first element as a double, for an array that has a readable first
  // element: numeric, logical or char, dense and not empty.
  double readScalar(Input input) const;

  // The first element truncated toward zero to a signed 32-bit integer; NaN or a
  // value whose truncation leaves that range is an error, since the conversion
  // would be undefined.
  std::int32_t readInt32(Input input) const;

  // A count or size read from `input` must not be negative.
  void requireNonNegative(std::int32_t value, Input input) const;

  // A real rows x cols matrix of zeros. Negative sizes, or more elements than the
  // host can hold, are an error raised before anything is created.
  Output createZeroMatrix(double rows, double cols) const;

 private:
  [[noreturn]] void raise(const Message& message, const Arg* values, std::size_t count) const;
  const mxArray* handle(Input input) const { return prhs_[input.slot]; }

  Plugin plugin_;
  const mxArray* const* prhs_;
};

}  // namespace winscore::hostif

#endif
