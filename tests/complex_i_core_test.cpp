#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "complexbessel/complex_bessel.hpp"
#include "complexbessel/double_double.hpp"
#include "test_support.hpp"

namespace {

using qelms::cbes::Complex;
using qelms::cbes::Limits;
using Method = void (*)(Complex, double, int, int, Complex*, int&, const Limits&);

// The I core as a Method, without a K pair to share.
void i_core(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& limits) {
    qelms::cbes::cbes_i_core(z, fnu, kode, n, y, nz, limits);
}

constexpr double eps = std::numeric_limits<double>::epsilon();
const Limits lim = qelms::cbes::cbes_limit_set();

// Largest error allowed per region, in epsilons of the member's amplitude: about
// 1.5 times the measured one; the Wronskian rows carry the K evaluator's error too,
// and core.underflow the uniform expansions' (their own targets).
const std::map<std::string, double> max_eps = {
    {"core.series", 4.0},           {"core.series_order", 4.0},     {"core.asymptotic", 4.0},
    {"core.asymptotic_order", 3.0}, {"core.asymptotic_large", 3.0}, {"core.miller_series", 3.0},
    {"core.boundary", 3.0},         {"core.tiny", 2.1},             {"core.miller_pretest", 6.0},
    {"core.wronskian", 16.0},       {"core.underflow", 32.0},       {"series.underflow", 1.0},
    {"series.scaled", 3.0},         {"series.sequence", 3.0},       {"asymptotic.sequence", 4.0},
    {"miller_series.sequence", 4.0}, {"wronskian.sequence", 16.0},  {"ratios", 4.0},
};

Method method_of(const std::string& region) {
    if (region.starts_with("series.")) return qelms::cbes::cbes_i_series;
    if (region.starts_with("asymptotic.")) return qelms::cbes::cbes_i_asymptotic;
    if (region.starts_with("miller_series.")) return qelms::cbes::cbes_i_miller_series;
    return i_core;
}

TEST(ComplexICore, LimitSet) {
    EXPECT_EQ(lim.tol, 1.11130722679765e-16);
    EXPECT_EQ(lim.elim, 700.9217936944459);
    EXPECT_EQ(lim.dig, 15.653559774527022);
    EXPECT_EQ(lim.alim, 664.8716455337102);
    EXPECT_EQ(lim.rl, 21.784271729432426);
    EXPECT_EQ(lim.fnul, 85.92135864716212);
    EXPECT_EQ(lim.az_limit, 1073741823.5);
}

TEST(ComplexICore, ReferenceValuesPerRegion) {
    std::map<std::string, double> worst;
    std::map<std::string, std::string> worst_case;
    for (const auto& row : qelms::test::read_reference("complex_core_i.txt")) {
        ASSERT_TRUE(max_eps.contains(row.region)) << row.region;
        const Complex z(row.values[0], row.values[1]);
        const double fnu = row.values[2];
        const int kode = static_cast<int>(row.values[3]);
        const int n = static_cast<int>(row.values[4]);
        ASSERT_EQ(row.values.size(), 5u + 3u * n) << row.region;
        std::vector<Complex> y(n, Complex(-7.0, -7.0));
        int nz = 0;
        if (row.region == "ratios") {
            qelms::cbes::cbes_ratios(z, fnu, n, y.data(), lim.tol);
        } else if (row.region.starts_with("wronskian.")) {
            Complex cw[2];
            qelms::cbes::cbes_i_miller_wronskian(z, fnu, kode, n, y.data(), nz, cw, false, lim);
        } else {
            method_of(row.region)(z, fnu, kode, n, y.data(), nz, lim);
        }
        const std::string where = row.region + " z=(" + std::to_string(z.real()) + "," +
                                  std::to_string(z.imag()) + ") fnu=" + std::to_string(fnu) +
                                  " kode=" + std::to_string(kode) + " n=" + std::to_string(n);
        // Members set to zero by underflow are the top nz ones, and tiny indeed.
        ASSERT_GE(nz, 0) << where;
        if (row.region.ends_with("underflow")) {
            EXPECT_GT(nz, 0) << where;
        } else {
            EXPECT_EQ(nz, 0) << where;
        }
        for (int k = 0; k < n; ++k) {
            const Complex exact(row.values[5 + 3 * k], row.values[6 + 3 * k]);
            const double amplitude = row.values[7 + 3 * k];
            if (k >= n - nz) {
                EXPECT_EQ(y[k], Complex(0.0, 0.0)) << where << " k=" << k;
                EXPECT_LT(amplitude, 1e-290) << where << " k=" << k;
                continue;
            }
            const double error = std::abs(y[k] - exact) / amplitude / eps;
            if (error >= worst[row.region]) {
                worst[row.region] = error;
                worst_case[row.region] = where + " k=" + std::to_string(k);
            }
            EXPECT_LE(error, max_eps.at(row.region)) << where << " k=" << k << " got " << y[k] << " want " << exact;
        }
    }
    EXPECT_EQ(worst.size(), max_eps.size());
    if (std::getenv("QELMS_SHOW_ERRORS") != nullptr) {
        for (const auto& [region, e] : worst) std::cout << region << " " << e << "  at " << worst_case[region] << "\n";
    }
}

TEST(ComplexICore, RegionBoundariesSelectTheirMethod) {
    // |z| = 2 takes the series, just above it (order 0) Miller's algorithm; |z| = rl
    // takes the large-argument expansion, just below it Miller's algorithm.
    struct Case {
        Complex z;
        double fnu;
        int n;
        Method method;
    };
    const double above2 = std::nextafter(2.0, 3.0);
    const double below_rl = std::nextafter(lim.rl, 0.0);
    const Case cases[] = {
        {{2.0, 0.0}, 0.0, 2, qelms::cbes::cbes_i_series},
        {{0.0, -2.0}, 0.5, 1, qelms::cbes::cbes_i_series},
        {{above2, 0.0}, 0.0, 1, qelms::cbes::cbes_i_miller_series},
        {{0.0, above2}, 0.25, 1, qelms::cbes::cbes_i_series},  // |z|^2/4 <= order + 1
        {{lim.rl, 0.0}, 0.0, 2, qelms::cbes::cbes_i_asymptotic},
        {{0.0, lim.rl}, 1.0, 1, qelms::cbes::cbes_i_asymptotic},
        {{below_rl, 0.0}, 0.0, 2, qelms::cbes::cbes_i_miller_series},
        {{0.0, -below_rl}, 0.5, 1, qelms::cbes::cbes_i_miller_series},
    };
    for (const Case& c : cases) {
        for (int kode = 1; kode <= 2; ++kode) {
            Complex core[2], method[2];
            int nz_core = -9, nz_method = -9;
            qelms::cbes::cbes_i_core(c.z, c.fnu, kode, c.n, core, nz_core, lim);
            c.method(c.z, c.fnu, kode, c.n, method, nz_method, lim);
            EXPECT_EQ(nz_core, 0) << c.z;
            EXPECT_EQ(nz_method, 0) << c.z;
            for (int k = 0; k < c.n; ++k) EXPECT_EQ(core[k], method[k]) << c.z << " fnu=" << c.fnu << " k=" << k;
        }
    }
}

TEST(ComplexICore, ZeroAndTinyArguments) {
    // Below 1000 * safe minimum the members of order >= 1 underflow; z = 0 itself counts no underflow.
    struct Case {
        Complex z;
        double fnu;
        int nz;
        double first;
    };
    const Case cases[] = {
        {{0.0, 0.0}, 0.0, 0, 1.0},     {{0.0, 0.0}, 0.5, 0, 0.0},    {{0.0, 0.0}, 2.0, 0, 0.0},
        {{1e-306, 0.0}, 0.0, 2, 1.0},  {{0.0, -2e-305}, 0.0, 2, 1.0}, {{1e-306, 1e-306}, 1.0, 3, 0.0},
        {{1e-306, 0.0}, 0.999, 3, 0.0},  // 1.0e-306: below exp(-elim), counted as underflow
    };
    for (const Case& c : cases) {
        for (int kode = 1; kode <= 2; ++kode) {
            Complex y[3] = {{7.0, 7.0}, {7.0, 7.0}, {7.0, 7.0}};
            int nz = -9;
            qelms::cbes::cbes_i_core(c.z, c.fnu, kode, 3, y, nz, lim);
            EXPECT_EQ(nz, c.nz) << c.z << " fnu=" << c.fnu;
            EXPECT_EQ(y[0], Complex(c.first, 0.0)) << c.z << " fnu=" << c.fnu;
            EXPECT_EQ(y[1], Complex(0.0, 0.0));
            EXPECT_EQ(y[2], Complex(0.0, 0.0));
        }
    }
}

TEST(ComplexICore, FailureCodes) {
    Limits short_rl = lim;
    short_rl.rl = 1.0;  // only 4 terms of the large-argument expansion
    struct Case {
        const char* what;
        Method method;
        Complex z;
        double fnu;
        int kode;
        const Limits* limits;
        int nz;
    };
    const Case cases[] = {
        {"exp(z) beyond elim", qelms::cbes::cbes_i_asymptotic, {702.0, 1.0}, 0.0, 1, &lim, -1},
        {"exp(z) beyond elim", i_core, {702.0, 1.0}, 0.0, 1, &lim, -1},
        {"scaled exp(z) beyond elim", i_core, {702.0, 1.0}, 0.0, 2, &lim, 0},
        {"expansion not converging", qelms::cbes::cbes_i_asymptotic, {3.0, 1.0}, 0.3, 1, &short_rl, -2},
        {"Miller start beyond 80 steps", qelms::cbes::cbes_i_miller_series, {1e6, 1.0}, 0.0, 1, &lim, -2},
        {"phase of exp(z) lost", qelms::cbes::cbes_i_asymptotic, {1.0, 1e16}, 0.0, 2, &lim, -3},
        {"phase of exp(z) lost", i_core, {1.0, 1e16}, 0.0, 2, &lim, -3},
        {"I overflows after the pre-test", i_core, {710.0, 0.0}, 40.0, 1, &lim, -1},
        {"scaled I after the pre-test", i_core, {710.0, 0.0}, 40.0, 2, &lim, 0},
    };
    for (const Case& c : cases) {
        Complex y[2];
        int nz = -9;
        c.method(c.z, c.fnu, c.kode, 2, y, nz, *c.limits);
        EXPECT_EQ(nz, c.nz) << c.what << " z=" << c.z;
    }
}

TEST(ComplexICore, NaNAndInfinitiesEndPromptly) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const Method method : {i_core, qelms::cbes::cbes_i_miller_series}) {
        for (const Complex z : {Complex(nan, 1.0), Complex(1.0, nan)}) {
            Complex y[3];
            int nz = -9;
            method(z, 0.5, 1, 3, y, nz, lim);
            EXPECT_EQ(nz, 0);
            for (const Complex& v : y) EXPECT_TRUE(std::isnan(v.real()) && std::isnan(v.imag()));
        }
    }
    for (const Complex z : {Complex(nan, 0.0), Complex(inf, 0.0), Complex(0.0, -inf), Complex(1e300, 1e300)}) {
        Complex r[2];
        qelms::cbes::cbes_ratios(z, 1.0, 2, r, lim.tol);
        EXPECT_TRUE(std::isnan(r[0].real()) || std::isfinite(std::abs(z))) << z;
        Complex y[2];
        int nz = 0;
        qelms::cbes::cbes_i_core(z, 1.0, 2, 2, y, nz, lim);  // returns, whatever it reports
    }
    Complex r[2];
    qelms::cbes::cbes_ratios({5.0, 2.0}, nan, 2, r, lim.tol);
    EXPECT_TRUE(std::isnan(r[1].real()));
}

TEST(ComplexICore, ExponentialQuotientAndUnderflowCheck) {
    Complex e;
    EXPECT_TRUE(qelms::cbes::cbes_exp({1.0, 2.0}, e));
    EXPECT_EQ(e, std::exp(1.0) * Complex(std::cos(2.0), std::sin(2.0)));
    EXPECT_TRUE(qelms::cbes::cbes_exp({0.0, 1e8}, e));  // less than half precision: accepted
    EXPECT_FALSE(qelms::cbes::cbes_exp({800.0, 1.0}, e));
    EXPECT_FALSE(qelms::cbes::cbes_exp({0.0, 1e16}, e));

    // Quotients whose |b|^2 would overflow or underflow.
    EXPECT_EQ(qelms::cbes::cbes_divide({1e300, 1e300}, {2e300, 0.0}), Complex(0.5, 0.5));
    EXPECT_EQ(qelms::cbes::cbes_divide({3e-300, 4e-300}, {0.0, 1e-300}), Complex(4.0, -3.0));
    EXPECT_LE(std::abs(qelms::cbes::cbes_divide({1e308, 0.0}, {1e308, 1e308}) - Complex(0.5, -0.5)), eps);

    // nz = 1 when both parts are at most ascle and neither dwarfs the other by 1/tol.
    struct Case {
        Complex y;
        int nz;
    };
    const double ascle = 1e-290;
    const Case cases[] = {
        {{2e-290, 3e-290}, 0}, {{1e-291, 5e-291}, 1}, {{1e-300, 1.0}, 0},
        {{1e-300, 1e-290}, 1}, {{0.0, 1e-295}, 0},    {{1e-291, 0.0}, 0},
    };
    for (const Case& c : cases) {
        int nz = -9;
        qelms::cbes::cbes_underflow_check(c.y, nz, ascle, lim.tol);
        EXPECT_EQ(nz, c.nz) << c.y;
    }
}

TEST(ComplexICore, OverflowUnderflowPretest) {
    struct Case {
        Complex z;
        double fnu;
        int kode, ikflg, n;
        int nuf;  // -1, or the number of top (I) or all (K) members zeroed
    };
    const Case cases[] = {
        {{1.0, 0.0}, 200.0, 1, 1, 3, 3},   // ln I(200, 1) = -1002
        {{1.0, 0.0}, 140.0, 1, 1, 15, 6},  // ln I(148, 1) = -697.6, ln I(149, 1) = -703.3
        {{1.0, 0.5}, 140.0, 2, 1, 15, 3},  // scaled: ln I(151) e^-1 = -698.9, ln I(152) e^-1 = -704.5
        {{800.0, 0.0}, 0.0, 1, 1, 2, -1},  {{800.0, 0.0}, 0.0, 2, 1, 2, 0},
        {{1e-3, 0.0}, 200.0, 1, 2, 2, -1}, {{800.0, 0.0}, 0.0, 1, 2, 2, 2},
        {{800.0, 0.0}, 0.0, 2, 2, 2, 0},   {{0.0, 30.0}, 100.0, 1, 1, 5, 0},
        // I on the axes, where the exponent's closed form may settle the test:
        // inside the range, next to alim, beyond elim, and underflowing.
        {{0.0, 50.0}, 49.5, 1, 1, 1, 0},   {{664.0, 0.0}, 120.0, 1, 1, 3, 0},
        {{705.0, 0.0}, 0.3, 1, 1, 3, -1},  {{0.0, 0.5}, 140.0, 1, 1, 15, 15},
        {{0.0, -0.5}, 120.0, 2, 1, 15, 2}, {{0.0, 3.0}, 149.0, 1, 1, 15, 0},
    };
    for (const Case& c : cases) {
        std::vector<Complex> y(c.n, Complex(7.0, 7.0));
        int nuf = -9;
        qelms::cbes::cbes_over_under_test(c.z, c.fnu, c.kode, c.ikflg, c.n, y.data(), nuf, lim);
        EXPECT_EQ(nuf, c.nuf) << c.z << " fnu=" << c.fnu << " ikflg=" << c.ikflg;
        const int zeroed = std::max(nuf, 0);
        for (int k = 0; k < c.n; ++k) {
            const bool zero = c.ikflg == 2 ? k < zeroed : k >= c.n - zeroed;
            EXPECT_EQ(y[k] == Complex(0.0, 0.0), zero) << c.z << " k=" << k;
        }
    }
}

// The short complex logarithm against dd_log: ln |v| within the error
// short_log_suffices allows for (4.3e-19 of |ln|v|| and 2.2e-20), arg v to
// 1e-22, in every octant, on both axes and with signed zeros (the principal
// branch: arg of -x - 0i is -pi).
TEST(ComplexICore, ShortLogarithmAgreesWithDoubleDouble) {
    using qelms::cbes::DDComplex;
    const double sizes[] = {1e-140, 0.003, 0.5, 0.999, 1.0, 1.7, 40.0, 1e140};
    const double turns[] = {0.0, 0.05, 0.125, 0.2, 0.25, 0.3, 0.375, 0.45, 0.5};  // arg v / (2 pi)
    for (const double r : sizes) {
        for (const double t : turns) {
            for (const double sign : {1.0, -1.0}) {
                const double angle = sign * 2.0 * 3.141592653589793 * t;
                // the axes exactly, with a signed zero part
                const Complex v = t == 0.0    ? Complex(r, sign * 0.0)
                                  : t == 0.5  ? Complex(-r, sign * 0.0)
                                  : t == 0.25 ? Complex(0.0, sign * r)
                                              : std::polar(r, angle);
                const DDComplex a = qelms::cbes::dd_log(qelms::cbes::dd_value(v));
                const DDComplex b = qelms::cbes::log_short(qelms::cbes::dd_value(v));
                const double ln = a.re.hi + a.re.lo;
                EXPECT_LE(std::fabs((b.re.hi - a.re.hi) + (b.re.lo - a.re.lo)), 4.3e-19 * std::fabs(ln) + 2.2e-20) << v;
                EXPECT_LE(std::fabs((b.im.hi - a.im.hi) + (b.im.lo - a.im.lo)), 1e-22) << v;
                EXPECT_EQ(std::signbit(b.im.hi), std::signbit(a.im.hi)) << v;
            }
        }
    }
}

}  // namespace
