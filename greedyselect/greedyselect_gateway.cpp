// SPDX-License-Identifier: MIT
// winscore.internal.greedyselect: rows = greedyselect(boxes, overlapThreshold, numberKept)
#include <cstdint>

#include "greedyselect_kernel.hpp"
#include "host.hpp"
#include "mex.h"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::greedyselect;

constexpr hostif::Plugin kPlugin{"greedyselect"};
constexpr hostif::Input kBoxes{0, "boxes"};
constexpr hostif::Input kThreshold{1, "overlapThreshold"};
constexpr hostif::Input kNumberKept{2, "numberKept"};

constexpr hostif::Counts kCounts{3, 1, msg::inputCount, msg::outputCount};

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);
  call.requireRealDoubleMatrix(kBoxes, msg::notBoxes);
  // Rows are positions of the walk, counted in signed 32-bit integers.
  if (call.columns(kBoxes) != 4 || call.rows(kBoxes) > 2147483647.0) call.fail(msg::notBoxes);
  const auto numberBoxes = static_cast<std::int32_t>(call.rows(kBoxes));
  const double threshold = call.readScalar(kThreshold);
  const std::int32_t numberKept = call.readInt32(kNumberKept);
  call.requireNonNegative(numberKept, kNumberKept);
  const std::int32_t room = numberKept < numberBoxes ? numberKept : numberBoxes;

  // Scratch arrays from the host, freed when the call ends.
  const hostif::Output kept = call.createZeroMatrix(room, 1);
  const hostif::Output areas = call.createZeroMatrix(numberBoxes, 1);
  const hostif::Output marker = call.createZeroMatrix(numberBoxes, 1);
  const std::int32_t count = winscore::greedyselect::selectWindows(
      kept.data, areas.data, marker.data, call.readData(kBoxes), numberBoxes, room, threshold);
  const hostif::Output rows = call.createZeroMatrix(count, 1);
  for (std::int32_t k = 0; k < count; ++k) rows.data[k] = kept.data[k];
  plhs[0] = rows.array;
}
