// SPDX-License-Identifier: MIT
// Fuzzes the drawweighted gateway: an error, or a 1 x n row of indices in 1..L.
#include "fuzz_call.hpp"

namespace {

using winscore::fuzz::Array;

bool checkOutputs(const std::vector<const mxArray*>& in, const std::vector<Array>& out, int) {
  const double n = winscore::fuzz::truncOf(in[1]);
  if (!winscore::fuzz::hasDims(out[0], 1, n)) return false;
  const double length = static_cast<double>(mxGetNumberOfElements(in[0]));
  for (double index : winscore::testhost::valuesOf(out[0].get()))
    if (!(index >= 1 && index <= length && index == std::trunc(index))) return false;
  return true;
}

// Without replacement each draw rebuilds L cumulative scores.
bool cheapEnough(const std::vector<const mxArray*>& in) {
  if (in.size() != 3) return true;
  const double n = std::fabs(winscore::fuzz::firstOf(in[1]));
  return !(n > 2000) || n * static_cast<double>(mxGetNumberOfElements(in[0])) < 2e7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 3, checkOutputs, cheapEnough);
  return 0;
}
