// Accuracy of the five sequence routines of complex argument per routine and
// region against mpmath: the tests' points at orders fnu + k that cross a
// power of two, and points drawn uniformly and log-uniformly in every band of
// |z| and order. For each region, the largest error over every member in eps
// of its scale (the value, or the local amplitude where the function
// oscillates through zeros) and, beside it, the plain relative error
// |computed - exact| / |exact|. Writes a markdown section to the file named
// by its argument, or to standard output.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "qelms/qelms.hpp"

namespace {

using Complex = std::complex<double>;
constexpr double eps = std::numeric_limits<double>::epsilon();

struct Row {
    std::string region;
    std::vector<double> v;  // fnu re im scaled n, then re im scale per member
};

std::vector<Row> read_rows(const char* path) {
    std::vector<Row> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        Row r;
        s >> r.region;
        for (std::string w; s >> w;) r.v.push_back(std::strtod(w.c_str(), nullptr));
        rows.push_back(std::move(r));
    }
    return rows;
}

// One call; false when the routine reports a failure other than the
// precision warning.
bool evaluate(const std::string& routine, double fnu, Complex z, int n, char scale, std::vector<Complex>& cy) {
    cy.assign(n, Complex(0.0));
    std::vector<Complex> work(n);
    int nz = 0, ifail = 1;
    if (routine == "i") qelms::zbesli(fnu, z, n, scale, cy.data(), nz, ifail);
    if (routine == "k") qelms::zbeslk(fnu, z, n, scale, cy.data(), nz, ifail);
    if (routine == "j") qelms::zbeslj(fnu, z, n, scale, cy.data(), nz, ifail);
    if (routine == "y") qelms::zbesly(fnu, z, n, scale, cy.data(), nz, work.data(), ifail);
    if (routine == "h1") qelms::zhankl(1, fnu, z, n, scale, cy.data(), nz, ifail);
    if (routine == "h2") qelms::zhankl(2, fnu, z, n, scale, cy.data(), nz, ifail);
    const int warning = routine == "i" || routine == "j" ? 3 : 4;
    return ifail == 0 || ifail == warning;
}

struct Figures {
    int calls = 0;
    int failed = 0;
    double scaled = 0.0;    // largest error over the scale, eps
    double relative = 0.0;  // largest plain relative error, eps
};

const char* routine_name(const std::string& r) {
    if (r == "i") return "zbesli";
    if (r == "k") return "zbeslk";
    if (r == "j") return "zbeslj";
    if (r == "y") return "zbesly";
    return r == "h1" ? "zhankl m=1" : "zhankl m=2";
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, Figures> table;  // routine/method/side
    std::map<std::string, Figures> total;  // routine
    for (const char* path : {QELMS_ORDERS_DATA, QELMS_ACCURACY_DATA}) {
        for (const Row& row : read_rows(path)) {
            const std::string routine = row.region.substr(0, row.region.find('/'));
            const auto& v = row.v;
            const int n = static_cast<int>(v[4]);
            std::vector<Complex> cy;
            Figures& f = table[row.region];
            Figures& t = total[routine];
            ++f.calls;
            ++t.calls;
            if (!evaluate(routine, v[0], {v[1], v[2]}, n, v[3] != 0.0 ? 'S' : 'U', cy)) {
                ++f.failed;
                ++t.failed;
                continue;
            }
            for (int k = 0; k < n; ++k) {
                const Complex exact(v[5 + 3 * k], v[6 + 3 * k]);
                const double err = std::abs(cy[k] - exact);
                const double scaled = err / v[7 + 3 * k] / eps;
                const double relative = exact == 0.0 ? 0.0 : err / std::abs(exact) / eps;
                for (Figures* g : {&f, &t}) {
                    g->scaled = std::max(g->scaled, scaled);
                    g->relative = std::max(g->relative, relative);
                }
            }
        }
    }
    FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr) return 1;
    std::fprintf(out,
                 "### Accuracy of the sequence routines\n\n"
                 "Largest error over every member, in eps, against mpmath (each reference evaluated at 50 and 90 "
                 "digits, raised until the two agree): over the scale (the value, or the local amplitude where the "
                 "function oscillates through zeros: (|H1| + |H2|)/2 for Y, for J past the turning point and for I of "
                 "the rotated argument, the larger of |H(m)| and that for H(m) in the half plane of its zeros, "
                 "|K(-z)| + pi |I(-z)| for K with Re z < 0), and plain relative beside it. Points: the tests' "
                 "sequences at orders fnu + k that pass 32, 64, 128, 256 and 512 and sequences that start or end "
                 "next to the turning point (`tests/data/complex_orders.txt`), and points drawn uniformly and "
                 "log-uniformly in |z| and order over every band up to |z| = 10^4 and order 1000, arg z uniform, "
                 "with a band of orders within 15%% of |z| next to the axes (`bench/data/complex_accuracy.txt`, "
                 "`tools/gen_bench_complex_accuracy.py`); both scalings, 1 to 50 members. A method is the evaluator the argument of the underlying I or K reaches (`uniform_raised`: "
                 "order below 85.9, |z| above it; `far`: |z| beyond 32768, with the precision warning); side: half "
                 "plane, or `axis` within a tenth of the imaginary axis. Failed: calls that report overflow (no "
                 "values).\n\n");
    std::fprintf(out, "| routine | calls | failed | max error (eps of scale) | max relative error (eps) |\n");
    std::fprintf(out, "|---|---|---|---|---|\n");
    for (const auto& [routine, f] : total)
        std::fprintf(out, "| `%s` | %d | %d | %.2f | %.3g |\n", routine_name(routine), f.calls, f.failed, f.scaled,
                     f.relative);
    std::fprintf(out, "\n| routine | method | side | calls | failed | max error (eps of scale) | max relative error (eps) |\n");
    std::fprintf(out, "|---|---|---|---|---|---|---|\n");
    for (const auto& [region, f] : table) {
        const auto a = region.find('/'), b = region.rfind('/');
        std::fprintf(out, "| `%s` | %s | %s | %d | %d | %.2f | %.3g |\n", routine_name(region.substr(0, a)),
                     region.substr(a + 1, b - a - 1).c_str(), region.substr(b + 1).c_str(), f.calls, f.failed,
                     f.scaled, f.relative);
    }
    if (out != stdout) std::fclose(out);
    return 0;
}
