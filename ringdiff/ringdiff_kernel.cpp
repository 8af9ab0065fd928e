// SPDX-License-Identifier: MIT
// Centre-surround chi-square contrast of windows, read from an integral histogram.
#include "ringdiff_kernel.hpp"

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace winscore::ringdiff {
namespace {

// The image and the extent of the histogram that holds it.
struct Layout {
  double cornersPerColumn;   // R + 1, as a double for the window's corner offsets
  std::int64_t rowsPlusOne;  // R + 1, for the surround's whole-number offsets
  double lastOffset;         // the largest offset whose B bins all lie inside
  double rows, columns;      // R and C
  std::int32_t bins;
};

// Corner rows run 0..R and corner columns 0..C; a NaN is no corner.
bool isCorner(double row, double column, const Layout& layout) {
  return row >= 0.0 && row <= layout.rows && column >= 0.0 && column <= layout.columns;
}

// A window corner offset: computed in doubles from the coordinates as stored,
// then truncated toward zero. False when its B bins would not all lie inside
// (for corners of the grid this cannot happen; it also keeps the conversion
// to 32 bits defined).
bool windowOffset(double value, const Layout& layout, std::int32_t* offset) {
  const double truncated = std::trunc(value);
  if (!(truncated >= 0.0 && truncated <= layout.lastOffset)) return false;
  *offset = static_cast<std::int32_t>(truncated);
  return true;
}

// A surround corner offset from whole-number bounds inside the grid. Formed in
// 64 bits, it equals the same expression in 32-bit arithmetic, since the value
// lies within 32 bits.
std::int32_t surroundOffset(double column, double row, const Layout& layout) {
  const auto corner =
      static_cast<std::int64_t>(column) * layout.rowsPlusOne + static_cast<std::int64_t>(row);
  return static_cast<std::int32_t>(corner * layout.bins);
}

// The eight corner offsets of a window and of its surround box.
struct Corners {
  std::int32_t oUL, oUR, oLL, oLR;  // the window
  std::int32_t sUL, sUR, sLL, sLR;  // the surround box
};

// Finds the corners of window x0..x1, y0..y1, or says why it cannot be scored,
// without reading the histogram. Every corner must be a corner of the grid,
// not only an offset inside the array: a window outside the image would
// otherwise read other corners' counts.
WindowFault locateWindow(Corners* at, Box* surround, const Layout& layout, double x0, double y0,
                         double x1, double y1, std::int32_t surroundPercent) {
  // Width and height from the coordinates as stored, truncated toward zero.
  const double width = std::trunc(x1 - x0 + 1.0);
  const double height = std::trunc(y1 - y0 + 1.0);
  if (std::isnan(width) || std::isnan(height)) return WindowFault::boxOutside;
  if (width <= 0.0 || height <= 0.0) return WindowFault::emptyWindow;
  if (!isCorner(y0 - 1.0, x0 - 1.0, layout) || !isCorner(y1, x1, layout))
    return WindowFault::boxOutside;
  // Now 1 <= w <= C and 1 <= h <= R.
  const auto w = static_cast<std::int32_t>(width);
  const auto h = static_cast<std::int32_t>(height);

  // The window's corners, each offset computed in doubles in the order written.
  const double R1 = layout.cornersPerColumn;
  const double Bd = layout.bins;
  if (!windowOffset(((x0 - 1.0) * R1 + y0 - 1.0) * Bd, layout, &at->oUL) ||
      !windowOffset((x1 * R1 + y0 - 1.0) * Bd, layout, &at->oUR) ||
      !windowOffset(((x0 - 1.0) * R1 + y1) * Bd, layout, &at->oLL) ||
      !windowOffset((x1 * R1 + y1) * Bd, layout, &at->oLR))
    return WindowFault::boxOutside;

  // The surround box; below -200 percent it can turn inside out past the grid.
  const Box& box = *surround = surroundBox(x0, y0, x1, y1, w, h, surroundPercent,
                                           static_cast<std::int32_t>(layout.rows),
                                           static_cast<std::int32_t>(layout.columns));
  if (!isCorner(box.y0 - 1.0, box.x0 - 1.0, layout) || !isCorner(box.y1, box.x1, layout))
    return WindowFault::surroundOutside;
  at->sUL = surroundOffset(box.x0 - 1.0, box.y0 - 1.0, layout);
  at->sUR = surroundOffset(box.x1, box.y0 - 1.0, layout);
  at->sLL = surroundOffset(box.x0 - 1.0, box.y1, layout);
  at->sLR = surroundOffset(box.x1, box.y1, layout);
  return WindowFault::none;
}

// Scores one located window bin by bin, in the order of the definition.
void scoreWindowPlain(double* score, double* inner, double* P, double* ring, const double* H,
                      std::int32_t B, const Corners& at) {
  const std::int32_t oUL = at.oUL, oUR = at.oUR, oLL = at.oLL, oLR = at.oLR;
  const std::int32_t sUL = at.sUL, sUR = at.sUR, sLL = at.sLL, sLR = at.sLR;

  // The window's histogram; corners combine as ((UL + LR) - UR) - LL, the order
  // the score is defined in: any other grouping can change the last bit.
  double S = 0.0;
  for (std::int32_t t = 0; t < B; ++t) {
    inner[t] = ((H[oUL + t] + H[oLR + t]) - H[oUR + t]) - H[oLL + t];
    S = S + inner[t];
  }
  // Normalised to sum 1; an empty window gives all zeros. NaN is divided by.
  for (std::int32_t t = 0; t < B; ++t) P[t] = S != 0.0 ? inner[t] / S : 0.0;

  // The ring: the surround box's histogram minus the window's.
  double T = 0.0;
  for (std::int32_t t = 0; t < B; ++t) {
    ring[t] = (((H[sUL + t] + H[sLR + t]) - H[sUR + t]) - H[sLL + t]) - inner[t];
    T = T + ring[t];
  }

  // Chi-square over the bins where P + Q is not 0; an empty ring scores 0.
  for (std::int32_t t = 0; t < B; ++t) {
    if (T == 0.0) {
      *score = 0.0;
      continue;
    }
    const double Q = ring[t] / T;
    const double s = Q + P[t];
    if (s != 0.0) {
      const double d = P[t] - Q;
      *score = (d * d) / (Q + P[t]) + *score;
    }
  }
}

#if defined(__GNUC__) && !defined(WINSCORE_PORTABLE_KERNELS)
// Two doubles in the lanes of one register; the compiler maps it to the
// target's vector unit, or to scalar code where there is none. Every lane
// operation is the IEEE operation of its scalar counterpart.
typedef double Pair __attribute__((vector_size(16)));
typedef std::int64_t PairMask __attribute__((vector_size(16)));

inline Pair load(const double* p) {
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void store(double* p, Pair v) { std::memcpy(p, &v, sizeof v); }

// Asks the memory system for the B bins of a corner ahead of their use.
inline void prefetchCorner(const double* H, std::int32_t offset, std::int32_t B) {
  const double* p = H + offset;
  for (std::int32_t t = 0; t < B; t += 8) __builtin_prefetch(p + t);
  __builtin_prefetch(p + (B - 1));
}

void prefetchWindow(const double* H, std::int32_t B, const Corners& at) {
  for (std::int32_t o : {at.oUL, at.oUR, at.oLL, at.oLR, at.sUL, at.sUR, at.sLL, at.sLR})
    prefetchCorner(H, o, B);
}

// The same score as scoreWindowPlain, to the bit. The bin-wise terms (the
// corner combinations, the divisions, the chi-square term of each bin) are
// independent of one another and run two bins at a time; only the three
// running sums S, T and the score are sequential, and they add the same
// values in the same increasing bin order. A bin with P + Q = 0 contributes
// -0.0, which leaves any sum unchanged (x + -0.0 is x for every x, +0.0 and
// NaN included). `ring` ends holding the per-bin terms.
void scoreWindowFast(double* score, double* inner, double* P, double* ring, const double* H,
                     std::int32_t B, const Corners& at) {
  const double* uL = H + at.oUL;
  const double* uR = H + at.oUR;
  const double* lL = H + at.oLL;
  const double* lR = H + at.oLR;
  const double* sUL = H + at.sUL;
  const double* sUR = H + at.sUR;
  const double* sLL = H + at.sLL;
  const double* sLR = H + at.sLR;
  const std::int32_t pairs = B & ~1;

  std::int32_t t = 0;
  for (; t < pairs; t += 2) {
    const Pair in = ((load(uL + t) + load(lR + t)) - load(uR + t)) - load(lL + t);
    store(inner + t, in);
    store(ring + t, (((load(sUL + t) + load(sLR + t)) - load(sUR + t)) - load(sLL + t)) - in);
  }
  for (; t < B; ++t) {
    inner[t] = ((uL[t] + lR[t]) - uR[t]) - lL[t];
    ring[t] = (((sUL[t] + sLR[t]) - sUR[t]) - sLL[t]) - inner[t];
  }

  // The two sums are independent chains, so one loop runs them side by side.
  double S = 0.0, T = 0.0;
  for (t = 0; t < B; ++t) {
    S = S + inner[t];
    T = T + ring[t];
  }

  if (S != 0.0) {
    const Pair S2 = {S, S};
    for (t = 0; t < pairs; t += 2) store(P + t, load(inner + t) / S2);
    for (; t < B; ++t) P[t] = inner[t] / S;
  } else {
    for (t = 0; t < B; ++t) P[t] = 0.0;
  }

  if (T == 0.0) {
    if (B > 0) *score = 0.0;
    return;
  }
  const Pair T2 = {T, T};
  const Pair zero = {0.0, 0.0};
  const Pair minusZero = {-0.0, -0.0};
  for (t = 0; t < pairs; t += 2) {
    const Pair p = load(P + t);
    const Pair Q = load(ring + t) / T2;
    const Pair s = Q + p;
    const Pair d = p - Q;
    const Pair term = (d * d) / (Q + p);
    const PairMask counts = s != zero;  // all ones where the bin adds its term
    store(ring + t, (Pair)(((PairMask)term & counts) | ((PairMask)minusZero & ~counts)));
  }
  for (; t < B; ++t) {
    const double Q = ring[t] / T;
    const double s = Q + P[t];
    const double d = P[t] - Q;
    ring[t] = s != 0.0 ? (d * d) / (Q + P[t]) : -0.0;
  }
  double sum = *score;
  for (t = 0; t < B; ++t) sum = ring[t] + sum;
  *score = sum;
}

#else
// Compilers without GCC's vector extensions score with the plain transcription.
void prefetchWindow(const double*, std::int32_t, const Corners&) {}
void scoreWindowFast(double* score, double* inner, double* P, double* ring, const double* H,
                     std::int32_t B, const Corners& at) {
  scoreWindowPlain(score, inner, P, ring, H, B, at);
}
#endif

// The fewest bins for which the corners of windows ahead are prefetched.
constexpr std::int32_t kPrefetchBins = 32;

// Scores windows in order with `scoreOne`, stopping at the first window that
// cannot be scored; with `kAhead` > 0 the corners of the window that many
// places ahead are prefetched, since the corner reads land all over a
// histogram much larger than the caches.
template <void (*scoreOne)(double*, double*, double*, double*, const double*, std::int32_t,
                           const Corners&),
          std::int32_t kAhead>
WindowReport scoreAll(double* scores, double* inner, double* normalisedInner, double* ring,
                      const double* H, std::int32_t numberRows, std::int32_t numberColumns,
                      const double* xmin, const double* ymin, const double* xmax,
                      const double* ymax, std::int32_t surroundPercent, std::int32_t numberBins,
                      std::int32_t numberWindows) {
  Layout layout{};
  layout.rowsPlusOne = std::int64_t{numberRows} + 1;
  layout.cornersPerColumn = static_cast<double>(layout.rowsPlusOne);
  const std::int64_t corners = layout.rowsPlusOne * (std::int64_t{numberColumns} + 1);
  layout.lastOffset = static_cast<double>((corners - 1) * numberBins);
  layout.rows = numberRows;
  layout.columns = numberColumns;
  layout.bins = numberBins;

  WindowReport report{0, WindowFault::none, {0.0, 0.0, 0.0, 0.0}};
  // With few bins a window is cheap to score and the corner lookups ahead cost
  // more than the prefetch saves (measured at 16 bins).
  const bool ahead = kAhead > 0 && numberBins >= kPrefetchBins;
  if (ahead) {
    for (std::int32_t i = 0; i < kAhead && i < numberWindows; ++i) {
      Corners ahead;
      Box box;
      if (locateWindow(&ahead, &box, layout, xmin[i], ymin[i], xmax[i], ymax[i],
                       surroundPercent) != WindowFault::none)
        break;
      prefetchWindow(H, numberBins, ahead);
    }
  }
  for (std::int32_t i = 0; i < numberWindows; ++i) {
    if (ahead && i < numberWindows - kAhead) {
      Corners ahead;
      Box box;
      const std::int32_t a = i + kAhead;
      if (locateWindow(&ahead, &box, layout, xmin[a], ymin[a], xmax[a], ymax[a],
                       surroundPercent) == WindowFault::none)
        prefetchWindow(H, numberBins, ahead);
    }
    report.window = i;
    Corners at;
    report.fault = locateWindow(&at, &report.surround, layout, xmin[i], ymin[i], xmax[i],
                                ymax[i], surroundPercent);
    if (report.fault != WindowFault::none) return report;
    scoreOne(&scores[i], inner, normalisedInner, ring, H, numberBins, at);
  }
  report.window = numberWindows < 0 ? 0 : numberWindows;
  return report;
}

}  // namespace

// The margins are formed from the whole-number extent, the product first; a
// side stays where it moved only when strictly inside the image, so a NaN
// side takes the border. Both lower and upper sides take the ceiling.
Box surroundBox(double x0, double y0, double x1, double y1, std::int32_t w, std::int32_t h,
                std::int32_t surroundPercent, std::int32_t numberRows,
                std::int32_t numberColumns) {
  const double dx = (static_cast<double>(w) * surroundPercent) / 200.0;
  const double dy = (static_cast<double>(h) * surroundPercent) / 200.0;
  Box box;
  box.x0 = std::ceil(x0 - dx > 1.0 ? x0 - dx : 1.0);
  box.x1 = std::ceil(x1 + dx < numberColumns ? x1 + dx : static_cast<double>(numberColumns));
  box.y0 = std::ceil(y0 - dy > 1.0 ? y0 - dy : 1.0);
  box.y1 = std::ceil(y1 + dy < numberRows ? y1 + dy : static_cast<double>(numberRows));
  return box;
}

WindowReport scoreWindowsPlain(double* scores, double* inner, double* normalisedInner,
                               double* ring, const double* integralHistogram,
                               std::int32_t numberRows, std::int32_t numberColumns,
                               const double* xmin, const double* ymin, const double* xmax,
                               const double* ymax, std::int32_t surroundPercent,
                               std::int32_t numberBins, std::int32_t numberWindows) {
  return scoreAll<scoreWindowPlain, 0>(scores, inner, normalisedInner, ring, integralHistogram,
                                       numberRows, numberColumns, xmin, ymin, xmax, ymax,
                                       surroundPercent, numberBins, numberWindows);
}

WindowReport scoreWindows(double* scores, double* inner, double* normalisedInner, double* ring,
                          const double* integralHistogram, std::int32_t numberRows,
                          std::int32_t numberColumns, const double* xmin, const double* ymin,
                          const double* xmax, const double* ymax, std::int32_t surroundPercent,
                          std::int32_t numberBins, std::int32_t numberWindows) {
  return scoreAll<scoreWindowFast, 8>(scores, inner, normalisedInner, ring, integralHistogram,
                                      numberRows, numberColumns, xmin, ymin, xmax, ymax,
                                      surroundPercent, numberBins, numberWindows);
}

}  // namespace winscore::ringdiff
