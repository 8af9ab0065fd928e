// SPDX-License-Identifier: MIT
// tallyplane: integralHistogram = tallyplane(quantMatrix, numberRows, numberColumns, numberBins)
#include <cstdint>

#include "host.hpp"
#include "mex.h"
#include "tallyplane_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::tallyplane;

constexpr hostif::Plugin kPlugin{"tallyplane"};
constexpr hostif::Input kQuantMatrix{0, "quantMatrix"};
constexpr hostif::Input kNumberRows{1, "numberRows"};
constexpr hostif::Input kNumberColumns{2, "numberColumns"};
constexpr hostif::Input kNumberBins{3, "numberBins"};

constexpr hostif::Counts kCounts{4, 1, msg::inputCount, msg::outputCount};

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);
  call.requireRealDoubleMatrix(kQuantMatrix, msg::notRealDoubleMatrix);

  const std::int32_t rows = call.readInt32(kNumberRows);
  const std::int32_t columns = call.readInt32(kNumberColumns);
  const std::int32_t bins = call.readInt32(kNumberBins);
  call.requireNonNegative(rows, kNumberRows);
  call.requireNonNegative(columns, kNumberColumns);
  call.requireNonNegative(bins, kNumberBins);
  const double* quantMatrix = call.readData(kQuantMatrix, static_cast<double>(rows) * columns);

  // A bin outside 1..B would be marked outside its pixel's column.
  const std::int64_t bad =
      winscore::tallyplane::firstPixelOutsideBins(quantMatrix, rows, columns, bins);
  if (bad >= 0) call.fail(msg::binOutOfRange, {kQuantMatrix, bad + 1, quantMatrix[bad], bins});

  const double corners = (static_cast<double>(rows) + 1.0) * (static_cast<double>(columns) + 1.0);
  const hostif::Output histogram = call.createZeroMatrix(bins, corners);
  plhs[0] = histogram.array;
  winscore::tallyplane::integralHistogram(histogram.data, quantMatrix, rows, columns,
                                          bins);
}
