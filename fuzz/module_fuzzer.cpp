// libFuzzer target: calls of mexFunction through the embedded host, decoded
// from the input bytes, each checked against the module's calling contract.
// Routines come from the dispatch table, so new gateways are fuzzed as they
// are added. A call ends in exactly one of these ways:
//   - "Routine not found." for a name that selects no routine;
//   - a use error with its exact 72-character text, in the order the gateway
//     checks: counts, missing arguments, shapes, types;
//   - "Stop - Program terminated." when the routine fails hard (ifail 0);
//   - results of the right count and shape, ifail last, holding what a direct
//     call of the routine gives for the same arguments.
// Anything else aborts, which libFuzzer reports with the input.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <vector>

#include "embedded_host.hpp"
#include "gateways.hpp"
#include "qelms/qelms.hpp"
#include "support/failure.hpp"

namespace {

namespace gw = qelms::gateway;
namespace host = qelms::host;

constexpr std::size_t name_field_length = 31;
constexpr std::size_t error_field_length = 72;
constexpr int sequence_length_arg = 2;  // n of the sequence routines (index from 0)

// Region bounds and failure arguments of the routines, from the generator.
constexpr double boundaries[] = {
#include "boundaries.inc"
};

// Doubles every routine should meet: zeros, subnormals, machine limits.
const double specials[] = {0.0,         DBL_TRUE_MIN, 0x1.fffffffffffffp-1023, DBL_MIN,  DBL_EPSILON,
                           1.0,         0.5,          2.0,                     DBL_MAX,  16 * DBL_MIN,
                           DBL_MAX / 16, 709.782712893384, 1e300,             1e-300,   std::sqrt(DBL_EPSILON),
                           INFINITY,    NAN};

// ifail values: the three documented ones, another negative, and refusals.
const double ifail_values[] = {1, -1, 0, -13, 0.5, 1e300, NAN, 2147483648.0, -2147483648.0, 2147483647.0,
                               -2147483649.0, INFINITY};

// Sequence lengths: small ones, the refused ones, and none that would ask for gigabytes.
const double sequence_lengths[] = {-2, -1, 0, 1, 2, 3, 5, 17, 300, 2.5, NAN, INFINITY, 2147483648.0};

const char letters[] = "SsUuDdAaBbx 1'\0";

double pick_real(FuzzedDataProvider& in) {
    const std::size_t count = std::size(specials) + std::size(boundaries);
    const std::size_t k = in.ConsumeIntegralInRange<std::size_t>(0, count - 1);
    double x = k < std::size(specials) ? specials[k] : boundaries[k - std::size(specials)];
    if (in.ConsumeBool()) x = -x;
    for (int ulps = in.ConsumeIntegralInRange(-2, 2); ulps != 0; ulps += ulps > 0 ? -1 : 1)
        x = std::nextafter(x, ulps > 0 ? INFINITY : -INFINITY);
    return x;
}

template <std::size_t N>
double pick(FuzzedDataProvider& in, const double (&table)[N]) {
    return table[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

template <typename Value>
host::Array real_array(std::size_t m, std::size_t n, Value value, FuzzedDataProvider& in) {
    std::vector<double> v(m * n);
    for (double& x : v) x = value(in);
    return host::real_matrix(m, n, std::move(v));
}

host::Array char_array(std::size_t m, std::size_t n, std::string text) {
    auto a = host::string_array(text);
    a->m = m;
    a->n = n;
    return a;
}

// One argument of the given type letter: mostly of the kind the routine
// wants, otherwise of any kind the host has. A sequence length takes its
// values from its own table in every kind.
host::Array make_arg(FuzzedDataProvider& in, char type, bool sequence_length) {
    auto natural = [&](FuzzedDataProvider& p) {
        if (sequence_length) return pick(p, sequence_lengths);
        return type == 'I' ? pick(p, ifail_values) : pick_real(p);
    };
    auto any = [&](FuzzedDataProvider& p) { return sequence_length ? pick(p, sequence_lengths) : pick_real(p); };
    const int kind = in.ConsumeIntegralInRange(0, 15);
    if (kind <= 6) {
        switch (type) {
        case 'C': return host::complex_scalar({pick_real(in), pick_real(in)});
        case 'S': return host::string_array(std::string(1, letters[in.ConsumeIntegralInRange<std::size_t>(0, 14)]));
        default: {
            const double x = natural(in);
            return host::real_scalar(x);
        }
        }
    }
    switch (kind) {
    case 7: return host::empty_matrix();
    case 8: return real_array(in.ConsumeIntegralInRange<std::size_t>(1, 3), 0, any, in);
    case 9: return real_array(1, in.ConsumeIntegralInRange<std::size_t>(2, 4), any, in);
    case 10: return real_array(in.ConsumeIntegralInRange<std::size_t>(2, 4), 1, any, in);
    case 11: return real_array(2, 2, any, in);
    case 12: {  // complex storage with a zero imaginary part
        const double x = natural(in);
        return host::complex_scalar({x, in.ConsumeBool() ? 0.0 : -0.0});
    }
    case 13: return host::complex_scalar({natural(in), any(in)});
    case 14: {
        const std::size_t length = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::size_t>(0, 3) :
                                                      in.ConsumeIntegralInRange<std::size_t>(0, 3000);
        return host::string_array(std::string(length, letters[in.ConsumeIntegralInRange<std::size_t>(0, 14)]));
    }
    default: return char_array(2, 2, "SSUU");
    }
}

// The routine name as a host array: the name itself, or a near miss, a padded,
// long, multi-row or non-character one.
host::Array make_name(FuzzedDataProvider& in, std::string name) {
    switch (in.ConsumeIntegralInRange(0, 15)) {
    case 0: return host::string_array(name + std::string(in.ConsumeIntegralInRange(1, 30), ' ') + "xyz");
    case 1: return host::string_array(name + std::string(1, "\t\n\0\x1f"[in.ConsumeIntegralInRange(0, 3)]) + "junk");
    case 2: return host::string_array(name + std::string(in.ConsumeIntegralInRange(20, 2000), ' ') + "x");
    case 3: return host::string_array(name.substr(0, name.size() - 1));
    case 4: return host::string_array(name + "x");
    case 5: {
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
        return host::string_array(name);
    }
    case 6: return host::string_array(" " + name);
    case 7: return host::string_array(std::string(in.ConsumeIntegralInRange(0, 40), 'x'));
    case 8: return host::real_scalar(pick_real(in));
    case 9: {  // two rows holding the name each, read column by column
        std::string text;
        for (char c : name) text += std::string(2, c);
        return char_array(2, name.size(), text);
    }
    case 10: return char_array(name.size(), 1, name);
    case 11: return host::string_array(in.ConsumeRandomLengthString(40));
    case 12: return host::empty_matrix();
    default: return host::string_array(name);
    }
}

std::string padded(std::string text) {
    text.resize(std::max(text.size(), error_field_length), ' ');
    return text.substr(0, error_field_length);
}

// The routine a name array selects, read independently of the module.
const gw::Gateway* selected(const mxArray& name) {
    if (!name.is_char) return nullptr;
    std::string text = name.chars.substr(0, name_field_length);
    const auto end = std::find_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
    text.erase(end, text.end());
    for (const gw::Gateway* g : gw::dispatch_table())
        if (text == g->name) return g;
    return nullptr;
}

std::string arg_name(const gw::Gateway& g, std::size_t k) {
    std::size_t start = 0;
    for (std::size_t item = 0; item < k; ++item) start = g.arg_list.find(',', start) + 1;
    return std::string(g.arg_list.substr(start, g.arg_list.find(',', start) - start));
}

bool nonzero_imaginary(const mxArray& a) { return !a.im.empty() && !(a.im[0] == 0.0); }

bool integral_int32(double x) { return std::trunc(x) == x && x >= -2147483648.0 && x <= 2147483647.0; }

std::string refusal(const gw::Gateway& g, std::size_t k, const std::string& tail) {
    return padded("RHS argument (" + arg_name(g, k).substr(0, 15) + tail);
}

[[noreturn]] void finding(const std::string& what) {
    std::fprintf(stderr, "contract broken: %s\n", what.c_str());
    std::abort();
}

void silent(int, std::string_view) {}

// What the module must answer: an error text, or the results.
struct Expected {
    std::string error;
    std::vector<host::Array> results;
};

Expected expect(const std::vector<const mxArray*>& args, int nlhs) {
    const gw::Gateway* g = args.empty() ? nullptr : selected(*args[0]);
    if (!g) return {"Routine not found.", {}};
    const std::size_t nargs = g->arg_types.size(), nresults = g->result_types.size();
    const std::vector<const mxArray*> a(args.begin() + 1, args.end());
    if (a.size() != nargs)
        return {padded(std::string(g->name) + " requires " + std::to_string(nargs) + " RHS arguments"), {}};
    if (static_cast<std::size_t>(nlhs) != nresults)
        return {padded(std::string(g->name) + " requires " + std::to_string(nresults) + " LHS arguments"), {}};
    for (std::size_t k = 0; k < nargs; ++k)
        if (!a[k]->is_char && (a[k]->m == 0 || a[k]->n == 0)) return {refusal(*g, k, ") is undefined"), {}};
    const bool sequence = g->result_types.find('Q') != std::string_view::npos;
    if (sequence) {
        const mxArray& n = *a[sequence_length_arg];
        if (n.is_char || nonzero_imaginary(n) || !integral_int32(n.re[0]))
            return {refusal(*g, sequence_length_arg, ") must be INTEGER"), {}};
    }
    for (std::size_t k = 0; k < nargs; ++k)
        if (a[k]->m != 1 || a[k]->n != 1) return {refusal(*g, k, ") has incorrect dimension"), {}};

    gw::Call call;
    call.argument_count = static_cast<int>(nargs);
    for (std::size_t k = 0; k < nargs; ++k) {
        const mxArray& x = *a[k];
        switch (g->arg_types[k]) {
        case 'R':
            if (x.is_char || nonzero_imaginary(x)) return {refusal(*g, k, ") must be REAL"), {}};
            call.real[k] = x.re[0];
            break;
        case 'I':
            if (x.is_char || nonzero_imaginary(x) || !integral_int32(x.re[0]))
                return {refusal(*g, k, ") must be INTEGER"), {}};
            call.integer[k] = static_cast<int>(x.re[0]);
            break;
        case 'C':
            if (x.is_char) return {refusal(*g, k, ") must be COMPLEX"), {}};
            call.complex[k] = {x.re[0], x.im.empty() ? 0.0 : x.im[0]};
            break;
        case 'S':
            if (!x.is_char) return {refusal(*g, k, ") must be STRING"), {}};
            call.character[k] = x.chars[0];
            break;
        }
    }
    const int n = sequence ? call.integer[sequence_length_arg] : 0;
    std::vector<std::complex<double>> column(static_cast<std::size_t>(std::max(n, 1))), work(column.size());
    call.sequence = column.data();
    if (g->needs_work_area) call.work_area = work.data();
    qelms::set_message_writer(&silent);
    try {
        g->compute(call);
    } catch (const qelms::HardFailure&) {
        return {"Stop - Program terminated.", {}};
    }
    call.integer_result[nresults - 1] = call.ifail();
    Expected e;
    for (std::size_t r = 0; r < nresults; ++r) {
        switch (g->result_types[r]) {
        case 'R': e.results.push_back(host::real_scalar(call.real_result[r])); break;
        case 'I': e.results.push_back(host::real_scalar(call.integer_result[r])); break;
        case 'C': e.results.push_back(host::complex_scalar(call.complex_result[r])); break;
        case 'Q':
            e.results.push_back(host::complex_matrix(
                static_cast<std::size_t>(std::max(n, 0)), 1,
                std::vector<std::complex<double>>(column.begin(), column.begin() + std::max(n, 0))));
            break;
        }
    }
    return e;
}

bool same_values(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(std::isnan(a[i]) && std::isnan(b[i])) && std::memcmp(&a[i], &b[i], sizeof(double)) != 0) return false;
    return true;
}

std::string describe(const std::vector<const mxArray*>& args, int nlhs) {
    std::string text = "nlhs " + std::to_string(nlhs) + ", args:";
    for (const mxArray* a : args) {
        char shape[64];
        std::snprintf(shape, sizeof shape, " %zux%zu%s", a->m, a->n, a->is_char ? "char" : a->im.empty() ? "" : "c");
        text += shape;
        if (a->is_char) text += "'" + a->chars.substr(0, 40) + "'";
        else if (!a->re.empty()) text += "(" + std::to_string(a->re[0]) + ")";
    }
    return text;
}

// Sequence routines obtain n values before any check: a call that asks for
// millions would measure the machine's memory, not the contract.
bool asks_for_huge_sequence(const std::vector<const mxArray*>& args) {
    constexpr double largest_sequence = 1e6;
    const gw::Gateway* g = args.empty() ? nullptr : selected(*args[0]);
    if (!g || g->result_types.find('Q') == std::string_view::npos || args.size() <= sequence_length_arg + 1) return false;
    const mxArray& n = *args[sequence_length_arg + 1];
    return !n.is_char && !n.re.empty() && std::fabs(n.re[0]) > largest_sequence;
}

void check(const std::vector<const mxArray*>& args, int nlhs) {
    if (asks_for_huge_sequence(args)) return;
    const host::CallResult got = host::call(args, nlhs);
    const Expected want = expect(args, nlhs);
    const std::string call = describe(args, nlhs);
    if (!want.error.empty()) {
        if (got.ok) finding(call + ": answered, expected the error '" + want.error + "'");
        if (got.error != want.error) finding(call + ": error '" + got.error + "', expected '" + want.error + "'");
        return;
    }
    if (!got.ok) finding(call + ": error '" + got.error + "', expected results");
    if (got.results.size() != want.results.size()) finding(call + ": wrong result count");
    for (std::size_t r = 0; r < want.results.size(); ++r) {
        const mxArray &x = *got.results[r], &y = *want.results[r];
        if (x.m != y.m || x.n != y.n || x.is_char) finding(call + ": result " + std::to_string(r + 1) + " has the wrong shape");
        if (!same_values(x.re, y.re) || !same_values(x.im, y.im))
            finding(call + ": result " + std::to_string(r + 1) + " differs from the direct call");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The module's header lines go to standard output; keep them out of the fuzzer's log.
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    host::set_console([](std::string_view) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto table = gw::dispatch_table();
    while (in.remaining_bytes() > 0) {
        const gw::Gateway& g = *table[in.ConsumeIntegralInRange<std::size_t>(0, table.size() - 1)];
        std::vector<host::Array> owned;
        if (in.ConsumeIntegralInRange(0, 31) != 0) owned.push_back(make_name(in, std::string(g.name)));
        std::size_t nargs = g.arg_types.size();
        if (in.ConsumeIntegralInRange(0, 7) == 0) nargs = in.ConsumeIntegralInRange<std::size_t>(0, 8);
        const bool sequence = g.result_types.find('Q') != std::string_view::npos;
        for (std::size_t k = 0; k < nargs; ++k) {
            const char type = k < g.arg_types.size() ? g.arg_types[k] : 'R';
            owned.push_back(make_arg(in, type, sequence && k == sequence_length_arg));
        }
        int nlhs = static_cast<int>(g.result_types.size());
        if (in.ConsumeIntegralInRange(0, 7) == 0) nlhs = in.ConsumeIntegralInRange(0, 8);
        std::vector<const mxArray*> args;
        for (const auto& a : owned) args.push_back(a.get());
        check(args, nlhs);
    }
    return 0;
}
