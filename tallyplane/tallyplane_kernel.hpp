// SPDX-License-Identifier: MIT
// Integral histogram of a quantised image.
#ifndef WINSCORE_TALLYPLANE_KERNEL_HPP
#define WINSCORE_TALLYPLANE_KERNEL_HPP

#include <cstdint>

namespace winscore::tallyplane {

// Position (0-based, column-major) of the first pixel of the R x C block whose
// bin floor(value) lies outside 1..numberBins (NaN included), or -1 if none.
std::int64_t firstPixelOutsideBins(const double* quantMatrix, std::int32_t numberRows,
                                   std::int32_t numberColumns, std::int32_t numberBins);

// Fills `histogram`, numberBins x (R+1)(C+1), all zeros on entry: column
// r + c(R+1) is the bin histogram of pixels above and left of corner (r, c).
// Every bin of every pixel must lie in 1..numberBins. Large outputs are written
// partly with stores that bypass the caches.
void integralHistogram(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                       std::int32_t numberColumns, std::int32_t numberBins);

// The same values, visiting pixels row by row as the definition does; kept as
// the reference the faster visiting order is checked and measured against.
void integralHistogramPlain(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                            std::int32_t numberColumns, std::int32_t numberBins);

}  // namespace winscore::tallyplane

#endif
