// SPDX-License-Identifier: MIT
// Block maxima of 32^4 score arrays: whole boxes, the stopping test, one read of the array.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "builders.hpp"
#include "peakpick_kernel.hpp"

namespace {

constexpr int kGrid = 32;

// Window scores of a 32 x 32 grid as the grid sweep writes them (product of
// two window sums over the area, zero where xmax < xmin or ymax < ymin), or
// uniform random scores in [-1, 1).
std::vector<double> scores(bool random) {
  const int n = kGrid, s = n + 1;
  std::vector<double> h(static_cast<size_t>(n) * n * n * n, 0.0);
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  if (random) {
    for (double& v : h) v = uniform(rng);
    return h;
  }
  std::vector<double> cellsA(static_cast<size_t>(n) * n), cellsB(cellsA.size());
  for (size_t k = 0; k < cellsA.size(); ++k)
    cellsA[k] = uniform(rng) + 1.0, cellsB[k] = uniform(rng);
  const auto a = winscore::testing::integralImage(cellsA, n, n);
  const auto b = winscore::testing::integralImage(cellsB, n, n);
  const auto sum = [s](const std::vector<double>& t, int x0, int y0, int x1, int y1) {
    return ((t[(y0 - 1) + (x0 - 1) * s] + t[y1 + x1 * s]) - t[(y0 - 1) + x1 * s]) -
           t[y1 + (x0 - 1) * s];
  };
  for (int x0 = 1; x0 <= n; ++x0)
    for (int y0 = 1; y0 <= n; ++y0)
      for (int x1 = x0; x1 <= n; ++x1)
        for (int y1 = y0; y1 <= n; ++y1)
          h[(x0 - 1) + n * ((y0 - 1) + n * ((x1 - 1) + n * (y1 - 1)))] =
              (sum(a, x0, y0, x1, y1) * sum(b, x0, y0, x1, y1)) /
              static_cast<double>((x1 - x0 + 1) * (y1 - y0 + 1));
  return h;
}

using Kernel = std::int64_t (*)(double*, double*, double*, double*, double*, std::int64_t,
                                const double*, double, double, double);

// Arguments: the neighbourhood size, then 0 for grid sweep scores or 1 for random ones.
template <Kernel kernel>
void BM_kernel(benchmark::State& state) {
  const double w = static_cast<double>(state.range(0));
  const std::vector<double> h = scores(state.range(1) != 0);
  const auto length =
      static_cast<std::int64_t>(winscore::peakpick::outputLength(kGrid, kGrid, w));
  std::vector<double> out(5 * static_cast<size_t>(length), 0.0);
  std::int64_t accepted = 0;
  for (auto _ : state) {
    double* o = out.data();
    accepted = kernel(o, o + length, o + 2 * length, o + 3 * length, o + 4 * length, length,
                      h.data(), kGrid, kGrid, w);
    benchmark::DoNotOptimize(accepted);
    benchmark::ClobberMemory();
  }
  state.counters["maxima"] = static_cast<double>(accepted);
}

// The floor: one read of every score (their maximum).
void BM_floor(benchmark::State& state) {
  const std::vector<double> h = scores(state.range(1) != 0);
  for (auto _ : state) {
    double best = h[0];
    for (double v : h) best = v > best ? v : best;
    benchmark::DoNotOptimize(best);
  }
}

void workloads(benchmark::internal::Benchmark* b) {
  b->Args({3, 0})->Args({5, 0})->Args({3, 1})->Args({5, 1})->Unit(benchmark::kMillisecond);
}

using winscore::peakpick::localMaxima;
using winscore::peakpick::localMaximaPlain;

BENCHMARK(BM_kernel<localMaximaPlain>)->Name("peakpick/plain")->Apply(workloads);
BENCHMARK(BM_kernel<localMaxima>)->Name("peakpick/fast")->Apply(workloads);
BENCHMARK(BM_floor)->Name("peakpick/floor")->Apply(workloads);

}  // namespace
