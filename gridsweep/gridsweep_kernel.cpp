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

// Row buffers for the fast sweep hold up to this many corners (four rows, 16
// KiB of stack); larger grids, whose output would exceed 500 GB, take the
// definition's order.
constexpr Index kMaxRowCorners = 512;

// Visits windows by (ymax, ymin), then xmax, with xmin innermost: each xmax
// run of xmin is contiguous output, and one (ymax, ymin) slab of n^3 doubles
// stays in cache while its runs are written. Row ymin-1 and row ymax of both
// images are copied out once per (ymax, ymin), so the xmin loop reads its UL
// and LL corners contiguously and vectorises. No score depends on another
// element of the output, and every score is formed from the same corners with
// the same operations, in the same order, as in the definition's order.
void rowSweep(double* windowScores, const double* a, const double* b, Index n, Index minWidth,
              Index minHeight) {
  const Index stride = n + 1;
  double upperA[kMaxRowCorners], lowerA[kMaxRowCorners];
  double upperB[kMaxRowCorners], lowerB[kMaxRowCorners];
  for (Index ymax = minHeight; ymax <= n; ++ymax) {
    for (Index c = 0; c <= n; ++c)
      lowerA[c] = a[ymax + c * stride], lowerB[c] = b[ymax + c * stride];
    for (Index ymin = 1; ymin <= ymax - minHeight + 1; ++ymin) {
      for (Index c = 0; c <= n; ++c)
        upperA[c] = a[(ymin - 1) + c * stride], upperB[c] = b[(ymin - 1) + c * stride];
      const Index height = ymax - ymin + 1;
      for (Index xmax = minWidth; xmax <= n; ++xmax) {
        const double urA = upperA[xmax], lrA = lowerA[xmax];
        const double urB = upperB[xmax], lrB = lowerB[xmax];
        double* out = windowScores + elementOf(n, 1, ymin, xmax, ymax);
        for (Index xmin = 1; xmin <= xmax - minWidth + 1; ++xmin) {
          const double sa = ((upperA[xmin - 1] + lrA) - urA) - lowerA[xmin - 1];
          const double sb = ((upperB[xmin - 1] + lrB) - urB) - lowerB[xmin - 1];
          const Index area = (xmax - xmin + 1) * height;
          out[xmin - 1] = (sa * sb) / static_cast<double>(area);
        }
      }
    }
  }
}

}  // namespace

void windowScores(double* windowScores, const double* integralImageA,
                  const double* integralImageB, std::int32_t gridSize, std::int32_t minWidth,
                  std::int32_t minHeight) {
  if (Index{gridSize} + 1 > kMaxRowCorners) {
    windowScoresPlain(windowScores, integralImageA, integralImageB, gridSize, minWidth,
                      minHeight);
    return;
  }
  rowSweep(windowScores, integralImageA, integralImageB, gridSize, minWidth, minHeight);
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
