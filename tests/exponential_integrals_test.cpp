#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <string>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::eps_error;

constexpr double half_pi = 1.5707963267948966;  // the double nearest pi/2

// Largest error in epsilons measured against the reference data, per region.
// E1 and Si relative (E1 to the least normal once it is subnormal); Ci relative
// to max(|Ci|, 1/x), the size of its oscillation, because of its zeros, but next
// to its first zero relative to itself. Beyond 4
// E1 keeps the roundings of e^-x, of the division by x and of the product.
const std::map<std::string, double> max_eps = {
    {"expint_p1", 1.0}, {"expint_p2", 1.0}, {"expint_p3", 0.75}, {"expint_p4", 1.4}, {"expint_p4_subnormal", 1.0},
    {"sinint_ps", 0.5}, {"sinint_fg", 0.5}, {"cosint_pc", 0.75}, {"cosint_fg", 1.0}, {"cosint_next_to_zero", 1.2},
};

// Past these bounds the routines return a constant; the true value differs from
// it by at most the given amount.
struct ConstantRegion {
    double (*routine)(double, int&);
    double value;  // for x > 0
    double true_value_within;
};
const std::map<std::string, ConstantRegion> constant_regions = {
    {"expint_zero", {qelms::expint, 0.0, 4e-311}},
    {"cosint_zero", {qelms::cosint, 0.0, 1e-16}},
    {"sinint_limit", {qelms::sinint, half_pi, 1.2e-16}},  // within half an ulp of pi/2
};

double (*routine_of(const std::string& region))(double, int&) {
    if (region.starts_with("expint")) return qelms::expint;
    return region.starts_with("sinint") ? qelms::sinint : qelms::cosint;
}

TEST(ExponentialIntegrals, ReferenceValuesPerRegion) {
    std::map<std::string, double> worst;
    for (const auto& row : qelms::test::read_reference("exponential_integrals.txt")) {
        const double x = row.values[0];
        const double expected = row.values[1];
        int ifail = -1;
        if (constant_regions.contains(row.region)) {
            const ConstantRegion& c = constant_regions.at(row.region);
            const double value = c.routine(x, ifail);
            EXPECT_EQ(value, std::copysign(c.value, x)) << row.region << " x=" << x;
            EXPECT_LE(std::fabs(value - expected), c.true_value_within) << row.region << " x=" << x;
            EXPECT_EQ(ifail, 0);
            worst[row.region] = 0.0;
            continue;
        }
        ASSERT_TRUE(max_eps.contains(row.region)) << row.region;
        const double value = routine_of(row.region)(x, ifail);
        EXPECT_EQ(ifail, 0) << row.region << " x=" << x;
        const double error = row.region.starts_with("cosint") && row.region != "cosint_next_to_zero"
                                 ? std::fabs(value - expected) / std::max(std::fabs(expected), 1.0 / x) / 0x1p-52
                                 : eps_error(value, expected);
        worst[row.region] = std::max(worst[row.region], error);
        EXPECT_LE(error, max_eps.at(row.region)) << row.region << " x=" << x;
    }
    for (const auto& [region, e] : worst) std::printf("%-20s max error %.2f eps\n", region.c_str(), e);
    EXPECT_EQ(worst.size(), max_eps.size() + constant_regions.size());
}

TEST(ExponentialIntegrals, FailuresAndInfiniteArguments) {
    struct Case {
        double (*routine)(double, int&);
        double x;
        int ifail;  // expected on exit
        double value;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {qelms::expint, 0.0, 1, 0.0},  {qelms::expint, -0.0, 1, 0.0},  {qelms::expint, -1.0, 1, 0.0},
        {qelms::expint, -inf, 1, 0.0}, {qelms::expint, inf, 0, 0.0},   {qelms::cosint, 0.0, 1, 0.0},
        {qelms::cosint, -0.0, 1, 0.0}, {qelms::cosint, -16.0, 1, 0.0}, {qelms::cosint, -inf, 1, 0.0},
        {qelms::cosint, inf, 0, 0.0},  {qelms::sinint, inf, 0, half_pi},
        {qelms::sinint, -inf, 0, -half_pi},
    };
    for (const Case& c : cases) {
        int ifail = 1;
        EXPECT_EQ(c.routine(c.x, ifail), c.value) << "x=" << c.x;
        EXPECT_EQ(ifail, c.ifail) << "x=" << c.x;
    }
    for (auto routine : {qelms::expint, qelms::cosint, qelms::sinint}) {
        int ifail = 0;  // would stop on any failure
        EXPECT_TRUE(std::isnan(routine(std::nan(""), ifail)));
        EXPECT_EQ(ifail, 0);
    }
}

TEST(ExponentialIntegrals, SineIntegralIsExactlyOdd) {
    for (double x : {0.0, 1e-300, 0.75, 16.0, 16.000000000000004, 40.0, 1e16, 9.9e16, 1e17}) {
        int ifail = 1;
        const double s = qelms::sinint(x, ifail);
        EXPECT_EQ(qelms::sinint(-x, ifail), -s) << x;
        EXPECT_EQ(std::signbit(qelms::sinint(-x, ifail)), !std::signbit(s)) << x;
    }
}

TEST(ExponentialIntegrals, FailureMessages) {
    struct Case {
        const char* routine;
        const char* x;
        const char* ifail;
        std::vector<std::string> console;
    };
    const Case cases[] = {
        {"expint", "0", "-1",
         {" ** ABNORMAL EXIT from QELM Library routine EXPINT: IFAIL =     1",
          " ** QELM soft failure - control returned"}},
        {"cosint", "-2", "-1",
         {" ** ABNORMAL EXIT from QELM Library routine COSINT: IFAIL =     1",
          " ** QELM soft failure - control returned"}},
        {"cosint", "-2", "-13", {}},  // no records of its own to print
        {"expint", "-2", "1", {}},
    };
    for (const Case& c : cases) {
        auto r = qelms::test::call_module({c.routine, c.x, c.ifail}, 2);
        ASSERT_TRUE(r.result.ok) << r.result.error;
        EXPECT_EQ(r.result.results[0]->re[0], 0.0);
        EXPECT_EQ(r.result.results[1]->re[0], 1.0);
        EXPECT_EQ(r.console, c.console) << c.routine << " ifail " << c.ifail;
    }
    int ifail = 0;
    testing::internal::CaptureStdout();
    EXPECT_THROW(qelms::cosint(0.0, ifail), qelms::HardFailure);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " ** ABNORMAL EXIT from QELM Library routine COSINT: IFAIL =     1\n"
              " ** QELM hard failure - execution terminated\n"
              "Stop - Program terminated.\n");
}

TEST(ExponentialIntegrals, ThroughTheModule) {
    auto r = qelms::test::call_module({"sinint", "20", "0"}, 2);
    ASSERT_TRUE(r.result.ok) << r.result.error;
    EXPECT_LE(eps_error(r.result.results[0]->re[0], 1.5482417010434398402), 2.0);
    EXPECT_EQ(r.result.results[1]->re[0], 0.0);
    EXPECT_TRUE(r.console.empty());
}

}  // namespace
