// SPDX-License-Identifier: MIT
// Score-proportional drawing of indices, with or without replacement.
#include "drawweighted_kernel.hpp"

#include <cstddef>
#include <cstring>

namespace winscore::drawweighted {
namespace {

// C[k] = C[k-1] + W[k] for k = from..L-1, in index order, starting from C[0] = W[0].
inline void accumulateFrom(double* cumulative, const double* weights, std::int32_t count,
                           std::int32_t from) {
  if (from == 0) {
    cumulative[0] = weights[0];
    from = 1;
  }
  for (std::int32_t k = from; k < count; ++k) cumulative[k] = cumulative[k - 1] + weights[k];
}

template <bool kFullRebuild>
void draw(double* samples, double* cumulativeScores, double* remainingScores,
          const double* scores, std::int32_t numberScores, std::int32_t numberSamples,
          bool withReplacement, std::uint32_t& state) {
  if (numberSamples <= 0) return;
  accumulateFrom(cumulativeScores, scores, numberScores, 0);
  // The weights start as a bit-exact copy of the scores, NaN payloads included.
  std::memcpy(remainingScores, scores, static_cast<std::size_t>(numberScores) * sizeof(double));

  for (std::int32_t i = 0; i < numberSamples; ++i) {
    const std::int32_t pick = pickIndex(cumulativeScores, numberScores, nextRandom(state));
    samples[i] = static_cast<double>(pick);
    if (withReplacement) continue;
    remainingScores[pick] = 0.0;
    // Every sum before the drawn index is made of the same weights in the same
    // order as before, so recomputing from the drawn index on gives the same
    // bits as recomputing from index 0. Totals are never reduced by subtraction,
    // which would leave rounding residue behind.
    accumulateFrom(cumulativeScores, remainingScores, numberScores, kFullRebuild ? 0 : pick);
  }
  // Indices are counted from 0 while drawing and handed out counted from 1.
  for (std::int32_t i = 0; i < numberSamples; ++i) samples[i] += 1.0;
}

}  // namespace

std::int32_t nextRandom(std::uint32_t& state) {
  state = state * 214013u + 2531011u;  // unsigned, so the wrap mod 2^32 is defined
  return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
}

std::int32_t searchCumulative(const double* cumulativeScores, std::int32_t numberScores,
                              double target) {
  std::int32_t lo = 0;
  std::int32_t hi = numberScores - 1;
  // lo and hi only move toward each other and mid lies strictly between them,
  // so every index read stays in 0..L-1 whatever the sums hold (NaN compares
  // as not greater). lo + (hi - lo) / 2 is floor((lo + hi) / 2) without the
  // overflow of lo + hi.
  while (hi - lo + 1 > 2) {
    const std::int32_t mid = lo + (hi - lo) / 2;
    if (cumulativeScores[mid] > target)
      hi = mid;
    else
      lo = mid;
  }
  return cumulativeScores[lo] > target ? lo : hi;
}

std::int32_t pickIndex(const double* cumulativeScores, std::int32_t numberScores,
                       std::int32_t g) {
  // Division first: g = 32767 gives exactly the total, which no sum exceeds.
  const double total = cumulativeScores[numberScores - 1];
  const double target = (static_cast<double>(g) / static_cast<double>(kRandomMax)) * total;
  return searchCumulative(cumulativeScores, numberScores, target);
}

void drawWeighted(double* samples, double* cumulativeScores, double* remainingScores,
                  const double* scores, std::int32_t numberScores, std::int32_t numberSamples,
                  bool withReplacement, std::uint32_t& state) {
  draw<false>(samples, cumulativeScores, remainingScores, scores, numberScores, numberSamples,
              withReplacement, state);
}

void drawWeightedPlain(double* samples, double* cumulativeScores, double* remainingScores,
                       const double* scores, std::int32_t numberScores,
                       std::int32_t numberSamples, bool withReplacement, std::uint32_t& state) {
  draw<true>(samples, cumulativeScores, remainingScores, scores, numberScores, numberSamples,
             withReplacement, state);
}

}  // namespace winscore::drawweighted
