#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <map>
#include <string>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::eps_error;
using Routine = double (*)(double, int&);

const std::map<std::string, Routine> routines = {
    {"besli0", qelms::besli0}, {"besli1", qelms::besli1}, {"beslk0", qelms::beslk0}, {"beslk1", qelms::beslk1}};

// Largest error measured against the reference data, in epsilons, with a
// little room.
const std::map<std::string, double> max_eps = {
    {"besli0.large", 1.5},  {"besli0.medium", 1.0}, {"besli0.small", 1.05}, {"besli0.tiny", 0.0},
    {"besli1.large", 1.1},  {"besli1.medium", 1.05}, {"besli1.small", 1.05},  {"besli1.tiny", 1.0},
    {"beslk0.large", 1.1},  {"beslk0.2_4", 1.0},    {"beslk0.1_2", 1.0},    {"beslk0.log", 1.0},
    {"beslk0.tiny", 1.0},   {"beslk1.large", 1.15}, {"beslk1.2_4", 0.9},    {"beslk1.1_2", 0.7},
    {"beslk1.log", 1.0},    {"beslk1.tiny", 0.0},
};

TEST(BesselIK, ReferenceValuesPerRegionAndSymmetry) {
    std::map<std::string, int> seen;
    for (const auto& row : qelms::test::read_reference("bessel_i_k.txt")) {
        const double x = row.values[0];
        ASSERT_TRUE(max_eps.contains(row.region)) << row.region;
        const double bound = max_eps.at(row.region);
        const Routine routine = routines.at(row.region.substr(0, 6));
        int ifail = -1;
        const double value = routine(x, ifail);
        EXPECT_EQ(ifail, 0) << row.region << " x=" << x;
        EXPECT_LE(eps_error(value, row.values[1]), bound)
            << row.region << " x=" << x;
        // I0 is even and I1 odd, to the last bit.
        const double sign = routine == qelms::besli1 ? -1.0 : 1.0;
        if (row.region.starts_with("besli")) {
            EXPECT_EQ(routine(-x, ifail), sign * value) << x;
        }
        ++seen[row.region];
    }
    EXPECT_EQ(seen.size(), max_eps.size());
}

TEST(BesselIK, ExactValuesAndFailures) {
    struct Case {
        const char* routine;
        double x;
        int ifail;
        double value;
    };
    const Case cases[] = {
        {"besli0", 0.0, 0, 1.0},          {"besli0", 3.2e-9, 0, 1.0},         {"besli1", 1e-9, 0, 5e-10},
        {"besli1", -3.2e-9, 0, -1.6e-9},  {"beslk1", 1e-10, 0, 1e10},          {"beslk1", 7.9e-10, 0, 1.0 / 7.9e-10},
        {"beslk0", 705.1, 0, 0.0},        {"beslk1", 705.1, 0, 0.0},           {"beslk0", INFINITY, 0, 0.0},
        {"besli0", 712.0, 1, 4.5e307},    {"besli0", std::nextafter(711.6, 800.0), 1, 4.5e307},
        {"besli0", -INFINITY, 1, 4.5e307}, {"besli1", -712.0, 1, 4.5e307},     {"besli1", INFINITY, 1, 4.5e307},
        {"beslk0", 0.0, 1, 0.0},          {"beslk0", -0.0, 1, 0.0},            {"beslk0", -1.0, 1, 0.0},
        {"beslk1", -1e-300, 1, 0.0},      {"beslk1", 2.23e-308, 2, 4.4843049327354256e+307},
        {"beslk1", 5e-324, 2, 4.4843049327354256e+307},
    };
    for (const Case& c : cases) {
        int ifail = c.ifail == 0 ? -1 : 1;  // failures are silent with 1
        EXPECT_EQ(routines.at(c.routine)(c.x, ifail), c.value) << c.routine << " x=" << c.x;
        EXPECT_EQ(ifail, c.ifail) << c.routine << " x=" << c.x;
    }
    for (const auto& [name, routine] : routines) {
        int ifail = 0;
        EXPECT_TRUE(std::isnan(routine(NAN, ifail))) << name;
        EXPECT_EQ(ifail, 0);
    }
}

TEST(BesselIK, FailureMessagesThroughTheModule) {
    struct Failure {
        const char* routine;
        const char* x;
        int number;
    };
    const Failure failures[] = {
        {"besli0", "712", 1}, {"besli1", "-712", 1}, {"beslk0", "0", 1}, {"beslk1", "-1", 1}, {"beslk1", "2.23e-308", 2}};
    for (const auto& [name, x, number] : failures) {
        auto c = qelms::test::call_module({name, x, "-1"}, 2);
        ASSERT_TRUE(c.result.ok) << c.result.error;
        EXPECT_EQ(c.result.results[1]->re[0], number) << name;
        std::string upper(name);
        for (char& ch : upper) ch = static_cast<char>(std::toupper(ch));
        ASSERT_EQ(c.console.size(), 2u) << name;
        EXPECT_EQ(c.console[0], " ** ABNORMAL EXIT from QELM Library routine " + upper + ": IFAIL =     " +
                                    std::to_string(number));
        EXPECT_EQ(c.console[1], " ** QELM soft failure - control returned");
    }
    auto ok = qelms::test::call_module({"besli0", "4", "0"}, 2);
    ASSERT_TRUE(ok.result.ok) << ok.result.error;
    EXPECT_LE(eps_error(ok.result.results[0]->re[0], 11.301921952136330497), 2.0);
    EXPECT_EQ(ok.result.results[1]->re[0], 0.0);
    auto hard = qelms::test::call_module({"beslk1", "0", "0"}, 2);
    EXPECT_FALSE(hard.result.ok);
    EXPECT_EQ(hard.standard_output, "Stop - Program terminated.\n");
}

}  // namespace
