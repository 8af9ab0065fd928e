// SPDX-License-Identifier: MIT
// Window contrast on a 480 x 640 image's integral histogram.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "builders.hpp"
#include "ringdiff_kernel.hpp"

namespace {

constexpr int kRows = 480;
constexpr int kCols = 640;
constexpr int kPercent = 50;

// A quantised image of random patches with noise, its integral histogram, and
// random windows of 4 to 320 columns and 4 to 240 rows inside it.
struct Workload {
  Workload(int bins, int windows)
      : bins(bins), xmin(windows), ymin(windows), xmax(windows), ymax(windows), scores(windows),
        inner(bins), P(bins), ring(bins) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> bin(1, bins);
    std::uniform_int_distribution<int> coin(0, 3);
    std::vector<int> patch(static_cast<size_t>(kRows / 32 + 1) * (kCols / 32 + 1));
    for (int& p : patch) p = bin(rng);
    std::vector<int> pixel(static_cast<size_t>(kRows) * kCols);
    for (int c = 0; c < kCols; ++c)
      for (int r = 0; r < kRows; ++r)
        pixel[r + c * kRows] = coin(rng) ? patch[r / 32 + (c / 32) * (kRows / 32 + 1)] : bin(rng);
    histogram = winscore::testing::integralHistogram(pixel, kRows, kCols, bins);
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

void BM_score(benchmark::State& state) {
  Workload& w = workload(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto n = static_cast<std::int32_t>(w.scores.size());
  for (auto _ : state) {
    std::fill(w.scores.begin(), w.scores.end(), 0.0);
    winscore::ringdiff::scoreWindows(w.scores.data(), w.inner.data(), w.P.data(), w.ring.data(),
                                     w.histogram.data(), kRows, kCols, w.xmin.data(),
                                     w.ymin.data(), w.xmax.data(), w.ymax.data(), kPercent,
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

BENCHMARK(BM_score)->Name("ringdiff/plain")->Apply(workloads);

}  // namespace
