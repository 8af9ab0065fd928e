// SPDX-License-Identifier: MIT
// Greedy suppression of 100000 windows: the plain transcription, the fast walk with and without
// the marker vector, each walk forced, and OpenCV's NMSBoxes, over c in doubling steps from 1 to
// 100000. The lists: clustered or uniform in a 500 x 500 image, long thin strips, and windows
// whose bounds are all NaN.
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

// Long thin strips, 1 to 3 pixels across and 200 to 1000 long, half lying and half standing,
// spread over a 20000 x 20000 image, so that most of them are kept.
Workload makeStrips() {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> across(1, 3), along(200, 1000), at(1, 20000);
  Workload l;
  for (int p = 0; p < kListLength; ++p) {
    double w = across(rng), h = along(rng);
    if (p % 2) std::swap(w, h);
    const double x = at(rng), y = at(rng);
    l.xmin.push_back(x), l.ymin.push_back(y), l.xmax.push_back(x + w - 1),
        l.ymax.push_back(y + h - 1), l.area.push_back(w * h);
  }
  return l;
}

// Windows whose bounds are all NaN: each overlaps nothing, so every one is kept.
Workload makeNaNs() {
  const double nan = std::nan("");
  std::vector<double> v(kListLength, nan);
  return {std::vector<double>(kListLength, 1.0), v, v, v, v};
}

enum class List { uniform, clustered, strips, nan };
constexpr const char* kListNames[] = {"uniform", "clustered", "strips", "nan"};

const Workload& workload(List list) {
  static const Workload lists[] = {makeWorkload(false), makeWorkload(true), makeStrips(),
                                   makeNaNs()};
  return lists[static_cast<int>(list)];
}

// One walk forced, with or without the marker vector; `plain` is the reference
// function, which always fills the marker vector.
struct Variant {
  const char* name;
  gp::Walk walk;
  bool marker;
};
constexpr Variant kPlain{"plain", gp::Walk::plain, true};
constexpr Variant kVariants[] = {
    {"fast", gp::Walk::automatic, false},          {"fast+marker", gp::Walk::automatic, true},
    {"lazyList", gp::Walk::lazyList, false},       {"lazyList+marker", gp::Walk::lazyList, true},
    {"lazyGrid", gp::Walk::lazyGrid, false},       {"lazyGrid+marker", gp::Walk::lazyGrid, true}};

void BM_pick(benchmark::State& state, List list, Variant variant) {
  const Workload& w = workload(list);
  const auto c = static_cast<std::int32_t>(state.range(0));
  std::vector<double> kept(c), marker(kListLength);
  for (auto _ : state) {
    std::fill(marker.begin(), marker.end(), 0.0);
    if (variant.walk == gp::Walk::plain)
      gp::greedyPickPlain(kept.data(), marker.data(), w.area.data(), w.xmin.data(),
                          w.ymin.data(), w.xmax.data(), w.ymax.data(), kListLength, c);
    else
      gp::greedyPick(kept.data(), marker.data(), w.area.data(), w.xmin.data(), w.ymin.data(),
                     w.xmax.data(), w.ymax.data(), kListLength, c, variant.marker, gp::kHalf,
                     variant.walk);
    benchmark::ClobberMemory();
  }
  state.counters["kept"] = static_cast<double>(c - std::count(kept.begin(), kept.end(), -1.0));
  state.counters["last kept"] = *std::max_element(kept.begin(), kept.end());
}

#ifdef WINSCORE_BENCH_OPENCV
// NMSBoxes on the same windows in the same order (descending scores), with
// top_k set to the positions up to the fast walk's last kept window, so that it
// returns the same picks; the run fails if it does not.
void BM_nmsBoxes(benchmark::State& state, List list) {
  const Workload& w = workload(list);
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

// The sweep: c = 1, 2, 4, ..., 65536 and 100000 on the clustered and uniform
// lists; c = 1000 and 100000 on the strips and the NaN windows. A run that
// takes longer than its minimum time is timed once.
int registerAll() {
  std::vector<std::int64_t> doubling;
  for (std::int64_t c = 1; c < kListLength; c *= 2) doubling.push_back(c);
  doubling.push_back(kListLength);
  for (List list : {List::clustered, List::uniform, List::strips, List::nan}) {
    const bool swept = list == List::clustered || list == List::uniform;
    const auto counts = swept ? doubling : std::vector<std::int64_t>{1000, kListLength};
    const auto add = [&](const std::string& variant, auto&&... run) {
      auto* b = benchmark::RegisterBenchmark(
          ("greedypick/" + variant + "/" + kListNames[static_cast<int>(list)]).c_str(), run...);
      for (std::int64_t c : counts) b->Arg(c);
      return b->Unit(benchmark::kMillisecond)->MinTime(0.05);
    };
    add(kPlain.name, BM_pick, list, kPlain);
    for (const Variant& v : kVariants) add(v.name, BM_pick, list, v);
#ifdef WINSCORE_BENCH_OPENCV
    if (swept) add("peer", BM_nmsBoxes, list);
#endif
  }
  return 0;
}

const int registered = registerAll();

}  // namespace
