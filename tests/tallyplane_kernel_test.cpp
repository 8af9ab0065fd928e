// SPDX-License-Identifier: MIT
// The integral histogram against a direct count, and its worked examples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "bits.hpp"
#include "tallyplane_kernel.hpp"
#include "tallyplane_stores.hpp"

namespace winscore::tallyplane {
namespace {

struct Image {
  int rows, cols;
  std::vector<double> q;  // column-major
  double at(int r, int c) const { return q[(r - 1) + (c - 1) * rows]; }
};

std::vector<double> histogramOf(const Image& im, int bins) {
  std::vector<double> h(static_cast<size_t>(bins) * (im.rows + 1) * (im.cols + 1), 0.0);
  integralHistogram(h.data(), im.q.data(), im.rows, im.cols, bins);
  return h;
}

double directCount(const Image& im, int r, int c, int bin) {
  double n = 0;
  for (int i = 1; i <= r; ++i)
    for (int j = 1; j <= c; ++j) n += std::floor(im.at(i, j)) == bin;
  return n;
}

TEST(TallyplaneKernel, SinglePixelMarksOnlyTheLastCorner) {
  const Image im{1, 1, {2.0}};
  EXPECT_EQ(histogramOf(im, 3), (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
  const Image fractional{1, 1, {2.9}};
  EXPECT_EQ(histogramOf(fractional, 3)[10], 1.0);
}

TEST(TallyplaneKernel, AllOnesCountsTheRectangle) {
  const Image im{2, 3, std::vector<double>(6, 1.0)};
  const auto h = histogramOf(im, 1);
  for (int c = 0; c <= 3; ++c)
    for (int r = 0; r <= 2; ++r) EXPECT_EQ(h[r + c * 3], r * c) << r << "," << c;
}

TEST(TallyplaneKernel, MatchesDirectCountAndPlainOrderOnRandomImages) {
  std::mt19937 rng(7);
  for (int rows : {1, 2, 3, 7, 16}) {
    for (int cols : {1, 2, 5, 9}) {
      for (int bins : {1, 3, 8}) {
        Image im{rows, cols, {}};
        std::uniform_real_distribution<double> value(1.0, bins + 0.999);
        for (int p = 0; p < rows * cols; ++p) im.q.push_back(value(rng));
        const auto h = histogramOf(im, bins);
        std::vector<double> plain(h.size(), 0.0);
        integralHistogramPlain(plain.data(), im.q.data(), rows, cols, bins);
        testing::expectSameBits(h, plain);
        double total = 0;
        for (int b = 0; b < bins; ++b) total += h[h.size() - bins + b];
        EXPECT_EQ(total, rows * cols);
        for (int r = 0; r <= rows; ++r)
          for (int c = 0; c <= cols; ++c)
            for (int b = 1; b <= bins; ++b)
              ASSERT_EQ(h[(b - 1) + (r + c * (rows + 1)) * static_cast<size_t>(bins)],
                        directCount(im, r, c, b))
                  << "corner " << r << "," << c << " bin " << b;
      }
    }
  }
}

// Every pass and store kind against the row-order definition, bit for bit: odd
// bin counts (no streaming), more bins than the grouped pass holds, column
// counts that leave a short last group, an output 8 bytes off the 16-byte
// alignment streaming needs, and one output large enough to stream by itself.
TEST(TallyplaneKernel, EveryPassMatchesThePlainOrderBitForBit) {
  std::mt19937 rng(13);
  struct Case { int rows, cols, bins; };
  for (const Case& k : {Case{5, 7, 2}, Case{4, 3, 9}, Case{9, 4, 64}, Case{3, 5, 513},
                        Case{2, 2, 1024}, Case{1, 8, 6}, Case{31, 10, 16}, Case{300, 20, 256}}) {
    std::uniform_real_distribution<double> value(1.0, k.bins + 0.999);
    std::vector<double> q(static_cast<size_t>(k.rows) * k.cols);
    for (double& v : q) v = value(rng);
    const size_t size = static_cast<size_t>(k.bins) * (k.rows + 1) * (k.cols + 1);
    std::vector<double> plain(size, 0.0);
    integralHistogramPlain(plain.data(), q.data(), k.rows, k.cols, k.bins);
    for (int run = 0; run < 5; ++run) {
      // One spare element in front lets the output start off the 16-byte grid.
      std::vector<double> buffer(size + 2, 0.0);
      const bool aligned = reinterpret_cast<std::uintptr_t>(buffer.data()) % 16 == 0;
      double* out = buffer.data() + ((run == 3) == aligned ? 1 : 0);
      if (run == 0) integralHistogram(out, q.data(), k.rows, k.cols, k.bins);
      else if (run == 1) integralHistogramCached(out, q.data(), k.rows, k.cols, k.bins);
      else integralHistogramStreamed(out, q.data(), k.rows, k.cols, k.bins);
      testing::expectSameBits(std::vector<double>(out, out + size), plain);
      EXPECT_EQ(buffer.front() + buffer.back(), 0.0) << "written outside the output";
    }
  }
}

TEST(TallyplaneKernel, FindsTheFirstPixelOutsideTheBins) {
  const double nan = std::nan("");
  EXPECT_EQ(firstPixelOutsideBins(std::vector<double>{1, 2.99, 1.5}.data(), 3, 1, 2), -1);
  EXPECT_EQ(firstPixelOutsideBins(std::vector<double>{1, 3, 0}.data(), 1, 3, 2), 1);
  EXPECT_EQ(firstPixelOutsideBins(std::vector<double>{1, 0.99}.data(), 2, 1, 2), 1);
  EXPECT_EQ(firstPixelOutsideBins(std::vector<double>{nan}.data(), 1, 1, 2), 0);
  EXPECT_EQ(firstPixelOutsideBins(std::vector<double>{-INFINITY}.data(), 1, 1, 2), 0);
  EXPECT_EQ(firstPixelOutsideBins(std::vector<double>{1e300}.data(), 1, 1, 2), 0);
  EXPECT_EQ(firstPixelOutsideBins(nullptr, 0, 5, 2), -1);
}

}  // namespace
}  // namespace winscore::tallyplane
