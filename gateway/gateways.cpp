// The routine gateways, each a declaration of its calling contract, and the
// dispatch table in comparison order.
#include "gateways.hpp"

#include "qelms/qelms.hpp"

namespace qelms::gateway {
namespace {

constexpr Gateway gammaf_gateway{"gammaf", "x,ifail", "RI", "RI", real_of_real<qelms::gammaf>};
constexpr Gateway lngamm_gateway{"lngamm", "x,ifail", "RI", "RI", real_of_real<qelms::lngamm>};

constexpr const Gateway* table[] = {
    &gammaf_gateway,
    &lngamm_gateway,
};

}  // namespace

std::span<const Gateway* const> dispatch_table() { return table; }

}  // namespace qelms::gateway
