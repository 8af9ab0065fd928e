// SPDX-License-Identifier: MIT
// The integral histogram's memory-order pass with a chosen kind of store, for
// the kernel's tests and benchmark; the gateway calls integralHistogram.
#ifndef WINSCORE_TALLYPLANE_STORES_HPP
#define WINSCORE_TALLYPLANE_STORES_HPP

#include <cstdint>

namespace winscore::tallyplane {

// integralHistogram's values, written with ordinary stores only.
void integralHistogramCached(double* histogram, const double* quantMatrix,
                             std::int32_t numberRows, std::int32_t numberColumns,
                             std::int32_t numberBins);

// The same values, written with streaming stores where possible. Streaming
// stores bypass the caches, so a written line is never first read in; they
// are used only on x86-64, for an output aligned to 16 bytes with an even bin
// count, and otherwise fall back to ordinary stores.
void integralHistogramStreamed(double* histogram, const double* quantMatrix,
                               std::int32_t numberRows, std::int32_t numberColumns,
                               std::int32_t numberBins);

}  // namespace winscore::tallyplane

#endif
