#pragma once

#include <span>

#include "gateway_pattern.hpp"

namespace qelms::gateway {

// The gateways of the routines, in the order names are compared.
std::span<const Gateway* const> dispatch_table();

// Runs a gateway on the arguments that follow the routine name.
using GatewayRunner = void (*)(const Gateway& gateway, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

// Reads the routine name from prhs[0], reduces nrhs by one and runs `run` on
// the named gateway with the remaining arguments; an unknown name ends the
// call with "Routine not found.", a hard failure with "Stop - Program
// terminated." (identifier qelms:stop).
void dispatch_with(GatewayRunner run, int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]);

// The gateway a routine name selects: the name is cut to the 31 characters of
// the name field and ends at its first blank or control character; null when
// no routine has that name.
const Gateway* find_gateway(std::string_view text);

// dispatch_with for the module: the scalar gateway.
void dispatch_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]);

// The array companion's form of run_gateway: the routine applied element by
// element over arrays of one size and scalars (not for sequence routines).
void run_array_gateway(const Gateway& gateway, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

// dispatch_with for the array companion: the gateway applied element by element.
void dispatch_array_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]);

}  // namespace qelms::gateway
