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
// partly with streaming stores (see below).
void integralHistogram(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                       std::int32_t numberColumns, std::int32_t numberBins);

// How the memory-order pass writes its output. Streaming stores bypass the
// caches, so a written line is never first read in; they are used only on
// x86-64, for an output aligned to 16 bytes with an even bin count, and
// otherwise fall back to ordinary stores.
enum class Stores { ordinary, streaming };

// integralHistogram with the store kind chosen by the caller.
void integralHistogramWith(Stores stores, double* histogram, const double* quantMatrix,
                           std::int32_t numberRows, std::int32_t numberColumns,
                           std::int32_t numberBins);

// The same values, visiting pixels row by row as the definition does; kept as
// the reference the faster visiting order is checked and measured against.
void integralHistogramPlain(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                            std::int32_t numberColumns, std::int32_t numberBins);

}  // namespace winscore::tallyplane

#endif
