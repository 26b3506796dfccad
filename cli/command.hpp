// The calls of the qelms command: one call given as words, and the batch
// mode that reads one call per line.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct mxArray;

namespace qelms::cli {

constexpr int exit_use_error = 1;     // the call was refused (host error)
constexpr int exit_bad_command = 2;   // the command line could not be read
constexpr int exit_hard_failure = 3;  // a routine stopped on a hard failure (ifail 0)
constexpr int exit_output_error = 4;  // the results could not be written (or the calls read)

struct Outcome {
    int status = 0;    // 0 or one of the exit statuses above
    std::string line;  // the results, or the error text
    bool ok() const { return status == 0; }
};

// Runs one call given as words: [--nlhs N] ROUTINE ARG...
Outcome run_call(const std::vector<std::string>& words);

// The argument arrays of calls, kept so that one call after another reuses
// their storage.
struct Arguments {
    std::vector<std::unique_ptr<mxArray>> arrays;
    std::vector<const mxArray*> pointers;
};
Outcome run_call(const std::vector<std::string>& words, Arguments& arguments);

// Runs the call on each non-blank line read from the descriptor `input`,
// writing one line to `results` per call (the results, or "error: " and the
// error text). The lines are written in blocks: flushed whenever no whole line
// of input is waiting, so that a program that writes a call and waits for its
// answer gets it, and after every line when `flush_each_line`. Returns the
// largest status of its calls (0 when every call answered), or
// exit_output_error with the reason in `line` when the results could not be
// written or the input read; reading stops there.
Outcome run_batch(int input, std::FILE* results, bool flush_each_line = false);

// 0 when everything written to `out` has reached its file, else the error
// number of the write that failed (EIO when it is no longer known).
int flush_error(std::FILE* out);

}  // namespace qelms::cli
