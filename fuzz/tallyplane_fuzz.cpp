// SPDX-License-Identifier: MIT
// Fuzzes the tallyplane gateway: any input, an error or a B x (R+1)(C+1) histogram.
#include "fuzz_call.hpp"

namespace {

bool checkOutputs(const std::vector<const mxArray*>& in,
                  const std::vector<winscore::fuzz::Array>& out, int) {
  using winscore::fuzz::truncOf;
  const double rows = truncOf(in[1]), cols = truncOf(in[2]), bins = truncOf(in[3]);
  if (!winscore::fuzz::hasDims(out[0], bins, (rows + 1) * (cols + 1))) return false;
  // The last column is the whole image's histogram: it sums to R*C.
  double total = 0;
  const auto values = winscore::testhost::valuesOf(out[0].get());
  for (std::size_t b = 0; b < static_cast<std::size_t>(bins); ++b)
    total += values[values.size() - static_cast<std::size_t>(bins) + b];
  return bins == 0 || total == rows * cols;
}

// A quantMatrix of exactly R*C elements, mostly bins in 1..B, as a matrix or a row.
void complete(FuzzedDataProvider& data, std::vector<winscore::fuzz::Array>& in) {
  int rows, cols, bins;
  if (!data.ConsumeBool() || !winscore::fuzz::wholeIn(in[1].get(), 0, 16, &rows) ||
      !winscore::fuzz::wholeIn(in[2].get(), 0, 16, &cols) ||
      !winscore::fuzz::wholeIn(in[3].get(), 1, 8, &bins))
    return;
  std::vector<std::size_t> dims = {static_cast<std::size_t>(rows), static_cast<std::size_t>(cols)};
  if (data.ConsumeBool()) dims = {1, dims[0] * dims[1]};
  in[0] = winscore::fuzz::decodeFilled(data, dims, 1, bins);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 4, checkOutputs, winscore::fuzz::anyWork, complete);
  return 0;
}
