// SPDX-License-Identifier: MIT
// Window scores against a direct count of both histograms, and the worked surround cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "bits.hpp"
#include "builders.hpp"
#include "ringdiff_kernel.hpp"

namespace winscore::ringdiff {
namespace {

using testing::bitsOf;

// A quantised image; bin 0 marks a pixel that falls in no bin.
struct Image {
  int rows, cols;
  std::vector<int> bin;  // column-major
  int at(int r, int c) const { return bin[(r - 1) + (c - 1) * rows]; }
};

Image uniform(int rows, int cols, int value) {
  return Image{rows, cols, std::vector<int>(static_cast<size_t>(rows) * cols, value)};
}

void paint(Image& im, int x0, int y0, int x1, int y1, int value) {
  for (int c = x0; c <= x1; ++c)
    for (int r = y0; r <= y1; ++r) im.bin[(r - 1) + (c - 1) * im.rows] = value;
}

// Pixels of bin b in columns x0..x1 and rows y0..y1.
double countIn(const Image& im, int b, int x0, int y0, int x1, int y1) {
  double n = 0;
  for (int c = std::max(x0, 1); c <= std::min(x1, im.cols); ++c)
    for (int r = std::max(y0, 1); r <= std::min(y1, im.rows); ++r) n += im.at(r, c) == b;
  return n;
}

struct Window {
  double x0, y0, x1, y1;
};

struct Scored {
  std::vector<double> scores;
  WindowReport report;
};

Scored score(const Image& im, int bins, const std::vector<Window>& windows, int percent) {
  const auto h = testing::integralHistogram(im.bin, im.rows, im.cols, bins);
  std::vector<double> x0, y0, x1, y1;
  for (const auto& w : windows) {
    x0.push_back(w.x0);
    y0.push_back(w.y0);
    x1.push_back(w.x1);
    y1.push_back(w.y1);
  }
  const int n = static_cast<int>(windows.size());
  std::vector<double> scores(n, 0.0), inner(bins), P(bins), ring(bins);
  const WindowReport report =
      scoreWindows(scores.data(), inner.data(), P.data(), ring.data(), h.data(), im.rows,
                   im.cols, x0.data(), y0.data(), x1.data(), y1.data(), percent, bins, n);
  return {scores, report};
}

// The score from the definition: window and ring counted pixel by pixel, the
// surround box clipped with min and max, then the chi-square in bin order.
double referenceScore(const Image& im, int bins, int x0, int y0, int x1, int y1, int percent) {
  const double dx = (x1 - x0 + 1.0) * percent / 200.0;
  const double dy = (y1 - y0 + 1.0) * percent / 200.0;
  const int sx0 = std::max(1, static_cast<int>(std::ceil(x0 - dx)));
  const int sx1 = std::min(im.cols, static_cast<int>(std::ceil(x1 + dx)));
  const int sy0 = std::max(1, static_cast<int>(std::ceil(y0 - dy)));
  const int sy1 = std::min(im.rows, static_cast<int>(std::ceil(y1 + dy)));
  std::vector<double> inner(bins), ring(bins, 0.0);
  double S = 0, T = 0;
  for (int b = 1; b <= bins; ++b) {
    inner[b - 1] = countIn(im, b, x0, y0, x1, y1);
    for (int c = sx0; c <= sx1; ++c)
      for (int r = sy0; r <= sy1; ++r)
        ring[b - 1] += im.at(r, c) == b && !(c >= x0 && c <= x1 && r >= y0 && r <= y1);
    S += inner[b - 1];
    T += ring[b - 1];
  }
  double total = 0;
  for (int t = 0; t < bins && T != 0; ++t) {
    const double P = S != 0 ? inner[t] / S : 0.0;
    const double Q = ring[t] / T;
    if (P + Q != 0) total = (P - Q) * (P - Q) / (Q + P) + total;
  }
  return total;
}

TEST(RingdiffKernel, SurroundGrowsByHalfThePercentageOnEachSideAndTakesCeilings) {
  struct Case {
    Window window;
    int percent;
    Box expected;
  };
  const Case cases[] = {
      {{4, 4, 4, 4}, 100, {4, 5, 4, 5}},      // dx = 0.5: grows only upwards
      {{3, 3, 5, 5}, 100, {2, 7, 2, 7}},      // dx = 1.5
      {{1, 1, 2, 2}, 100, {1, 3, 1, 3}},      // clipped at column 1 and row 1
      {{9, 2, 10, 2}, 100, {8, 10, 2, 3}},    // clipped at column C only
      {{5, 5, 7, 7}, 50, {5, 8, 5, 8}},       // dx = 0.75: the lower side stays
      {{3, 3, 6, 6}, -100, {5, 4, 5, 4}},     // a negative percentage shrinks it
      {{1, 1, 10, 10}, 300, {1, 10, 1, 10}},  // the whole image
      {{4, 4, 4, 4}, 0, {4, 4, 4, 4}},
  };
  for (const auto& k : cases) {
    const auto& w = k.window;
    const Box box = surroundBox(w.x0, w.y0, w.x1, w.y1, static_cast<int>(w.x1 - w.x0 + 1),
                                static_cast<int>(w.y1 - w.y0 + 1), k.percent, 10, 10);
    EXPECT_EQ(box.x0, k.expected.x0) << w.x0 << " p " << k.percent;
    EXPECT_EQ(box.x1, k.expected.x1) << w.x0 << " p " << k.percent;
    EXPECT_EQ(box.y0, k.expected.y0) << w.y0 << " p " << k.percent;
    EXPECT_EQ(box.y1, k.expected.y1) << w.y0 << " p " << k.percent;
  }
  // The margin is the product w*p over 200: w = 25 and p = 232 give 29, where
  // w times p/200 would give 28.999999999999996 and a lower side one further in.
  const Box wide = surroundBox(40, 1, 64, 1, 25, 1, 232, 1, 100);
  EXPECT_EQ(wide.x0, 11);
  EXPECT_EQ(wide.x1, 93);
  // A NaN side takes the border.
  const Box nanBox = surroundBox(NAN, NAN, NAN, NAN, 1, 1, 100, 7, 9);
  EXPECT_EQ(nanBox.x0, 1);
  EXPECT_EQ(nanBox.x1, 9);
  EXPECT_EQ(nanBox.y1, 7);
}

TEST(RingdiffKernel, ScoresTheWorkedCases) {
  // A square of bin 1 on bin 2 has no bin in common with its ring: 2.
  Image im = uniform(10, 10, 2);
  paint(im, 4, 4, 6, 6, 1);
  // The ring of a window with the same mix as its ring: 0.
  Image stripes = uniform(10, 10, 1);
  for (int c = 2; c <= 10; c += 2) paint(stripes, c, 1, c, 10, 2);
  const Scored run = score(im, 3, {{4, 4, 6, 6}, {1, 1, 10, 10}, {4, 4, 5, 5}}, 100);
  EXPECT_EQ(run.report.fault, WindowFault::none);
  EXPECT_EQ(run.report.window, 3);
  EXPECT_EQ(run.scores[0], 2.0);
  EXPECT_EQ(run.scores[1], 0.0);  // the whole image: the ring is empty
  EXPECT_GT(run.scores[2], 0.0);
  EXPECT_EQ(score(stripes, 2, {{3, 3, 6, 6}}, 100).scores[0], 0.0);
  // p = 0: the surround is the window, so every window scores 0.
  for (double s : score(im, 3, {{4, 4, 6, 6}, {2, 3, 8, 5}, {3, 3, 3, 3}}, 0).scores)
    EXPECT_EQ(s, 0.0);
  // B = 0: nothing is read and every window scores 0.
  EXPECT_EQ(score(im, 0, {{4, 4, 6, 6}}, 100).scores[0], 0.0);
}

TEST(RingdiffKernel, EmptyWindowScoresTheSumOfTheRingsShares) {
  Image im = uniform(8, 8, 1);
  paint(im, 1, 5, 8, 8, 2);
  paint(im, 3, 3, 4, 4, 0);  // pixels in no bin
  const Scored run = score(im, 2, {{3, 3, 4, 4}}, 200);
  const double T = countIn(im, 1, 2, 2, 5, 5) + countIn(im, 2, 2, 2, 5, 5);
  const double q1 = countIn(im, 1, 2, 2, 5, 5) / T, q2 = countIn(im, 2, 2, 2, 5, 5) / T;
  const double expected = (0 - q2) * (0 - q2) / q2 + ((0 - q1) * (0 - q1) / q1 + 0.0);
  EXPECT_EQ(bitsOf(run.scores[0]), bitsOf(expected));
  EXPECT_NEAR(run.scores[0], 1.0, 1e-15);
}

TEST(RingdiffKernel, MatchesADirectCountOnRandomImages) {
  std::mt19937 rng(11);
  for (int rows : {1, 2, 5, 11}) {
    for (int cols : {1, 3, 8}) {
      for (int bins : {1, 2, 5}) {
        Image im{rows, cols, {}};
        std::uniform_int_distribution<int> value(1, bins);
        for (int p = 0; p < rows * cols; ++p) im.bin.push_back(value(rng));
        std::uniform_int_distribution<int> col(1, cols), row(1, rows);
        std::vector<Window> windows;
        for (int k = 0; k < 12; ++k) {
          int x0 = col(rng), x1 = col(rng), y0 = row(rng), y1 = row(rng);
          windows.push_back({double(std::min(x0, x1)), double(std::min(y0, y1)),
                             double(std::max(x0, x1)), double(std::max(y0, y1))});
        }
        for (int percent : {0, 1, 37, 100, 250}) {
          // All windows in one call, so the working vectors are reused.
          const Scored run = score(im, bins, windows, percent);
          ASSERT_EQ(run.report.fault, WindowFault::none);
          for (size_t k = 0; k < windows.size(); ++k) {
            const auto& w = windows[k];
            const double expected = referenceScore(im, bins, int(w.x0), int(w.y0), int(w.x1),
                                                   int(w.y1), percent);
            ASSERT_EQ(bitsOf(run.scores[k]), bitsOf(expected))
                << rows << "x" << cols << " bins " << bins << " p " << percent << " window "
                << k << ": " << run.scores[k] << " vs " << expected;
          }
        }
        // Down to -200 the shrunken box keeps its corners inside the histogram.
        EXPECT_EQ(score(im, bins, windows, -200).report.fault, WindowFault::none);
      }
    }
  }
}

TEST(RingdiffKernel, StopsAtTheFirstWindowItCannotScore) {
  Image im = uniform(10, 10, 1);
  paint(im, 2, 2, 4, 4, 2);
  struct Case {
    Window window;
    int percent;
    WindowFault fault;
  };
  const Case cases[] = {
      {{5, 5, 4, 5}, 100, WindowFault::emptyWindow},     // xmax one less than xmin
      {{5, 5, 5, 4}, 100, WindowFault::emptyWindow},
      {{5, 5, 5.5, 5.5}, 100, WindowFault::none},       // width and height 1 after truncation
      {{0, 1, 3, 3}, 100, WindowFault::boxOutside},      // column 0 is no pixel
      {{8, 8, 11, 10}, 100, WindowFault::boxOutside},
      {{1, 10, 3, 11}, 100, WindowFault::boxOutside},
      {{NAN, 1, 3, 3}, 100, WindowFault::boxOutside},
      {{1, 1, INFINITY, 3}, 100, WindowFault::boxOutside},
      {{1, 1, 3, 1e12}, 100, WindowFault::boxOutside},
      {{INFINITY, 1, 3, 3}, 100, WindowFault::emptyWindow},  // width -Inf
      {{0.99, 1, 3, 3}, 100, WindowFault::boxOutside},  // offset 0 but no corner of the grid
      {{3, 0, 5, 2}, 100, WindowFault::boxOutside},     // offsets inside the array
      {{3, 9, 5, 11}, 100, WindowFault::boxOutside},
      {{3, 3, 5, 5}, -1000, WindowFault::surroundOutside},
      {{3, 3, 5, 5}, -2147483647, WindowFault::surroundOutside},
      {{3, 3, 5, 5}, 2147483647, WindowFault::none},  // clipped to the image
  };
  for (const auto& k : cases) {
    // Between two windows that can be scored at this percentage.
    const Window ok = k.percent < -200 ? k.window : Window{2, 2, 4, 4};
    const Scored run = score(im, 3, {ok, k.window, {1, 1, 2, 2}}, k.percent);
    EXPECT_EQ(run.report.fault, k.fault) << k.window.x0 << " " << k.window.y0 << " "
                                         << k.window.x1 << " " << k.window.y1;
    if (k.fault == WindowFault::none) continue;
    EXPECT_EQ(run.report.window, k.percent < -200 ? 0 : 1);
    EXPECT_EQ(run.scores[2], 0.0);  // never scored
  }
  // Fractional coordinates inside the image keep their defined result: xmax
  // 4.01 truncates to the offsets and surround of xmax 4.
  const Scored exact = score(im, 3, {{1, 1, 4, 5}}, 100);
  const Scored fractional = score(im, 3, {{1, 1, 4.01, 5}, {2.5, 1.5, 9.99, 9.5}}, 100);
  EXPECT_EQ(fractional.report.fault, WindowFault::none);
  EXPECT_EQ(bitsOf(fractional.scores[0]), bitsOf(exact.scores[0]));
  EXPECT_GT(exact.scores[0], 0.0);
}

// The scores of the definition, step by step, on a histogram of any values:
// corner offsets formed in doubles from the coordinates as stored and then
// truncated, the surround clipped with min and max and raised to whole
// numbers, and every histogram and sum taken in increasing bin order. Scores
// windows up to the first empty one, as the kernel does.
std::vector<double> definedScores(const std::vector<double>& H, int R, int C, int B,
                                  const std::vector<Window>& windows, int percent) {
  std::vector<double> scores;
  const double R1 = R + 1.0;
  for (const Window& win : windows) {
    const double x0 = win.x0, y0 = win.y0, x1 = win.x1, y1 = win.y1;
    const int w = static_cast<int>(x1 - x0 + 1), h = static_cast<int>(y1 - y0 + 1);
    if (w <= 0 || h <= 0) break;
    const long oUL = static_cast<long>(((x0 - 1) * R1 + y0 - 1) * B);
    const long oUR = static_cast<long>((x1 * R1 + y0 - 1) * B);
    const long oLL = static_cast<long>(((x0 - 1) * R1 + y1) * B);
    const long oLR = static_cast<long>((x1 * R1 + y1) * B);
    const double dx = static_cast<double>(w) * percent / 200.0;
    const double dy = static_cast<double>(h) * percent / 200.0;
    const long sx0 = static_cast<long>(std::ceil(std::max(x0 - dx, 1.0)));
    const long sx1 = static_cast<long>(std::ceil(std::min(x1 + dx, static_cast<double>(C))));
    const long sy0 = static_cast<long>(std::ceil(std::max(y0 - dy, 1.0)));
    const long sy1 = static_cast<long>(std::ceil(std::min(y1 + dy, static_cast<double>(R))));
    const long sUL = ((sx0 - 1) * (R + 1) + sy0 - 1) * B, sUR = (sx1 * (R + 1) + sy0 - 1) * B;
    const long sLL = ((sx0 - 1) * (R + 1) + sy1) * B, sLR = (sx1 * (R + 1) + sy1) * B;
    std::vector<double> inner(B), ring(B);
    double S = 0, T = 0;
    for (int t = 0; t < B; ++t) {
      inner[t] = ((H[oUL + t] + H[oLR + t]) - H[oUR + t]) - H[oLL + t];
      S = S + inner[t];
    }
    for (int t = 0; t < B; ++t) {
      ring[t] = (((H[sUL + t] + H[sLR + t]) - H[sUR + t]) - H[sLL + t]) - inner[t];
      T = T + ring[t];
    }
    double score = 0;
    for (int t = 0; t < B && T != 0; ++t) {
      const double P = S != 0 ? inner[t] / S : 0.0, Q = ring[t] / T;
      if (Q + P != 0) score = (P - Q) * (P - Q) / (Q + P) + score;
    }
    scores.push_back(score);
  }
  return scores;
}

// Histograms of real values, where regrouping any sum or corner combination
// changes the last bits, read through windows with whole and fractional
// coordinates inside the image (a fractional corner lands between the
// corners of the grid, as the offsets are defined), with surround margins
// whole and fractional. Some histograms also hold negative, zero of either
// sign, infinite, huge, subnormal and NaN values, and some lists end in an
// empty window.
//
// Which NaN an addition or multiplication of two different NaNs returns is
// the compiler's choice (it may swap the operands of + and *), so neither
// the kernel nor the reference fixes it. Each histogram therefore holds one
// kind of NaN: the one the target's invalid operations produce (0/0,
// Inf - Inf), alongside the infinities and extremes that give rise to it; or
// the other sign of NaN with only values that give rise to no NaN.
TEST(RingdiffKernel, MatchesTheDefinitionOnRealValuedHistogramsBitForBit) {
  std::mt19937 rng(31);
  volatile double zero = 0.0;
  const double invalid = zero / zero;
  const double other = -invalid;
  const std::vector<double> specials[] = {
      {},
      {},
      {invalid, INFINITY, -INFINITY, 1e300, -1e300, 1e-310, -0.0, -1.0, 0.5},
      {other, -0.0, 0.0, -1.0, -3.0, 0.25}};
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int differing = 0;  // windows whose score a regrouped sum would change
  for (int bins : {0, 1, 2, 3, 4, 7, 16, 33}) {
    for (int round = 0; round < 48; ++round) {
      const int rows = 1 + rng() % 9, cols = 1 + rng() % 9;
      const size_t corners = size_t(rows + 1) * (cols + 1);
      std::vector<double> H(corners * bins);
      const auto& special = specials[round % 4];
      for (double& v : H)
        v = (!special.empty() && rng() % 5 == 0) ? special[rng() % special.size()]
                                                 : std::ldexp(unit(rng), int(rng() % 24) - 4);
      const int n = 1 + rng() % 20;
      std::vector<Window> windows;
      for (int i = 0; i < n; ++i) {
        const int a = 1 + rng() % cols, b = 1 + rng() % cols;
        const int c = 1 + rng() % rows, d = 1 + rng() % rows;
        Window w{double(std::min(a, b)), double(std::min(c, d)), double(std::max(a, b)),
                 double(std::max(c, d))};
        // Fractional coordinates that keep the window inside the image.
        if (rng() % 2) w.x0 = std::max(1.0, w.x0 - unit(rng));
        if (rng() % 2) w.y0 += unit(rng) * (w.y1 - w.y0);
        if (rng() % 2) w.x1 -= unit(rng) * (w.x1 - w.x0);
        windows.push_back(w);
      }
      if (rng() % 4 == 0) windows[rng() % n].x1 = 0.0;  // an empty window ends the list there
      const int percent = static_cast<int>(rng() % 500) - 200;
      const auto expected = definedScores(H, rows, cols, bins, windows, percent);
      const Scored run = [&] {
        std::vector<double> x0, y0, x1, y1;
        for (const auto& w : windows)
          x0.push_back(w.x0), y0.push_back(w.y0), x1.push_back(w.x1), y1.push_back(w.y1);
        std::vector<double> scores(n, 0.0), inner(bins), P(bins), ring(bins);
        const WindowReport report =
            scoreWindows(scores.data(), inner.data(), P.data(), ring.data(), H.data(), rows,
                         cols, x0.data(), y0.data(), x1.data(), y1.data(), percent, bins, n);
        return Scored{scores, report};
      }();
      const size_t scored = expected.size();
      EXPECT_EQ(run.report.window, int(scored));
      EXPECT_EQ(run.report.fault, scored < windows.size() ? WindowFault::emptyWindow
                                                          : WindowFault::none);
      std::vector<double> padded = expected;
      padded.resize(n, 0.0);
      testing::expectSameBits(run.scores, padded);
      ASSERT_FALSE(::testing::Test::HasFatalFailure())
          << rows << "x" << cols << " bins " << bins << " p " << percent << " round " << round;
      for (double v : expected) differing += std::isfinite(v) && v != 0.0;
    }
  }
  EXPECT_GT(differing, 1000);  // most scores are real values, not 0 or special
}

}  // namespace
}  // namespace winscore::ringdiff
