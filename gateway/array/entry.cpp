// The array companion's entry point: qelmsv(name, arguments..., ifail).
#include "../gateways.hpp"

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    qelms::gateway::dispatch_array_routine(nlhs, plhs, nrhs, prhs);
}
