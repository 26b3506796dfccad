#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

#include "gateway/gateways.hpp"
#include "literal.hpp"

namespace qelms::test {

namespace {

Captured call_arrays(const host::Entry& entry, const std::vector<const mxArray*>& args, int nlhs) {
    Captured out;
    auto previous = host::set_console([&](std::string_view line) { out.console.emplace_back(line); });
    testing::internal::CaptureStdout();
    out.result = host::call_entry(entry, args, nlhs);
    out.standard_output = testing::internal::GetCapturedStdout();
    host::set_console(previous);
    return out;
}

void array_entry(int n, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
    gateway::dispatch_array_routine(n, plhs, nrhs, prhs);
}

Captured call_words(const host::Entry& entry, const std::vector<std::string>& words, int nlhs) {
    std::vector<host::Array> owned;
    owned.push_back(host::string_array(words.at(0)));
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::string error;
        auto a = cli::parse_literal(words[i], error);
        if (!a) throw std::invalid_argument(error);
        owned.push_back(std::move(*a));
    }
    std::vector<const mxArray*> args;
    for (const auto& a : owned) args.push_back(a.get());
    return call_arrays(entry, args, nlhs);
}

}  // namespace

Captured call_module(const std::vector<std::string>& words, int nlhs) { return call_words(mexFunction, words, nlhs); }

Captured call_array_module(const std::vector<std::string>& words, int nlhs) {
    return call_words(array_entry, words, nlhs);
}

Captured call_module_on(const std::vector<const mxArray*>& args, int nlhs) { return call_arrays(mexFunction, args, nlhs); }

Captured call_array_module_on(const std::vector<const mxArray*>& args, int nlhs) {
    return call_arrays(array_entry, args, nlhs);
}

ThreadSetting::ThreadSetting(const char* value) {
    if (const char* old = std::getenv("QELMS_NUM_THREADS")) previous_ = old;
    if (value) setenv("QELMS_NUM_THREADS", value, 1);
    else unsetenv("QELMS_NUM_THREADS");
}

ThreadSetting::~ThreadSetting() {
    if (previous_) setenv("QELMS_NUM_THREADS", previous_->c_str(), 1);
    else unsetenv("QELMS_NUM_THREADS");
}

std::vector<ReferenceRow> read_reference(const std::string& name) {
    std::ifstream in(std::string(QELMS_TEST_DATA) + "/" + name);
    if (!in) throw std::runtime_error("cannot open reference data " + name);
    std::vector<ReferenceRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        ReferenceRow row;
        fields >> row.region;
        std::string field;
        while (fields >> field) row.values.push_back(std::strtod(field.c_str(), nullptr));
        rows.push_back(std::move(row));
    }
    return rows;
}

double eps_error(double computed, double expected) {
    if (computed == expected) return 0.0;
    const double scale = std::max(std::fabs(expected), std::numeric_limits<double>::min());
    return std::fabs(computed - expected) / scale / std::numeric_limits<double>::epsilon();
}

}  // namespace qelms::test
