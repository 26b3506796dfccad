#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "complexbessel/complex_bessel.hpp"
#include "test_support.hpp"

namespace {

using qelms::cbes::Complex;
using qelms::cbes::Limits;
using Method = void (*)(Complex, double, int, int, Complex*, int&, const Limits&);

constexpr double eps = std::numeric_limits<double>::epsilon();
const Limits lim = qelms::cbes::cbes_limit_set();

// Largest error measured per region, in epsilons of the member's amplitude.
const std::map<std::string, double> max_eps = {
    {"core.series", 4.0},          {"core.series_order", 4.0},      {"core.asymptotic", 4.0},
    {"core.asymptotic_order", 3.0}, {"core.asymptotic_large", 3.0}, {"core.miller_series", 3.0},
    {"core.boundary", 3.0},        {"core.tiny", 2.0},              {"core.miller_pretest", 6.0},
    {"core.wronskian", 16.0},      {"series.underflow", 1.0},       {"series.scaled", 3.0},
    {"series.sequence", 3.0},      {"asymptotic.sequence", 4.0},    {"miller_series.sequence", 4.0},
    {"ratios", 4.0},
};

Method method_of(const std::string& region) {
    if (region.starts_with("series.")) return qelms::cbes::cbes_i_series;
    if (region.starts_with("asymptotic.")) return qelms::cbes::cbes_i_asymptotic;
    if (region.starts_with("miller_series.")) return qelms::cbes::cbes_i_miller_series;
    return qelms::cbes::cbes_i_core;
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

// Whether the K evaluator that the Wronskian normalisation needs is in place.
bool k_core_available() {
    Complex k[2];
    int nz = 0;
    qelms::cbes::cbes_k_core(Complex(1.0, 0.0), 0.0, 1, 2, k, nz, lim);
    return nz == 0;
}

TEST(ComplexICore, ReferenceValuesPerRegion) {
    const bool with_k = k_core_available();
    std::map<std::string, double> worst;
    std::map<std::string, std::string> worst_case;
    for (const auto& row : qelms::test::read_reference("complex_core_i.txt")) {
        ASSERT_TRUE(max_eps.contains(row.region)) << row.region;
        if (row.region == "core.wronskian" && !with_k) continue;
        const Complex z(row.values[0], row.values[1]);
        const double fnu = row.values[2];
        const int kode = static_cast<int>(row.values[3]);
        const int n = static_cast<int>(row.values[4]);
        ASSERT_EQ(row.values.size(), 5u + 3u * n) << row.region;
        std::vector<Complex> y(n, Complex(-7.0, -7.0));
        int nz = 0;
        if (row.region == "ratios") {
            qelms::cbes::cbes_ratios(z, fnu, n, y.data(), lim.tol);
        } else {
            method_of(row.region)(z, fnu, kode, n, y.data(), nz, lim);
        }
        const std::string where = row.region + " z=(" + std::to_string(z.real()) + "," +
                                  std::to_string(z.imag()) + ") fnu=" + std::to_string(fnu) +
                                  " kode=" + std::to_string(kode) + " n=" + std::to_string(n);
        // Members set to zero by underflow are the top nz ones, and tiny indeed.
        ASSERT_GE(nz, 0) << where;
        if (!row.region.ends_with("underflow")) {
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
    EXPECT_EQ(worst.size(), max_eps.size() - (with_k ? 0 : 1));
    if (std::getenv("QELMS_SHOW_ERRORS") != nullptr) {
        for (const auto& [region, e] : worst) std::cout << region << " " << e << "  at " << worst_case[region] << "\n";
    }
}

}  // namespace
