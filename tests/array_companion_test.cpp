// The array companion against the module: element by element the same values
// and ifail, sizes combined with scalar expansion, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>

#include "gateway/gateways.hpp"
#include "literal.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::call_array_module;
using qelms::test::call_module;
namespace gw = qelms::gateway;
namespace host = qelms::host;

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
