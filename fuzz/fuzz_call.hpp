// SPDX-License-Identifier: MIT
// Decodes fuzz bytes into one gateway call through the test host and runs it.
#ifndef WINSCORE_FUZZ_CALL_HPP
#define WINSCORE_FUZZ_CALL_HPP

#include <fuzzer/FuzzedDataProvider.h>

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

// Runs one decoded call. The host's error call ends a call as designed; a
// misuse of the host API, or outputs the check refuses, end the process.
inline void runCall(const std::uint8_t* bytes, std::size_t size, int inputCount,
                    OutputCheck check, WorkBound admit = anyWork) {
  FuzzedDataProvider data(bytes, size);
  testhost::setAllocationCap(std::size_t{512} << 20);
  const int nrhs = data.ConsumeBool() ? inputCount : data.ConsumeIntegralInRange<int>(0, inputCount + 1);
  const int nlhs = data.ConsumeIntegralInRange<int>(0, 6);
  std::vector<Array> owned;
  std::vector<const mxArray*> inputs;
  for (int k = 0; k < nrhs; ++k) {
    owned.push_back(decodeArray(data));
    inputs.push_back(owned.back().get());
  }
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
