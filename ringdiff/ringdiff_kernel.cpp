// SPDX-License-Identifier: MIT
// Centre-surround chi-square contrast of windows, read from an integral histogram.
#include "ringdiff_kernel.hpp"

#include <cmath>

namespace winscore::ringdiff {
namespace {

constexpr double kInt32Min = -2147483648.0;
constexpr double kInt32Max = 2147483647.0;

bool fitsInt32(double value) { return value >= kInt32Min && value <= kInt32Max; }

// The image and the extent of the histogram that holds it.
struct Layout {
  double cornersPerColumn;   // R + 1, as a double for the window's corner offsets
  std::int64_t rowsPlusOne;  // R + 1, for the surround's whole-number offsets
  std::int64_t corners;      // (R + 1)(C + 1) columns of B bins
  double lastOffset;         // the largest offset whose B bins all lie inside
  std::int32_t rows, columns, bins;
};

// A window corner offset: computed in doubles from the coordinates as stored,
// then truncated toward zero. False when its B bins would not all lie inside.
bool windowOffset(double value, const Layout& layout, std::int32_t* offset) {
  const double truncated = std::trunc(value);
  if (!(truncated >= 0.0 && truncated <= layout.lastOffset)) return false;
  *offset = static_cast<std::int32_t>(truncated);
  return true;
}

// A surround corner offset from whole-number bounds. The corner index is formed
// in 64 bits, where it cannot overflow; whenever it lies inside the histogram
// it equals the same expression in 32-bit arithmetic, and so does the offset.
bool surroundOffset(std::int64_t corner, const Layout& layout, std::int32_t* offset) {
  if (layout.bins == 0) {  // nothing is read
    *offset = 0;
    return true;
  }
  if (corner < 0 || corner >= layout.corners) return false;
  *offset = static_cast<std::int32_t>(corner * layout.bins);
  return true;
}

// Scores window i, or says why it cannot, before reading any of its corners.
WindowFault scoreWindow(double* score, double* inner, double* P, double* ring, const double* H,
                        const Layout& layout, double x0, double y0, double x1, double y1,
                        std::int32_t surroundPercent, WindowReport* report) {
  const std::int32_t B = layout.bins;

  // Width and height from the coordinates as stored, truncated toward zero.
  const double width = std::trunc(x1 - x0 + 1.0);
  const double height = std::trunc(y1 - y0 + 1.0);
  if (std::isnan(width) || std::isnan(height)) return WindowFault::boxOutside;
  if (width <= 0.0 || height <= 0.0) return WindowFault::emptyWindow;
  if (width > kInt32Max || height > kInt32Max) return WindowFault::boxOutside;
  const auto w = static_cast<std::int32_t>(width);
  const auto h = static_cast<std::int32_t>(height);

  // The window's corners, each offset computed in doubles in the order written.
  const double R1 = layout.cornersPerColumn;
  const double Bd = B;
  std::int32_t oUL, oUR, oLL, oLR;
  if (!windowOffset(((x0 - 1.0) * R1 + y0 - 1.0) * Bd, layout, &oUL) ||
      !windowOffset((x1 * R1 + y0 - 1.0) * Bd, layout, &oUR) ||
      !windowOffset(((x0 - 1.0) * R1 + y1) * Bd, layout, &oLL) ||
      !windowOffset((x1 * R1 + y1) * Bd, layout, &oLR))
    return WindowFault::boxOutside;

  const Box& box = report->surround =
      surroundBox(x0, y0, x1, y1, w, h, surroundPercent, layout.rows, layout.columns);
  if (!fitsInt32(box.x0) || !fitsInt32(box.x1) || !fitsInt32(box.y0) || !fitsInt32(box.y1))
    return WindowFault::surroundOutside;
  const auto sx0 = static_cast<std::int64_t>(box.x0);
  const auto sx1 = static_cast<std::int64_t>(box.x1);
  const auto sy0 = static_cast<std::int64_t>(box.y0);
  const auto sy1 = static_cast<std::int64_t>(box.y1);
  const std::int64_t r1 = layout.rowsPlusOne;
  std::int32_t sUL, sUR, sLL, sLR;
  if (!surroundOffset((sx0 - 1) * r1 + sy0 - 1, layout, &sUL) ||
      !surroundOffset(sx1 * r1 + sy0 - 1, layout, &sUR) ||
      !surroundOffset((sx0 - 1) * r1 + sy1, layout, &sLL) ||
      !surroundOffset(sx1 * r1 + sy1, layout, &sLR))
    return WindowFault::surroundOutside;

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
  return WindowFault::none;
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
  layout.corners = layout.rowsPlusOne * (std::int64_t{numberColumns} + 1);
  layout.lastOffset = static_cast<double>((layout.corners - 1) * numberBins);
  layout.rows = numberRows;
  layout.columns = numberColumns;
  layout.bins = numberBins;

  WindowReport report{0, WindowFault::none, {0.0, 0.0, 0.0, 0.0}};
  for (std::int32_t i = 0; i < numberWindows; ++i) {
    report.window = i;
    report.fault = scoreWindow(&scores[i], inner, normalisedInner, ring, integralHistogram,
                               layout, xmin[i], ymin[i], xmax[i], ymax[i], surroundPercent,
                               &report);
    if (report.fault != WindowFault::none) return report;
  }
  report.window = numberWindows < 0 ? 0 : numberWindows;
  return report;
}

}  // namespace winscore::ringdiff
