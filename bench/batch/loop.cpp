// The C++ loops the batch mode of the qelms command is measured against: the
// same calls through the library, writing the same text with printf or with
// an iostream. Usage: loop printf|stream gammaf|mixed COUNT
// (bench/batch/run writes the matching calls for the batch mode).
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>

#include <qelms/qelms.hpp>

namespace {

// The argument of call k, as bench/batch/run writes it.
double argument(long k) { return 0.5 + static_cast<double>(k % 1000) / 64.0; }

// Call k of a workload: gammaf alone, or gammaf, gaminc, beslj0 and zbesli
// (two members) in turn; the results go to `out` in the batch mode's text.
template <typename Out>
void call(long k, bool mixed, Out& out) {
    const double x = argument(k);
    int ifail = 1;
    switch (mixed ? k % 4 : 0) {
    case 0: {
        const double y = qelms::gammaf(x, ifail);
        out.reals({y}, ifail);
        break;
    }
    case 1: {
        double p = 0, q = 0;
        qelms::gaminc(2.0, x, 0.0, p, q, ifail);
        out.reals({p, q}, ifail);
        break;
    }
    case 2: {
        const double y = qelms::beslj0(x, ifail);
        out.reals({y}, ifail);
        break;
    }
    default: {
        std::complex<double> cy[2];
        int nz = 0;
        qelms::zbesli(0.0, {x, 1.0}, 2, 'U', cy, nz, ifail);
        out.column(cy[0], cy[1], nz, ifail);
    }
    }
}

struct Printf {
    void reals(std::initializer_list<double> values, int ifail) {
        for (double v : values) std::printf("%.17g ", v);
        std::printf("%d\n", ifail);
    }
    void column(std::complex<double> a, std::complex<double> b, int nz, int ifail) {
        std::printf("[%.17g%+.17gi;%.17g%+.17gi] %d %d\n", a.real(), a.imag(), b.real(), b.imag(), nz, ifail);
    }
};

struct Stream {
    Stream() { std::cout << std::setprecision(17); }
    void reals(std::initializer_list<double> values, int ifail) {
        for (double v : values) std::cout << v << ' ';
        std::cout << ifail << '\n';
    }
    void complex(std::complex<double> v) { std::cout << v.real() << (v.imag() < 0 ? "" : "+") << v.imag() << 'i'; }
    void column(std::complex<double> a, std::complex<double> b, int nz, int ifail) {
        std::cout << '[';
        complex(a);
        std::cout << ';';
        complex(b);
        std::cout << "] " << nz << ' ' << ifail << '\n';
    }
};

template <typename Out>
int run(bool mixed, long count) {
    Out out;
    for (long k = 0; k < count; ++k) call(k, mixed, out);
    std::cout.flush();
    return std::fflush(stdout) == 0 && std::cout ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: loop printf|stream gammaf|mixed COUNT\n", stderr);
        return 2;
    }
    const bool mixed = std::strcmp(argv[2], "mixed") == 0;
    const long count = std::atol(argv[3]);
    return std::strcmp(argv[1], "stream") == 0 ? run<Stream>(mixed, count) : run<Printf>(mixed, count);
}
