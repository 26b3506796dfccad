#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using Routine = double (*)(double, int&);

const std::map<std::string, Routine> routines = {
    {"beslj0", qelms::beslj0}, {"beslj1", qelms::beslj1}, {"besly0", qelms::besly0}, {"besly1", qelms::besly1}};

// Error bound in epsilons of |computed - expected| / max(|expected|, local
// amplitude), from measurement: below 8 at most 1.07 (Y1), the smallest Y0
// rounded once (0 on these rows); the Hankel rows up to 1e16 at most 0.92; zeros at most 0.34.
const std::map<std::string, double> bounds = {
    {"beslj0_small", 0.0},      {"beslj0_chebyshev", 0.75}, {"beslj0_hankel", 1.0},     {"beslj0_hankel_far", 0.8},
    {"beslj0_zero", 0.25},      {"beslj1_small", 1.0},      {"beslj1_chebyshev", 1.0},  {"beslj1_hankel", 1.0},
    {"beslj1_hankel_far", 0.9}, {"beslj1_zero", 0.25},      {"besly0_small", 0.5},      {"besly0_chebyshev", 1.0},
    {"besly0_hankel", 1.0},     {"besly0_hankel_far", 1.0}, {"besly0_zero", 0.4},       {"besly1_small", 0.9},
    {"besly1_chebyshev", 1.15}, {"besly1_hankel", 1.0},     {"besly1_hankel_far", 1.0}, {"besly1_zero", 0.2},
};

TEST(BesselJY, ReferenceValuesPerRegion) {
    std::map<std::string, double> worst;
    for (const auto& row : qelms::test::read_reference("bessel_j_y.txt")) {
        const double x = row.values[0];
        const double expected = row.values[1];
        const double scale = std::max({std::fabs(expected), row.values[2], std::numeric_limits<double>::min()});
        ASSERT_TRUE(bounds.contains(row.region)) << row.region;
        int ifail = -1;
        const double value = routines.at(row.region.substr(0, 6))(x, ifail);
        EXPECT_EQ(ifail, 0) << row.region << " x=" << x;
        const double error = std::fabs(value - expected) / scale / std::numeric_limits<double>::epsilon();
        EXPECT_LE(error, bounds.at(row.region)) << row.region << " x=" << x;
        worst[row.region] = std::max(worst[row.region], error);
    }
    for (const auto& [region, e] : worst) std::printf("%-20s max error %.2f eps\n", region.c_str(), e);
    EXPECT_EQ(worst.size(), bounds.size());
}

// Y0 relative to its own value round its first zero 0.8936, where the log
// term and the series cancel (the zero's neighbours in doubles included).
TEST(BesselJY, Y0RelativeNearItsFirstZero) {
    const struct {
        double x, y0;
    } cases[] = {
        {0.75, -0.13717276938577239752},       {0.85, -0.039276027067679344548},
        {0.8935, -6.7688662072515522633e-5},    {0.8935769662791674, -1.2102460161073391176e-16},
        {0.8935769662791675, -2.3389279284062103119e-17}, {0.8935769662791676, 7.4246043042609693392e-17},
        {0.89357697, 3.2721775001444175701e-9}, {0.8938, 1.9611601821035499373e-4},
        {0.95, 0.048090471618148741211},        {1.0, 0.088256964215676957983},
    };
    for (const auto& c : cases) {
        int ifail = 1;
        EXPECT_LE(qelms::test::eps_error(qelms::besly0(c.x, ifail), c.y0), 1.0) << c.x;
    }
}

// Y0 below 3.2e-9 from the exponent of x and a grid of 129 points in [1, 2]:
// both ends of the grid (m = 1 and the double below 2), the rounding between
// neighbouring points, subnormal x, and the last x of that form. The sum is rounded
// once, from parts far more precise: at these points the nearest double to the
// value (mpmath, 50 digits), where a log and a product would miss four by an ulp.
TEST(BesselJY, Y0TinyAcrossItsLogarithmGrid) {
    const struct {
        double x, y0;
    } cases[] = {
        {0x1p-40, -17.724652307320814697},       {0x1.fffffffffffffp-41, -17.724652307320814768},
        {0x1.01p-40, -17.722170355746855879},    {0x1.ffp-40, -17.284625720847651331},
        {0x1.81p-1000, -441.08522178653118936},  {1e-310, -454.49387560035388851},
        {0x0.0000000000003p-1022, -473.29967511787219028}, {3e-9, -12.56724676980626698},
    };
    for (const auto& c : cases) {
        int ifail = 1;
        EXPECT_EQ(qelms::besly0(c.x, ifail), c.y0) << c.x;
        EXPECT_EQ(ifail, 0);
    }
}

TEST(BesselJY, ExactValuesAndBounds) {
    struct Case {
        const char* routine;
        double x;
        double expected;
    };
    const Case cases[] = {
        {"beslj0", 0.0, 1.0},
        {"beslj0", -3.2e-9, 1.0},
        {"beslj1", 1e-9, 5e-10},
        {"beslj1", -3.2e-9, -1.6e-9},
        {"besly0", 1e-9, -13.266645074938387},  // (2/pi)(ln(x/2) + gamma), correctly rounded
        {"besly1", 1e-10, -6366197723.675814},
        {"besly1", 7.9e-10, -0.6366197723675814 / 7.9e-10},
        {"besly1", std::nextafter(2.23e-308, 1.0), -0.6366197723675814 / std::nextafter(2.23e-308, 1.0)},
    };
    for (const Case& c : cases) {
        int ifail = 5;
        EXPECT_EQ(routines.at(c.routine)(c.x, ifail), c.expected) << c.routine << " x=" << c.x;
        EXPECT_EQ(ifail, 0);
    }
}

TEST(BesselJY, SymmetryInEveryRegion) {
    for (double x : {1e-300, 3.2e-9, 1e-3, 2.5, 8.0, 8.5, 12.0, 1e3, 1e16}) {
        int ifail = 1;
        EXPECT_EQ(qelms::beslj0(-x, ifail), qelms::beslj0(x, ifail)) << x;
        EXPECT_EQ(qelms::beslj1(-x, ifail), -qelms::beslj1(x, ifail)) << x;
    }
}

TEST(BesselJY, FailuresAndTheirValues) {
    const double big_amplitude = std::sqrt(0.6366197723675814 / 1e17);
    struct Case {
        const char* routine;
        double x;
        int ifail;
        double value;
    };
    const Case cases[] = {
        {"beslj0", 1e17, 1, big_amplitude},
        {"beslj0", -1e17, 1, big_amplitude},
        {"beslj0", INFINITY, 1, 0.0},
        {"beslj1", 1e17, 1, big_amplitude},
        {"beslj1", -1e17, 1, big_amplitude},
        {"besly0", 1e17, 1, big_amplitude},
        {"besly0", 0.0, 2, 0.0},
        {"besly0", -1.0, 2, 0.0},
        {"besly0", -INFINITY, 2, 0.0},
        {"besly1", 1e17, 1, big_amplitude},
        {"besly1", 0.0, 2, 0.0},
        {"besly1", -1.0, 2, 0.0},
        {"besly1", 2.23e-308, 3, -2.8547971855048493e+307},
        {"besly1", 1e-309, 3, -2.8547971855048493e+307},
        {"besly1", 5e-324, 3, -2.8547971855048493e+307},
    };
    for (const Case& c : cases) {
        int ifail = 1;
        EXPECT_EQ(routines.at(c.routine)(c.x, ifail), c.value) << c.routine << " x=" << c.x;
        EXPECT_EQ(ifail, c.ifail) << c.routine << " x=" << c.x;
    }
    int ifail = 0;
    EXPECT_THROW(qelms::besly0(-2.0, ifail), qelms::HardFailure);
}

TEST(BesselJY, NaNGivesNaN) {
    for (const auto& [name, routine] : routines) {
        int ifail = -1;
        EXPECT_TRUE(std::isnan(routine(NAN, ifail))) << name;
        EXPECT_EQ(ifail, 0) << name;
    }
}

TEST(BesselJY, ThroughTheModule) {
    auto ok = qelms::test::call_module({"beslj0", "8.5", "-1"}, 2);
    ASSERT_TRUE(ok.result.ok) << ok.result.error;
    EXPECT_LE(qelms::test::eps_error(ok.result.results[0]->re[0], 0.041939251842934497), 8.0);
    EXPECT_EQ(ok.result.results[1]->re[0], 0.0);
    EXPECT_TRUE(ok.console.empty());

    auto failed = qelms::test::call_module({"besly1", "2.23e-308", "-1"}, 2);
    ASSERT_TRUE(failed.result.ok) << failed.result.error;
    EXPECT_EQ(failed.result.results[0]->re[0], -2.8547971855048493e+307);
    EXPECT_EQ(failed.result.results[1]->re[0], 3.0);
    EXPECT_EQ(failed.console, (std::vector<std::string>{
                                  " ** ABNORMAL EXIT from QELM Library routine BESLY1: IFAIL =     3",
                                  " ** QELM soft failure - control returned",
                              }));
}

}  // namespace
