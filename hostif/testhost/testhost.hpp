// SPDX-License-Identifier: MIT
// In-process test host: builds host arrays and calls a gateway the way the host does.
#ifndef WINSCORE_TESTHOST_HPP
#define WINSCORE_TESTHOST_HPP

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "mex.h"

namespace winscore::testhost {

enum class ArrayClass {
  Double, Single, Int32, Uint8, Logical, Char, Cell, Struct, FunctionHandle,
  Int8, Int16, Uint16, Uint32, Int64, Uint64
};

// What the host's error call raises: the exact message and the identifier
// (empty for mexErrMsgTxt).
struct HostError : std::runtime_error {
  HostError(const std::string& message, std::string identifier)
      : std::runtime_error(message), identifier(std::move(identifier)) {}
  std::string identifier;
};

// A use of the host API that would crash or misbehave in a real host
// (mxGetPr on a foreign class, mxGetScalar on an empty array, ...).
struct HostMisuse : std::logic_error {
  using std::logic_error::logic_error;
};

// A create call beyond the byte cap set with setAllocationCap.
struct AllocationCapExceeded : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct ArrayDeleter {
  void operator()(mxArray* array) const;
};
using Array = std::unique_ptr<mxArray, ArrayDeleter>;

// Real double matrix, column-major values (missing values are 0).
Array matrix(std::size_t rows, std::size_t cols, std::initializer_list<double> values = {});
Array matrix(std::size_t rows, std::size_t cols, const std::vector<double>& values);
Array row(const std::vector<double>& values);
Array scalar(double value);
// Any array the host can hold: class, dimensions, complexity, sparsity.
Array makeArray(ArrayClass arrayClass, std::vector<std::size_t> dims, bool complex = false,
                bool sparse = false, std::vector<double> values = {});

std::vector<std::size_t> dimsOf(const mxArray* array);
std::vector<double> valuesOf(const mxArray* array);
// A char row array holding `text`.
Array text(const char* text);

// Every array the gateway creates and does not leave in an output slot is freed
// when the call ends, whether it returns or raises.
struct CallResult {
  std::vector<Array> outputs;  // max(nlhs, 1) slots; empty slots hold nullptr
};
CallResult call(int nlhs, const std::vector<const mxArray*>& inputs);

template <typename... A>
CallResult call(int nlhs, const A&... inputs) {
  return call(nlhs, std::vector<const mxArray*>{inputs.get()...});
}

// Bytes the create call may hand out in one call; 0 means no cap.
void setAllocationCap(std::size_t bytes);
std::size_t liveArrays();

}  // namespace winscore::testhost

#endif
