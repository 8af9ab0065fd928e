// SPDX-License-Identifier: MIT
// Centre-surround contrast of windows straight from an image's pixels or bins,
// without the integral histogram: the scores of tallyplane then ringdiff, bit
// for bit, in working memory that does not grow with bins x rows x columns.
#ifndef WINSCORE_RINGCONTRAST_KERNEL_HPP
#define WINSCORE_RINGCONTRAST_KERNEL_HPP

#include <cstddef>
#include <cstdint>

namespace winscore::ringcontrast {

// What the image's elements are. `bins` is a double matrix of bin numbers
// (each element's floor is its bin, as tallyplane reads it); the others are
// pixels of that class, quantised as winscore.quantise does.
enum class Source {
  bins,
  float64,
  float32,
  logical,
  uint8,
  int8,
  uint16,
  int16,
  uint32,
  int32,
  uint64,
  int64,
};

// An image stored column-major: element (r, c) of channel k, from 0, at
// r + c*rows + k*rows*columns. Channels is 1 (grey, or bins) or 3 (RGB).
struct Image {
  const void* data;
  Source source;
  std::int64_t rows, columns;
  int channels;
};

enum class Fault {
  none,
  badBin,       // an element of a `bins` image whose floor is not in 1..B (or NaN)
  notCube,      // RGB pixels with a bin count that is not a whole cube
  outOfMemory,  // the working memory could not be had
};

// What went wrong, and where: the element (column-major, from 0) and its value.
struct Report {
  Fault fault;
  std::int64_t element;
  double value;
};

// The side of the bin cube of RGB pixels: L with L^3 == numberBins, or 0.
std::int32_t cubeSide(std::int32_t numberBins);

// Bin numbers 1..numberBins of every pixel into `bins` (rows x columns), as
// winscore.quantise gives them: grey value u in 0..1 to 1 + min(floor(u B), B-1);
// RGB levels l = min(floor(u L), L-1) per channel to 1 + lR + L lG + L^2 lB.
// Integer classes span their full range; float classes are clipped to 0..1
// with NaN as 0. A `bins` image gives the floor of each element.
Report quantise(double* bins, const Image& image, std::int32_t numberBins);

// Scores windows 0..numberWindows-1 into `scores`, as
// ringdiff(tallyplane(q, R, C, B), R, C, xmin, ymin, xmax, ymax, p, B, N)
// does for the bins q of `image`. `boxes` is N x 4 column-major, [xmin ymin
// xmax ymax], whole numbers with 1 <= xmin <= xmax <= C and 1 <= ymin <= ymax
// <= R (firstBadBox checks it); surroundPercent is at least -200; rows x
// columns is below 2^31. Throws nothing: running out of memory is a Fault.
Report scoreWindows(double* scores, const Image& image, std::int32_t numberBins,
                    const double* boxes, std::int64_t numberWindows,
                    std::int32_t surroundPercent);

// The first box (from 0) that is not whole numbers inside the rows x columns
// image with xmin <= xmax and ymin <= ymax, or numberWindows if all are.
std::int64_t firstBadBox(const double* boxes, std::int64_t numberWindows, std::int64_t rows,
                         std::int64_t columns);

// The bytes scoreWindows holds at most for these sizes (0 for no windows).
double workingBytes(std::int64_t rows, std::int64_t columns, std::int32_t numberBins,
                    std::int64_t numberWindows);

}  // namespace winscore::ringcontrast

#endif
