// SPDX-License-Identifier: MIT
// The store kind of the integral histogram's memory-order pass, chosen by the
// caller: for the kernel's tests and benchmark, not for the gateway.
#ifndef WINSCORE_TALLYPLANE_STORES_HPP
#define WINSCORE_TALLYPLANE_STORES_HPP

#include <cstdint>

namespace winscore::tallyplane {

// How the memory-order pass writes its output. Streaming stores bypass the
// caches, so a written line is never first read in; they are used only on
// x86-64, for an output aligned to 16 bytes with an even bin count, and
// otherwise fall back to ordinary stores. integralHistogram streams only
// outputs well beyond the caches.
enum class Stores { ordinary, streaming };

// integralHistogram with the store kind given; the same bits either way.
void integralHistogramWith(Stores stores, double* histogram, const double* quantMatrix,
                           std::int32_t numberRows, std::int32_t numberColumns,
                           std::int32_t numberBins);

}  // namespace winscore::tallyplane

#endif
