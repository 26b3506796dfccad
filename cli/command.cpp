#include "command.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "gateways.hpp"
#include "literal.hpp"

namespace qelms::cli {
namespace {

constexpr int largest_nlhs = 16;
constexpr std::string_view hard_failure_error = "Stop - Program terminated.";

// The number of results of the routine the name selects in the module, or 1
// for a name that selects none.
int default_nlhs(const std::string& routine) {
    const gateway::Gateway* g = gateway::find_gateway(routine);
    return g ? static_cast<int>(g->result_types.size()) : 1;
}

// The count after --nlhs: decimal digits only, from 0 to largest_nlhs.
int read_nlhs(const std::string& word) {
    if (word.empty() || word.size() > 2 || word.find_first_not_of("0123456789") != std::string::npos) return -1;
    const int n = std::stoi(word);
    return n <= largest_nlhs ? n : -1;
}

}  // namespace

Outcome run_call(const std::vector<std::string>& words, Arguments& arguments) {
    std::size_t first = 0;
    int nlhs = -1;
    if (!words.empty() && words[0] == "--nlhs") {
        nlhs = words.size() >= 2 ? read_nlhs(words[1]) : -1;
        if (nlhs < 0) return {exit_bad_command, "--nlhs needs a count from 0 to 16"};
        first = 2;
    }
    if (first >= words.size()) return {exit_bad_command, "no routine named"};
    auto& arrays = arguments.arrays;
    const std::size_t count = words.size() - first;
    while (arrays.size() < count) arrays.push_back(std::make_unique<mxArray>());
    std::string error;
    set_text(*arrays[0], words[first]);
    for (std::size_t i = 1; i < count; ++i) {
        if (!read_literal(words[first + i], *arrays[i], error)) return {exit_bad_command, error};
    }
    arguments.pointers.resize(count);
    std::transform(arrays.begin(), arrays.begin() + static_cast<std::ptrdiff_t>(count), arguments.pointers.begin(),
                   [](const host::Array& a) { return a.get(); });
    if (nlhs < 0) nlhs = default_nlhs(words[first]);
    const auto result = host::call(arguments.pointers, nlhs);
    if (!result.ok) {
        std::string text = result.error;
        text.erase(text.find_last_not_of(' ') + 1);  // use-error texts are blank-padded fields
        return {text == hard_failure_error ? exit_hard_failure : exit_use_error, text};
    }
    std::string line;
    line.reserve(64);
    for (const auto& r : result.results) {
        if (!line.empty()) line += ' ';
        append_array(line, *r);
    }
    return {0, std::move(line)};
}

Outcome run_call(const std::vector<std::string>& words) {
    Arguments arguments;
    return run_call(words, arguments);
}

namespace {

// Reads lines straight from a descriptor, so that it knows whether a whole
// line is waiting or the next read may wait for the writer of the input.
class LineReader {
public:
    // Longer lines are dropped unread (with their call), not held in memory.
    static constexpr std::size_t longest_line = 1 << 20;

    explicit LineReader(int input) : input_(input) {}

    bool line_waiting() const { return pending_.find('\n', start_) != std::string::npos; }

    // The next line without its newline (the last one may lack it), or an
    // empty line and `too_long` set for a line beyond longest_line; false at
    // the end of the input or when a read failed (error() says why).
    bool next(std::string& line, bool& too_long) {
        for (;;) {
            const std::size_t end = pending_.find('\n', start_);
            if (end != std::string::npos || (at_end_ && (start_ < pending_.size() || dropping_))) {
                const std::size_t stop = end == std::string::npos ? pending_.size() : end;
                too_long = dropping_ || stop - start_ > longest_line;
                dropping_ = false;
                line.assign(pending_, start_, too_long ? 0 : stop - start_);
                start_ = stop + 1;
                return true;
            }
            if (at_end_) return false;
            pending_.erase(0, std::min(start_, pending_.size()));
            start_ = 0;
            if (pending_.size() > longest_line) {
                pending_.clear();
                dropping_ = true;
            }
            char chunk[1 << 16];
            const ssize_t n = read(input_, chunk, sizeof chunk);
            if (n > 0) pending_.append(chunk, static_cast<std::size_t>(n));
            else if (n == 0) at_end_ = true;
            else if (errno != EINTR) {
                error_ = errno;
                return false;
            }
        }
    }

    int error() const { return error_; }

private:
    int input_;
    std::string pending_;
    std::size_t start_ = 0;
    bool at_end_ = false;
    bool dropping_ = false;  // the rest of an overlong line is being skipped
    int error_ = 0;
};

Outcome output_failure(const char* what, int error) {
    return {exit_output_error, std::string("cannot ") + what + ": " + std::strerror(error)};
}

}  // namespace

int flush_error(std::FILE* out) {
    if (std::fflush(out) != 0) return errno ? errno : EIO;
    return std::ferror(out) ? EIO : 0;
}

Outcome run_batch(int input, std::FILE* results, bool flush_each_line) {
    LineReader reader(input);
    Arguments arguments;  // their storage, and that of the words, serves every call
    std::vector<std::string> words;
    int worst = 0;
    std::string line;
    std::string text;
    for (;;) {
        // the answers so far go out before a read that may wait for more calls
        if (!reader.line_waiting()) {
            if (const int error = flush_error(results)) return output_failure("write the results", error);
        }
        bool too_long = false;
        if (!reader.next(line, too_long)) break;
        if (!too_long && line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::string error = too_long ? "line longer than " + std::to_string(LineReader::longest_line) + " bytes" : "";
        if (!too_long) split_words(line, words, error);
        const Outcome outcome = error.empty() ? run_call(words, arguments) : Outcome{exit_bad_command, error};
        worst = std::max(worst, outcome.status);
        text.assign(outcome.ok() ? "" : "error: ").append(outcome.line).push_back('\n');
        const bool written = std::fwrite(text.data(), 1, text.size(), results) == text.size() &&
                             (!flush_each_line || std::fflush(results) == 0);
        if (!written) return output_failure("write the results", errno ? errno : EIO);
    }
    if (reader.error()) return output_failure("read the calls", reader.error());
    if (const int error = flush_error(results)) return output_failure("write the results", error);
    return {worst, ""};
}

}  // namespace qelms::cli
