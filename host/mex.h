// The embedded host: the part of the MATLAB extension interface that the
// qelms gateway uses, implemented in-process so that the command-line tool and
// the tests can drive mexFunction exactly as MATLAB or Octave would.
#pragma once

#include <cstddef>

struct mxArray;
using mwSize = std::size_t;
enum mxComplexity { mxREAL = 0, mxCOMPLEX = 1 };
enum mxClassID { mxDOUBLE_CLASS = 6 };

bool mxIsChar(const mxArray* array);
bool mxIsDouble(const mxArray* array);
bool mxIsSparse(const mxArray* array);
int mxGetString(const mxArray* array, char* buffer, mwSize buffer_length);
std::size_t mxGetM(const mxArray* array);
std::size_t mxGetN(const mxArray* array);
double* mxGetPr(const mxArray* array);
double* mxGetPi(const mxArray* array);
mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity);
mwSize mxGetNumberOfDimensions(const mxArray* array);
const mwSize* mxGetDimensions(const mxArray* array);
mxArray* mxCreateNumericArray(mwSize ndims, const mwSize* dims, mxClassID class_id, mxComplexity complexity);
double mxGetScalar(const mxArray* array);
void* mxCalloc(mwSize count, mwSize size);
int mexEvalString(const char* command);
[[noreturn]] void mexErrMsgTxt(const char* text);
// `format` is a printf format of the arguments that follow.
[[noreturn]] void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...);

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);
