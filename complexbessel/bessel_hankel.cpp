// Placeholder until the drivers land: every routine fails with its
// termination-condition number, computing nothing.
#include "qelms/qelms.hpp"

namespace qelms {

void zbeslj(double, std::complex<double>, int n, char, std::complex<double>* cy, int& nz, int& ifail) {
    for (int k = 0; k < n; ++k) cy[k] = 0.0;
    nz = 0; ifail = 5;
}
void zbesly(double, std::complex<double>, int n, char, std::complex<double>* cy, int& nz, std::complex<double>*,
            int& ifail) {
    for (int k = 0; k < n; ++k) cy[k] = 0.0;
    nz = 0; ifail = 6;
}
void zhankl(int, double, std::complex<double>, int n, char, std::complex<double>* cy, int& nz, int& ifail) {
    for (int k = 0; k < n; ++k) cy[k] = 0.0;
    nz = 0; ifail = 6;
}

}  // namespace qelms
