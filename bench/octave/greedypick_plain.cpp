// SPDX-License-Identifier: MIT
// [kept, markerVector] = greedypick_plain(areaVector, xmin, ymin, xmax, ymax, numberKept):
// greedypick's walk as defined, the reference its fast walks are checked
// against, for timing through the host. Built by compare.m; no input checks.
#include <cstdint>

#include "greedypick_kernel.hpp"
#include "mex.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  namespace gp = winscore::greedypick;
  if (nrhs != 6) mexErrMsgTxt("6 inputs: areaVector, xmin, ymin, xmax, ymax, numberKept");
  const auto c = static_cast<std::int32_t>(mxGetScalar(prhs[5]));
  plhs[0] = mxCreateDoubleMatrix(c, 1, mxREAL);
  mxArray* marker = mxCreateDoubleMatrix(gp::kListLength, 1, mxREAL);
  gp::greedyPickPlain(mxGetPr(plhs[0]), mxGetPr(marker), mxGetPr(prhs[0]), mxGetPr(prhs[1]),
                      mxGetPr(prhs[2]), mxGetPr(prhs[3]), mxGetPr(prhs[4]), gp::kListLength, c);
  if (nlhs >= 2) plhs[1] = marker;
}
