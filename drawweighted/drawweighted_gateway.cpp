// SPDX-License-Identifier: MIT
// drawweighted: samples = drawweighted(scoreVector, numberSamples, replacementOption)
#include <cstdint>

#include "drawweighted_kernel.hpp"
#include "host.hpp"
#include "mex.h"

namespace {

namespace hostif = winscore::hostif;

constexpr hostif::Plugin kPlugin{"drawweighted"};
constexpr int kScoreVector = 0;
constexpr int kNumberSamples = 1;
constexpr int kReplacementOption = 2;

constexpr hostif::Counts kCounts{
    3, 2, "3 input argument required: scoreVector, numberSamples, replacementOption ",
    "Too many output arguments."};

// The random state, 1 when the plug-in is loaded and carried from call to call;
// unloading the plug-in (clear drawweighted) starts the sequence again.
std::uint32_t g_randomState = 1;

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  hostif::checkCounts(kPlugin, nlhs, nrhs, kCounts);
  const mxArray* scoreVector = prhs[kScoreVector];
  if (!hostif::isRealDouble2D(scoreVector))
    hostif::fail(kPlugin, "scoreVector", "input 1 (X) must be a real double scoreVector");
  hostif::requireRealDouble(kPlugin, scoreVector, 1, "scoreVector");

  const std::int32_t numberSamples =
      hostif::readInt32(kPlugin, prhs[kNumberSamples], 2, "numberSamples");
  const bool withReplacement =
      hostif::readInt32(kPlugin, prhs[kReplacementOption], 3, "replacementOption") != 0;
  hostif::requireNonNegative(kPlugin, numberSamples, 2, "numberSamples");
  const double columns = static_cast<double>(mxGetN(scoreVector));
  const double rows = static_cast<double>(mxGetM(scoreVector));
  const double length = columns > rows ? columns : rows;
  if (length > 2147483647.0)
    hostif::fail(kPlugin, "scoreVectorTooLong",
                 "input 1 (scoreVector) must not have more than 2147483647 rows or columns");
  const auto numberScores = static_cast<std::int32_t>(length);

  if (!withReplacement && numberSamples > numberScores)
    hostif::fail(kPlugin, "tooManySamples",
                 "numberSamples <= length scoreVector (sampling without replacement)");
  // A 0 x N or N x 0 array has a length but no scores to read.
  if (numberSamples > 0 && mxGetNumberOfElements(scoreVector) == 0)
    hostif::fail(kPlugin, "emptyScoreVector",
                 "input 1 (scoreVector) must not be empty when numberSamples is 1 or more");

  plhs[0] = hostif::createZeroMatrix(kPlugin, 1, numberSamples);
  if (numberSamples == 0) return;
  double* cumulativeScores = hostif::dataOf(hostif::createZeroMatrix(kPlugin, 1, numberScores));
  double* remainingScores = hostif::dataOf(hostif::createZeroMatrix(kPlugin, 1, numberScores));
  winscore::drawweighted::drawWeighted(hostif::dataOf(plhs[0]), cumulativeScores, remainingScores,
                                       hostif::dataOf(scoreVector), numberScores, numberSamples,
                                       withReplacement, g_randomState);
}
