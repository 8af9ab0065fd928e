/* SPDX-License-Identifier: MIT */
/* The host's own floor: Z = hostfloor(M, N) only creates an M x N zero matrix and returns it. */
#include "mex.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  (void)nlhs;
  if (nrhs != 2) mexErrMsgTxt("2 input arguments required.");
  plhs[0] = mxCreateDoubleMatrix((mwSize)mxGetScalar(prhs[0]), (mwSize)mxGetScalar(prhs[1]),
                                 mxREAL);
}
