// Cost of the Bessel, Hankel and Airy functions of complex argument: time per
// call and per member for sequences of 1 and 10 members, over points that
// reach the main methods (power series, Miller, large-argument expansion,
// uniform expansions, continuation to the left half plane). Then, on the real
// axis, the Bessel routines next to Boost.Math's and GSL's Bessel functions of
// real fractional order (the only other libraries here with the same values):
// error against the committed 50-digit values of real_axis.txt
// (tools/gen_bench_complex_real_axis.py) and time for 1 and 10 orders. Writes a
// markdown section to the file named by its argument, or to standard output.
// Usage: qelms_bench_complex [OUT.md]
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <boost/math/special_functions/bessel.hpp>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_sf_bessel.h>

#include "qelms/qelms.hpp"

namespace {

using Complex = std::complex<double>;

struct Point {
    const char* label;
    double fnu;
    Complex z;
};

// Representative arguments, the same for every sequence routine.
const Point sequence_points[] = {
    {"small \\|z\\|", 0.5, {0.8, 0.6}},     {"medium \\|z\\|", 2.0, {6.0, 4.0}},
    {"large \\|z\\|", 1.0, {60.0, -25.0}},  {"left half plane", 0.3, {-7.0, 3.0}},
    {"large order", 120.0, {90.0, 40.0}},
};

// Airy arguments: the power series, the Bessel forms in the right and left
// sectors, and a large argument.
const Point airy_points[] = {
    {"\\|z\\| <= 1", 0.0, {0.6, 0.5}},
    {"1 < \\|z\\| <= 10", 0.0, {3.0, 2.0}},
    {"\\|arg z\\| >= 2pi/3", 0.0, {-5.0, 2.0}},
    {"large \\|z\\|", 0.0, {25.0, 10.0}},
};

constexpr int repeats = 5;          // the median of this many timings is reported
constexpr int sequence_length = 10;  // members of the longer sequence

double sink = 0.0;  // keeps the results alive

// Nanoseconds per call: the median over repeats of timings that each repeat
// the call until 20 ms have passed.
double time_call(const std::function<void()>& call) {
    using clock = std::chrono::steady_clock;
    std::array<double, repeats> ns{};
    for (double& t : ns) {
        long count = 0;
        const auto start = clock::now();
        auto now = start;
        do {
            for (int k = 0; k < 20; ++k) call();
            count += 20;
            now = clock::now();
        } while (now - start < std::chrono::milliseconds(20));
        t = std::chrono::duration<double, std::nano>(now - start).count() / static_cast<double>(count);
    }
    std::sort(ns.begin(), ns.end());
    return ns[repeats / 2];
}

using Sequence = void (*)(double, Complex, int, char, Complex*, int&, int&);

void zbesly_sequence(double fnu, Complex z, int n, char scale, Complex* cy, int& nz, int& ifail) {
    std::array<Complex, sequence_length> work;
    qelms::zbesly(fnu, z, n, scale, cy, nz, work.data(), ifail);
}
void zhankl_sequence(double fnu, Complex z, int n, char scale, Complex* cy, int& nz, int& ifail) {
    qelms::zhankl(1, fnu, z, n, scale, cy, nz, ifail);
}
void zairya_value(char deriv, Complex z, Complex& v, int& ifail) {
    int nz = 0;
    qelms::zairya(deriv, z, 'U', v, nz, ifail);
}
void zairyb_value(char deriv, Complex z, Complex& v, int& ifail) { qelms::zairyb(deriv, z, 'U', v, ifail); }

std::string format_number(const char* format, double v) {
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

// ---- On the real axis, next to Boost.Math and GSL ----

using namespace boost::math::policies;
// Double arithmetic throughout, errors reported through errno instead of exceptions.
using BoostPolicy = policy<promote_double<false>, domain_error<errno_on_error>, pole_error<errno_on_error>,
                           overflow_error<errno_on_error>, evaluation_error<errno_on_error>,
                           rounding_error<errno_on_error>, underflow_error<ignore_error>>;
constexpr BoostPolicy boost_policy{};

// One row of real_axis.txt: members of orders nu .. nu + 9 at x, with their error scales.
struct AxisPoint {
    char kind;  // I, K, J or Y
    double nu, x;
    std::array<long double, sequence_length> value, scale;
};

std::vector<AxisPoint> read_axis_points(const char* path) {
    std::vector<AxisPoint> points;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        AxisPoint p{};
        std::string value;
        s >> p.kind >> p.nu >> p.x;
        for (auto* column : {&p.value, &p.scale})
            for (long double& v : *column) {
                s >> value;
                v = std::strtold(value.c_str(), nullptr);
            }
        if (s) points.push_back(p);
    }
    return points;
}

// n members of orders nu .. nu + n - 1 at x into y; false on a failure.
using AxisSequence = bool (*)(char kind, double nu, double x, int n, double* y);

bool qelms_axis(char kind, double nu, double x, int n, double* y) {
    std::array<Complex, sequence_length> cy, work;
    int nz = 0, ifail = 1;
    const Complex z(x, 0.0);
    switch (kind) {
        case 'I': qelms::zbesli(nu, z, n, 'U', cy.data(), nz, ifail); break;
        case 'K': qelms::zbeslk(nu, z, n, 'U', cy.data(), nz, ifail); break;
        case 'J': qelms::zbeslj(nu, z, n, 'U', cy.data(), nz, ifail); break;
        default: qelms::zbesly(nu, z, n, 'U', cy.data(), nz, work.data(), ifail); break;
    }
    for (int k = 0; k < n; ++k) y[k] = cy[k].real();
    return ifail == 0;
}

// Boost.Math and GSL have no sequences in the order: one call per member.
bool boost_axis(char kind, double nu, double x, int n, double* y) {
    errno = 0;
    for (int k = 0; k < n; ++k) {
        const double v = nu + k;
        switch (kind) {
            case 'I': y[k] = boost::math::cyl_bessel_i(v, x, boost_policy); break;
            case 'K': y[k] = boost::math::cyl_bessel_k(v, x, boost_policy); break;
            case 'J': y[k] = boost::math::cyl_bessel_j(v, x, boost_policy); break;
            default: y[k] = boost::math::cyl_neumann(v, x, boost_policy); break;
        }
    }
    return errno == 0;
}

bool gsl_axis(char kind, double nu, double x, int n, double* y) {
    bool ok = true;
    for (int k = 0; k < n; ++k) {
        const double v = nu + k;
        gsl_sf_result r{};
        int status = 0;
        switch (kind) {
            case 'I': status = gsl_sf_bessel_Inu_e(v, x, &r); break;
            case 'K': status = gsl_sf_bessel_Knu_e(v, x, &r); break;
            case 'J': status = gsl_sf_bessel_Jnu_e(v, x, &r); break;
            default: status = gsl_sf_bessel_Ynu_e(v, x, &r); break;
        }
        y[k] = r.val;
        ok = ok && status == GSL_SUCCESS;
    }
    return ok;
}

struct AxisLibrary {
    const char* name;
    AxisSequence sequence;
};
constexpr AxisLibrary axis_libraries[] = {{"qelms", qelms_axis}, {"boost", boost_axis}, {"gsl", gsl_axis}};

// Largest error (eps) over every member of every point of one kind, the count
// of failed points, and the mean ns per call for 1 and for 10 members.
struct AxisFigures {
    double max_error = 0.0;
    int failed = 0;
    double ns_one = 0.0, ns_ten = 0.0;
};

AxisFigures axis_figures(const AxisLibrary& lib, const std::vector<AxisPoint>& points) {
    constexpr long double eps = 0x1p-52L;
    AxisFigures f;
    std::array<double, sequence_length> y{};
    for (const AxisPoint& p : points) {
        if (!lib.sequence(p.kind, p.nu, p.x, sequence_length, y.data())) {
            ++f.failed;
            continue;
        }
        for (int k = 0; k < sequence_length; ++k) {
            const long double e = std::fabs(static_cast<long double>(y[k]) - p.value[k]) / p.scale[k] / eps;
            f.max_error = std::max(f.max_error, static_cast<double>(e));
        }
    }
    for (int i = 0; i < 2; ++i) {
        const int n = i == 0 ? 1 : sequence_length;
        const double t = time_call([&] {
            for (const AxisPoint& p : points) {
                lib.sequence(p.kind, p.nu, p.x, n, y.data());
                sink += y[0];
            }
        });
        (i == 0 ? f.ns_one : f.ns_ten) = t / static_cast<double>(points.size());
    }
    return f;
}

void write_axis_section(std::FILE* out, const std::vector<AxisPoint>& points) {
    std::fprintf(out, "\n### On the real axis, next to Boost.Math and GSL\n\n");
    std::fprintf(out,
                 "`zbesli`, `zbeslk`, `zbeslj` and `zbesly` at z = x + 0i, unscaled, next to Boost.Math's "
                 "`cyl_bessel_i`, `cyl_bessel_k`, `cyl_bessel_j`, `cyl_neumann` and GSL's `gsl_sf_bessel_Inu`, "
                 "`Knu`, `Jnu`, `Ynu`, which take one order per call (for 10 members they are called 10 "
                 "times). Starting orders 0.3, 1.7, 4.5, 12.25, 40.5, x = 0.5, 3, 9, 25, 80, 300 "
                 "(`tools/gen_bench_complex_real_axis.py`); error in eps over all 10 members against "
                 "50-digit mpmath values, relative for I and K and over max(|value|, |J + iY|) for J and Y; "
                 "time as the mean ns per call over the points, the median of %d timings. A failed point "
                 "(ifail, errno or a GSL status) is counted and left out of the error.\n\n",
                 repeats);
    std::fprintf(out, "| routine | library | points | failed | max error (eps) | n=1 ns | n=%d ns | n=%d ns/member |\n",
                 sequence_length, sequence_length);
    std::fprintf(out, "|---|---|---|---|---|---|---|---|\n");
    const struct {
        char kind;
        const char* routine;
    } kinds[] = {{'I', "zbesli"}, {'K', "zbeslk"}, {'J', "zbeslj"}, {'Y', "zbesly"}};
    for (const auto& k : kinds) {
        std::vector<AxisPoint> of_kind;
        std::copy_if(points.begin(), points.end(), std::back_inserter(of_kind),
                     [&](const AxisPoint& p) { return p.kind == k.kind; });
        for (const AxisLibrary& lib : axis_libraries) {
            const AxisFigures f = axis_figures(lib, of_kind);
            std::fprintf(out, "| `%s` | %s | %zu | %d | %.3g | %.0f | %.0f | %.0f |\n", k.routine, lib.name,
                         of_kind.size(), f.failed, f.max_error, f.ns_one, f.ns_ten, f.ns_ten / sequence_length);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: qelms_bench_complex [OUT.md]\n");
        return 2;
    }
    std::FILE* out = argc == 2 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<std::string> rows;
    auto add_row = [&](const std::string& routine, const char* label, const Point& p, double one, double ten,
                       int ifail) {
        // ten < 0: a routine of one value and no order
        const bool sequence = ten >= 0.0;
        char head[160];
        std::snprintf(head, sizeof head, "| `%s` | %s | %s | (%g, %g) | ", routine.c_str(), label,
                      sequence ? format_number("%g", p.fnu).c_str() : "–", p.z.real(), p.z.imag());
        rows.push_back(head + format_number("%.0f", one) + " | " +
                       (sequence ? format_number("%.0f", ten) : "–") + " | " +
                       (sequence ? format_number("%.0f", ten / sequence_length) : "–") + " | " +
                       std::to_string(ifail) + " |");
    };

    const struct {
        const char* name;
        Sequence routine;
    } sequences[] = {{"zbesli", qelms::zbesli}, {"zbeslk", qelms::zbeslk}, {"zbeslj", qelms::zbeslj},
                     {"zbesly", zbesly_sequence}, {"zhankl", zhankl_sequence}};
    for (const auto& s : sequences) {
        for (const Point& p : sequence_points) {
            double per_call[2];
            int ifail_seen = 0;
            for (int i = 0; i < 2; ++i) {
                const int n = i == 0 ? 1 : sequence_length;
                std::array<Complex, sequence_length> cy;
                per_call[i] = time_call([&] {
                    int nz = 0;
                    int ifail = 1;
                    s.routine(p.fnu, p.z, n, 'U', cy.data(), nz, ifail);
                    sink += cy[0].real();
                    ifail_seen = std::max(ifail_seen, ifail);
                });
            }
            add_row(s.name, p.label, p, per_call[0], per_call[1], ifail_seen);
        }
    }
    const struct {
        const char* name;
        char deriv;
        void (*routine)(char, Complex, Complex&, int&);
    } airy[] = {{"zairya", 'F', zairya_value}, {"zairya", 'D', zairya_value},
                {"zairyb", 'F', zairyb_value}, {"zairyb", 'D', zairyb_value}};
    for (const auto& a : airy) {
        for (const Point& p : airy_points) {
            int ifail_seen = 0;
            const double t = time_call([&] {
                Complex v;
                int ifail = 1;
                a.routine(a.deriv, p.z, v, ifail);
                sink += v.real();
                ifail_seen = std::max(ifail_seen, ifail);
            });
            add_row(std::string(a.name) + " '" + a.deriv + "'", p.label, p, t, -1.0, ifail_seen);
        }
    }

    std::fprintf(out, "## Functions of complex argument\n\n");
    std::fprintf(out,
                 "Time of the Bessel, Hankel and Airy functions of complex argument (unscaled, `zhankl` of "
                 "the first kind): ns per call for a sequence of 1 and of %d members, and per member of the "
                 "longer sequence; median of %d timings. The Airy routines return one value per call. "
                 "`ifail` is the largest failure number seen at the point (0: success).\n\n",
                 sequence_length, repeats);
    std::fprintf(out, "| routine | region | order | z | n=1 ns/call | n=%d ns/call | n=%d ns/member | ifail |\n",
                 sequence_length, sequence_length);
    std::fprintf(out, "|---|---|---|---|---|---|---|---|\n");
    for (const std::string& row : rows) std::fprintf(out, "%s\n", row.c_str());
    gsl_set_error_handler_off();
    write_axis_section(out, read_axis_points(QELMS_REAL_AXIS_DATA));
    const bool failed = std::ferror(out) != 0;
    if (out != stdout) std::fclose(out);
    return failed || sink == 12345.678 ? 1 : 0;
}
