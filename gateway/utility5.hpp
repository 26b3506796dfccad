// Argument checking and conversion between host matrices and the plain values
// the numerical routines take. Argument numbers count from 1, after the
// routine name. Every refusal ends the host call through host_error.
#pragma once

#include <complex>
#include <cstddef>
#include <string_view>

#include "mex.h"

namespace qelms::gateway {

constexpr int max_args = 6;     // the longest argument list ("fnu,z,n,scale,m,ifail")
constexpr int max_results = 3;

// Per-argument tables, filled by gather_args and check_dims (index k-1 for argument k).
struct ArgTables {
    const mxArray* array[max_args] = {};
    bool is_string[max_args] = {};  // the argument is a character array
    bool is_double[max_args] = {};  // a full double matrix, whose data may be read
    const double* re[max_args] = {};
    const double* im[max_args] = {};  // null when the argument has no imaginary part
    std::size_t m[max_args] = {};
    std::size_t n[max_args] = {};      // columns; for an N-d array the product of the trailing dimensions
    std::size_t count[max_args] = {};  // m*n, or the largest size_t when that overflows
    std::size_t em[max_args] = {};     // expected rows, 0 = free
    std::size_t en[max_args] = {};     // expected columns, 0 = free
};

// Per-result tables; create_results fills the data pointers.
struct ResultTables {
    std::size_t m[max_results] = {};
    std::size_t n[max_results] = {};
    bool complex[max_results] = {};
    std::size_t count[max_results] = {};
    double* re[max_results] = {};
    double* im[max_results] = {};
};

// Stores the argument list ("x,ifail") and routine record ("7gammaf") from
// which arg_label names arguments.
void store_arg_names(std::string_view arg_list, std::string_view routine_record);

void check_arg_counts(std::string_view name, int nlhs, int nrhs, int expected_results, int expected_args);
void gather_args(std::string_view name, const mxArray* const prhs[], int count, ArgTables& args);
void check_dims(std::string_view name, ArgTables& args, int count);

void get_real_arg(std::string_view name, const ArgTables& args, int k, double* dest);
void get_integer_arg(std::string_view name, const ArgTables& args, int k, int* dest, double* work);
void get_complex_arg(std::string_view name, const ArgTables& args, int k, std::complex<double>* dest);
void get_string_arg(std::string_view name, const ArgTables& args, int k, char* field, int length);

// The first value of a non-empty full double argument truncated towards zero,
// without any further check; 0 for non-finite or out-of-range values and for
// arguments of any other class or shape.
int get_scalar_count(const mxArray* array);

// Refuses argument k (from 1) of routine `name` with the error header and
// the text "RHS argument (LABEL" followed by `tail`.
[[noreturn]] void refuse_argument(std::string_view name, int k, std::string_view tail);

// m*n, or the largest size_t when that overflows.
std::size_t element_count(std::size_t m, std::size_t n);

void create_results(mxArray* plhs[], ResultTables& results, int count);
void put_real_result(const double* values, const ResultTables& results, int r);
void put_integer_result(const int* values, const ResultTables& results, int r, double* work);
void put_complex_result(const std::complex<double>* values, const ResultTables& results, int r, double* work);

// A zero-filled host block of max(k, 1) doubles, released by the host when the call ends.
double* alloc_work(int k);

// 0 and a copy of the string into the blank-filled `field` when `array` is a
// string; 1 otherwise, leaving `field` alone. The copy is the first `length`
// characters (column by column for a character matrix), the same on every
// host; the field is left alone when the host cannot give the text.
int get_name_string(const mxArray* array, char* field, int length);
int trimmed_length(const char* field, int length);
// Equality of two texts, the shorter extended with blanks.
bool blank_padded_equal(std::string_view a, std::string_view b);
// The decimal digits of `value` (>= 0) left-justified in the blank-filled
// field; returns the digit count, warning on standard output if they do not fit.
int zitoc(int value, char* field, int length);
// The name of argument k from the stored argument list, or k in digits.
void arg_label(int k, char* field, int length, std::string_view name);

}  // namespace qelms::gateway
