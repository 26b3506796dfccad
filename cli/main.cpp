// The qelms command: runs one routine, or a batch of calls read from standard
// input, through the embedded host exactly as MATLAB would call the module.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "../support/failure.hpp"
#include "command.hpp"

namespace {

using namespace qelms::cli;

const char* const usage =
    "usage: qelms [--nlhs N] ROUTINE ARG...   one call; prints its results on one line\n"
    "       qelms --batch                    one call per line of standard input\n"
    "       qelms --version | --help\n"
    "ARG is a MATLAB-like literal: 0.5  -1  1+2i  NaN  -Inf  'U'  []  [1 2 3]  [1;2]\n"
    "(in a shell, quote a character argument whole: \"'U'\").\n"
    "Exit status: 0 answered (soft failures too), 1 a use error, 2 an unreadable\n"
    "command line, 3 a hard failure (ifail 0), 4 the results could not be written\n"
    "(or the batch input read); a batch gives the largest status of its lines.\n";

const char* const routines =
#include "routine_help.inc"
    ;

[[noreturn]] void exit_on_hard_failure(std::string_view, int) {
    std::fflush(nullptr);
    std::exit(exit_hard_failure);
}

// The status of a command whose output on standard output is complete: a
// message and exit_output_error when any of it could not be written.
int finish(int status) {
    if (const int error = flush_error(stdout)) {
        std::fprintf(stderr, "error: cannot write the results: %s\n", std::strerror(error));
        return exit_output_error;
    }
    return status;
}

// True when the two descriptors write to one file other than a device such as
// /dev/null (a terminal counts): there the order of their lines is seen.
bool same_file(int a, int b) {
    struct stat sa, sb;
    if (fstat(a, &sa) != 0 || fstat(b, &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino && (!S_ISCHR(sa.st_mode) || isatty(a));
}

int batch() {
    // Results alone go to standard output; messages and the module's own
    // standard-output lines go to standard error, a line at a time.
    const int result_fd = dup(STDOUT_FILENO);
    FILE* results = result_fd >= 0 ? fdopen(result_fd, "w") : nullptr;
    if (!results || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::fputs("error: cannot set up batch output\n", stderr);
        return exit_output_error;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::setvbuf(results, nullptr, _IOFBF, 1 << 16);
    // where results and messages meet in one file, each answer follows its messages at once
    const Outcome outcome = run_batch(STDIN_FILENO, results, same_file(result_fd, STDERR_FILENO));
    std::fclose(results);
    if (outcome.status == exit_output_error) std::fprintf(stderr, "error: %s\n", outcome.line.c_str());
    return outcome.status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::fputs(usage, stderr);
        return exit_bad_command;
    }
    if (words[0] == "--help" || words[0] == "-h") {
        std::fputs(usage, stdout);
        std::fputs("\n", stdout);
        std::fputs(routines, stdout);
        return finish(0);
    }
    if (words[0] == "--version") {
        std::puts("qelms " QELMS_VERSION_STRING);
        return finish(0);
    }
    if (words[0] == "--batch") {
        if (words.size() == 1) return batch();
        std::fputs("error: --batch takes no other words\n", stderr);
        std::fputs(usage, stderr);
        return exit_bad_command;
    }
    qelms::set_stop_handler(&exit_on_hard_failure);
    const Outcome outcome = run_call(words);
    if (!outcome.ok()) {
        std::fflush(stdout);
        std::fprintf(stderr, "error: %s\n", outcome.line.c_str());
        return outcome.status;
    }
    std::printf("%s\n", outcome.line.c_str());
    return finish(0);
}
