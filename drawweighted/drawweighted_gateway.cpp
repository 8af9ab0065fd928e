// SPDX-License-Identifier: MIT
// drawweighted: samples = drawweighted(scoreVector, numberSamples, replacementOption)
#include <cstdint>

#include "drawweighted_kernel.hpp"
#include "host.hpp"
#include "mex.h"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::drawweighted;

constexpr hostif::Plugin kPlugin{"drawweighted"};
constexpr hostif::Input kScoreVector{0, "scoreVector"};
constexpr hostif::Input kNumberSamples{1, "numberSamples"};
constexpr hostif::Input kReplacementOption{2, "replacementOption"};

constexpr hostif::Counts kCounts{3, 2, msg::inputCount, msg::outputCount};

// The random state, 1 when the plug-in is loaded and carried from call to call;
// unloading the plug-in (clear drawweighted) starts the sequence again.
std::uint32_t g_randomState = 1;

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);
  call.requireRealDoubleMatrix(kScoreVector, msg::notRealDoubleMatrix);

  const std::int32_t numberSamples = call.readInt32(kNumberSamples);
  const bool withReplacement = call.readInt32(kReplacementOption) != 0;
  call.requireNonNegative(numberSamples, kNumberSamples);
  const double columns = call.columns(kScoreVector);
  const double rows = call.rows(kScoreVector);
  const double length = columns > rows ? columns : rows;
  if (length > 2147483647.0) call.fail(msg::scoreVectorTooLong, {kScoreVector});
  const auto numberScores = static_cast<std::int32_t>(length);

  if (!withReplacement && numberSamples > numberScores) call.fail(msg::tooManySamples);
  // A 0 x N or N x 0 array has a length but no scores to read.
  if (numberSamples > 0 && call.elements(kScoreVector) == 0)
    call.fail(msg::emptyScoreVector, {kScoreVector});

  const hostif::Output samples = call.createZeroMatrix(1, numberSamples);
  plhs[0] = samples.array;
  if (numberSamples == 0) return;
  double* cumulativeScores = call.createZeroMatrix(1, numberScores).data;
  double* remainingScores = call.createZeroMatrix(1, numberScores).data;
  winscore::drawweighted::drawWeighted(samples.data, cumulativeScores, remainingScores,
                                       call.readData(kScoreVector), numberScores, numberSamples,
                                       withReplacement, g_randomState);
}
