// SPDX-License-Identifier: MIT
// Fuzzes the ringcontrast gateway: an error, or scores equal to the bit to
// those of tallyplane + ringdiff on the same bins.
#include <algorithm>
#include <cstring>

#include "fuzz_call.hpp"
#include "ringcontrast_kernel.hpp"
#include "ringdiff_kernel.hpp"
#include "tallyplane_kernel.hpp"

namespace {

using winscore::fuzz::Array;
using winscore::testhost::ArrayClass;
namespace rc = winscore::ringcontrast;

// An image of a random class and size, its elements mostly in range; boxes
// mostly inside it, now and then anything.
void complete(FuzzedDataProvider& data, std::vector<Array>& in) {
  static const char* kForms[] = {"bins", "pixels", "quantise", "bytes", "bin"};
  in[0] = winscore::testhost::text(kForms[data.ConsumeIntegralInRange<int>(0, 4)]);
  if (!data.ConsumeBool()) return;
  const int rows = data.ConsumeIntegralInRange<int>(0, 40);
  const int cols = data.ConsumeIntegralInRange<int>(0, 40);
  const int channels = data.ConsumeBool() ? 1 : 3;
  const int bins = data.ConsumeIntegralInRange<int>(1, 70);
  static const ArrayClass kClasses[] = {ArrayClass::Double, ArrayClass::Single, ArrayClass::Uint8,
                                        ArrayClass::Int16,  ArrayClass::Uint16, ArrayClass::Logical,
                                        ArrayClass::Int64,  ArrayClass::Uint32};
  const ArrayClass cls = kClasses[data.ConsumeIntegralInRange<int>(0, 7)];
  std::vector<std::size_t> dims = {static_cast<std::size_t>(rows), static_cast<std::size_t>(cols)};
  if (channels == 3) dims.push_back(3);
  Array image = winscore::fuzz::decodeFilled(data, dims, cls == ArrayClass::Double ? 1 : 0,
                                             cls == ArrayClass::Double ? bins : 65535);
  in[1] = winscore::testhost::makeArray(cls, dims, false, false,
                                        winscore::testhost::valuesOf(image.get()));
  in[2] = winscore::testhost::scalar(bins);
  const int count = data.ConsumeIntegralInRange<int>(0, 30);
  std::vector<double> boxes(4 * static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int x0 = data.ConsumeIntegralInRange<int>(1, std::max(cols, 1));
    const int y0 = data.ConsumeIntegralInRange<int>(1, std::max(rows, 1));
    boxes[i] = x0;
    boxes[i + count] = y0;
    boxes[i + 2 * count] = data.ConsumeIntegralInRange<int>(x0, std::max(cols, x0));
    boxes[i + 3 * count] = data.ConsumeIntegralInRange<int>(y0, std::max(rows, y0));
    if (data.ConsumeIntegralInRange<int>(0, 31) == 0)
      boxes[i + count * data.ConsumeIntegralInRange<int>(0, 3)] = winscore::fuzz::decodeValue(data);
  }
  in[3] = winscore::testhost::matrix(count, 4, boxes);
  if (data.ConsumeBool())
    in[4] = winscore::testhost::scalar(data.ConsumeIntegralInRange<int>(-210, 300));
  if (data.ConsumeBool()) in[5] = winscore::testhost::scalar(1e9);
}

// No call may hold more than a fuzzer's memory: bins and sizes stay small.
bool admit(const std::vector<const mxArray*>& in) {
  for (const mxArray* array : in)
    if (mxGetNumberOfElements(array) > 4000000) return false;
  if (in.size() >= 3 && mxIsDouble(in[2]) && !mxIsComplex(in[2]) && !mxIsSparse(in[2]) &&
      mxGetNumberOfElements(in[2]) > 0)
    return std::fabs(mxGetPr(in[2])[0]) <= 100000;
  return true;
}

// What the plug-ins give on the same bins, when the call scored them.
std::vector<double> pluginScores(const std::vector<const mxArray*>& in, bool fromPixels) {
  const auto dims = winscore::testhost::dimsOf(in[1]);
  const int R = static_cast<int>(dims[0]), C = static_cast<int>(dims[1]);
  const int B = static_cast<int>(mxGetPr(in[2])[0]);
  std::vector<double> q(static_cast<std::size_t>(R) * C);
  if (fromPixels) {
    rc::Source source = rc::Source::float64;
    switch (mxGetClassID(in[1])) {
      case mxSINGLE_CLASS: source = rc::Source::float32; break;
      case mxUINT8_CLASS: source = rc::Source::uint8; break;
      case mxINT16_CLASS: source = rc::Source::int16; break;
      case mxUINT16_CLASS: source = rc::Source::uint16; break;
      case mxLOGICAL_CLASS: source = rc::Source::logical; break;
      case mxINT64_CLASS: source = rc::Source::int64; break;
      case mxUINT32_CLASS: source = rc::Source::uint32; break;
      case mxINT32_CLASS: source = rc::Source::int32; break;
      case mxINT8_CLASS: source = rc::Source::int8; break;
      case mxUINT64_CLASS: source = rc::Source::uint64; break;
      default: break;
    }
    rc::quantise(q.data(), {mxGetData(in[1]), source, R, C, dims.size() == 3 ? 3 : 1}, B);
  } else {
    std::memcpy(q.data(), mxGetPr(in[1]), q.size() * sizeof(double));
  }
  std::vector<double> h(static_cast<std::size_t>(B) * (R + 1) * (C + 1), 0.0);
  winscore::tallyplane::integralHistogram(h.data(), q.data(), R, C, B);
  const double* boxes = mxGetPr(in[3]);
  const auto N = static_cast<std::int32_t>(mxGetM(in[3]));
  std::vector<double> scores(N, 0.0), inner(B), P(B), ring(B);
  winscore::ringdiff::scoreWindows(scores.data(), inner.data(), P.data(), ring.data(), h.data(), R,
                                   C, boxes, boxes + N, boxes + 2 * N, boxes + 3 * N,
                                   static_cast<std::int32_t>(std::trunc(mxGetScalar(in[4]))), B, N);
  return scores;
}

bool checkOutputs(const std::vector<const mxArray*>& in, const std::vector<Array>& out, int) {
  if (!out[0]) return false;
  char form[16] = "";
  mxGetString(in[0], form, sizeof form);
  const bool pixels = std::strcmp(form, "pixels") == 0;
  if (!pixels && std::strcmp(form, "bins") != 0) return true;
  const auto scores = winscore::testhost::valuesOf(out[0].get());
  if (!winscore::fuzz::hasDims(out[0], static_cast<double>(mxGetM(in[3])) *
                                           (mxGetNumberOfElements(in[3]) > 0), 1))
    return false;
  const auto dims = winscore::testhost::dimsOf(in[1]);
  const double cells = (static_cast<double>(dims[0]) + 1) * (static_cast<double>(dims[1]) + 1);
  if (scores.empty() || cells * mxGetPr(in[2])[0] >= 2147483647.0) return true;
  const auto want = pluginScores(in, pixels);
  return want.size() == scores.size() &&
         std::memcmp(want.data(), scores.data(), want.size() * sizeof(double)) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winscore::fuzz::runCall(data, size, 6, checkOutputs, admit, complete);
  return 0;
}
