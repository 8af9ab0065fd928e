// SPDX-License-Identifier: MIT
// Zero-bordered integral images and integral histograms built from their
// cells, for the tests, the benchmarks and the fuzzers.
#ifndef WINSCORE_TESTS_BUILDERS_HPP
#define WINSCORE_TESTS_BUILDERS_HPP

#include <cstddef>
#include <vector>

namespace winscore::testing {

// The (R+1) x (C+1) column-major integral image of an R x C column-major
// array of cells: T(r, c) = ((T(r-1, c) + T(r, c-1)) - T(r-1, c-1)) + cell (r, c),
// with row 0 and column 0 zero.
inline std::vector<double> integralImage(const std::vector<double>& cells, int rows, int cols) {
  const std::size_t R1 = static_cast<std::size_t>(rows) + 1;
  std::vector<double> t(R1 * (static_cast<std::size_t>(cols) + 1), 0.0);
  for (std::size_t c = 1; c <= static_cast<std::size_t>(cols); ++c)
    for (std::size_t r = 1; r <= static_cast<std::size_t>(rows); ++r)
      t[r + c * R1] = ((t[(r - 1) + c * R1] + t[r + (c - 1) * R1]) - t[(r - 1) + (c - 1) * R1]) +
                      cells[(r - 1) + (c - 1) * (R1 - 1)];
  return t;
}

// The B x (R+1)(C+1) integral histogram of an R x C column-major image of
// bins: bin t (from 0) of corner (r, c) counts the pixels of bin t+1 in rows
// 1..r and columns 1..c, at element t + (r + c(R+1))B. A pixel whose bin lies
// outside 1..B is in no bin.
inline std::vector<double> integralHistogram(const std::vector<int>& image, int rows, int cols,
                                             int bins) {
  const std::size_t B = bins > 0 ? static_cast<std::size_t>(bins) : 0;
  const std::size_t R1 = static_cast<std::size_t>(rows) + 1;
  std::vector<double> h(B * R1 * (static_cast<std::size_t>(cols) + 1), 0.0);
  for (std::size_t c = 1; c <= static_cast<std::size_t>(cols) && B > 0; ++c)
    for (std::size_t r = 1; r <= static_cast<std::size_t>(rows); ++r) {
      double* here = h.data() + (r + c * R1) * B;
      const double* up = here - B;
      const double* left = here - R1 * B;
      const double* diagonal = left - B;
      for (std::size_t t = 0; t < B; ++t) here[t] = (up[t] + left[t]) - diagonal[t];
      const int bin = image[(r - 1) + (c - 1) * (R1 - 1)];
      if (bin >= 1 && bin <= bins) here[bin - 1] += 1.0;
    }
  return h;
}

}  // namespace winscore::testing

#endif
