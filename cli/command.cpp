#include "command.hpp"

#include <algorithm>

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

Outcome run_call(const std::vector<std::string>& words) {
    std::size_t first = 0;
    int nlhs = -1;
    if (!words.empty() && words[0] == "--nlhs") {
        nlhs = words.size() >= 2 ? read_nlhs(words[1]) : -1;
        if (nlhs < 0) return {exit_bad_command, "--nlhs needs a count from 0 to 16"};
        first = 2;
    }
    if (first >= words.size()) return {exit_bad_command, "no routine named"};
    std::vector<host::Array> owned;
    std::string error;
    owned.push_back(host::string_array(words[first]));
    for (std::size_t i = first + 1; i < words.size(); ++i) {
        auto a = parse_literal(words[i], error);
        if (!a) return {exit_bad_command, error};
        owned.push_back(std::move(*a));
    }
    std::vector<const mxArray*> args;
    for (const auto& a : owned) args.push_back(a.get());
    if (nlhs < 0) nlhs = default_nlhs(words[first]);
    const auto result = host::call(args, nlhs);
    if (!result.ok) {
        std::string text = result.error;
        text.erase(text.find_last_not_of(' ') + 1);  // use-error texts are blank-padded fields
        return {text == hard_failure_error ? exit_hard_failure : exit_use_error, text};
    }
    std::string line;
    for (const auto& r : result.results) {
        if (!line.empty()) line += ' ';
        line += format_array(*r);
    }
    return {0, line};
}

int run_batch(std::istream& in, std::FILE* results) {
    int worst = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::string error;
        const auto words = split_words(line, error);
        const Outcome outcome = error.empty() ? run_call(words) : Outcome{exit_bad_command, error};
        worst = std::max(worst, outcome.status);
        std::fflush(stdout);
        const std::string text = (outcome.ok() ? "" : "error: ") + outcome.line + "\n";
        std::fwrite(text.data(), 1, text.size(), results);
        std::fflush(results);
    }
    return worst;
}

}  // namespace qelms::cli
