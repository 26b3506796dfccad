// MATLAB-like literals for the qelms command: reading arguments and writing
// results.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "embedded_host.hpp"

namespace qelms::cli {

// Reads 0.5, -1, 1+2i, 2.5i, NaN, -Inf, 'text' ('' for an apostrophe), [],
// [1 2 3], [1;2] or [1+2i, 3]; nullopt with `error` set when it is none of these.
std::optional<host::Array> parse_literal(std::string_view text, std::string& error);
// The same into an array that already exists (a batch reuses its arguments);
// false with `error` set, and the array unchanged, when it is none of these.
bool read_literal(std::string_view text, mxArray& into, std::string& error);

// Makes `a` the 1-by-n character row of `text` (0-by-0 when empty).
void set_text(mxArray& a, std::string_view text);

// The text with every byte outside printable ASCII, and the backslash, written
// as an escape (\x0d, \\), for error lines that quote their input.
std::string shown(std::string_view text);

// Splits a call line into words at blanks outside brackets and quotes; the
// second form into `words`, reusing the storage of the strings already there.
std::vector<std::string> split_words(std::string_view line, std::string& error);
void split_words(std::string_view line, std::vector<std::string>& words, std::string& error);

// A real in 17 significant digits, a complex as 1.5+2.5i, a matrix as [a;b;c]
// or [a b;c d], a string in apostrophes; append_array adds it to `out`.
std::string format_array(const mxArray& array);
void append_array(std::string& out, const mxArray& array);

}  // namespace qelms::cli
