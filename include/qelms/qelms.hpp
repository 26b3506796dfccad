// qelms: special functions of real and complex argument.
//
// Every routine takes the failure indicator `ifail` last, by reference. On
// entry it selects what happens if the routine detects a failure:
//   1   soft failure, silent: the routine returns with ifail = failure number;
//  -1   soft failure with messages: the records, an ABNORMAL EXIT line and a
//       soft-failure line are printed, then the routine returns;
//   0   hard failure: the same lines and a hard-failure line are printed, then
//       "Stop - Program terminated." goes to standard output and the routine
//       throws qelms::HardFailure (see set_stop_handler to change that).
// Other values follow the digit rules of qelms::fail_exit. On success ifail is 0.
// A NaN argument gives a NaN result with ifail 0 and no message.
#pragma once

#include <stdexcept>
#include <string>

namespace qelms {

// Thrown when a routine stops on a hard failure and no other stop handler is
// installed. what() is "Stop - Program terminated.".
class HardFailure : public std::runtime_error {
public:
    HardFailure(std::string routine, int error_number);
    const std::string& routine() const noexcept { return routine_; }
    int error_number() const noexcept { return error_number_; }

private:
    std::string routine_;
    int error_number_;
};

// Gamma function. ifail: 1 x > 170 (returns 4.3e+304); 2 x < -170 (returns 0);
// 3 |x| < 2.23e-308 (returns +-1/2.23e-308); 4 x a negative integer (4.3e+304).
double gammaf(double x, int& ifail);

// ln Gamma(x) for x > 0. ifail: 1 x <= 0 (returns 0); 2 x > 2.55e+305 (1.79e+308).
double lngamm(double x, int& ifail);

// erf(x) for any real x; never fails (ifail = 0).
double errfun(double x, int& ifail);

// erfc(x) = 1 - erf(x) for any real x; never fails (ifail = 0). Returns 0 for
// x >= 26.6 and 2 for x <= -6.25.
double erfcmp(double x, int& ifail);

}  // namespace qelms
