// SPDX-License-Identifier: MIT
// Fuzzes the gridsweep gateway: an error, or an n^2 x n^2 matrix holding each
// scored window's score and 0 everywhere else.
#include <algorithm>
#include <cstring>

#include "fuzz_call.hpp"

namespace {

using winscore::fuzz::Array;

// Integral images of exactly (n+1)^2 elements, as a square or as one row, so
// that calls get past the size test; values mostly small whole numbers.
void complete(FuzzedDataProvider& data, std::vector<Array>& in) {
  int n;
  if (!data.ConsumeBool() || !winscore::fuzz::wholeIn(in[1].get(), 1, 24, &n)) return;
  const std::size_t side = static_cast<std::size_t>(n) + 1;
  for (int k : {5, 6}) {
    std::vector<std::size_t> dims = {side, side};
    if (data.ConsumeIntegralInRange<int>(0, 3) == 0) dims = {1, side * side};
    in[k] = winscore::fuzz::decodeFilled(data, dims, -3, 40);
  }
}

bool sameBits(double a, double b) {
  if (std::isnan(a) && std::isnan(b)) return true;
  std::uint64_t x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

// Every element against the window it stands for, from the definition.
bool checkOutputs(const std::vector<const mxArray*>& in, const std::vector<Array>& out, int) {
  const double n = winscore::fuzz::truncOf(in[1]);
  if (!winscore::fuzz::hasDims(out[0], n * n, n * n)) return false;
  const auto scores = winscore::testhost::valuesOf(out[0].get());
  if (n <= 0) {
    for (double v : scores)
      if (!sameBits(v, 0.0)) return false;
    return true;
  }
  const long g = static_cast<long>(n), stride = g + 1;
  const double minWidth = std::max(1.0, winscore::fuzz::truncOf(in[2]));
  const double minHeight = std::max(1.0, winscore::fuzz::truncOf(in[3]));
  const double* a = mxGetPr(in[5]);
  const double* b = mxGetPr(in[6]);
  auto sum = [stride](const double* t, long x0, long y0, long x1, long y1) {
    return ((t[(y0 - 1) + (x0 - 1) * stride] + t[y1 + x1 * stride]) - t[(y0 - 1) + x1 * stride]) -
           t[y1 + (x0 - 1) * stride];
  };
  std::size_t e = 0;
  for (long y1 = 1; y1 <= g; ++y1)
    for (long x1 = 1; x1 <= g; ++x1)
      for (long y0 = 1; y0 <= g; ++y0)
        for (long x0 = 1; x0 <= g; ++x0, ++e) {
          double expected = 0.0;
          if (x1 - x0 + 1 >= minWidth && y1 - y0 + 1 >= minHeight)
            expected = (sum(a, x0, y0, x1, y1) * sum(b, x0, y0, x1, y1)) /
                       static_cast<double>((x1 - x0 + 1) * (y1 - y0 + 1));
          if (!sameBits(scores[e], expected)) return false;
        }
  return true;
}

// The output has n^4 elements: keep n small, except where the size is refused early.
bool cheapEnough(const std::vector<const mxArray*>& in) {
  if (in.size() != 7) return true;
  const double n = std::fabs(std::trunc(winscore::fuzz::firstOf(in[1])));
  return !(n > 40) || n > 46340;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 7, checkOutputs, cheapEnough, complete);
  return 0;
}
