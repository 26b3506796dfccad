// Printing in the host's command window and raising host errors.
#pragma once

#include <string_view>

namespace qelms::gateway {

// Prints `text` as one line through the host's `disp`, trailing blanks removed
// (a text of blanks prints as one blank); a negative unit prints nothing.
void write_message(int unit, std::string_view text);

// Ends the host call with `text` as its error message; does not return.
[[noreturn]] void host_error(std::string_view text);

}  // namespace qelms::gateway
