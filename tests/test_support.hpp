// Helpers shared by the test suites: calling the module through the embedded
// host with captured output, and reading reference data.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/embedded_host.hpp"

namespace qelms::test {

// What one call through the embedded host did.
struct Captured {
    host::CallResult result;
    std::vector<std::string> console;  // lines printed in the command window
    std::string standard_output;       // the process's own standard output
};

// Calls the module with literals (the routine name first, as in the qelms
// command) for nlhs results, capturing both output channels.
Captured call_module(const std::vector<std::string>& words, int nlhs);
// The same for the array companion.
Captured call_array_module(const std::vector<std::string>& words, int nlhs);
// Both with host arrays (the routine name first).
Captured call_module_on(const std::vector<const mxArray*>& args, int nlhs);
Captured call_array_module_on(const std::vector<const mxArray*>& args, int nlhs);

// QELMS_NUM_THREADS set to `value` (unset for null) while it lives.
class ThreadSetting {
public:
    explicit ThreadSetting(const char* value);
    ~ThreadSetting();
    ThreadSetting(const ThreadSetting&) = delete;
    ThreadSetting& operator=(const ThreadSetting&) = delete;

private:
    std::optional<std::string> previous_;
};

// One line of a reference file: a region label, then the numbers (arguments
// first, then expected values).
struct ReferenceRow {
    std::string region;
    std::vector<double> values;
};

// The rows of tests/data/NAME, written by the generators in tools/; '#' starts
// a comment line.
std::vector<ReferenceRow> read_reference(const std::string& name);

// Relative difference in units of double epsilon.
double eps_error(double computed, double expected);

}  // namespace qelms::test
