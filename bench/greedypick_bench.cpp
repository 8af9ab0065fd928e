// SPDX-License-Identifier: MIT
// Greedy suppression of 100000 clustered windows in a 500 x 500 image: plain and fast side by side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

#include "greedypick_kernel.hpp"

namespace {

using winscore::greedypick::kListLength;

// 500 clusters of 200 windows, each 16 to 80 pixels a side and jittered around
// its cluster's centre, so that kept windows suppress their close neighbours;
// the list is ordered by a random score, best first, as a caller would pass it.
struct Workload {
  Workload() : area(kListLength), xmin(kListLength), ymin(kListLength), xmax(kListLength),
               ymax(kListLength), marker(kListLength) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> centre(40.0, 460.0), score(0.0, 1.0);
    std::uniform_int_distribution<int> side(16, 80);
    std::normal_distribution<double> jitter(0.0, 6.0);
    std::vector<double> cx(500), cy(500), s(kListLength);
    for (int c = 0; c < 500; ++c) cx[c] = centre(rng), cy[c] = centre(rng);
    std::vector<double> x0(kListLength), y0(kListLength), x1(kListLength), y1(kListLength);
    for (int p = 0; p < kListLength; ++p) {
      const int c = p % 500;
      const int w = side(rng), h = side(rng);
      x0[p] = std::clamp(std::round(cx[c] + jitter(rng) - w / 2), 1.0, 500.0 - w + 1);
      y0[p] = std::clamp(std::round(cy[c] + jitter(rng) - h / 2), 1.0, 500.0 - h + 1);
      x1[p] = x0[p] + w - 1;
      y1[p] = y0[p] + h - 1;
      s[p] = score(rng);
    }
    std::vector<int> order(kListLength);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return s[a] > s[b]; });
    for (int p = 0; p < kListLength; ++p) {
      const int q = order[p];
      xmin[p] = x0[q], ymin[p] = y0[q], xmax[p] = x1[q], ymax[p] = y1[q];
      area[p] = (x1[q] - x0[q] + 1) * (y1[q] - y0[q] + 1);
    }
  }
  std::vector<double> area, xmin, ymin, xmax, ymax, marker;
};

using Kernel = decltype(&winscore::greedypick::greedyPick);

template <Kernel kKernel>
void BM_pick(benchmark::State& state) {
  static Workload w;
  const auto c = static_cast<std::int32_t>(state.range(0));
  std::vector<double> kept(c);
  for (auto _ : state) {
    std::fill(w.marker.begin(), w.marker.end(), 0.0);
    kKernel(kept.data(), w.marker.data(), w.area.data(), w.xmin.data(), w.ymin.data(),
            w.xmax.data(), w.ymax.data(), kListLength, c);
    benchmark::ClobberMemory();
  }
  state.counters["marked"] = static_cast<double>(std::count(w.marker.begin(), w.marker.end(), 1.0));
  state.counters["last kept"] = kept[c - 1];
}

BENCHMARK(BM_pick<winscore::greedypick::greedyPickPlain>)
    ->Name("greedypick/plain")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pick<winscore::greedypick::greedyPick>)
    ->Name("greedypick/fast")->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
