// A C++ program using qelms: evaluates a few routines, then meets a failure
// twice, once silently through ifail = 1 and once as qelms::HardFailure.
#include <cstdio>

#include <qelms/qelms.hpp>

int main() {
    int ifail = -1;
    std::printf("Gamma(0.5)   = %.17g\n", qelms::gammaf(0.5, ifail));
    ifail = -1;
    std::printf("erfc(3)      = %.17g\n", qelms::erfcmp(3.0, ifail));
    ifail = -1;
    std::printf("J0(2.5)      = %.17g\n", qelms::beslj0(2.5, ifail));
    ifail = -1;
    double p = 0.0;
    double q = 0.0;
    qelms::gaminc(2.0, 1.0, 0.0, p, q, ifail);
    std::printf("P(2, 1)      = %.17g\n", p);

    ifail = 1;  // soft and silent: the failure number comes back in ifail
    const double lg = qelms::lngamm(-1.0, ifail);
    std::printf("lngamm(-1)   = %g with ifail %d\n", lg, ifail);
    if (ifail != 1) return 1;

    ifail = 0;  // hard: the messages are printed, then HardFailure is thrown
    try {
        qelms::gammaf(200.0, ifail);
        return 1;
    } catch (const qelms::HardFailure& failure) {
        std::printf("gammaf(200)  stopped: %s (%s, failure %d)\n", failure.what(), failure.routine().c_str(),
                    failure.error_number());
    }
    return 0;
}
