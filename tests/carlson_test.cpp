// Carlson's elliptic integrals: termination on every combination of special
// arguments, values against mpmath per region, failures, range limits and
// infinities, and the printed lines of every failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <future>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using qelms::test::call_module;
using qelms::test::eps_error;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Calls the routine of `name` ("ellprj", or a region label such as "rj_wide")
// with the first 2, 3 or 4 values of `a`.
double evaluate(const std::string& name, const std::vector<double>& a, int& ifail) {
    const std::string kind = name.starts_with("ell") ? name.substr(4, 2) : name.substr(0, 2);
    if (kind == "rc") return qelms::ellprc(a[0], a[1], ifail);
    if (kind == "rf") return qelms::ellprf(a[0], a[1], a[2], ifail);
    if (kind == "rd") return qelms::ellprd(a[0], a[1], a[2], ifail);
    return qelms::ellprj(a[0], a[1], a[2], a[3], ifail);
}

int arity(const std::string& name) { return name.find("rc") != name.npos ? 2 : name.find("rj") != name.npos ? 4 : 3; }

// Every combination returns NaN for a NaN argument, 0 with a failure number, or
// a finite value. The sweep runs on its own thread, so that a call that never
// returns fails the test (naming the call) instead of stalling the suite.
TEST(Carlson, EveryCombinationOfSpecialArgumentsReturns) {
    const std::vector<double> specials = {nan, inf, -inf, 0.0, -0.0, DBL_MAX, -DBL_MAX, DBL_TRUE_MIN, -DBL_TRUE_MIN,
                                          DBL_MIN, 1.0, -1.0};
    struct Progress {
        std::string call;  // read only once the sweep has overrun
        std::vector<std::string> faults;
        std::promise<void> done;
    };
    auto progress = std::make_shared<Progress>();
    std::future<void> done = progress->done.get_future();
    std::thread([progress, specials] {
        for (const std::string routine : {"ellprc", "ellprf", "ellprd", "ellprj"}) {
            const std::size_t k = specials.size(), n = arity(routine);
            for (std::size_t m = 0; m < static_cast<std::size_t>(std::pow(k, n)); ++m) {
                std::vector<double> args;
                for (std::size_t rest = m; args.size() < n; rest /= k) args.push_back(specials[rest % k]);
                const bool any_nan = std::any_of(args.begin(), args.end(), [](double a) { return std::isnan(a); });
                progress->call = routine + ::testing::PrintToString(args);
                int ifail = 1;
                const double value = evaluate(routine, args, ifail);
                if (any_nan ? !(std::isnan(value) && ifail == 0) : ifail != 0 ? value != 0.0 : !std::isfinite(value))
                    progress->faults.push_back(progress->call + " gave " + std::to_string(value) + ", ifail " +
                                               std::to_string(ifail));
            }
        }
        progress->done.set_value();
    }).detach();
    if (done.wait_for(std::chrono::seconds(60)) != std::future_status::ready)
        FAIL() << "no return within 60 s from " << progress->call;
    for (const std::string& fault : progress->faults) ADD_FAILURE() << fault;
}

// Largest error in epsilons measured against the reference data, per region.
// A principal value of RJ is a difference of terms that can nearly cancel, so
// there the error is relative to a value that may lie far below those terms.
const std::map<std::string, double> max_eps = {
    {"rc_positive", 1.0},      {"rc_principal", 1.0},    {"rc_principal_overflow", 1.0},
    {"rc_small", 1.5},         {"rc_large", 1.0},         {"rc_large_small_x", 1.0},
    {"rc_large_small_y", 1.5}, {"rf_plain", 1.0},         {"rf_small", 1.0},
    {"rf_large", 1.0},         {"rf_large_small_x", 1.0}, {"rf_large_small_xy", 1.0},
    {"rd_plain", 2.0},         {"rd_wide", 1.5},         {"rj_plain", 2.25},
    {"rj_principal", 2.5},     {"rj_wide", 1.75},          {"rj_wide_principal", 2.25},
    {"rj_far", 2.0},
};

TEST(Carlson, ReferenceValuesPerRegion) {
    std::map<std::string, int> seen;
    for (const auto& row : qelms::test::read_reference("carlson.txt")) {
        const int n = arity(row.region);
        ASSERT_EQ(row.values.size(), static_cast<std::size_t>(n + 1)) << row.region;
        ASSERT_TRUE(max_eps.contains(row.region)) << row.region;
        ++seen[row.region];
        int ifail = -1;
        const double value = evaluate(row.region, row.values, ifail);
        EXPECT_EQ(ifail, 0) << row.region;
        EXPECT_LE(eps_error(value, row.values[n]), max_eps.at(row.region))
            << row.region << ::testing::PrintToString(row.values);
    }
    EXPECT_EQ(seen.size(), max_eps.size());
}

// Called with ifail = 1. Failures return +0; `value` nan stands for "finite, not 0".
TEST(Carlson, FailuresLimitsAndInfinities) {
    constexpr double rd_lolim = 1.5784619150726886e-205;  // 2 safe_min^0.66667
    constexpr double rd_uplim = 3.0825040027317184e+202;  // (1.2e-4/safe_min)^0.66667
    constexpr double rj_lolim = 2.8192936899649487e-103;  // safe_min^0.33333
    constexpr double rj_uplim = 1.4046071234420537e+102;  // 0.396 (1/safe_min)^0.33333
    const auto down = [](double x) { return std::nextafter(x, 0.0); };
    const auto up = [](double x) { return std::nextafter(x, inf); };
    struct Case {
        std::string routine;
        std::vector<double> args;
        int ifail;
        double value;
    };
    const Case cases[] = {
        {"ellprc", {-1.0, 0.0}, 1, 0.0},  // x is tested before y
        {"ellprc", {-1e-300, 1.0}, 1, 0.0},      {"ellprc", {1.0, -0.0}, 2, 0.0},
        {"ellprc", {-inf, 1.0}, 1, 0.0},         {"ellprc", {inf, 1.0}, 0, 0.0},  // RC -> 0 as an argument grows
        {"ellprc", {1.0, inf}, 0, 0.0},          {"ellprc", {1.0, -inf}, 0, 0.0},
        {"ellprc", {inf, -2.0}, 0, 0.0},         {"ellprc", {-0.0, -2.0}, 0, 0.0},
        {"ellprf", {-1.0, 0.0, 0.0}, 1, 0.0},  // a negative argument outranks two zeros
        {"ellprf", {1.0, 2.0, -1e-300}, 1, 0.0}, {"ellprf", {0.0, 3.0, -0.0}, 2, 0.0},
        {"ellprf", {0.0, 0.0, 0.0}, 2, 0.0},     {"ellprf", {0.0, 0.0, inf}, 2, 0.0},
        {"ellprf", {1.0, 2.0, inf}, 0, 0.0},     {"ellprf", {inf, inf, 0.0}, 0, 0.0},
        {"ellprd", {0.0, 0.0, 1.0}, 1, 0.0},     {"ellprd", {-1.0, 1.0, 0.0}, 1, 0.0},
        {"ellprd", {1.0, 1.0, 0.0}, 2, 0.0},     {"ellprd", {1.0, 1.0, -1.0}, 2, 0.0},
        {"ellprd", {rd_lolim, 0.0, 1.0}, 0, nan}, {"ellprd", {down(rd_lolim), 0.0, 1.0}, 3, 0.0},
        {"ellprd", {1.0, 1.0, down(rd_lolim)}, 3, 0.0},
        {"ellprd", {1.0, down(rd_uplim), 1.0}, 0, nan}, {"ellprd", {1.0, rd_uplim, 1.0}, 4, 0.0},
        {"ellprd", {1.0, 1.0, inf}, 4, 0.0},     {"ellprd", {-inf, 1.0, 1.0}, 1, 0.0},
        {"ellprj", {1.0, -2.0, 3.0, 4.0}, 1, 0.0},
        {"ellprj", {0.0, 0.0, 3.0, 0.0}, 1, 0.0},  // two zeros outrank r = 0
        {"ellprj", {3.0, -0.0, 0.0, 1.0}, 1, 0.0}, {"ellprj", {1.0, 2.0, 3.0, 0.0}, 2, 0.0},
        {"ellprj", {0.0, rj_lolim, 1.0, -rj_lolim}, 0, nan},
        {"ellprj", {0.0, down(rj_lolim), 1.0, 1.0}, 3, 0.0},
        {"ellprj", {1.0, 1.0, 1.0, -down(rj_lolim)}, 3, 0.0},
        {"ellprj", {1.0, 1.0, 1.0, rj_uplim}, 0, nan}, {"ellprj", {1.0, 1.0, 1.0, -up(rj_uplim)}, 4, 0.0},
        {"ellprj", {up(rj_uplim), 1.0, 1.0, 1.0}, 4, 0.0}, {"ellprj", {1.0, 1.0, 1.0, -inf}, 4, 0.0},
        {"ellprj", {1.0, inf, 1.0, 1.0}, 4, 0.0},
    };
    for (const Case& c : cases) {
        int ifail = 1;
        const double value = evaluate(c.routine, c.args, ifail);
        const std::string where = c.routine + ::testing::PrintToString(c.args);
        EXPECT_EQ(ifail, c.ifail) << where;
        if (std::isnan(c.value)) {
            EXPECT_TRUE(std::isfinite(value) && value != 0.0) << where;
        } else {
            EXPECT_EQ(value, c.value) << where;
            EXPECT_FALSE(std::signbit(value)) << where;
        }
    }
}

// The records each failure prints ahead of the ABNORMAL EXIT line.
struct PrintedFailure {
    std::vector<std::string> words;
    int ifail;
    std::vector<std::string> records;
};
const PrintedFailure printed_failures[] = {
    {{"ellprc", "-1", "0"}, 1, {" ** On entry, X is less than zero: X = -1.00000D+00"}},
    {{"ellprc", "2", "0"}, 2, {" ** On entry, Y is equal to zero"}},
    {{"ellprf", "-1", "0", "2.5"}, 1,
     {" ** On entry, at least one of X, Y and Z is negative:", "    X = -1.00000D+00, Y =  0.00000D+00, Z =  2.50000D+00"}},
    {{"ellprf", "0", "3", "0"}, 2,
     {" ** On entry, two or more of X, Y and Z are zero:", "    X =  0.00000D+00, Y =  3.00000D+00, Z =  0.00000D+00"}},
    {{"ellprd", "0", "0", "1"}, 1, {" ** On entry, X or Y is less than zero:X =  0.00000D+00, Y =  0.00000D+00"}},
    {{"ellprd", "1", "2", "-0.5"}, 2, {" ** On entry, Z is .le. zero:Z = -5.00000D-01"}},
    {{"ellprd", "1e-210", "0", "1"}, 3,
     {" ** On entry, either (X+Y) or Z is less than   1.57846-205:",
      "    X =  1.00000-210, Y =  0.00000D+00, Z =  1.00000D+00", "    There is a danger of overflow"}},
    {{"ellprd", "1", "2", "4e202"}, 4,
     {" ** On entry, at least one of X, Y and Z is greater than   3.08250+202:",
      "    X =  1.00000D+00, Y =  2.00000D+00, Z =  4.00000+202", "    There is a danger of underflow"}},
    {{"ellprj", "1", "-2", "3", "4"}, 1,
     {" ** On entry, one of X, Y or Z is less than zero:", "    X =  1.00000D+00, Y = -2.00000D+00, Z =  3.00000D+00"}},
    {{"ellprj", "0", "0", "3", "4"}, 1,
     {" ** On entry, more than one of X, Y and Z are equal to zero:",
      "    X =  0.00000D+00, Y =  0.00000D+00, Z =  3.00000D+00"}},
    {{"ellprj", "1", "2", "3", "0"}, 2, {" ** On entry, R is equal to zero"}},
    {{"ellprj", "1", "2", "3", "-1e-104"}, 3,
     {" ** On entry, either abs(R), or the sum of any two of X, Y and Z, is less",
      "    than   2.81929-103. There is a danger of overflow.",
      "    R = -1.00000-104, X =  1.00000D+00, Y =  2.00000D+00, Z =  3.00000D+00"}},
    {{"ellprj", "1", "2", "3", "-1.5e102"}, 4,
     {" ** On entry, at least one of abs(R), X, Y and Z is greater than  1.40461+102 :",
      "    R = -1.50000+102, X =  1.00000D+00, Y =  2.00000D+00, Z =  3.00000D+00"}},
};

// Through the module: ifail -1 prints and returns, 1 is silent, 0 prints and stops.
TEST(Carlson, FailureLinesThroughTheModule) {
    for (const PrintedFailure& f : printed_failures) {
        auto words = f.words;
        words.push_back("-1");
        const auto soft = call_module(words, 2);
        ASSERT_TRUE(soft.result.ok) << soft.result.error;
        EXPECT_EQ(soft.result.results[0]->re[0], 0.0) << words[0];
        EXPECT_EQ(soft.result.results[1]->re[0], f.ifail) << words[0];
        std::string name = words[0];
        for (char& ch : name) ch = static_cast<char>(std::toupper(ch));
        auto expected = f.records;
        expected.push_back(" ** ABNORMAL EXIT from QELM Library routine " + name + ": IFAIL =     " + std::to_string(f.ifail));
        expected.push_back(" ** QELM soft failure - control returned");
        EXPECT_EQ(soft.console, expected);

        words.back() = "1";
        const auto silent = call_module(words, 2);
        ASSERT_TRUE(silent.result.ok) << silent.result.error;
        EXPECT_EQ(silent.result.results[1]->re[0], f.ifail) << words[0];
        EXPECT_TRUE(silent.console.empty() && silent.standard_output.empty()) << words[0];

        words.back() = "0";
        const auto hard = call_module(words, 2);
        EXPECT_EQ(hard.result.error, "Stop - Program terminated.") << words[0];
        expected.back() = " ** QELM hard failure - execution terminated";
        EXPECT_EQ(hard.console, expected);
        EXPECT_EQ(hard.standard_output, "Stop - Program terminated.\n");
    }
}

TEST(Carlson, PrincipalValueThroughTheModule) {
    const auto out = call_module({"ellprj", "2", "3", "4", "-0.5", "-1"}, 2);
    ASSERT_TRUE(out.result.ok) << out.result.error;
    EXPECT_LE(eps_error(out.result.results[0]->re[0], 0.24723819703051564902), 2.0);  // mpmath
    EXPECT_EQ(out.result.results[1]->re[0], 0.0);
    EXPECT_TRUE(out.console.empty());
}

}  // namespace
