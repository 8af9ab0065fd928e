// SPDX-License-Identifier: MIT
// gridsweep: windowScores = gridsweep(h, gridSize, minWidth, minHeight, ignoredScalar,
//                                     integralImageA, integralImageB)
#include <cstdint>
#include <cstdio>

#include "gridsweep_kernel.hpp"
#include "host.hpp"
#include "mex.h"

namespace {

namespace hostif = winscore::hostif;

constexpr hostif::Plugin kPlugin{"gridsweep"};
constexpr int kH = 0;
constexpr int kGridSize = 1;
constexpr int kMinWidth = 2;
constexpr int kMinHeight = 3;
// Input 5 (ignoredScalar) is never looked at.
constexpr int kIntegralImageA = 5;
constexpr int kIntegralImageB = 6;

constexpr hostif::Counts kCounts{7, 1, "7 input argument required.",
                                 "Too many output arguments."};

// The output's side n*n is a signed 32-bit size: |n| <= 46340.
constexpr std::int32_t kMaxGridSize = 46340;

char g_message[256];

// A minimum below 1 would address windows of no width and elements outside the
// output; every window is at least one cell wide and high anyway.
std::int32_t atLeastOne(std::int32_t value) { return value < 1 ? 1 : value; }

void requireIntegralImage(const mxArray* array, int index, const char* name, double elements) {
  hostif::requireRealDouble(kPlugin, array, index, name);
  hostif::requireElements(kPlugin, array, index, name, elements);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  hostif::checkCounts(kPlugin, nlhs, nrhs, kCounts);
  if (!hostif::isRealDouble2D(prhs[kH]))
    hostif::fail(kPlugin, "h", "input 1 (h) must be a real double matrix 64 x 64");

  const std::int32_t n = hostif::readInt32(kPlugin, prhs[kGridSize], 2, "gridSize");
  const std::int32_t minWidth =
      atLeastOne(hostif::readInt32(kPlugin, prhs[kMinWidth], 3, "minWidth"));
  const std::int32_t minHeight =
      atLeastOne(hostif::readInt32(kPlugin, prhs[kMinHeight], 4, "minHeight"));
  if (n > kMaxGridSize || n < -kMaxGridSize) {
    std::snprintf(g_message, sizeof g_message,
                  "input 2 (gridSize) must lie in -%d..%d so that gridSize*gridSize fits a "
                  "signed 32-bit integer, not %d",
                  static_cast<int>(kMaxGridSize), static_cast<int>(kMaxGridSize),
                  static_cast<int>(n));
    hostif::fail(kPlugin, "gridSizeTooLarge", g_message);
  }

  // The integral images are read only when there is a grid to sweep.
  const double* integralImageA = nullptr;
  const double* integralImageB = nullptr;
  if (n > 0) {
    const double corners = (static_cast<double>(n) + 1.0) * (static_cast<double>(n) + 1.0);
    requireIntegralImage(prhs[kIntegralImageA], 6, "integralImageA", corners);
    requireIntegralImage(prhs[kIntegralImageB], 7, "integralImageB", corners);
    integralImageA = hostif::dataOf(prhs[kIntegralImageA]);
    integralImageB = hostif::dataOf(prhs[kIntegralImageB]);
  }

  const std::int32_t side = n * n;
  plhs[0] = hostif::createZeroMatrix(kPlugin, side, side);
  winscore::gridsweep::windowScores(hostif::dataOf(plhs[0]), integralImageA, integralImageB, n,
                                    minWidth, minHeight);
}
