// Cost of the Bessel, Hankel and Airy functions of complex argument: time per
// call and per member for sequences of 1 and 10 members, over points that
// reach the main methods (power series, Miller, large-argument expansion,
// uniform expansions, continuation to the left half plane). Writes a markdown
// section to the file named by its argument, or to standard output.
// Usage: qelms_bench_complex [OUT.md]
#include <algorithm>
#include <array>
#include <chrono>
#include <complex>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

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
    const bool failed = std::ferror(out) != 0;
    if (out != stdout) std::fclose(out);
    return failed || sink == 12345.678 ? 1 : 0;
}
