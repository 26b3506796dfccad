// The dispatch on the routine name, shared by the module and its array companion.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "../support/failure.hpp"
#include "gateways.hpp"
#include "host_io.hpp"

namespace qelms::gateway {
namespace {

constexpr int name_field_length = 31;
char name_field[name_field_length];

}  // namespace

void dispatch_with(GatewayRunner run, int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]) {
    std::fill_n(name_field, name_field_length, ' ');
    if (nrhs > 0) get_name_string(prhs[0], name_field, name_field_length);
    nrhs -= 1;
    const std::string_view name(name_field, static_cast<std::size_t>(trimmed_length(name_field, name_field_length)));
    for (const Gateway* g : dispatch_table()) {
        if (!blank_padded_equal(name, g->name)) continue;
        set_message_writer(&write_message);
        try {
            run(*g, nlhs, plhs, nrhs, prhs + 1);
        } catch (const HardFailure&) {
            // the hard failure has printed its lines; the host survives and the call is abandoned
            host_error("Stop - Program terminated.", stop_id);
        } catch (const std::logic_error& e) {
            // a fault of the module itself; the host's own errors pass through untouched
            host_error(std::string("qelms internal error: ") + e.what(), internal_error_id);
        }
        return;
    }
    host_error("Routine not found.");
}

void dispatch_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]) {
    dispatch_with(run_gateway, nlhs, plhs, nrhs, prhs);
}

}  // namespace qelms::gateway
