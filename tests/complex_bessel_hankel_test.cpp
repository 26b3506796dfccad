// zbeslj, zhankl and zbesly: argument checks and limits with their messages,
// failures, values against mpmath per region, and the symmetries of J.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "qelms/qelms.hpp"
#include "support/failure.hpp"
#include "test_support.hpp"

namespace {

using Complex = std::complex<double>;
constexpr double eps = std::numeric_limits<double>::epsilon();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// One call of zbeslj, zbesly or zhankl (with m).
struct Call {
    std::string_view routine;
    double fnu;
    Complex z;
    int n;
    char scale = 'U';
    int m = 1;
};

struct Outcome {
    std::vector<Complex> cy;
    int nz = -99;
    int ifail = 0;
    bool stopped = false;                 // a hard failure ended the call
    std::vector<std::string> lines;       // what the failure exit printed
};

std::vector<std::string>* printed = nullptr;

void record_line(int, std::string_view text) {
    printed->emplace_back(text.substr(0, text.find_last_not_of(' ') + 1));
}

Outcome run(const Call& c, int ifail) {
    Outcome out;
    out.cy.assign(std::max(c.n, 0), Complex(-7.0, -7.0));  // not a value any path leaves
    std::vector<Complex> work(out.cy.size());
    printed = &out.lines;
    const auto previous = qelms::set_message_writer(record_line);
    testing::internal::CaptureStdout();
    out.ifail = ifail;
    try {
        if (c.routine == "zbeslj") qelms::zbeslj(c.fnu, c.z, c.n, c.scale, out.cy.data(), out.nz, out.ifail);
        if (c.routine == "zbesly")
            qelms::zbesly(c.fnu, c.z, c.n, c.scale, out.cy.data(), out.nz, work.data(), out.ifail);
        if (c.routine == "zhankl") qelms::zhankl(c.m, c.fnu, c.z, c.n, c.scale, out.cy.data(), out.nz, out.ifail);
    } catch (const qelms::HardFailure&) {
        out.stopped = true;
    }
    const std::string standard_output = testing::internal::GetCapturedStdout();
    if (out.stopped) {
        EXPECT_EQ(standard_output, "Stop - Program terminated.\n");
    }
    qelms::set_message_writer(previous);
    return out;
}

std::string abnormal(std::string_view routine, int number) {
    std::string upper(routine);
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    char line[96];
    std::snprintf(line, sizeof line, " ** ABNORMAL EXIT from QELM Library routine %s: IFAIL =%6d", upper.c_str(),
                  number);
    return line;
}

const std::string soft = " ** QELM soft failure - control returned";
const std::string hard = " ** QELM hard failure - execution terminated";

std::string describe(const Call& c) {
    std::ostringstream s;
    s << c.routine << " fnu=" << c.fnu << " z=" << c.z << " n=" << c.n << " scale=" << c.scale << " m=" << c.m;
    return s.str();
}

// A failure and its one message record (empty: none), checked for ifail -1
// (record, abnormal exit, soft line) and 1 (silence). Failures that compute
// nothing leave every member 0 and nz 0; warnings leave finite values.
struct Failure {
    Call call;
    int number;
    std::string record;
    bool warning = false;
};

void check_failure(const Failure& f) {
    SCOPED_TRACE(describe(f.call));
    const Outcome loud = run(f.call, -1);
    EXPECT_EQ(loud.ifail, f.number);
    std::vector<std::string> expected;
    if (!f.record.empty()) expected.push_back(f.record);
    expected.push_back(abnormal(f.call.routine, f.number));
    expected.push_back(soft);
    EXPECT_EQ(loud.lines, expected);
    const Outcome silent = run(f.call, 1);
    EXPECT_EQ(silent.ifail, f.number);
    EXPECT_TRUE(silent.lines.empty());
    for (const Complex& v : silent.cy) {
        if (f.warning) {
            EXPECT_TRUE(std::isfinite(v.real()) && std::isfinite(v.imag()) && v != Complex(-7.0, -7.0)) << v;
        } else {
            EXPECT_EQ(v, Complex(0.0, 0.0));
        }
    }
    if (!f.warning) {
        EXPECT_EQ(silent.nz, 0);
    }
}

TEST(BesselHankel, ArgumentChecksInTheirOrder) {
    const std::string zero_z = " ** On entry, Z = (0.0,0.0)";
    const std::string negative_fnu = " ** On entry, FNU .LT. 0: FNU =  -0.10000D+01";
    const std::string nan_fnu = " ** On entry, FNU .LT. 0: FNU =           NaN";
    const std::string bad_scale = " ** On entry, SCALE has an illegal value: SCALE = 'x'";
    const std::string no_members = " ** On entry, N .LE. 0: N =                0";
    const Failure cases[] = {
        {{"zbeslj", -1.0, {0.0, 0.0}, 2}, 1, negative_fnu},
        {{"zbeslj", nan, {1.0, 1.0}, 2}, 1, nan_fnu},
        {{"zbeslj", 1.0, {1.0, 1.0}, 2, 'x'}, 1, bad_scale},
        {{"zbeslj", 1.0, {nan, 1.0}, 0}, 1, no_members},
        {{"zhankl", -1.0, {0.0, 0.0}, 0, 'x', 7}, 1, zero_z},
        {{"zhankl", -1.0, {1.0, 0.0}, 0, 'x', 7}, 1, negative_fnu},
        {{"zhankl", 1.0, {1.0, 0.0}, 0, 'x', 7}, 1, bad_scale},
        {{"zhankl", 1.0, {1.0, 0.0}, 0, 's', 7}, 1, no_members},
        {{"zhankl", 1.0, {1.0, 0.0}, 1, 's', 7}, 1, " ** On entry, M has illegal value: M =                7"},
        {{"zhankl", 1.0, {1.0, 0.0}, 1, 'u', 0}, 1, " ** On entry, M has illegal value: M =                0"},
        {{"zbesly", -1.0, {0.0, 0.0}, 2}, 1, zero_z},  // before any Hankel call: no ZHANKL lines
        {{"zbesly", -1.0, {1.0, 0.0}, 2}, 1, negative_fnu},
        {{"zbesly", 0.0, {1.0, 0.0}, 2, 'x'}, 1, bad_scale},
        {{"zbesly", 0.0, {1.0, 0.0}, -5}, 1, " ** On entry, N .LE. 0: N =               -5"},
    };
    for (const Failure& f : cases) check_failure(f);
}

TEST(BesselHankel, LimitsOverflowAndTheirMessages) {
    const std::string az_beyond = " ** No computation because abs(Z) =  2.00000D+09 .GT.  1.07374D+09";
    const std::string inf_beyond = " ** No computation because abs(Z) =     Infinity .GT.  1.07374D+09";
    const std::string fn_beyond = " ** No computation because FNU+N-1 =  2.00000D+09 .GT.  1.07374D+09";
    const std::string az_warn = " ** Results lack precision because abs(Z) =  4.00000D+04 .GT.  3.27680D+04";
    const std::string fn_warn = " ** Results lack precision because FNU+N-1 =  4.00010D+04 .GT.  3.27680D+04";
    const std::string hankel_fn_warn = " ** Results lack precision, FNU+N-1 =  3.27690D+04 .GT.  3.27680D+04";
    const Failure cases[] = {
        {{"zbeslj", 0.0, {2e9, 0.0}, 2}, 4, az_beyond},
        {{"zbeslj", 0.0, {inf, 1.0}, 2}, 4, inf_beyond},
        {{"zbeslj", 2e9 - 1, {1.0, 0.0}, 2}, 4, fn_beyond},
        {{"zbeslj", 0.0, {0.0, 4e4}, 1, 'S'}, 3, az_warn, true},
        {{"zbeslj", 40000.0, {1.0, 1.0}, 2, 'S'}, 3, fn_warn, true},
        {{"zbeslj", 1.0, {0.0, 800.0}, 2}, 2,
         " ** No computation because imag(Z) =  8.00000D+02 .GT. 7.00922D+02, SCALE = 'U'."},
        {{"zhankl", 0.0, {-2e9, 0.0}, 2, 'U', 2}, 5, az_beyond},
        {{"zhankl", 2e9 - 1, {1.0, 0.0}, 2, 'U', 2}, 5, fn_beyond},
        {{"zhankl", 0.0, {-4e4, 0.0}, 1, 'S', 2}, 4, " ** Results lack precision because abs(Z) =  4.00000D+04 .GT.  3.27680D+04", true},
        {{"zhankl", 32768.0, {32760.0, 0.0}, 2, 'S', 1}, 4, hankel_fn_warn, true},
        {{"zhankl", 1.0, {1e-310, 0.0}, 1, 'U', 1}, 2, " ** No computation because abs(Z) =  1.00000-310 .LT.   3.92223-305"},
        {{"zhankl", 80.0, {1e-5, 1e-5}, 3, 'U', 1}, 3,
         " ** No computation because FNU+N-1 =  8.20000D+01 is too large."},
        {{"zhankl", 1.5, {1e-300, 0.0}, 1, 'U', 2}, 3,
         " ** No computation because FNU+N-1 =  1.50000D+00 is too large."},
    };
    for (const Failure& f : cases) check_failure(f);
}

// Error of one member in epsilons: |computed - exact| / max(|exact|, amplitude).
double member_error(Complex computed, Complex exact, double amplitude) {
    const double scale = std::max({std::abs(exact), amplitude, std::numeric_limits<double>::min()});
    return std::abs(computed - exact) / scale / eps;
}

// Calls the routine a reference row names (j, y, h1, h2) on that row.
Outcome run_row(const qelms::test::ReferenceRow& row) {
    const std::string kind = row.region.substr(0, row.region.find('_'));
    const std::map<std::string, std::pair<std::string, int>> routines = {
        {"j", {"zbeslj", 1}}, {"y", {"zbesly", 1}}, {"h1", {"zhankl", 1}}, {"h2", {"zhankl", 2}}};
    const auto& [routine, m] = routines.at(kind);
    const auto& v = row.values;
    return run({routine, v[0], {v[1], v[2]}, static_cast<int>(v[4]), v[3] != 0.0 ? 'S' : 'U', m}, -1);
}

// Every member within 8 eps of its value or local amplitude, in every region
// (4 functions times 8 regions; measured 5.9 at most).
constexpr double bound_eps = 8.0;
constexpr std::size_t region_count = 32;

TEST(BesselHankel, ReferenceValuesPerRegion) {
    std::map<std::string, double> largest;
    for (const auto& row : qelms::test::read_reference("complex_bessel_hankel.txt")) {
        const auto& v = row.values;
        SCOPED_TRACE(testing::Message() << row.region << " fnu=" << v[0] << " z=(" << v[1] << "," << v[2]
                                        << ") scaled=" << v[3]);
        const Outcome out = run_row(row);
        EXPECT_EQ(out.ifail, 0);
        EXPECT_EQ(out.nz, 0);
        double& worst = largest[row.region];
        for (int k = 0; k < static_cast<int>(v[4]); ++k) {
            const double error = member_error(out.cy[k], {v[5 + 3 * k], v[6 + 3 * k]}, v[7 + 3 * k]);
            worst = std::max(worst, error);
            EXPECT_LE(error, bound_eps) << "member " << k;
        }
    }
    EXPECT_EQ(largest.size(), region_count);
    if (std::getenv("QELMS_REPORT") != nullptr) {  // the maxima, for the accuracy table
        for (const auto& [region, worst] : largest) std::printf("%-22s %.2f\n", region.c_str(), worst);
    }
}

// On the real axis, orders 0 and 1 against the real-argument routines at the
// points of their own reference data (up to the precision bound 32768): the
// largest error per region no larger than theirs, or than 1 eps where theirs
// is smaller (measured: at most 0.90 eps in every region). J1 below
// 1000 * safe minimum underflows (counted in nz), and Y below exp(-elim) is
// refused: those rows are left out.
TEST(BesselHankel, RealAxisNoWorseThanRealRoutines) {
    using RealRoutine = double (*)(double, int&);
    const std::map<std::string, RealRoutine> real_routines = {
        {"beslj0", qelms::beslj0}, {"beslj1", qelms::beslj1}, {"besly0", qelms::besly0}, {"besly1", qelms::besly1}};
    std::map<std::string, std::pair<double, double>> largest;  // region: (complex, real)
    for (const auto& row : qelms::test::read_reference("bessel_j_y.txt")) {
        const double x = row.values[0];
        if (std::fabs(x) > 32768.0) continue;
        const std::string name = row.region.substr(0, 6);
        const bool j = name[4] == 'j';
        const Complex exact(row.values[1], 0.0);
        const double amplitude = row.values[2];
        const Outcome out = run({j ? "zbeslj" : "zbesly", name[5] == '1' ? 1.0 : 0.0, {x, 0.0}, 1}, 1);
        if (out.ifail != 0 || out.nz != 0) continue;
        int ifail = 1;
        const double real_value = real_routines.at(name)(x, ifail);
        auto& [complex_error, real_error] = largest[row.region];
        complex_error = std::max(complex_error, member_error(out.cy[0], exact, amplitude));
        real_error = std::max(real_error, member_error(real_value, exact, amplitude));
    }
    EXPECT_GE(largest.size(), 16u);
    for (const auto& [region, errors] : largest) {
        EXPECT_LE(errors.first, std::max(errors.second, 1.0)) << region;
        if (std::getenv("QELMS_REPORT") != nullptr) {
            std::printf("%-20s complex %.2f real %.2f\n", region.c_str(), errors.first, errors.second);
        }
    }
}

// Y on the positive real axis, where it comes from the recurrence of Y alone:
// the series and Miller starts, half-odd orders, members before and past the
// starting orders. Against mpmath (50 and 90 digits agreeing), to bound_eps
// of max(|Y|, |H(1)|). Members near 1e290 and beyond are left to the Hankel
// functions: the last rows are values there and the overflow past the range.
TEST(BesselHankel, BesselYOnThePositiveRealAxis) {
    const struct {
        double fnu, x;
        std::vector<std::pair<double, double>> members;  // value, scale
    } rows[] = {
        {0.3, 0.5, {{-0.80804750747749089, 1.06925}}},
        {0.5, 0.7, {{-0.72939515852456283, 0.953654}, {-1.6563541503977835, 1.66298}}},
        {1.5, 1.9, {{-0.44927021455323162, 0.654124}, {-0.89650899232508978, 0.919187}, {-1.9099639757759521, 1.91086}}},
        {2.7, 5.0, {{0.24119815767237196, 0.384765}}},
        {10.3, 2.0, {{-254115.56313068441, 254116.0}, {-2589701.1718943507, 2.5897e+6}}},
        {10.3, 50.0,
         {{0.050655033549016382, 0.114064}, {0.11097769109556695, 0.114323}, {-0.0004931171738201171, 0.114608}}},
        {49.5, 0.5, {{-1.7509684336841654e+91, 1.75097e+91}}},
        {49.5, 5.0, {{-6.2915931909864596e+41, 6.29159e+41}, {-1.242483515031419e+43, 1.24248e+43}}},
        {0.2, 25.0, {{-0.15073008013206309, 0.159564}, {-0.05658245367488715, 0.159653}, {0.14529816457927393, 0.159871}}},
        {80.7, 700.0, {{-0.024523191307953933, 0.0302582}, {-0.020451709442340383, 0.0302608}}},
        {60.3, 0.01, {{-8.5048600327066622e+218, 8.50486e+218}}},
        {60.3, 5.4760672457902466e-4, {{-9.9999999999999885e+294, 9.9999999999999885e+294}}},
    };
    for (const auto& row : rows) {
        for (const char scale : {'U', 'S'}) {
            const int n = static_cast<int>(row.members.size());
            SCOPED_TRACE(describe({"zbesly", row.fnu, {row.x, 0.0}, n, scale}));
            const Outcome out = run({"zbesly", row.fnu, {row.x, 0.0}, n, scale}, 1);
            ASSERT_EQ(out.ifail, 0);
            EXPECT_EQ(out.nz, 0);
            for (int k = 0; k < n; ++k) {
                EXPECT_EQ(out.cy[k].imag(), 0.0);
                EXPECT_LE(member_error(out.cy[k], {row.members[k].first, 0.0}, row.members[k].second), bound_eps)
                    << "member " << k;
            }
        }
    }
    EXPECT_EQ(run({"zbesly", 60.3, {3.2e-4, 0.0}, 1}, 1).ifail, 3);
}

// J of integer order is real for real positive z, and J(nu, conj z) =
// conj J(nu, z) everywhere, both to rounding (relative to the amplitude |H(1)|
// on the real axis past the turning point).
TEST(BesselHankel, SymmetriesOfJ) {
    for (double x : {0.5, 3.0, 17.5, 60.0, 250.0, 1000.0}) {
        for (double fnu : {0.0, 3.0, 50.0, 120.0}) {
            const Outcome j = run({"zbeslj", fnu, {x, 0.0}, 4}, 1);
            const Outcome h = run({"zhankl", fnu, {x, 0.0}, 4, 'U', 1}, 1);
            ASSERT_EQ(j.ifail, 0);
            for (int k = 0; k < 4; ++k) {
                if (j.cy[k] == 0.0) continue;  // underflowed
                const double amplitude = x > fnu + k ? std::abs(h.cy[k]) : 0.0;
                EXPECT_LE(std::fabs(j.cy[k].imag()), 2 * eps * std::max(std::abs(j.cy[k]), amplitude))
                    << "x=" << x << " order " << fnu + k;
            }
        }
    }
    for (Complex z : {Complex(0.3, 0.2), Complex(-4.0, 1.5), Complex(25.0, 3.0), Complex(-70.0, 40.0),
                      Complex(100.0, 150.0)}) {
        for (char scale : {'U', 'S'}) {
            const Outcome upper = run({"zbeslj", 2.5, z, 3, scale}, 1);
            const Outcome lower = run({"zbeslj", 2.5, std::conj(z), 3, scale}, 1);
            for (int k = 0; k < 3; ++k) {
                EXPECT_LE(std::abs(lower.cy[k] - std::conj(upper.cy[k])), 2 * eps * std::abs(upper.cy[k]))
                    << z << " " << scale << " member " << k;
            }
        }
    }
}

// On the negative real axis (z = -x + 0i, the principal branch) both Hankel
// functions agree with their values just above the axis: for H(2) the
// rotated argument iz lies on the negative imaginary axis and takes the
// continuation of K, below the large-order limit from iz, above it from -iz.
TEST(BesselHankel, NegativeRealAxisIsTheUpperSide) {
    for (int m : {1, 2}) {
        for (double fnu : {0.5, 30.0, 100.0, 250.0}) {
            for (double x : {3.5, 150.0, 400.0}) {
                const Outcome on = run({"zhankl", fnu, {-x, 0.0}, 2, 'S', m}, 1);
                const Outcome above = run({"zhankl", fnu, {-x, x * 1e-16}, 2, 'S', m}, 1);
                ASSERT_EQ(on.ifail, above.ifail) << "m=" << m << " fnu=" << fnu << " x=" << x;
                for (int k = 0; k < 2; ++k) {
                    EXPECT_LE(std::abs(on.cy[k] - above.cy[k]), 1e-11 * std::abs(above.cy[k]))
                        << "m=" << m << " fnu=" << fnu << " x=" << x << " member " << k;
                }
            }
        }
    }
}

// zbesly's Hankel calls share K of one argument with the continuation of the
// other and, where that continuation's I takes Miller's algorithm with the
// Wronskian, the pair K(fnu), K(fnu + 1): Y is the difference of the two
// kinds as zhankl gives them alone, bit for bit unscaled (the scaled kinds
// take their factors in another order here), on either side of the real
// axis and in each region of I.
TEST(BesselHankel, BesselYIsTheDifferenceOfSeparateHankelCalls) {
    struct Point {
        double fnu;
        double r;
    };
    const Point points[] = {
        {0.3, 0.5}, {49.5, 5.0}, {2.7, 5.0}, {10.3, 50.0}, {49.5, 50.0}, {0.3, 50.0}, {70.0, 30.0}, {10.3, 500.0},
    };
    for (const Point& p : points) {
        for (double theta : {0.7, 2.4, -0.7, -2.4, 1.5707963267948966}) {
            for (int n : {1, 2, 3}) {
                for (char scale : {'U', 'S'}) {
                    const Complex z = std::polar(p.r, theta);
                    const Outcome y = run({"zbesly", p.fnu, z, n, scale}, 1);
                    const Outcome h1 = run({"zhankl", p.fnu, z, n, scale, 1}, 1);
                    const Outcome h2 = run({"zhankl", p.fnu, z, n, scale, 2}, 1);
                    ASSERT_EQ(y.ifail, 0);
                    ASSERT_EQ(h1.ifail, 0);
                    ASSERT_EQ(h2.ifail, 0);
                    const double tay = std::fabs(2.0 * z.imag());
                    for (int k = 0; k < n; ++k) {
                        Complex a = h1.cy[k], b = h2.cy[k];
                        if (scale == 'S') {
                            // e^(-|Im z|) H from e^(-iz) H(1) and e^(iz) H(2)
                            const Complex turn(std::cos(z.real()), std::sin(z.real()));
                            if (z.imag() >= 0.0) {
                                a *= turn * std::exp(-tay);
                                b *= std::conj(turn);
                            } else {
                                a *= turn;
                                b *= std::conj(turn) * std::exp(-tay);
                            }
                        }
                        const Complex d = b - a;
                        const Complex expected(-d.imag() * 0.5, d.real() * 0.5);  // (H(1) - H(2))/(2i)
                        const double allowed = scale == 'S' ? 4 * eps * std::abs(expected) : 0.0;
                        EXPECT_LE(std::abs(y.cy[k] - expected), allowed)
                            << "fnu=" << p.fnu << " z=" << z << " n=" << n << " " << scale << " member " << k;
                    }
                }
            }
        }
    }
}

// zbesly passes on the failure of either Hankel call under its own name: the
// inner records appear only when ifail asks for messages, followed by the
// abnormal-exit lines naming ZBESLY; with ifail 1 (or any other that
// silences the failure exit) it is silent, warnings too.
TEST(BesselHankel, BesselYReportsHankelFailuresAsItsOwn) {
    const std::string warn = " ** Results lack precision because abs(Z) =  4.00000D+04 .GT.  3.27680D+04";
    const std::string overflow = " ** No computation because FNU+N-1 =  1.50000D+00 is too large.";
    const std::string tiny = " ** No computation because abs(Z) =  1.00000-310 .LT.   3.92223-305";
    const struct {
        Call call;
        int number;
        std::vector<std::string> records;  // both Hankel calls warn; a failing first call ends it
    } cases[] = {
        {{"zbesly", 0.0, {40000.0, 1.0}, 2}, 4, {warn, warn}},
        // on the real axis too, where H(2) may otherwise be taken as the conjugate of H(1)
        {{"zbesly", 0.3, {40000.0, 0.0}, 3}, 4, {warn, warn}},
        {{"zbesly", 0.0, {40000.0, 0.0}, 1}, 4, {warn, warn}},
        {{"zbesly", 0.0, {0.0, 40000.0}, 2, 's'}, 4, {warn, warn}},
        {{"zbesly", 1.5, {1e-300, 0.0}, 1}, 3, {overflow}},
        {{"zbesly", 0.0, {1e-310, 0.0}, 1}, 2, {tiny}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.call));
        // Every ifail that silences zbesly silences the Hankel calls inside it.
        for (int quiet : {2, 100, -2, -10}) {
            const Outcome other = run(c.call, quiet);
            EXPECT_EQ(other.ifail, c.number) << quiet;
            EXPECT_TRUE(other.lines.empty()) << quiet;
        }
        const Outcome silent = run(c.call, 1);
        EXPECT_EQ(silent.ifail, c.number);
        EXPECT_TRUE(silent.lines.empty());
        for (const Complex& v : silent.cy) {
            if (c.number == 4) {
                EXPECT_TRUE(std::isfinite(std::abs(v)) && v != 0.0) << v;
            } else {
                EXPECT_EQ(v, 0.0);
            }
        }
        std::vector<std::string> expected = c.records;
        expected.push_back(abnormal("zbesly", c.number));
        expected.push_back(soft);
        for (int loud_ifail : {-1, 11}) {
            const Outcome loud = run(c.call, loud_ifail);
            EXPECT_EQ(loud.lines, expected) << loud_ifail;
            EXPECT_EQ(loud.ifail, c.number);
        }
        expected.back() = hard;
        const Outcome stopped = run(c.call, 0);
        EXPECT_TRUE(stopped.stopped);
        EXPECT_EQ(stopped.lines, expected);
    }
}

TEST(BesselHankel, NotANumberAndInfinity) {
    for (const char* routine : {"zbeslj", "zbesly", "zhankl"}) {
        for (Complex z : {Complex(nan, 0.0), Complex(1.0, nan), Complex(inf, nan)}) {
            const Outcome out = run({routine, 0.5, z, 3, 'U', 2}, 0);
            EXPECT_EQ(out.ifail, 0) << routine;
            EXPECT_EQ(out.nz, 0) << routine;
            EXPECT_TRUE(out.lines.empty());
            for (const Complex& v : out.cy) EXPECT_TRUE(std::isnan(v.real()) && std::isnan(v.imag())) << routine;
        }
        const int no_computation = std::string(routine) == "zbeslj" ? 4 : 5;
        for (Complex z : {Complex(inf, 0.0), Complex(0.0, -inf), Complex(-inf, inf)}) {
            const Outcome out = run({routine, 0.5, z, 3, 'S', 1}, 1);
            EXPECT_EQ(out.ifail, no_computation) << routine;
            EXPECT_EQ(out.nz, 0);
            for (const Complex& v : out.cy) EXPECT_EQ(v, 0.0) << routine;
        }
        const Outcome huge_order = run({routine, inf, {1.0, 1.0}, 3, 'U', 1}, 1);
        EXPECT_EQ(huge_order.ifail, no_computation) << routine;
    }
}

// A count beyond any computed sequence is refused without writing a member,
// for a NaN z too (no NaN members, no success): the caller's block may be
// shorter than n.
TEST(BesselHankel, HugeCountsTouchNoMember) {
    const int huge = std::numeric_limits<int>::max();
    for (char scale : {'U', 'x'}) {
        for (Complex z : {Complex(1.0, 1.0), Complex(nan, 1.0)}) {
            Complex cy[2] = {{-7.0, -7.0}, {-7.0, -7.0}};
            Complex work[2];
            int nz = -1;
            int ifail = 1;
            qelms::zbeslj(0.0, z, huge, scale, cy, nz, ifail);
            EXPECT_EQ(ifail, scale == 'x' ? 1 : 4);
            ifail = 1;
            qelms::zhankl(1, 0.0, z, huge, scale, cy, nz, ifail);
            EXPECT_EQ(ifail, scale == 'x' ? 1 : 5);
            ifail = 1;
            qelms::zbesly(0.0, z, huge, scale, cy, nz, work, ifail);
            EXPECT_EQ(ifail, scale == 'x' ? 1 : 5);
            EXPECT_EQ(cy[0], Complex(-7.0, -7.0));
            EXPECT_EQ(nz, 0);
        }
    }
}

// Members that underflow are zeros counted in nz, not failures: the top
// orders of J at small z, every member of H(1) high in the upper half plane
// (K of the rotated argument -iz underflows).
TEST(BesselHankel, UnderflowedMembersAreCounted) {
    const Outcome j = run({"zbeslj", 60.0, {1e-3, 1e-3}, 12}, -1);
    EXPECT_EQ(j.ifail, 0);
    ASSERT_GT(j.nz, 0);
    ASSERT_LT(j.nz, 12);
    for (int k = 0; k < 12; ++k) EXPECT_EQ(j.cy[k] == 0.0, k >= 12 - j.nz) << k;
    for (int n : {1, 4}) {
        const Outcome h = run({"zhankl", 0.0, {1.0, 800.0}, n, 'U', 1}, -1);
        EXPECT_EQ(h.ifail, 0);
        EXPECT_EQ(h.nz, n);
        for (const Complex& v : h.cy) EXPECT_EQ(v, 0.0);
    }
}

// Every outcome over a sweep of the plane, orders and sizes, both scalings:
// a success has nz >= 0 and finite members; only the documented failures
// occur, and a failure other than the precision warning leaves zeros.
TEST(BesselHankel, SweepGivesCountsOrDocumentedFailures) {
    const double radii[] = {4e-305, 1e-200, 1e-8, 0.3, 2.0, 15.0, 21.784271729432426, 90.0, 650.0, 705.0, 3e4};
    const double orders[] = {0.0, 0.5, 1.0, 2.0, 40.0, 85.92135864716212, 86.0, 300.0};
    const double angles[] = {0.0, 0.7, 1.5707963267948966, 2.6, 3.141592653589793, -0.4, -1.5707963267948966,
                             -2.9};
    for (const char* routine : {"zbeslj", "zbesly", "zhankl"}) {
        for (double r : radii) {
            for (double a : angles) {
                for (double fnu : orders) {
                    for (int m : {1, 2}) {
                        if (m == 2 && std::string(routine) != "zhankl") continue;
                        for (char scale : {'U', 'S'}) {
                            const Call c{routine, fnu, std::polar(r, a), 3, scale, m};
                            const Outcome out = run(c, 1);
                            const int warning = std::string(routine) == "zbeslj" ? 3 : 4;
                            if (out.ifail == 0 || out.ifail == warning) {
                                EXPECT_GE(out.nz, 0) << describe(c);
                                for (const Complex& v : out.cy)
                                    EXPECT_TRUE(std::isfinite(v.real()) && std::isfinite(v.imag())) << describe(c);
                            } else {
                                EXPECT_TRUE(out.ifail >= 2 && out.ifail <= 6) << describe(c) << " " << out.ifail;
                                EXPECT_EQ(out.nz, 0) << describe(c);
                                for (const Complex& v : out.cy) EXPECT_EQ(v, 0.0) << describe(c);
                            }
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
