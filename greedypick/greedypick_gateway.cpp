// SPDX-License-Identifier: MIT
// greedypick: [kept, markerVector] = greedypick(areaVector, ~, xmin, ymin, xmax, ymax, numberKept)
#include <cstdint>

#include "greedypick_kernel.hpp"
#include "host.hpp"
#include "mex.h"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::greedypick;
using winscore::greedypick::kListLength;

constexpr hostif::Plugin kPlugin{"greedypick"};
constexpr hostif::Input kAreaVector{0, "areaVector"};
// Input 2 is required by the count but has no effect, so it is never read.
constexpr hostif::Input kXmin{2, "xmin"};
constexpr hostif::Input kYmin{3, "ymin"};
constexpr hostif::Input kXmax{4, "xmax"};
constexpr hostif::Input kYmax{5, "ymax"};
constexpr hostif::Input kNumberKept{6, "numberKept"};

constexpr hostif::Counts kCounts{7, 2, msg::inputCount, msg::outputCount};

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);

  // Every list input holds one double per position of the fixed-length list.
  const double* areaVector = call.readData(kAreaVector, kListLength);
  const double* xmin = call.readData(kXmin, kListLength);
  const double* ymin = call.readData(kYmin, kListLength);
  const double* xmax = call.readData(kXmax, kListLength);
  const double* ymax = call.readData(kYmax, kListLength);
  const std::int32_t numberKept = call.readInt32(kNumberKept);
  call.requireNonNegative(numberKept, kNumberKept);

  const hostif::Output kept = call.createZeroMatrix(numberKept, 1);
  plhs[0] = kept.array;
  // The marker vector is created in every call; it is filled and returned only when asked for.
  const hostif::Output markerVector = call.createZeroMatrix(kListLength, 1);
  const bool markerRequested = nlhs >= 2;
  if (markerRequested) plhs[1] = markerVector.array;
  winscore::greedypick::greedyPick(kept.data, markerVector.data,
                                   areaVector, xmin, ymin, xmax, ymax, kListLength, numberKept,
                                   markerRequested);
}
