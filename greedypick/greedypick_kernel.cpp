// SPDX-License-Identifier: MIT
// Greedy suppression of windows that overlap a kept window by more than half.
#include "greedypick_kernel.hpp"

namespace winscore::greedypick {
namespace {

// min and max that return NaN when either operand is NaN, so that a NaN
// coordinate always gives a NaN side, which is not greater than 0.
inline double minOf(double a, double b) { return (a < b || a != a) ? a : b; }
inline double maxOf(double a, double b) { return (a > b || a != a) ? a : b; }

}  // namespace

bool overlapRatio(const double* areaVector, const double* xmin, const double* ymin,
                  const double* xmax, const double* ymax, std::int32_t i, std::int32_t j,
                  double& ratio) {
  // Bounds are inclusive, so windows sharing one column overlap by width 1 and
  // windows that merely touch (xmax + 1 == xmin) by width 0.
  const double iw = (minOf(xmax[i], xmax[j]) - maxOf(xmin[i], xmin[j])) + 1.0;
  const double ih = (minOf(ymax[i], ymax[j]) - maxOf(ymin[i], ymin[j])) + 1.0;
  if (!(iw > 0.0) || !(ih > 0.0)) return false;
  const double inter = ih * iw;
  // The union uses the caller's areas as they stand: a zero union gives an
  // infinite ratio, a negative one a negative ratio.
  const double unionArea = (areaVector[i] + areaVector[j]) - inter;
  ratio = inter / unionArea;
  return true;
}

void greedyPick(double* kept, double* marker, const double* areaVector, const double* xmin,
                const double* ymin, const double* xmax, const double* ymax,
                std::int32_t numberPositions, std::int32_t numberKept) {
  for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
  if (numberKept <= 0 || numberPositions <= 0) return;

  std::int32_t k = 0;
  std::int32_t i = 0;
  for (;;) {
    kept[k] = static_cast<double>(i);
    marker[i] = 1.0;
    // Every later position is tested, marked or not: only kept windows suppress,
    // and a window already suppressed by another is simply marked again.
    for (std::int32_t j = i + 1; j < numberPositions; ++j) {
      double ratio;
      if (overlapRatio(areaVector, xmin, ymin, xmax, ymax, i, j, ratio) && ratio > 0.5)
        marker[j] = 1.0;
    }
    std::int32_t next = i + 1;
    while (next < numberPositions && marker[next] != 0.0) ++next;
    if (next == numberPositions) return;
    if (++k == numberKept) return;
    i = next;
  }
}

}  // namespace winscore::greedypick
