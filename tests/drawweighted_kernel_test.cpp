// SPDX-License-Identifier: MIT
// The random source, the search and the draws against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "bits.hpp"
#include "drawweighted_kernel.hpp"

namespace winscore::drawweighted {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The state whose next step is `next`: the multiplier is odd, so it has an
// inverse mod 2^32 (Newton's iteration doubles the correct low bits each round).
std::uint32_t stateBefore(std::uint32_t next) {
  const std::uint32_t a = 214013u;
  std::uint32_t inverse = a;
  for (int i = 0; i < 5; ++i) inverse *= 2u - a * inverse;
  return (next - 2531011u) * inverse;
}
// A state whose next draw yields g.
std::uint32_t stateGiving(std::int32_t g) {
  return stateBefore(static_cast<std::uint32_t>(g) << 16);
}

std::vector<double> draws(const std::vector<double>& scores, int n, bool withReplacement,
                          std::uint32_t state) {
  std::vector<double> out(n), cumulative(scores.size()), remaining(scores.size());
  drawWeighted(out.data(), cumulative.data(), remaining.data(), scores.data(),
               static_cast<std::int32_t>(scores.size()), n, withReplacement, state);
  return out;
}

std::int32_t pickFor(const std::vector<double>& scores, std::int32_t g) {
  std::vector<double> cumulative(scores.size());
  cumulative[0] = scores[0];
  for (size_t k = 1; k < scores.size(); ++k) cumulative[k] = cumulative[k - 1] + scores[k];
  return pickIndex(cumulative.data(), static_cast<std::int32_t>(cumulative.size()), g);
}

TEST(DrawweightedKernel, RandomSourceFollowsItsRecurrence) {
  // 1 * 214013 + 2531011 = 2745024 = 0x0029E2C0, whose bits 16..30 are 0x29 = 41.
  std::uint32_t state = 1;
  for (std::int32_t expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358})
    EXPECT_EQ(nextRandom(state), expected);
  EXPECT_EQ(state, 1924036713u);  // all 32 bits carry over, not only the ones handed out
  // The product wraps mod 2^32: 0xFFFFFFFF * 214013 + 2531011 = 2316998 (mod 2^32).
  state = 0xFFFFFFFFu;
  EXPECT_EQ(nextRandom(state), (2316998 >> 16) & 0x7FFF);
  EXPECT_EQ(state, 2316998u);
  for (std::int32_t g : {0, 1, 16384, 32767}) {
    state = stateGiving(g);
    EXPECT_EQ(nextRandom(state), g);
  }
}

TEST(DrawweightedKernel, SearchTakesTheFirstSumAboveTheTarget) {
  // L = 1: no comparison decides, the pick is 0 whatever the target.
  const double single = 2;
  for (double t : {-1.0, 0.0, 5.0, kNaN}) EXPECT_EQ(searchCumulative(&single, 1, t), 0);
  // L = 2: no search step, C[0] > t decides.
  const std::vector<double> two{1, 3};
  EXPECT_EQ(searchCumulative(two.data(), 2, 0.5), 0);
  EXPECT_EQ(searchCumulative(two.data(), 2, 1.0), 1);  // equal is not greater
  // (1, 0, 1): index 1 never comes up.
  EXPECT_EQ(pickFor({1, 0, 1}, 0), 0);
  EXPECT_EQ(pickFor({1, 0, 1}, 16383), 0);
  EXPECT_EQ(pickFor({1, 0, 1}, 16384), 2);
  EXPECT_EQ(pickFor({1, 0, 1}, 32767), 2);
  // Leading zeros with g = 0: t = 0 equals C[0] and C[1], so index 2.
  EXPECT_EQ(pickFor({0, 0, 3, 1}, 0), 2);
  // Trailing zero with g = 32767: t is the total, which nothing exceeds.
  EXPECT_EQ(pickFor({1, 0}, 32767), 1);
  EXPECT_EQ(pickFor({1, 0, 0, 0, 0}, 32767), 4);
  // The target divides g by 32767 before it multiplies the total: here that
  // gives 0.09999999999999999, below the first sum 0.1; g times total/32767
  // would give 0.1 and the next index.
  EXPECT_EQ(pickFor({0.1, 0.1, 0.5}, 4681), 0);
  // All zeros: every draw gives the last index.
  for (std::int32_t g : {0, 1, 32767}) EXPECT_EQ(pickFor({0, 0, 0, 0}, g), 3);

  // Against a linear scan on random non-decreasing sums, targets on and between them.
  std::mt19937 rng(11);
  for (int length : {1, 2, 3, 4, 5, 8, 17, 64, 65}) {
    for (int round = 0; round < 50; ++round) {
      std::vector<double> c(length);
      double sum = 0;
      for (auto& v : c) v = sum += static_cast<double>(rng() % 3);
      const double t = (rng() % 2) ? c[rng() % length] : (rng() % 100) / 10.0;
      std::int32_t expected = length - 1;
      for (int k = 0; k < length; ++k)
        if (c[k] > t) { expected = k; break; }
      EXPECT_EQ(searchCumulative(c.data(), length, t), expected) << length << " t=" << t;
    }
  }
}

TEST(DrawweightedKernel, SearchStaysInRangeOnUnorderedAndNaNSums) {
  std::mt19937 rng(3);
  const double specials[] = {kNaN, -kInf, kInf, -1.0, 0.0, 2.0};
  for (int length : {1, 2, 3, 7, 33}) {
    for (int round = 0; round < 200; ++round) {
      std::vector<double> c(length);
      for (auto& v : c) v = specials[rng() % 6];
      for (std::int32_t g : {0, 1, 20000, 32767}) {
        const std::int32_t pick = pickIndex(c.data(), length, g);
        EXPECT_GE(pick, 0);
        EXPECT_LT(pick, length);
      }
    }
  }
  // Where a negative score leaves the sums unordered, the pick is where the
  // search lands, midpoint floor((lo + hi) / 2) first: C[1] = 5 > 1 ends it at 1
  // (the midpoint 2 would end it at 3).
  EXPECT_EQ(searchCumulative(std::vector<double>{0, 5, 0, 9}.data(), 4, 1.0), 1);
  // NaN scores and a NaN total: nothing is greater than a NaN target, so L.
  EXPECT_EQ(draws({1, kNaN, 2}, 3, true, 1), (std::vector<double>{3, 3, 3}));
  // A negative total: t is at or below 0 and the first positive sum wins.
  EXPECT_EQ(draws({2, -5}, 2, true, 1), (std::vector<double>{1, 1}));
}

TEST(DrawweightedKernel, DrawsFromAFreshStateAndChosenStates) {
  // From state 1 the values are 41, 18467, 6334, 26500, 19169; with scores
  // (1, 2, 3) the targets are g / 32767 * 6, about 0.0075, 3.38, 1.16, 4.85 and 3.51.
  EXPECT_EQ(draws({1, 2, 3}, 5, true, 1), (std::vector<double>{1, 3, 2, 3, 3}));
  // Without replacement every remaining weight becomes 0 after the first draw.
  EXPECT_EQ(draws({1, 0, 0}, 3, false, 1), (std::vector<double>{1, 3, 3}));
  // L = 1 in either mode.
  EXPECT_EQ(draws({7}, 1, false, 1), (std::vector<double>{1}));
  EXPECT_EQ(draws({7}, 4, true, 5), (std::vector<double>{1, 1, 1, 1}));
  EXPECT_EQ(draws({0, 0, 0}, 3, false, 9), (std::vector<double>{3, 3, 3}));
  // (1, 0, 1): g = 0 gives 1, g = 32767 gives 3.
  EXPECT_EQ(draws({1, 0, 1}, 1, true, stateGiving(0)), (std::vector<double>{1}));
  EXPECT_EQ(draws({1, 0, 1}, 1, true, stateGiving(32767)), (std::vector<double>{3}));
  // n = 0 draws nothing and reads nothing.
  std::uint32_t state = 77;
  drawWeighted(nullptr, nullptr, nullptr, nullptr, 0, 0, true, state);
  EXPECT_EQ(state, 77u);
}

TEST(DrawweightedKernel, WithoutReplacementNEqualToLIsAPermutationUnlessTheTopValueComesUp) {
  std::mt19937 rng(5);
  for (int length : {1, 2, 3, 10, 50}) {
    std::vector<double> scores(length);
    for (auto& s : scores) s = 0.5 + (rng() % 100);
    for (std::uint32_t seed : {1u, 2u, 12345u, 0xDEADBEEFu}) {
      // Find out whether g = 32767 comes up within these L draws.
      std::uint32_t probe = seed;
      bool top = false;
      for (int i = 0; i < length; ++i) top |= nextRandom(probe) == kRandomMax;
      auto out = draws(scores, length, false, seed);
      std::vector<int> seen(length + 1, 0);
      for (double v : out) {
        ASSERT_GE(v, 1);
        ASSERT_LE(v, length);
        ++seen[static_cast<int>(v)];
      }
      if (!top) {
        for (int k = 1; k <= length; ++k) EXPECT_EQ(seen[k], 1) << "L=" << length;
      }
    }
  }
}

TEST(DrawweightedKernel, ProportionsFollowTheScores) {
  const std::vector<double> scores{1, 2, 3, 4, 0};
  const int n = 200000;
  auto out = draws(scores, n, true, 1);
  std::vector<double> count(6, 0.0);
  for (double v : out) count[static_cast<int>(v)] += 1.0;
  for (int k = 1; k <= 4; ++k) EXPECT_NEAR(count[k] / n, scores[k - 1] / 10.0, 0.005) << k;
  // A zero score comes up only through g = 32767 (the last index), about 1 in 32768.
  EXPECT_LT(count[5], 20.0);
}

TEST(DrawweightedKernel, PartialRebuildMatchesTheFullRebuildBitForBit) {
  std::mt19937 rng(2024);
  const double specials[] = {0.0, -0.0, 1e-300, 1e300, -1.0, kNaN, kInf, 0.1, 3.0};
  for (int length : {1, 2, 3, 5, 16, 100}) {
    for (int round = 0; round < 40; ++round) {
      std::vector<double> scores(length);
      std::uniform_real_distribution<double> value(0.0, 10.0);
      for (auto& s : scores) s = (rng() % 4 == 0) ? specials[rng() % 9] : value(rng);
      const int n = 1 + static_cast<int>(rng() % length);
      const std::uint32_t seed = rng();
      std::vector<double> fast(n), plain(n), cFast(length), cPlain(length), wFast(length),
          wPlain(length);
      std::uint32_t sFast = seed, sPlain = seed;
      const bool withReplacement = round % 4 == 0;
      drawWeighted(fast.data(), cFast.data(), wFast.data(), scores.data(), length, n,
                   withReplacement, sFast);
      drawWeightedPlain(plain.data(), cPlain.data(), wPlain.data(), scores.data(), length, n,
                        withReplacement, sPlain);
      testing::expectSameBits(fast, plain);
      testing::expectSameBits(cFast, cPlain);
      testing::expectSameBits(wFast, wPlain);
      EXPECT_EQ(sFast, sPlain);
    }
  }
}

}  // namespace
}  // namespace winscore::drawweighted
