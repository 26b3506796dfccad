// Modified Bessel functions K(fnu + k - 1, z), k = 1..n, for Re z >= 0:
// K(dnu) and K(dnu + 1) with |dnu| <= 1/2 from Temme's series (|z| <= 2) or
// from Miller's algorithm on the confluent hypergeometric recurrence, then the
// forward recurrence in the order. Unscaled members that underflow lead the
// sequence and are counted in nz.
#include <algorithm>
#include <array>
#include <cmath>

#include "complex_bessel.hpp"
#include "double_double.hpp"
#include "k_core_tables.hpp"
#include "k_scaling.hpp"
#include "qelms/qelms.hpp"

namespace qelms::cbes {
namespace {

constexpr double series_radius = 2.0;
constexpr int forward_test_rounds = 30;  // bound of the forward test for the Miller start
constexpr int series_terms = 40;         // bound of the series loop (|z|^2/4 <= 1 needs fewer than 20)
constexpr double rthpi = 1.2533141373155003;  // sqrt(pi/2)
constexpr double spi = 1.909859317102744;     // 6/pi
constexpr double fpi = 1.8976999933151775;   // factor of the start-index estimate
constexpr double tth = 2.0 / 3.0;
constexpr double max_order = 2147483000.0;  // orders beyond this would overflow the integer part

// 1/Gamma(1 + x) = E(x^2) + x O(x^2) for |x| <= 1/2, both parts in
// double-double: the terms from x^6 and x^7 on, below 2e-4 of the sums, in
// doubles.
struct ReciprocalGammaParts {
    TwoDoubles even, odd;
};

ReciprocalGammaParts reciprocal_gamma_parts(double x) {
    constexpr std::size_t leading = 3;  // terms in double-double
    const TwoDoubles y = exact_product(x, x);
    auto horner = [y](const auto& hi, const auto& lo) {
        double tail = hi.back();
        for (std::size_t k = hi.size() - 1; k-- > leading;) tail = tail * y.hi + hi[k];
        TwoDoubles s{tail, 0.0};
        for (std::size_t k = leading; k-- > 0;) s = dd_add(dd_mul(s, y), {hi[k], lo[k]});
        return s;
    };
    return {horner(k_tables::ce, k_tables::ce_lo), horner(k_tables::cc, k_tables::cc_lo)};
}

// cosh w and sinh(w)/w for |w| <= 1 from their series in y = w^2, nested as
// 1 + y/(1*2) (1 + y/(3*4) (...)): the levels from y^3 on, below 0.05 ulp of
// the sum, in doubles, the first two in double-double.
template <class T>
void cosh_sinhc(T w, T& cosh_w, T& sinhc_w) {
    constexpr int levels = 11;        // 1/22! is below 1e-21
    constexpr int double_levels = 2;  // levels 1 and 2 in double-double
    using D = decltype(rounded(w));  // double or Complex
    const T one = two_doubles_of(D(1.0)), y = w * w;
    const D yd = rounded(y);
    D c = 1.0, s = 1.0;
    for (int j = levels; j > double_levels; --j) {
        c = 1.0 + yd * c / double((2 * j - 1) * (2 * j));
        s = 1.0 + yd * s / double(2 * j * (2 * j + 1));
    }
    cosh_w = two_doubles_of(c);
    sinhc_w = two_doubles_of(s);
    for (int j = double_levels; j >= 1; --j) {
        cosh_w = one + y * cosh_w / double((2 * j - 1) * (2 * j));
        sinhc_w = one + y * sinhc_w / double(2 * j * (2 * j + 1));
    }
}

// The terms of Temme's series from term k on, in doubles (D = double or
// Complex): f, p, q and ck = (z^2/4)^(k-1)/(k-1)! of the term before, a1 a
// bound of |ck|; their sums are added to sum1 and sum2.
template <class D>
void temme_terms(int k, double a1, D f, D p, D q, D ck, D cz, double acz, double dnu, bool second, double tol, D& sum1,
                 D& sum2) {
    for (; k <= series_terms && a1 > tol; ++k) {
        const double below = 1.0 / (k - dnu), above = 1.0 / (k + dnu);
        f = (f * double(k) + p + q) * (below * above);
        p *= below;
        q *= above;
        ck *= cz / double(k);
        sum1 += ck * f;
        if (second) sum2 += ck * (p - double(k) * f);
        a1 *= acz / k;
    }
}

// Temme's series in doubles, where its terms do not cancel: |z| <= 1/2, where
// they fall by |z/2|^2 <= 1/16 a step and their sum is at most 2.3 times K,
// and tiny |z| (|dnu ln(2/z)| > 1), where the leading term dominates. sum1 =
// K(dnu, z), sum2 = (z/2) K(dnu + 1, z).
void temme_sums_double(Complex z, double caz, Complex smu, double dnu, bool second, double tol, Complex& sum1,
                       Complex& sum2, double& re_smu) {
    // e^fmu, sinh fmu and cosh fmu for fmu = dnu smu. Re fmu reaches 350 for
    // tiny z: beyond 1, e^(Re fmu) = (2/|z|)^dnu comes from pow, since the
    // rounding of the product dnu smu would be magnified by the exponential.
    const double a = dnu * smu.real(), b = dnu * smu.imag();
    const bool small = std::fabs(a) < 1.0;
    const double ea = small ? std::exp(a) : std::pow(2.0, dnu) * std::pow(caz, -dnu);
    const double sha = small ? std::sinh(a) : 0.5 * (ea - 1.0 / ea);
    const double cha = 0.5 * (ea + 1.0 / ea);
    const double cb = std::cos(b), sb = std::sin(b);
    const Complex cosh_fmu(cha * cb, sha * sb), efmu(ea * cb, ea * sb), efmu_inverse = Complex(cb, -sb) / ea;
    const Complex sinh_over_dnu = dnu == 0.0 ? smu : Complex(sha * cb, cha * sb) / dnu;
    const auto [even, odd] = reciprocal_gamma_parts(dnu);
    const double t2 = rounded(even + dd_mul(odd, dnu)), t1 = rounded(even + dd_mul(odd, -dnu));
    const Complex f = (cosh_fmu * -rounded(odd) + sinh_over_dnu * rounded(even)) / (t1 * t2);
    const Complex p = efmu * (0.5 / t2), q = efmu_inverse * (0.5 / t1);
    Complex rest1 = 0.0, rest2 = 0.0;
    if (caz >= tol) temme_terms(1, 1.0, f, p, q, Complex(1.0), 0.25 * z * z, 0.25 * caz * caz, dnu, second, tol, rest1, rest2);
    sum1 = f + rest1;
    sum2 = p + rest2;
    re_smu = sinh_over_dnu.real();
}

// The sums of Temme's series where they cancel, |fmu| = |dnu smu| <= 1:
// sum1 = K(dnu, z) and sum2 = (z/2) K(dnu + 1, z) from smu = ln(2/z) and cz =
// z^2/4. The terms cancel down to K by up to a factor 15 near |z| = 2, so the
// starting values f0, p0, q0 and the leading terms are formed in
// double-double (T = TwoDoubles on the positive real axis, else DDComplex),
// the rest in doubles.
template <class T>
void temme_sums(T smu, T cz, double caz, double dnu, bool second, double tol, T& sum1, T& sum2, double& re_smu) {
    constexpr double double_terms_bound = 0.25;  // from terms with |z/2|^2k/k! below this on, doubles suffice
    const T fmu = smu * dnu;
    T cosh_fmu, sinhc;
    cosh_sinhc(fmu, cosh_fmu, sinhc);
    const T sinh_fmu = fmu * sinhc, sinh_over_dnu = smu * sinhc;
    // t2 = 1/Gamma(1 + dnu), t1 = 1/Gamma(1 - dnu), g1 = (t1 - t2)/(2 dnu) =
    // -O, g2 = (t1 + t2)/2 = E, and dnu pi/sin(dnu pi) = 1/(t1 t2).
    const auto [g2, odd] = reciprocal_gamma_parts(dnu);
    const TwoDoubles t2 = g2 + dd_mul(odd, dnu), t1 = g2 + dd_mul(odd, -dnu);
    T f = (cosh_fmu * dd_neg(odd) + sinh_over_dnu * g2) * dd_div({1.0, 0.0}, t1 * t2);
    T p = (cosh_fmu + sinh_fmu) * dd_div({0.5, 0.0}, t2);
    T q = (cosh_fmu - sinh_fmu) * dd_div({0.5, 0.0}, t1);
    sum1 = f;
    sum2 = p;
    re_smu = std::real(rounded(sinh_over_dnu));
    T ck = two_doubles_of(decltype(rounded(f))(1.0));
    double a1 = 1.0;
    int k = 1;
    const double acz = 0.25 * caz * caz;
    for (; k <= series_terms && a1 > double_terms_bound; ++k) {
        const TwoDoubles below = dd_div({1.0, 0.0}, exact_sum(k, -dnu));  // 1/(k - dnu)
        const TwoDoubles above = dd_div({1.0, 0.0}, exact_sum(k, dnu));   // 1/(k + dnu)
        f = (f * double(k) + p + q) * (below * above);
        p = p * below;
        q = q * above;
        ck = ck * cz / double(k);
        sum1 = sum1 + ck * f;
        if (second) sum2 = sum2 + ck * (p - f * double(k));
        a1 *= acz / k;
    }
    decltype(rounded(sum1)) rest1{}, rest2{};
    temme_terms(k, a1, rounded(f), rounded(p), rounded(q), rounded(ck), rounded(cz), acz, dnu, second, tol, rest1,
                rest2);
    sum1 = sum1 + two_doubles_of(rest1);
    sum2 = sum2 + two_doubles_of(rest2);
}

// Temme's series for |z| <= 2: s1 = K(dnu, z) and, when second is set,
// s2 = K(dnu + 1, z). re_smu = Re(sinh(dnu ln(2/z))/dnu) measures the growth
// of the recurrence in the order.
void k_series(Complex z, double dnu, bool second, double tol, const TwoOverZ& rz, Complex& s1, Complex& s2,
              double& re_smu) {
    constexpr double double_radius = 0.5;  // up to this |z| the series is summed in doubles
    const double caz = modulus(z);
    const Complex smu(dd_ln2.hi - std::log(caz), -std::arg(z));  // ln(2/z)
    if (caz <= double_radius || dnu * dnu * std::norm(smu) > 1.0) {
        temme_sums_double(z, caz, smu, dnu, second, tol, s1, s2, re_smu);
        s2 *= rz.hi;
        return;
    }
    // s2 is multiplied by 2/z before its single rounding.
    const DDComplex log_two_over_z = DDComplex{dd_ln2, {0.0, 0.0}} - log_short(dd_value(z));
    if (z.imag() == 0.0) {
        TwoDoubles sum1, sum2;
        temme_sums(log_two_over_z.re, dd_mul(exact_product(z.real(), z.real()), 0.25), caz, dnu, second, tol, sum1,
                   sum2, re_smu);
        s1 = rounded(sum1);
        s2 = rounded(sum2 * rz.value().re);
        return;
    }
    DDComplex sum1, sum2;
    temme_sums(log_two_over_z, dd_value(z) * dd_value(z) * 0.25, caz, dnu, second, tol, sum1, sum2, re_smu);
    s1 = sum1.value();
    s2 = (sum2 * rz.value()).value();
}

// The backward recurrence of Miller's algorithm for K from the start index
// down to order dnu, in T (double on the real axis, else Complex): p2 and p1
// the last two members, cs the sum of the members for the normalisation.
template <class T>
void miller_backward(T z, int start, double fhs, double tol, T& p1, T& p2, T& cs) {
    double fk = start;
    double fks = fk * fk;
    p1 = 0.0;
    p2 = tol;
    cs = p2;
    for (int i = 0; i < start; ++i) {
        const double a1 = fks - fk;
        const double ak = (fks + fk) / (a1 + fhs);
        const T cb = (fk + z) * (2.0 / (fk + 1.0));
        const T pt = p2;
        p2 = (pt * cb - p1) * ak;
        p1 = pt;
        cs += p2;
        fks = a1 - fk + 1.0;
        fk -= 1.0;
    }
}

// Miller's algorithm for |z| > 2: s1 = coef * K(dnu, z)/(sqrt(pi/(2z)) e^-z)
// and, when second is set, s2 the same for K(dnu + 1, z), the products in
// double-double and rounded once. The start index
// comes from a forward run of the recurrence (|z| large) or from an estimate.
// Returns 0, or -2 when the forward run does not settle.
int k_miller(Complex z, double dnu, double dnu2, DDComplex coef, bool second, double tol, Complex& s1, Complex& s2) {
    const double caz = modulus(z);
    const double digits = std::clamp((mach_digits() - 1) * std::log10(double(mach_base())) * 3.321928094, 12.0, 60.0);
    const double t2 = tth * digits - 6.0;
    const double angle = z.imag() == 0.0 ? 0.0 : z.real() == 0.0 ? hpi : std::fabs(std::atan(z.imag() / z.real()));
    const double cospi = std::fabs(std::cos(pi * dnu));
    double fhs = std::fabs(0.25 - dnu2);
    double fk = 1.0;
    if (caz >= t2) {
        const double etest = cospi / (pi * caz * tol);
        if (etest >= 1.0) {
            double fks = 2.0, ck = caz + caz + 2.0, p1 = 0.0, p2 = 1.0;
            bool settled = false;
            for (int i = 0; i < forward_test_rounds && !settled; ++i) {
                const double pt = p2;
                p2 = ck / (fk + 1.0) * p2 - fhs / fks * p1;
                p1 = pt;
                ck += 2.0;
                fks += fk + fk + 2.0;
                fhs += fk + fk;
                fk += 1.0;
                settled = etest < std::fabs(p2) * fk;
            }
            if (!settled) return -2;
        }
        fk += spi * angle * std::sqrt(t2 / caz);
        fhs = std::fabs(0.25 - dnu2);
    } else {
        double ak = std::log(fpi * cospi / (tol * std::sqrt(std::sqrt(caz))));
        const double aa = 3.0 * angle / (1.0 + caz);
        const double bb = 14.7 * angle / (28.0 + caz);
        ak = (ak + caz * std::cos(aa) / (1.0 + 0.008 * caz)) / std::cos(bb);
        fk = 0.12125 * ak * ak / caz + 1.5;
    }
    // Backward from the start index; cs sums the members for the normalisation.
    const int start = static_cast<int>(fk);
    if (z.imag() == 0.0) {
        // On the real axis every member is real, and so is every product.
        double p1 = 0.0, p2 = 0.0, cs = 0.0;
        miller_backward(z.real(), start, fhs, tol, p1, p2, cs);
        const TwoDoubles k0 = dd_mul(coef.re, dd_div({p2, 0.0}, {cs, 0.0}));
        s1 = k0.hi + k0.lo;
        if (second) {
            const TwoDoubles k1 = dd_mul(k0, exact_sum(1.0, (dnu + 0.5 - p1 / p2) / z.real()));
            s2 = k1.hi + k1.lo;
        }
        return 0;
    }
    Complex p1 = 0.0, p2 = 0.0, cs = 0.0;
    miller_backward(z, start, fhs, tol, p1, p2, cs);
    const DDComplex k0 = coef * (dd_value(p2) / dd_value(cs));
    s1 = k0.value();
    if (second) s2 = (k0 * dd_corrected(1.0, cbes_divide(dnu + 0.5 - cbes_divide(p1, p2), z))).value();
    return 0;
}

// sqrt(pi/(2z)) in double-double, which the leading factor of K for |z| > 2
// carries into every member; plain doubles where the residual products of
// the correction would leave the range.
DDComplex sqrt_half_pi_over(Complex z) {
    constexpr double safe = 1e-290;
    const double az = modulus(z);
    if (!(az > safe && az < 1.0 / safe)) return dd_value(rthpi / std::sqrt(z));
    if (z.imag() == 0.0 && z.real() > 0.0) return {dd_sqrt(dd_div(dd_half_pi, {z.real(), 0.0})), {0.0, 0.0}};
    return dd_sqrt(DDComplex{dd_half_pi, {0.0, 0.0}} / dd_value(z));
}

// Whether K(dnu) and K(dnu + 1) are K0 and K1 of a real argument x that the
// real-argument routines take: x at most alim, beyond which the unscaled
// members are carried times e^x to find those that underflow.
bool real_axis_start(Complex z, double dnu, const Limits& lim) {
    return dnu == 0.0 && z.imag() == 0.0 && z.real() >= real_axis_low && z.real() <= lim.alim;
}

// 1 when s e^-zd lies above the underflow limits, with scaled = s e^-zd / tol;
// 0 when it underflows; -3 when the exponential fails.
int on_scale(Complex s, Complex zd, double elim, double ascle, double tol, Complex& scaled) {
    const double as = std::abs(s);
    if (!(as > 0.0) || std::log(as) - zd.real() < -elim) return 0;
    if (!times_exp(s / tol, -zd, scaled)) return -3;
    int nw = 0;
    cbes_underflow_check(scaled, nw, ascle, tol);
    return nw == 0 ? 1 : 0;
}

// Members carrying e^zd that have grown past e^(elim/2) are brought down by e^-elim.
void lower_carried_scale(KRecurrence& rec, Complex& zd, double elim) {
    if (std::log(std::abs(rec.s2())) < 0.5 * elim) return;
    rec.scale(std::exp(-elim));
    zd -= elim;
}

}  // namespace

void cbes_sinh_cosh(Complex z, Complex& csh, Complex& cch) {
    const double sh = std::sinh(z.real()), ch = std::cosh(z.real());
    const double sn = std::sin(z.imag()), cn = std::cos(z.imag());
    csh = {sh * cn, ch * sn};
    cch = {ch * cn, sh * sn};
}

void cbes_k_core(Complex z, double fnu, int kode, int n, Complex* y, int& nz, const Limits& lim) {
    nz = 0;
    if (n < 1) return;
    if (std::isnan(fnu) || !std::isfinite(z.real()) || !std::isfinite(z.imag())) {
        std::fill(y, y + n, Complex(std::nan(""), std::nan("")));
        return;
    }
    if (!(fnu < max_order)) {
        report_overflow(y, n, nz);
        return;
    }
    const double tol = lim.tol;
    const Scaling sc = make_scaling(tol);
    const double caz = modulus(z);
    const int inu = static_cast<int>(fnu + 0.5);
    const double dnu = fnu - inu;
    const bool half_odd = std::fabs(dnu) == 0.5;
    const double dnu2 = std::fabs(dnu) > tol ? dnu * dnu : 0.0;
    const bool second = inu > 0 || n > 1;
    // Steps of the recurrence to orders (fnu, fnu + 1), or to fnu in s2 when one member is wanted.
    const int steps = n == 1 ? inu - 1 : inu;
    const bool recurs = steps > 0 || n > 2;
    // 2/z for the recurrence, the series and the rescaling of members carried
    // times e^z (Re z > alim, unscaled, by Miller's algorithm).
    const bool axis_start = real_axis_start(z, dnu, lim);
    const bool rz_needed =
        recurs || (!axis_start && ((!half_odd && caz <= series_radius) || (kode == 1 && z.real() > lim.alim)));
    const TwoOverZ rz = rz_needed ? two_over(z) : TwoOverZ{};
    // The recurrence starts from K(dnu) and K(dnu + 1), at level 2 unless the series says otherwise.
    Complex s1 = 0.0, s2 = 0.0;
    int level = 1;
    // With kode 1 and Re z > alim the members carry e^zd until they are known to be on scale.
    bool carried = false;
    Complex zd = z;
    if (axis_start) {
        // K0 and K1 of real x from the real-argument routines, at the level
        // the series or Miller's algorithm would have chosen.
        const double x = z.real();
        const double ex = kode == 2 ? std::exp(x) : 1.0;
        int ifail = 1;
        s1 = beslk0(x, ifail) * ex;
        if (!second) {
            y[0] = s1;
            return;
        }
        s2 = beslk1(x, ifail) * ex;
        if (caz <= series_radius) level = (fnu + 1.0) * std::fabs(std::log(2.0 / x)) > lim.alim ? 2 : 1;
        s1 *= sc.css[level];
        s2 *= sc.css[level];
    } else if (!half_odd && caz <= series_radius) {
        double re_smu = 0.0;
        k_series(z, dnu, second, tol, rz, s1, s2, re_smu);
        Complex ez = 1.0;
        if (kode == 2 && !cbes_exp(z, ez)) {
            nz = -3;
            return;
        }
        if (!second) {
            y[0] = s1 * ez;
            if (!finite_member(y[0])) report_overflow(y, 1, nz);
            return;
        }
        level = (fnu + 1.0) * std::fabs(re_smu) > lim.alim ? 2 : 1;
        s1 *= sc.css[level] * ez;
        s2 *= sc.css[level] * ez;
    } else {
        DDComplex coef = sqrt_half_pi_over(z);
        if (kode == 1) {
            if (z.real() > lim.alim) {
                carried = true;
            } else {
                Complex e = std::exp(-z.real());  // on the real axis, below alim, exp cannot fail
                if (z.imag() != 0.0 && !cbes_exp(-z, e)) {
                    nz = -3;
                    return;
                }
                coef = z.imag() == 0.0 ? DDComplex{dd_mul(coef.re, e.real() * sc.css[1]), {0.0, 0.0}}
                                       : coef * dd_value(e * sc.css[1]);
            }
        }
        if (half_odd) {
            // Half an odd integer: the expansion ends after its first term.
            s1 = s2 = coef.value();
        } else {
            nz = k_miller(z, dnu, dnu2, coef, second, tol, s1, s2);
            if (nz != 0) return;
        }
    }

    if (!recurs && !carried) {
        // The members are K(dnu) and K(dnu + 1) themselves.
        y[0] = (n == 1 && inu > 0 ? s2 : s1) * sc.csr[level];
        if (n > 1) y[1] = s2 * sc.csr[level];
        if (!std::all_of(y, y + n, finite_member)) report_overflow(y, n, nz);
        return;
    }
    KRecurrence rec(s1, s2, exact_sum(dnu, 1.0), rz, level);
    bool previous_on = false;
    Complex previous;
    for (int i = 0; i < steps; ++i) {
        if (!carried) {
            if (!rec.steps(steps - i, sc, nullptr)) {
                report_overflow(y, n, nz);
                return;
            }
            break;
        }
        rec.advance();
        Complex scaled;
        const int on = on_scale(rec.s2(), zd, lim.elim, sc.bry[0], tol, scaled);
        if (on < 0) {
            nz = -3;
            return;
        }
        if (on == 1 && previous_on) {
            // Two members in a row on scale: from here on plain values at level 1.
            rec.set(previous, scaled);
            rec.level = 0;
            carried = false;
            continue;
        }
        previous_on = on == 1;
        previous = scaled;
        lower_carried_scale(rec, zd, lim.elim);
    }

    y[0] = n == 1 && inu > 0 ? rec.s2() : rec.s1();
    if (n > 1) y[1] = rec.s2();
    int k = std::min(n, 2);
    if (carried) {
        cbes_k_rescale(zd, fnu, n, y, nz, rz.hi, sc.bry[0], tol, lim.elim);
        if (nz < 0 || nz >= n - 2) return;
        rec = KRecurrence(y[nz] * sc.css[0], y[nz + 1] * sc.css[0], exact_sum(fnu, nz + 1.0), rz, 0);
        k = nz + 2;
    } else {
        for (int i = 0; i < k; ++i) y[i] *= sc.csr[rec.level];
    }
    if (k < n) rec.steps(n - k, sc, y + k);
    if (!std::all_of(y, y + n, finite_member)) report_overflow(y, n, nz);
}

bool cbes_y_on_axis(double x, double fnu, int kode, int n, Complex* y, const Limits& lim) {
    // Members this large or not finite are left to the general path, which
    // decides whether K of -ix overflows (|K| = (pi/2) |J + iY|, |J| <= 1).
    constexpr double largest = 1e290;
    const double fn = fnu + (n - 1);
    if (!(x >= lim.ufl && x <= lim.precision_bound && fn <= lim.precision_bound && fnu <= lim.fnul)) return false;
    const Complex zn(0.0, -x);
    if (fn > 2.0) {
        int nuf = 0;
        Complex unused[1];
        cbes_over_under_test(zn, fnu, kode, 2, 1, unused, nuf, lim);
        if (nuf != 0) return false;
    } else if (fn > 1.0 && x <= lim.tol && -fn * std::log(x / 2.0) > lim.elim) {
        return false;
    }
    const int inu = static_cast<int>(fnu + 0.5);
    const double dnu = fnu - inu;
    const int top = inu + n - 1;  // members of orders dnu + k, k = 0..top
    const TwoOverZ rx = two_over(Complex(x, 0.0));
    double v0 = 0.0, v1 = 0.0;  // Y(dnu, x), Y(dnu + 1, x)
    if (std::fabs(dnu) == 0.5) {
        // dnu = -1/2: Y(-1/2, x) = sqrt(2/(pi x)) sin x, Y(1/2, x) = -sqrt(2/(pi x)) cos x.
        const double amplitude = rounded(dd_sqrt(dd_div(dd_two_over_pi, {x, 0.0})));
        v0 = amplitude * std::sin(x);
        v1 = -amplitude * std::cos(x);
    } else {
        // K(dnu, -ix) = a0 + i b0 and K(dnu + 1, -ix) = a1 + i b1 give
        // Y(dnu + k, x) = Im((2/pi) (-i)^(k+1) e^(-i dnu pi/2) K(dnu + k, -ix)).
        const bool second = top > 0;
        Complex s1, s2;
        if (x <= series_radius) {
            const TwoOverZ rz{Complex(0.0, rx.hi.real()), Complex(0.0, rx.lo.real())};  // 2/(-ix) = i (2/x)
            double re_smu = 0.0;
            k_series(zn, dnu, second, lim.tol, rz, s1, s2, re_smu);
        } else {
            // sqrt(pi/(2 zn)) = sqrt(pi/(4x)) (1 + i), times e^(ix)
            const TwoDoubles r = dd_sqrt(dd_div(dd_half_pi, {2.0 * x, 0.0}));
            Complex e;
            if (!cbes_exp(-zn, e)) return false;
            const DDComplex coef = DDComplex{r, r} * dd_value(e);
            if (k_miller(zn, dnu, std::fabs(dnu) > lim.tol ? dnu * dnu : 0.0, coef, second, lim.tol, s1, s2) != 0)
                return false;
        }
        // Each sum of two products in two doubles and rounded once with 2/pi:
        // the errors of these two members carry into every later one.
        const Complex turn = unit_phase(dd_half_pi, dnu);
        const double c = turn.real(), s = turn.imag();
        auto rotated = [](double p, double a, double q, double b) {
            return rounded(dd_mul(dd_add(exact_product(p, a), exact_product(q, b)), dd_two_over_pi));
        };
        v0 = rotated(-s, s1.imag(), -c, s1.real());
        v1 = rotated(s, s2.real(), -c, s2.imag());
    }
    if (!(std::fabs(v0) <= largest)) return false;
    if (inu == 0) y[0] = v0;
    if (top == 0) return true;
    if (!(std::fabs(v1) <= largest)) return false;
    if (inu <= 1) y[1 - inu] = v1;
    // Y(nu + 1) = (2 nu/x) Y(nu) - Y(nu - 1), the recurrence K(nu, -ix) follows
    // rotated by a quarter turn a step, in two doubles as the K recurrence is.
    RecurrenceCoefficients coefficient(rx, exact_sum(dnu, 1.0), 1.0);
    TwoDoubles p1{v0, 0.0}, p2{v1, 0.0};
    for (int k = 2; k <= top; ++k) {
        const TwoDoubles next = multiply_add_one(coefficient.value().re, p2, dd_neg(p1));
        coefficient.next();
        p1 = p2;
        p2 = next;
        const double v = next.hi + next.lo;
        if (!(std::fabs(v) <= largest)) return false;
        if (k >= inu) y[k - inu] = v;
    }
    return true;
}

void cbes_k_rescale(Complex zr, double fnu, int n, Complex* y, int& nz, Complex rz, double ascle, double tol,
                    double elim) {
    nz = 0;
    const int first = std::min(2, n);
    KRecurrence rec(y[0], first > 1 ? y[1] : Complex(0.0), exact_sum(fnu, 1.0), {rz, 0.0}, 1);
    Complex zd = zr;
    int last_on = -1;  // index of the last member found on scale
    for (int i = 0; i < n; ++i) {
        if (i >= first) {
            if (nz == 0) return;
            rec.advance();
        }
        Complex scaled;
        const int on = on_scale(i == 0 ? rec.s1() : rec.s2(), zd, elim, ascle, tol, scaled);
        if (on < 0) {
            nz = -3;
            return;
        }
        y[i] = on == 1 ? scaled * tol : Complex(0.0);
        if (i < first) {
            if (on == 1) {
                last_on = i;
            } else {
                ++nz;
            }
            continue;
        }
        if (on == 1) {
            if (last_on == i - 1) {
                nz = i - 1;
                std::fill(y, y + nz, Complex(0.0));
                return;
            }
            last_on = i;
        }
        lower_carried_scale(rec, zd, elim);
    }
    if (n > first) {
        nz = last_on == n - 1 ? n - 1 : n;
        std::fill(y, y + nz, Complex(0.0));
    }
}

}  // namespace qelms::cbes
