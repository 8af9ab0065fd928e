// SPDX-License-Identifier: MIT
// Integral histogram of a quantised image.
#include "tallyplane_kernel.hpp"
#include "tallyplane_stores.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) && defined(__SSE2__)
#include <emmintrin.h>
#define WINSCORE_STREAMING_STORES 1
#endif

namespace winscore::tallyplane {
namespace {

using Index = std::ptrdiff_t;

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

namespace {

// Counts are whole numbers far below 2^53, so every addition here is exact and
// any grouping gives the same bits as ((left + up) - diagonal) + own. That
// allows passes in memory order, column by column, each corner written once.

// Corner (r, c) as corner (r, c-1) plus the running counts of pixels 1..r of
// column c, which the corner column itself carries down: it is the column
// above, less the corner left of that, plus the pixel's bin. Needs no memory
// beyond the output; used when there are too many bins for the grouped pass.
void memoryOrderPass(double* histogram, const double* quantMatrix, Index rows, Index columns,
                     Index bins) {
  const Index corners = rows + 1;
  for (Index c = 1; c <= columns; ++c) {
    const double* pixels = quantMatrix + (c - 1) * rows;
    double* column = histogram + c * corners * bins;
    for (Index r = 1; r <= rows; ++r) {
      double* own = column + r * bins;
      const double* left = own - corners * bins;
      const double* up = own - bins;
      const double* upLeft = left - bins;
      for (Index t = 0; t < bins; ++t) own[t] = left[t] + (up[t] - upLeft[t]);
      own[static_cast<Index>(std::floor(pixels[r - 1])) - 1] += 1.0;
    }
  }
}

// Columns taken together in one pass over the rows, and the most bins whose
// running counts for them fit the stack buffer (12 KiB).
constexpr Index kGroup = 3;
constexpr Index kMaxGroupedBins = 512;

inline void addRun(double* own, const double* left, const double* run, Index bins) {
  for (Index t = 0; t < bins; ++t) own[t] = left[t] + run[t];
}

#ifdef WINSCORE_STREAMING_STORES
// The same sums, two lanes at a time (an IEEE addition per lane, as above),
// stored past the caches. All three pointers are 16-byte aligned.
inline void addRunStreaming(double* own, const double* left, const double* run, Index bins) {
  for (Index t = 0; t < bins; t += 2)
    _mm_stream_pd(own + t, _mm_add_pd(_mm_load_pd(left + t), _mm_load_pd(run + t)));
}
#endif

// Corner (r, c) for the kGroup columns c = first.. as corner (r, first-1) plus
// the counts of pixels in rows 1..r and columns first..c, kept per column of
// the group on the stack. The left column is read once per group, and the
// group's last column, which the next group reads, is the only one written
// through the caches when streaming: a streamed line is never read in first.
void groupedPass(bool streaming, double* histogram, const double* quantMatrix, Index rows,
                 Index columns, Index bins) {
  const Index corners = rows + 1, columnStride = corners * bins;
  alignas(16) double counts[kGroup * kMaxGroupedBins];
  for (Index first = 1; first <= columns; first += kGroup) {
    const Index group = std::min(kGroup, columns - first + 1);
    std::fill(counts, counts + group * bins, 0.0);
    const double* leftColumn = histogram + (first - 1) * columnStride;
    double* firstColumn = histogram + first * columnStride;
    for (Index r = 1; r <= rows; ++r) {
      for (Index h = 0; h < group; ++h) {
        const double value = quantMatrix[(r - 1) + (first - 1 + h) * rows];
        const Index bin = static_cast<Index>(std::floor(value)) - 1;
        for (Index g = h; g < group; ++g) counts[g * bins + bin] += 1.0;
      }
      const double* left = leftColumn + r * bins;
      for (Index h = 0; h < group; ++h) {
        double* own = firstColumn + h * columnStride + r * bins;
#ifdef WINSCORE_STREAMING_STORES
        if (streaming && h + 1 < group) {
          addRunStreaming(own, left, counts + h * bins, bins);
          continue;
        }
#endif
        addRun(own, left, counts + h * bins, bins);
      }
    }
  }
#ifdef WINSCORE_STREAMING_STORES
  if (streaming) _mm_sfence();
#else
  (void)streaming;
#endif
}

// The grouped pass, or the memory-order pass for more bins than the grouped
// one holds; streaming stores where allowed and possible.
void memoryOrder(bool streamingAllowed, double* histogram, const double* quantMatrix,
                 std::int32_t numberRows, std::int32_t numberColumns, std::int32_t numberBins) {
  const Index bins = numberBins;
  if (bins > kMaxGroupedBins) {
    memoryOrderPass(histogram, quantMatrix, numberRows, numberColumns, bins);
    return;
  }
#ifdef WINSCORE_STREAMING_STORES
  const bool streaming = streamingAllowed && bins % 2 == 0 &&
                         reinterpret_cast<std::uintptr_t>(histogram) % 16 == 0;
#else
  const bool streaming = false;
  (void)streamingAllowed;
#endif
  groupedPass(streaming, histogram, quantMatrix, numberRows, numberColumns, bins);
}

}  // namespace

// Streaming pays off once the output is well beyond the caches of one core;
// a smaller output is better left in cache for whoever reads it next.
void integralHistogram(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                       std::int32_t numberColumns, std::int32_t numberBins) {
  // No pixel: the zero output is complete, however many columns of corners it has.
  if (numberRows <= 0 || numberColumns <= 0 || numberBins <= 0) return;
  const double bytes = 8.0 * numberBins * (numberRows + 1.0) * (numberColumns + 1.0);
  memoryOrder(bytes >= 8.0 * 1024 * 1024, histogram, quantMatrix, numberRows, numberColumns,
              numberBins);
}

// Declared in tallyplane_stores.hpp for the tests and the benchmark; the kernel
// leaves that header out so that it builds from its own two files.
void integralHistogramCached(double* histogram, const double* quantMatrix,
                             std::int32_t numberRows, std::int32_t numberColumns,
                             std::int32_t numberBins) {
  memoryOrder(false, histogram, quantMatrix, numberRows, numberColumns, numberBins);
}
void integralHistogramStreamed(double* histogram, const double* quantMatrix,
                               std::int32_t numberRows, std::int32_t numberColumns,
                               std::int32_t numberBins) {
  memoryOrder(true, histogram, quantMatrix, numberRows, numberColumns, numberBins);
}

void integralHistogramPlain(double* histogram, const double* quantMatrix, std::int32_t numberRows,
                            std::int32_t numberColumns, std::int32_t numberBins) {
  for (std::ptrdiff_t r = 1; r <= numberRows; ++r)
    for (std::ptrdiff_t c = 1; c <= numberColumns; ++c)
      fillCorner(histogram, quantMatrix, r, c, numberRows, numberBins);
}

}  // namespace winscore::tallyplane
