// SPDX-License-Identifier: MIT
// The greedy walk on worked pairs and chains, and against a direct reading of its rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "bits.hpp"
#include "greedypick_kernel.hpp"

namespace winscore::greedypick {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Windows {
  std::vector<double> area, xmin, ymin, xmax, ymax;
  // A window with its inclusive area, or with the area given.
  void add(double x0, double y0, double x1, double y1) {
    add(x0, y0, x1, y1, (x1 - x0 + 1) * (y1 - y0 + 1));
  }
  void add(double x0, double y0, double x1, double y1, double a) {
    xmin.push_back(x0), ymin.push_back(y0), xmax.push_back(x1), ymax.push_back(y1);
    area.push_back(a);
  }
  int size() const { return static_cast<int>(area.size()); }
};

struct Pick {
  std::vector<double> kept, marker;
};

// Every walk, with the marker vector and without, against the plain walk, bit
// for bit; returns the plain walk's result.
constexpr Walk kWalks[] = {Walk::automatic, Walk::lazyList, Walk::lazyGrid};

Pick pick(const Windows& w, int c, double threshold = kHalf) {
  Pick plain{std::vector<double>(c > 0 ? c : 0), std::vector<double>(w.size(), 0.0)};
  const Pick empty = plain;
  greedyPickPlain(plain.kept.data(), plain.marker.data(), w.area.data(), w.xmin.data(),
                  w.ymin.data(), w.xmax.data(), w.ymax.data(), w.size(), c, threshold);
  for (Walk walk : kWalks) {
    for (bool markerRequested : {true, false}) {
      Pick p = empty;
      greedyPick(p.kept.data(), p.marker.data(), w.area.data(), w.xmin.data(), w.ymin.data(),
                 w.xmax.data(), w.ymax.data(), w.size(), c, markerRequested, threshold, walk);
      testing::expectSameBits(p.kept, plain.kept);
      if (markerRequested) testing::expectSameBits(p.marker, plain.marker);
      if (::testing::Test::HasFailure()) {
        ADD_FAILURE() << "walk " << static_cast<int>(walk) << " marker " << markerRequested
                      << " c " << c << " threshold " << threshold;
        return plain;
      }
    }
  }
  return plain;
}

// The rules read directly: window p suppresses window q > p when both sides of
// their inclusive intersection are positive and inter / union exceeds 0.5; a
// window is kept when fewer than c are kept and no kept window suppresses it;
// a position is marked when kept or suppressed by a kept window.
bool suppresses(const Windows& w, int p, int q, double threshold) {
  for (double v : {w.xmin[p], w.ymin[p], w.xmax[p], w.ymax[p], w.xmin[q], w.ymin[q], w.xmax[q],
                   w.ymax[q]})
    if (std::isnan(v)) return false;
  const double iw = (std::fmin(w.xmax[p], w.xmax[q]) - std::fmax(w.xmin[p], w.xmin[q])) + 1;
  const double ih = (std::fmin(w.ymax[p], w.ymax[q]) - std::fmax(w.ymin[p], w.ymin[q])) + 1;
  if (!(iw > 0 && ih > 0)) return false;
  const double inter = ih * iw;
  return inter / ((w.area[p] + w.area[q]) - inter) > threshold;
}

Pick reference(const Windows& w, int c, double threshold = kHalf) {
  Pick r{std::vector<double>(c > 0 ? c : 0, -1.0), std::vector<double>(w.size(), 0.0)};
  std::vector<int> kept;
  for (int q = 0; q < w.size(); ++q) {
    bool suppressed = false;
    for (int p : kept) suppressed |= suppresses(w, p, q, threshold);
    if (suppressed) {
      r.marker[q] = 1.0;
    } else if (static_cast<int>(kept.size()) < c) {
      r.kept[kept.size()] = q;
      r.marker[q] = 1.0;
      kept.push_back(q);
    }
  }
  return r;
}

TEST(GreedypickKernel, WorkedPairsAndTheChain) {
  Windows same;
  same.add(1, 1, 10, 10);
  same.add(1, 1, 10, 10);
  EXPECT_EQ(pick(same, 2).kept, (std::vector<double>{0, -1}));
  EXPECT_EQ(pick(same, 2).marker, (std::vector<double>{1, 1}));

  Windows half;  // inter 50, union 100: exactly 0.5 stays
  half.add(1, 1, 10, 10);
  half.add(1, 1, 10, 5);
  EXPECT_EQ(pick(half, 2).kept, (std::vector<double>{0, 1}));
  EXPECT_EQ(pick(half, 1).marker, (std::vector<double>{1, 0}));

  Windows shifted;  // inter 70, union 130: about 0.538 goes
  shifted.add(1, 1, 10, 10);
  shifted.add(4, 1, 13, 10);
  EXPECT_EQ(pick(shifted, 2).kept, (std::vector<double>{0, -1}));

  // Position 2 overlaps the suppressed position 1 by 2/3 but position 0 only by
  // 1/3; a suppressed window does not suppress, so 2 is kept.
  Windows chain = shifted;
  chain.add(6, 1, 15, 10);
  EXPECT_EQ(pick(chain, 3).kept, (std::vector<double>{0, 2, -1}));
  EXPECT_EQ(pick(chain, 3).marker, (std::vector<double>{1, 1, 1}));
  // Stopping at c leaves later unsuppressed positions unmarked.
  EXPECT_EQ(pick(chain, 1).marker, (std::vector<double>{1, 1, 0}));
}

TEST(GreedypickKernel, InclusiveBoundsShareAColumnButNotAnEdge) {
  Windows sharing;  // 1..10 and 10..19, one pixel tall: inter 1, union 19
  sharing.add(1, 1, 10, 1);
  sharing.add(10, 1, 19, 1);
  double ratio = 0;
  ASSERT_TRUE(overlapRatio(sharing.area.data(), sharing.xmin.data(), sharing.ymin.data(),
                           sharing.xmax.data(), sharing.ymax.data(), 0, 1, ratio));
  EXPECT_EQ(ratio, 1.0 / 19.0);
  Windows touching;
  touching.add(1, 1, 10, 1);
  touching.add(11, 1, 20, 1);
  EXPECT_FALSE(overlapRatio(touching.area.data(), touching.xmin.data(), touching.ymin.data(),
                            touching.xmax.data(), touching.ymax.data(), 0, 1, ratio));
  // With areas of 1 the shared column alone is a full overlap on either axis.
  for (bool onY : {false, true}) {
    Windows shares, touches;
    auto put = [onY](Windows& w, double lo, double hi) {
      if (onY) w.add(1, lo, 1, hi, 1); else w.add(lo, 1, hi, 1, 1);
    };
    put(shares, 1, 10), put(shares, 10, 19);
    put(touches, 1, 10), put(touches, 11, 20);
    EXPECT_EQ(pick(shares, 2).kept, (std::vector<double>{0, -1})) << onY;
    EXPECT_EQ(pick(touches, 2).kept, (std::vector<double>{0, 1})) << onY;
  }
}

TEST(GreedypickKernel, CountsAndDegenerateWindows) {
  Windows three;
  three.add(1, 1, 2, 2);
  three.add(5, 5, 6, 6);
  three.add(9, 9, 9, 9);
  EXPECT_EQ(pick(three, 0).kept.size(), 0u);
  EXPECT_EQ(pick(three, 0).marker, (std::vector<double>{0, 0, 0}));
  EXPECT_EQ(pick(three, 5).kept, (std::vector<double>{0, 1, 2, -1, -1}));
  std::vector<double> untouched{7, 7};
  std::vector<double> marker(3, 0.0);
  greedyPick(untouched.data(), marker.data(), three.area.data(), three.xmin.data(),
             three.ymin.data(), three.xmax.data(), three.ymax.data(), 3, -2, true);
  EXPECT_EQ(untouched, (std::vector<double>{7, 7}));  // a negative count writes nothing

  Windows odd;
  odd.add(1, 1, 4, 4);                  // 0: kept
  odd.add(1, 1, 4, 4, 8);               // 1: union (16 + 8) - 16 = 8 > 0: ratio 2, suppressed
  odd.add(1, 1, 4, 4, 0);               // 2: union 0: ratio +Inf, suppressed
  odd.add(1, 1, 4, 4, -5);              // 3: union -5: negative ratio, kept
  odd.add(1, 1, 4, 4, kNaN);            // 4: NaN ratio, kept
  odd.add(kNaN, 1, 4, 4);               // 5: NaN bound, no overlap, kept
  odd.add(1, 1, 4, kNaN);               // 6: likewise
  odd.add(4, 4, 1, 1);                  // 7: inverted, its sides are not positive: kept
  EXPECT_EQ(pick(odd, 8).kept, (std::vector<double>{0, 3, 4, 5, 6, 7, -1, -1}));
  // A window with NaN bounds neither suppresses nor is suppressed, whichever
  // bound is NaN and whichever of the pair it belongs to.
  Windows nanFirst;
  nanFirst.add(kNaN, kNaN, kNaN, kNaN, 16);
  nanFirst.add(1, 1, 4, 4);
  nanFirst.add(1, 1, 4, 4);
  EXPECT_EQ(pick(nanFirst, 3).kept, (std::vector<double>{0, 1, -1}));
  for (int bound = 0; bound < 4; ++bound) {
    double v[4] = {1, 1, 4, 4};
    v[bound] = kNaN;
    Windows nanKept;
    nanKept.add(v[0], v[1], v[2], v[3], 16);
    nanKept.add(1, 1, 4, 4);
    EXPECT_EQ(pick(nanKept, 2).kept, (std::vector<double>{0, 1})) << bound;
  }
}

TEST(GreedypickKernel, MatchesTheRulesOnRandomLists) {
  std::mt19937 rng(99);
  for (int length : {1, 2, 3, 10, 60, 300}) {
    for (int round = 0; round < 20; ++round) {
      Windows w;
      for (int p = 0; p < length; ++p) {
        const double x0 = 1 + rng() % 20, y0 = 1 + rng() % 20;
        const double x1 = x0 + rng() % 8, y1 = y0 + rng() % 8;
        switch (rng() % 12) {
          case 0: w.add(x0, y0, x1, y1, 0); break;
          case 1: w.add(x0, kNaN, x1, y1); break;
          case 2: w.add(x0, y0, x1, y1, (x1 - x0) * (y1 - y0)); break;  // exclusive areas
          default: w.add(x0, y0, x1, y1);
        }
      }
      for (double threshold : {kHalf, 0.0, 0.3, 0.75, 1.0}) {
        for (int c : {0, 1, 2, 5, length, length + 3}) {
          const auto got = pick(w, c, threshold);
          const auto want = reference(w, c, threshold);
          EXPECT_EQ(got.kept, want.kept) << "length " << length << " c " << c << " " << threshold;
          EXPECT_EQ(got.marker, want.marker) << "length " << length << " c " << c;
        }
      }
    }
  }
}

// Areas 0.2 and 2.8 over a shared 1 x 1 window: the union (0.2 + 2.8) - 1 is
// exactly 2 and the ratio exactly 0.5, so the second window stays; grouped as
// 0.2 + (2.8 - 1) the union rounds below 2 and the window would go. Likewise
// a side near 1e16, where doubles are 2 apart: (xmax - xmin) + 1 rounds to 3,
// xmax - (xmin - 1) to 4.
TEST(GreedypickKernel, SumsKeepTheirOrder) {
  const double lo = 1.0000000000000002e16, hi = 1.0000000000000004e16;
  Windows far;
  far.add(lo, 1, hi, 1, 5.9);
  far.add(lo, 1, hi, 1, 5.9);  // inter 3, union 8.8; with a side of 4, 4 / 7.8
  EXPECT_EQ(pick(far, 2).kept, (std::vector<double>{0, 1}));
  double ratio = 0;
  ASSERT_TRUE(overlapRatio(far.area.data(), far.xmin.data(), far.ymin.data(), far.xmax.data(),
                           far.ymax.data(), 0, 1, ratio));
  EXPECT_EQ(ratio, 3.0 / (11.8 - 3.0));

  for (int lead : {0, 3, 30}) {  // kept windows before the pair, spread apart
    Windows w;
    for (int p = 0; p < lead; ++p) w.add(100 + 10 * p, 100, 104 + 10 * p, 104);
    w.add(1, 1, 1, 1, 0.2);
    w.add(1, 1, 1, 1, 2.8);
    w.add(1, 1, 1, 1, 1.5);   // suppressed by the first of the pair: union 0.7
    w.add(50, 50, 50, 50);
    const auto got = pick(w, lead + 3);
    std::vector<double> want(lead + 3);
    for (int p = 0; p < lead; ++p) want[p] = p;
    want[lead] = lead, want[lead + 1] = lead + 1, want[lead + 2] = lead + 3;
    EXPECT_EQ(got.kept, want) << lead;
    // Stopping after the pair: the marker is completed after the last kept window.
    const auto early = pick(w, lead + 2);
    EXPECT_EQ(early.marker[lead + 2], 1.0) << lead;
    EXPECT_EQ(early.marker[lead + 3], 0.0) << lead;
  }
}

// Windows that share less than a column: kept windows ending at x + 0.5 and
// later ones starting at x + 0.5 + gap, gap below 1, overlap by 1 - gap. Cell
// edges fall between the two somewhere along the row, where an index that
// took a window's extent to end at xmax, not xmax + 1, would miss the pair.
TEST(GreedypickKernel, FractionalOverlapsAcrossCellEdges) {
  std::mt19937 rng(5);
  Windows w;
  const int pairs = 150;
  std::vector<double> gaps(pairs);
  for (double& gap : gaps) gap = 0.125 * (1 + rng() % 7);
  // Both of a pair with the area 1 - gap, their intersection: a ratio of 1.
  for (int p = 0; p < pairs; ++p) w.add(10 * p, 0, 10 * p + 4.5, 0, 1 - gaps[p]);
  for (int p = 0; p < pairs; ++p) w.add(10 * p + 4.5 + gaps[p], 0, 10 * p + 8, 0, 1 - gaps[p]);
  for (int c : {pairs, pairs + 1, 2 * pairs}) {
    const auto got = pick(w, c);
    const auto want = reference(w, c);
    EXPECT_EQ(got.kept, want.kept) << c;
    EXPECT_EQ(got.marker, want.marker) << c;
    EXPECT_EQ(std::count(got.kept.begin(), got.kept.end(), -1.0), c - pairs) << c;
  }
}

// A list for the differential test: `kind` picks clustered whole-number windows
// with their inclusive areas (which allow the fast marker completion), the same
// with a few odd values, or windows built from awkward values throughout.
Windows adversarialList(std::mt19937& rng, int length, int kind) {
  const double inf = std::numeric_limits<double>::infinity();
  const double specials[] = {kNaN, inf, -inf, -0.0, 0.0, 1e300, -1e300, 2147483647.0,
                             -2147483648.0, 2147483648.5, 9007199254740992.0,
                             9007199254740993.0 - 2, 0.5, -3.25};
  Windows w;
  const int clusters = 1 + rng() % 40;
  std::vector<double> cx(clusters), cy(clusters);
  for (int k = 0; k < clusters; ++k) cx[k] = rng() % 200, cy[k] = rng() % 200;
  for (int p = 0; p < length; ++p) {
    const int k = rng() % clusters;
    double v[4];
    v[0] = cx[k] + rng() % 7, v[1] = cy[k] + rng() % 7;
    v[2] = v[0] + rng() % 30, v[3] = v[1] + rng() % 30;
    if (rng() % 4 == 0) v[0] = rng() % 230, v[1] = rng() % 230;  // spread at random
    if (rng() % 30 == 0) for (double& x : v) x -= 150;             // negative
    if (rng() % 30 == 0) std::swap(v[0], v[2]), std::swap(v[1], v[3]);  // inverted, area > 0
    if (v[0] == 0) v[0] = -0.0;
    double area = (v[2] - v[0] + 1) * (v[3] - v[1] + 1);
    if (kind == 1 && rng() % 50 == 0) v[rng() % 4] = specials[rng() % 14];
    if (kind == 2) {
      switch (rng() % 10) {
        case 0: v[rng() % 4] = specials[rng() % 14]; break;
        case 1: for (double& x : v) x += 0.25 * (rng() % 4) - 0.5; break;  // fractional
        case 2: std::swap(v[0], v[2]); break;                              // xmax < xmin
        case 3: v[0] = w.size() ? w.xmax.back() + 1 : 0; break;            // touching
        case 4: for (double& x : v) x = x * 1e7 + 2147483000.0; break;     // near 2^31
        case 5: for (double& x : v) x -= 9007199254740990.0; break;        // near -2^53
        case 6: for (double& x : v) x += 16777100.0; break;                // across 2^24
        case 7: for (double& x : v) x -= 16777300.0; break;                // across -2^24
        default: break;
      }
      const double areas[] = {area, area, 0.0, -area, kNaN, inf, -inf, area / 2 + 0.3};
      area = areas[rng() % 8];
      if (rng() % 6 == 0 && w.size()) {  // a ratio of exactly 0.5 with the previous window
        const int q = w.size() - 1;
        v[0] = w.xmin[q], v[1] = w.ymin[q], v[2] = w.xmax[q], v[3] = w.ymax[q];
        area = w.area[q];
        if (std::isfinite(area) && area > 0) w.area[q] = area, area = 2 * area;
      }
    }
    w.add(v[0], v[1], v[2], v[3], area);
  }
  return w;
}

// Every walk against the plain transcription, bit for bit, with and without
// the marker vector, on lists short and long, clustered, spread and awkward,
// for counts on both sides of each threshold that picks a walk (the start
// index from 13 kept windows for the marker vector, the grid from 192 for the
// walk), counts that outrun the list, and thresholds other than one half,
// down to 0 (any overlap) and up to 1.
TEST(GreedypickKernel, EveryWalkMatchesThePlainWalkBitForBit) {
  std::mt19937 rng(17);
  for (int length : {1, 2, 17, 300, 3000}) {
    for (int round = 0; round < (length > 1000 ? 2 : 6); ++round) {
      for (int kind : {0, 1, 2}) {
        const Windows w = adversarialList(rng, length, kind);
        for (double threshold : {kHalf, 0.1, 0.7, 0.0, 1.0, 1e-300}) {
          if (threshold != kHalf && length > 1000 && kind != 0) continue;
          for (int c : {1, 2, 12, 13, 14, 191, 192, 193, 400, length, length + 2}) {
            pick(w, c, threshold);
            ASSERT_FALSE(::testing::Test::HasFailure())
                << "length " << length << " kind " << kind << " round " << round;
          }
        }
      }
    }
  }
}

// A list of windows whose bounds are all NaN keeps every window, whatever the
// count and walk, and a NaN window among others changes nothing around it.
TEST(GreedypickKernel, NaNWindowsOverlapNothing) {
  Windows nan;
  for (int p = 0; p < 500; ++p) nan.add(kNaN, kNaN, kNaN, kNaN, 1);
  for (int c : {3, 500, 600}) {
    const auto got = pick(nan, c);
    for (int k = 0; k < c; ++k) EXPECT_EQ(got.kept[k], k < 500 ? k : -1) << c;
  }
}

}  // namespace
}  // namespace winscore::greedypick
