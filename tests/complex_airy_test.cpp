// Ai, Ai', Bi and Bi' of complex argument: failures, underflow, special
// arguments, accuracy against mpmath and agreement with the real-argument routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using Complex = std::complex<double>;
using qelms::test::call_module;
constexpr double eps = 2.220446049250313e-16;

// One call: value, nz (zairya only) and ifail.
struct Airy {
    Complex value;
    int nz = 0;
    int ifail = 0;
};
Airy airy(const std::string& function, Complex z, char scale, int ifail = 1) {
    Airy r;
    r.ifail = ifail;
    const char deriv = function.back() == 'd' ? 'D' : 'F';
    if (function[0] == 'a')
        qelms::zairya(deriv, z, scale, r.value, r.nz, r.ifail);
    else
        qelms::zairyb(deriv, z, scale, r.value, r.ifail);
    return r;
}

TEST(ComplexAiry, FailuresWithTheirMessages) {
    struct Case {
        std::vector<std::string> words;  // without ifail
        int number;
        std::string record;
    };
    const Case cases[] = {
        {{"zairya", "1", "'G'", "'Q'"}, 1, " ** On entry, DERIV has illegal value: DERIV = 'G'"},
        {{"zairyb", "1", "'d'", "'Q'"}, 1, " ** On entry, SCALE has illegal value: SCALE = 'Q'"},
        {{"zairya", "2e6i", "'F'", "'S'"}, 4, " ** No computation because abs(Z) =  2.00000D+06 .GT.  1.04858D+06"},
        {{"zairyb", "-Inf", "'F'", "'S'"}, 4, " ** No computation because abs(Z) =     Infinity .GT.  1.04858D+06"},
        {{"zairya", "-55+95.26279441628825i", "'F'", "'U'"}, 2,
         " ** No computation because real(ZTA) too large, where ZTA = (2/3)*Z**(3/2)."},
        {{"zairyb", "110", "'D'", "'U'"}, 2, " ** No computation because real(Z) =  1.10000D+02 is too large when SCALE = 'U'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.words));
        std::vector<std::string> words = c.words;
        words.push_back("-1");
        const auto out = call_module(words, c.words[0] == "zairya" ? 3 : 2);
        ASSERT_TRUE(out.result.ok) << out.result.error;
        ASSERT_EQ(out.console.size(), 3u);
        EXPECT_EQ(out.console[0], c.record);
        EXPECT_EQ(out.result.results.back()->re[0], c.number);
        EXPECT_EQ(out.result.results[0]->re[0], 0.0);
        EXPECT_EQ(out.result.results[0]->im[0], 0.0);
    }
    const auto warning = call_module({"zairyb", "2000i", "'F'", "'S'", "-1"}, 2);
    ASSERT_FALSE(warning.console.empty());
    EXPECT_EQ(warning.console[0], " ** Results lack precision because abs(Z) =  2.00000D+03 .GT.  1.02400D+03");
    EXPECT_EQ(warning.result.results[1]->re[0], 3);
    EXPECT_NE(warning.result.results[0]->re[0], 0.0);
}

TEST(ComplexAiry, SpecialArguments) {
    EXPECT_EQ(airy("ai", 0.0, 'U').value, Complex(0.3550280538878172, 0.0));
    EXPECT_EQ(airy("aid", 0.0, 'S').value, Complex(-0.2588194037928068, 0.0));
    EXPECT_EQ(airy("bi", 0.0, 'U').value, Complex(0.6149266274460007, 0.0));
    EXPECT_EQ(airy("bid", 0.0, 'S').value, Complex(0.4482883573538264, 0.0));
    // Ai underflows unscaled with nz 1 and no failure; scaled it is finite
    const Airy under = airy("ai", 110.0, 'U', -1);
    EXPECT_EQ(under.ifail, 0);
    EXPECT_EQ(under.nz, 1);
    EXPECT_EQ(under.value, 0.0);
    const Airy scaled = airy("ai", 110.0, 'S', -1);
    EXPECT_EQ(scaled.nz, 0);
    EXPECT_NEAR(scaled.value.real(), 0.5 / std::sqrt(M_PI) / std::pow(110.0, 0.25), 1e-4);
    // beyond alim, a tiny imaginary part does not make the unscaled value underflow
    for (const Complex z : {Complex(101.0, 1e-14), Complex(-50.5, 87.46856578222831)}) {
        const Airy off_axis = airy("ai", z, 'U', -1), scaled_value = airy("ai", z, 'S', -1);
        EXPECT_EQ(off_axis.ifail, 0);
        EXPECT_EQ(off_axis.nz, 0);
        const Complex zeta = 2.0 / 3.0 * z * std::sqrt(z);
        EXPECT_LT(std::abs(off_axis.value / (scaled_value.value * std::exp(-zeta)) - 1.0), 1e-12) << z;
    }
    for (const char* f : {"ai", "aid", "bi", "bid"}) {
        const Airy nan = airy(f, {std::nan(""), 0.0}, 'U', -1);
        EXPECT_EQ(nan.ifail, 0);
        EXPECT_TRUE(std::isnan(nan.value.real()) && std::isnan(nan.value.imag())) << f;
    }
}

// Largest error per function, region and scaling, in eps of the reference's scale.
std::map<std::string, double> worst_per_region() {
    std::map<std::string, double> worst;
    for (const auto& row : qelms::test::read_reference("complex_airy.txt")) {
        const auto& v = row.values;
        const Complex z(v[0], v[1]);
        const char scale = v[2] == 1 ? 'U' : 'S';
        const Airy r = airy(row.region.substr(0, row.region.find('/')), z, scale);
        const double err = r.ifail == 0 || r.ifail == 3 ? std::abs(r.value - Complex(v[3], v[4])) / v[5] / eps : 1e300;
        const std::string label = row.region + (scale == 'U' ? "/unscaled" : "/scaled");
        double& w = worst[label];
        if (err > 16 && w <= 16)
            std::printf("%s z (%.17g, %.17g): %.3g eps (ifail %d)\n", label.c_str(), z.real(), z.imag(), err, r.ifail);
        w = std::max(w, err);
    }
    return worst;
}

TEST(ComplexAiry, AccuracyPerRegion) {
    for (const auto& [region, e] : worst_per_region()) {
        std::printf("%-24s %8.2f eps\n", region.c_str(), e);
        EXPECT_LE(e, 16.0) << region;
    }
}

// For |z| <= 1 the two power series cancel by up to 5 times (Ai towards
// Re z > 0, Bi towards Re z < 0); with their leading terms in double-double
// every function stays within 2 eps (3.7 when they were summed in doubles).
TEST(ComplexAiry, SmallArgumentsWithinTwoEps) {
    for (const auto& [region, e] : worst_per_region()) {
        if (region.find("/small/") != std::string::npos) {
            EXPECT_LE(e, 2.0) << region;
        }
    }
}

// On the real axis the complex routines are no worse than airyai, airybi,
// airyad and airybd at the same points (or within 4 eps where those are better).
TEST(ComplexAiry, RealAxisAgreesWithRealRoutines) {
    const std::map<std::string, double (*)(double, int&)> real_routines = {
        {"ai", qelms::airyai}, {"aid", qelms::airyad}, {"bi", qelms::airybi}, {"bid", qelms::airybd}};
    std::map<std::string, std::pair<double, double>> worst;  // complex, real
    for (const auto& row : qelms::test::read_reference("complex_airy.txt")) {
        const auto& v = row.values;
        if (v[1] != 0.0 || v[2] != 1 || std::abs(v[0]) > 100) continue;
        const std::string f = row.region.substr(0, row.region.find('/'));
        int ifail = 1;
        const double real_value = real_routines.at(f)(v[0], ifail);
        const double real_err = std::abs(real_value - v[3]) / v[5] / eps;
        const double complex_err = std::abs(airy(f, v[0], 'U').value - Complex(v[3], v[4])) / v[5] / eps;
        auto& [c, r] = worst[f];
        c = std::max(c, complex_err);
        r = std::max(r, real_err);
    }
    for (const auto& [f, errors] : worst) {
        std::printf("%-4s complex %6.2f eps, real %6.2f eps\n", f.c_str(), errors.first, errors.second);
        EXPECT_LE(errors.first, std::max(errors.second, 4.0)) << f;
    }
}

}  // namespace
