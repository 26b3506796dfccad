// The array companion against the module: element by element the same values
// and ifail, sizes combined with scalar expansion, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "gateway/gateways.hpp"
#include "literal.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::call_array_module;
using qelms::test::call_array_module_on;
using qelms::test::call_module;
using qelms::test::call_module_on;
namespace gw = qelms::gateway;
namespace host = qelms::host;
using qelms::test::ThreadSetting;

std::string padded(std::string text) {  // use-error texts fill a 72-character field
    text.resize(std::max<std::size_t>(text.size(), 72), ' ');
    return text;
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

// Element j of a literal's array, or its only element (scalar expansion).
std::string element(const std::string& literal, std::size_t j) {
    std::string error;
    const auto a = qelms::cli::parse_literal(literal, error);
    const std::size_t k = (*a)->re.size() == 1 ? 0 : j;
    mxArray one;
    one.m = one.n = 1;
    if ((*a)->is_char) return literal;
    one.re = {(*a)->re[k]};
    if (!(*a)->im.empty()) one.im = {(*a)->im[k]};
    return qelms::cli::format_array(one);
}

TEST(ArrayCompanion, ElementByElementAsTheModule) {
    struct Case {
        std::vector<std::string> words;  // routine, arguments, ifail
        int results;                     // how many the routine returns
        std::size_t m, n;                // the size of the results
    };
    const Case cases[] = {
        {{"gammaf", "[0.5 171 -3 NaN 0 -Inf]", "1"}, 2, 1, 6},
        {{"lngamm", "[1;-2;3e306]", "1"}, 2, 3, 1},
        {{"gaminc", "[0.5 2;-1 3]", "1.5", "0", "1"}, 3, 2, 2},
        {{"gaminc", "2", "[0 1;-1 30]", "1e-10", "1"}, 3, 2, 2},
        {{"ellprj", "[1 -1 0]", "2", "[3 4 0]", "-0.5", "1"}, 2, 1, 3},
        {{"ellprc", "[0 1]", "[1 0]", "1"}, 2, 1, 2},
        {{"zexpon", "[1+2i 710 0.5i 1e20i]", "1"}, 2, 1, 4},
        {{"besly1", "[0 1e-310 2 1e17]", "1"}, 2, 1, 4},
        {{"kelkei", "[0 -1 998 5]", "1"}, 2, 1, 4},
        {{"errfun", "[]", "0"}, 2, 0, 0},
        {{"ellprf", "[]", "1", "2", "0"}, 2, 0, 0},
    };
    for (const Case& c : cases) {
        const std::string& name = c.words[0];
        const auto array = call_array_module(c.words, c.results);
        const auto values = call_array_module(c.words, 1);  // the values alone
        ASSERT_TRUE(array.result.ok) << name << ": " << array.result.error;
        ASSERT_TRUE(values.result.ok) << name;
        ASSERT_EQ(values.result.results.size(), 1u) << name;
        const auto& v = values.result.results[0]->re;
        EXPECT_TRUE(std::equal(v.begin(), v.end(), array.result.results[0]->re.begin(), same_bits)) << name;
        const auto& results = array.result.results;
        for (const auto& r : results) {
            EXPECT_EQ(r->m, c.m) << name;
            EXPECT_EQ(r->n, c.n) << name;
        }
        for (std::size_t j = 0; j < c.m * c.n; ++j) {
            std::vector<std::string> words{name};
            for (std::size_t i = 1; i < c.words.size(); ++i) words.push_back(element(c.words[i], j));
            const auto scalar = call_module(words, static_cast<int>(results.size()));
            ASSERT_TRUE(scalar.result.ok) << name << " element " << j;
            for (std::size_t r = 0; r < results.size(); ++r) {
                const mxArray& one = *scalar.result.results[r];
                EXPECT_TRUE(same_bits(results[r]->re[j], one.re[0])) << name << " element " << j << " result " << r;
                if (!one.im.empty()) {
                    EXPECT_TRUE(same_bits(results[r]->im[j], one.im[0])) << name << " element " << j;
                }
            }
        }
    }
}

TEST(ArrayCompanion, MessagesForEveryFailingElementAndStopAtTheFirst) {
    const auto soft = call_array_module({"gammaf", "[0 1 0]", "-1"}, 2);
    ASSERT_TRUE(soft.result.ok);
    EXPECT_EQ(soft.result.results[1]->re, (std::vector<double>{3, 0, 3}));
    EXPECT_EQ(soft.console.size(), 4u);  // two lines for each failing element
    const auto hard = call_array_module({"gammaf", "[1 0 0]", "0"}, 2);
    EXPECT_EQ(hard.result.error, "Stop - Program terminated.");
    EXPECT_EQ(hard.result.error_identifier, "qelms:stop");
    EXPECT_EQ(hard.console.size(), 2u);  // the first failing element only
}

TEST(ArrayCompanion, Refusals) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"gaminc", "[1 2]", "[1;2]", "0", "1"}, "RHS arguments (a) and (x) differ in size"},
        {{"ellprj", "1", "[1 2 3]", "2", "[1 2]", "1"}, "RHS arguments (y) and (r) differ in size"},
        {{"ellprc", "[]", "[1 2]", "1"}, "RHS arguments (x) and (y) differ in size"},
        {{"gammaf", "[1 2]", "[0 0]"}, "RHS argument (ifail) has incorrect dimension"},
        {{"gammaf", "[1 2]", "[]"}, "RHS argument (ifail) has incorrect dimension"},
        {{"gammaf", "[1 2i]", "0"}, "RHS argument (x) must be REAL"},
        {{"gammaf", "'ab'", "0"}, "RHS argument (x) must be REAL"},
        {{"gammaf", "1", "0.5"}, "RHS argument (ifail) must be INTEGER"},
        {{"gammaf", "1"}, "gammaf requires 2 RHS arguments"},
    };
    for (const auto& [words, error] : cases) {
        const auto out = call_array_module(words, 1);
        EXPECT_EQ(out.result.error, padded(error)) << words[0] << " " << words[1];
        EXPECT_EQ(out.result.error_identifier, "qelms:useError") << words[0];
    }
    EXPECT_EQ(call_array_module({"gammaf", "1", "0"}, 3).result.error, padded("gammaf requires 2 LHS arguments"));
    EXPECT_EQ(call_array_module({"nosuch", "1", "0"}, 1).result.error, "Routine not found.");
}

// A stand-in for a routine with character arguments.
void fake_airy(gw::Call& c) {
    c.complex_result[0] = c.complex[0] * (c.character[1] == 'D' ? 2.0 : 1.0);
    c.integer_result[1] = c.character[2] == 'S';
    c.ifail() = c.complex[0].imag() < 0 ? 5 : 0;
}
constexpr gw::Gateway airy_gateway{"zairya", "z,deriv,scale,ifail", "CSSI", "CII", fake_airy};

host::CallResult call_gateway(const gw::Gateway& g, const std::vector<std::string>& words, int nlhs) {
    std::vector<host::Array> owned;
    std::vector<const mxArray*> args;
    for (const auto& w : words) {
        std::string error;
        owned.push_back(std::move(*qelms::cli::parse_literal(w, error)));
        args.push_back(owned.back().get());
    }
    testing::internal::CaptureStdout();
    auto result = host::call_entry([&](int n, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
        gw::run_array_gateway(g, n, plhs, nrhs, prhs);
    }, args, nlhs);
    testing::internal::GetCapturedStdout();
    return result;
}

TEST(ArrayCompanion, CharacterArgumentsStayScalar) {
    const auto r = call_gateway(airy_gateway, {"[1+1i 2-1i]", "'D'", "'S'", "1"}, 3);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.results[0]->re, (std::vector<double>{2, 4}));
    EXPECT_EQ(r.results[0]->im, (std::vector<double>{2, -2}));
    EXPECT_EQ(r.results[1]->re, (std::vector<double>{1, 1}));
    EXPECT_EQ(r.results[2]->re, (std::vector<double>{0, 5}));
    EXPECT_EQ(call_gateway(airy_gateway, {"1", "'FD'", "'U'", "0"}, 1).error,
              padded("RHS argument (deriv) has incorrect dimension"));
    EXPECT_EQ(call_gateway(airy_gateway, {"1", "'F'", "2", "0"}, 1).error, padded("RHS argument (scale) must be STRING"));
}

TEST(ErrorIdentifiers, UseErrorsAndHardFailuresOfTheModule) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"nosuch"}, "qelms:useError"},
        {{"gammaf", "1"}, "qelms:useError"},
        {{"gammaf", "'x'", "0"}, "qelms:useError"},
        {{"gammaf", "[1 2]", "0"}, "qelms:useError"},
        {{"gammaf", "0", "0"}, "qelms:stop"},
    };
    for (const auto& [words, identifier] : cases)
        EXPECT_EQ(call_module(words, 2).result.error_identifier, identifier) << words.back();
}

}  // namespace

namespace {

using Dims = std::vector<std::size_t>;
using C = std::complex<double>;

host::Array copy_of(const mxArray& a) { return std::make_unique<mxArray>(a); }

// Element e of an argument, or the argument itself when it is a scalar or text.
host::Array element_of(const mxArray& a, std::size_t e) {
    if (a.is_char || a.re.size() == 1) return copy_of(a);
    if (a.im.empty()) return host::real_scalar(a.re[e]);
    return host::complex_scalar({a.re[e], a.im[e]});
}

std::vector<const mxArray*> with_name(const host::Array& name, const std::vector<host::Array>& args) {
    std::vector<const mxArray*> all{name.get()};
    for (const auto& a : args) all.push_back(a.get());
    return all;
}

Dims dims_of(const mxArray& a) { return a.dims.size() > 2 ? a.dims : Dims{a.m, a.n}; }

// qelmsv on `args` against qelms on each element: the sizes of the results,
// and bit for bit each element's values (a sequence's members at (e, k)), nz and ifail.
void expect_as_module(const std::string& name, const std::vector<host::Array>& args, int nresults,
                      const Dims& size, const Dims& first_result_size) {
    const auto routine = host::string_array(name);
    const auto array = call_array_module_on(with_name(routine, args), nresults);
    ASSERT_TRUE(array.result.ok) << name << ": " << array.result.error;
    const auto& results = array.result.results;
    EXPECT_EQ(dims_of(*results[0]), first_result_size) << name;
    for (std::size_t r = 1; r < results.size(); ++r) EXPECT_EQ(dims_of(*results[r]), size) << name << " result " << r;
    std::size_t count = 1;
    for (std::size_t d : size) count *= d;
    for (std::size_t e = 0; e < count; ++e) {
        std::vector<host::Array> one;
        for (const auto& a : args) one.push_back(element_of(*a, e));
        const auto scalar = call_module_on(with_name(routine, one), nresults);
        ASSERT_TRUE(scalar.result.ok) << name << " element " << e << ": " << scalar.result.error;
        for (std::size_t r = 0; r < results.size(); ++r) {
            const mxArray& got = *results[r];
            const mxArray& want = *scalar.result.results[r];
            for (std::size_t k = 0; k < want.re.size(); ++k) {  // k > 0 only for a sequence's members
                EXPECT_TRUE(same_bits(got.re[e + count * k], want.re[k])) << name << " element " << e << " result " << r;
                if (!want.im.empty()) {
                    EXPECT_TRUE(same_bits(got.im[e + count * k], want.im[k])) << name << " element " << e;
                }
            }
        }
    }
}

host::Array real(Dims dims, std::vector<double> values) { return host::real_array(std::move(dims), std::move(values)); }
host::Array cplx(Dims dims, std::vector<C> values) { return host::complex_array(std::move(dims), std::move(values)); }
host::Array scalar(double x) { return host::real_scalar(x); }
host::Array text(const char* t) { return host::string_array(t); }

template <typename... A>
std::vector<host::Array> arrays(A&&... a) {
    std::vector<host::Array> v;
    (v.push_back(std::forward<A>(a)), ...);
    return v;
}

TEST(ArrayCompanion, SequencesOfSizeSByNAsTheModuleElementByElement) {
    struct Case {
        std::string name;
        std::vector<host::Array> args;
        Dims size, cy_size;
    };
    const double nan = std::nan("");
    Case cases[] = {
        // a row of orders, the last refused: 1-by-4-by-n
        {"zbesli", arrays(real({1, 4}, {0, 0.5, 2.5, -1}), host::complex_scalar({1, 2}), scalar(3), text("U"), scalar(1)),
         {1, 4}, {1, 4, 3}},
        // a column of arguments, z = 0 refused, NaN: 4-by-n
        {"zbeslk", arrays(scalar(0.5), cplx({4, 1}, {{1, 0}, {0, 0}, {-2, 1}, {nan, 0}}), scalar(2), text("S"), scalar(1)),
         {4, 1}, {4, 2}},
        // matrices of both: 2-by-2-by-n
        {"zbeslj", arrays(real({2, 2}, {0, 1.5, 10, 30}), cplx({2, 2}, {{1, 1}, {-3, 0.5}, {20, -2}, {0, 700}}), scalar(4),
                          text("U"), scalar(1)),
         {2, 2}, {2, 2, 4}},
        {"zbesly", arrays(scalar(0.5), cplx({3, 1}, {{4, 1}, {0, 0}, {1e-3, 0}}), scalar(3), text("u"), scalar(1)),
         {3, 1}, {3, 3}},
        {"zhankl", arrays(real({2, 1, 2}, {0, 1, 2.5, 40}), host::complex_scalar({3, 0.25}), scalar(2), text("S"), scalar(2),
                          scalar(1)),
         {2, 1, 2}, {2, 1, 2, 2}},
        // n refused: no members, ifail 1 for every element
        {"zbeslj", arrays(scalar(0), real({1, 2}, {1, 2}), scalar(0), text("U"), scalar(1)), {1, 2}, {1, 2, 0}},
        // no elements
        {"zbeslk", arrays(real({0, 3}, {}), scalar(1), scalar(2), text("U"), scalar(1)), {0, 3}, {0, 3, 2}},
    };
    for (const Case& c : cases) expect_as_module(c.name, c.args, 3, c.size, c.cy_size);
}

TEST(ArrayCompanion, RefusalsOfSizesAndLimits) {
    Dims a(33, 1), b(33, 1);
    a[31] = b[32] = 2;
    a[32] = b[31] = 3;
    auto huge = host::empty_matrix();  // described only: refused before its data is read
    huge->m = huge->n = std::size_t{1} << 16;
    const std::size_t many = std::size_t{1} << 20;
    struct Case {
        std::string name;
        std::vector<host::Array> args;
        std::string error;
    };
    Case cases[] = {
        {"ellprc", arrays(real(a, std::vector<double>(6, 1)), real(b, std::vector<double>(6, 1)), scalar(1)),
         "RHS arguments (x) and (y) differ in size"},
        {"gammaf", arrays(std::move(huge), scalar(1)), "RHS argument (x) has too many elements"},
        // elements times members
        {"zbeslj", arrays(scalar(0), cplx({many, 1}, std::vector<C>(many, 1.0)), scalar(1 << 12), text("U"), scalar(1)),
         "RHS argument (z) has too many elements"},
        {"zbesli", arrays(scalar(0), scalar(1), real({1, 2}, {2, 3}), text("U"), scalar(1)),
         "RHS argument (n) has incorrect dimension"},
        // n is read before the other shapes are checked, as by qelms
        {"zbesli", arrays(scalar(0), scalar(1), scalar(2.5), text("UU"), scalar(1)), "RHS argument (n) must be INTEGER"},
    };
    for (const Case& c : cases) {
        const auto routine = host::string_array(c.name);
        const auto out = call_array_module_on(with_name(routine, c.args), 1);
        EXPECT_EQ(out.result.error, padded(c.error)) << c.name;
        EXPECT_EQ(out.result.error_identifier, "qelms:useError") << c.name;
    }
}

TEST(ArrayCompanion, AThreadSettingOtherThanAPositiveIntegerIsRefused) {
    const std::pair<const char*, std::string> cases[] = {
        {"0", "0"}, {"12345678901234567890 threads", "12345678901234567890..."}};
    for (const auto& [value, shown] : cases) {
        ThreadSetting setting(value);
        const auto out = call_array_module({"gammaf", "[1 2]", "1"}, 1);
        EXPECT_EQ(out.result.error, padded("QELMS_NUM_THREADS (" + shown + ") must be a positive integer"));
        EXPECT_EQ(out.result.error_identifier, "qelms:useError");
    }
}

}  // namespace
