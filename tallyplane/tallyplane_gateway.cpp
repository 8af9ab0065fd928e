// SPDX-License-Identifier: MIT
// tallyplane: integralHistogram = tallyplane(quantMatrix, numberRows, numberColumns, numberBins)
#include <cstdint>
#include <cstdio>

#include "host.hpp"
#include "mex.h"
#include "tallyplane_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;

constexpr hostif::Plugin kPlugin{"tallyplane"};
constexpr int kQuantMatrix = 0;
constexpr int kNumberRows = 1;
constexpr int kNumberColumns = 2;
constexpr int kNumberBins = 3;

constexpr hostif::Counts kCounts{4, 1, "4 input argument required.",
                                 "Too many output arguments."};

char g_message[256];

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  hostif::checkCounts(kPlugin, nlhs, nrhs, kCounts);
  if (!hostif::isRealDouble2D(prhs[kQuantMatrix]))
    hostif::fail(kPlugin, "quantMatrix", "input 1 (quantMatrix) must be a real double matrix");
  hostif::requireRealDouble(kPlugin, prhs[kQuantMatrix], 1, "quantMatrix");

  const std::int32_t rows = hostif::readInt32(kPlugin, prhs[kNumberRows], 2, "numberRows");
  const std::int32_t columns =
      hostif::readInt32(kPlugin, prhs[kNumberColumns], 3, "numberColumns");
  const std::int32_t bins = hostif::readInt32(kPlugin, prhs[kNumberBins], 4, "numberBins");
  hostif::requireNonNegative(kPlugin, rows, 2, "numberRows");
  hostif::requireNonNegative(kPlugin, columns, 3, "numberColumns");
  hostif::requireNonNegative(kPlugin, bins, 4, "numberBins");
  hostif::requireElements(kPlugin, prhs[kQuantMatrix], 1, "quantMatrix",
                          static_cast<double>(rows) * columns);
  const double* quantMatrix = hostif::dataOf(prhs[kQuantMatrix]);

  // A bin outside 1..B would be marked outside its pixel's column.
  const std::int64_t bad =
      winscore::tallyplane::firstPixelOutsideBins(quantMatrix, rows, columns, bins);
  if (bad >= 0) {
    std::snprintf(g_message, sizeof g_message,
                  "input 1 (quantMatrix) element %lld is %s: its floor must be a bin in 1..%d",
                  static_cast<long long>(bad + 1), hostif::numberText(quantMatrix[bad]).text,
                  static_cast<int>(bins));
    hostif::fail(kPlugin, "binOutOfRange", g_message);
  }

  const double corners = (static_cast<double>(rows) + 1.0) * (static_cast<double>(columns) + 1.0);
  plhs[0] = hostif::createZeroMatrix(kPlugin, bins, corners);
  winscore::tallyplane::integralHistogram(hostif::dataOf(plhs[0]), quantMatrix, rows, columns,
                                          bins);
}
