// SPDX-License-Identifier: MIT
// Score-proportional drawing of indices, with or without replacement.
#ifndef WINSCORE_DRAWWEIGHTED_KERNEL_HPP
#define WINSCORE_DRAWWEIGHTED_KERNEL_HPP

#include <cstdint>

namespace winscore::drawweighted {

// Largest value the random source yields; the target divides by it.
constexpr std::int32_t kRandomMax = 32767;

// Advances the random state one step, state = state * 214013 + 2531011 (mod 2^32),
// and returns bits 16..30 of the new state: a value from 0 to kRandomMax.
std::int32_t nextRandom(std::uint32_t& state);

// The first index k (0-based) with cumulativeScores[k] > target, by binary
// search with strict comparisons; numberScores - 1 when none qualifies (and
// whatever the search lands on when the sums are not non-decreasing).
// numberScores must be at least 1; the result always lies in 0..numberScores-1.
std::int32_t searchCumulative(const double* cumulativeScores, std::int32_t numberScores,
                              double target);

// The index drawn by random value g: the search for (g / 32767.0) * total,
// total being the last cumulative score.
std::int32_t pickIndex(const double* cumulativeScores, std::int32_t numberScores,
                       std::int32_t g);

// Fills `samples` (numberSamples entries) with 1-based indices drawn in
// proportion to `scores`, advancing `state` once per draw. `cumulativeScores`
// and `remainingScores` are scratch rows of numberScores doubles. Without
// replacement each drawn index's weight becomes 0 for the draws after it, and
// numberSamples must not exceed numberScores. numberScores must be at least 1
// when numberSamples is; numberSamples <= 0 draws nothing and reads nothing.
void drawWeighted(double* samples, double* cumulativeScores, double* remainingScores,
                  const double* scores, std::int32_t numberScores, std::int32_t numberSamples,
                  bool withReplacement, std::uint32_t& state);

// The same draws, rebuilding every cumulative score after each draw without
// replacement; kept as the reference the partial rebuild is checked against.
void drawWeightedPlain(double* samples, double* cumulativeScores, double* remainingScores,
                       const double* scores, std::int32_t numberScores,
                       std::int32_t numberSamples, bool withReplacement, std::uint32_t& state);

}  // namespace winscore::drawweighted

#endif
