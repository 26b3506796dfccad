#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using Routine = double (*)(double, int&);

const std::map<std::string, Routine> routines = {
    {"airyai", qelms::airyai}, {"airybi", qelms::airybi}, {"airyad", qelms::airyad}, {"airybd", qelms::airybd}};

// Error bounds in epsilons of the reference's scale (|value| for x > 0, the
// local amplitude for x < 0), from the largest errors measured over the
// reference data, which reaches the failure bounds -5.6e10 and 104.1.
const std::map<std::string, double> max_eps = {
    {"airyai/zero", 1}, {"airyai/oscillatory", 1.25}, {"airyai/near_zero", 0.75},
    {"airyai/interval0", 1.25}, {"airyai/interval1", 1.25}, {"airyai/exponential", 1.25},
    {"airybi/zero", 1}, {"airybi/oscillatory", 1}, {"airybi/near_zero", 0.75},
    {"airybi/interval0", 1.25}, {"airybi/interval1", 1.25}, {"airybi/exponential", 1.25},
    {"airyad/zero", 0.5}, {"airyad/oscillatory", 1}, {"airyad/near_zero", 0.75},
    {"airyad/interval0", 1.25}, {"airyad/interval1", 1.25}, {"airyad/exponential", 1.25},
    {"airybd/zero", 0.5}, {"airybd/oscillatory", 1}, {"airybd/near_zero", 0.75},
    {"airybd/interval0", 1.25}, {"airybd/interval1", 1.25}, {"airybd/exponential", 1.25},
};

TEST(Airy, ReferenceValuesPerRegion) {
    std::map<std::string, double> worst;
    for (const auto& row : qelms::test::read_reference("airy.txt")) {
        ASSERT_TRUE(max_eps.contains(row.region)) << row.region;
        const double x = row.values[0];
        int ifail = -1;
        const double value = routines.at(row.region.substr(0, 6))(x, ifail);
        EXPECT_EQ(ifail, 0) << row.region << " x=" << x;
        double error = std::fabs(value - row.values[1]) / row.values[2] / std::numeric_limits<double>::epsilon();
        worst[row.region] = std::max(worst[row.region], error);
        EXPECT_LE(error, max_eps.at(row.region)) << row.region << " x=" << x << " value=" << value;
    }
    for (const auto& [region, e] : worst) std::printf("%-20s max error %.2f eps\n", region.c_str(), e);
    EXPECT_EQ(worst.size(), max_eps.size());
}

TEST(Airy, StoredValuesAtZero) {
    const double expected[] = {0.3550280538878172, 0.6149266274460007, -0.2588194037928068, 0.4482883573538264};
    const Routine in_order[] = {qelms::airyai, qelms::airybi, qelms::airyad, qelms::airybd};
    for (int k = 0; k < 4; ++k) {
        for (const double x : {0.0, -0.0, 1e-16, -2e-16, 2.2e-16, -2.2e-16}) {
            int ifail = -1;
            EXPECT_EQ(in_order[k](x, ifail), expected[k]) << k << " x=" << x;
            EXPECT_EQ(ifail, 0);
        }
    }
}

// Each failure bound is computed; the next double beyond it fails and returns 0.
TEST(Airy, FailureBounds) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* routine;
        double x;
        int ifail;
    };
    const std::vector<Case> cases = {
        {"airyai", 103.8, 0}, {"airyai", std::nextafter(103.8, inf), 1}, {"airyai", 103.9, 1},
        {"airyai", inf, 1}, {"airyai", -5.6e10, 0}, {"airyai", std::nextafter(-5.6e10, -inf), 2},
        {"airyai", -6e10, 2}, {"airyai", -2e9, 0}, {"airyai", -inf, 2},
        {"airybi", 104.1, 0}, {"airybi", std::nextafter(104.1, inf), 1}, {"airybi", 104.2, 1},
        {"airybi", 103.9, 0}, {"airybi", -5.6e10, 0}, {"airybi", std::nextafter(-5.6e10, -inf), 2},
        {"airybi", -2e9, 0},
        {"airyad", 104.1, 0}, {"airyad", std::nextafter(104.1, inf), 1}, {"airyad", 104.2, 1},
        {"airyad", -1.8e9, 0}, {"airyad", std::nextafter(-1.8e9, -inf), 2}, {"airyad", -2e9, 2},
        {"airyad", -inf, 2},
        {"airybd", 104.1, 0}, {"airybd", std::nextafter(104.1, inf), 1}, {"airybd", inf, 1},
        {"airybd", -1.8e9, 0}, {"airybd", std::nextafter(-1.8e9, -inf), 2}, {"airybd", -6e10, 2},
    };
    for (const auto& c : cases) {
        int ifail = 1;
        const double value = routines.at(c.routine)(c.x, ifail);
        EXPECT_EQ(ifail, c.ifail) << c.routine << " x=" << c.x;
        if (c.ifail != 0) {
            EXPECT_EQ(value, 0.0) << c.routine << " x=" << c.x;
        } else {
            EXPECT_TRUE(std::isfinite(value) && value != 0.0) << c.routine << " x=" << c.x;
        }
    }
    for (const auto& [name, routine] : routines) {
        int ifail = 0;
        EXPECT_TRUE(std::isnan(routine(nan, ifail))) << name;
        EXPECT_EQ(ifail, 0) << name;
    }
}

TEST(Airy, ThroughTheModule) {
    auto ok = qelms::test::call_module({"airybi", "1", "0"}, 2);
    ASSERT_TRUE(ok.result.ok) << ok.result.error;
    EXPECT_LE(qelms::test::eps_error(ok.result.results[0]->re[0], 1.2074235949528712617), 2);
    EXPECT_EQ(ok.result.results[1]->re[0], 0.0);
    EXPECT_TRUE(ok.console.empty());

    auto failed = qelms::test::call_module({"airyad", "104.2", "-1"}, 2);
    ASSERT_TRUE(failed.result.ok) << failed.result.error;
    EXPECT_EQ(failed.result.results[0]->re[0], 0.0);
    EXPECT_EQ(failed.result.results[1]->re[0], 1.0);
    EXPECT_EQ(failed.console, (std::vector<std::string>{
                                  " ** ABNORMAL EXIT from QELM Library routine AIRYAD: IFAIL =     1",
                                  " ** QELM soft failure - control returned"}));

    auto silent = qelms::test::call_module({"airybd", "-2e9", "1"}, 2);
    ASSERT_TRUE(silent.result.ok) << silent.result.error;
    EXPECT_EQ(silent.result.results[1]->re[0], 2.0);
    EXPECT_TRUE(silent.console.empty());
}

}  // namespace
