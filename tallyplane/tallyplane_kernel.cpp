// SPDX-License-Identifier: MIT
// Integral histogram of a quantised image.
#include "tallyplane_kernel.hpp"

#include <cmath>
#include <cstddef>

namespace winscore::tallyplane {
namespace {

// Marks the pixel's own bin in its corner column, then adds the three finished
// neighbour columns as ((left + up) - diagonal) + own, bin by bin.
inline void fillCorner(double* histogram, const double* quantMatrix, std::ptrdiff_t r,
                       std::ptrdiff_t c, std::ptrdiff_t rows, std::ptrdiff_t bins) {
  const std::ptrdiff_t corners = rows + 1;
  const std::ptrdiff_t k = r + c * corners;
  double* own = histogram + k * bins;
  const double* left = own - corners * bins;
  const double* up = own - bins;
  const double* diagonal = left - bins;
  const auto bin = static_cast<std::ptrdiff_t>(std::floor(quantMatrix[(r - 1) + (c - 1) * rows]));
  own[bin - 1] = 1.0;
  for (std::ptrdiff_t t = 0; t < bins; ++t) own[t] = ((left[t] + up[t]) - diagonal[t]) + own[t];
}

}  // namespace

std::int64_t firstPixelOutsideBins(const double* quantMatrix, std::int32_t numberRows,
                                   std::int32_t numberColumns, std::int32_t numberBins) {
  const std::int64_t pixels = std::int64_t{numberRows} * numberColumns;
  for (std::int64_t p = 0; p < pixels; ++p) {
    const double bin = std::floor(quantMatrix[p]);
    if (!(bin >= 1.0 && bin <= static_cast<double>(numberBins))) return p;
  }
  return -1;
}

// A corner column depends only on the columns of its upper, left and upper-left
// corners, so visiting corners in memory order (r fastest) gives every element
// the same operands and the same additions as the row-by-row visit.
void integralHistogram(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                       std::int32_t numberColumns, std::int32_t numberBins) {
  for (std::ptrdiff_t c = 1; c <= numberColumns; ++c)
    for (std::ptrdiff_t r = 1; r <= numberRows; ++r)
      fillCorner(histogram, quantMatrix, r, c, numberRows, numberBins);
}

void integralHistogramPlain(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                            std::int32_t numberColumns, std::int32_t numberBins) {
  for (std::ptrdiff_t r = 1; r <= numberRows; ++r)
    for (std::ptrdiff_t c = 1; c <= numberColumns; ++c)
      fillCorner(histogram, quantMatrix, r, c, numberRows, numberBins);
}

}  // namespace winscore::tallyplane
