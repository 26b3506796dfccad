#pragma once

#include <span>

#include "gateway_pattern.hpp"

namespace qelms::gateway {

// The gateways of the routines, in the order names are compared.
std::span<const Gateway* const> dispatch_table();

// Reads the routine name from prhs[0], reduces nrhs by one and runs the named
// gateway on the remaining arguments; an unknown name ends the call with
// "Routine not found.".
void dispatch_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]);

}  // namespace qelms::gateway
