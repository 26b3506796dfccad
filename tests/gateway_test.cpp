// Entry, dispatch, argument checking and host messages, through the embedded host.
#include <gtest/gtest.h>

#include <functional>

#include "gateway/gateway_pattern.hpp"
#include "gateway/gateways.hpp"
#include "gateway/host_io.hpp"
#include "gateway/utility5.hpp"
#include "literal.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::call_module;
namespace gw = qelms::gateway;
namespace host = qelms::host;

std::string padded(std::string text) {  // use-error texts fill a 72-character field
    text.resize(72, ' ');
    return text;
}

const std::string header = "??? Error using ==> gammaf.m\n\n";

TEST(Dispatch, NamesThatSelectAndNamesThatDoNot) {
    struct Case {
        std::string name;
        bool selects_gammaf;
    };
    const Case cases[] = {
        {"'gammaf'", true}, {"'gammaf   '", true}, {"'gammaf and more'", true},
        {"'gammaf\t'", true},  // a control character ends the name too
        {"'GAMMAF'", false}, {"'gamma'", false}, {"'gammaff'", false}, {"''", false}, {"5", false},
        {"' gammaf'", false}, {"[]", false},
        {"'gammaf                         xyz'", true},  // the field holds 31 characters
        {"'" + std::string(40, 'g') + "'", false},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto name = qelms::cli::parse_literal(c.name, error);
        const auto x = host::real_scalar(0.5), ifail = host::real_scalar(-1);
        const auto result = host::call({name->get(), x.get(), ifail.get()}, 2);
        if (c.selects_gammaf) {
            ASSERT_TRUE(result.ok) << c.name << ": " << result.error;
            EXPECT_EQ(result.results[0]->re[0], 2 * 0.886226925452758) << c.name;
        } else {
            EXPECT_EQ(result.error, "Routine not found.") << c.name;
        }
    }
}

// A character array of the given shape whose characters, column by column, are `text`.
host::Array char_matrix(std::size_t m, std::size_t n, std::string text) {
    auto a = host::string_array(text);
    a->m = m;
    a->n = n;
    return a;
}

// The host copies nothing of a text that does not fit its buffer; the module
// still reads exactly the characters it was given, cut to its field.
TEST(Dispatch, LongAndUnusualNameTexts) {
    const std::string padded_name = "gammaf" + std::string(25, ' ') + "xyz";
    const struct {
        host::Array name;
        bool selects_gammaf;
    } cases[] = {
        {host::string_array(padded_name), true},                        // 34 characters, cut to 31
        {host::string_array("gammaf" + std::string(2000, ' ')), true},  // longer than any buffer
        {host::string_array(std::string(40, 'x')), false},
        {host::string_array(std::string("gammaf\0junk", 11)), true},  // a NUL ends the name
        {char_matrix(2, 6, "ggaammmmaaff"), false},                   // ['gammaf';'gammaf'] reads column by column
        {char_matrix(6, 1, "gammaf"), true},                           // a column holds the same text
        {char_matrix(0, 6, ""), false},
    };
    for (const auto& c : cases) {
        const auto x = host::real_scalar(0.5), ifail = host::real_scalar(-1);
        const auto result = host::call({c.name.get(), x.get(), ifail.get()}, 2);
        EXPECT_EQ(result.ok, c.selects_gammaf) << c.name->chars.size() << ": " << result.error;
        if (!c.selects_gammaf) {
            EXPECT_EQ(result.error, "Routine not found.");
        }
    }
    // long texts as arguments: refused by shape, the header names the true length
    const std::string quoted_x = std::string(1, '\'') + std::string(2000, 'x') + '\'';
    const auto out = call_module({"gammaf", quoted_x, "1"}, 2);
    EXPECT_EQ(out.result.error, padded("RHS argument (x) has incorrect dimension"));
    EXPECT_EQ(out.standard_output, header + "Supplied first dimension : 1\nExpected first dimension : 1\n"
                                            "Supplied second dimension: 2000\nExpected second dimension: 1\n");
    EXPECT_EQ(gw::find_gateway(padded_name)->name, "gammaf");
    EXPECT_EQ(gw::find_gateway("gammafx"), nullptr);
}

// Arrays larger than any int: the true dimensions are compared and printed.
// Such arrays exist only as sparse ones, whose data the module never reads.
TEST(Dispatch, DimensionsBeyondInt) {
    const auto dataless = [](std::size_t m, std::size_t n, bool is_char) {
        auto a = std::make_unique<mxArray>();
        a->m = m;
        a->n = n;
        a->is_char = is_char;
        return a;
    };
    const struct {
        host::Array x;
        std::string error, dimensions;
    } cases[] = {
        {dataless(4294967297, 1, false), "has incorrect dimension", "Supplied first dimension : 4294967297\n"
                                                                    "Expected first dimension : 1\n"},
        {dataless(4294967296, 1, false), "has incorrect dimension", "Supplied first dimension : 4294967296\n"
                                                                    "Expected first dimension : 1\n"},
        {dataless(65536, 65536, false), "has incorrect dimension",
         "Supplied first dimension : 65536\nExpected first dimension : 1\n"
         "Supplied second dimension: 65536\nExpected second dimension: 1\n"},
        {dataless(100000, 100000, false), "has incorrect dimension",
         "Supplied first dimension : 100000\nExpected first dimension : 1\n"
         "Supplied second dimension: 100000\nExpected second dimension: 1\n"},
        {dataless(std::size_t{1} << 62, 8, false), "has incorrect dimension",  // the count overflows
         "Supplied first dimension : 4611686018427387904\nExpected first dimension : 1\n"
         "Supplied second dimension: 8\nExpected second dimension: 1\n"},
        {dataless(4294967297, 0, true), "has incorrect dimension", "Supplied first dimension : 4294967297\n"
                                                                   "Expected first dimension : 1\n"},
        {dataless(4294967297, 0, false), "is undefined", ""},
    };
    for (const auto& c : cases) {
        const auto name = host::string_array("gammaf"), ifail = host::real_scalar(1);
        testing::internal::CaptureStdout();
        const auto result = host::call({name.get(), c.x.get(), ifail.get()}, 2);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), header + c.dimensions) << c.x->m << "x" << c.x->n;
        EXPECT_EQ(result.error, padded("RHS argument (x) " + c.error));
    }
}

TEST(Dispatch, NoArgumentsAtAll) {
    const auto result = host::call({}, 0);
    EXPECT_EQ(result.error, "Routine not found.");
}

TEST(Dispatch, GatewaySeesTheArgumentsAfterTheName) {
    // three arguments after the name: nrhs is reduced before the count check
    EXPECT_EQ(call_module({"gammaf", "1", "2", "3"}, 2).result.error, padded("gammaf requires 2 RHS arguments"));
    EXPECT_EQ(call_module({"lngamm", "1"}, 2).result.error, padded("lngamm requires 2 RHS arguments"));
    EXPECT_EQ(call_module({"gammaf", "1", "0"}, 1).result.error, padded("gammaf requires 2 LHS arguments"));
    EXPECT_EQ(call_module({"gammaf", "1", "0"}, 3).result.error, padded("gammaf requires 2 LHS arguments"));
}

struct Refusal {
    std::vector<std::string> args;  // after the routine name
    std::string error;
    std::string standard_output;
};

TEST(Arguments, RefusalsAndTheirOutput) {
    const std::string dims_1x3 =
        "Supplied first dimension : 1\nExpected first dimension : 1\n"
        "Supplied second dimension: 3\nExpected second dimension: 1\n";
    const Refusal cases[] = {
        {{"1", "[]"}, "RHS argument (ifail) is undefined", header},
        {{"[]", "[]"}, "RHS argument (x) is undefined", header},
        {{"'x'", "0"}, "RHS argument (x) must be REAL", header},
        {{"1+2i", "0"}, "RHS argument (x) must be REAL", header},
        {{"[NaN+NaNi]", "0"}, "RHS argument (x) must be REAL", header},
        {{"1", "0.5"}, "RHS argument (ifail) must be INTEGER", header},
        {{"1", "1+2i"}, "RHS argument (ifail) must be INTEGER", header},
        {{"1", "2147483648"}, "RHS argument (ifail) must be INTEGER", header},
        {{"1", "-2147483649"}, "RHS argument (ifail) must be INTEGER", header},
        {{"1", "NaN"}, "RHS argument (ifail) must be INTEGER", header},
        {{"1", "Inf"}, "RHS argument (ifail) must be INTEGER", header},
        {{"1", "'a'"}, "RHS argument (ifail) must be INTEGER", header},
        {{"[1 2 3]", "0"}, "RHS argument (x) has incorrect dimension", header + dims_1x3},
        {{"[1 2;3 4]", "0"}, "RHS argument (x) has incorrect dimension",
         header + "Supplied first dimension : 2\nExpected first dimension : 1\n"
                  "Supplied second dimension: 2\nExpected second dimension: 1\n"},
        {{"[1;2;3]", "0"}, "RHS argument (x) has incorrect dimension",
         header + "Supplied first dimension : 3\nExpected first dimension : 1\n"},
        {{"''", "0"}, "RHS argument (x) has incorrect dimension",  // passes gathering, fails the shape
         header + "Supplied first dimension : 0\nExpected first dimension : 1\n"},
        {{"[1 2;3 4]", "'s'"}, "RHS argument (x) has incorrect dimension",  // shape before type
         header + "Supplied first dimension : 2\nExpected first dimension : 1\n"
                  "Supplied second dimension: 2\nExpected second dimension: 1\n"},
    };
    for (const Refusal& c : cases) {
        std::vector<std::string> words{"gammaf"};
        words.insert(words.end(), c.args.begin(), c.args.end());
        const auto out = call_module(words, 2);
        EXPECT_EQ(out.result.error, padded(c.error)) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(out.standard_output, c.standard_output) << c.args[0] << " " << c.args[1];
        EXPECT_TRUE(out.result.results.empty());
    }
}

TEST(Arguments, AcceptedConversions) {
    struct Case {
        std::string x, ifail;
        double value;
        int ifail_out;
    };
    const Case cases[] = {
        {"2+0i", "0", 1.0, 0}, {"3", "3+0i", 2.0, 0}, {"0.5", "-2147483648", 2 * 0.886226925452758, 0},
        {"0", "1", 4.4843049327354256e+307, 3},
    };
    for (const Case& c : cases) {
        const auto out = call_module({"gammaf", c.x, c.ifail}, 2);
        ASSERT_TRUE(out.result.ok) << c.x << ": " << out.result.error;
        EXPECT_EQ(out.result.results[0]->re[0], c.value);
        EXPECT_EQ(out.result.results[1]->re[0], c.ifail_out);
        EXPECT_TRUE(out.result.results[0]->im.empty());
    }
}

TEST(Arguments, FailureThroughHost) {
    auto out = call_module({"gammaf", "0", "-1"}, 2);
    ASSERT_TRUE(out.result.ok);
    EXPECT_EQ(out.result.results[1]->re[0], 3.0);
    EXPECT_EQ(out.console, (std::vector<std::string>{
                               " ** ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     3",
                               " ** QELM soft failure - control returned"}));
    out = call_module({"gammaf", "0", "0"}, 2);
    EXPECT_EQ(out.result.error, "Stop - Program terminated.");
    EXPECT_TRUE(out.result.results.empty());
    EXPECT_EQ(out.console.back(), " ** QELM hard failure - execution terminated");
    EXPECT_EQ(out.standard_output, "Stop - Program terminated.\n");
    out = call_module({"lngamm", "-1", "1"}, 2);
    EXPECT_TRUE(out.console.empty());
    EXPECT_EQ(out.result.results[1]->re[0], 1.0);
}

// Runs f, which must end with a host error; returns the error text.
std::string host_error_of(const std::function<void()>& f) {
    try {
        f();
    } catch (const host::HostError& e) {
        return e.text;
    }
    return "(no error)";
}

// Fills argument tables for direct calls of the conversion utilities.
struct Tables {
    std::vector<host::Array> arrays;
    gw::ArgTables args;
    explicit Tables(std::vector<host::Array> a) : arrays(std::move(a)) {
        std::vector<const mxArray*> raw;
        for (const auto& x : arrays) raw.push_back(x.get());
        gw::store_arg_names("z,scale,ifail ", "7zbesli");
        testing::internal::CaptureStdout();
        gw::gather_args("zbesli", raw.data(), static_cast<int>(raw.size()), args);
        testing::internal::GetCapturedStdout();
    }
};

TEST(Arguments, ComplexAndStringConversions) {
    Tables t([] {
        std::vector<host::Array> a;
        a.push_back(host::complex_scalar({1.5, -2.5}));
        a.push_back(host::string_array("S"));
        a.push_back(host::real_scalar(4.0));
        return a;
    }());
    std::complex<double> z;
    gw::get_complex_arg("zbesli", t.args, 1, &z);
    EXPECT_EQ(z, std::complex<double>(1.5, -2.5));
    gw::get_complex_arg("zbesli", t.args, 3, &z);  // a real number is a complex with zero imaginary part
    EXPECT_EQ(z, std::complex<double>(4.0, 0.0));
    char field[3] = {'x', 'x', 'x'};
    gw::get_string_arg("zbesli", t.args, 2, field, 3);
    EXPECT_EQ(std::string(field, 3), "S  ");
    testing::internal::CaptureStdout();
    EXPECT_EQ(host_error_of([&] { gw::get_complex_arg("zbesli", t.args, 2, &z); }),
              padded("RHS argument (scale) must be COMPLEX"));
    EXPECT_EQ(host_error_of([&] { gw::get_string_arg("zbesli", t.args, 3, field, 1); }),
              padded("RHS argument (ifail) must be STRING"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "??? Error using ==> zbesli.m\n\n??? Error using ==> zbesli.m\n\n");
    EXPECT_EQ(field[0], ' ');  // blank-filled before the refusal
}

TEST(Arguments, EveryShapeRule) {
    struct Case {
        std::size_t m, n, em, en;
        bool accepted;
        std::size_t em_after, en_after;
    };
    const Case cases[] = {
        {3, 4, 0, 0, true, 3, 4},  {2, 5, 2, 0, true, 2, 5},  {3, 5, 2, 0, false, 2, 0},
        {1, 7, 0, 9, true, 7, 9},  {7, 1, 0, 9, true, 7, 9},  {2, 2, 0, 9, false, 0, 9},
        {1, 1, 1, 1, true, 1, 1},  {3, 2, 3, 2, true, 3, 2},  {1, 4, 4, 1, true, 4, 1},
        {4, 1, 1, 4, false, 1, 4}, {0, 0, 1, 1, false, 1, 1},
    };
    for (const Case& c : cases) {
        gw::ArgTables args;
        args.m[0] = c.m;
        args.n[0] = c.n;
        args.em[0] = c.em;
        args.en[0] = c.en;
        gw::store_arg_names("x,ifail ", "7gammaf");
        testing::internal::CaptureStdout();
        const std::string error = host_error_of([&] { gw::check_dims("gammaf", args, 1); });
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(error == "(no error)", c.accepted) << c.m << "x" << c.n << " vs " << c.em << "x" << c.en;
        EXPECT_EQ(args.em[0], c.em_after);
        EXPECT_EQ(args.en[0], c.en_after);
        if (c.accepted) {
            EXPECT_EQ(args.count[0], c.m * c.n);
        }
    }
}

TEST(Arguments, LabelsDigitsAndCounts) {
    char field[16];
    gw::store_arg_names("fnu,z,n,scale,m,ifail ", "7zhankl");
    const std::pair<int, std::string> labels[] = {{1, "fnu"}, {4, "scale"}, {6, "ifail"}, {7, "7"}, {12, "12"}};
    for (const auto& [k, text] : labels) {
        gw::arg_label(k, field, 16, "zhankl");
        EXPECT_EQ(std::string(field, 16), text + std::string(16 - text.size(), ' ')) << k;
    }
    gw::arg_label(2, field, 16, "gammaf");  // the record names another routine: digits
    EXPECT_EQ(std::string(field, 2), "2 ");
    gw::store_arg_names("averyveryverylongname,x ", "7zhankl");
    gw::arg_label(1, field, 15, "zhankl");  // cut to the field
    EXPECT_EQ(std::string(field, 15), "averyveryverylo");

    EXPECT_EQ(gw::zitoc(0, field, 6), 1);
    EXPECT_EQ(std::string(field, 6), "0     ");
    EXPECT_EQ(gw::zitoc(2147483647, field, 16), 10);
    testing::internal::CaptureStdout();
    EXPECT_EQ(gw::zitoc(1234567, field, 3), 7);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "(ZITOC) WARNING : INTEGER LONGER THAN STRING\n\n");
    EXPECT_EQ(std::string(field, 3), "123");

    const char name[] = "ab\001cd   ";
    EXPECT_EQ(gw::trimmed_length(name, 8), 2);
    EXPECT_EQ(gw::trimmed_length("\xe9t\xe9 ", 4), 3);  // codes above 127 are significant

    const std::pair<double, int> counts[] = {{3.0, 3}, {2.9, 2}, {-2.9, -2}, {1e300, 0}, {NAN, 0}};
    for (const auto& [x, n] : counts) EXPECT_EQ(gw::get_scalar_count(host::real_scalar(x).get()), n) << x;
}

TEST(HostMessages, WriteMessage) {
    std::vector<std::string> lines;
    auto previous = host::set_console([&](std::string_view l) { lines.emplace_back(l); });
    gw::write_message(6, "   ");
    gw::write_message(6, "it's 'quoted'   ");
    gw::write_message(0, "  leading blanks kept");
    gw::write_message(-1, "never printed");
    host::set_console(previous);
    EXPECT_EQ(lines, (std::vector<std::string>{" ", "it's 'quoted'", "  leading blanks kept"}));
    EXPECT_NE(mexEvalString("x = 1"), 0);  // the embedded host only understands disp '...'
    EXPECT_NE(mexEvalString("disp 'unterminated"), 0);
}

}  // namespace

namespace {

// A sequence gateway of the zbesli shape; its routine fills member k with
// fnu + k + z and reports n as nz.
void fake_sequence(gw::Call& c) {
    const int n = c.integer[2];
    for (int k = 0; k < n; ++k) c.sequence[k] = c.real[0] + k + c.complex[1];
    c.integer_result[1] = n;
    c.ifail() = c.character[3] == 'S' ? 0 : 7;
}
constexpr gw::Gateway sequence_gateway{"zbesli", "fnu,z,n,scale,ifail", "RCISI", "QII", fake_sequence};

host::CallResult call_sequence(const std::vector<std::string>& words, int nlhs = 3) {
    std::vector<host::Array> owned;
    for (const auto& w : words) {
        std::string error;
        owned.push_back(std::move(*qelms::cli::parse_literal(w, error)));
    }
    std::vector<const mxArray*> args;
    for (const auto& a : owned) args.push_back(a.get());
    testing::internal::CaptureStdout();
    auto result = host::call_entry(
        [](int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
            gw::run_gateway(sequence_gateway, nlhs, plhs, nrhs, prhs);
        },
        args, nlhs);
    testing::internal::GetCapturedStdout();
    return result;
}

TEST(SequenceGateway, ColumnOfNComplexValues) {
    const auto r = call_sequence({"0.5", "1+2i", "3", "'S'", "0"});
    ASSERT_TRUE(r.ok) << r.error;
    const mxArray& column = *r.results[0];
    EXPECT_EQ(column.m, 3u);
    EXPECT_EQ(column.n, 1u);
    EXPECT_EQ(column.re, (std::vector<double>{1.5, 2.5, 3.5}));
    EXPECT_EQ(column.im, (std::vector<double>{2.0, 2.0, 2.0}));
    EXPECT_EQ(r.results[1]->re[0], 3.0);
    EXPECT_EQ(r.results[2]->re[0], 0.0);
    const auto real_z = call_sequence({"0.5", "2", "1", "'u'", "0"});  // a real z has zero imaginary part
    ASSERT_TRUE(real_z.ok);
    EXPECT_EQ(real_z.results[0]->im, (std::vector<double>{0.0}));
    EXPECT_EQ(real_z.results[2]->re[0], 7.0);
    const auto empty = call_sequence({"0.5", "2", "0", "'S'", "0"});
    ASSERT_TRUE(empty.ok);
    EXPECT_EQ(empty.results[0]->m, 0u);
    const auto negative = call_sequence({"0.5", "2", "-4", "'S'", "0"});  // the routine sees n, the column is empty
    ASSERT_TRUE(negative.ok);
    EXPECT_EQ(negative.results[0]->m, 0u);
    EXPECT_EQ(negative.results[1]->re[0], -4.0);
}

TEST(SequenceGateway, Refusals) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"0.5", "1", "2.5", "'S'", "0"}, "RHS argument (n) must be INTEGER"},
        {{"0.5", "1", "'n'", "'S'", "0"}, "RHS argument (n) must be INTEGER"},
        // n is read before the shape check of the other arguments
        {{"[1 2]", "1", "2.5", "'S'", "0"}, "RHS argument (n) must be INTEGER"},
        {{"0.5", "1", "[3 4 5]", "'S'", "0"}, "RHS argument (n) has incorrect dimension"},
        {{"0.5", "1", "[2;7]", "'S'", "0"}, "RHS argument (n) has incorrect dimension"},
        {{"0.5", "1", "3", "'SU'", "0"}, "RHS argument (scale) has incorrect dimension"},
        {{"0.5", "1", "3", "''", "0"}, "RHS argument (scale) has incorrect dimension"},
        {{"0.5", "1", "3", "1", "0"}, "RHS argument (scale) must be STRING"},
        {{"'f'", "1", "3", "'S'", "0"}, "RHS argument (fnu) must be REAL"},
        {{"0.5", "'z'", "3", "'S'", "0"}, "RHS argument (z) must be COMPLEX"},
    };
    for (const auto& [words, error] : cases) EXPECT_EQ(call_sequence(words).error, padded(error)) << words[2];
    EXPECT_EQ(call_sequence({"0.5", "1", "3", "'S'", "0"}, 2).error, padded("zbesli requires 3 LHS arguments"));
}

}  // namespace
