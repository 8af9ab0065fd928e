// SPDX-License-Identifier: MIT
// Integral histogram of a 480 x 640 image: row order, memory order (with and without
// streaming stores), and the memset floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "tallyplane_kernel.hpp"
#include "tallyplane_stores.hpp"

namespace {

constexpr int kRows = 480;
constexpr int kCols = 640;

struct Workload {
  explicit Workload(int bins)
      : bins(bins), quant(static_cast<size_t>(kRows) * kCols),
        histogram(static_cast<size_t>(bins) * (kRows + 1) * (kCols + 1), 0.0) {
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> bin(1, bins);
    for (double& q : quant) q = bin(rng);
  }
  size_t bytes() const { return histogram.size() * sizeof(double); }
  int bins;
  std::vector<double> quant;
  std::vector<double> histogram;
};

template <void (*Kernel)(double*, const double*, int32_t, int32_t, int32_t)>
void BM_kernel(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    // The output starts as zeros, as the host creates it; that is not timed.
    state.PauseTiming();
    std::memset(w.histogram.data(), 0, w.bytes());
    state.ResumeTiming();
    Kernel(w.histogram.data(), w.quant.data(), kRows, kCols, w.bins);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * w.bytes()));
}

// The floor: zeroing the output bytes in memory already touched.
void BM_floor(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::memset(w.histogram.data(), 0, w.bytes());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * w.bytes()));
}

using winscore::tallyplane::integralHistogram;
using winscore::tallyplane::integralHistogramCached;
using winscore::tallyplane::integralHistogramPlain;

// Argument: the bin count B.
void workloads(benchmark::internal::Benchmark* b) {
  b->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_kernel<integralHistogramPlain>)->Name("tallyplane/plain")->Apply(workloads);
BENCHMARK(BM_kernel<integralHistogram>)->Name("tallyplane/fast")->Apply(workloads);
BENCHMARK(BM_kernel<integralHistogramCached>)->Name("tallyplane/cached")->Apply(workloads);
BENCHMARK(BM_floor)->Name("tallyplane/floor")->Apply(workloads);

}  // namespace
