// SPDX-License-Identifier: MIT
// The fused contrast against tallyplane + ringdiff on a 768 x 1024 image at 64
// bins with 3000 windows (propose's candidates), and its working memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "ringcontrast_kernel.hpp"
#include "ringdiff_kernel.hpp"
#include "tallyplane_kernel.hpp"

namespace {

namespace rc = winscore::ringcontrast;

constexpr int kPercent = 50;

// An RGB uint8 image of random patches with noise, its 64 bins, and windows
// with sides of 6% to 60% of the image's placed uniformly, as propose makes.
struct Workload {
  Workload(int rows, int cols, int windows) : rows(rows), cols(cols), boxes(4 * windows) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> level(0, 255), coin(0, 3);
    const int patchRows = rows / 32 + 1, patchCols = cols / 32 + 1;
    std::vector<int> patch(3 * static_cast<size_t>(patchRows) * patchCols);
    for (int& p : patch) p = level(rng);
    const size_t plane = static_cast<size_t>(rows) * cols;
    pixels.resize(3 * plane);
    for (int k = 0; k < 3; ++k)
      for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
          pixels[r + c * static_cast<size_t>(rows) + k * plane] = static_cast<std::uint8_t>(
              coin(rng) ? patch[r / 32 + (c / 32) * patchRows + k * patchRows * patchCols]
                        : level(rng));
    bins.resize(plane);
    rc::quantise(bins.data(), image(), 64);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < windows; ++i) {
      const double w = std::max(std::round(cols * (0.06 + 0.54 * unit(rng))), 1.0);
      const double h = std::max(std::round(rows * (0.06 + 0.54 * unit(rng))), 1.0);
      const double x0 = 1 + std::floor((cols - w + 1) * unit(rng));
      const double y0 = 1 + std::floor((rows - h + 1) * unit(rng));
      boxes[i] = x0;
      boxes[i + windows] = y0;
      boxes[i + 2 * windows] = x0 + w - 1;
      boxes[i + 3 * windows] = y0 + h - 1;
    }
  }
  rc::Image image() const { return {pixels.data(), rc::Source::uint8, rows, cols, 3}; }
  rc::Image binImage() const { return {bins.data(), rc::Source::bins, rows, cols, 1}; }
  std::int64_t windows() const { return static_cast<std::int64_t>(boxes.size() / 4); }
  int rows, cols;
  std::vector<std::uint8_t> pixels;
  std::vector<double> bins, boxes;
};

const Workload& workload(int rows, int cols, int windows) {
  static std::vector<Workload*> made;
  for (Workload* w : made)
    if (w->rows == rows && w->cols == cols && w->windows() == windows) return *w;
  made.push_back(new Workload(rows, cols, windows));
  return *made.back();
}

void setCounters(benchmark::State& state, const Workload& w, double bytes) {
  state.counters["windows"] = static_cast<double>(w.windows());
  state.counters["workingMB"] = bytes / 1e6;
}

// Both plug-ins' kernels: the integral histogram, then the scores.
void BM_pair(benchmark::State& state) {
  const Workload& w = workload(state.range(0), state.range(1), state.range(2));
  const int B = 64;
  std::vector<double> histogram(static_cast<size_t>(B) * (w.rows + 1) * (w.cols + 1));
  std::vector<double> scores(w.windows()), inner(B), P(B), ring(B);
  const auto n = static_cast<std::int64_t>(w.windows());
  for (auto _ : state) {
    std::fill(histogram.begin(), histogram.end(), 0.0);
    winscore::tallyplane::integralHistogram(histogram.data(), w.bins.data(), w.rows, w.cols, B);
    std::fill(scores.begin(), scores.end(), 0.0);
    winscore::ringdiff::scoreWindows(scores.data(), inner.data(), P.data(), ring.data(),
                                     histogram.data(), w.rows, w.cols, w.boxes.data(),
                                     w.boxes.data() + n, w.boxes.data() + 2 * n,
                                     w.boxes.data() + 3 * n, kPercent, B,
                                     static_cast<std::int32_t>(n));
    benchmark::DoNotOptimize(scores.data());
  }
  setCounters(state, w, static_cast<double>(histogram.size()) * sizeof(double));
}

// The fused kernel on the bins (as winscore.contrast) and on the pixels (as propose).
void BM_fused(benchmark::State& state, bool fromPixels) {
  const Workload& w = workload(state.range(0), state.range(1), state.range(2));
  std::vector<double> scores(w.windows());
  const rc::Image image = fromPixels ? w.image() : w.binImage();
  for (auto _ : state) {
    rc::scoreWindows(scores.data(), image, 64, w.boxes.data(), w.windows(), kPercent);
    benchmark::DoNotOptimize(scores.data());
  }
  setCounters(state, w, rc::workingBytes(w.rows, w.cols, 64, w.windows()));
}

void BM_quantise(benchmark::State& state) {
  const Workload& w = workload(state.range(0), state.range(1), state.range(2));
  std::vector<double> bins(static_cast<size_t>(w.rows) * w.cols);
  for (auto _ : state) {
    rc::quantise(bins.data(), w.image(), 64);
    benchmark::DoNotOptimize(bins.data());
  }
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({768, 1024, 3000})->Args({768, 1024, 300})->Args({3000, 4000, 3000})->Unit(
      benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_pair)->Name("ringcontrast/tallyplane+ringdiff")->Args({768, 1024, 3000})->Unit(
    benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_fused, bins, false)->Name("ringcontrast/fused-bins")->Apply(sizes);
BENCHMARK_CAPTURE(BM_fused, pixels, true)->Name("ringcontrast/fused-pixels")->Apply(sizes);
BENCHMARK(BM_quantise)->Name("ringcontrast/quantise")->Args({768, 1024, 1})->Unit(
    benchmark::kMillisecond);
