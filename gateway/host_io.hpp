// Printing in the host's command window and raising host errors.
#pragma once

#include <string_view>

namespace qelms::gateway {

// Prints `text` as one line through the host's `disp`, trailing blanks removed
// (a text of blanks prints as one blank); a negative unit prints nothing.
void write_message(int unit, std::string_view text);

// Identifiers of the errors the module raises: wrong use of a routine, a
// routine's hard failure, and a fault of the module itself.
inline constexpr std::string_view use_error_id = "qelms:useError";
inline constexpr std::string_view stop_id = "qelms:stop";
inline constexpr std::string_view internal_error_id = "qelms:internalError";

// Ends the host call with `text` as its error message and `identifier` as its
// error identifier; does not return.
[[noreturn]] void host_error(std::string_view text, std::string_view identifier = use_error_id);

}  // namespace qelms::gateway
