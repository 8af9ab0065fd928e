// SPDX-License-Identifier: MIT
// greedypick: [kept, markerVector] = greedypick(areaVector, ~, xmin, ymin, xmax, ymax, numberKept)
#include <cstdint>

#include "greedypick_kernel.hpp"
#include "host.hpp"
#include "mex.h"

namespace {

namespace hostif = winscore::hostif;
using winscore::greedypick::kListLength;

constexpr hostif::Plugin kPlugin{"greedypick"};
constexpr int kAreaVector = 0;
// Input 2 is required by the count but has no effect, so it is never read.
constexpr int kXmin = 2;
constexpr int kYmin = 3;
constexpr int kXmax = 4;
constexpr int kYmax = 5;
constexpr int kNumberKept = 6;

constexpr hostif::Counts kCounts{7, 2, "7 input argument required.",
                                 "Too many output arguments."};

// Every list input holds one double per position of the fixed-length list.
const double* readList(const mxArray* const prhs[], int slot, const char* name) {
  hostif::requireRealDouble(kPlugin, prhs[slot], slot + 1, name);
  hostif::requireElements(kPlugin, prhs[slot], slot + 1, name, kListLength);
  return hostif::dataOf(prhs[slot]);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  hostif::checkCounts(kPlugin, nlhs, nrhs, kCounts);

  const double* areaVector = readList(prhs, kAreaVector, "areaVector");
  const double* xmin = readList(prhs, kXmin, "xmin");
  const double* ymin = readList(prhs, kYmin, "ymin");
  const double* xmax = readList(prhs, kXmax, "xmax");
  const double* ymax = readList(prhs, kYmax, "ymax");
  const std::int32_t numberKept = hostif::readInt32(kPlugin, prhs[kNumberKept], 7, "numberKept");
  hostif::requireNonNegative(kPlugin, numberKept, 7, "numberKept");

  plhs[0] = hostif::createZeroMatrix(kPlugin, numberKept, 1);
  // The marker vector is created in every call; it is filled and returned only when asked for.
  mxArray* markerVector = hostif::createZeroMatrix(kPlugin, kListLength, 1);
  const bool markerRequested = nlhs >= 2;
  if (markerRequested) plhs[1] = markerVector;
  winscore::greedypick::greedyPick(hostif::dataOf(plhs[0]), hostif::dataOf(markerVector),
                                   areaVector, xmin, ymin, xmax, ymax, kListLength, numberKept,
                                   markerRequested);
}
