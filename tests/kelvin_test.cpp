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

using qelms::test::eps_error;
using Routine = double (*)(double, int&);

constexpr double pi_4 = 0.7853981633974483;
constexpr double eps = std::numeric_limits<double>::epsilon();

Routine routine_of(const std::string& region) {
    if (region.starts_with("ber")) return qelms::kelber;
    if (region.starts_with("bei")) return qelms::kelbei;
    if (region.starts_with("ker")) return qelms::kelker;
    return qelms::kelkei;
}

// How the error of a region is measured: relative to the value, or against
// the local amplitude |ber + i bei| or |ker + i kei| (ranges with zeros).
enum class Measure { relative, amplitude };

struct Bound {
    Measure measure;
    double max_eps;  // largest error measured, rounded up
};

const std::map<std::string, Bound> bounds = {
    {"ber_tiny", {Measure::relative, 1.1}},
    {"ber_chebyshev", {Measure::amplitude, 0.6}},
    {"ber_asymptotic", {Measure::amplitude, 1.0}},
    {"bei_square", {Measure::relative, 1.5}},
    // relative up to 5, next to bei's zero at 5.026
    {"bei_chebyshev", {Measure::relative, 1.0}},
    {"bei_asymptotic", {Measure::amplitude, 1.0}},
    {"bei_next_to_zero", {Measure::relative, 1.0}},
    {"kei_next_to_zero", {Measure::relative, 0.85}},
    {"ker_leading", {Measure::relative, 0.6}},
    {"ker_square", {Measure::relative, 0.6}},
    {"ker_chebyshev", {Measure::relative, 0.6}},
    {"ker_exponential", {Measure::amplitude, 0.6}},
    {"ker_asymptotic", {Measure::amplitude, 1.0}},
    {"kei_zero", {Measure::relative, 0.0}},
    {"kei_square", {Measure::relative, 1.0}},
    {"kei_chebyshev", {Measure::relative, 0.6}},
    {"kei_exponential", {Measure::relative, 0.75}},
    {"kei_asymptotic", {Measure::amplitude, 1.0}},
};

// Error in epsilons as the region measures it; an amplitude below the least
// normal double (ker, kei near 997) counts as the least normal double.
double error_of(const Bound& bound, double value, double expected, double amplitude) {
    if (bound.measure == Measure::relative) return eps_error(value, expected);
    const double scale = std::max(amplitude, std::numeric_limits<double>::min());
    const double e = std::fabs(value - expected) / scale / eps;
    return e;
}

TEST(Kelvin, ReferenceValuesPerRegion) {
    std::map<std::string, int> seen;
    for (const auto& row : qelms::test::read_reference("kelvin.txt")) {
        ASSERT_TRUE(bounds.contains(row.region)) << row.region;
        const Bound& bound = bounds.at(row.region);
        const double x = row.values[0];
        int ifail = 0;  // any failure would throw
        const double value = routine_of(row.region)(x, ifail);
        EXPECT_EQ(ifail, 0) << row.region << " x=" << x;
        EXPECT_LE(error_of(bound, value, row.values[1], row.values[2]), bound.max_eps)
            << row.region << " x=" << x << " value=" << value;
        ++seen[row.region];
    }
    EXPECT_EQ(seen.size(), bounds.size());
}

struct Case {
    Routine routine;
    double x;
    int ifail;
    double value;
};

TEST(Kelvin, FailuresReturnZero) {
    const double inf = HUGE_VAL;
    const double above = std::nextafter(997.26, inf);
    const Case cases[] = {
        {qelms::kelber, 49.5, 1, 0.0},    {qelms::kelber, -49.5, 1, 0.0}, {qelms::kelber, inf, 1, 0.0},
        {qelms::kelber, -inf, 1, 0.0},    {qelms::kelbei, 49.5, 1, 0.0},  {qelms::kelbei, -49.5, 1, 0.0},
        {qelms::kelbei, -inf, 1, 0.0},    {qelms::kelker, above, 1, 0.0}, {qelms::kelker, inf, 1, 0.0},
        {qelms::kelker, 0.0, 2, 0.0},     {qelms::kelker, -0.0, 2, 0.0},  {qelms::kelker, -1.0, 2, 0.0},
        {qelms::kelker, -inf, 2, 0.0},    {qelms::kelkei, above, 1, 0.0}, {qelms::kelkei, inf, 1, 0.0},
        {qelms::kelkei, -5e-324, 2, 0.0}, {qelms::kelkei, -1.0, 2, 0.0},  {qelms::kelkei, -inf, 2, 0.0},
    };
    for (const Case& c : cases) {
        int ifail = 1;
        EXPECT_EQ(c.routine(c.x, ifail), c.value) << "x = " << c.x;
        EXPECT_EQ(ifail, c.ifail) << "x = " << c.x;
    }
}

TEST(Kelvin, ExactValuesNearZero) {
    const Case cases[] = {
        {qelms::kelber, 0.0, 0, 1.0},       {qelms::kelber, 0.000343, 0, 1.0},  {qelms::kelber, -0.000343, 0, 1.0},
        {qelms::kelbei, 5e-4, 0, 6.25e-08}, {qelms::kelbei, 2.99e-154, 0, 0.0}, {qelms::kelbei, -1e-160, 0, 0.0},
        {qelms::kelkei, 0.0, 0, -pi_4},     {qelms::kelkei, -0.0, 0, -pi_4},    {qelms::kelkei, 2.99e-154, 0, -pi_4},
    };
    for (const Case& c : cases) {
        int ifail = -1;
        EXPECT_EQ(c.routine(c.x, ifail), c.value) << "x = " << c.x;
        EXPECT_EQ(ifail, 0) << "x = " << c.x;
    }
}

TEST(Kelvin, NaNGivesNaN) {
    for (Routine routine : {qelms::kelber, qelms::kelbei, qelms::kelker, qelms::kelkei}) {
        int ifail = 0;
        EXPECT_TRUE(std::isnan(routine(NAN, ifail)));
        EXPECT_EQ(ifail, 0);
    }
}

TEST(Kelvin, FailureMessagesThroughTheModule) {
    struct Message {
        std::vector<std::string> words;
        double ifail;
        std::vector<std::string> console;
    };
    const Message cases[] = {
        {{"kelker", "0", "-1"},
         2,
         {" ** ABNORMAL EXIT from QELM Library routine KELKER: IFAIL =     2",
          " ** QELM soft failure - control returned"}},
        {{"kelber", "-49.5", "-1"},
         1,
         {" ** ABNORMAL EXIT from QELM Library routine KELBER: IFAIL =     1",
          " ** QELM soft failure - control returned"}},
        {{"kelkei", "-1", "-13"}, 2, {}},  // no records of its own
        {{"kelbei", "50", "1"}, 1, {}},
    };
    for (const Message& m : cases) {
        auto r = qelms::test::call_module(m.words, 2);
        ASSERT_TRUE(r.result.ok) << r.result.error;
        EXPECT_EQ(r.result.results[0]->re[0], 0.0) << m.words[0];
        EXPECT_EQ(r.result.results[1]->re[0], m.ifail) << m.words[0];
        EXPECT_EQ(r.console, m.console) << m.words[0];
    }
    int ifail = 0;
    testing::internal::CaptureStdout();
    EXPECT_THROW(qelms::kelkei(1000.0, ifail), qelms::HardFailure);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " ** ABNORMAL EXIT from QELM Library routine KELKEI: IFAIL =     1\n"
              " ** QELM hard failure - execution terminated\n"
              "Stop - Program terminated.\n");
}

TEST(Kelvin, ValuesThroughTheModule) {
    auto r = qelms::test::call_module({"kelbei", "10", "0"}, 2);
    ASSERT_TRUE(r.result.ok) << r.result.error;
    EXPECT_LE(eps_error(r.result.results[0]->re[0], 56.370458553906638233), 1.0);
    EXPECT_EQ(r.result.results[1]->re[0], 0.0);
    EXPECT_TRUE(r.console.empty());
}

}  // namespace
