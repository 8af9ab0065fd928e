// SPDX-License-Identifier: MIT
// Centre-surround chi-square contrast of windows, read from an integral histogram.
#include "ringdiff_kernel.hpp"

#include <cmath>

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
void scoreWindow(double* score, double* inner, double* P, double* ring, const double* H,
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

WindowReport scoreWindows(double* scores, double* inner, double* normalisedInner, double* ring,
                          const double* integralHistogram, std::int32_t numberRows,
                          std::int32_t numberColumns, const double* xmin, const double* ymin,
                          const double* xmax, const double* ymax, std::int32_t surroundPercent,
                          std::int32_t numberBins, std::int32_t numberWindows) {
  Layout layout{};
  layout.rowsPlusOne = std::int64_t{numberRows} + 1;
  layout.cornersPerColumn = static_cast<double>(layout.rowsPlusOne);
  const std::int64_t corners = layout.rowsPlusOne * (std::int64_t{numberColumns} + 1);
  layout.lastOffset = static_cast<double>((corners - 1) * numberBins);
  layout.rows = numberRows;
  layout.columns = numberColumns;
  layout.bins = numberBins;

  WindowReport report{0, WindowFault::none, {0.0, 0.0, 0.0, 0.0}};
  for (std::int32_t i = 0; i < numberWindows; ++i) {
    report.window = i;
    Corners at;
    report.fault = locateWindow(&at, &report.surround, layout, xmin[i], ymin[i], xmax[i],
                                ymax[i], surroundPercent);
    if (report.fault != WindowFault::none) return report;
    scoreWindow(&scores[i], inner, normalisedInner, ring, integralHistogram, numberBins, at);
  }
  report.window = numberWindows < 0 ? 0 : numberWindows;
  return report;
}

}  // namespace winscore::ringdiff
