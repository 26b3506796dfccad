// libFuzzer target: calls of the module (qelms) and of its array companion
// (qelmsv) through the embedded host, decoded from the input bytes, each
// checked against its calling contract. Routines come from the dispatch
// table, so new gateways are fuzzed as they are added. A call ends in exactly
// one of these ways:
//   - "Routine not found." for a name that selects no routine;
//   - a use error with its exact 72-character text, in the order the gateway
//     checks: counts, missing arguments, shapes, (for qelmsv) the agreement
//     of array sizes, types;
//   - "Stop - Program terminated." when the routine fails hard (ifail 0) on
//     an argument (for qelmsv, on any element);
//   - results of the right count and shape, ifail last, holding what a direct
//     call of the routine gives for the same arguments (for qelmsv, for each
//     element, a sequence's members at (element, k)).
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

// The sizes the array companion's arguments take: scalars, rows, columns,
// matrices, empty arrays of either orientation, many dimensions, and two
// sizes that agree only when dimensions are folded together.
const std::vector<std::size_t> array_sizes[] = {
    {1, 1}, {1, 3}, {3, 1}, {2, 2}, {2, 1, 2}, {0, 3}, {3, 0}, {0, 0},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 3},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3, 2},
    {128, 70},  // enough elements for several threads
};

std::size_t element_count_of(const std::vector<std::size_t>& dims) {
    std::size_t count = 1;
    for (std::size_t d : dims) count *= d;
    return count;
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

// An argument of the array companion: for a real or complex one mostly an
// array of the call's size or a scalar, sometimes of another size; otherwise
// (and for the scalar arguments) as for the module.
host::Array make_array_arg(FuzzedDataProvider& in, char type, bool sequence_length,
                           const std::vector<std::size_t>& size) {
    const int kind = in.ConsumeIntegralInRange(0, 15);
    if ((type != 'R' && type != 'C') || kind >= 10) return make_arg(in, type, sequence_length);
    const std::vector<std::size_t>& dims =
        kind <= 5 ? size : kind <= 8 ? array_sizes[0] : array_sizes[in.ConsumeIntegralInRange<std::size_t>(0, std::size(array_sizes) - 1)];
    const std::size_t count = element_count_of(dims);
    const bool complex = type == 'C' ? in.ConsumeIntegralInRange(0, 3) != 0 : in.ConsumeIntegralInRange(0, 7) == 0;
    std::vector<std::complex<double>> values(count);
    for (auto& v : values) {
        const double re = pick_real(in);
        // a real argument's imaginary parts are zero but for a few
        v = {re, type == 'C' ? pick_real(in) : in.ConsumeIntegralInRange(0, 15) == 0 ? pick_real(in) : 0.0};
    }
    if (complex) return host::complex_array(dims, std::move(values));
    std::vector<double> reals(count);
    for (std::size_t j = 0; j < count; ++j) reals[j] = values[j].real();
    return host::real_array(dims, std::move(reals));
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

bool any_nonzero_imaginary(const mxArray& a) {
    return std::any_of(a.im.begin(), a.im.end(), [](double x) { return !(x == 0.0); });
}

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

// Calls the routine as its gateway would, silently: false when it stops on a
// hard failure. A sequence routine's members go to `column` (n of them).
bool direct_call(const gw::Gateway& g, gw::Call& call, std::vector<std::complex<double>>& column) {
    const int n = gw::returns_sequence(g) ? call.integer[sequence_length_arg] : 0;
    column.assign(static_cast<std::size_t>(std::max(n, 1)), 0.0);
    std::vector<std::complex<double>> work(column.size());
    call.sequence = column.data();
    if (g.needs_work_area) call.work_area = work.data();
    qelms::set_message_writer(&silent);
    try {
        g.compute(call);
    } catch (const qelms::HardFailure&) {
        return false;
    }
    call.integer_result[g.result_types.size() - 1] = call.ifail();
    column.resize(static_cast<std::size_t>(std::max(n, 0)));
    return true;
}

// The refusal of a call's routine name or argument count, or "".
std::string name_or_count_refusal(const std::vector<const mxArray*>& args) {
    const gw::Gateway* g = args.empty() ? nullptr : selected(*args[0]);
    if (!g) return "Routine not found.";
    if (args.size() - 1 != g->arg_types.size())
        return padded(std::string(g->name) + " requires " + std::to_string(g->arg_types.size()) + " RHS arguments");
    return "";
}

std::string result_count_refusal(const gw::Gateway& g) {
    return padded(std::string(g.name) + " requires " + std::to_string(g.result_types.size()) + " LHS arguments");
}

Expected expect(const std::vector<const mxArray*>& args, int nlhs) {
    if (std::string error = name_or_count_refusal(args); !error.empty()) return {error, {}};
    const gw::Gateway* g = selected(*args[0]);
    const std::size_t nargs = g->arg_types.size(), nresults = g->result_types.size();
    const std::vector<const mxArray*> a(args.begin() + 1, args.end());
    if (static_cast<std::size_t>(nlhs) != nresults) return {result_count_refusal(*g), {}};
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
    std::vector<std::complex<double>> column;
    if (!direct_call(*g, call, column)) return {"Stop - Program terminated.", {}};
    Expected e;
    for (std::size_t r = 0; r < nresults; ++r) {
        switch (g->result_types[r]) {
        case 'R': e.results.push_back(host::real_scalar(call.real_result[r])); break;
        case 'I': e.results.push_back(host::real_scalar(call.integer_result[r])); break;
        case 'C': e.results.push_back(host::complex_scalar(call.complex_result[r])); break;
        case 'Q': e.results.push_back(host::complex_matrix(column.size(), 1, column)); break;
        }
    }
    return e;
}

// The size an argument gives the call, without trailing singletons.
std::vector<std::size_t> stripped_size(const mxArray& a) {
    std::vector<std::size_t> dims = a.dims.size() > 2 ? a.dims : std::vector<std::size_t>{a.m, a.n};
    while (!dims.empty() && dims.back() == 1) dims.pop_back();
    return dims;
}

// What the array companion must answer.
Expected expect_array(const std::vector<const mxArray*>& args, int nlhs) {
    if (std::string error = name_or_count_refusal(args); !error.empty()) return {error, {}};
    const gw::Gateway* g = selected(*args[0]);
    const std::size_t nargs = g->arg_types.size(), nresults = g->result_types.size();
    const std::vector<const mxArray*> a(args.begin() + 1, args.end());
    const std::size_t returned = static_cast<std::size_t>(std::max(nlhs, 1));  // the values, or more
    if (returned > nresults) return {result_count_refusal(*g), {}};
    auto elementwise = [&](std::size_t k) { return g->arg_types[k] == 'R' || g->arg_types[k] == 'C'; };
    auto count = [&](std::size_t k) { return a[k]->m * a[k]->n; };
    const bool sequence = gw::returns_sequence(*g);
    if (sequence) {  // n's first element, before the shapes
        const mxArray& n = *a[sequence_length_arg];
        if (n.is_char || (count(sequence_length_arg) > 0 && (nonzero_imaginary(n) || !integral_int32(n.re[0]))))
            return {refusal(*g, sequence_length_arg, ") must be INTEGER"), {}};
    }
    for (std::size_t k = 0; k < nargs; ++k)
        if (!elementwise(k) && (a[k]->m != 1 || a[k]->n != 1)) return {refusal(*g, k, ") has incorrect dimension"), {}};
    std::optional<std::size_t> first_array;
    for (std::size_t k = 0; k < nargs; ++k) {
        if (!elementwise(k) || count(k) == 1) continue;
        if (!first_array) first_array = k;
        else if (stripped_size(*a[k]) != stripped_size(*a[*first_array]))
            return {padded("RHS arguments (" + arg_name(*g, *first_array) + ") and (" + arg_name(*g, k) + ") differ in size"),
                    {}};
    }
    for (std::size_t k = 0; k < nargs; ++k) {
        const mxArray& x = *a[k];
        switch (g->arg_types[k]) {
        case 'R':
            if (x.is_char || any_nonzero_imaginary(x)) return {refusal(*g, k, ") must be REAL"), {}};
            break;
        case 'I':
            if (x.is_char || nonzero_imaginary(x) || !integral_int32(x.re[0])) return {refusal(*g, k, ") must be INTEGER"), {}};
            break;
        case 'C':
            if (x.is_char) return {refusal(*g, k, ") must be COMPLEX"), {}};
            break;
        case 'S':
            if (!x.is_char) return {refusal(*g, k, ") must be STRING"), {}};
            break;
        }
    }

    const std::size_t elements = first_array ? count(*first_array) : 1;
    std::vector<std::size_t> size = first_array ? stripped_size(*a[*first_array]) : std::vector<std::size_t>{};
    const int n = sequence ? static_cast<int>(a[sequence_length_arg]->re[0]) : 0;
    const std::size_t members = sequence && n >= 1 ? static_cast<std::size_t>(n) : 0;
    std::vector<std::vector<std::complex<double>>> values(nresults);
    for (std::size_t e = 0; e < elements; ++e) {
        gw::Call call;
        call.argument_count = static_cast<int>(nargs);
        for (std::size_t k = 0; k < nargs; ++k) {
            const mxArray& x = *a[k];
            const std::size_t j = count(k) == 1 ? 0 : e;
            switch (g->arg_types[k]) {
            case 'R': call.real[k] = x.re[j]; break;
            case 'I': call.integer[k] = static_cast<int>(x.re[0]); break;
            case 'C': call.complex[k] = {x.re[j], x.im.empty() ? 0.0 : x.im[j]}; break;
            case 'S': call.character[k] = x.chars[0]; break;
            }
        }
        std::vector<std::complex<double>> column;
        if (!direct_call(*g, call, column)) return {"Stop - Program terminated.", {}};
        for (std::size_t r = 0; r < nresults; ++r) {
            switch (g->result_types[r]) {
            case 'R': values[r].push_back(call.real_result[r]); break;
            case 'I': values[r].push_back(call.integer_result[r]); break;
            case 'C': values[r].push_back(call.complex_result[r]); break;
            case 'Q':  // member k of element e at (e, k)
                values[r].resize(elements * members);
                for (std::size_t k = 0; k < members; ++k) values[r][e + elements * k] = column[k];
                break;
            }
        }
    }
    Expected e;
    // the host hands back nlhs results (with none asked for, the first is its ans)
    for (std::size_t r = 0; r < std::min<std::size_t>(returned, static_cast<std::size_t>(std::max(nlhs, 0))); ++r) {
        std::vector<std::size_t> dims = size;
        const char type = g->result_types[r];
        if (type == 'Q') dims.push_back(members);
        dims.resize(std::max<std::size_t>(dims.size(), 2), 1);
        if (type == 'C' || type == 'Q') {
            values[r].resize(element_count_of(dims));
            e.results.push_back(host::complex_array(dims, values[r]));
        } else {
            std::vector<double> reals(elements);
            for (std::size_t j = 0; j < elements; ++j) reals[j] = values[r][j].real();
            e.results.push_back(host::real_array(dims, reals));
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
// millions would measure the machine's memory, not the contract; nor are many
// elements of long sequences worth their time.
bool asks_for_huge_sequence(const std::vector<const mxArray*>& args) {
    constexpr double largest_sequence = 1e6;
    constexpr double most_members = 2e4;
    const gw::Gateway* g = args.empty() ? nullptr : selected(*args[0]);
    if (!g || !gw::returns_sequence(*g) || args.size() <= sequence_length_arg + 1) return false;
    const mxArray& n = *args[sequence_length_arg + 1];
    if (n.is_char || n.re.empty()) return false;
    std::size_t elements = 1;
    for (const mxArray* a : args) elements = std::max(elements, a->m * a->n);
    return std::fabs(n.re[0]) > largest_sequence || double(elements) * std::fabs(n.re[0]) > most_members;
}

std::vector<std::size_t> dims_of(const mxArray& a) { return a.dims.size() > 2 ? a.dims : std::vector<std::size_t>{a.m, a.n}; }

void array_entry(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    gw::dispatch_array_routine(nlhs, plhs, nrhs, prhs);
}

void check(const std::vector<const mxArray*>& args, int nlhs, bool array_companion) {
    if (asks_for_huge_sequence(args)) return;
    const host::CallResult got = array_companion ? host::call_entry(array_entry, args, nlhs) : host::call(args, nlhs);
    const Expected want = array_companion ? expect_array(args, nlhs) : expect(args, nlhs);
    const std::string call = (array_companion ? "qelmsv " : "qelms ") + describe(args, nlhs);
    if (!want.error.empty()) {
        if (got.ok) finding(call + ": answered, expected the error '" + want.error + "'");
        if (got.error != want.error) finding(call + ": error '" + got.error + "', expected '" + want.error + "'");
        return;
    }
    if (!got.ok) finding(call + ": error '" + got.error + "', expected results");
    if (got.results.size() != want.results.size()) finding(call + ": wrong result count");
    for (std::size_t r = 0; r < want.results.size(); ++r) {
        const mxArray &x = *got.results[r], &y = *want.results[r];
        if (dims_of(x) != dims_of(y) || x.is_char) finding(call + ": result " + std::to_string(r + 1) + " has the wrong shape");
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
        const bool array_companion = in.ConsumeBool();
        const auto& size = array_sizes[in.ConsumeIntegralInRange<std::size_t>(0, std::size(array_sizes) - 1)];
        std::vector<host::Array> owned;
        if (in.ConsumeIntegralInRange(0, 31) != 0) owned.push_back(make_name(in, std::string(g.name)));
        std::size_t nargs = g.arg_types.size();
        if (in.ConsumeIntegralInRange(0, 7) == 0) nargs = in.ConsumeIntegralInRange<std::size_t>(0, 8);
        const bool sequence = gw::returns_sequence(g);
        for (std::size_t k = 0; k < nargs; ++k) {
            const char type = k < g.arg_types.size() ? g.arg_types[k] : 'R';
            const bool length = sequence && k == sequence_length_arg;
            owned.push_back(array_companion ? make_array_arg(in, type, length, size) : make_arg(in, type, length));
        }
        int nlhs = static_cast<int>(g.result_types.size());
        if (in.ConsumeIntegralInRange(0, 7) == 0) nlhs = in.ConsumeIntegralInRange(0, 8);
        std::vector<const mxArray*> args;
        for (const auto& a : owned) args.push_back(a.get());
        check(args, nlhs, array_companion);
    }
    return 0;
}
