// SPDX-License-Identifier: MIT
// picks = nmsboxes(xmin, ymin, xmax, ymax, topK): OpenCV's cv::dnn::NMSBoxes on
// windows given best first (scores falling with the position), overlap
// threshold one half, widths and heights counted inclusively; 0-based
// positions in the order kept. Built by compare.m where OpenCV is installed.
#include <opencv2/dnn.hpp>
#include <vector>

#include "mex.h"

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  (void)nlhs;
  if (nrhs != 5) mexErrMsgTxt("5 inputs: xmin, ymin, xmax, ymax, topK");
  const mwSize n = mxGetNumberOfElements(prhs[0]);
  const double *x0 = mxGetPr(prhs[0]), *y0 = mxGetPr(prhs[1]), *x1 = mxGetPr(prhs[2]),
               *y1 = mxGetPr(prhs[3]);
  std::vector<cv::Rect2d> boxes;
  std::vector<float> scores;
  for (mwSize p = 0; p < n; ++p) {
    boxes.emplace_back(x0[p], y0[p], x1[p] - x0[p] + 1, y1[p] - y0[p] + 1);
    scores.push_back(static_cast<float>(n - p));
  }
  std::vector<int> picks;
  cv::dnn::NMSBoxes(boxes, scores, 0.0f, 0.5f, picks, 1.0f,
                    static_cast<int>(mxGetScalar(prhs[4])));
  plhs[0] = mxCreateDoubleMatrix(picks.size(), 1, mxREAL);
  double* out = mxGetPr(plhs[0]);
  for (std::size_t k = 0; k < picks.size(); ++k) out[k] = picks[k];
}
