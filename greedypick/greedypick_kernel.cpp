// SPDX-License-Identifier: MIT
// Greedy suppression of windows that overlap a kept window by more than half.
#include "greedypick_kernel.hpp"

#include <cstring>

namespace winscore::greedypick {
namespace {

// min and max that return NaN when either operand is NaN, so that a NaN
// coordinate always gives a NaN side, which is not greater than 0.
inline double minOf(double a, double b) { return (a < b || a != a) ? a : b; }
inline double maxOf(double a, double b) { return (a > b || a != a) ? a : b; }

// min and max without the NaN rule, as the target's min and max instructions
// compute them, without branches. They serve only to rule windows out: when
// no coordinate is NaN they give the value minOf and maxOf give (up to the
// sign of a zero, which the + 1 that follows erases), and with a NaN the exact
// test says "no overlap" anyway.
inline double lowerOf(double a, double b) { return b < a ? b : a; }
inline double upperOf(double a, double b) { return b > a ? b : a; }

#if defined(__GNUC__) && !defined(WINSCORE_PORTABLE_KERNELS)
// Two doubles in the lanes of one register; the compiler maps it to the
// target's vector unit, or to scalar code where there is none.
typedef double Pair __attribute__((vector_size(16)));
typedef std::int64_t PairMask __attribute__((vector_size(16)));

inline Pair load(const double* p) {
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline Pair lowerOf(Pair a, Pair b) { return b < a ? b : a; }
inline Pair upperOf(Pair a, Pair b) { return b > a ? b : a; }

// Positions tested per block before the ones that may overlap are looked at.
constexpr std::int32_t kBlock = 16;

// Bit l set when position first + l may overlap window (x0, y0, x1, y1) and is
// not marked yet: both sides of the intersection positive, as far as the
// branch-free min and max tell, which is exactly when no coordinate is NaN.
std::uint32_t blockCandidates(const double* marker, const double* xmin, const double* ymin,
                              const double* xmax, const double* ymax, double x0, double y0,
                              double x1, double y1, std::int32_t first, std::int32_t count) {
  std::uint32_t candidates = 0;
  std::int32_t l = 0;
  if (count == kBlock) {
    const Pair X0 = {x0, x0}, Y0 = {y0, y0}, X1 = {x1, x1}, Y1 = {y1, y1};
    const Pair zero = {0.0, 0.0}, one = {1.0, 1.0};
    for (; l < kBlock; l += 2) {
      const std::int32_t j = first + l;
      const Pair iw = (lowerOf(X1, load(xmax + j)) - upperOf(X0, load(xmin + j))) + one;
      const Pair ih = (lowerOf(Y1, load(ymax + j)) - upperOf(Y0, load(ymin + j))) + one;
      const PairMask open = (iw > zero) & (ih > zero) & (load(marker + j) == zero);
      candidates |= static_cast<std::uint32_t>((open[0] & 1) | (open[1] & 2)) << l;
    }
    return candidates;
  }
  for (; l < count; ++l) {
    const std::int32_t j = first + l;
    const double iw = (lowerOf(x1, xmax[j]) - upperOf(x0, xmin[j])) + 1.0;
    const double ih = (lowerOf(y1, ymax[j]) - upperOf(y0, ymin[j])) + 1.0;
    const bool open = (iw > 0.0) & (ih > 0.0) & (marker[j] == 0.0);
    candidates |= static_cast<std::uint32_t>(open) << l;
  }
  return candidates;
}

// Marks every unmarked position after i whose overlap ratio with window i
// exceeds 0.5, as the full test of every later position would, to the bit:
// a marked position stays marked whatever its ratio, so it is passed over, and
// the ratio is formed (by overlapRatio itself) only for positions whose
// intersection has both sides positive, a block of positions at a time.
void suppressAfter(double* marker, const double* areaVector, const double* xmin,
                   const double* ymin, const double* xmax, const double* ymax, std::int32_t i,
                   std::int32_t numberPositions) {
  const double x0 = xmin[i], y0 = ymin[i], x1 = xmax[i], y1 = ymax[i];
  for (std::int32_t first = i + 1; first < numberPositions; first += kBlock) {
    const std::int32_t count =
        numberPositions - first < kBlock ? numberPositions - first : kBlock;
    std::uint32_t candidates =
        blockCandidates(marker, xmin, ymin, xmax, ymax, x0, y0, x1, y1, first, count);
    while (candidates != 0) {
      const std::int32_t j = first + __builtin_ctz(candidates);
      candidates &= candidates - 1;
      double ratio;
      if (overlapRatio(areaVector, xmin, ymin, xmax, ymax, i, j, ratio) && ratio > 0.5)
        marker[j] = 1.0;
    }
  }
}

#else
// Compilers without GCC's vector extensions test every unmarked later position.
void suppressAfter(double* marker, const double* areaVector, const double* xmin,
                   const double* ymin, const double* xmax, const double* ymax, std::int32_t i,
                   std::int32_t numberPositions) {
  for (std::int32_t j = i + 1; j < numberPositions; ++j) {
    double ratio;
    if (marker[j] == 0.0 && overlapRatio(areaVector, xmin, ymin, xmax, ymax, i, j, ratio) &&
        ratio > 0.5)
      marker[j] = 1.0;
  }
}
#endif

}  // namespace

bool overlapRatio(const double* areaVector, const double* xmin, const double* ymin,
                  const double* xmax, const double* ymax, std::int32_t i, std::int32_t j,
                  double& ratio) {
  // Bounds are inclusive, so windows sharing one column overlap by width 1 and
  // windows that merely touch (xmax + 1 == xmin) by width 0.
  const double iw = (minOf(xmax[i], xmax[j]) - maxOf(xmin[i], xmin[j])) + 1.0;
  const double ih = (minOf(ymax[i], ymax[j]) - maxOf(ymin[i], ymin[j])) + 1.0;
  if (!(iw > 0.0) || !(ih > 0.0)) return false;
  const double inter = ih * iw;
  // The union uses the caller's areas as they stand: a zero union gives an
  // infinite ratio, a negative one a negative ratio.
  const double unionArea = (areaVector[i] + areaVector[j]) - inter;
  ratio = inter / unionArea;
  return true;
}

namespace {

// Every later position is tested, marked or not: only kept windows suppress,
// and a window already suppressed by another is simply marked again.
void suppressEveryLater(double* marker, const double* areaVector, const double* xmin,
                        const double* ymin, const double* xmax, const double* ymax,
                        std::int32_t i, std::int32_t numberPositions) {
  for (std::int32_t j = i + 1; j < numberPositions; ++j) {
    double ratio;
    if (overlapRatio(areaVector, xmin, ymin, xmax, ymax, i, j, ratio) && ratio > 0.5)
      marker[j] = 1.0;
  }
}

// The greedy walk: keep window i, let it suppress, move to the first
// unmarked position after it, until numberKept are kept or none is left.
template <void (*suppress)(double*, const double*, const double*, const double*, const double*,
                           const double*, std::int32_t, std::int32_t)>
void walkList(double* kept, double* marker, const double* areaVector, const double* xmin,
              const double* ymin, const double* xmax, const double* ymax,
              std::int32_t numberPositions, std::int32_t numberKept) {
  for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
  if (numberKept <= 0 || numberPositions <= 0) return;

  std::int32_t k = 0;
  std::int32_t i = 0;
  for (;;) {
    kept[k] = static_cast<double>(i);
    marker[i] = 1.0;
    suppress(marker, areaVector, xmin, ymin, xmax, ymax, i, numberPositions);
    std::int32_t next = i + 1;
    while (next < numberPositions && marker[next] != 0.0) ++next;
    if (next == numberPositions) return;
    if (++k == numberKept) return;
    i = next;
  }
}

}  // namespace

void greedyPickPlain(double* kept, double* marker, const double* areaVector, const double* xmin,
                     const double* ymin, const double* xmax, const double* ymax,
                     std::int32_t numberPositions, std::int32_t numberKept) {
  walkList<suppressEveryLater>(kept, marker, areaVector, xmin, ymin, xmax, ymax, numberPositions,
                               numberKept);
}

void greedyPick(double* kept, double* marker, const double* areaVector, const double* xmin,
                const double* ymin, const double* xmax, const double* ymax,
                std::int32_t numberPositions, std::int32_t numberKept) {
  walkList<suppressAfter>(kept, marker, areaVector, xmin, ymin, xmax, ymax, numberPositions,
                          numberKept);
}

}  // namespace winscore::greedypick
