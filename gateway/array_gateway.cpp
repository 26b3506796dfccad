// The array companion: a routine's gateway applied element by element. Each
// real or complex argument may be an array; arrays of one size and scalars
// combine element by element, and every result (ifail included) is an array
// of that size S; a sequence routine's values are an array of size [S n].
// Characters, integers and ifail stay scalars. The checks and their texts are
// the scalar gateway's; only the agreement of sizes and the limits are new.
// Large arrays are spread over the machine's cores (element_engine.hpp).
#include <algorithm>
#include <climits>
#include <complex>
#include <cstdlib>
#include <string>

#include "element_engine.hpp"
#include "gateways.hpp"
#include "host_io.hpp"

namespace qelms::gateway {
namespace {

constexpr int message_field_length = 72;  // use-error texts are blank-padded to this, as in the scalar gateway
constexpr int label_length = 15;          // argument names in messages are cut to this
constexpr std::size_t largest_result = INT_MAX;  // the most values an argument or a result may hold
constexpr int silent_ifail = 1;                  // soft failure without messages

// When another thread pays: a thread costs some tens of microseconds to
// start, about the time of 4096 elements of the quickest routines. A
// sequence element costs about 64 of those, and one more for each member.
constexpr std::size_t work_per_thread = 4096;
constexpr std::size_t sequence_element_work = 64;

bool is_elementwise(char type) { return type == 'R' || type == 'C'; }

// The dimensions of an argument, without its trailing singletons (none for a
// scalar), every one of them whatever their number.
struct Size {
    const mwSize* dims = nullptr;
    mwSize ndims = 0;

    static Size of(const mxArray* a) {
        Size s{mxGetDimensions(a), mxGetNumberOfDimensions(a)};
        while (s.ndims > 0 && s.dims[s.ndims - 1] == 1) --s.ndims;
        return s;
    }
    bool operator==(const Size& o) const { return std::equal(dims, dims + ndims, o.dims, o.dims + o.ndims); }
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

// The threads QELMS_NUM_THREADS allows, read on every call.
unsigned allowed_threads() {
    const char* setting = std::getenv("QELMS_NUM_THREADS");
    const std::optional<unsigned> limit = thread_limit(setting, core_count());
    if (!limit) {
        std::string shown(setting);
        if (shown.size() > 20) shown = shown.substr(0, 20) + "...";
        refuse("QELMS_NUM_THREADS (" + shown + ") must be a positive integer");
    }
    return *limit;
}

// A host block of `count` values of type T (at least one), released by the host when the call ends.
template <typename T>
T* host_block(std::size_t count) {
    return static_cast<T*>(mxCalloc(static_cast<mwSize>(std::max<std::size_t>(count, 1)), sizeof(T)));
}

// The values of one call's elements and where their results go.
struct Elements {
    const Gateway* g = nullptr;
    // the arguments that differ from element to element: their positions,
    // values, and steps (1 along an array, 0 for a scalar used for every element)
    int varying[max_args] = {};
    int varying_count = 0;
    const double* real[max_args] = {};
    const std::complex<double>* complex[max_args] = {};
    std::size_t step[max_args] = {};
    std::size_t count = 0;
    int members = 0;  // of each element's sequence
    std::size_t zeroed = 0;  // the scratch values each element starts from zeros: its sequence and work area
    int returned = 0;
    char result_type[max_results] = {};
    int last_result = 0;  // ifail's place
    double* re[max_results] = {};
    double* im[max_results] = {};
    // Per worker: the call, holding the arguments that are the same for
    // every element, with its sequence and the routine's work area.
    Call* calls = nullptr;

    std::size_t block() const { return static_cast<std::size_t>(std::max(members, 1)); }
    std::size_t scratch_per_worker() const { return g->needs_work_area ? 2 * block() : block(); }

    // Gives each of `workers` a copy of `scalars` and its scratch, host blocks.
    void prepare(const Call& scalars, unsigned workers) {
        std::copy(g->result_types.begin(), g->result_types.end(), result_type);
        last_result = static_cast<int>(g->result_types.size()) - 1;
        zeroed = members > 0 ? scratch_per_worker() : 0;
        calls = host_block<Call>(workers);
        auto* scratch = host_block<std::complex<double>>(scratch_per_worker() * workers);
        for (unsigned w = 0; w < workers; ++w) {
            calls[w] = scalars;
            calls[w].sequence = scratch + scratch_per_worker() * w;
            if (g->needs_work_area) calls[w].work_area = calls[w].sequence + block();
        }
    }

    // Evaluates element j with `ifail` on entry, in worker w's call; stores
    // its results and returns its final ifail. Every routine sets each of its
    // results on every path, so nothing of the element before shows through;
    // the sequence and work area start zero-filled, as the scalar gateway's
    // fresh blocks do.
    int evaluate(std::size_t j, int ifail, unsigned worker) const {
        Call& call = calls[worker];
        for (int v = 0; v < varying_count; ++v) {
            const int i = varying[v];
            if (real[i]) call.real[i] = real[i][j * step[i]];
            else call.complex[i] = complex[i][j * step[i]];
        }
        std::fill_n(call.sequence, zeroed, std::complex<double>());
        call.ifail() = ifail;
        g->compute(call);
        const int final_ifail = call.ifail();
        call.integer_result[last_result] = final_ifail;
        for (int r = 0; r < returned; ++r) {
            switch (result_type[r]) {
            case 'R': re[r][j] = call.real_result[r]; break;
            case 'I': re[r][j] = call.integer_result[r]; break;
            case 'C':
                re[r][j] = call.complex_result[r].real();
                im[r][j] = call.complex_result[r].imag();
                break;
            case 'Q':  // member k of element j at (j, k)
                for (int k = 0; k < members; ++k) {
                    re[r][j + count * k] = call.sequence[k].real();
                    im[r][j + count * k] = call.sequence[k].imag();
                }
                break;
            }
        }
        return final_ifail;
    }
};

}  // namespace

void run_array_gateway(const Gateway& g, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const int nargs = static_cast<int>(g.arg_types.size());
    const int nresults = static_cast<int>(g.result_types.size());
    const bool sequence = returns_sequence(g);
    store_gateway_names(g);
    // one result (the values) or any number up to all of them
    const int wanted = std::max(nlhs, 1);
    check_arg_counts(g.name, wanted <= nresults ? nresults : wanted, nrhs, nresults, nargs);

    ArgTables args;
    for (int i = 0; i < nargs; ++i) {
        describe(prhs[i], args, i);
        if (args.count[i] > largest_result) refuse("RHS argument (" + label(i + 1, g.name) + ") has too many elements");
        if (!is_elementwise(g.arg_types[i])) args.em[i] = args.en[i] = 1;
    }
    double* work = alloc_work(1);
    if (sequence) read_sequence_length(g, args, work);
    check_dims(g.name, args, nargs);

    // the common size: that of the first argument with other than one element
    int first_array = -1;
    Size size;
    for (int i = 0; i < nargs; ++i) {
        if (!is_elementwise(g.arg_types[i]) || args.count[i] == 1) continue;
        const Size s = Size::of(prhs[i]);
        if (first_array < 0) {
            first_array = i;
            size = s;
        } else if (!(s == size)) {
            refuse("RHS arguments (" + label(first_array + 1, g.name) + ") and (" + label(i + 1, g.name) +
                   ") differ in size");
        }
    }

    Elements e;
    e.g = &g;
    Call scalars;  // the arguments that are the same for every element
    scalars.argument_count = nargs;
    e.count = first_array < 0 ? 1 : args.count[first_array];
    for (int k = 1; k <= nargs; ++k) {
        const int i = k - 1;
        e.step[i] = args.count[i] == 1 ? 0 : 1;
        if (is_elementwise(g.arg_types[i])) e.varying[e.varying_count++] = i;
        switch (g.arg_types[i]) {
        case 'R': {
            auto* values = host_block<double>(args.count[i]);
            get_real_arg(g.name, args, k, values);
            e.real[i] = values;
            break;
        }
        case 'C': {
            auto* values = host_block<std::complex<double>>(args.count[i]);
            get_complex_arg(g.name, args, k, values);
            e.complex[i] = values;
            break;
        }
        case 'I': get_integer_arg(g.name, args, k, &scalars.integer[i], work); break;
        case 'S': get_string_arg(g.name, args, k, &scalars.character[i], 1); break;
        }
    }
    const int ifail_on_entry = scalars.ifail();
    if (sequence) {
        e.members = sequence_members(scalars.integer[sequence_length_arg - 1]);
        if (e.count > largest_result / std::max(e.members, 1))
            refuse("RHS argument (" + label(first_array + 1, g.name) + ") has too many elements");
    }
    const unsigned limit = allowed_threads();
    const std::size_t work_units = e.count * (sequence ? sequence_element_work + e.members : 1);
    const auto threads = static_cast<unsigned>(std::max<std::size_t>(
        std::min({work_units / work_per_thread, e.count, std::size_t{limit}}), 1));

    // S as the host gave it; a sequence's [S n] from S without its trailing singletons
    const mwSize* dims = first_array < 0 ? nullptr : mxGetDimensions(prhs[first_array]);
    const mwSize ndims = first_array < 0 ? 0 : mxGetNumberOfDimensions(prhs[first_array]);
    const mwSize scalar_dims[2] = {1, 1};
    auto* sequence_dims = host_block<mwSize>(size.ndims + 2);
    std::copy_n(size.dims, size.ndims, sequence_dims);
    sequence_dims[size.ndims] = static_cast<mwSize>(e.members);
    const mwSize sequence_ndims = std::max<mwSize>(size.ndims + 1, 2);
    if (sequence_ndims > size.ndims + 1) sequence_dims[1] = 1;  // a scalar S: a column of n

    e.returned = std::min(wanted, nresults);
    for (int r = 0; r < e.returned; ++r) {
        const char type = g.result_types[r];
        const bool complex = type == 'C' || type == 'Q';
        plhs[r] = type == 'Q' ? mxCreateNumericArray(sequence_ndims, sequence_dims, mxDOUBLE_CLASS, mxCOMPLEX)
                  : dims      ? mxCreateNumericArray(ndims, dims, mxDOUBLE_CLASS, complex ? mxCOMPLEX : mxREAL)
                              : mxCreateNumericArray(2, scalar_dims, mxDOUBLE_CLASS, complex ? mxCOMPLEX : mxREAL);
        e.re[r] = mxGetPr(plhs[r]);
        e.im[r] = complex ? mxGetPi(plhs[r]) : nullptr;
    }

    // The elements run silently on the threads; with an ifail that may print
    // or stop, each failing element runs again on this thread, in element
    // order, for its messages and its stop.
    e.prepare(scalars, threads);
    bool* again = host_block<bool>(threads > 1 ? e.count : 0);
    evaluate_elements(
        e.count, threads, again,
        [&](std::size_t j, unsigned worker) {
            return e.evaluate(j, silent_ifail, worker) != 0 && ifail_on_entry != silent_ifail;
        },
        [&](std::size_t j) { e.evaluate(j, ifail_on_entry, 0); });
}

void dispatch_array_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]) {
    dispatch_with(run_array_gateway, nlhs, plhs, nrhs, prhs);
}

}  // namespace qelms::gateway
