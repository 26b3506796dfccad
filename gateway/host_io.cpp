#include "host_io.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "mex.h"

namespace qelms::gateway {
namespace {
constexpr std::size_t command_capacity = 2000;
char command_field[command_capacity + 1];  // the `disp` command being assembled
char error_field[2048 + 1];                // the error text, NUL-terminated for the host
char identifier_field[64 + 1];             // the error identifier, likewise
}  // namespace

void write_message(int unit, std::string_view text) {
    if (unit < 0) return;
    std::size_t length = text.size();
    while (length > 1 && text[length - 1] == ' ') --length;
    std::size_t pos = 0;
    auto put = [&](char c) {
        if (pos < command_capacity) command_field[pos++] = c;
    };
    for (char c : std::string_view("disp '")) put(c);
    for (std::size_t i = 0; i < length; ++i) {
        put(text[i]);
        if (text[i] == '\'') put('\'');
    }
    put('\'');
    put(' ');
    command_field[pos] = '\0';
    mexEvalString(command_field);
}

void host_error(std::string_view text, std::string_view identifier) {
    const std::size_t length = std::min(text.size(), sizeof error_field - 1);
    std::memcpy(error_field, text.data(), length);
    error_field[length] = '\0';
    const std::size_t id_length = std::min(identifier.size(), sizeof identifier_field - 1);
    std::memcpy(identifier_field, identifier.data(), id_length);
    identifier_field[id_length] = '\0';
    // the text goes through "%s", so a '%' in it is printed as it is
    mexErrMsgIdAndTxt(identifier_field, "%s", error_field);
    std::abort();  // the host never returns from mexErrMsgIdAndTxt
}

}  // namespace qelms::gateway
