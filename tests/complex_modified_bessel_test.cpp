// Sequences of I and K of complex argument: failures, underflow counts, NaN
// and huge arguments, the gateways, and accuracy against mpmath.
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

struct Failure {
    std::vector<std::string> words;  // the call without ifail
    int number;
    std::string record;  // "" for a failure without message
};

// Calls with ifail -1: the record, the abnormal exit, nz 0 and every member 0.
void expect_failure(const Failure& f) {
    SCOPED_TRACE(testing::PrintToString(f.words));
    std::vector<std::string> words = f.words;
    words.push_back("-1");
    const auto out = call_module(words, 3);
    ASSERT_TRUE(out.result.ok) << out.result.error;
    ASSERT_EQ(out.console.size(), 3u);
    EXPECT_EQ(out.console[0], f.record);
    EXPECT_EQ(out.result.results[2]->re[0], f.number);
    EXPECT_EQ(out.result.results[1]->re[0], 0.0);
    const mxArray& column = *out.result.results[0];
    for (std::size_t k = 0; k < column.re.size(); ++k) {
        EXPECT_EQ(column.re[k], 0.0);
        EXPECT_EQ(column.im[k], 0.0);
    }
}

TEST(ComplexModifiedBessel, FailuresInTheirOrder) {
    const Failure cases[] = {
        {{"zbeslk", "-1", "0", "2", "'X'"}, 1, " ** On entry, Z = (0.0,0.0)"},
        {{"zbesli", "-0.5", "0", "2", "'X'"}, 1, " ** On entry, FNU .LT. 0: FNU =  -0.50000D+00"},
        {{"zbeslk", "NaN", "1", "2", "'U'"}, 1, " ** On entry, FNU .LT. 0: FNU =           NaN"},
        {{"zbesli", "0", "1", "0", "'X'"}, 1, " ** On entry, SCALE has an illegal value: SCALE = 'X'"},
        {{"zbeslk", "0", "1", "0", "'s'"}, 1, " ** On entry, N .LE. 0: N =                0"},
        {{"zbesli", "0", "1", "-7", "'u'"}, 1, " ** On entry, N .LE. 0: N =               -7"},
        {{"zbesli", "0", "2e9", "1", "'U'"}, 4,
         " ** No computation because abs(Z) =  2.00000D+09 .GT.  1.07374D+09"},
        {{"zbeslk", "0", "1+Infi", "1", "'U'"}, 5,
         " ** No computation because abs(Z) =     Infinity .GT.  1.07374D+09"},
        {{"zbeslk", "Inf", "1", "1", "'U'"}, 5,
         " ** No computation because FNU+N-1 =     Infinity .GT.  1.07374D+09"},
        {{"zbesli", "0", "1", "2147483647", "'U'"}, 4,
         " ** No computation because FNU+N-1 =  2.14748D+09 .GT.  1.07374D+09"},
        {{"zbesli", "0", "800+1i", "2", "'U'"}, 2,
         " ** No computation because real(Z) =  8.00000D+02 .GT. 7.00922D+02, SCALE = 'U'."},
        {{"zbesli", "0", "-800", "1", "'U'"}, 2,
         " ** No computation because real(Z) = -8.00000D+02 .GT. 7.00922D+02, SCALE = 'U'."},
        // orders 0 and 1 on the real axis, just past the bound where besli0 and besli1 take them
        {{"zbesli", "1", "701", "1", "'U'"}, 2,
         " ** No computation because real(Z) =  7.01000D+02 .GT. 7.00922D+02, SCALE = 'U'."},
        {{"zbeslk", "0", "1e-310", "1", "'S'"}, 2,
         " ** No computation because abs(Z) =  1.00000-310 .LT.  3.92223-305"},
        {{"zbeslk", "200", "1", "1", "'U'"}, 3, " ** No computation because FNU+N-1 =  2.00000D+02 is too large."},
        {{"zbeslk", "1", "-800", "3", "'U'"}, 3, " ** No computation because FNU+N-1 =  3.00000D+00 is too large."},
        {{"zbeslk", "1", "-0.5", "200", "'U'"}, 3,
         " ** No computation because FNU+N-1 =  2.00000D+02 is too large."},
    };
    for (const Failure& f : cases) expect_failure(f);
}

TEST(ComplexModifiedBessel, PrecisionWarningKeepsTheValues) {
    for (const char* routine : {"zbesli", "zbeslk"}) {
        const auto out = call_module({routine, "0.5", "40000i", "2", "'S'", "-1"}, 3);
        ASSERT_TRUE(out.result.ok);
        ASSERT_FALSE(out.console.empty());
        EXPECT_EQ(out.console[0], " ** Results lack precision because abs(Z) =  4.00000D+04 .GT.  3.27680D+04");
        EXPECT_EQ(out.result.results[2]->re[0], std::string(routine) == "zbesli" ? 3 : 4);
        EXPECT_NE(out.result.results[0]->re[0], 0.0);
    }
    const auto order = call_module({"zbesli", "40000", "1", "1", "'S'", "1"}, 3);
    EXPECT_EQ(order.result.results[2]->re[0], 3);  // FNU+N-1 beyond the precision bound
}

TEST(ComplexModifiedBessel, UnderflowCountsMembersNotFailure) {
    // I: the trailing members below exp(-elim); K: the leading ones for Re z > alim
    Complex cy[16];
    int nz = -1, ifail = -1;
    qelms::zbesli(70.0, {0.01, 0.0}, 16, 'U', cy, nz, ifail);
    EXPECT_EQ(ifail, 0);
    ASSERT_GT(nz, 0);
    ASSERT_LT(nz, 16);
    for (int k = 16 - nz; k < 16; ++k) EXPECT_EQ(cy[k], 0.0);
    EXPECT_NE(cy[15 - nz], 0.0);

    qelms::zbeslk(0.0, {705.0, 1.0}, 2, 'U', cy, nz, ifail);
    EXPECT_EQ(ifail, 0);
    EXPECT_EQ(nz, 2);
    EXPECT_EQ(cy[0], 0.0);
    qelms::zbeslk(0.0, {705.0, 1.0}, 2, 'S', cy, nz, ifail);
    EXPECT_EQ(nz, 0);
    EXPECT_NEAR(cy[0].real(), 0.0472, 1e-4);  // sqrt(pi/(2z)) to leading order
    // On the real axis the same, although K0 and K1 come from beslk0 and beslk1 below alim.
    qelms::zbeslk(0.0, {705.0, 0.0}, 2, 'U', cy, nz, ifail);
    EXPECT_EQ(ifail, 0);
    EXPECT_EQ(nz, 2);
    EXPECT_EQ(cy[1], 0.0);

    // A member near the underflow bound whose imaginary part is far smaller
    // still is a value, not an underflow: K(1/3, 670 + 1e-13 i) = 5.1e-293
    // (1 - 1e-13 i) to leading order.
    for (const Complex z : {Complex(670.0, 1e-13), Complex(670.0, -1e-13)}) {
        qelms::zbeslk(1.0 / 3.0, z, 2, 'U', cy, nz, ifail);
        EXPECT_EQ(ifail, 0);
        EXPECT_EQ(nz, 0);
        EXPECT_NEAR(cy[0].real(), 5.1012273748683609e-293, 1e-300);
        EXPECT_NEAR(cy[0].imag() / cy[0].real(), -z.imag(), 1e-15);
    }
}

TEST(ComplexModifiedBessel, NanGivesNanAndZeroIsDefined) {
    const double nan = std::nan("");
    for (auto routine : {qelms::zbesli, qelms::zbeslk}) {
        Complex cy[3];
        int nz = 7, ifail = -1;
        routine(0.5, {nan, 1.0}, 3, 'U', cy, nz, ifail);
        EXPECT_EQ(ifail, 0);
        EXPECT_EQ(nz, 0);
        for (const Complex& v : cy) EXPECT_TRUE(std::isnan(v.real()) && std::isnan(v.imag()));
    }
    Complex cy[3];
    int nz = 0, ifail = -1;
    qelms::zbesli(0.0, 0.0, 3, 'U', cy, nz, ifail);
    EXPECT_EQ(ifail, 0);
    EXPECT_EQ(cy[0], 1.0);
    EXPECT_EQ(cy[1], 0.0);
    EXPECT_EQ(cy[2], 0.0);
}

TEST(ComplexModifiedBessel, GatewayBoundsTheSequence) {
    const auto huge = call_module({"zbesli", "0", "1", "2147483647", "'U'", "1"}, 3);
    ASSERT_TRUE(huge.result.ok);
    EXPECT_EQ(huge.result.results[0]->m, 0u);  // refused by the routine, nothing allocated
    EXPECT_EQ(huge.result.results[2]->re[0], 4);
    const auto negative = call_module({"zbeslk", "0", "1", "-1", "'U'", "1"}, 3);
    ASSERT_TRUE(negative.result.ok);
    EXPECT_EQ(negative.result.results[0]->m, 0u);
    EXPECT_EQ(negative.result.results[2]->re[0], 1);
    std::string padded = "RHS argument (n) must be INTEGER";
    padded.resize(72, ' ');
    EXPECT_EQ(call_module({"zbesli", "0", "1", "1e10", "'U'", "1"}, 3).result.error, padded);
    padded = "RHS argument (n) is too large";
    padded.resize(72, ' ');
    const auto too_long = call_module({"zbeslk", "0", "1", "100000000", "'U'", "1"}, 3);
    EXPECT_EQ(too_long.result.error, padded);
    EXPECT_EQ(too_long.standard_output, "??? Error using ==> zbeslk.m\n\n");
    const auto column = call_module({"zbesli", "0", "1+1i", "3", "'U'", "1"}, 3);
    ASSERT_TRUE(column.result.ok);
    EXPECT_EQ(column.result.results[0]->m, 3u);
    EXPECT_EQ(column.result.results[0]->n, 1u);
}

// Largest error per region, in eps of the reference's scale, over every member.
std::map<std::string, double> measure() {
    std::map<std::string, double> worst;
    for (const auto& row : qelms::test::read_reference("complex_modified_bessel.txt")) {
        const auto& v = row.values;
        const double fnu = v[0];
        const Complex z(v[1], v[2]);
        const int n = static_cast<int>(v[3]);
        const char scale = v[4] == 1 ? 'U' : 'S';
        std::vector<Complex> cy(n);
        int nz = 0, ifail = 1;
        (row.region[0] == 'I' ? qelms::zbesli : qelms::zbeslk)(fnu, z, n, scale, cy.data(), nz, ifail);
        const std::string label = row.region + (scale == 'U' ? "/unscaled" : "/scaled");
        double& w = worst[label];
        for (int k = 0; k < n; ++k) {
            const Complex expected(v[5 + 3 * k], v[6 + 3 * k]);
            const double err = ifail == 0 ? std::abs(cy[k] - expected) / v[7 + 3 * k] / 2.220446049250313e-16 : 1e300;
            if (err > 16 && w <= 16)
                std::printf("%s fnu %.17g z (%.17g, %.17g) member %d: %.3g eps (ifail %d)\n", label.c_str(), fnu,
                            z.real(), z.imag(), k + 1, err, ifail);
            w = std::max(w, err);
        }
    }
    return worst;
}

TEST(ComplexModifiedBessel, AccuracyPerRegion) {
    for (const auto& [region, eps] : measure()) {
        std::printf("%-36s %8.2f eps\n", region.c_str(), eps);
        EXPECT_LE(eps, 8.0) << region;
    }
}

}  // namespace
