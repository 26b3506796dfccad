// Placeholder until the drivers land: every routine fails with its
// termination-condition number, computing nothing.
#include "qelms/qelms.hpp"

namespace qelms {

void zairya(char, std::complex<double>, char, std::complex<double>& ai, int& nz, int& ifail) {
    ai = 0.0; nz = 0; ifail = 5;
}
void zairyb(char, std::complex<double>, char, std::complex<double>& bi, int& ifail) { bi = 0.0; ifail = 5; }

}  // namespace qelms
