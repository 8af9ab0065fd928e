// SPDX-License-Identifier: MIT
// Block non-maximum suppression over a 4-D window score array.
#ifndef WINSCORE_PEAKPICK_KERNEL_HPP
#define WINSCORE_PEAKPICK_KERNEL_HPP

#include <cstdint>

namespace winscore::peakpick {

// The length of every output: ceil(((sizeX*sizeX)*sizeY)*sizeY / (((d*d)*d)*d))
// with d = (neighbourhoodSize - 1)*0.5 + 1, before truncation to an integer.
double outputLength(double sizeX, double sizeY, double neighbourhoodSize);

// Scans the blocks of H, the X x Y x X x Y array at `h` (xmin fastest, ymax
// slowest; X, Y = sizeX, sizeY truncated), and appends each accepted block
// maximum (coordinates 1-based, as doubles, and its score) to the five outputs
// in block order. Writes at most `capacity` maxima and returns how many were
// accepted, which may be more. Sizes and neighbourhoodSize stay doubles in
// every bound. Requires finite sizes whose truncations fit int32,
// neighbourhoodSize finite and >= 1, and X*Y*X*Y elements at `h`.
std::int64_t localMaxima(double* xmin, double* ymin, double* xmax, double* ymax, double* score,
                         std::int64_t capacity, const double* h, double sizeX, double sizeY,
                         double neighbourhoodSize);

// The same results, reading every box whole in its defined order; kept as the
// reference the faster box test is checked and measured against.
std::int64_t localMaximaPlain(double* xmin, double* ymin, double* xmax, double* ymax,
                              double* score, std::int64_t capacity, const double* h,
                              double sizeX, double sizeY, double neighbourhoodSize);

}  // namespace winscore::peakpick

#endif
