// SPDX-License-Identifier: MIT
// The mx/mex declarations of the in-process test host: the subset the plug-ins call.
#ifndef WINSCORE_TESTHOST_MEX_H
#define WINSCORE_TESTHOST_MEX_H

#include <cstddef>

// Unsigned sizes, as in MATLAB's large-array API, so the plug-ins are proven to
// compile and behave with either signedness of mwSize.
typedef std::size_t mwSize;
typedef std::size_t mwIndex;

typedef struct mxArray_tag mxArray;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

extern "C" {
void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

[[noreturn]] void mexErrMsgTxt(const char* message);
[[noreturn]] void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...);

bool mxIsDouble(const mxArray* array);
bool mxIsComplex(const mxArray* array);
bool mxIsSparse(const mxArray* array);
bool mxIsNumeric(const mxArray* array);
bool mxIsLogical(const mxArray* array);
bool mxIsChar(const mxArray* array);
const char* mxGetClassName(const mxArray* array);
mwSize mxGetNumberOfDimensions(const mxArray* array);
std::size_t mxGetM(const mxArray* array);
std::size_t mxGetN(const mxArray* array);
std::size_t mxGetNumberOfElements(const mxArray* array);
double* mxGetPr(const mxArray* array);
double mxGetScalar(const mxArray* array);
mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity flag);
}

#endif
