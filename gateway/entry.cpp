// The module's entry point.
#include "gateways.hpp"

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    qelms::gateway::dispatch_routine(nlhs, plhs, nrhs, prhs);
}
