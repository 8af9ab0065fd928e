// SPDX-License-Identifier: MIT
// winscore.internal.ringcontrast: revision = ringcontrast()
#include "host.hpp"
#include "mex.h"
#include "ringcontrast_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::ringcontrast;

constexpr hostif::Plugin kPlugin{"ringcontrast"};
constexpr hostif::Counts kCounts{0, 1, msg::inputCount, msg::outputCount};

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  call.checkCounts(nlhs, nrhs, kCounts);
  const hostif::Output revision = call.createZeroMatrix(1, 1);
  plhs[0] = revision.array;
  revision.data[0] = winscore::ringcontrast::interfaceRevision();
}
