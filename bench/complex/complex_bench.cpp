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

// Member and work arrays of the qelms calls, kept outside the timed calls: a
// std::complex array declared in the call is zeroed on every call, which
// costs about 20 ns, a cost the peers (one double each) do not pay.
std::array<Complex, sequence_length> call_members, call_work;

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
    qelms::zbesly(fnu, z, n, scale, cy, nz, call_work.data(), ifail);
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
    Complex* const cy = call_members.data();
    int nz = 0, ifail = 1;
    const Complex z(x, 0.0);
    switch (kind) {
        case 'I': qelms::zbesli(nu, z, n, 'U', cy, nz, ifail); break;
        case 'K': qelms::zbeslk(nu, z, n, 'U', cy, nz, ifail); break;
        case 'J': qelms::zbeslj(nu, z, n, 'U', cy, nz, ifail); break;
        default: qelms::zbesly(nu, z, n, 'U', cy, nz, call_work.data(), ifail); break;
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

// Integer orders through GSL's functions of integer order, its faster ones.
bool gsl_axis(char kind, double nu, double x, int n, double* y) {
    bool ok = true;
    const bool integer = nu == std::floor(nu);
    for (int k = 0; k < n; ++k) {
        const double v = nu + k;
        const int m = static_cast<int>(v);
        gsl_sf_result r{};
        int status = 0;
        switch (kind) {
            case 'I': status = integer ? gsl_sf_bessel_In_e(m, x, &r) : gsl_sf_bessel_Inu_e(v, x, &r); break;
            case 'K': status = integer ? gsl_sf_bessel_Kn_e(m, x, &r) : gsl_sf_bessel_Knu_e(v, x, &r); break;
            case 'J': status = integer ? gsl_sf_bessel_Jn_e(m, x, &r) : gsl_sf_bessel_Jnu_e(v, x, &r); break;
            default: status = integer ? gsl_sf_bessel_Yn_e(m, x, &r) : gsl_sf_bessel_Ynu_e(v, x, &r); break;
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

// ---- The speed grid: cost over the faster of Boost.Math and GSL ----
//
// Orders 0.3, 2.7, 10.3, 49.5 (and 0, 1 on the real axis) at x = 0.5, 5, 50,
// 500; at complex z = x e^(0.7i) the same orders and moduli; the Airy
// functions at |z| = 0.5, 5, 50, 500 on six rays. Every cell is timed in each
// of grid_rounds rounds, the cells taking turns within a round, and its
// minimum over the rounds is kept: on a shared machine the minimum is the
// figure least disturbed by other work.
constexpr double grid_orders[] = {0.3, 2.7, 10.3, 49.5};
constexpr double grid_integer_orders[] = {0.0, 1.0};
constexpr double grid_moduli[] = {0.5, 5.0, 50.0, 500.0};
constexpr double grid_angle = 0.7;                                  // arg z of the complex points
constexpr double airy_angles[] = {0.0, 0.7, 1.5, 2.3, 3.1, 3.141592653589793};
constexpr int grid_rounds = 9;
constexpr double grid_batch_ns = 2.0e5;  // each timing repeats its call for about this long

// ns per call of one batch of about grid_batch_ns, the repeat count chosen once.
struct TimedCell {
    std::function<void()> call;
    long repeat = 0;
    double best = 1e300;
    void round() {
        using clock = std::chrono::steady_clock;
        if (repeat == 0) {
            // A first call may bind symbols or fault in pages: timed, it would
            // leave the repeat count at 1 and the clock's own cost in the cell.
            call();
            repeat = 1;
            for (;;) {
                const auto start = clock::now();
                for (long k = 0; k < repeat; ++k) call();
                const double ns = std::chrono::duration<double, std::nano>(clock::now() - start).count();
                if (ns > grid_batch_ns / 4.0) {
                    repeat = std::max(1L, static_cast<long>(repeat * grid_batch_ns / ns));
                    break;
                }
                repeat *= 4;
            }
        }
        const auto start = clock::now();
        for (long k = 0; k < repeat; ++k) call();
        const double ns = std::chrono::duration<double, std::nano>(clock::now() - start).count();
        best = std::min(best, ns / static_cast<double>(repeat));
    }
};

void run_rounds(std::vector<TimedCell*>& cells) {
    for (int r = 0; r < grid_rounds; ++r)
        for (TimedCell* c : cells) c->round();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 == 1 ? v[m] : 0.5 * (v[m - 1] + v[m]);
}

// One real-axis point: qelms, Boost and GSL for 1 and for 10 members.
struct AxisCells {
    char kind;
    double nu, x;
    TimedCell lib[3][2];  // [qelms, boost, gsl][n = 1, n = 10]
    double ratio(int i) const {
        return lib[0][i].best / std::min(lib[1][i].best, lib[2][i].best);
    }
};

// One complex point: qelms alone, n = 1.
struct ComplexCell {
    char kind;
    double nu, modulus;
    TimedCell cell;
};

struct AiryCell {
    bool bi;
    double modulus, angle;
    TimedCell cell;
};

bool qelms_complex(char kind, double nu, Complex z, Complex* cy) {
    int nz = 0, ifail = 1;
    switch (kind) {
        case 'I': qelms::zbesli(nu, z, 1, 'U', cy, nz, ifail); break;
        case 'K': qelms::zbeslk(nu, z, 1, 'U', cy, nz, ifail); break;
        case 'J': qelms::zbeslj(nu, z, 1, 'U', cy, nz, ifail); break;
        default: qelms::zbesly(nu, z, 1, 'U', cy, nz, call_work.data(), ifail); break;
    }
    return ifail == 0;
}

// Ai, Ai', Bi or Bi', scaled and unscaled, at one point: the four summed, so a
// cell costs the four calls.
void airy_calls(bool bi, Complex z) {
    for (const char deriv : {'F', 'D'})
        for (const char scale : {'U', 'S'}) {
            Complex v;
            int nz = 0, ifail = 1;
            if (bi)
                qelms::zairyb(deriv, z, scale, v, ifail);
            else
                qelms::zairya(deriv, z, scale, v, nz, ifail);
            sink += v.real();
        }
}

constexpr char grid_kinds[] = {'I', 'K', 'J', 'Y'};
constexpr const char* routine_of(char kind) {
    return kind == 'I' ? "zbesli" : kind == 'K' ? "zbeslk" : kind == 'J' ? "zbeslj" : "zbesly";
}

void write_grid_section(std::FILE* out) {
    std::vector<AxisCells> axis;
    std::vector<ComplexCell> complex_cells;
    std::vector<AiryCell> airy_cells;
    for (const char kind : grid_kinds) {
        for (const double x : grid_moduli) {
            for (const double nu : grid_integer_orders) axis.push_back({kind, nu, x, {}});
            for (const double nu : grid_orders) {
                axis.push_back({kind, nu, x, {}});
                complex_cells.push_back({kind, nu, x, {}});
            }
        }
    }
    for (const bool bi : {false, true})
        for (const double r : grid_moduli)
            for (const double a : airy_angles) airy_cells.push_back({bi, r, a, {}});

    std::vector<TimedCell*> cells;
    for (AxisCells& p : axis) {
        for (int l = 0; l < 3; ++l) {
            for (int i = 0; i < 2; ++i) {
                const int n = i == 0 ? 1 : sequence_length;
                const AxisSequence f = axis_libraries[l].sequence;
                p.lib[l][i].call = [f, &p, n] {
                    std::array<double, sequence_length> y{};
                    f(p.kind, p.nu, p.x, n, y.data());
                    sink += y[0];
                };
                cells.push_back(&p.lib[l][i]);
            }
        }
    }
    for (ComplexCell& c : complex_cells) {
        const Complex z = std::polar(c.modulus, grid_angle);
        c.cell.call = [&c, z] {
            qelms_complex(c.kind, c.nu, z, call_members.data());
            sink += call_members[0].real();
        };
        cells.push_back(&c.cell);
    }
    for (AiryCell& a : airy_cells) {
        const Complex z = std::polar(a.modulus, a.angle);
        a.cell.call = [&a, z] { airy_calls(a.bi, z); };
        cells.push_back(&a.cell);
    }
    run_rounds(cells);

    std::fprintf(out, "\n### The speed grid, next to the faster of Boost.Math and GSL\n\n");
    std::fprintf(out,
                 "`zbesli`, `zbeslk`, `zbeslj`, `zbesly` (unscaled) at z = x + 0i for orders 0.3, 2.7, 10.3, "
                 "49.5 and the integer orders 0 and 1, x = 0.5, 5, 50, 500, next to Boost.Math (double "
                 "policy, `promote_double<false>`) and GSL (`gsl_sf_bessel_Inu_e` and its kin; for integer "
                 "orders `gsl_sf_bessel_In_e` and its kin), one order per call there. Every cell is timed in "
                 "%d interleaved rounds of about %.1f ms and the minimum kept. The ratio is qelms over the "
                 "faster peer at that point: for one member, and for ten members in one call against ten "
                 "peer calls.\n\n",
                 grid_rounds, grid_batch_ns * 1e-6);
    std::fprintf(out, "| routine | orders | points | n=1: median ratio (largest) | n=10 vs 10 calls: median "
                      "(largest) |\n|---|---|---|---|---|\n");
    for (const char kind : grid_kinds) {
        for (const bool integer : {false, true}) {
            std::vector<double> one, ten;
            for (const AxisCells& p : axis) {
                if (p.kind != kind || (p.nu == std::floor(p.nu)) != integer) continue;
                one.push_back(p.ratio(0));
                ten.push_back(p.ratio(1));
            }
            std::fprintf(out, "| `%s` | %s | %zu | %.2f (%.2f) | %.2f (%.2f) |\n", routine_of(kind),
                         integer ? "0, 1" : "0.3, 2.7, 10.3, 49.5", one.size(), median(one),
                         *std::max_element(one.begin(), one.end()), median(ten),
                         *std::max_element(ten.begin(), ten.end()));
        }
    }
    std::fprintf(out, "\nEach point (ns per call):\n\n");
    std::fprintf(out, "| routine | order | x | qelms n=1 | boost | gsl | ratio | qelms n=10 | boost x10 | gsl x10 | "
                      "ratio |\n|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const AxisCells& p : axis)
        std::fprintf(out, "| `%s` | %g | %g | %.0f | %.0f | %.0f | %.2f | %.0f | %.0f | %.0f | %.2f |\n",
                     routine_of(p.kind), p.nu, p.x, p.lib[0][0].best, p.lib[1][0].best, p.lib[2][0].best,
                     p.ratio(0), p.lib[0][1].best, p.lib[1][1].best, p.lib[2][1].best, p.ratio(1));

    std::fprintf(out, "\nAt complex z = x e^(%gi), one member, ns per call (qelms alone; the peers have no "
                      "complex argument):\n\n", grid_angle);
    std::fprintf(out, "| routine | order | x = 0.5 | 5 | 50 | 500 |\n|---|---|---|---|---|---|\n");
    for (const char kind : grid_kinds)
        for (const double nu : grid_orders) {
            std::fprintf(out, "| `%s` | %g |", routine_of(kind), nu);
            for (const ComplexCell& c : complex_cells)
                if (c.kind == kind && c.nu == nu) std::fprintf(out, " %.0f |", c.cell.best);
            std::fprintf(out, "\n");
        }

    std::fprintf(out, "\nAiry functions at z = r e^(i theta), ns per call: the mean of the four calls "
                      "(function and derivative, unscaled and scaled) at each point.\n\n");
    std::fprintf(out, "| routine | r | theta = 0 | 0.7 | 1.5 | 2.3 | 3.1 | pi |\n|---|---|---|---|---|---|---|---|\n");
    for (const bool bi : {false, true})
        for (const double r : grid_moduli) {
            std::fprintf(out, "| `%s` | %g |", bi ? "zairyb" : "zairya", r);
            for (const AiryCell& a : airy_cells)
                if (a.bi == bi && a.modulus == r) std::fprintf(out, " %.0f |", a.cell.best / 4.0);
            std::fprintf(out, "\n");
        }
}

}  // namespace

int main(int argc, char** argv) {
    // --grid: the speed grid alone, for work on the routines' cost.
    const bool grid_only = argc > 1 && std::string(argv[1]) == "--grid";
    if (grid_only) {
        --argc;
        ++argv;
    }
    if (argc > 2) {
        std::fprintf(stderr, "usage: qelms_bench_complex [--grid] [OUT.md]\n");
        return 2;
    }
    std::FILE* out = argc == 2 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    gsl_set_error_handler_off();
    if (grid_only) {
        write_grid_section(out);
        const bool failed = std::ferror(out) != 0;
        if (out != stdout) std::fclose(out);
        return failed || sink == 12345.678 ? 1 : 0;
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
    write_axis_section(out, read_axis_points(QELMS_REAL_AXIS_DATA));
    write_grid_section(out);
    const bool failed = std::ferror(out) != 0;
    if (out != stdout) std::fclose(out);
    return failed || sink == 12345.678 ? 1 : 0;
}
