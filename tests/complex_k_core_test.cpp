#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "complexbessel/complex_bessel.hpp"
#include "test_support.hpp"

namespace {

using qelms::cbes::Complex;
namespace cbes = qelms::cbes;

// Largest error per region, in epsilons of the member's amplitude (measured,
// rounded up); the continued regions carry the I core's error as well. The
// underflow region's largest is K(800.3, 700): 800 forward steps (5.7).
const std::map<std::string, double> max_eps = {
    {"core.series", 12.0},    {"core.above_2", 3.5}, {"core.backward", 9.0}, {"core.forward", 6.5},
    {"core.underflow", 6.0}, {"core.levels", 6.0},  {"continuation", 16.0}, {"airy", 16.0},
};

// Evaluates the row's sequence with the routine its region names.
int evaluate(const std::string& region, Complex z, double fnu, int kode, int n, std::vector<Complex>& y,
             const cbes::Limits& lim) {
    int nz = 99;
    const int mr = z.imag() >= 0.0 ? 1 : -1;
    if (region.starts_with("core.")) {
        cbes::cbes_k_core(z, fnu, kode, n, y.data(), nz, lim);
    } else if (region == "continuation") {
        cbes::cbes_k_continuation(z, fnu, kode, mr, n, y.data(), nz, lim);
    } else {
        cbes::cbes_airy_continuation(z, fnu, kode, mr, n, y.data(), nz, lim);
    }
    return nz;
}

// Checks the reference rows of the right half plane (continued = false) or of
// the continuation; returns the largest error per region (printed when
// QELMS_SHOW_ERRORS is set).
std::map<std::string, double> check_rows(bool continued) {
    const cbes::Limits lim = cbes::cbes_limit_set();
    std::map<std::string, double> worst;
    for (const auto& row : qelms::test::read_reference("complex_core_k.txt")) {
        if (row.region.starts_with("core.") == continued) continue;
        const auto& v = row.values;
        EXPECT_TRUE(max_eps.contains(row.region)) << row.region;
        const double fnu = v[0];
        const Complex z(v[1], v[2]);
        const int kode = static_cast<int>(v[3]), n = static_cast<int>(v[4]), nz_expected = static_cast<int>(v[5]);
        EXPECT_EQ(v.size(), 6u + 3u * n);
        std::vector<Complex> y(n, Complex(-7.0, -7.0));
        const int nz = evaluate(row.region, z, fnu, kode, n, y, lim);
        std::ostringstream where;
        where << row.region << " fnu=" << fnu << " z=" << z << " kode=" << kode;
        EXPECT_EQ(nz, nz_expected) << where.str();
        if (nz != nz_expected) continue;
        for (int k = 0; k < n; ++k) {
            const Complex expected(v[6 + 3 * k], v[7 + 3 * k]);
            if (k < nz) {
                EXPECT_EQ(y[k], Complex(0.0)) << where.str() << " member " << k;
                continue;
            }
            const double err = std::abs(y[k] - expected) / v[8 + 3 * k] / std::numeric_limits<double>::epsilon();
            worst[row.region] = std::max(worst[row.region], err);
            EXPECT_LE(err, max_eps.at(row.region)) << where.str() << " member " << k << " got " << y[k];
        }
    }
    if (std::getenv("QELMS_SHOW_ERRORS")) {
        for (const auto& [region, e] : worst) std::cout << region << " " << e << " eps\n";
    }
    return worst;
}

TEST(ComplexKCore, RightHalfPlaneSequencesPerRegion) { EXPECT_EQ(check_rows(false).size(), 6u); }

TEST(ComplexKCore, ContinuedSequences) { EXPECT_EQ(check_rows(true).size(), 2u); }

TEST(ComplexKCore, FailuresAndSpecialArguments) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* region;
        Complex z;
        double fnu;
        int kode;
        int nz;  // expected count; 0 with NaN members for NaN arguments
    };
    const Case cases[] = {
        {"core.nan", {nan, 1.0}, 0.5, 1, 0},
        {"core.nan", {1.0, 0.0}, nan, 2, 0},
        {"core.nan", {inf, 0.0}, 1.0, 1, 0},
        {"core.order", {1.0, 1.0}, 1e300, 1, -1},        // beyond any integer order: overflow
        {"core.overflow", {1.0, 1.0}, 300.0, 1, -1},     // K(300, 1 + i) is beyond the largest double
        {"core.overflow", {1e-320, 0.0}, 0.0, 2, -1},    // K(1, 1e-320) too
        {"continuation", {-1e-300, 0.0}, 3.3, 1, -1},
        {"core.exp", {1.0, 1e16}, 0.3, 1, -3},           // e^-z has no precision left
        {"core.exp", {1.0, 1e16}, 0.3, 2, 0},            // scaled: no exponential needed
        {"continuation", {-700.0, 0.0}, 0.0, 1, -1},     // K(700) underflows while I(700) is near overflow
    };
    const cbes::Limits lim = cbes::cbes_limit_set();
    for (const Case& c : cases) {
        std::vector<Complex> y(3, Complex(-7.0, -7.0));
        const int nz = evaluate(c.region, c.z, c.fnu, c.kode, 3, y, lim);
        EXPECT_EQ(nz, c.nz) << c.region << " " << c.z << " " << c.fnu;
        const bool nan_in = std::isnan(c.fnu) || !std::isfinite(c.z.real());
        if (nz == 0) {
            EXPECT_EQ(std::isnan(y[2].real()), nan_in) << c.region << " " << c.z << " " << y[2];
        }
        if (nz == -1) {
            EXPECT_EQ(y, std::vector<Complex>(3, Complex(0.0))) << c.region << " " << c.z;
        }
    }
}

TEST(ComplexKCore, CombineScaled) {
    const double ascle = 1000.0 * 2.22507385850721e-308 / 1.11130722679765e-16;
    const double alim = cbes::cbes_limit_set().alim;
    // Both terms below the underflow limit: zeroed and counted; the count of rescaled K terms restarts.
    Complex s1(1e-300, 0.0), s2(0.0, 1e-300);
    int nz = 0, iuf = 2;
    cbes::cbes_combine_scaled({10.0, 3.0}, s1, s2, nz, ascle, alim, iuf);
    EXPECT_EQ(nz, 1);
    EXPECT_EQ(iuf, 0);
    EXPECT_EQ(s1, Complex(0.0));
    EXPECT_EQ(s2, Complex(0.0));
    // A K term on scale takes e^(-2 zr) with its phase unrounded: 2 e^(-2 - 2000i).
    s1 = {2.0, 0.0};
    s2 = {1.0, 0.0};
    cbes::cbes_combine_scaled({1.0, 1000.0}, s1, s2, nz, ascle, alim, iuf);
    EXPECT_EQ(nz, 0);
    EXPECT_EQ(iuf, 1);
    const Complex expected(-0.09946048431111799, -0.2517343195027936);  // mpmath
    EXPECT_LE(std::abs(s1 - expected) / std::abs(expected), 2 * std::numeric_limits<double>::epsilon());
}

}  // namespace
