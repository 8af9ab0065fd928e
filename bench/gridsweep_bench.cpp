// SPDX-License-Identifier: MIT
// Grid window scores for n = 32 and 48: definition order, memory order, and the memset floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "builders.hpp"
#include "gridsweep_kernel.hpp"

namespace {

struct Workload {
  explicit Workload(int n) : n(n), scores(static_cast<size_t>(n) * n * n * n, 0.0) {
    // Zero-bordered integral images of random cell values.
    std::mt19937 rng(2);
    std::uniform_real_distribution<double> cell(0.0, 1.0);
    std::vector<double> cellsA(static_cast<size_t>(n) * n), cellsB(cellsA.size());
    for (size_t k = 0; k < cellsA.size(); ++k) cellsA[k] = cell(rng), cellsB[k] = cell(rng);
    a = winscore::testing::integralImage(cellsA, n, n);
    b = winscore::testing::integralImage(cellsB, n, n);
  }
  size_t bytes() const { return scores.size() * sizeof(double); }
  int n;
  std::vector<double> a, b, scores;
};

template <void (*Kernel)(double*, const double*, const double*, int32_t, int32_t, int32_t)>
void BM_kernel(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  const auto minSize = static_cast<int32_t>(state.range(1));
  for (auto _ : state) {
    // The output starts as zeros, as the host creates it; that is not timed.
    state.PauseTiming();
    std::memset(w.scores.data(), 0, w.bytes());
    state.ResumeTiming();
    Kernel(w.scores.data(), w.a.data(), w.b.data(), w.n, minSize, minSize);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * w.bytes()));
}

// The floor: zeroing the 8 n^4 output bytes in memory already touched.
void BM_floor(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::memset(w.scores.data(), 0, w.bytes());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * w.bytes()));
}

using winscore::gridsweep::windowScores;
using winscore::gridsweep::windowScoresPlain;

// Arguments: grid size n, then the minimum width and height.
void workloads(benchmark::internal::Benchmark* b) {
  b->Args({32, 1})->Args({32, 2})->Args({48, 1})->Args({48, 2})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_kernel<windowScoresPlain>)->Name("gridsweep/plain")->Apply(workloads);
BENCHMARK(BM_kernel<windowScores>)->Name("gridsweep/fast")->Apply(workloads);
BENCHMARK(BM_floor)->Name("gridsweep/floor")->Apply(workloads);

}  // namespace
