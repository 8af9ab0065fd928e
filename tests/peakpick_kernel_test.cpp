// SPDX-License-Identifier: MIT
// Block maxima: the worked arrays, fractional neighbourhoods, and a brute-force check.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "bits.hpp"
#include "peakpick_kernel.hpp"

namespace winscore::peakpick {
namespace {

using Window = std::array<int, 4>;  // xmin, ymin, xmax, ymax

struct Maximum {
  Window at;
  double score;
  bool operator==(const Maximum& o) const {
    return at == o.at && (score == o.score || (std::isnan(score) && std::isnan(o.score)));
  }
};

std::ostream& operator<<(std::ostream& os, const Maximum& m) {
  return os << "(" << m.at[0] << "," << m.at[1] << "," << m.at[2] << "," << m.at[3]
            << ")=" << m.score;
}

struct Array4 {
  int X, Y;
  std::vector<double> h;
  Array4(int x, int y, double fill) : X(x), Y(y), h(static_cast<size_t>(x) * y * x * y, fill) {}
  double& operator()(int i, int j, int k, int l) {
    return h[(i - 1) + X * ((j - 1) + Y * ((k - 1) + X * (l - 1)))];
  }
};

// Runs the kernel with room for `capacity` maxima and returns what it wrote;
// `accepted` receives the count it reports.
std::vector<Maximum> pick(const Array4& a, double sizeX, double sizeY, double w,
                          std::int64_t capacity, std::int64_t* accepted = nullptr) {
  std::vector<std::vector<double>> out(5, std::vector<double>(capacity + 1, -7.0));
  const std::int64_t r = localMaxima(out[0].data(), out[1].data(), out[2].data(),
                                     out[3].data(), out[4].data(), capacity, a.h.data(), sizeX,
                                     sizeY, w);
  if (accepted) *accepted = r;
  for (auto& o : out) EXPECT_EQ(o[capacity], -7.0) << "written past the capacity";
  std::vector<Maximum> found;
  for (std::int64_t m = 0; m < std::min(r, capacity); ++m)
    found.push_back({{int(out[0][m]), int(out[1][m]), int(out[2][m]), int(out[3][m])}, out[4][m]});
  for (std::int64_t m = r; m < capacity; ++m)
    for (auto& o : out) EXPECT_EQ(o[m], -7.0) << "written past the accepted maxima";
  return found;
}

std::int64_t lengthOf(double sizeX, double sizeY, double w) {
  return static_cast<std::int64_t>(outputLength(sizeX, sizeY, w));
}

TEST(PeakpickKernel, AllOnesFourByThreeAndItsVariants) {
  EXPECT_EQ(lengthOf(4, 3, 3), 9);
  Array4 ones(4, 3, 1.0);
  EXPECT_EQ(pick(ones, 4, 3, 3, 9), (std::vector<Maximum>{{{1, 1, 1, 1}, 1},
                                                         {{1, 1, 1, 3}, 1},
                                                         {{1, 1, 3, 1}, 1},
                                                         {{1, 1, 3, 3}, 1},
                                                         {{3, 1, 3, 1}, 1},
                                                         {{3, 1, 3, 3}, 1}}));
  Array4 peak = ones;
  peak(2, 2, 2, 2) = 5;
  EXPECT_EQ(pick(peak, 4, 3, 3, 9), (std::vector<Maximum>{{{2, 2, 2, 2}, 5}}));
  // Ties: the earliest in (xmin, ymin, xmax, ymax) order wins, and an equal value never rejects.
  Array4 tie(4, 3, 0.0);
  tie(2, 1, 1, 1) = 3, tie(1, 2, 1, 1) = 3;
  EXPECT_EQ(pick(tie, 4, 3, 3, 9), (std::vector<Maximum>{{{1, 2, 1, 1}, 3}}));
  Array4 tie2(4, 3, 0.0);
  tie2(1, 1, 2, 1) = 3, tie2(1, 2, 1, 1) = 3;
  EXPECT_EQ(pick(tie2, 4, 3, 3, 9), (std::vector<Maximum>{{{1, 1, 2, 1}, 3}}));
  EXPECT_TRUE(pick(Array4(4, 3, -1.0), 4, 3, 3, 9).empty());
  EXPECT_TRUE(pick(Array4(4, 3, 0.0), 4, 3, 3, 9).empty());
}

TEST(PeakpickKernel, NanNeitherWinsNorRejects) {
  Array4 a(4, 3, 1.0);
  a(1, 1, 1, 1) = NAN;  // the first block's start: best stays NaN, nothing accepted
  EXPECT_EQ(pick(a, 4, 3, 3, 9), (std::vector<Maximum>{{{1, 1, 1, 3}, 1},
                                                       {{1, 1, 3, 1}, 1},
                                                       {{1, 1, 3, 3}, 1},
                                                       {{3, 1, 3, 1}, 1},
                                                       {{3, 1, 3, 3}, 1}}));
  Array4 b(4, 3, 1.0);
  b(2, 1, 1, 1) = NAN;  // inside a block: skipped, the start still wins
  b(3, 1, 1, 2) = NAN;  // in other boxes: never rejects
  EXPECT_EQ(pick(b, 4, 3, 3, 9).size(), 6u);
  Array4 c(1, 1, NAN);
  EXPECT_TRUE(pick(c, 1, 1, 1, 1).empty());
}

TEST(PeakpickKernel, FractionalHalfWidthLeavesTheLastRunOutOfTheBlocks) {
  EXPECT_EQ(lengthOf(6, 6, 4), 34);  // ceil(1296 / 2.5^4)
  Array4 a(6, 6, 0.0);
  a(3, 3, 3, 3) = 1, a(5, 5, 5, 5) = 2;
  EXPECT_EQ(pick(a, 6, 6, 4, 34), (std::vector<Maximum>{{{3, 3, 3, 3}, 1}}));
  // The box around 3 spans 1..4: a larger score at ymax 1 (in no visited
  // block) rejects, one at ymax 5 (the next block) does not.
  Array4 below = a;
  below(3, 3, 3, 1) = 1.5;
  EXPECT_TRUE(pick(below, 6, 6, 4, 34).empty());
  Array4 above = a;
  above(3, 3, 3, 5) = 1.5;
  EXPECT_EQ(pick(above, 6, 6, 4, 34),
            (std::vector<Maximum>{{{3, 3, 3, 3}, 1}, {{3, 3, 3, 5}, 1.5}}));
  Array4 c(6, 6, 0.0);
  c(3, 3, 3, 3) = 1, c(1, 1, 1, 1) = 1.25;
  EXPECT_EQ(pick(c, 6, 6, 4, 34), (std::vector<Maximum>{{{1, 1, 1, 1}, 1.25}}));
}

TEST(PeakpickKernel, SizesStayDoublesInEveryBound) {
  // sizeX 4.5: X = 4 addresses the array, but 4.5 - c lets a start at 3 in
  // with c = 1.5; with sizeX 4 it stays out (3 > 2.5).
  Array4 a(4, 4, 0.0);
  a(3, 3, 3, 3) = 2;
  EXPECT_TRUE(pick(a, 4, 4, 4, 64).empty());
  EXPECT_EQ(pick(a, 4.5, 4.5, 4, 64), (std::vector<Maximum>{{{3, 3, 3, 3}, 2}}));
  EXPECT_EQ(lengthOf(4.5, 4.5, 4), 11);  // ceil(410.0625 / 39.0625)
  // Sizes below 1 visit nothing; size 0 gives no output at all.
  EXPECT_EQ(lengthOf(0, 3, 3), 0);
  Array4 one(1, 1, 1.0);
  EXPECT_TRUE(pick(one, 0.9, 1, 1, 1).empty());
  EXPECT_EQ(pick(one, 1, 1, 1, 1), (std::vector<Maximum>{{{1, 1, 1, 1}, 1}}));
  // Neighbourhood wider than the sizes: nothing visited.
  EXPECT_EQ(lengthOf(4, 3, 9), 1);
  EXPECT_TRUE(pick(Array4(4, 3, 1.0), 4, 3, 9, 1).empty());
  // A huge neighbourhood: block starts never leave int32 and nothing is visited.
  EXPECT_TRUE(pick(one, 1, 1, 1e300, 1).empty());
}

TEST(PeakpickKernel, NeighbourhoodOneReturnsEveryPositiveOrderedWindow) {
  Array4 a(3, 2, 0.0);
  std::vector<Maximum> expected;
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 2; ++j)
      for (int k = 1; k <= 3; ++k)
        for (int l = 1; l <= 2; ++l) {
          a(i, j, k, l) = (i + 2 * j + 3 * k + 5 * l) % 4 - 1.0;
          if (k >= i && l >= j && a(i, j, k, l) > 0) expected.push_back({{i, j, k, l}, a(i, j, k, l)});
        }
  EXPECT_EQ(pick(a, 3, 2, 1, lengthOf(3, 2, 1)), expected);
}

TEST(PeakpickKernel, CountsMaximaBeyondTheCapacityWithoutWritingThem) {
  // sizeX 2, sizeY 3, neighbourhood 2: ten blocks, every one accepted, n = 8.
  EXPECT_EQ(lengthOf(2, 3, 2), 8);
  std::int64_t accepted = 0;
  const auto found = pick(Array4(2, 3, 1.0), 2, 3, 2, 8, &accepted);
  EXPECT_EQ(accepted, 10);
  EXPECT_EQ(found.size(), 8u);
  EXPECT_EQ(pick(Array4(2, 3, 1.0), 2, 3, 2, 10).size(), 10u);
  pick(Array4(5, 5, 1.0), 5, 5, 7, 3, &accepted);
  EXPECT_EQ(accepted, 4);
  EXPECT_EQ(lengthOf(5, 5, 7), 3);
  pick(Array4(3, 3, 1.0), 3, 3, 4, 0, &accepted);
  EXPECT_EQ(accepted, 4);
}

// Brute force from the block description: pitch t = floor(d) positions per
// block; xmin/ymin starts 1, 1+t, ... while start + c <= size; xmax/ymax starts
// from those while start <= size, cut at the size; box p-c..p+c for whole c,
// p-floor(c)-1..p+floor(c) for fractional c, cut to 1..size. Integer sizes only.
std::vector<Maximum> bruteForce(Array4& a, double w) {
  const double c = (w - 1) / 2;
  const int t = static_cast<int>(std::floor(c + 1)), fc = static_cast<int>(std::floor(c));
  const bool whole = c == fc;
  const int size[4] = {a.X, a.Y, a.X, a.Y};
  std::vector<Maximum> out;
  for (int a1 = 1; a1 + c <= a.X; a1 += t)
    for (int a2 = 1; a2 + c <= a.Y; a2 += t)
      for (int a3 = a1; a3 <= a.X; a3 += t)
        for (int a4 = a2; a4 <= a.Y; a4 += t) {
          const Window start = {a1, a2, a3, a4};
          // Every position of the block, lexicographic; strictly greater wins.
          Window best = start;
          double bestScore = a(a1, a2, a3, a4);
          for (int i = a1; i < a1 + t; ++i)
            for (int j = a2; j < a2 + t; ++j)
              for (int k = a3; k < a3 + t && k <= a.X; ++k)
                for (int l = a4; l < a4 + t && l <= a.Y; ++l)
                  if (a(i, j, k, l) > bestScore) bestScore = a(i, j, k, l), best = {i, j, k, l};
          if (!(bestScore > 0)) continue;
          int lo[4], hi[4];
          for (int q = 0; q < 4; ++q) {
            lo[q] = std::max(1, best[q] - fc - (whole ? 0 : 1));
            hi[q] = std::min(size[q], best[q] + fc);
          }
          bool larger = false;
          for (int i = lo[0]; i <= hi[0]; ++i)
            for (int j = lo[1]; j <= hi[1]; ++j)
              for (int k = lo[2]; k <= hi[2]; ++k)
                for (int l = lo[3]; l <= hi[3]; ++l) larger |= a(i, j, k, l) > bestScore;
          if (!larger) out.push_back({best, bestScore});
        }
  return out;
}

TEST(PeakpickKernel, MatchesBruteForceOnRandomArrays) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> value(-3, 4);  // few values, so many ties
  size_t total = 0;
  for (int X : {1, 2, 3, 5, 6}) {
    for (int Y : {1, 2, 4, 7}) {
      for (double w : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 2.5, 3.2}) {
        Array4 a(X, Y, 0.0);
        for (double& v : a.h) v = rng() % 17 == 0 ? NAN : value(rng);
        const auto expected = bruteForce(a, w);
        std::int64_t accepted = 0;
        const auto found = pick(a, X, Y, w, static_cast<std::int64_t>(a.h.size()), &accepted);
        ASSERT_EQ(found, expected) << X << " x " << Y << ", neighbourhood " << w;
        if (w == 1 || w == 3 || w == 5) {
          EXPECT_LE(accepted, lengthOf(X, Y, w));
        }
        total += found.size();
      }
    }
  }
  EXPECT_GT(total, 500u);  // the check is not vacuous
}

// The fast scan against the whole-box scan, bit for bit on all five outputs
// and the count: scores with ties, NaN, infinities and signed zeros, whole and
// fractional sizes and neighbourhoods, and too little capacity.
TEST(PeakpickKernel, FastScanMatchesTheWholeBoxScanBitForBit) {
  std::mt19937 rng(17);
  const double special[] = {NAN, INFINITY, -INFINITY, -0.0, 0.0, 1e-300, -1e300};
  for (double sizeX : {1.0, 3.0, 5.0, 6.5, 8.0}) {
    for (double sizeY : {1.0, 2.0, 4.0, 7.0, 4.9}) {
      for (double w : {1.0, 2.0, 3.0, 4.0, 5.0, 3.7, 9.0}) {
        Array4 a(static_cast<int>(sizeX), static_cast<int>(sizeY), 0.0);
        std::uniform_int_distribution<int> level(-2, 5);
        for (double& v : a.h) v = rng() % 9 == 0 ? special[rng() % 7] : level(rng) * 0.25;
        for (std::int64_t capacity : {std::int64_t{3}, static_cast<std::int64_t>(a.h.size())}) {
          std::vector<std::vector<double>> fast(5, std::vector<double>(capacity, -7.0)),
              plain = fast;
          const std::int64_t nFast =
              localMaxima(fast[0].data(), fast[1].data(), fast[2].data(), fast[3].data(),
                          fast[4].data(), capacity, a.h.data(), sizeX, sizeY, w);
          const std::int64_t nPlain =
              localMaximaPlain(plain[0].data(), plain[1].data(), plain[2].data(),
                               plain[3].data(), plain[4].data(), capacity, a.h.data(), sizeX,
                               sizeY, w);
          ASSERT_EQ(nFast, nPlain) << sizeX << " x " << sizeY << ", neighbourhood " << w;
          for (int o = 0; o < 5; ++o) testing::expectSameBits(fast[o], plain[o]);
        }
      }
    }
  }
}

}  // namespace
}  // namespace winscore::peakpick
