// SPDX-License-Identifier: MIT
// Centre-surround chi-square contrast of windows, read from an integral histogram.
#ifndef WINSCORE_RINGDIFF_KERNEL_HPP
#define WINSCORE_RINGDIFF_KERNEL_HPP

#include <cstdint>

namespace winscore::ringdiff {

// Why a window could not be scored.
enum class WindowFault {
  none,
  emptyWindow,      // xmax - xmin + 1 or ymax - ymin + 1 truncates to 0 or less
  boxOutside,       // a corner of the window itself lies outside the histogram
  surroundOutside,  // a corner of the surround box lies outside the histogram
};

// A box of columns x0..x1 and rows y0..y1, 1-based and inclusive.
struct Box {
  double x0, x1, y0, y1;
};

// The first window that could not be scored (0-based), or the window count
// with `fault == none`. For `surroundOutside`, the surround box.
struct WindowReport {
  std::int32_t window;
  WindowFault fault;
  Box surround;
};

// The surround box of the window x0..x1, y0..y1 of w x h pixels: each side
// moves out by w*p/200 (h*p/200), is clipped to the R x C image where it
// leaves it, and takes its ceiling, the lower sides as well as the upper.
Box surroundBox(double x0, double y0, double x1, double y1, std::int32_t w, std::int32_t h,
                std::int32_t surroundPercent, std::int32_t numberRows,
                std::int32_t numberColumns);

// Scores windows 0..numberWindows-1 in order into `scores` (numberWindows
// zeros on entry) and stops at the first window it cannot score, before any
// corner of that window is read.
//
// `integralHistogram` holds numberBins x (R+1)(C+1) doubles in the corner
// layout of tallyplane; R, C and numberBins are not negative and
// (R+1)(C+1)*numberBins is below 2^31, the reach of the offsets; `inner`,
// `normalisedInner` and `ring` are working vectors of numberBins doubles.
// Each score is the chi-square distance, without a factor one half, between
// the normalised bin histograms of the window and of the ring that the window
// enlarged by surroundPercent percent (clipped to the image) adds around it.
WindowReport scoreWindows(double* scores, double* inner, double* normalisedInner, double* ring,
                          const double* integralHistogram, std::int32_t numberRows,
                          std::int32_t numberColumns, const double* xmin, const double* ymin,
                          const double* xmax, const double* ymax, std::int32_t surroundPercent,
                          std::int32_t numberBins, std::int32_t numberWindows);

}  // namespace winscore::ringdiff

#endif
