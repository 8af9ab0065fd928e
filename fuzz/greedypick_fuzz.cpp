// SPDX-License-Identifier: MIT
// Fuzzes the greedypick gateway: an error, or c increasing 0-based positions
// padded with -1, no two of them overlapping by more than half, and a 0/1
// marker vector, set up to the last kept position, when asked for.
#include <algorithm>

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
  // No kept window overlaps an earlier kept one by more than half; the first
  // window is always kept.
  const auto kept = winscore::testhost::valuesOf(out[0].get());
  if (c >= 1 && kept[0] != 0) return false;
  const double* area = mxGetPr(in[0]);
  const double *x0 = mxGetPr(in[2]), *y0 = mxGetPr(in[3]), *x1 = mxGetPr(in[4]), *y1 = mxGetPr(in[5]);
  for (std::size_t a = 0; a < kept.size() && kept[a] >= 0; ++a)
    for (std::size_t b = a + 1; b < kept.size() && kept[b] >= 0; ++b) {
      const auto i = static_cast<std::size_t>(kept[a]), j = static_cast<std::size_t>(kept[b]);
      // A NaN bound means no overlap, whichever window holds it.
      const double iw = (std::min(x1[i], x1[j]) - std::max(x0[i], x0[j])) + 1;
      const double ih = (std::min(y1[i], y1[j]) - std::max(y0[i], y0[j])) + 1;
      const bool anyNaN = std::isnan(x0[i] + x1[i] + y0[i] + y1[i] + x0[j] + x1[j] + y0[j] + y1[j]);
      if (anyNaN || !(iw > 0) || !(ih > 0)) continue;
      const double inter = ih * iw;
      if (inter / ((area[i] + area[j]) - inter) > 0.5) return false;
    }
  if (nlhs < 2) return true;
  if (!winscore::fuzz::hasDims(out[1], 100000, 1)) return false;
  const auto marker = winscore::testhost::valuesOf(out[1].get());
  for (double m : marker)
    if (m != 0.0 && m != 1.0) return false;
  // Every position up to the last kept one was kept or suppressed.
  if (c >= 1 && previous >= 0)
    for (std::size_t p = 0; p <= static_cast<std::size_t>(previous); ++p)
      if (marker[p] != 1.0) return false;
  return true;
}

// Five lists of the fixed length from a cycle of up to 64 small windows, so
// that overlaps are common; now and then one list is one element short, or an
// area or a coordinate is a special value.
void complete(FuzzedDataProvider& data, std::vector<Array>& in) {
  if (!data.ConsumeBool()) return;
  const int windows = data.ConsumeIntegralInRange<int>(1, 64);
  std::vector<double> cycle[5];
  for (int w = 0; w < windows; ++w) {
    const double x0 = data.ConsumeIntegralInRange<int>(1, 12), y0 = data.ConsumeIntegralInRange<int>(1, 12);
    const double x1 = x0 + data.ConsumeIntegralInRange<int>(-1, 8);
    const double y1 = y0 + data.ConsumeIntegralInRange<int>(-1, 8);
    double area = (x1 - x0 + 1) * (y1 - y0 + 1);
    if (data.ConsumeIntegralInRange<int>(0, 15) == 0) area = winscore::fuzz::decodeValue(data);
    const double values[5] = {area, x0, y0, x1, y1};
    for (int k = 0; k < 5; ++k) cycle[k].push_back(values[k]);
  }
  if (data.ConsumeIntegralInRange<int>(0, 15) == 0)
    cycle[data.ConsumeIntegralInRange<int>(0, 4)][0] = winscore::fuzz::decodeValue(data);
  const int shortList = data.ConsumeIntegralInRange<int>(0, 40);
  const int slots[5] = {0, 2, 3, 4, 5};
  for (int k = 0; k < 5; ++k) {
    std::vector<double> list(shortList == k ? 99999 : 100000);
    for (std::size_t p = 0; p < list.size(); ++p) list[p] = cycle[k][p % cycle[k].size()];
    in[slots[k]] = winscore::testhost::matrix(list.size(), 1, list);
  }
}

// Each kept window is compared with every later position: keep c small.
bool cheapEnough(const std::vector<const mxArray*>& in) {
  return in.size() != 7 || !(std::fabs(winscore::fuzz::firstOf(in[6])) > 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 7, checkOutputs, cheapEnough, complete);
  return 0;
}
