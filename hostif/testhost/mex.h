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

typedef enum {
  mxUNKNOWN_CLASS = 0,
  mxCELL_CLASS,
  mxSTRUCT_CLASS,
  mxLOGICAL_CLASS,
  mxCHAR_CLASS,
  mxVOID_CLASS,
  mxDOUBLE_CLASS,
  mxSINGLE_CLASS,
  mxINT8_CLASS,
  mxUINT8_CLASS,
  mxINT16_CLASS,
  mxUINT16_CLASS,
  mxINT32_CLASS,
  mxUINT32_CLASS,
  mxINT64_CLASS,
  mxUINT64_CLASS,
  mxFUNCTION_CLASS
} mxClassID;

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
mxClassID mxGetClassID(const mxArray* array);
mwSize mxGetNumberOfDimensions(const mxArray* array);
const mwSize* mxGetDimensions(const mxArray* array);
std::size_t mxGetM(const mxArray* array);
std::size_t mxGetN(const mxArray* array);
std::size_t mxGetNumberOfElements(const mxArray* array);
double* mxGetPr(const mxArray* array);
// The elements in the array's own class (numeric and logical arrays).
void* mxGetData(const mxArray* array);
// The characters of a char array, NUL-terminated; 1 when it is not char or
// does not fit.
int mxGetString(const mxArray* array, char* buffer, mwSize length);
double mxGetScalar(const mxArray* array);
mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity flag);
}

#endif
