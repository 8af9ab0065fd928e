// SPDX-License-Identifier: MIT
// Weighted draws from 10000 and 100000 scores: full and partial rebuilds side by side.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "drawweighted_kernel.hpp"

namespace {

constexpr std::int32_t kDraws = 1000;

using Kernel = decltype(&winscore::drawweighted::drawWeighted);

// Arguments: the number of scores L and the mode (1 with replacement).
template <Kernel kKernel>
void BM_draw(benchmark::State& state) {
  const auto length = static_cast<std::int32_t>(state.range(0));
  const bool withReplacement = state.range(1) != 0;
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> score(0.0, 1.0);
  std::vector<double> scores(length), cumulative(length), remaining(length), samples(kDraws);
  for (double& s : scores) s = score(rng);
  std::uint32_t randomState = 1;
  for (auto _ : state) {
    kKernel(samples.data(), cumulative.data(), remaining.data(), scores.data(), length, kDraws,
            withReplacement, randomState);
    benchmark::ClobberMemory();
  }
  state.counters["draws/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kDraws, benchmark::Counter::kIsRate);
}

void workloads(benchmark::internal::Benchmark* b) {
  for (int withReplacement : {0, 1})
    for (int length : {10000, 100000}) b->Args({length, withReplacement});
  b->ArgNames({"L", "replace"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_draw<winscore::drawweighted::drawWeightedPlain>)
    ->Name("drawweighted/plain")
    ->Apply(workloads);
BENCHMARK(BM_draw<winscore::drawweighted::drawWeighted>)
    ->Name("drawweighted/fast")
    ->Apply(workloads);

}  // namespace
