// The array companion: a routine's gateway applied element by element. Each
// real or complex argument may be an array; arrays of one size and scalars
// combine element by element, and every result (ifail included) is an array
// of that size. Characters and ifail stay scalars. The checks and their texts
// are the scalar gateway's; only the agreement of sizes is new.
#include <algorithm>
#include <climits>
#include <complex>
#include <string>

#include "gateways.hpp"
#include "host_io.hpp"

namespace qelms::gateway {
namespace {

constexpr int message_field_length = 72;  // use-error texts are blank-padded to this, as in the scalar gateway
constexpr int label_length = 15;          // argument names in messages are cut to this
constexpr mwSize max_dims = 32;           // the most dimensions an argument's size is compared over

bool is_elementwise(char type) { return type == 'R' || type == 'C'; }

// The size of an argument or a result.
struct Size {
    mwSize ndims = 2;
    mwSize dims[max_dims] = {1, 1};

    static Size of(const mxArray* a) {
        Size s;
        const mwSize ndims = mxGetNumberOfDimensions(a);
        const mwSize* dims = mxGetDimensions(a);
        s.ndims = std::min(ndims, max_dims);
        std::copy_n(dims, s.ndims, s.dims);
        for (mwSize k = max_dims; k < ndims; ++k) s.dims[max_dims - 1] *= dims[k];  // folded into the last
        return s;
    }
    std::size_t count() const {
        std::size_t c = 1;
        for (mwSize k = 0; k < ndims; ++k) c *= dims[k];
        return c;
    }
    bool operator==(const Size& o) const {
        return ndims == o.ndims && std::equal(dims, dims + ndims, o.dims);
    }
};

std::string label(int k, std::string_view name) {
    char field[label_length];
    arg_label(k, field, label_length, name);
    return {field, static_cast<std::size_t>(trimmed_length(field, label_length))};
}

[[noreturn]] void refuse(std::string text) {
    text.resize(std::max<std::size_t>(text.size(), message_field_length), ' ');
    host_error(text);
}

// Reads the argument's class, data and size into the tables, as gather_args
// does but accepting empty arrays.
void describe(const mxArray* a, ArgTables& args, int i) {
    args.array[i] = a;
    args.is_string[i] = mxIsChar(a);
    args.is_double[i] = !args.is_string[i] && mxIsDouble(a) && !mxIsSparse(a);
    args.re[i] = args.is_double[i] ? mxGetPr(a) : nullptr;
    args.im[i] = args.is_double[i] ? mxGetPi(a) : nullptr;
    args.m[i] = mxGetM(a);  // after the data: the other order leaks in Octave 7.3
    args.n[i] = mxGetN(a);
    args.count[i] = element_count(args.m[i], args.n[i]);
    // element-wise arguments take any shape, the others one element
    args.em[i] = args.en[i] = 0;
}

}  // namespace

void run_array_gateway(const Gateway& g, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const int nargs = static_cast<int>(g.arg_types.size());
    const int nresults = static_cast<int>(g.result_types.size());
    if (g.result_types.find('Q') != std::string_view::npos)
        refuse(std::string(g.name) + " returns a sequence: call it through qelms");
    store_gateway_names(g);
    // one result (the values) or any number up to all of them
    const int wanted = std::max(nlhs, 1);
    check_arg_counts(g.name, wanted <= nresults ? nresults : wanted, nrhs, nresults, nargs);

    ArgTables args;
    for (int i = 0; i < nargs; ++i) {
        describe(prhs[i], args, i);
        // element counts are ints in the array tables
        if (args.count[i] > static_cast<std::size_t>(INT_MAX) || args.n[i] > INT_MAX)
            refuse("RHS argument (" + label(i + 1, g.name) + ") has too many elements");
        if (!is_elementwise(g.arg_types[i])) args.em[i] = args.en[i] = 1;
    }
    check_dims(g.name, args, nargs);

    // the common size: that of the first argument with other than one element
    int first_array = -1;
    Size size;
    for (int i = 0; i < nargs; ++i) {
        if (!is_elementwise(g.arg_types[i])) continue;
        const Size s = Size::of(prhs[i]);
        if (s.count() == 1) continue;
        if (first_array < 0) {
            first_array = i;
            size = s;
        } else if (!(s == size)) {
            refuse("RHS arguments (" + label(first_array + 1, g.name) + ") and (" + label(i + 1, g.name) +
                   ") differ in size");
        }
    }
    const std::size_t count = size.count();

    Call call;
    call.argument_count = nargs;
    double* work = alloc_work(1);
    const double* real_values[max_args] = {};
    const std::complex<double>* complex_values[max_args] = {};
    std::size_t step[max_args] = {};  // 1 for an array, 0 for a scalar spread over every element
    for (int k = 1; k <= nargs; ++k) {
        const int i = k - 1;
        const auto elements = static_cast<mwSize>(std::max<std::size_t>(args.count[i], 1));
        step[i] = args.count[i] == 1 ? 0 : 1;
        switch (g.arg_types[i]) {
        case 'R': {
            auto* values = static_cast<double*>(mxCalloc(elements, sizeof(double)));
            get_real_arg(g.name, args, k, values);
            real_values[i] = values;
            break;
        }
        case 'C': {
            auto* values = static_cast<std::complex<double>*>(mxCalloc(elements, sizeof(std::complex<double>)));
            get_complex_arg(g.name, args, k, values);
            complex_values[i] = values;
            break;
        }
        case 'I': get_integer_arg(g.name, args, k, &call.integer[i], work); break;
        case 'S': get_string_arg(g.name, args, k, &call.character[i], 1); break;
        }
    }
    const int ifail_on_entry = call.ifail();

    const int returned = std::min(wanted, nresults);
    double* re[max_results] = {};
    double* im[max_results] = {};
    for (int r = 0; r < returned; ++r) {
        const bool complex = g.result_types[r] == 'C';
        plhs[r] = mxCreateNumericArray(size.ndims, size.dims, mxDOUBLE_CLASS, complex ? mxCOMPLEX : mxREAL);
        re[r] = mxGetPr(plhs[r]);
        im[r] = complex ? mxGetPi(plhs[r]) : nullptr;
    }

    for (std::size_t j = 0; j < count; ++j) {
        for (int i = 0; i < nargs; ++i) {
            if (real_values[i]) call.real[i] = real_values[i][j * step[i]];
            if (complex_values[i]) call.complex[i] = complex_values[i][j * step[i]];
        }
        call.ifail() = ifail_on_entry;
        g.compute(call);
        call.integer_result[nresults - 1] = call.ifail();
        for (int r = 0; r < returned; ++r) {
            switch (g.result_types[r]) {
            case 'R': re[r][j] = call.real_result[r]; break;
            case 'I': re[r][j] = call.integer_result[r]; break;
            case 'C':
                re[r][j] = call.complex_result[r].real();
                im[r][j] = call.complex_result[r].imag();
                break;
            }
        }
    }
}

void dispatch_array_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]) {
    dispatch_with(run_array_gateway, nlhs, plhs, nrhs, prhs);
}

}  // namespace qelms::gateway
