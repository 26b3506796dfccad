// The five sequence routines at orders fnu + k that pass a power of two, in
// every evaluator and both half planes, both scalings, sequences to 50
// members: the largest error per routine and region against mpmath.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "qelms/qelms.hpp"
#include "test_support.hpp"

namespace {

using Complex = std::complex<double>;
constexpr double eps = std::numeric_limits<double>::epsilon();
constexpr double bound_eps = 8.0;  // the accuracy bound of every member, in eps of its scale

// Members of one row: routine letter(s) from the region label, then
// fnu re im scaled n and per member re im scale.
struct Evaluated {
    std::vector<Complex> cy;
    int nz = 0;
    int ifail = 0;
};

Evaluated evaluate(const std::string& routine, double fnu, Complex z, int n, char scale) {
    Evaluated e;
    e.cy.assign(n, Complex(0.0));
    std::vector<Complex> work(n);
    e.ifail = 1;
    if (routine == "i") qelms::zbesli(fnu, z, n, scale, e.cy.data(), e.nz, e.ifail);
    if (routine == "k") qelms::zbeslk(fnu, z, n, scale, e.cy.data(), e.nz, e.ifail);
    if (routine == "j") qelms::zbeslj(fnu, z, n, scale, e.cy.data(), e.nz, e.ifail);
    if (routine == "y") qelms::zbesly(fnu, z, n, scale, e.cy.data(), e.nz, work.data(), e.ifail);
    if (routine == "h1") qelms::zhankl(1, fnu, z, n, scale, e.cy.data(), e.nz, e.ifail);
    if (routine == "h2") qelms::zhankl(2, fnu, z, n, scale, e.cy.data(), e.nz, e.ifail);
    return e;
}

// Calls that report overflow although their values are doubles: scaled K
// (and H, Y through it) at an order near 510 continued to Re z < 0, where the
// method tests exp(zr) K(zr), zr = -z, before taking exp(-2 zr) out.
constexpr int expected_overflows = 5;

// The errors of one row evaluated as a sequence of n members, into worst.
void measure_row(const qelms::test::ReferenceRow& row, int n, std::map<std::string, double>& worst, int& overflows) {
    const std::string routine = row.region.substr(0, row.region.find('/'));
    const auto& v = row.values;
    const double fnu = v[0];
    const Complex z(v[1], v[2]);
    const char scale = v[3] != 0.0 ? 'S' : 'U';
    const Evaluated e = evaluate(routine, fnu, z, n, scale);
    const std::string label = row.region + (scale == 'S' ? "/scaled" : "/unscaled");
    const bool ij = routine == "i" || routine == "j";
    const int warning = ij ? 3 : 4;   // results lack precision
    const int overflow = ij ? 2 : 3;  // no computation: too large
    if (e.ifail == overflow) {
        ++overflows;
        return;
    }
    EXPECT_TRUE(e.ifail == 0 || e.ifail == warning) << label << " fnu " << fnu << " z " << z << " ifail " << e.ifail;
    double& w = worst[label];
    for (int k = 0; k < n; ++k) {
        const Complex exact(v[5 + 3 * k], v[6 + 3 * k]);
        const double s = v[7 + 3 * k];
        const double err = std::abs(e.cy[k] - exact) / s / eps;
        if (err > bound_eps)
            std::printf("%s fnu %.17g z (%.17g, %.17g) member %d: %.3g eps\n", label.c_str(), fnu, z.real(),
                        z.imag(), k + 1, err);
        w = std::max(w, err);
    }
}

// Largest error per region (routine/method/side, scaled or not), in eps of
// each member's scale; overflows counted apart. Each row is evaluated as a
// sequence of its n members and, with prefixes set, of its first one and its
// first two as well (sequences that short take paths of their own).
std::map<std::string, double> measure(const std::string& file, bool prefixes, int& overflows) {
    std::map<std::string, double> worst;
    overflows = 0;
    for (const auto& row : qelms::test::read_reference(file)) {
        const int members = static_cast<int>(row.values[4]);
        measure_row(row, members, worst, overflows);
        for (const int n : {1, 2})
            if (prefixes && n < members) measure_row(row, n, worst, overflows);
    }
    return worst;
}

TEST(ComplexOrders, EveryRegionWithinBound) {
    int overflows = 0;
    const auto worst = measure("complex_orders.txt", false, overflows);
    ASSERT_FALSE(worst.empty());
    EXPECT_EQ(overflows, expected_overflows);
    for (const auto& [region, err] : worst) {
        std::printf("%-40s %7.2f eps\n", region.c_str(), err);
        EXPECT_LE(err, bound_eps) << region;
    }
}

// On the real and imaginary axes, where the evaluators take forms of their
// own (orders 0 and 1 from the real-argument routines, real and imaginary
// recurrences), on both sides of the bounds where they hand over.
TEST(ComplexOrders, AxesWithinBound) {
    int overflows = 0;
    const auto worst = measure("complex_axis.txt", true, overflows);
    ASSERT_FALSE(worst.empty());
    EXPECT_EQ(overflows, 0);
    for (const auto& [region, err] : worst) {
        std::printf("%-40s %7.2f eps\n", region.c_str(), err);
        EXPECT_LE(err, bound_eps) << region;
    }
}

}  // namespace
