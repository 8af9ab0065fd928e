// SPDX-License-Identifier: MIT
// Scores every window of an n x n grid from two zero-bordered integral images.
#ifndef WINSCORE_GRIDSWEEP_KERNEL_HPP
#define WINSCORE_GRIDSWEEP_KERNEL_HPP

#include <cstdint>

namespace winscore::gridsweep {

// Writes, into `windowScores` (n^2 x n^2, all zeros on entry), the score
// (SA * SB) / area of every window xmin..xmax, ymin..ymax with width at least
// minWidth and height at least minHeight, at element
// (xmin-1) + n(ymin-1) + n^2(xmax-1) + n^3(ymax-1). SA and SB are the window
// sums of the (n+1) x (n+1) column-major integral images A and B. Every other
// element is left as it is. Requires minWidth >= 1, minHeight >= 1 and n*n
// within int32; n <= 0 scores nothing and reads nothing.
void windowScores(double* windowScores, const double* integralImageA,
                  const double* integralImageB, std::int32_t gridSize, std::int32_t minWidth,
                  std::int32_t minHeight);

// The same values, visiting windows in increasing (xmin, ymin, xmax, ymax)
// order as the definition does; kept as the reference for the faster order.
void windowScoresPlain(double* windowScores, const double* integralImageA,
                       const double* integralImageB, std::int32_t gridSize,
                       std::int32_t minWidth, std::int32_t minHeight);

}  // namespace winscore::gridsweep

#endif
