// The calls of the qelms command: one call given as words, and the batch
// mode that reads one call per line.
#pragma once

#include <cstdio>
#include <istream>
#include <string>
#include <vector>

namespace qelms::cli {

constexpr int exit_use_error = 1;     // the call was refused (host error)
constexpr int exit_bad_command = 2;   // the command line could not be read
constexpr int exit_hard_failure = 3;  // a routine stopped on a hard failure (ifail 0)

struct Outcome {
    int status = 0;    // 0 or one of the exit statuses above
    std::string line;  // the results, or the error text
    bool ok() const { return status == 0; }
};

// Runs one call given as words: [--nlhs N] ROUTINE ARG...
Outcome run_call(const std::vector<std::string>& words);

// Runs the call on each non-blank line of `in`, writing one line to `results`
// per call (the results, or "error: " and the error text); returns the largest
// status of its calls, 0 when every call answered.
int run_batch(std::istream& in, std::FILE* results);

}  // namespace qelms::cli
