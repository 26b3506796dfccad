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

// Largest error per region, in epsilons of the member's amplitude.
const std::map<std::string, double> max_eps = {
    {"core.series", 16.0},  {"core.above_2", 16.0},  {"core.backward", 16.0}, {"core.forward", 16.0},
    {"core.underflow", 400.0}, {"core.levels", 16.0}, {"continuation", 16.0}, {"airy", 16.0},
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

// Checks every reference row whose region the filter accepts; returns the
// largest error per region.
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

}  // namespace
