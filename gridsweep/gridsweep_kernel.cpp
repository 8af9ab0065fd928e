// SPDX-License-Identifier: MIT
// Grid window scores from two integral images.
#include "gridsweep_kernel.hpp"

#include <cstddef>

namespace winscore::gridsweep {
namespace {

using Index = std::ptrdiff_t;

// Corners combine as ((UL + LR) - UR) - LL, the order the window sum is defined
// in; any other grouping can change the last bit.
inline double windowSum(const double* t, Index stride, Index xmin, Index ymin, Index xmax,
                        Index ymax) {
  const double ul = t[(ymin - 1) + (xmin - 1) * stride];
  const double ur = t[(ymin - 1) + xmax * stride];
  const double ll = t[ymax + (xmin - 1) * stride];
  const double lr = t[ymax + xmax * stride];
  return ((ul + lr) - ur) - ll;
}

// The product of the two sums first, then one division by the whole number of
// cells (at most n^2, so exact as a double).
inline double windowScore(const double* a, const double* b, Index stride, Index xmin,
                          Index ymin, Index xmax, Index ymax) {
  const double sa = windowSum(a, stride, xmin, ymin, xmax, ymax);
  const double sb = windowSum(b, stride, xmin, ymin, xmax, ymax);
  const Index area = (xmax - xmin + 1) * (ymax - ymin + 1);
  return (sa * sb) / static_cast<double>(area);
}

inline Index elementOf(Index n, Index xmin, Index ymin, Index xmax, Index ymax) {
  return (xmin - 1) + n * ((ymin - 1) + n * ((xmax - 1) + n * (ymax - 1)));
}

}  // namespace

// No score depends on another element of the output, so visiting windows in
// the output's memory order (xmin fastest, ymax slowest) gives every element
// the same operands and operations as the definition's order.
void windowScores(double* windowScores, const double* integralImageA,
                  const double* integralImageB, std::int32_t gridSize, std::int32_t minWidth,
                  std::int32_t minHeight) {
  const Index n = gridSize, stride = Index{gridSize} + 1;
  for (Index ymax = minHeight; ymax <= n; ++ymax)
    for (Index xmax = minWidth; xmax <= n; ++xmax)
      for (Index ymin = 1; ymin <= ymax - minHeight + 1; ++ymin) {
        double* out = windowScores + elementOf(n, 1, ymin, xmax, ymax);
        for (Index xmin = 1; xmin <= xmax - minWidth + 1; ++xmin)
          out[xmin - 1] =
              windowScore(integralImageA, integralImageB, stride, xmin, ymin, xmax, ymax);
      }
}

void windowScoresPlain(double* windowScores, const double* integralImageA,
                       const double* integralImageB, std::int32_t gridSize,
                       std::int32_t minWidth, std::int32_t minHeight) {
  const Index n = gridSize, stride = Index{gridSize} + 1;
  for (Index xmin = 1; xmin <= n - minWidth + 1; ++xmin)
    for (Index ymin = 1; ymin <= n - minHeight + 1; ++ymin)
      for (Index xmax = xmin + minWidth - 1; xmax <= n; ++xmax)
        for (Index ymax = ymin + minHeight - 1; ymax <= n; ++ymax)
          windowScores[elementOf(n, xmin, ymin, xmax, ymax)] =
              windowScore(integralImageA, integralImageB, stride, xmin, ymin, xmax, ymax);
}

}  // namespace winscore::gridsweep
