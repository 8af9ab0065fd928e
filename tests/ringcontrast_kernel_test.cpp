// SPDX-License-Identifier: MIT
// The fused contrast against tallyplane + ringdiff, bit for bit, and its
// quantisation against the definition.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "bits.hpp"
#include "ringcontrast_kernel.hpp"
#include "ringdiff_kernel.hpp"
#include "tallyplane_kernel.hpp"

namespace winscore {
namespace {

namespace rc = ringcontrast;
using testing::expectSameBits;

// N x 4 column-major boxes.
struct Boxes {
  std::vector<double> x0, y0, x1, y1;
  void add(int a, int b, int c, int d) {
    x0.push_back(a), y0.push_back(b), x1.push_back(c), y1.push_back(d);
  }
  std::vector<double> matrix() const {
    std::vector<double> m(x0);
    m.insert(m.end(), y0.begin(), y0.end());
    m.insert(m.end(), x1.begin(), x1.end());
    m.insert(m.end(), y1.begin(), y1.end());
    return m;
  }
  std::int64_t size() const { return static_cast<std::int64_t>(x0.size()); }
};

// The plug-ins' road: the integral histogram, then ringdiff's scores.
std::vector<double> pairScores(const std::vector<double>& q, int R, int C, int B, const Boxes& b,
                               int p) {
  std::vector<double> h(static_cast<size_t>(B) * (R + 1) * (C + 1), 0.0);
  tallyplane::integralHistogram(h.data(), q.data(), R, C, B);
  std::vector<double> scores(b.x0.size(), 0.0), inner(B), P(B), ring(B);
  const auto report =
      ringdiff::scoreWindows(scores.data(), inner.data(), P.data(), ring.data(), h.data(), R, C,
                             b.x0.data(), b.y0.data(), b.x1.data(), b.y1.data(), p, B,
                             static_cast<std::int32_t>(b.size()));
  EXPECT_EQ(report.fault, ringdiff::WindowFault::none);
  return scores;
}

std::vector<double> fusedScores(const std::vector<double>& q, int R, int C, int B, const Boxes& b,
                                int p) {
  std::vector<double> scores(b.x0.size(), -1.0);
  const std::vector<double> m = b.matrix();
  const rc::Report report = rc::scoreWindows(scores.data(), {q.data(), rc::Source::bins, R, C, 1},
                                             B, m.data(), b.size(), p);
  EXPECT_EQ(report.fault, rc::Fault::none);
  EXPECT_EQ(rc::firstBadBox(m.data(), b.size(), R, C), b.size());
  return scores;
}

// Patches of one bin with noise, so that windows and rings differ.
std::vector<double> patchyImage(std::mt19937& rng, int R, int C, int B) {
  std::uniform_int_distribution<int> bin(1, B), coin(0, 3);
  std::vector<double> q(static_cast<size_t>(R) * C);
  const int patch = 1 + static_cast<int>(rng() % 9);
  std::vector<int> patchBin(static_cast<size_t>(R / patch + 1) * (C / patch + 1));
  for (int& v : patchBin) v = bin(rng);
  for (int c = 0; c < C; ++c)
    for (int r = 0; r < R; ++r)
      q[r + static_cast<size_t>(c) * R] =
          coin(rng) ? patchBin[r / patch + (c / patch) * (R / patch + 1)] : bin(rng);
  return q;
}

// Every one-pixel box on the border, the whole image, thin strips, and random boxes.
Boxes adversarialBoxes(std::mt19937& rng, int R, int C, int randomCount) {
  Boxes b;
  for (int x : {1, C})
    for (int y = 1; y <= R; ++y) b.add(x, y, x, y);
  for (int y : {1, R})
    for (int x = 1; x <= C; ++x) b.add(x, y, x, y);
  b.add(1, 1, C, R);
  b.add(1, 1, 1, R);
  b.add(1, 1, C, 1);
  b.add(C, 1, C, R);
  b.add(1, R, C, R);
  for (int i = 0; i < randomCount; ++i) {
    const int x0 = 1 + static_cast<int>(rng() % C), y0 = 1 + static_cast<int>(rng() % R);
    b.add(x0, y0, x0 + static_cast<int>(rng() % (C - x0 + 1)),
          y0 + static_cast<int>(rng() % (R - y0 + 1)));
  }
  return b;
}

TEST(RingcontrastKernel, EqualsThePluginsBitForBit) {
  std::mt19937 rng(11);
  const int percents[] = {-200, -199, -150, -101, -100, -1, 0, 1, 13, 50, 99, 100, 199, 200,
                          1000, std::numeric_limits<std::int32_t>::max()};
  struct Size {
    int R, C, B;
  };
  // Degenerate sides, odd sizes across block edges, one bin, and the most bins
  // the plug-ins' 32-bit offsets allow on a small image.
  for (const Size s : {Size{1, 1, 1}, Size{1, 9, 3}, Size{9, 1, 3}, Size{2, 2, 2},
                       Size{17, 23, 7}, Size{64, 65, 64}, Size{33, 5, 1}, Size{12, 12, 2000}}) {
    const std::vector<double> q = patchyImage(rng, s.R, s.C, s.B);
    const Boxes boxes = adversarialBoxes(rng, s.R, s.C, 150);
    for (const int p : percents) {
      SCOPED_TRACE(::testing::Message() << s.R << " x " << s.C << ", B " << s.B << ", p " << p);
      expectSameBits(fusedScores(q, s.R, s.C, s.B, boxes, p),
                     pairScores(q, s.R, s.C, s.B, boxes, p));
    }
  }
}

TEST(RingcontrastKernel, ManyWindowsOrBinsCrossBatchesAndWideImagesCountInWideRows) {
  std::mt19937 rng(5);
  // 600 bins hold 873 windows per batch: 2000 windows take three sweeps.
  const std::vector<double> q = patchyImage(rng, 40, 50, 600);
  const Boxes boxes = adversarialBoxes(rng, 40, 50, 2000);
  expectSameBits(fusedScores(q, 40, 50, 600, boxes, 50), pairScores(q, 40, 50, 600, boxes, 50));
  // A million bins on a 1 x 2 image: one window per sweep.
  const std::vector<double> two = {1.0, 1000000.0};
  Boxes pairOfBoxes;
  pairOfBoxes.add(1, 1, 1, 1);
  pairOfBoxes.add(2, 1, 2, 1);
  pairOfBoxes.add(1, 1, 2, 1);
  for (const int p : {-200, 50, 200})
    expectSameBits(fusedScores(two, 1, 2, 1000000, pairOfBoxes, p),
                   pairScores(two, 1, 2, 1000000, pairOfBoxes, p));
  // More than 65535 columns: a row's count needs 32 bits.
  const int C = 70000;
  const std::vector<double> wide = patchyImage(rng, 2, C, 3);
  Boxes strips = adversarialBoxes(rng, 2, C, 50);
  expectSameBits(fusedScores(wide, 2, C, 3, strips, 100), pairScores(wide, 2, C, 3, strips, 100));
}

TEST(RingcontrastKernel, FloorsBinsAndNamesTheFirstOutsideThem) {
  std::vector<double> q = {1.0, 2.9, 1.5, 2.0};
  Boxes b;
  b.add(1, 1, 1, 1);
  b.add(1, 1, 2, 2);
  expectSameBits(fusedScores(q, 2, 2, 2, b, 100), pairScores(q, 2, 2, 2, b, 100));
  const std::vector<double> m = b.matrix();
  double scores[2];
  for (const double bad : {0.5, 3.0, std::nan(""), -1.0, 1e300}) {
    q[3] = bad;
    const rc::Report report =
        rc::scoreWindows(scores, {q.data(), rc::Source::bins, 2, 2, 1}, 2, m.data(), 2, 50);
    EXPECT_EQ(report.fault, rc::Fault::badBin);
    EXPECT_EQ(report.element, 3);
  }
}

TEST(RingcontrastKernel, RefusesBoxesOutsideTheImageOrNotWhole) {
  const double R = 4, C = 5;
  const std::vector<std::vector<double>> bad = {
      {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 6, 1}, {1, 1, 1, 5}, {2, 1, 1, 1}, {1, 2, 1, 1},
      {1.5, 1, 2, 2}, {1, 1, 2, 2.5}, {NAN, 1, 2, 2}, {1, 1, INFINITY, 2}};
  for (const auto& box : bad) {
    // Box 2 of [good; bad]: column-major N x 4.
    const std::vector<double> m = {1, box[0], 1, box[1], C, box[2], R, box[3]};
    EXPECT_EQ(rc::firstBadBox(m.data(), 2, 4, 5), 1) << box[0] << " " << box[1];
  }
  const std::vector<double> good = {1, 1, C, R};
  EXPECT_EQ(rc::firstBadBox(good.data(), 1, 4, 5), 1);
}

// winscore.quantise's arithmetic, written out for one unit value per channel.
double greyBin(double u, int B) { return 1 + std::min(std::floor(u * B), B - 1.0); }
double rgbBin(double r, double g, double b, int L) {
  auto level = [L](double u) { return std::min(std::floor(u * L), L - 1.0); };
  return 1 + level(r) + L * level(g) + L * L * level(b);
}

template <typename T>
std::vector<double> quantised(const std::vector<T>& pixels, rc::Source source, int R, int C,
                              int channels, int B) {
  std::vector<double> q(static_cast<size_t>(R) * C, -1.0);
  EXPECT_EQ(rc::quantise(q.data(), {pixels.data(), source, R, C, channels}, B).fault,
            rc::Fault::none);
  return q;
}

TEST(RingcontrastKernel, QuantisesEveryClassAsTheDefinition) {
  // Grey: the ends of each range, the values next to them, and the middle.
  const std::vector<std::uint8_t> u8 = {0, 1, 127, 128, 254, 255};
  const std::vector<std::int16_t> i16 = {-32768, -32767, -1, 0, 32766, 32767};
  const std::vector<std::uint16_t> u16 = {0, 1, 4095, 32768, 65534, 65535};
  const std::vector<std::int64_t> i64 = {std::numeric_limits<std::int64_t>::min(), -1, 0,
                                         std::numeric_limits<std::int64_t>::max(), 7, 1 << 30};
  const std::vector<double> f64 = {-0.0, NAN, -INFINITY, INFINITY, 0.5, 1.0 - 1e-16};
  const std::vector<float> f32 = {-1.0f, 0.25f, 0.999999f, 1.5f, NAN, 0.0f};
  const std::vector<bool> logicalBits = {false, true, true, false, true, false};
  const std::vector<std::uint8_t> logical(logicalBits.begin(), logicalBits.end());
  for (const int B : {1, 2, 3, 7, 64, 255, 256, 1000, 2147483647}) {
    SCOPED_TRACE(B);
    std::vector<double> want;
    for (auto v : u8) want.push_back(greyBin(v / 255.0, B));
    expectSameBits(quantised(u8, rc::Source::uint8, 2, 3, 1, B), want);
    want.clear();
    for (auto v : i16) want.push_back(greyBin((v + 32768.0) / 65535.0, B));
    expectSameBits(quantised(i16, rc::Source::int16, 3, 2, 1, B), want);
    want.clear();
    for (auto v : u16) want.push_back(greyBin(v / 65535.0, B));
    expectSameBits(quantised(u16, rc::Source::uint16, 6, 1, 1, B), want);
    want.clear();
    for (auto v : i64)
      want.push_back(greyBin((static_cast<double>(v) + 0x1p63) / 0x1p64, B));
    expectSameBits(quantised(i64, rc::Source::int64, 1, 6, 1, B), want);
    want.clear();
    for (double v : f64) want.push_back(greyBin(std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0), B));
    expectSameBits(quantised(f64, rc::Source::float64, 2, 3, 1, B), want);
    want.clear();
    for (float v : f32)
      want.push_back(greyBin(std::isnan(v) ? 0.0 : std::clamp<double>(v, 0.0, 1.0), B));
    expectSameBits(quantised(f32, rc::Source::float32, 2, 3, 1, B), want);
    want.clear();
    for (bool v : logicalBits) want.push_back(greyBin(v ? 1.0 : 0.0, B));
    expectSameBits(quantised(logical, rc::Source::logical, 2, 3, 1, B), want);
  }
  // RGB: two pixels, channel planes one after the other.
  const std::vector<std::uint8_t> rgb = {0, 255, 128, 64, 200, 1};
  for (const int L : {1, 2, 4, 5}) {
    const std::vector<double> want = {rgbBin(0, 128 / 255.0, 200 / 255.0, L),
                                      rgbBin(1, 64 / 255.0, 1 / 255.0, L)};
    expectSameBits(quantised(rgb, rc::Source::uint8, 2, 1, 3, L * L * L), want);
  }
  double q[2];
  EXPECT_EQ(rc::quantise(q, {rgb.data(), rc::Source::uint8, 2, 1, 3}, 9).fault, rc::Fault::notCube);
}

TEST(RingcontrastKernel, ScoresPixelsAsTheirBins) {
  std::mt19937 rng(3);
  const int R = 30, C = 41, L = 4;
  std::vector<std::uint16_t> rgb(3 * R * C);
  for (auto& v : rgb) v = static_cast<std::uint16_t>(rng() % 4 * 16384 + rng() % 16384);
  const std::vector<double> q = quantised(rgb, rc::Source::uint16, R, C, 3, L * L * L);
  const Boxes boxes = adversarialBoxes(rng, R, C, 200);
  const std::vector<double> m = boxes.matrix();
  std::vector<double> scores(boxes.x0.size());
  rc::scoreWindows(scores.data(), {rgb.data(), rc::Source::uint16, R, C, 3}, L * L * L, m.data(),
                   boxes.size(), 50);
  expectSameBits(scores, pairScores(q, R, C, L * L * L, boxes, 50));
}

// The range against a plain loop, every length up to three blocks of lanes
// and a NaN or a fraction anywhere; and the pixels' pass gives the same.
TEST(RingcontrastKernel, RangeIsThePlainMinimumMaximumAndFloor) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(-2.0, 3.0);
  auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
  for (int n = 1; n <= 25; ++n)
    for (int trial = 0; trial < 4; ++trial) {
      std::vector<double> v(n);
      for (double& x : v) x = std::floor(unit(random));
      if (trial == 1) v[random() % n] = std::numeric_limits<double>::quiet_NaN();
      if (trial == 2) v[random() % n] = 0.5;
      double low = NAN, high = NAN;
      bool whole = true;
      for (double x : v) {
        if (!std::isnan(x) && !(low <= x)) low = x;
        if (!std::isnan(x) && !(high >= x)) high = x;
        whole = whole && x == std::floor(x);
      }
      const rc::Range got = rc::rangeOf(v.data(), rc::Source::float64, n);
      EXPECT_TRUE(same(got.low, low) && same(got.high, high)) << n;
      EXPECT_EQ(got.whole, whole) << n;
      // As a 1 x n image scored with one window: every column is read.
      std::vector<double> score(1);
      const std::vector<double> box{1, 1, 1, 1};
      rc::Range swept{0, 0, false};
      rc::scoreWindows(score.data(), {v.data(), rc::Source::float64, 1, n, 1}, 4, box.data(), 1,
                       50, &swept);
      EXPECT_TRUE(same(swept.low, low) && same(swept.high, high)) << n;
    }
  const std::vector<std::int16_t> i16{-3, 7, 2};
  const rc::Range got = rc::rangeOf(i16.data(), rc::Source::int16, 3);
  EXPECT_EQ(got.low, -3.0);
  EXPECT_EQ(got.high, 7.0);
}

TEST(RingcontrastKernel, WorkingMemoryStaysSmallAtPhotoSizes) {
  // 1024 x 768 at 64 bins with 3000 windows: a few MB, not the 404 MB histogram.
  EXPECT_LT(rc::workingBytes(768, 1024, 64, 3000), 8e6);
  EXPECT_LT(rc::workingBytes(3000, 4000, 64, 3000), 8e6);
  // Growing the windows beyond a batch does not grow it further.
  EXPECT_EQ(rc::workingBytes(768, 1024, 64, 100000), rc::workingBytes(768, 1024, 64, 1000000));
}

}  // namespace
}  // namespace winscore
