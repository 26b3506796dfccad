// Cost of the Bessel, Hankel and Airy functions of complex argument: time per
// call and per member for sequences of 1 and 10 members, over points that
// reach the main methods (power series, Miller, large-argument expansion,
// uniform expansions, continuation to the left half plane).
#include <chrono>
#include <complex>
#include <cstdio>
#include <algorithm>
#include <functional>
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
const Point points[] = {
    {"small |z|", 0.5, {0.8, 0.6}},         {"medium |z|", 2.0, {6.0, 4.0}},
    {"large |z|", 1.0, {60.0, -25.0}},      {"left half plane", 0.3, {-7.0, 3.0}},
    {"large order", 120.0, {90.0, 40.0}},
};

double sink = 0.0;  // keeps the results alive

// Repeats the call until 0.2 s have passed and
// returns nanoseconds per call.
double time_call(const std::function<void()>& call) {
    using clock = std::chrono::steady_clock;
    long count = 0;
    const auto start = clock::now();
    auto now = start;
    do {
        for (int k = 0; k < 100; ++k) call();
        count += 100;
        now = clock::now();
    } while (now - start < std::chrono::milliseconds(200));
    return std::chrono::duration<double, std::nano>(now - start).count() / static_cast<double>(count);
}

using Sequence = void (*)(double, Complex, int, char, Complex*, int&, int&);

void zbesly_sequence(double fnu, Complex z, int n, char scale, Complex* cy, int& nz, int& ifail) {
    static std::vector<Complex> work(16);
    qelms::zbesly(fnu, z, n, scale, cy, nz, work.data(), ifail);
}
void zhankl_sequence(double fnu, Complex z, int n, char scale, Complex* cy, int& nz, int& ifail) {
    qelms::zhankl(1, fnu, z, n, scale, cy, nz, ifail);
}

}  // namespace

int main() {
    const struct {
        const char* name;
        Sequence routine;
    } sequences[] = {{"zbesli", qelms::zbesli}, {"zbeslk", qelms::zbeslk}, {"zbeslj", qelms::zbeslj},
                     {"zbesly", zbesly_sequence}, {"zhankl", zhankl_sequence}};

    std::printf("%-8s %-16s %12s %12s %12s %12s\n", "routine", "region", "n=1 ns/call", "n=10 ns/call",
                "n=10 ns/mem", "ifail");
    for (const auto& s : sequences) {
        for (const Point& p : points) {
            double per_call[2];
            int ifail_seen = 0;
            for (int i = 0; i < 2; ++i) {
                const int n = i == 0 ? 1 : 10;
                Complex cy[10];
                per_call[i] = time_call([&] {
                    int nz = 0;
                    int ifail = 1;
                    s.routine(p.fnu, p.z, n, 'U', cy, nz, ifail);
                    sink += cy[0].real();
                    ifail_seen = std::max(ifail_seen, ifail);
                });
            }
            std::printf("%-8s %-16s %12.0f %12.0f %12.0f %12d\n", s.name, p.label, per_call[0], per_call[1],
                        per_call[1] / 10.0, ifail_seen);
        }
    }
    for (const Point& p : points) {
        for (const bool ai : {true, false}) {
            const double t = time_call([&] {
                Complex v;
                int nz = 0;
                int ifail = 1;
                if (ai) {
                    qelms::zairya('F', p.z, 'U', v, nz, ifail);
                } else {
                    qelms::zairyb('F', p.z, 'U', v, ifail);
                }
                sink += v.real();
            });
            std::printf("%-8s %-16s %12.0f\n", ai ? "zairya" : "zairyb", p.label, t);
        }
    }
    return sink == 12345.678 ? 1 : 0;
}
