// SPDX-License-Identifier: MIT
// peakpick: [xmin, ymin, xmax, ymax, score] = peakpick(h, sizeX, sizeY, neighbourhoodSize)
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "host.hpp"
#include "mex.h"
#include "peakpick_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;

constexpr hostif::Plugin kPlugin{"peakpick"};
constexpr int kH = 0;
constexpr int kSizeX = 1;
constexpr int kSizeY = 2;
constexpr int kNeighbourhoodSize = 3;
constexpr int kOutputs = 5;

constexpr hostif::Counts kCounts{4, kOutputs, "4 input arguments required.",
                                 "5 output arguments required", true};

// Offsets into h are signed 32-bit: X*Y*X*Y elements at most 2^31, so |X*Y| <= 46340.
constexpr std::int64_t kMaxPlane = 46340;

char g_message[256];

// The sizes and the neighbourhood size enter every bound as doubles; NaN or an
// infinity would make the bounds and the output length meaningless.
double readFinite(const mxArray* array, int index, const char* name) {
  const double value = hostif::readScalar(kPlugin, array, index, name);
  if (std::isfinite(value)) return value;
  std::snprintf(g_message, sizeof g_message, "input %d (%s) must be a finite number, not %s",
                index, name, hostif::numberText(value).text);
  hostif::fail(kPlugin, "notFinite", g_message);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  hostif::checkCounts(kPlugin, nlhs, nrhs, kCounts);
  if (!hostif::isRealDouble2D(prhs[kH]))
    hostif::fail(kPlugin, "h", "input 1 (h) must be a real double matrix");
  hostif::requireRealDouble(kPlugin, prhs[kH], 1, "h");

  const double sizeX = readFinite(prhs[kSizeX], 2, "sizeX");
  const double sizeY = readFinite(prhs[kSizeY], 3, "sizeY");
  const double neighbourhoodSize = readFinite(prhs[kNeighbourhoodSize], 4, "neighbourhoodSize");
  // A neighbourhood below 1 gives a pitch below 1: block starts would not advance.
  if (!(neighbourhoodSize >= 1.0)) {
    std::snprintf(g_message, sizeof g_message,
                  "input 4 (neighbourhoodSize) must be at least 1, not %s",
                  hostif::numberText(neighbourhoodSize).text);
    hostif::fail(kPlugin, "neighbourhoodTooSmall", g_message);
  }
  const std::int64_t wholeX = hostif::readInt32(kPlugin, prhs[kSizeX], 2, "sizeX");
  const std::int64_t wholeY = hostif::readInt32(kPlugin, prhs[kSizeY], 3, "sizeY");
  const std::int64_t plane = wholeX * wholeY;
  if (plane > kMaxPlane || plane < -kMaxPlane) {
    const double elements = static_cast<double>(plane) * static_cast<double>(plane);
    std::snprintf(g_message, sizeof g_message,
                  "inputs 2 and 3 (sizeX, sizeY) describe an array of %s elements, more than "
                  "signed 32-bit offsets can address",
                  hostif::numberText(elements).text);
    hostif::fail(kPlugin, "arrayTooLarge", g_message);
  }
  hostif::requireElements(kPlugin, prhs[kH], 1, "h", static_cast<double>(plane * plane));
  const double* h = hostif::dataOf(prhs[kH]);

  const double length = winscore::peakpick::outputLength(sizeX, sizeY, neighbourhoodSize);
  if (!(length <= 2147483647.0)) {
    std::snprintf(g_message, sizeof g_message,
                  "inputs 2 to 4 (sizeX, sizeY, neighbourhoodSize) give an output length of "
                  "%s, more than a signed 32-bit integer holds",
                  hostif::numberText(length).text);
    hostif::fail(kPlugin, "outputTooLong", g_message);
  }
  const auto n = static_cast<std::int32_t>(length);

  double* out[kOutputs];
  for (int o = 0; o < kOutputs; ++o) {
    plhs[o] = hostif::createZeroMatrix(kPlugin, 1, n);
    out[o] = hostif::dataOf(plhs[o]);
  }
  const std::int64_t accepted = winscore::peakpick::localMaxima(
      out[0], out[1], out[2], out[3], out[4], n, h, sizeX, sizeY, neighbourhoodSize);

  // Dropping maxima would lose them silently; the call is refused instead, and
  // the host discards the outputs.
  if (accepted > n) {
    std::snprintf(g_message, sizeof g_message,
                  "found %lld local maxima but the outputs hold only %d; this sizeX, sizeY and "
                  "neighbourhoodSize give too short an output",
                  static_cast<long long>(accepted), static_cast<int>(n));
    hostif::fail(kPlugin, "tooManyMaxima", g_message);
  }
}
