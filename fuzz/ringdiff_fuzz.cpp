// SPDX-License-Identifier: MIT
// Fuzzes the ringdiff gateway: an error, or N x 1 scores, each in 0..2 for
// whole windows read from a histogram that tallyplane could have made.
#include <algorithm>

#include "builders.hpp"
#include "fuzz_call.hpp"

namespace {

using winscore::fuzz::Array;

// Whether the current input 1 was built as a true integral histogram.
bool g_genuine = false;

// The integral histogram of a random R x C image of bins 1..B.
Array genuineHistogram(FuzzedDataProvider& data, int rows, int columns, int bins) {
  std::vector<int> image(static_cast<std::size_t>(rows) * columns);
  for (int& bin : image) bin = data.ConsumeIntegralInRange<int>(1, bins);
  return winscore::testhost::matrix(bins, static_cast<std::size_t>(rows + 1) * (columns + 1),
                                    winscore::testing::integralHistogram(image, rows, columns, bins));
}

// Windows mostly inside the image, now and then a coordinate from anywhere.
Array windowBounds(FuzzedDataProvider& data, int count, int extent, const std::vector<double>* low) {
  std::vector<double> values(count);
  for (int i = 0; i < count; ++i) {
    if (data.ConsumeIntegralInRange<int>(0, 15) == 0) {
      values[i] = winscore::fuzz::decodeValue(data);
    } else {
      const int from = low ? static_cast<int>(std::max(1.0, std::min<double>((*low)[i], extent))) : 1;
      values[i] = data.ConsumeIntegralInRange<int>(from, std::max(from, extent));
    }
  }
  return winscore::testhost::row(values);
}

void complete(FuzzedDataProvider& data, std::vector<Array>& in) {
  g_genuine = false;
  int rows, columns, bins, windows;
  if (!data.ConsumeBool() || !winscore::fuzz::wholeIn(in[1].get(), 0, 12, &rows) ||
      !winscore::fuzz::wholeIn(in[2].get(), 0, 12, &columns) ||
      !winscore::fuzz::wholeIn(in[8].get(), 1, 6, &bins))
    return;
  in[0] = genuineHistogram(data, rows, columns, bins);
  g_genuine = true;
  if (!data.ConsumeBool() || !winscore::fuzz::wholeIn(in[9].get(), 0, 16, &windows)) return;
  in[3] = windowBounds(data, windows, columns, nullptr);
  in[4] = windowBounds(data, windows, rows, nullptr);
  const auto x0 = winscore::testhost::valuesOf(in[3].get());
  const auto y0 = winscore::testhost::valuesOf(in[4].get());
  in[5] = windowBounds(data, windows, columns, &x0);
  in[6] = windowBounds(data, windows, rows, &y0);
}

bool checkOutputs(const std::vector<const mxArray*>& in, const std::vector<Array>& out, int) {
  const double windows = winscore::fuzz::truncOf(in[9]);
  if (!winscore::fuzz::hasDims(out[0], windows, 1)) return false;
  if (!g_genuine) return true;
  // Normalised histograms of counts: the chi-square sum lies in 0..2, up to
  // the rounding of the normalisation.
  const auto scores = winscore::testhost::valuesOf(out[0].get());
  const double* coords[4];
  for (int k = 0; k < 4; ++k) coords[k] = mxGetPr(in[3 + k]);
  for (std::size_t i = 0; i < scores.size(); ++i) {
    bool whole = true;
    for (int k = 0; k < 4; ++k) whole = whole && coords[k][i] == std::trunc(coords[k][i]);
    if (whole && !(scores[i] >= 0.0 && scores[i] <= 2.0 + 1e-12)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 10, checkOutputs, winscore::fuzz::anyWork, complete);
  return 0;
}
