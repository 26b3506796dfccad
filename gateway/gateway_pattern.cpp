#include "gateway_pattern.hpp"

#include <algorithm>

namespace qelms::gateway {
namespace {
// Beyond this length every sequence routine refuses n itself (FNU+N-1 exceeds
// its no-computation bound) without touching the column, which stays empty.
constexpr int longest_computed_sequence = 1 << 30;
// The longest column for which host blocks are obtained (256 MB a block).
constexpr int longest_allocated_sequence = 1 << 24;
}

void store_gateway_names(const Gateway& g) {
    char record[8] = {static_cast<char>(49 + g.name.size())};
    std::copy(g.name.begin(), g.name.end(), record + 1);
    char arg_list[64];
    std::copy(g.arg_list.begin(), g.arg_list.end(), arg_list);
    arg_list[g.arg_list.size()] = ' ';
    store_arg_names({arg_list, g.arg_list.size() + 1}, {record, g.name.size() + 1});
}

int read_sequence_length(const Gateway& g, const ArgTables& args, double* work) {
    // only the first element: nothing is sized from n until it is known to be an integer of sane size
    ArgTables first = args;
    first.count[sequence_length_arg - 1] = std::min<std::size_t>(first.count[sequence_length_arg - 1], 1);
    int n = 0;
    get_integer_arg(g.name, first, sequence_length_arg, &n, work);
    return n;
}

int sequence_members(int n) { return n < 1 || n > longest_computed_sequence ? 0 : n; }

void run_gateway(const Gateway& g, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    const int nargs = static_cast<int>(g.arg_types.size());
    const int nresults = static_cast<int>(g.result_types.size());
    const bool sequence = returns_sequence(g);

    store_gateway_names(g);
    check_arg_counts(g.name, nlhs, nrhs, nresults, nargs);

    Call call;
    call.argument_count = nargs;
    double* work = alloc_work(1);

    ArgTables args;
    gather_args(g.name, prhs, nargs, args);
    int rows = 0;  // of the result column
    if (sequence) {
        rows = sequence_members(read_sequence_length(g, args, work));
        if (rows > longest_allocated_sequence) refuse_argument(g.name, sequence_length_arg, ") is too large");
        const auto block = static_cast<mwSize>(std::max(rows, 1));
        call.sequence = static_cast<std::complex<double>*>(mxCalloc(block, sizeof(std::complex<double>)));
        if (g.needs_work_area)
            call.work_area = static_cast<std::complex<double>*>(mxCalloc(block, sizeof(std::complex<double>)));
        work = alloc_work(rows);
    }
    std::fill_n(args.em, nargs, 1);
    std::fill_n(args.en, nargs, 1);
    check_dims(g.name, args, nargs);

    for (int k = 1; k <= nargs; ++k) {
        const int i = k - 1;
        switch (g.arg_types[i]) {
        case 'R': get_real_arg(g.name, args, k, &call.real[i]); break;
        case 'I': get_integer_arg(g.name, args, k, &call.integer[i], work); break;
        case 'C': get_complex_arg(g.name, args, k, &call.complex[i]); break;
        case 'S': get_string_arg(g.name, args, k, &call.character[i], 1); break;
        }
    }

    ResultTables results;
    for (int r = 0; r < nresults; ++r) {
        const char type = g.result_types[r];
        results.m[r] = type == 'Q' ? rows : 1;
        results.n[r] = 1;
        results.complex[r] = type == 'C' || type == 'Q';
    }
    create_results(plhs, results, nresults);

    g.compute(call);

    call.integer_result[nresults - 1] = call.ifail();
    for (int r = 1; r <= nresults; ++r) {
        const int i = r - 1;
        switch (g.result_types[i]) {
        case 'R': put_real_result(&call.real_result[i], results, r); break;
        case 'I': put_integer_result(&call.integer_result[i], results, r, work); break;
        case 'C': put_complex_result(&call.complex_result[i], results, r, work); break;
        case 'Q': put_complex_result(call.sequence, results, r, work); break;
        }
    }
}

}  // namespace qelms::gateway
