// The routine gateways, each a declaration of its calling contract, and the
// dispatch table in comparison order.
#include "gateways.hpp"

#include "qelms/qelms.hpp"

namespace qelms::gateway {
namespace {

constexpr Gateway gammaf_gateway{"gammaf", "x,ifail", "RI", "RI", real_of_real<qelms::gammaf>};
constexpr Gateway lngamm_gateway{"lngamm", "x,ifail", "RI", "RI", real_of_real<qelms::lngamm>};
constexpr Gateway erfcmp_gateway{"erfcmp", "x,ifail", "RI", "RI", real_of_real<qelms::erfcmp>};
constexpr Gateway errfun_gateway{"errfun", "x,ifail", "RI", "RI", real_of_real<qelms::errfun>};

constexpr const Gateway* table[] = {
    &gammaf_gateway,
    &lngamm_gateway,
    &erfcmp_gateway,
    &errfun_gateway,
};

}  // namespace

std::span<const Gateway* const> dispatch_table() { return table; }

}  // namespace qelms::gateway
