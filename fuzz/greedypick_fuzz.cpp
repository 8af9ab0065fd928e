// SPDX-License-Identifier: MIT
// Fuzzes the greedypick gateway: an error, or c increasing 0-based positions
// padded with -1, and a 0/1 marker vector when asked for.
#include "fuzz_call.hpp"

namespace {

using winscore::fuzz::Array;

bool checkOutputs(const std::vector<const mxArray*>& in, const std::vector<Array>& out, int nlhs) {
  const double c = winscore::fuzz::truncOf(in[6]);
  if (!winscore::fuzz::hasDims(out[0], c, 1)) return false;
  double previous = -1;
  bool padding = false;
  for (double p : winscore::testhost::valuesOf(out[0].get())) {
    if (p == -1) {
      padding = true;
    } else if (padding || !(p > previous && p <= 99999 && p == std::trunc(p))) {
      return false;
    } else {
      previous = p;
    }
  }
  if (nlhs < 2) return true;
  if (!winscore::fuzz::hasDims(out[1], 100000, 1)) return false;
  for (double m : winscore::testhost::valuesOf(out[1].get()))
    if (m != 0.0 && m != 1.0) return false;
  return true;
}

// Each kept window is compared with every later position: keep c small.
bool cheapEnough(const std::vector<const mxArray*>& in) {
  return in.size() != 7 || !(std::fabs(winscore::fuzz::firstOf(in[6])) > 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 7, checkOutputs, cheapEnough);
  return 0;
}
