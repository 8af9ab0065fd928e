// SPDX-License-Identifier: MIT
// peakpick: [xmin, ymin, xmax, ymax, score] = peakpick(h, sizeX, sizeY, neighbourhoodSize)
#include <cmath>
#include <cstdint>

#include "host.hpp"
#include "mex.h"
#include "peakpick_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::peakpick;

constexpr hostif::Plugin kPlugin{"peakpick"};
constexpr hostif::Input kH{0, "h"};
constexpr hostif::Input kSizeX{1, "sizeX"};
constexpr hostif::Input kSizeY{2, "sizeY"};
constexpr hostif::Input kNeighbourhoodSize{3, "neighbourhoodSize"};
constexpr int kOutputs = 5;

constexpr hostif::Counts kCounts{4, kOutputs, msg::inputCount, msg::outputCount, true};

// Offsets into h are signed 32-bit: X*Y*X*Y elements at most 2^31, so |X*Y| <= 46340.
constexpr std::int64_t kMaxPlane = 46340;

// The sizes and the neighbourhood size enter every bound as doubles; NaN or an
// infinity would make the bounds and the output length meaningless.
double readFinite(const hostif::Call& call, hostif::Input input) {
  const double value = call.readScalar(input);
  if (!std::isfinite(value)) call.fail(msg::notFinite, {input, value});
  return value;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);
  call.requireRealDoubleMatrix(kH, msg::notRealDoubleMatrix);

  const double sizeX = readFinite(call, kSizeX);
  const double sizeY = readFinite(call, kSizeY);
  const double neighbourhoodSize = readFinite(call, kNeighbourhoodSize);
  // A neighbourhood below 1 gives a pitch below 1: block starts would not advance.
  if (!(neighbourhoodSize >= 1.0))
    call.fail(msg::neighbourhoodTooSmall, {kNeighbourhoodSize, neighbourhoodSize});
  const std::int64_t wholeX = call.readInt32(kSizeX);
  const std::int64_t wholeY = call.readInt32(kSizeY);
  const std::int64_t plane = wholeX * wholeY;
  if (plane > kMaxPlane || plane < -kMaxPlane)
    call.fail(msg::arrayTooLarge, {static_cast<double>(plane) * static_cast<double>(plane)});
  const double* h = call.readData(kH, static_cast<double>(plane * plane));

  const double length = winscore::peakpick::outputLength(sizeX, sizeY, neighbourhoodSize);
  if (!(length <= 2147483647.0)) call.fail(msg::outputTooLong, {length});
  const auto n = static_cast<std::int32_t>(length);

  double* out[kOutputs];
  for (int o = 0; o < kOutputs; ++o) {
    const hostif::Output output = call.createZeroMatrix(1, n);
    plhs[o] = output.array;
    out[o] = output.data;
  }
  const std::int64_t accepted = winscore::peakpick::localMaxima(
      out[0], out[1], out[2], out[3], out[4], n, h, sizeX, sizeY, neighbourhoodSize);

  // Dropping maxima would lose them silently; the call is refused instead, and
  // the host discards the outputs.
  if (accepted > n) call.fail(msg::tooManyMaxima, {accepted, n});
}
