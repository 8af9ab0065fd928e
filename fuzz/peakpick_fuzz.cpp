// SPDX-License-Identifier: MIT
// Fuzzes the peakpick gateway: an error, or five 1 x n rows whose leading
// entries are distinct positive maxima of H at whole coordinates in range,
// none beaten inside its box, and zeros after them.
#include <algorithm>
#include <set>
#include <tuple>

#include "fuzz_call.hpp"

namespace {

using winscore::fuzz::Array;

// An h of exactly X*Y*X*Y elements, in the n^2 x n^2 shape gridsweep gives or as a row.
void complete(FuzzedDataProvider& data, std::vector<Array>& in) {
  int x, y;
  if (!data.ConsumeBool() || !winscore::fuzz::wholeIn(in[1].get(), 1, 9, &x) ||
      !winscore::fuzz::wholeIn(in[2].get(), 1, 9, &y))
    return;
  const std::size_t plane = static_cast<std::size_t>(x) * y;
  std::vector<std::size_t> dims = {plane, plane};
  if (data.ConsumeBool()) dims = {1, plane * plane};
  in[0] = winscore::fuzz::decodeFilled(data, dims, -2, 6);
}

bool checkOutputs(const std::vector<const mxArray*>& in, const std::vector<Array>& out, int) {
  const double sizeX = winscore::fuzz::firstOf(in[1]), sizeY = winscore::fuzz::firstOf(in[2]);
  const double c = (winscore::fuzz::firstOf(in[3]) - 1.0) * 0.5, d = c + 1.0;
  const double length = std::trunc(std::ceil(((sizeX * sizeX) * sizeY) * sizeY / (((d * d) * d) * d)));
  std::vector<std::vector<double>> rows;
  for (int o = 0; o < 5; ++o) {
    if (!winscore::fuzz::hasDims(out[o], 1, length)) return false;
    rows.push_back(winscore::testhost::valuesOf(out[o].get()));
  }
  const long X = static_cast<long>(sizeX), Y = static_cast<long>(sizeY);
  const double* h = mxGetPr(in[0]);
  auto at = [&](const long p[4]) {
    return h[(p[0] - 1) + X * ((p[1] - 1) + Y * ((p[2] - 1) + X * (p[3] - 1)))];
  };
  const double sizes[4] = {sizeX, sizeY, sizeX, sizeY};
  std::set<std::tuple<long, long, long, long>> seen;
  bool filled = true;
  for (std::size_t m = 0; m < rows[4].size(); ++m) {
    if (!filled || rows[4][m] == 0.0) {
      filled = false;
      for (const auto& r : rows)
        if (r[m] != 0.0) return false;
      continue;
    }
    long p[4];
    for (int q = 0; q < 4; ++q) {
      const double v = rows[q][m];
      if (!(v >= 1 && v <= std::trunc(sizes[q]) && v == std::trunc(v))) return false;
      p[q] = static_cast<long>(v);
    }
    if (!(rows[4][m] > 0.0) || rows[4][m] != at(p)) return false;
    if (!seen.insert({p[0], p[1], p[2], p[3]}).second) return false;
    // No score of the box around the maximum is strictly larger.
    long low[4];
    double high[4];
    for (int q = 0; q < 4; ++q) {
      low[q] = static_cast<long>(std::max(1.0, static_cast<double>(p[q]) - c));
      high[q] = std::min(sizes[q], static_cast<double>(p[q]) + c);
    }
    long b[4];
    for (b[0] = low[0]; b[0] <= high[0]; ++b[0])
      for (b[1] = low[1]; b[1] <= high[1]; ++b[1])
        for (b[2] = low[2]; b[2] <= high[2]; ++b[2])
          for (b[3] = low[3]; b[3] <= high[3]; ++b[3])
            if (at(b) > rows[4][m]) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 4, checkOutputs, winscore::fuzz::anyWork, complete);
  return 0;
}
