// The qelms command: runs one routine, or a batch of calls read from standard
// input, through the embedded host exactly as MATLAB would call the module.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>

#include "../support/failure.hpp"
#include "command.hpp"

namespace {

using namespace qelms::cli;

const char* usage =
    "usage: qelms [--nlhs N] ROUTINE ARG...\n"
    "       qelms --batch            (one call per line on standard input)\n"
    "ARG is a MATLAB-like literal: 0.5  -1  1+2i  NaN  -Inf  'U'  []  [1 2 3]  [1;2]\n";

[[noreturn]] void exit_on_hard_failure(std::string_view, int) {
    std::fflush(nullptr);
    std::exit(exit_hard_failure);
}

int batch() {
    // Results alone go to standard output; messages and the module's own
    // standard-output lines go to standard error.
    const int result_fd = dup(STDOUT_FILENO);
    FILE* results = result_fd >= 0 ? fdopen(result_fd, "w") : nullptr;
    if (!results || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::fputs("qelms: cannot set up batch output\n", stderr);
        return exit_bad_command;
    }
    const int status = run_batch(std::cin, results);
    std::fclose(results);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::fputs(usage, words.empty() ? stderr : stdout);
        return words.empty() ? exit_bad_command : 0;
    }
    if (words[0] == "--batch") {
        if (words.size() == 1) return batch();
        std::fputs("error: --batch takes no other words\n", stderr);
        std::fputs(usage, stderr);
        return exit_bad_command;
    }
    qelms::set_stop_handler(&exit_on_hard_failure);
    const Outcome outcome = run_call(words);
    std::fflush(stdout);
    if (!outcome.ok()) {
        std::fprintf(stderr, "error: %s\n", outcome.line.c_str());
        return outcome.status;
    }
    std::printf("%s\n", outcome.line.c_str());
    return 0;
}
