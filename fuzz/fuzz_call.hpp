// SPDX-License-Identifier: MIT
// Decodes fuzz bytes into one gateway call through the test host and runs it.
#ifndef WINSCORE_FUZZ_CALL_HPP
#define WINSCORE_FUZZ_CALL_HPP

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "testhost.hpp"

namespace winscore::fuzz {

using testhost::Array;
using testhost::ArrayClass;

// Values that exercise every bound: specials, integers around the valid
// ranges, fractions, and values whose truncation leaves 32 bits.
inline double decodeValue(FuzzedDataProvider& data) {
  static const double kSpecial[] = {NAN, INFINITY, -INFINITY, -0.0, 0.5, 2.9, -0.4, 1e300, -1e300,
                                    2147483647.0, 2147483648.0, -2147483648.0, -2147483649.0,
                                    3e9, 65536.0, 46341.0, 1e-300, 100000.0, 99999.0};
  switch (data.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
      return kSpecial[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kSpecial) - 1)];
    case 1:
      return data.ConsumeFloatingPoint<double>();
    case 2:
      return data.ConsumeIntegralInRange<int>(-3, 3) + 0.25 * data.ConsumeIntegralInRange<int>(0, 3);
    default:
      return data.ConsumeIntegralInRange<int>(-2, 24);
  }
}

// One input array. Mostly real double matrices of small sizes; sometimes other
// classes, complex, sparse, 3-D, empty, or long arrays filled from a repeated
// pattern (the window lists need 100000 elements).
inline Array decodeArray(FuzzedDataProvider& data) {
  const int kind = data.ConsumeIntegralInRange<int>(0, 15);
  ArrayClass arrayClass = ArrayClass::Double;
  bool complex = false, sparse = false;
  std::vector<std::size_t> dims;
  if (kind == 0) {
    static const ArrayClass kClasses[] = {ArrayClass::Single, ArrayClass::Int32, ArrayClass::Uint8,
                                          ArrayClass::Logical, ArrayClass::Char, ArrayClass::Cell,
                                          ArrayClass::Struct, ArrayClass::FunctionHandle};
    arrayClass = kClasses[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kClasses) - 1)];
  }
  if (kind == 1) complex = true;
  if (kind == 2) sparse = true;
  if (kind == 3) {
    dims = {data.ConsumeIntegralInRange<std::size_t>(0, 3), data.ConsumeIntegralInRange<std::size_t>(0, 3),
            data.ConsumeIntegralInRange<std::size_t>(0, 3)};
  } else if (kind == 4) {
    dims = {data.ConsumeIntegralInRange<std::size_t>(99990, 100001), 1};
  } else if (kind <= 7) {
    dims = {1, 1};
  } else {
    dims = {data.ConsumeIntegralInRange<std::size_t>(0, 9), data.ConsumeIntegralInRange<std::size_t>(0, 9)};
  }
  std::size_t count = 1;
  for (std::size_t d : dims) count *= d;
  std::vector<double> pattern;
  const std::size_t patternLength = std::min<std::size_t>(count, 64);
  for (std::size_t i = 0; i < patternLength && data.remaining_bytes() > 0; ++i)
    pattern.push_back(decodeValue(data));
  if (pattern.empty()) pattern.push_back(1.0);
  std::vector<double> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = pattern[i % pattern.size()];
  return testhost::makeArray(arrayClass, dims, complex, sparse, std::move(values));
}

// The output check of one plug-in: given the inputs and the returned outputs,
// false when an output has a shape or content the documentation rules out.
using OutputCheck = bool (*)(const std::vector<const mxArray*>& inputs,
                             const std::vector<Array>& outputs, int nlhs);

// Whether a decoded call is cheap enough to run: some valid calls cost
// c x 100000 or n x L steps by design, far beyond a fuzzer's time per input.
using WorkBound = bool (*)(const std::vector<const mxArray*>& inputs);
inline bool anyWork(const std::vector<const mxArray*>&) { return true; }

// Rebuilds some inputs of a call with the full input count so that they agree
// with one another (an integral histogram of the size the scalars give, window
// lists of the fixed length): independent random arrays almost never do, and
// the paths past the size checks would stay unreached. It decides from the
// fuzz bytes whether to rebuild at all.
using Completion = void (*)(FuzzedDataProvider& data, std::vector<Array>& inputs);

// A dense real double array of the given dimensions, filled cyclically from a
// pattern of up to 64 values: mostly whole numbers in lo..hi, now and then one
// of the values of decodeValue (NaN, fractions, huge ones).
inline Array decodeFilled(FuzzedDataProvider& data, std::vector<std::size_t> dims, int lo, int hi) {
  std::size_t count = 1;
  for (std::size_t d : dims) count *= d;
  std::vector<double> pattern;
  const std::size_t patternLength = std::min<std::size_t>(count, 64);
  for (std::size_t i = 0; i < patternLength && data.remaining_bytes() > 0; ++i)
    pattern.push_back(data.ConsumeIntegralInRange<int>(0, 15) == 0
                          ? decodeValue(data)
                          : data.ConsumeIntegralInRange<int>(lo, hi));
  if (pattern.empty()) pattern.push_back(lo);
  std::vector<double> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = pattern[i % pattern.size()];
  return testhost::makeArray(ArrayClass::Double, std::move(dims), false, false, std::move(values));
}

// The first element of a dense real double input when it is a whole number in
// lo..hi: the sizes a completion can build arrays for.
inline bool wholeIn(const mxArray* array, double lo, double hi, int* value) {
  if (!mxIsDouble(array) || mxIsComplex(array) || mxIsSparse(array) ||
      mxGetNumberOfElements(array) == 0)
    return false;
  const double v = std::trunc(testhost::valuesOf(array)[0]);
  if (!(v >= lo && v <= hi)) return false;
  *value = static_cast<int>(v);
  return true;
}

// Runs one decoded call. The host's error call ends a call as designed; a
// misuse of the host API, or outputs the check refuses, end the process.
inline void runCall(const std::uint8_t* bytes, std::size_t size, int inputCount,
                    OutputCheck check, WorkBound admit = anyWork, Completion complete = nullptr) {
  FuzzedDataProvider data(bytes, size);
  testhost::setAllocationCap(std::size_t{512} << 20);
  const int nrhs = data.ConsumeBool() ? inputCount : data.ConsumeIntegralInRange<int>(0, inputCount + 1);
  // Output counts the plug-ins accept are common, so calls get past the count check.
  static const int kTypicalOutputs[] = {0, 1, 2, 5};
  const int nlhs = data.ConsumeBool() ? kTypicalOutputs[data.ConsumeIntegralInRange<int>(0, 3)]
                                      : data.ConsumeIntegralInRange<int>(0, 6);
  std::vector<Array> owned;
  for (int k = 0; k < nrhs; ++k) owned.push_back(decodeArray(data));
  if (complete && nrhs == inputCount) complete(data, owned);
  std::vector<const mxArray*> inputs;
  for (const Array& array : owned) inputs.push_back(array.get());
  if (!admit(inputs)) return;
  try {
    testhost::CallResult result = testhost::call(nlhs, inputs);
    if (!check(inputs, result.outputs, nlhs)) {
      std::fprintf(stderr, "outputs of the wrong shape or content\n");
      std::abort();
    }
  } catch (const testhost::HostError&) {
    // A clear error: the designed end of a bad call.
  } catch (const testhost::AllocationCapExceeded&) {
    // The real host answers an output it cannot hold with its out-of-memory error.
  }
}

inline double truncOf(const mxArray* array) { return std::trunc(testhost::valuesOf(array)[0]); }

// The first element of an input as the plug-in reads it, or 0 where it has none.
inline double firstOf(const mxArray* array) {
  const auto values = testhost::valuesOf(array);
  return values.empty() ? 0.0 : values[0];
}

inline bool hasDims(const Array& array, double rows, double cols) {
  if (!array) return false;
  const auto dims = testhost::dimsOf(array.get());
  return dims.size() == 2 && static_cast<double>(dims[0]) == rows &&
         static_cast<double>(dims[1]) == cols;
}

}  // namespace winscore::fuzz

#endif
