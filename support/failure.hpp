// The failure exit shared by every routine, and the hooks through which it
// prints and stops.
#pragma once

#include <cmath>
#include <span>
#include <string_view>

#include "message_format.hpp"
#include "qelms/qelms.hpp"

namespace qelms {

// Whether a failure under this ifail on entry prints anything: -1, 0, -13,
// and positive values whose tens digit is not 0.
bool failure_prints(int ifail);

// Reports failure `error_number` of `routine` (upper-case name) as `ifail`
// (its value on entry to the routine) selects, and returns the number.
int fail_exit(int ifail, int error_number, std::string_view routine,
              std::span<const MessageRecord> records = {});
inline int fail_exit(int ifail, int error_number, std::string_view routine,
                     const Message& message) {
    return fail_exit(ifail, error_number, routine,
                     std::span<const MessageRecord>(message.records.data(), message.count));
}

// True, with ifail set to 0, when any argument is NaN: a NaN argument gives a
// NaN result without failure or message.
template <typename... Reals>
bool nan_argument(int& ifail, Reals... args) {
    if (!(std::isnan(args) || ...)) return false;
    ifail = 0;
    return true;
}

// mode 0 reads the message unit into `unit`, mode 1 stores it; others do nothing.
void message_unit(int mode, int& unit);

// Writes "Stop - Program terminated." on standard output and stops.
[[noreturn]] void fail_abort(std::string_view routine, int error_number);

}  // namespace qelms
