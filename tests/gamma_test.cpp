#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::eps_error;
using qelms::test::read_reference;

// Largest relative error (in epsilons) allowed per region, from measurement.
struct RegionBound {
    const char* region;
    double max_eps;
};

// Error relative to max(|value|, floor).
void check_against_reference(const char* file, double (*routine)(double, int&), double floor,
                             std::initializer_list<RegionBound> bounds) {
    std::map<std::string, double> worst;
    for (const auto& row : read_reference(file)) {
        int ifail = -1;
        const double x = row.values[0];
        const double y = routine(x, ifail);
        ASSERT_EQ(ifail, 0) << file << " x = " << x;
        const double expected = row.values[1];
        const double error = std::fabs(expected) >= floor ? eps_error(y, expected)
                                                          : std::fabs(y - expected) / floor / 0x1p-52;
        worst[row.region] = std::max(worst[row.region], error);
    }
    for (const auto& b : bounds) {
        ASSERT_TRUE(worst.count(b.region)) << b.region;
        std::printf("%s %-9s max error %.2f eps\n", file, b.region, worst[b.region]);
        EXPECT_LE(worst[b.region], b.max_eps) << file << " region " << b.region;
    }
}

TEST(Gamma, MatchesReferenceInEveryRegion) {
    check_against_reference("gamma.txt", qelms::gammaf, 0.0,
                            {{"tiny", 1}, {"unit", 0.8}, {"positive", 1}, {"negative", 1}});
}

TEST(Gamma, LogMatchesReferenceInEveryRegion) {
    // relative error, near the zeros at 1 and 2 as well; against the reference rounded to a double,
    // so that a value within half an ulp may show as nearly one
    check_against_reference("lngamm.txt", qelms::lngamm, 0.0,
                            {{"tiny", 1}, {"poly", 0.75}, {"stirling", 0.75}, {"large", 0.75}});
}

struct Case {
    double (*routine)(double, int&);
    double x;
    int ifail;     // expected on exit
    double value;  // expected exactly
};

TEST(Gamma, BoundsAndFailureValues) {
    const double pole = 1.0 / 2.23e-308;
    const Case cases[] = {
        {qelms::gammaf, 170.5, 1, 4.3e304},  {qelms::gammaf, -170.5, 2, 0.0},
        {qelms::gammaf, -170.0, 4, 4.3e304}, {qelms::gammaf, -1.0, 4, 4.3e304},
        {qelms::gammaf, -37.0, 4, 4.3e304},  {qelms::gammaf, 1e-17, 0, 1e17},
        {qelms::gammaf, 2.23e-308, 0, pole}, {qelms::gammaf, 1e-308, 3, pole},
        {qelms::gammaf, -1e-308, 3, -pole},  {qelms::gammaf, 0.0, 3, pole},
        {qelms::gammaf, -0.0, 3, pole},      {qelms::gammaf, 1.0, 0, 1.0},
        // x + 1 rounds to 1 here, yet x is no integer: Gamma(x) = 1/x - 0.577... rounds to 1/x
        {qelms::gammaf, -0x1p-54, 0, -0x1p54}, {qelms::gammaf, -2e-17, 0, 1.0 / -2e-17},
        {qelms::gammaf, 2.0, 0, 1.0},        {qelms::gammaf, HUGE_VAL, 1, 4.3e304},
        {qelms::gammaf, -HUGE_VAL, 2, 0.0},  {qelms::lngamm, 0.0, 1, 0.0},
        {qelms::lngamm, -3.0, 1, 0.0},       {qelms::lngamm, -HUGE_VAL, 1, 0.0},
        {qelms::lngamm, 1e306, 2, 1.79e308}, {qelms::lngamm, HUGE_VAL, 2, 1.79e308},
    };
    for (const Case& c : cases) {
        int ifail = 1;
        EXPECT_EQ(c.routine(c.x, ifail), c.value) << "x = " << c.x;
        EXPECT_EQ(ifail, c.ifail) << "x = " << c.x;
    }
    int ifail = 1;
    EXPECT_LT(qelms::gammaf(170.0, ifail), 4.3e304);
    EXPECT_EQ(ifail, 0);
    double factorial = 1.0;  // Gamma(n) = (n-1)!, exact while it is a double (to 22!)
    for (int n = 1; n <= 23; ++n) {
        EXPECT_EQ(qelms::gammaf(n, ifail), factorial) << "n = " << n;
        factorial *= n;
    }
    EXPECT_EQ(qelms::gammaf(0.5, ifail), 2 * 0.886226925452758);
    EXPECT_EQ(qelms::gammaf(-0.5, ifail), -4 * 0.886226925452758);
    EXPECT_EQ(qelms::lngamm(1e-20, ifail), -std::log(1e-20));
    // the last argument computed (its value, correctly rounded, within 0.4% of the largest double)
    EXPECT_EQ(qelms::lngamm(2.55e305, ifail), 1.7906725941420033e308);
    EXPECT_EQ(ifail, 0);
}

TEST(Gamma, NanGivesNanSilently) {
    for (auto routine : {qelms::gammaf, qelms::lngamm}) {
        int ifail = 0;  // would stop on any failure
        EXPECT_TRUE(std::isnan(routine(std::nan(""), ifail)));
        EXPECT_EQ(ifail, 0);
    }
}

TEST(Gamma, HardFailureThrowsFromPlainCpp) {
    int ifail = 0;
    testing::internal::CaptureStdout();
    try {
        qelms::gammaf(-3.0, ifail);
        ADD_FAILURE() << "no exception";
    } catch (const qelms::HardFailure& e) {
        EXPECT_STREQ(e.what(), "Stop - Program terminated.");
        EXPECT_EQ(e.routine(), "GAMMAF");
        EXPECT_EQ(e.error_number(), 4);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " ** ABNORMAL EXIT from QELM Library routine GAMMAF: IFAIL =     4\n"
              " ** QELM hard failure - execution terminated\n"
              "Stop - Program terminated.\n");
}

}  // namespace
