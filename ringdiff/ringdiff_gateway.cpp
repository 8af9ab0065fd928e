// SPDX-License-Identifier: MIT
// ringdiff: scores = ringdiff(integralHistogram, numberRows, numberColumns, xmin, ymin, xmax,
//                             ymax, surroundPercent, numberBins, numberWindows)
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "host.hpp"
#include "mex.h"
#include "ringdiff_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;
namespace ringdiff = winscore::ringdiff;

constexpr hostif::Plugin kPlugin{"ringdiff"};
constexpr int kIntegralHistogram = 0;
constexpr int kNumberRows = 1;
constexpr int kNumberColumns = 2;
constexpr int kXmin = 3;  // then ymin, xmax, ymax in slots 4 to 6
constexpr int kSurroundPercent = 7;
constexpr int kNumberBins = 8;
constexpr int kNumberWindows = 9;

constexpr hostif::Counts kCounts{10, 1, "10 input argument required.",
                                 "Too many output arguments."};
constexpr const char* kNotMatrixMessage =
    "input 1 (integralHistogram) must be a real double matrix";
constexpr const char* kEmptyWindowMessage = "error xmax - xmin <=0 or ymax - ymin<=0";

constexpr const char* kCoordinateNames[4] = {"xmin", "ymin", "xmax", "ymax"};

char g_message[512];

// (R+1)(C+1) in signed 32-bit arithmetic, wrapping as two's complement: the
// column count that input 1 is tested against.
std::int32_t cornersIn32Bits(std::int32_t rows, std::int32_t columns) {
  const std::int64_t product = (std::int64_t{rows} + 1) * (std::int64_t{columns} + 1);
  const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(product));
  return low <= 0x7fffffffu ? static_cast<std::int32_t>(low)
                            : static_cast<std::int32_t>(std::int64_t{low} - 0x100000000LL);
}

[[noreturn]] void failWindow(const ringdiff::WindowReport& report, const double* const* coords,
                             std::int32_t rows, std::int32_t columns, std::int32_t percent) {
  const std::int32_t i = report.window;
  if (report.fault == ringdiff::WindowFault::emptyWindow)
    hostif::failThroughArrayLibrary(kPlugin, "emptyWindow", kEmptyWindowMessage);
  const int n = std::snprintf(
      g_message, sizeof g_message, "window %d (xmin %s, ymin %s, xmax %s, ymax %s) ",
      static_cast<int>(i) + 1, hostif::numberText(coords[0][i]).text, hostif::numberText(coords[1][i]).text,
      hostif::numberText(coords[2][i]).text, hostif::numberText(coords[3][i]).text);
  char* rest = g_message + n;
  const std::size_t room = sizeof g_message - static_cast<std::size_t>(n);
  if (report.fault == ringdiff::WindowFault::boxOutside) {
    std::snprintf(rest, room,
                  "would be read outside input 1 (integralHistogram): it must lie inside the "
                  "image of %d rows and %d columns",
                  static_cast<int>(rows), static_cast<int>(columns));
    hostif::fail(kPlugin, "windowOutside", g_message);
  }
  std::snprintf(rest, room,
                "would be read outside input 1 (integralHistogram): its surround box, columns "
                "%s..%s and rows %s..%s for input 8 (surroundPercent) %d, leaves the image of "
                "%d rows and %d columns",
                hostif::numberText(report.surround.x0).text, hostif::numberText(report.surround.x1).text,
                hostif::numberText(report.surround.y0).text, hostif::numberText(report.surround.y1).text,
                static_cast<int>(percent), static_cast<int>(rows), static_cast<int>(columns));
  hostif::fail(kPlugin, "surroundOutside", g_message);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  hostif::checkCounts(kPlugin, nlhs, nrhs, kCounts);

  // Every input is read before input 1 is tested, in input order. Input 1's
  // data pointer waits for its test: on an array that is not dense double it
  // would not point at doubles.
  const std::int32_t rows = hostif::readInt32(kPlugin, prhs[kNumberRows], 2, "numberRows");
  const std::int32_t columns =
      hostif::readInt32(kPlugin, prhs[kNumberColumns], 3, "numberColumns");
  const double* coords[4];
  for (int k = 0; k < 4; ++k) {
    hostif::requireRealDouble(kPlugin, prhs[kXmin + k], kXmin + k + 1, kCoordinateNames[k]);
    coords[k] = hostif::dataOf(prhs[kXmin + k]);
  }
  const std::int32_t percent =
      hostif::readInt32(kPlugin, prhs[kSurroundPercent], 8, "surroundPercent");
  const std::int32_t bins = hostif::readInt32(kPlugin, prhs[kNumberBins], 9, "numberBins");
  const std::int32_t windows =
      hostif::readInt32(kPlugin, prhs[kNumberWindows], 10, "numberWindows");

  const mxArray* histogram = prhs[kIntegralHistogram];
  if (!hostif::isRealDouble2D(histogram) ||
      static_cast<std::int64_t>(mxGetN(histogram)) != cornersIn32Bits(rows, columns))
    hostif::fail(kPlugin, "integralHistogram", kNotMatrixMessage);

  // What the corner offsets rely on: sizes that are not negative, B rows per
  // corner, offsets within 32 bits, and N elements in every coordinate vector.
  hostif::requireNonNegative(kPlugin, rows, 2, "numberRows");
  hostif::requireNonNegative(kPlugin, columns, 3, "numberColumns");
  hostif::requireNonNegative(kPlugin, bins, 9, "numberBins");
  hostif::requireNonNegative(kPlugin, windows, 10, "numberWindows");
  hostif::requireRealDouble(kPlugin, histogram, 1, "integralHistogram");
  if (static_cast<double>(mxGetM(histogram)) != bins) {
    std::snprintf(g_message, sizeof g_message,
                  "input 1 (integralHistogram) must have %d rows, one per bin of input 9 "
                  "(numberBins), not %s",
                  static_cast<int>(bins),
                  hostif::numberText(static_cast<double>(mxGetM(histogram))).text);
    hostif::fail(kPlugin, "integralHistogramRows", g_message);
  }
  const double elements = (static_cast<double>(rows) + 1.0) *
                          (static_cast<double>(columns) + 1.0) * static_cast<double>(bins);
  if (elements > 2147483647.0) {
    std::snprintf(g_message, sizeof g_message,
                  "inputs 2, 3 and 9 (numberRows, numberColumns, numberBins) give "
                  "(R+1)*(C+1)*B = %s histogram elements, more than 32-bit offsets reach "
                  "(2147483647)",
                  hostif::numberText(elements).text);
    hostif::fail(kPlugin, "histogramTooLarge", g_message);
  }
  for (int k = 0; k < 4; ++k)
    hostif::requireElements(kPlugin, prhs[kXmin + k], kXmin + k + 1, kCoordinateNames[k],
                            windows);
  const double* data = hostif::dataOf(histogram);

  plhs[0] = hostif::createZeroMatrix(kPlugin, windows, 1);
  double* inner = hostif::dataOf(hostif::createZeroMatrix(kPlugin, bins, 1));
  double* normalisedInner = hostif::dataOf(hostif::createZeroMatrix(kPlugin, bins, 1));
  double* ring = hostif::dataOf(hostif::createZeroMatrix(kPlugin, bins, 1));

  const ringdiff::WindowReport report = ringdiff::scoreWindows(
      hostif::dataOf(plhs[0]), inner, normalisedInner, ring, data, rows, columns, coords[0],
      coords[1], coords[2], coords[3], percent, bins, windows);
  if (report.fault != ringdiff::WindowFault::none)
    failWindow(report, coords, rows, columns, percent);
}
