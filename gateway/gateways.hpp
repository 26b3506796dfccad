#pragma once

#include <span>

#include "gateway_pattern.hpp"

namespace qelms::gateway {

// The gateways of the routines, in the order names are compared.
std::span<const Gateway* const> dispatch_table();

// The gateway a routine name selects: the name is cut to the 31 characters of
// the name field and ends at its first blank or control character; null when
// no routine has that name.
const Gateway* find_gateway(std::string_view text);

// Reads the routine name from prhs[0], reduces nrhs by one and runs the named
// gateway on the remaining arguments; an unknown name ends the call with
// "Routine not found.".
void dispatch_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]);

}  // namespace qelms::gateway
