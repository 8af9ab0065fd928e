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

// Counts are whole numbers far below 2^53, so every addition here is exact and
// any grouping gives the same bits as ((left + up) - diagonal) + own. That
// allows one pass in memory order: corner (r, c) is corner (r, c-1) plus the
// running bin counts of pixels 1..r of column c, which the corner column
// itself carries down (it starts as the column above, plus the pixel's bin).
void integralHistogram(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                       std::int32_t numberColumns, std::int32_t numberBins) {
  const std::ptrdiff_t rows = numberRows, bins = numberBins, corners = rows + 1;
  for (std::ptrdiff_t c = 1; c <= numberColumns; ++c) {
    const double* pixels = quantMatrix + (c - 1) * rows;
    double* column = histogram + c * corners * bins;
    // column[0..bins) is corner (0, c): zero. Each lower corner adds one pixel
    // to the counts of the column so far, on top of the corner to its left.
    for (std::ptrdiff_t r = 1; r <= rows; ++r) {
      double* own = column + r * bins;
      const double* left = own - corners * bins;
      const double* up = own - bins;
      const double* upLeft = left - bins;
      for (std::ptrdiff_t t = 0; t < bins; ++t) own[t] = left[t] + (up[t] - upLeft[t]);
      own[static_cast<std::ptrdiff_t>(std::floor(pixels[r - 1])) - 1] += 1.0;
    }
  }
}

void integralHistogramPlain(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                            std::int32_t numberColumns, std::int32_t numberBins) {
  for (std::ptrdiff_t r = 1; r <= numberRows; ++r)
    for (std::ptrdiff_t c = 1; c <= numberColumns; ++c)
      fillCorner(histogram, quantMatrix, r, c, numberRows, numberBins);
}

}  // namespace winscore::tallyplane
