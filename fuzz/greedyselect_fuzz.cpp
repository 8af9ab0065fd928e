// SPDX-License-Identifier: MIT
// Fuzzes the greedyselect gateway: an error, or at most numberKept increasing
// 1-based row numbers of the boxes.
#include "fuzz_call.hpp"

namespace {

using winscore::fuzz::Array;

bool checkOutputs(const std::vector<const mxArray*>& in, const std::vector<Array>& out, int) {
  const auto rows = winscore::testhost::valuesOf(out[0].get());
  const double n = static_cast<double>(mxGetM(in[0]));
  if (static_cast<double>(rows.size()) > winscore::fuzz::truncOf(in[2])) return false;
  double previous = 0;
  for (double r : rows) {
    if (!(r > previous && r <= n && r == std::trunc(r))) return false;
    previous = r;
  }
  return rows.empty() || rows[0] == 1;
}

// Now and then a list of up to 300 boxes whose bounds overlap often.
void complete(FuzzedDataProvider& data, std::vector<Array>& in) {
  if (!data.ConsumeBool()) return;
  const std::size_t boxes = data.ConsumeIntegralInRange<std::size_t>(0, 300);
  in[0] = winscore::fuzz::decodeFilled(data, {boxes, 4}, -2, 20);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 3, checkOutputs, winscore::fuzz::anyWork, complete);
  return 0;
}
