// The one pattern every routine gateway follows: store the argument names,
// check the counts, gather and shape-check the arguments, convert them in
// list order, create the results, call the routine and store its results,
// the final ifail last. A gateway is a declaration of its contract.
#pragma once

#include <complex>
#include <cstddef>
#include <string_view>
#include <utility>

#include "mex.h"
#include "utility5.hpp"

namespace qelms::gateway {

// The converted arguments (by position in the argument list) and the results
// (by position in the result list) of one call.
struct Call {
    double real[max_args] = {};
    int integer[max_args] = {};
    std::complex<double> complex[max_args] = {};
    char character[max_args] = {};
    int argument_count = 0;

    double real_result[max_results] = {};
    int integer_result[max_results] = {};
    std::complex<double> complex_result[max_results] = {};
    std::complex<double>* sequence = nullptr;   // n values, for sequence routines
    std::complex<double>* work_area = nullptr;  // n values the routine may use, when asked for

    int& ifail() { return integer[argument_count - 1]; }
};

// Argument types: R real, I integer, C complex, S one character.
// Result types: R real, I integer, C complex, Q a column of n complex values
// (n being argument 3). The last argument and the last result are ifail.
struct Gateway {
    std::string_view name;
    std::string_view arg_list;
    std::string_view arg_types;
    std::string_view result_types;
    void (*compute)(Call&);
    bool needs_work_area = false;
};

// Stores the gateway's argument list and routine record, from which argument
// errors are labelled by name.
void store_gateway_names(const Gateway& gateway);

constexpr int sequence_length_arg = 3;  // n of the sequence routines

inline bool returns_sequence(const Gateway& g) { return g.result_types.find('Q') != std::string_view::npos; }

// The n of a sequence routine, read from the first element of argument 3
// before the shape check, so that a non-integral or string n is refused
// before a shape error of another argument.
int read_sequence_length(const Gateway& gateway, const ArgTables& args, double* work);

// The members a sequence routine computes for n: none when it refuses n
// itself (n < 1, or beyond its no-computation bound).
int sequence_members(int n);

void run_gateway(const Gateway& gateway, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

template <typename Result, typename... Parameters>
constexpr std::size_t parameter_count(Result (*)(Parameters...)) {
    return sizeof...(Parameters);
}

template <auto Routine, std::size_t... I>
void real_of_reals_at(Call& c, std::index_sequence<I...>) {
    c.real_result[0] = Routine(c.real[I]..., c.ifail());
}

// compute for value := routine(x1, ..., xn, ifail), every argument real
template <auto Routine>
void real_of_reals(Call& c) {
    real_of_reals_at<Routine>(c, std::make_index_sequence<parameter_count(Routine) - 1>{});
}

// compute for value := routine(z, ifail), z and value complex
template <std::complex<double> (*Routine)(std::complex<double>, int&)>
void complex_of_complex(Call& c) {
    c.complex_result[0] = Routine(c.complex[0], c.ifail());
}

}  // namespace qelms::gateway
