// SPDX-License-Identifier: MIT
// Calls all six gateways through the test host on fixed inputs and prints one
// line per output: "<plugin>.<case>.<output> <rows>x<cols> nan=<count> <hash>",
// the hash being 64-bit FNV-1a over the little-endian bytes of every element.
// Every NaN is hashed as the one quiet NaN 0x7ff8000000000000: the sign a NaN
// made by arithmetic gets depends on the processor, its being NaN does not.
// Two machines agree on every finite (and infinite) result when the lines agree.
// With --raw-nan a NaN is hashed with the bits it has, to see where they differ.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "testhost.hpp"

// Each gateway is compiled with its entry point renamed; the test host calls
// mexFunction, which passes the call on to the plug-in chosen here.
extern "C" {
void ws_gateway_tallyplane(int, mxArray*[], int, const mxArray*[]);
void ws_gateway_ringdiff(int, mxArray*[], int, const mxArray*[]);
void ws_gateway_gridsweep(int, mxArray*[], int, const mxArray*[]);
void ws_gateway_peakpick(int, mxArray*[], int, const mxArray*[]);
void ws_gateway_drawweighted(int, mxArray*[], int, const mxArray*[]);
void ws_gateway_greedypick(int, mxArray*[], int, const mxArray*[]);
void ws_gateway_ringcontrast(int, mxArray*[], int, const mxArray*[]);
}

namespace {

using namespace winscore::testhost;
using Gateway = void (*)(int, mxArray*[], int, const mxArray*[]);

Gateway g_gateway = nullptr;

// The same numbers on every machine: integer steps only, and doubles made from
// them by exact operations.
struct Numbers {
  std::uint64_t state;
  std::uint64_t next() {  // splitmix64
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  double unit() { return static_cast<double>(next() >> 11) * 0x1p-53; }  // [0, 1)
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
};

bool g_rawNaN = false;

std::uint64_t hashValues(const std::vector<double>& values, std::size_t& nans) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  nans = 0;
  for (double v : values) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    if (std::isnan(v)) {
      ++nans;
      if (!g_rawNaN) bits = 0x7ff8000000000000ULL;
    }
    for (int b = 0; b < 8; ++b) {
      h ^= (bits >> (8 * b)) & 0xff;
      h *= 0x100000001b3ULL;
    }
  }
  return h;
}

int g_failures = 0;

// Calls the plug-in and prints its outputs; returns them for the next stage.
std::vector<Array> run(const char* plugin, Gateway gateway, const std::string& name, int nlhs,
                       const std::vector<const mxArray*>& inputs) {
  g_gateway = gateway;
  std::vector<Array> outputs;
  try {
    outputs = call(nlhs, inputs).outputs;
  } catch (const HostError& e) {  // an error is a result too, the same everywhere
    std::printf("%s.%s error %s: %s\n", plugin, name.c_str(), e.identifier.c_str(), e.what());
    return outputs;
  } catch (const std::exception& e) {
    std::printf("%s.%s FAILED %s\n", plugin, name.c_str(), e.what());
    ++g_failures;
    return outputs;
  }
  for (std::size_t o = 0; o < outputs.size(); ++o) {
    if (!outputs[o]) continue;
    std::vector<double> values = valuesOf(outputs[o].get());
    std::vector<std::size_t> dims = dimsOf(outputs[o].get());
    std::size_t nans;
    std::uint64_t h = hashValues(values, nans);
    std::printf("%s.%s.%zu %zux%zu nan=%zu %016llx\n", plugin, name.c_str(), o + 1, dims[0],
                dims[1], nans, static_cast<unsigned long long>(h));
  }
  return outputs;
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A zero-bordered (n+1) x (n+1) integral image of the given cells, summed in
// the same order everywhere.
std::vector<double> integralImage(int n, const std::vector<double>& cells) {
  std::vector<double> t((n + 1) * (n + 1), 0.0);
  for (int c = 1; c <= n; ++c)
    for (int r = 1; r <= n; ++r)
      t[r + c * (n + 1)] = ((cells[(r - 1) + (c - 1) * n] + t[(r - 1) + c * (n + 1)]) +
                            t[r + (c - 1) * (n + 1)]) -
                           t[(r - 1) + (c - 1) * (n + 1)];
  return t;
}

// Cells that make every kind of value: fractions, -0.0, huge, tiny, and (when
// asked) NaN and infinities.
std::vector<double> adversarialCells(Numbers& rng, int count, bool nonFinite) {
  std::vector<double> cells(count);
  for (double& v : cells) {
    switch (rng.below(nonFinite ? 9 : 6)) {
      case 0: v = rng.unit(); break;
      case 1: v = -0.0; break;
      case 2: v = std::ldexp(rng.unit() + 0.5, 1000); break;
      case 3: v = std::ldexp(rng.unit(), -1060); break;  // subnormal
      case 4: v = rng.unit() * 1e6 - 5e5; break;
      case 5: v = 1.0 / 3.0 * rng.between(1, 9); break;
      case 6: v = kNaN; break;
      case 7: v = kInf; break;
      default: v = -kInf; break;
    }
  }
  return cells;
}

void tallyAndRing(Numbers& rng) {
  const int rows = 37, cols = 53, bins = 7;
  std::vector<double> quant(rows * cols);
  for (double& v : quant) v = rng.between(1, bins) + rng.unit();  // floor is the bin
  auto hist = run("tallyplane", ws_gateway_tallyplane, "image", 1,
                  {matrix(rows, cols, quant).get(), scalar(rows).get(), scalar(cols).get(),
                   scalar(bins).get()});
  if (hist.empty()) return;

  const int windows = 600;
  std::vector<double> xmin(windows), ymin(windows), xmax(windows), ymax(windows);
  for (int i = 0; i < windows; ++i) {
    xmin[i] = rng.between(1, cols);
    xmax[i] = rng.between(static_cast<int>(xmin[i]), cols);
    ymin[i] = rng.between(1, rows);
    ymax[i] = rng.between(static_cast<int>(ymin[i]), rows);
  }
  for (int percent : {0, 1, 33, 100, 250, -150}) {
    run("ringdiff", ws_gateway_ringdiff, "surround" + std::to_string(percent), 1,
        {hist[0].get(), scalar(rows).get(), scalar(cols).get(), row(xmin).get(),
         row(ymin).get(), row(xmax).get(), row(ymax).get(), scalar(percent).get(),
         scalar(bins).get(), scalar(windows).get()});
  }
}

void sweepAndPeaks(Numbers& rng) {
  const int n = 12;
  struct Images {
    const char* name;
    std::vector<double> a, b;
  };
  std::vector<double> plainA(n * n), plainB(n * n);
  for (double& v : plainA) v = rng.unit();
  for (double& v : plainB) v = rng.unit() * 3.0;
  Images sets[] = {
      {"fractional", integralImage(n, plainA), integralImage(n, plainB)},
      {"adversarial", integralImage(n, adversarialCells(rng, n * n, false)),
       integralImage(n, adversarialCells(rng, n * n, false))},
      {"nonfinite", integralImage(n, adversarialCells(rng, n * n, true)),
       integralImage(n, plainB)},
  };
  for (const Images& set : sets) {
    for (int minSide : {1, 3}) {
      std::string name = std::string(set.name) + ".min" + std::to_string(minSide);
      auto scores = run("gridsweep", ws_gateway_gridsweep, name, 1,
                        {matrix(1, 1).get(), scalar(n).get(), scalar(minSide).get(),
                         scalar(minSide).get(), scalar(0).get(),
                         matrix(n + 1, n + 1, set.a).get(), matrix(n + 1, n + 1, set.b).get()});
      if (scores.empty() || minSide != 1) continue;
      for (double size : {1.0, 3.0, 5.0, 2.5}) {
        char box[32];
        std::snprintf(box, sizeof box, ".box%g", size);
        run("peakpick", ws_gateway_peakpick, name + box, 5,
            {scores[0].get(), scalar(n).get(), scalar(n).get(), scalar(size).get()});
      }
    }
  }
}

void draws(Numbers& rng) {
  std::vector<double> scores(1000);
  for (double& v : scores) v = rng.below(4) == 0 ? 0.0 : rng.unit() * 10.0;
  scores[17] = 1e300;
  std::vector<double> small = {0.1, 0.2, 0.3, 0.0, 1.0 / 3.0};
  run("drawweighted", ws_gateway_drawweighted, "with", 1,
      {row(scores).get(), scalar(700).get(), scalar(1).get()});
  run("drawweighted", ws_gateway_drawweighted, "without", 1,
      {row(std::vector<double>(scores.begin() + 18, scores.end())).get(), scalar(300).get(),
       scalar(0).get()});
  run("drawweighted", ws_gateway_drawweighted, "small", 1,
      {matrix(5, 1, small).get(), scalar(50).get(), scalar(2).get()});
}

void greedy(Numbers& rng) {
  const int count = 100000;
  std::vector<double> area(count), xmin(count), ymin(count), xmax(count), ymax(count);
  for (int i = 0; i < count; ++i) {
    xmin[i] = rng.between(1, 60);
    xmax[i] = xmin[i] + rng.between(0, 40);
    ymin[i] = rng.between(1, 60);
    ymax[i] = ymin[i] + rng.between(0, 40);
    area[i] = (xmax[i] - xmin[i] + 1) * (ymax[i] - ymin[i] + 1);
    if (i % 997 == 5) area[i] *= 0.75;  // areas as the caller counts them, fractions included
  }
  xmin[123] = kNaN;
  for (int kept : {1, 250, 5000}) {
    run("greedypick", ws_gateway_greedypick, "kept" + std::to_string(kept), 2,
        {matrix(count, 1, area).get(), matrix(1, 1).get(), matrix(count, 1, xmin).get(),
         matrix(count, 1, ymin).get(), matrix(count, 1, xmax).get(),
         matrix(count, 1, ymax).get(), scalar(kept).get()});
  }
}

// The API's contrast kernel: quantised uint8 RGB pixels, then their scores
// at surrounds that shrink, keep and clip the box.
void contrast(Numbers& rng) {
  const int rows = 41, cols = 67, windows = 500;
  std::vector<double> pixels(3 * rows * cols);
  for (double& v : pixels) v = rng.below(256);
  const Array image = makeArray(ArrayClass::Uint8, {rows, cols, 3}, false, false, pixels);
  run("ringcontrast", ws_gateway_ringcontrast, "quantise", 1,
      {text("quantise").get(), image.get(), scalar(27).get()});
  std::vector<double> boxes(4 * windows);
  for (int i = 0; i < windows; ++i) {
    boxes[i] = rng.between(1, cols);
    boxes[i + windows] = rng.between(1, rows);
    boxes[i + 2 * windows] = rng.between(static_cast<int>(boxes[i]), cols);
    boxes[i + 3 * windows] = rng.between(static_cast<int>(boxes[i + windows]), rows);
  }
  for (int percent : {-150, 0, 50, 300}) {
    run("ringcontrast", ws_gateway_ringcontrast, "surround" + std::to_string(percent), 1,
        {text("pixels").get(), image.get(), scalar(27).get(), matrix(windows, 4, boxes).get(),
         scalar(percent).get(), scalar(1e9).get()});
  }
}

}  // namespace

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  g_gateway(nlhs, plhs, nrhs, prhs);
}

int main(int argc, char** argv) {
  g_rawNaN = argc > 1 && std::strcmp(argv[1], "--raw-nan") == 0;
  Numbers rng{20261209};
  tallyAndRing(rng);
  sweepAndPeaks(rng);
  draws(rng);
  greedy(rng);
  contrast(rng);
  return g_failures == 0 ? 0 : 1;
}
