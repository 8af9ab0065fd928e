// SPDX-License-Identifier: MIT
// greedyselect through the test host: the walk at any threshold over lists of
// any length against the plain walk, and the inputs it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "greedypick_kernel.hpp"
#include "host_expect.hpp"
#include "testhost.hpp"

namespace winscore {
namespace {

using testhost::call;
using testhost::matrix;
using testhost::scalar;

// The rows the plain walk keeps, 1-based, from the boxes' own inclusive areas.
std::vector<double> plainRows(const std::vector<double>& boxes, int n, int keep, double threshold) {
  std::vector<double> area(n), kept(keep), marker(n);
  const double *x0 = boxes.data(), *y0 = x0 + n, *x1 = y0 + n, *y1 = x1 + n;
  for (int p = 0; p < n; ++p) area[p] = ((x1[p] - x0[p]) + 1.0) * ((y1[p] - y0[p]) + 1.0);
  greedypick::greedyPickPlain(kept.data(), marker.data(), area.data(), x0, y0, x1, y1, n, keep,
                              threshold);
  std::vector<double> rows;
  for (double k : kept)
    if (k >= 0) rows.push_back(k + 1);
  return rows;
}

TEST(GreedyselectGateway, MatchesThePlainWalkAtEveryThreshold) {
  std::mt19937 rng(21);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int n : {0, 1, 2, 40, 700, 5000}) {
    std::vector<double> boxes(4 * n);
    for (int p = 0; p < n; ++p) {
      // Clustered whole numbers, now and then fractional, inverted or NaN.
      const double x = rng() % 60 + (rng() % 8 == 0 ? 0.25 * (rng() % 4) : 0.0), y = rng() % 60;
      boxes[p] = x, boxes[n + p] = y;
      boxes[2 * n + p] = x + rng() % 20, boxes[3 * n + p] = y + rng() % 20;
      if (rng() % 50 == 0) boxes[(rng() % 4) * n + p] = nan;
    }
    for (double threshold : {0.5, 0.0, 0.3, 0.7, 0.95}) {
      for (int keep : {0, 1, 30, n, n + 5}) {
        const auto r = call(1, matrix(n, 4, boxes), scalar(threshold), scalar(keep));
        EXPECT_EQ(testhost::valuesOf(r.outputs[0].get()), plainRows(boxes, n, keep, threshold))
            << "n " << n << " threshold " << threshold << " keep " << keep;
      }
    }
  }
}

TEST(GreedyselectGateway, RefusesWhatIsNotAListOfBoxes) {
  const auto boxes = matrix(2, 4, {1, 5, 1, 5, 4, 8, 4, 8});
  testing::expectFault([&] { call(1, boxes, scalar(0.5)); }, "winscore:greedyselect:inputCount");
  testing::expectFault([&] { call(2, boxes, scalar(0.5), scalar(1)); },
                       "winscore:greedyselect:outputCount");
  testing::expectFault([] { call(1, matrix(4, 2), scalar(0.5), scalar(1)); },
                       "winscore:greedyselect:notBoxes");
  testing::expectFault([&] { call(1, boxes, scalar(0.5), scalar(-1)); },
                       "winscore:greedyselect:negative", "numberKept");
  const auto both = call(1, boxes, scalar(0.5), scalar(7.9));
  EXPECT_EQ(testhost::valuesOf(both.outputs[0].get()), (std::vector<double>{1, 2}));
}

}  // namespace
}  // namespace winscore
