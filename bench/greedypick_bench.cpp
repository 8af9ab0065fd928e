// SPDX-License-Identifier: MIT
// Greedy suppression of 100000 windows in a 500 x 500 image, clustered or uniform: the plain
// transcription, the fast walk with and without the marker vector, and OpenCV's NMSBoxes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "greedypick_kernel.hpp"

#ifdef WINSCORE_BENCH_OPENCV
#include <opencv2/dnn.hpp>
#endif

namespace {

namespace gp = winscore::greedypick;
using gp::kListLength;

constexpr int kImage = 500;

struct Workload {
  std::vector<double> area, xmin, ymin, xmax, ymax;
};

// Windows ordered by a random score, best first, as a caller would pass them.
// Clustered: 60 % are jittered copies of 1500 object boxes (40 each, sides 24
// to 96), 40 % spread at random; uniform: all spread at random (sides 16 to 96).
Workload makeWorkload(bool clustered) {
  std::mt19937 rng(clustered ? 5 : 6);
  std::uniform_int_distribution<int> side(clustered ? 24 : 16, 96), at(1, kImage);
  std::normal_distribution<double> jitter(0.0, 1.0);
  constexpr int kClusters = 1500, kClustered = kListLength * 6 / 10;
  std::vector<double> ox(kClusters), oy(kClusters), ow(kClusters), oh(kClusters);
  for (int k = 0; k < kClusters; ++k) ow[k] = side(rng), oh[k] = side(rng), ox[k] = at(rng),
                                       oy[k] = at(rng);
  std::vector<double> x0(kListLength), y0(kListLength), x1(kListLength), y1(kListLength);
  for (int p = 0; p < kListLength; ++p) {
    double w, h, x, y;
    if (clustered && p < kClustered) {
      const int k = p % kClusters;
      w = std::max(4.0, std::round(ow[k] * (1.0 + 0.1 * jitter(rng))));
      h = std::max(4.0, std::round(oh[k] * (1.0 + 0.1 * jitter(rng))));
      x = std::round(ox[k] + 0.1 * ow[k] * jitter(rng));
      y = std::round(oy[k] + 0.1 * oh[k] * jitter(rng));
    } else {
      w = side(rng), h = side(rng), x = at(rng), y = at(rng);
    }
    x0[p] = std::clamp(x, 1.0, kImage - w + 1), y0[p] = std::clamp(y, 1.0, kImage - h + 1);
    x1[p] = x0[p] + w - 1, y1[p] = y0[p] + h - 1;
  }
  std::vector<int> order(kListLength);
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), rng);
  Workload l;
  for (int q : order) {
    l.xmin.push_back(x0[q]), l.ymin.push_back(y0[q]), l.xmax.push_back(x1[q]),
        l.ymax.push_back(y1[q]);
    l.area.push_back((x1[q] - x0[q] + 1) * (y1[q] - y0[q] + 1));
  }
  return l;
}

const Workload& workload(bool clustered) {
  static const Workload lists[] = {makeWorkload(false), makeWorkload(true)};
  return lists[clustered];
}

enum class Variant { plain, fast, fastWithMarker };

void BM_pick(benchmark::State& state, bool clustered, Variant variant) {
  const Workload& w = workload(clustered);
  const auto c = static_cast<std::int32_t>(state.range(0));
  std::vector<double> kept(c), marker(kListLength);
  for (auto _ : state) {
    std::fill(marker.begin(), marker.end(), 0.0);
    if (variant == Variant::plain)
      gp::greedyPickPlain(kept.data(), marker.data(), w.area.data(), w.xmin.data(),
                          w.ymin.data(), w.xmax.data(), w.ymax.data(), kListLength, c);
    else
      gp::greedyPick(kept.data(), marker.data(), w.area.data(), w.xmin.data(), w.ymin.data(),
                     w.xmax.data(), w.ymax.data(), kListLength, c,
                     variant == Variant::fastWithMarker);
    benchmark::ClobberMemory();
  }
  state.counters["kept"] = static_cast<double>(c - std::count(kept.begin(), kept.end(), -1.0));
  state.counters["last kept"] = *std::max_element(kept.begin(), kept.end());
}

#ifdef WINSCORE_BENCH_OPENCV
// NMSBoxes on the same windows in the same order (descending scores), with
// top_k set to the positions up to the fast walk's last kept window, so that it
// returns the same picks; the run fails if it does not.
void BM_nmsBoxes(benchmark::State& state, bool clustered) {
  const Workload& w = workload(clustered);
  const auto c = static_cast<std::int32_t>(state.range(0));
  std::vector<cv::Rect2d> boxes;
  std::vector<float> scores;
  for (int p = 0; p < kListLength; ++p) {
    boxes.emplace_back(w.xmin[p], w.ymin[p], w.xmax[p] - w.xmin[p] + 1, w.ymax[p] - w.ymin[p] + 1);
    scores.push_back(static_cast<float>(kListLength - p));
  }
  std::vector<double> kept(c), marker(kListLength);
  gp::greedyPick(kept.data(), marker.data(), w.area.data(), w.xmin.data(), w.ymin.data(),
                 w.xmax.data(), w.ymax.data(), kListLength, c, false);
  const int last = static_cast<int>(*std::max_element(kept.begin(), kept.end()));
  const int topK = static_cast<int>(std::count(kept.begin(), kept.end(), -1.0)) > 0 ? 0 : last + 1;
  std::vector<int> picks;
  for (auto _ : state) {
    cv::dnn::NMSBoxes(boxes, scores, 0.0f, 0.5f, picks, 1.0f, topK);
    benchmark::ClobberMemory();
  }
  std::vector<double> same(picks.begin(), picks.end());
  same.resize(c, -1.0);
  if (same != kept) state.SkipWithError("NMSBoxes picks other windows");
  state.counters["kept"] = static_cast<double>(picks.size());
}
#endif

int registerAll() {
  for (bool clustered : {true, false}) {
    const std::string list = clustered ? "/clustered" : "/uniform";
    const auto sweep = [](benchmark::internal::Benchmark* b) {
      b->RangeMultiplier(10)->Range(10, 100000)->Unit(benchmark::kMillisecond);
    };
    sweep(benchmark::RegisterBenchmark(("greedypick/plain" + list).c_str(), BM_pick, clustered,
                                       Variant::plain));
    sweep(benchmark::RegisterBenchmark(("greedypick/fast" + list).c_str(), BM_pick, clustered,
                                       Variant::fast));
    sweep(benchmark::RegisterBenchmark(("greedypick/fast+marker" + list).c_str(), BM_pick,
                                       clustered, Variant::fastWithMarker));
#ifdef WINSCORE_BENCH_OPENCV
    sweep(benchmark::RegisterBenchmark(("greedypick/peer" + list).c_str(), BM_nmsBoxes,
                                       clustered));
#endif
  }
  return 0;
}

const int registered = registerAll();

}  // namespace
