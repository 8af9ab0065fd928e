// SPDX-License-Identifier: MIT
// Grid window scores: the worked grid, window counts, and both visiting orders.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "bits.hpp"
#include "builders.hpp"
#include "gridsweep_kernel.hpp"

namespace winscore::gridsweep {
namespace {

std::vector<double> sweep(int n, const std::vector<double>& a, const std::vector<double>& b,
                          int wmin, int hmin, bool plain = false) {
  std::vector<double> out(static_cast<size_t>(n) * n * n * n, 0.0);
  (plain ? windowScoresPlain : windowScores)(out.data(), a.data(), b.data(), n, wmin, hmin);
  return out;
}

// Row-major 4 x 4 table of the n = 2 example, as the output's column-major data.
std::vector<double> columnMajor4(const std::vector<double>& rowMajor) {
  std::vector<double> out(16);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out[r + 4 * c] = rowMajor[4 * r + c];
  return out;
}

const std::vector<double> kA = {0, 0, 0, 0, 1, 4, 0, 3, 10};  // grid rows (1, 2), (3, 4)
const std::vector<double> kOnes = {0, 0, 0, 0, 1, 2, 0, 2, 4};

TEST(GridsweepKernel, TwoByTwoGridAndItsVariants) {
  EXPECT_EQ(testing::integralImage({1, 3, 2, 4}, 2, 2), kA);
  EXPECT_EQ(sweep(2, kA, kOnes, 1, 1),
            columnMajor4({1, 3, 4, 10, 0, 2, 0, 6, 0, 0, 3, 7, 0, 0, 0, 4}));
  // Only windows two cells wide: the first row, the second row, the whole grid.
  EXPECT_EQ(sweep(2, kA, kOnes, 2, 1),
            columnMajor4({0, 3, 0, 10, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0}));
  EXPECT_EQ(sweep(2, kA, kA, 1, 1)[0 + 4 * 3], 25.0);  // whole grid: 10 * 10 / 4
  // Minimums beyond the grid score nothing.
  for (double v : sweep(2, kA, kOnes, 3, 1)) EXPECT_EQ(v, 0.0);
  for (double v : sweep(2, kA, kOnes, 1, 3)) EXPECT_EQ(v, 0.0);
}

TEST(GridsweepKernel, WritesExactlyTheWindowsAtLeastTheMinimumSize) {
  struct Case { int n, wmin, hmin, written; };
  for (const Case& k : {Case{4, 2, 1, 60}, Case{5, 1, 1, 225}, Case{4, 1, 2, 60},
                        Case{1, 1, 1, 1}, Case{3, 3, 3, 1}, Case{6, 4, 5, 18}}) {
    const int n = k.n;
    // A grid of ones scores every window (w*h)^2 / (w*h) = its area, never 0.
    const auto t = testing::integralImage(std::vector<double>(n * n, 1.0), n, n);
    const auto out = sweep(n, t, t, k.wmin, k.hmin);
    int written = 0;
    for (int e = 0; e < static_cast<int>(out.size()); ++e) {
      const int xmin = e % n + 1, ymin = e / n % n + 1, xmax = e / (n * n) % n + 1,
                ymax = e / (n * n * n) + 1;
      const int w = xmax - xmin + 1, h = ymax - ymin + 1;
      const bool scored = w >= k.wmin && h >= k.hmin;
      EXPECT_EQ(out[e], scored ? w * h : 0.0) << n << ": " << xmin << ymin << xmax << ymax;
      written += out[e] != 0.0;
    }
    EXPECT_EQ(written, k.written) << "n = " << n;
  }
}

TEST(GridsweepKernel, SweepNeverReadsOrWritesForEmptyOrNegativeGrids) {
  double out[4] = {7, 7, 7, 7};
  windowScores(out, nullptr, nullptr, 0, 1, 1);
  windowScores(out, nullptr, nullptr, -2, 1, 1);
  windowScoresPlain(out, nullptr, nullptr, -2, 1, 1);
  for (double v : out) EXPECT_EQ(v, 7.0);
}

TEST(GridsweepKernel, MemoryOrderMatchesDefinitionOrderBitForBit) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> value(-1e3, 1e3);
  for (int n : {1, 2, 3, 5, 8, 13, 34}) {
    for (int trial = 0; trial < 3; ++trial) {
      // Arbitrary corner values, border included: the formula is applied as it stands.
      std::vector<double> a((n + 1) * (n + 1)), b(a.size());
      for (double& v : a) v = value(rng);
      for (double& v : b) v = value(rng) * 1e-7;
      if (trial == 2) a[rng() % a.size()] = NAN, b[rng() % b.size()] = INFINITY;
      // Signed zeros only in A: every sum is +0 or -0, and the score's sign
      // bit follows from the order of the operations.
      if (trial == 1)
        for (double& v : a) v = rng() % 2 ? -0.0 : 0.0;
      for (int wmin : {1, 2, n}) {
        for (int hmin : {1, 3, n + 1}) {
          const auto fast = sweep(n, a, b, wmin, hmin);
          const auto plain = sweep(n, a, b, wmin, hmin, true);
          testing::expectSameBits(fast, plain);
          // One window recomputed by hand, in the defined order.
          if (hmin <= n && wmin <= n) {
            const int x0 = 1, y0 = 1, x1 = wmin, y1 = hmin, s = n + 1;
            const auto sum = [&](const std::vector<double>& t) {
              return ((t[(y0 - 1) + (x0 - 1) * s] + t[y1 + x1 * s]) - t[(y0 - 1) + x1 * s]) -
                     t[y1 + (x0 - 1) * s];
            };
            const double expected = (sum(a) * sum(b)) / static_cast<double>(wmin * hmin);
            EXPECT_EQ(testing::bitsOf(fast[(x0 - 1) + n * (y0 - 1) + n * n * (x1 - 1) +
                                           n * n * n * (y1 - 1)]),
                      testing::bitsOf(expected));
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace winscore::gridsweep
