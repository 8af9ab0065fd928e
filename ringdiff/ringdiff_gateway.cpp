// SPDX-License-Identifier: MIT
// ringdiff: scores = ringdiff(integralHistogram, numberRows, numberColumns, xmin, ymin, xmax,
//                             ymax, surroundPercent, numberBins, numberWindows)
#include <cstdint>

#include "host.hpp"
#include "mex.h"
#include "ringdiff_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::ringdiff;
namespace ringdiff = winscore::ringdiff;

constexpr hostif::Plugin kPlugin{"ringdiff"};
constexpr hostif::Input kIntegralHistogram{0, "integralHistogram"};
constexpr hostif::Input kNumberRows{1, "numberRows"};
constexpr hostif::Input kNumberColumns{2, "numberColumns"};
constexpr hostif::Input kCoordinates[4] = {{3, "xmin"}, {4, "ymin"}, {5, "xmax"}, {6, "ymax"}};
constexpr hostif::Input kSurroundPercent{7, "surroundPercent"};
constexpr hostif::Input kNumberBins{8, "numberBins"};
constexpr hostif::Input kNumberWindows{9, "numberWindows"};

constexpr hostif::Counts kCounts{10, 1, msg::inputCount, msg::outputCount};

// (R+1)(C+1) in signed 32-bit arithmetic, wrapping as two's complement: the
// column count that input 1 is tested against.
std::int32_t cornersIn32Bits(std::int32_t rows, std::int32_t columns) {
  const std::int64_t product = (std::int64_t{rows} + 1) * (std::int64_t{columns} + 1);
  const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(product));
  return low <= 0x7fffffffu ? static_cast<std::int32_t>(low)
                            : static_cast<std::int32_t>(std::int64_t{low} - 0x100000000LL);
}

[[noreturn]] void failWindow(const hostif::Call& call, const ringdiff::WindowReport& report,
                             const double* const* coords, std::int32_t rows, std::int32_t columns,
                             std::int32_t percent) {
  const std::int32_t i = report.window;
  if (report.fault == ringdiff::WindowFault::emptyWindow) call.fail(msg::emptyWindow);
  if (report.fault == ringdiff::WindowFault::boxOutside)
    call.fail(msg::windowOutside, {i + 1, coords[0][i], coords[1][i], coords[2][i], coords[3][i],
                                   kIntegralHistogram, rows, columns});
  call.fail(msg::surroundOutside,
            {i + 1, coords[0][i], coords[1][i], coords[2][i], coords[3][i], kIntegralHistogram,
             report.surround.x0, report.surround.x1, report.surround.y0, report.surround.y1,
             kSurroundPercent, percent, rows, columns});
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);

  // Every input is read before input 1 is tested, in input order. Input 1's
  // data pointer waits for its test: on an array that is not dense double it
  // would not point at doubles.
  const std::int32_t rows = call.readInt32(kNumberRows);
  const std::int32_t columns = call.readInt32(kNumberColumns);
  const double* coords[4];
  for (int k = 0; k < 4; ++k) coords[k] = call.readData(kCoordinates[k]);
  const std::int32_t percent = call.readInt32(kSurroundPercent);
  const std::int32_t bins = call.readInt32(kNumberBins);
  const std::int32_t windows = call.readInt32(kNumberWindows);

  if (!call.isRealDouble2D(kIntegralHistogram) ||
      call.columns(kIntegralHistogram) != cornersIn32Bits(rows, columns))
    call.fail(msg::notRealDoubleMatrix);

  // What the corner offsets rely on: sizes that are not negative, B rows per
  // corner, offsets within 32 bits, and N elements in every coordinate vector.
  call.requireNonNegative(rows, kNumberRows);
  call.requireNonNegative(columns, kNumberColumns);
  call.requireNonNegative(bins, kNumberBins);
  call.requireNonNegative(windows, kNumberWindows);
  const double* integralHistogram = call.readData(kIntegralHistogram);
  const double histogramRows = call.rows(kIntegralHistogram);
  if (histogramRows != bins)
    call.fail(msg::rowsNotBins, {kIntegralHistogram, bins, kNumberBins, histogramRows});
  const double elements = (static_cast<double>(rows) + 1.0) * (static_cast<double>(columns) + 1.0) *
                          static_cast<double>(bins);
  if (elements > 2147483647.0) call.fail(msg::histogramTooLarge, {elements});
  for (const hostif::Input coordinate : kCoordinates) call.requireElements(coordinate, windows);

  const hostif::Output scores = call.createZeroMatrix(windows, 1);
  plhs[0] = scores.array;
  double* inner = call.createZeroMatrix(bins, 1).data;
  double* normalisedInner = call.createZeroMatrix(bins, 1).data;
  double* ring = call.createZeroMatrix(bins, 1).data;

  const ringdiff::WindowReport report = ringdiff::scoreWindows(
      scores.data, inner, normalisedInner, ring, integralHistogram, rows, columns,
      coords[0], coords[1], coords[2], coords[3], percent, bins, windows);
  if (report.fault != ringdiff::WindowFault::none)
    failWindow(call, report, coords, rows, columns, percent);
}
