#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

constexpr double big = 4.494232837155773e+307;  // returned for an overflowed part
constexpr double eps = std::numeric_limits<double>::epsilon();

// Largest error of either part in epsilons of |e^z|, as measured on the
// reference data and on a dense sweep, rounded up. Above Re z = 708.396 a part
// is e^(ln|cos y| + x): rounding that sum near 709 costs up to half an ulp of
// 709 (256 epsilons) in the exponent.
const std::map<std::string, double> max_eps = {
    {"exp", 1.5}, {"scaled", 256.0}, {"overflow", 256.0}, {"imag", 1.5}, {"imag_scaled", 256.0}};

// Every part whose exact value exceeds 1/safe minimum is +-big and flagged;
// the flags give failure 3 (both), 1 (real) or 2 (imaginary). Beyond
// |Im z| = 94859958.6 the value is kept with failure 4, which outranks 1 and 2.
TEST(ComplexExponential, MatchesReference) {
    for (const auto& row : qelms::test::read_reference("complex_exponential.txt")) {
        SCOPED_TRACE(testing::Message() << row.region << " z = (" << row.values[0] << ", " << row.values[1] << ")");
        int ifail = 1;
        const std::complex<double> w = qelms::zexpon({row.values[0], row.values[1]}, ifail);
        const double parts[2] = {w.real(), w.imag()};
        const double scale = std::hypot(row.values[2], row.values[3]);
        bool overflow[2] = {};
        for (int k = 0; k < 2; ++k) {
            const double expected = row.values[2 + k];
            overflow[k] = std::fabs(expected) > big;
            if (overflow[k]) {
                EXPECT_EQ(parts[k], std::copysign(big, expected));
            } else {
                EXPECT_LE(std::fabs(parts[k] - expected) / scale / eps, max_eps.at(row.region)) << k;
            }
        }
        const int expected_ifail = row.region.starts_with("imag") ? 4
                                   : overflow[0] && overflow[1] ? 3
                                   : overflow[0]                ? 1
                                   : overflow[1]                ? 2
                                                                : 0;
        EXPECT_EQ(ifail, expected_ifail);
    }
}

TEST(ComplexExponential, ExactResultsAndNonFiniteArguments) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double x, y;
        int ifail;
        double re, im;
    } cases[] = {
        {0.0, 0.0, 0, 1.0, 0.0},
        {709.0, 0.0, 1, big, 0.0},
        {0.0, std::nextafter(8998411743272888.0, inf), 5, 0.0, 0.0},
        {1.0, -1e16, 5, 0.0, 0.0},
        {0.0, inf, 5, 0.0, 0.0},
        {-inf, 1.0, 0, 0.0, 0.0},
        {inf, 0.0, 1, big, 0.0},
        {inf, -2.0, 3, -big, -big},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "z = (" << k.x << ", " << k.y << ")");
        int ifail = 1;
        const std::complex<double> w = qelms::zexpon({k.x, k.y}, ifail);
        EXPECT_EQ(ifail, k.ifail);
        EXPECT_EQ(w.real(), k.re);
        EXPECT_EQ(w.imag(), k.im);
    }
    for (const std::complex<double> z : {std::complex<double>{std::nan(""), 0.0}, {0.0, std::nan("")}}) {
        int ifail = 1;
        const std::complex<double> v = qelms::zexpon(z, ifail);
        EXPECT_TRUE(std::isnan(v.real()) && std::isnan(v.imag()));
        EXPECT_EQ(ifail, 0);
    }
}

std::string abnormal_exit(int k) {
    return " ** ABNORMAL EXIT from QELM Library routine ZEXPON: IFAIL =     " + std::to_string(k);
}

// Each failure: silent with ifail 1; its two records, the ABNORMAL EXIT line
// and the soft-failure line with ifail -1.
TEST(ComplexExponential, FailureMessages) {
    const struct {
        const char* z;
        int ifail;
        const char* first;
        const char* second;
    } cases[] = {
        {"709", 1, " ** Argument Z causes overflow in real part of result:", "    Z = (  7.09000D+02,  0.00000D+00)"},
        {"720+1.5707963267948966i", 2, " ** Argument Z causes overflow in imaginary part of result:",
         "    Z = (  7.20000D+02,  1.57080D+00)"},
        {"800+1i", 3, " ** Argument Z causes overflow in both real and imaginary parts of result:",
         "    Z = (  8.00000D+02,  1.00000D+00)"},
        {"-0.5-1e8i", 4, " ** The imaginary part of argument Z is so large that the result is",
         "    accurate to less than half precision: Z = ( -5.00000D-01, -1.00000D+08)"},
        {"0+1e16i", 5, " ** The imaginary part of argument Z is so large that the result has no",
         "    precision: Z = (  0.00000D+00,  1.00000D+16)"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.z);
        const auto silent = qelms::test::call_module({"zexpon", k.z, "1"}, 2);
        ASSERT_TRUE(silent.result.ok) << silent.result.error;
        EXPECT_EQ(silent.result.results[1]->re[0], k.ifail);
        EXPECT_TRUE(silent.console.empty());
        EXPECT_EQ(silent.standard_output, "");

        const auto soft = qelms::test::call_module({"zexpon", k.z, "-1"}, 2);
        ASSERT_TRUE(soft.result.ok) << soft.result.error;
        EXPECT_EQ(soft.result.results[1]->re[0], k.ifail);
        const std::vector<std::string> lines = {k.first, k.second, abnormal_exit(k.ifail),
                                                " ** QELM soft failure - control returned"};
        EXPECT_EQ(soft.console, lines);
    }
}

TEST(ComplexExponential, HardFailureStopsTheCall) {
    const auto c = qelms::test::call_module({"zexpon", "709", "0"}, 2);
    EXPECT_FALSE(c.result.ok);
    EXPECT_EQ(c.result.error, "Stop - Program terminated.");
    EXPECT_EQ(c.standard_output, "Stop - Program terminated.\n");
    const std::vector<std::string> lines = {" ** Argument Z causes overflow in real part of result:",
                                            "    Z = (  7.09000D+02,  0.00000D+00)", abnormal_exit(1),
                                            " ** QELM hard failure - execution terminated"};
    EXPECT_EQ(c.console, lines);
}

TEST(ComplexExponential, ValueThroughTheModule) {
    const auto c = qelms::test::call_module({"zexpon", "1+1.5707963267948966i", "-1"}, 2);
    ASSERT_TRUE(c.result.ok) << c.result.error;
    ASSERT_EQ(c.result.results[0]->im.size(), 1u);
    EXPECT_NEAR(c.result.results[0]->re[0], 1.6644675702013920e-16, 1e-30);
    EXPECT_EQ(c.result.results[0]->im[0], 2.718281828459045);
    EXPECT_EQ(c.result.results[1]->re[0], 0.0);
}

}  // namespace
