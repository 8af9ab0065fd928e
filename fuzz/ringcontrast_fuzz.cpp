// SPDX-License-Identifier: MIT
// Fuzzes the ringcontrast gateway: an error, or the result it promises.
#include "fuzz_call.hpp"

namespace {

bool checkOutputs(const std::vector<const mxArray*>&, const std::vector<winscore::fuzz::Array>& out,
                  int) {
  return winscore::fuzz::hasDims(out[0], 1, 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 0, checkOutputs);
  return 0;
}
