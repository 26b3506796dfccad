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

const Gateway* find_gateway(std::string_view text) {
    text = text.substr(0, name_field_length);
    text = text.substr(0, static_cast<std::size_t>(trimmed_length(text.data(), static_cast<int>(text.size()))));
    // the significant text holds no blank and no name does: compared padded
    // with blanks, they are equal only when they are the same text
    for (const Gateway* g : dispatch_table())
        if (text == g->name) return g;
    return nullptr;
}

void dispatch_with(GatewayRunner run, int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]) {
    std::fill_n(name_field, name_field_length, ' ');
    if (nrhs > 0) get_name_string(prhs[0], name_field, name_field_length);
    nrhs -= 1;
    const Gateway* g = find_gateway({name_field, name_field_length});
    if (!g) host_error("Routine not found.");
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
}

void dispatch_routine(int nlhs, mxArray* plhs[], int& nrhs, const mxArray* prhs[]) {
    dispatch_with(run_gateway, nlhs, plhs, nrhs, prhs);
}

}  // namespace qelms::gateway
