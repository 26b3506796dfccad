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
// reference data, rounded up (above Re z = 708.396 as well: 0.82).
const std::map<std::string, double> max_eps = {
    {"exp", 1.0}, {"scaled", 1.0}, {"overflow", 1.0}, {"imag", 1.0}, {"imag_scaled", 1.0}};

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
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x, y;
        int ifail;
        double re, im;
    } cases[] = {
        {0.0, 0.0, 0, 1.0, 0.0},
        {0.0, std::nextafter(8998411743272888.0, inf), 5, 0.0, 0.0},
        {0.0, -inf, 5, 0.0, 0.0},
        {-inf, 1.0, 0, 0.0, 0.0},
        {inf, 0.0, 1, big, 0.0},
        {inf, -2.0, 3, -big, -big},
        {nan, 0.0, 0, nan, nan},
        {800.0, nan, 0, nan, nan},
    };
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "z = (" << k.x << ", " << k.y << ")");
        int ifail = 1;
        const std::complex<double> w = qelms::zexpon({k.x, k.y}, ifail);
        EXPECT_EQ(ifail, k.ifail);
        EXPECT_TRUE(same(w.real(), k.re) && same(w.imag(), k.im)) << w;
    }
}

// Through the module, a success and each failure: silent with ifail 1; with -1
// its two records, the ABNORMAL EXIT line and the soft-failure line; with 0 the
// same with the hard-failure line, and the call is abandoned.
TEST(ComplexExponential, ThroughTheModule) {
    const struct {
        const char* z;
        double x, y;
        int ifail;
        const char* first;
        const char* second;
    } cases[] = {
        {"1+1.5707963267948966i", 1.0, 1.5707963267948966, 0, "", ""},
        {"709", 709.0, 0.0, 1, " ** Argument Z causes overflow in real part of result:",
         "    Z = (  7.09000D+02,  0.00000D+00)"},
        {"720+1.5707963267948966i", 720.0, 1.5707963267948966, 2,
         " ** Argument Z causes overflow in imaginary part of result:", "    Z = (  7.20000D+02,  1.57080D+00)"},
        {"800+1i", 800.0, 1.0, 3, " ** Argument Z causes overflow in both real and imaginary parts of result:",
         "    Z = (  8.00000D+02,  1.00000D+00)"},
        {"-0.5-1e8i", -0.5, -1e8, 4, " ** The imaginary part of argument Z is so large that the result is",
         "    accurate to less than half precision: Z = ( -5.00000D-01, -1.00000D+08)"},
        {"0+1e16i", 0.0, 1e16, 5, " ** The imaginary part of argument Z is so large that the result has no",
         "    precision: Z = (  0.00000D+00,  1.00000D+16)"},
    };
    const std::string abnormal_exit = " ** ABNORMAL EXIT from QELM Library routine ZEXPON: IFAIL =     ";
    for (const auto& k : cases) {
        int ifail = 1;
        const std::complex<double> direct = qelms::zexpon({k.x, k.y}, ifail);
        for (const std::string entry : {"1", "-1", "0"}) {
            SCOPED_TRACE(testing::Message() << k.z << " ifail " << entry);
            const auto c = qelms::test::call_module({"zexpon", k.z, entry}, 2);
            const bool stops = k.ifail != 0 && entry == "0";
            std::vector<std::string> lines;
            if (k.ifail != 0 && entry != "1")
                lines = {k.first, k.second, abnormal_exit + std::to_string(k.ifail),
                         entry == "-1" ? " ** QELM soft failure - control returned"
                                       : " ** QELM hard failure - execution terminated"};
            EXPECT_EQ(c.console, lines);
            EXPECT_EQ(c.standard_output, stops ? "Stop - Program terminated.\n" : "");
            ASSERT_EQ(c.result.ok, !stops);
            if (!c.result.ok) {
                EXPECT_EQ(c.result.error, "Stop - Program terminated.");
                continue;
            }
            EXPECT_EQ(c.result.results[0]->re[0], direct.real());
            EXPECT_EQ(c.result.results[0]->im[0], direct.imag());
            EXPECT_EQ(c.result.results[1]->re[0], k.ifail);
        }
    }
}

}  // namespace
