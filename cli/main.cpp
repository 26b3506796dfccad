// The qelms command: runs one routine, or a batch of calls read from standard
// input, through the embedded host exactly as MATLAB would call the module.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>

#include "../support/failure.hpp"
#include "gateways.hpp"
#include "literal.hpp"

namespace {

constexpr int exit_use_error = 1;     // the call was refused (host error)
constexpr int exit_bad_command = 2;   // the command line could not be read
constexpr int exit_hard_failure = 3;  // a routine stopped on a hard failure (ifail 0)

const char* usage =
    "usage: qelms [--nlhs N] ROUTINE ARG...\n"
    "       qelms --batch            (one call per line on standard input)\n"
    "ARG is a MATLAB-like literal: 0.5  -1  1+2i  NaN  -Inf  'U'  []  [1 2 3]  [1;2]\n";

// The number of results the routine returns, or 1 for an unknown name.
int default_nlhs(const std::string& routine) {
    for (const auto* g : qelms::gateway::dispatch_table())
        if (g->name == routine) return static_cast<int>(g->result_types.size());
    return 1;
}

struct Outcome {
    int status = 0;    // 0, exit_use_error or exit_bad_command
    std::string line;  // the results, or the error text
    bool ok() const { return status == 0; }
};

// Runs one call given as words: [--nlhs N] ROUTINE ARG...
Outcome run_call(const std::vector<std::string>& words) {
    std::size_t first = 0;
    int nlhs = -1;
    if (words.size() >= 2 && words[0] == "--nlhs") {
        char* end = nullptr;
        const long n = std::strtol(words[1].c_str(), &end, 10);
        if (*end != '\0' || n < 0 || n > 16) return {exit_bad_command, "--nlhs needs a count from 0 to 16"};
        nlhs = static_cast<int>(n);
        first = 2;
    }
    if (first >= words.size()) return {exit_bad_command, "no routine named"};
    std::vector<qelms::host::Array> owned;
    std::string error;
    owned.push_back(qelms::host::string_array(words[first]));
    for (std::size_t i = first + 1; i < words.size(); ++i) {
        auto a = qelms::cli::parse_literal(words[i], error);
        if (!a) return {exit_bad_command, error};
        owned.push_back(std::move(*a));
    }
    std::vector<const mxArray*> args;
    for (const auto& a : owned) args.push_back(a.get());
    if (nlhs < 0) nlhs = default_nlhs(words[first]);
    const auto result = qelms::host::call(args, nlhs);
    if (!result.ok) {
        std::string text = result.error;
        text.erase(text.find_last_not_of(' ') + 1);  // use-error texts are blank-padded fields
        return {exit_use_error, text};
    }
    std::string line;
    for (const auto& r : result.results) line += (line.empty() ? "" : " ") + qelms::cli::format_array(*r);
    return {0, line};
}

[[noreturn]] void exit_on_hard_failure(std::string_view, int) {
    std::fflush(nullptr);
    std::exit(exit_hard_failure);
}

int run_batch() {
    // Results alone go to standard output; messages and the module's own
    // standard-output lines go to standard error.
    const int result_fd = dup(STDOUT_FILENO);
    FILE* results = result_fd >= 0 ? fdopen(result_fd, "w") : nullptr;
    if (!results || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::fputs("qelms: cannot set up batch output\n", stderr);
        return exit_bad_command;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::string error;
        const auto words = qelms::cli::split_words(line, error);
        const Outcome outcome = error.empty() ? run_call(words) : Outcome{exit_bad_command, error};
        std::fflush(stdout);
        std::fprintf(results, "%s%s\n", outcome.ok() ? "" : "error: ", outcome.line.c_str());
        std::fflush(results);
    }
    std::fclose(results);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::fputs(usage, words.empty() ? stderr : stdout);
        return words.empty() ? exit_bad_command : 0;
    }
    if (words[0] == "--batch") return run_batch();
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
