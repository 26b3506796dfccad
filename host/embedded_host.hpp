// Arrays and calls of the embedded host.
#pragma once

#include <complex>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mex.h"

// A host array: doubles (with an optional imaginary part) or characters,
// stored column by column. m is the first dimension and n the product of the
// others, as the host's mxGetM and mxGetN give them.
struct mxArray {
    std::size_t m = 0;
    std::size_t n = 0;
    bool is_char = false;
    std::vector<double> re;
    std::vector<double> im;  // empty unless complex
    std::string chars;
    // Every dimension of an array of more than two; empty for an m-by-n
    // matrix, whose {m, n} mxGetDimensions writes here on demand.
    std::vector<std::size_t> dims;
};

namespace qelms::host {

using Array = std::unique_ptr<mxArray>;

// mexErrMsgTxt and mexErrMsgIdAndTxt abandon the call by throwing this;
// call() catches it. The identifier is empty for mexErrMsgTxt.
struct HostError {
    std::string text;
    std::string identifier;
};

Array real_matrix(std::size_t m, std::size_t n, std::vector<double> values);
Array complex_matrix(std::size_t m, std::size_t n, std::vector<std::complex<double>> values);
// An array of any number of dimensions; trailing singleton dimensions are
// dropped (down to two), as the hosts do.
Array real_array(std::vector<std::size_t> dims, std::vector<double> values);
Array complex_array(std::vector<std::size_t> dims, std::vector<std::complex<double>> values);
Array real_scalar(double value);
Array complex_scalar(std::complex<double> value);
Array string_array(std::string_view text);  // a 1-by-length character row
Array empty_matrix();

// The outcome of one call of mexFunction: the result matrices, or the text and
// identifier of the error the module raised (the call was abandoned).
struct CallResult {
    bool ok = false;
    std::string error;
    std::string error_identifier;
    std::vector<Array> results;
};

// Calls mexFunction with the given arguments and nlhs result slots.
CallResult call(const std::vector<const mxArray*>& args, int nlhs);

// The same for another entry point with mexFunction's arguments.
using Entry = std::function<void(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])>;
CallResult call_entry(const Entry& entry, const std::vector<const mxArray*>& args, int nlhs);

// Where the lines of `disp` commands go (the command window); the default
// writes them to standard output. Returns the previous writer.
using ConsoleWriter = std::function<void(std::string_view line)>;
ConsoleWriter set_console(ConsoleWriter writer);

}  // namespace qelms::host
