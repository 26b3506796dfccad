// libFuzzer target: the qelms command's batch reader and literal reader.
// The input is a batch of call lines. Checked:
//   - one output line per non-blank input line, and a status from 0 to 3
//     that is the largest of the lines' statuses;
//   - output lines hold only printable ASCII: results, or "error: " and a
//     text whose unprintable bytes are escaped;
//   - every result line reads back as literals;
//   - every literal the reader accepts, written out and read again, is the
//     same array (NaN payloads aside).
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "command.hpp"
#include "embedded_host.hpp"
#include "literal.hpp"

namespace {

using namespace qelms::cli;

[[noreturn]] void finding(const std::string& what, std::string_view input) {
    std::fprintf(stderr, "contract broken: %s (input: %s)\n", what.c_str(), shown(input).c_str());
    std::abort();
}

bool same_doubles(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::isnan(a[i]) && std::isnan(b[i])) continue;
        if (std::memcmp(&a[i], &b[i], sizeof(double)) != 0) return false;
    }
    return true;
}

bool same_array(const mxArray& a, const mxArray& b) {
    return a.m == b.m && a.n == b.n && a.is_char == b.is_char && a.chars == b.chars && same_doubles(a.re, b.re) &&
           same_doubles(a.im, b.im);
}

void check_round_trip(const std::string& word) {
    std::string error;
    const auto a = parse_literal(word, error);
    if (!a) {
        if (error.empty()) finding("refused without a reason", word);
        return;
    }
    const std::string written = format_array(**a);
    const auto again = parse_literal(written, error);
    if (!again) finding("written form '" + written + "' does not read back: " + error, word);
    if (!same_array(**a, **again)) finding("written form '" + written + "' reads back differently", word);
}

bool printable(std::string_view line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The module's header lines and messages go to standard output; keep them out of the log.
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    qelms::host::set_console([](std::string_view) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    std::size_t calls = 0;
    std::istringstream lines(input);
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        ++calls;
        std::string error;
        for (const std::string& word : split_words(line, error)) check_round_trip(word);
    }

    char* output = nullptr;
    std::size_t output_size = 0;
    std::FILE* results = open_memstream(&output, &output_size);
    if (!results) return 0;
    // the batch reads a descriptor: a file in memory holding the input
    const int in = memfd_create("calls", 0);
    if (in < 0 || write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size()) ||
        lseek(in, 0, SEEK_SET) != 0) {
        if (in >= 0) close(in);
        std::fclose(results);
        std::free(output);
        return 0;
    }
    const int status = run_batch(in, results).status;
    close(in);
    std::fclose(results);
    const std::string text(output, output_size);
    std::free(output);

    if (status < 0 || status > exit_hard_failure) finding("status " + std::to_string(status), input);
    std::size_t count = 0;
    bool any_error = false;
    std::istringstream out(text);
    for (std::string line; std::getline(out, line); ++count) {
        if (!printable(line)) finding("unprintable output line '" + shown(line) + "'", input);
        if (line.rfind("error: ", 0) == 0) {
            any_error = true;
            continue;
        }
        std::string error;
        for (const std::string& word : split_words(line, error)) {
            if (!parse_literal(word, error)) finding("result '" + line + "' does not read back", input);
        }
    }
    if (count != calls) finding(std::to_string(count) + " output lines for " + std::to_string(calls) + " calls", input);
    if (any_error != (status != 0)) finding("status " + std::to_string(status) + " does not match the lines", input);
    return 0;
}
