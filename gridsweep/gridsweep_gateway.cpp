// SPDX-License-Identifier: MIT
// gridsweep: windowScores = gridsweep(h, gridSize, minWidth, minHeight, ignoredScalar,
//                                     integralImageA, integralImageB)
#include <cstdint>

#include "gridsweep_kernel.hpp"
#include "host.hpp"
#include "mex.h"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::gridsweep;

constexpr hostif::Plugin kPlugin{"gridsweep"};
constexpr hostif::Input kH{0, "h"};
constexpr hostif::Input kGridSize{1, "gridSize"};
constexpr hostif::Input kMinWidth{2, "minWidth"};
constexpr hostif::Input kMinHeight{3, "minHeight"};
// Input 5 (ignoredScalar) is never looked at.
constexpr hostif::Input kIntegralImageA{5, "integralImageA"};
constexpr hostif::Input kIntegralImageB{6, "integralImageB"};

constexpr hostif::Counts kCounts{7, 1, msg::inputCount, msg::outputCount};

// The output's side n*n is a signed 32-bit size: |n| <= 46340.
constexpr std::int32_t kMaxGridSize = 46340;

// A minimum below 1 would address windows of no width and elements outside the
// output; every window is at least one cell wide and high anyway.
std::int32_t atLeastOne(std::int32_t value) { return value < 1 ? 1 : value; }

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);
  // Input 1 is tested but never read: its data may be anything, sparse included.
  if (!call.isRealDouble2D(kH)) call.fail(msg::notRealDoubleMatrix);

  const std::int32_t n = call.readInt32(kGridSize);
  const std::int32_t minWidth = atLeastOne(call.readInt32(kMinWidth));
  const std::int32_t minHeight = atLeastOne(call.readInt32(kMinHeight));
  if (n > kMaxGridSize || n < -kMaxGridSize)
    call.fail(msg::gridSizeTooLarge, {kGridSize, kMaxGridSize, kMaxGridSize, n});

  // The integral images are read only when there is a grid to sweep.
  const double* integralImageA = nullptr;
  const double* integralImageB = nullptr;
  if (n > 0) {
    const double corners = (static_cast<double>(n) + 1.0) * (static_cast<double>(n) + 1.0);
    integralImageA = call.readData(kIntegralImageA, corners);
    integralImageB = call.readData(kIntegralImageB, corners);
  }

  const std::int32_t side = n * n;
  const hostif::Output scores = call.createZeroMatrix(side, side);
  plhs[0] = scores.array;
  winscore::gridsweep::windowScores(scores.data, integralImageA, integralImageB, n,
                                    minWidth, minHeight);
}
