// SPDX-License-Identifier: MIT
// Window contrast on a 480 x 640 image's integral histogram: plain and fast scoring side by side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "ringdiff_kernel.hpp"

namespace {

constexpr int kRows = 480;
constexpr int kCols = 640;
constexpr int kPercent = 50;

// A quantised image of random patches with noise, its integral histogram, and
// random windows of 4 to 320 columns and 4 to 240 rows inside it.
struct Workload {
  Workload(int bins, int windows)
      : bins(bins), histogram(static_cast<size_t>(bins) * (kRows + 1) * (kCols + 1), 0.0),
        xmin(windows), ymin(windows), xmax(windows), ymax(windows), scores(windows),
        inner(bins), P(bins), ring(bins) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> bin(0, bins - 1);
    std::uniform_int_distribution<int> coin(0, 3);
    std::vector<int> patch(static_cast<size_t>(kRows / 32 + 1) * (kCols / 32 + 1));
    for (int& p : patch) p = bin(rng);
    std::vector<int> pixel(static_cast<size_t>(kRows) * kCols);
    for (int c = 0; c < kCols; ++c)
      for (int r = 0; r < kRows; ++r)
        pixel[r + c * kRows] = coin(rng) ? patch[r / 32 + (c / 32) * (kRows / 32 + 1)] : bin(rng);
    // Corner (r, c) holds the counts of rows 1..r and columns 1..c, bin fastest.
    const size_t B = bins, R1 = kRows + 1;
    for (int c = 1; c <= kCols; ++c)
      for (int r = 1; r <= kRows; ++r) {
        double* here = &histogram[(c * R1 + r) * B];
        const double* up = &histogram[(c * R1 + r - 1) * B];
        const double* left = &histogram[((c - 1) * R1 + r) * B];
        const double* diag = &histogram[((c - 1) * R1 + r - 1) * B];
        for (size_t t = 0; t < B; ++t) here[t] = (up[t] + left[t]) - diag[t];
        here[pixel[(r - 1) + (c - 1) * kRows]] += 1.0;
      }
    std::uniform_int_distribution<int> width(4, kCols / 2), height(4, kRows / 2);
    for (int i = 0; i < windows; ++i) {
      const int w = width(rng), h = height(rng);
      xmin[i] = std::uniform_int_distribution<int>(1, kCols - w + 1)(rng);
      ymin[i] = std::uniform_int_distribution<int>(1, kRows - h + 1)(rng);
      xmax[i] = xmin[i] + w - 1;
      ymax[i] = ymin[i] + h - 1;
    }
  }
  int bins;
  std::vector<double> histogram, xmin, ymin, xmax, ymax, scores, inner, P, ring;
};

// One histogram per bin count, shared by all runs (the 64-bin one is 158 MB).
Workload& workload(int bins, int windows) {
  static std::vector<Workload*> made;
  for (Workload* w : made)
    if (w->bins == bins && static_cast<int>(w->scores.size()) == windows) return *w;
  made.push_back(new Workload(bins, windows));
  return *made.back();
}

using Kernel = decltype(&winscore::ringdiff::scoreWindows);

template <Kernel kKernel>
void BM_score(benchmark::State& state) {
  Workload& w = workload(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto n = static_cast<std::int32_t>(w.scores.size());
  for (auto _ : state) {
    std::fill(w.scores.begin(), w.scores.end(), 0.0);
    kKernel(w.scores.data(), w.inner.data(), w.P.data(), w.ring.data(), w.histogram.data(),
            kRows, kCols, w.xmin.data(), w.ymin.data(), w.xmax.data(), w.ymax.data(), kPercent,
            w.bins, n);
    benchmark::ClobberMemory();
  }
  state.counters["windows/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * n, benchmark::Counter::kIsRate);
}

void workloads(benchmark::internal::Benchmark* b) {
  for (int bins : {16, 64})
    for (int windows : {10000, 100000}) b->Args({bins, windows});
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_score<winscore::ringdiff::scoreWindows>)->Name("ringdiff/plain")->Apply(workloads);

}  // namespace
