// The routine gateways, each a declaration of its calling contract, and the
// dispatch table in comparison order.
#include "gateways.hpp"

#include "qelms/qelms.hpp"

namespace qelms::gateway {
namespace {

constexpr Gateway zexpon_gateway{"zexpon", "z,ifail", "CI", "CI", complex_of_complex<qelms::zexpon>};
constexpr Gateway expint_gateway{"expint", "x,ifail", "RI", "RI", real_of_reals<qelms::expint>};
constexpr Gateway cosint_gateway{"cosint", "x,ifail", "RI", "RI", real_of_reals<qelms::cosint>};
constexpr Gateway sinint_gateway{"sinint", "x,ifail", "RI", "RI", real_of_reals<qelms::sinint>};
constexpr Gateway gammaf_gateway{"gammaf", "x,ifail", "RI", "RI", real_of_reals<qelms::gammaf>};
constexpr Gateway lngamm_gateway{"lngamm", "x,ifail", "RI", "RI", real_of_reals<qelms::lngamm>};

// gaminc(a, x, tol, p, q, ifail): results P(a, x), Q(a, x).
void gaminc_compute(Call& c) {
    qelms::gaminc(c.real[0], c.real[1], c.real[2], c.real_result[0], c.real_result[1], c.ifail());
}
constexpr Gateway gaminc_gateway{"gaminc", "a,x,tol,ifail", "RRRI", "RRI", gaminc_compute};

constexpr Gateway erfcmp_gateway{"erfcmp", "x,ifail", "RI", "RI", real_of_reals<qelms::erfcmp>};
constexpr Gateway errfun_gateway{"errfun", "x,ifail", "RI", "RI", real_of_reals<qelms::errfun>};
constexpr Gateway besly0_gateway{"besly0", "x,ifail", "RI", "RI", real_of_reals<qelms::besly0>};
constexpr Gateway besly1_gateway{"besly1", "x,ifail", "RI", "RI", real_of_reals<qelms::besly1>};
constexpr Gateway beslj0_gateway{"beslj0", "x,ifail", "RI", "RI", real_of_reals<qelms::beslj0>};
constexpr Gateway beslj1_gateway{"beslj1", "x,ifail", "RI", "RI", real_of_reals<qelms::beslj1>};
constexpr Gateway airyai_gateway{"airyai", "x,ifail", "RI", "RI", real_of_reals<qelms::airyai>};
constexpr Gateway airybi_gateway{"airybi", "x,ifail", "RI", "RI", real_of_reals<qelms::airybi>};
constexpr Gateway airyad_gateway{"airyad", "x,ifail", "RI", "RI", real_of_reals<qelms::airyad>};
constexpr Gateway airybd_gateway{"airybd", "x,ifail", "RI", "RI", real_of_reals<qelms::airybd>};
// Sequence routines: routine(fnu, z, n, scale, sequence, nz, ifail).
template <void (*Routine)(double, std::complex<double>, int, char, std::complex<double>*, int&, int&)>
void sequence_of(Call& c) {
    Routine(c.real[0], c.complex[1], c.integer[2], c.character[3], c.sequence, c.integer_result[1], c.ifail());
}
void zbesly_compute(Call& c) {
    qelms::zbesly(c.real[0], c.complex[1], c.integer[2], c.character[3], c.sequence, c.integer_result[1],
                  c.work_area, c.ifail());
}
void zhankl_compute(Call& c) {
    qelms::zhankl(c.integer[4], c.real[0], c.complex[1], c.integer[2], c.character[3], c.sequence,
                  c.integer_result[1], c.ifail());
}
// zairya(deriv, z, scale, value, nz, ifail); zairyb(deriv, z, scale, value, ifail).
void zairya_compute(Call& c) {
    qelms::zairya(c.character[1], c.complex[0], c.character[2], c.complex_result[0], c.integer_result[1], c.ifail());
}
void zairyb_compute(Call& c) {
    qelms::zairyb(c.character[1], c.complex[0], c.character[2], c.complex_result[0], c.ifail());
}
constexpr Gateway zbesly_gateway{"zbesly", "fnu,z,n,scale,ifail", "RCISI", "QII", zbesly_compute, true};
constexpr Gateway zbeslj_gateway{"zbeslj", "fnu,z,n,scale,ifail", "RCISI", "QII", sequence_of<qelms::zbeslj>};
constexpr Gateway zairya_gateway{"zairya", "z,deriv,scale,ifail", "CSSI", "CII", zairya_compute};
constexpr Gateway zairyb_gateway{"zairyb", "z,deriv,scale,ifail", "CSSI", "CI", zairyb_compute};
constexpr Gateway zhankl_gateway{"zhankl", "fnu,z,n,scale,m,ifail", "RCISII", "QII", zhankl_compute};
constexpr Gateway zbeslk_gateway{"zbeslk", "fnu,z,n,scale,ifail", "RCISI", "QII", sequence_of<qelms::zbeslk>};
constexpr Gateway zbesli_gateway{"zbesli", "fnu,z,n,scale,ifail", "RCISI", "QII", sequence_of<qelms::zbesli>};

constexpr Gateway beslk0_gateway{"beslk0", "x,ifail", "RI", "RI", real_of_reals<qelms::beslk0>};
constexpr Gateway beslk1_gateway{"beslk1", "x,ifail", "RI", "RI", real_of_reals<qelms::beslk1>};
constexpr Gateway besli0_gateway{"besli0", "x,ifail", "RI", "RI", real_of_reals<qelms::besli0>};
constexpr Gateway besli1_gateway{"besli1", "x,ifail", "RI", "RI", real_of_reals<qelms::besli1>};
constexpr Gateway kelber_gateway{"kelber", "x,ifail", "RI", "RI", real_of_reals<qelms::kelber>};
constexpr Gateway kelbei_gateway{"kelbei", "x,ifail", "RI", "RI", real_of_reals<qelms::kelbei>};
constexpr Gateway kelker_gateway{"kelker", "x,ifail", "RI", "RI", real_of_reals<qelms::kelker>};
constexpr Gateway kelkei_gateway{"kelkei", "x,ifail", "RI", "RI", real_of_reals<qelms::kelkei>};
constexpr Gateway fresns_gateway{"fresns", "x,ifail", "RI", "RI", real_of_reals<qelms::fresns>};
constexpr Gateway fresnc_gateway{"fresnc", "x,ifail", "RI", "RI", real_of_reals<qelms::fresnc>};

constexpr Gateway ellprc_gateway{"ellprc", "x,y,ifail", "RRI", "RI", real_of_reals<qelms::ellprc>};
constexpr Gateway ellprf_gateway{"ellprf", "x,y,z,ifail", "RRRI", "RI", real_of_reals<qelms::ellprf>};
constexpr Gateway ellprd_gateway{"ellprd", "x,y,z,ifail", "RRRI", "RI", real_of_reals<qelms::ellprd>};
constexpr Gateway ellprj_gateway{"ellprj", "x,y,z,r,ifail", "RRRRI", "RI", real_of_reals<qelms::ellprj>};

constexpr const Gateway* table[] = {
    &zexpon_gateway,
    &expint_gateway,
    &cosint_gateway,
    &sinint_gateway,
    &gammaf_gateway,
    &lngamm_gateway,
    &gaminc_gateway,
    &erfcmp_gateway,
    &errfun_gateway,
    &besly0_gateway,
    &besly1_gateway,
    &beslj0_gateway,
    &beslj1_gateway,
    &airyai_gateway,
    &airybi_gateway,
    &airyad_gateway,
    &airybd_gateway,
    &zbesly_gateway,
    &zbeslj_gateway,
    &zairya_gateway,
    &zairyb_gateway,
    &zhankl_gateway,
    &beslk0_gateway,
    &beslk1_gateway,
    &besli0_gateway,
    &besli1_gateway,
    &zbeslk_gateway,
    &zbesli_gateway,
    &kelber_gateway,
    &kelbei_gateway,
    &kelker_gateway,
    &kelkei_gateway,
    &fresns_gateway,
    &fresnc_gateway,
    &ellprc_gateway,
    &ellprf_gateway,
    &ellprd_gateway,
    &ellprj_gateway,
};

}  // namespace

std::span<const Gateway* const> dispatch_table() { return table; }

}  // namespace qelms::gateway
