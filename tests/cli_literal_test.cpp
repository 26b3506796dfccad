// The qelms command's literal reader: what it reads and what it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "literal.hpp"

namespace {

using qelms::cli::parse_literal;

TEST(Literal, NumbersItReadsAndRefuses) {
    const std::pair<std::string, double> reals[] = {
        {"1", 1.0},   {"-1.5e-3", -1.5e-3}, {".5", 0.5},          {"5.", 5.0},       {"+2", 2.0},
        {"1E3", 1e3}, {"-Inf", -INFINITY},  {"inf", INFINITY},    {"1e999", INFINITY}, {"-0", -0.0},
        {"4.9406564584124654e-324", 4.9406564584124654e-324}, {"2.4703282292062328e-324", 4.9406564584124654e-324},
        {"1e-999", 0.0}, {"-1e-999", -0.0},
    };
    for (const auto& [text, value] : reals) {
        std::string error;
        const auto a = parse_literal(text, error);
        ASSERT_TRUE(a) << text << ": " << error;
        EXPECT_EQ((*a)->re[0], value) << text;
        EXPECT_EQ(std::signbit((*a)->re[0]), std::signbit(value)) << text;
    }
    for (const char* text : {"NaN", "nan", "-NaN"}) {
        std::string error;
        EXPECT_TRUE(std::isnan((*parse_literal(text, error))->re[0])) << text;
    }
    const char* refused[] = {"nan(123)", "0x1p3",  "infinity", "INF",   "1e",  "1e+", ".",   "+",     "1..2",
                             "\n1",      "1 ",     "1+",       "1+2",   "2i3", "[1,,2]", "[,1]", "[1;,2]", "[1 2;3]",
                             "'a",       "'a'b",   "[1",       "--1",   "1-+2i"};
    for (const char* text : refused) {
        std::string error;
        EXPECT_FALSE(parse_literal(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(Literal, ComplexAndMatrices) {
    std::string error;
    const auto z = parse_literal("2-3.5i", error);
    EXPECT_EQ((*z)->re, std::vector<double>{2.0});
    EXPECT_EQ((*z)->im, std::vector<double>{-3.5});
    const auto m = parse_literal("[1, 2,;3 ,4]", error);  // a comma may end a row
    ASSERT_TRUE(m) << error;
    EXPECT_EQ((*m)->re, (std::vector<double>{1, 3, 2, 4}));
    EXPECT_EQ(qelms::cli::format_array(**parse_literal("[1+i 2]", error)), "[1+1i 2+0i]");
}

TEST(Literal, RealsWrittenAsPrintfWritesThemAndReadBack) {
    const double values[] = {0.0,     -0.0,    1.0,       -5.0,     0.1,        1.7724538509055161, 1e-5,
                             1e15,    1e16,    1e17,      1e22,     2147483647, 2147483648.0,       -2147483648.0,
                             1.5e300, 2.5e-310, 4.9406564584124654e-324, 1.7976931348623157e308, -123456.75};
    for (double v : values) {
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.17g", v);
        const std::string text = qelms::cli::format_array(*qelms::host::real_scalar(v));
        EXPECT_EQ(text, expected);
        std::string error;
        const double back = (*parse_literal(text, error))->re[0];
        EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text;
    }
    EXPECT_EQ(qelms::cli::format_array(*qelms::host::complex_scalar({1.5, -0.0})), "1.5-0i");
    EXPECT_EQ(qelms::cli::format_array(*qelms::host::complex_scalar({NAN, -INFINITY})), "NaN-Infi");
}

TEST(Literal, ReadIntoAnArrayInUseHoldsExactlyItsElements) {
    mxArray a;
    std::string error;
    ASSERT_TRUE(qelms::cli::read_literal("[1+2i 3 4]", a, error));
    ASSERT_TRUE(qelms::cli::read_literal("7", a, error));
    EXPECT_EQ(a.re, std::vector<double>{7.0});
    EXPECT_EQ(a.re.capacity(), 1u);  // no room left over from the longer matrix
    EXPECT_TRUE(a.im.empty());
    EXPECT_FALSE(qelms::cli::read_literal("1+", a, error));
    EXPECT_EQ(a.re, std::vector<double>{7.0});  // a refused literal leaves the array as it was
    ASSERT_TRUE(qelms::cli::read_literal("'U'", a, error));
    EXPECT_TRUE(a.is_char && a.chars == "U" && a.re.empty() && a.m == 1 && a.n == 1);
}

TEST(Literal, ErrorsShowControlBytesEscaped) {
    std::string error;
    parse_literal(std::string("1\0\r\x1b[2J\\\xe9", 9), error);
    EXPECT_EQ(error, "not a literal: 1\\x00\\x0d\\x1b[2J\\\\\\xe9");
}

}  // namespace
