#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::eps_error;

struct Pair {
    double sine;
    double cosine;
};

// Largest relative error in epsilons per region, as measured on the reference
// data (x and -x) and on a dense sweep of each region, rounded up. Near x = 3
// the power form of S(x)/x^3 cancels (its value is 0.018, its terms sum to 1.04).
const std::map<std::string, Pair> max_eps = {
    {"tiny", {0.5, 0.5}}, {"between", {1.0, 0.5}}, {"poly", {1.0, 1.0}}, {"aux", {0.75, 1.0}}, {"far", {1.0, 1.0}},
};

TEST(Fresnel, MatchesReferenceAndIsOdd) {
    std::map<std::string, Pair> worst;
    for (const auto& row : qelms::test::read_reference("fresnel.txt")) {
        SCOPED_TRACE(testing::Message() << row.region << " x = " << row.values[0]);
        for (const double sign : {1.0, -1.0}) {
            int ifail_s = -1, ifail_c = -1;
            const double s = sign * qelms::fresns(sign * row.values[0], ifail_s);
            const double c = sign * qelms::fresnc(sign * row.values[0], ifail_c);
            EXPECT_EQ(ifail_s, 0);
            EXPECT_EQ(ifail_c, 0);
            Pair& w = worst[row.region];
            w.sine = std::max(w.sine, eps_error(s, row.values[1]));
            w.cosine = std::max(w.cosine, eps_error(c, row.values[2]));
        }
    }
    ASSERT_EQ(worst.size(), max_eps.size());
    for (const auto& [region, w] : worst) {
        std::printf("%-8s max error S %.2f C %.2f eps\n", region.c_str(), w.sine, w.cosine);
        EXPECT_LE(w.sine, max_eps.at(region).sine) << region;
        EXPECT_LE(w.cosine, max_eps.at(region).cosine) << region;
    }
}

// Arguments whose results are exact: zero, S = pi x^3/6 where it is
// subnormal or underflows (C = x there), +-1/2 from 4294967290 on, and NaN.
TEST(Fresnel, ExactResults) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x, s, c;
    } cases[] = {
        {0.0, 0.0, 0.0},           {1e-109, 0.0, 1e-109},  {-1e-109, -0.0, -1e-109},
        {4294967290.0, 0.5, 0.5},  {-4294967290.0, -0.5, -0.5}, {1e300, 0.5, 0.5},
        {inf, 0.5, 0.5},           {-inf, -0.5, -0.5},        {nan, nan, nan},
    };
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    for (const auto& k : cases) {
        int ifail_s = 1, ifail_c = 1;
        EXPECT_TRUE(same(qelms::fresns(k.x, ifail_s), k.s)) << k.x;
        EXPECT_TRUE(same(qelms::fresnc(k.x, ifail_c), k.c)) << k.x;
        EXPECT_EQ(ifail_s + ifail_c, 0);
    }
}

// S(x) = pi x^3/6 for tiny x: normal from 3.4896505e-103 up, subnormal below
// (within a unit of the last subnormal place), never flushed to 0 early.
TEST(Fresnel, TinySineIsNotFlushed) {
    constexpr double subnormal_ulp = 4.9406564584124654e-324;
    const struct {
        double x, s;
    } cases[] = {
        {3.4899999999999997e-103, 2.2257424208860285e-308},  // normal: 0 before
        {3.489650526143414e-103, 2.2250738585072014e-308},
        {-3.4e-103, -2.057952627611554e-308},
        {1e-103, 5.235987755983e-310},
    };
    for (const auto& c : cases) {
        int ifail = 1;
        const double s = qelms::fresns(c.x, ifail);
        EXPECT_EQ(ifail, 0);
        if (std::fabs(c.s) >= std::numeric_limits<double>::min()) {
            EXPECT_LE(eps_error(s, c.s), 1.0) << c.x;
        } else {
            EXPECT_LE(std::fabs(s - c.s), subnormal_ulp) << c.x;
        }
    }
}

TEST(Fresnel, ThroughTheModule) {
    for (const auto& [routine, value] : {std::pair{"fresns", 0.4991913819171169}, {"fresnc", 0.5636311887040122}}) {
        const auto c = qelms::test::call_module({routine, "5", "-1"}, 2);
        ASSERT_TRUE(c.result.ok) << c.result.error;
        EXPECT_LE(eps_error(c.result.results[0]->re[0], value), 1.0) << routine;
        EXPECT_EQ(c.result.results[1]->re[0], 0.0);
        EXPECT_TRUE(c.console.empty());
    }
}

}  // namespace
