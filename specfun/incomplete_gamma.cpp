// Incomplete gamma functions P(a, x) and Q(a, x) = 1 - P(a, x): Gautschi's
// power series, continued fraction and small-x series, with Temme's uniform
// expansion for large a near x = a.
#include "incomplete_gamma.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cmath>
#include <limits>
#include <span>

#include "../support/failure.hpp"
#include "../support/machine.hpp"
#include "error_function.hpp"
#include "exact_argument.hpp"
#include "exp_two_doubles.hpp"
#include "incomplete_gamma_tables.hpp"
#include "log_two_doubles.hpp"
#include "polynomial.hpp"
#include "qelms/qelms.hpp"
#include "stirling.hpp"

namespace qelms {
namespace {

constexpr int max_steps = 600;                 // steps allowed to any series or the fraction
constexpr double tolerance_floor = 1e-18;      // the effective tolerance is never below this
constexpr double uniform_min_a = 20.0;         // the uniform expansion needs a at least this
constexpr double uniform_low = 0.7;            // ... and 0.7 a <= x
constexpr double uniform_high = 1.4;           // ... and x/1.4 <= a
constexpr double small_x = 0.25;               // below this the series/fraction switch is ln 0.5/ln x
constexpr double alpha_offset = 0.25;          // above it the switch is x + 0.25
constexpr double taylor_limit = 1.5;           // x up to this uses the small-x series for Q
constexpr double small_a = 0.5;                // a up to this forms Gamma(a) - 1/a from a series
constexpr double shifted_a = 1.5;              // ... and from there to this 1/Gamma(a) from it at a - 1
constexpr double series_gamma_a = 1.0;         // up to this the factor takes 1/Gamma(a+1) from the series at 0
constexpr std::size_t half_unit_terms = 22;    // terms of that series enough for |a| <= 0.5 (all for |a| <= 1)
constexpr double sqrt_2pi = 2.5066282746310007;
constexpr double exact_product_limit = 1e250;  // a above this: the exponent in one double
constexpr double stirling_min_a = stirling_min_argument;  // from here the exponent of the factor uses Stirling
constexpr double difference_log_a = 2048.0;    // up to this the exponent takes ln(x/a) as ln x - ln a
constexpr double lngamm_checked_a = 1e300;     // ln Gamma(a+1) is in range below this
constexpr double small_a_ln_gamma_max = 8.53;  // ln Gamma(a+1) < ln 7! = 8.525 for a < 7
constexpr double negligible_a = 1e-60;         // a below this changes terms of order 1 by less than 1e-58
constexpr double negligible_x = 1e-20;         // x below this: the small-x series needs no V
constexpr double moderate_t = 0x1p-64;         // a factor t at least this has ln t above
constexpr double moderate_t_ln_bound = -44.4;  // ... this bound (ln 2^-64 = -44.36)

constexpr double tiny_exponential = 0x1p-900;   // below this e^hi lo would be subnormal
constexpr double rescale_limit = 0x1p250;       // the fraction's denominators are rescaled above this
constexpr double rescale_step = 0x1p-250;       // ... by this

constexpr int no_convergence = 3;

}  // namespace

double gaminc_log1pmx(double mu) {
    if (mu > 0.0) return mu * mu * horner_ascending_paired(log1pmx_positive, 4.0 * mu - 1.0);
    return mu * mu * horner_ascending_paired(log1pmx_negative, 4.0 * mu + 1.0);
}

double gaminc_temme_sum(double eta, double a, double tol) {
    const auto& d = temme_coefficients;
    // beta[j] = d[j+1] + (j+2) beta[j+2]/a: the coefficients left after integrating
    // the truncated expansion by parts.
    const double reciprocal = 1.0 / a;
    std::array<double, 26> beta{};
    beta[24] = d[25];
    beta[25] = d[26];
    for (int j = 23; j >= 0; --j) beta[j] = d[j + 1] + static_cast<double>(j + 2) * beta[j + 2] * reciprocal;
    double s = beta[0];
    double power = 1.0;
    for (int j = 1; j <= 25; ++j) {
        power *= eta;
        const double term = beta[j] * power;
        s += term;
        if (std::fabs(term) < tol * std::fabs(s)) break;
    }
    return s / (1.0 + beta[1] * reciprocal);
}

namespace {

// S(a) = (1/Gamma(1+a) - 1)/a in two doubles: g0 + a (g1 + a rest), from the first
// terms Taylor coefficients (half_unit_terms for |a| <= 0.5, all of them for |a| <= 1).
template <std::size_t terms = half_unit_terms>
TwoDoubles reciprocal_gamma_ratio(double a) {
    const double rest = estrin_ascending(std::span(reciprocal_gamma_series).template subspan<2, terms - 2>(), a);
    const TwoDoubles inner = dd_add({reciprocal_gamma_series[1], reciprocal_gamma_series_low[1]}, {a * rest, 0.0});
    return dd_add({reciprocal_gamma_series[0], reciprocal_gamma_series_low[0]}, dd_mul(inner, a));
}

// 1/Gamma(1+a) = 1 + a S(a) for |a| <= 1 in two doubles. Kept out of line: inlined, it
// makes the factor's code too large to be inlined where the factor is formed.
[[gnu::noinline]] TwoDoubles reciprocal_gamma(double a) {
    return dd_add({1.0, 0.0}, dd_mul(reciprocal_gamma_ratio<reciprocal_gamma_series.size()>(a), a));
}

// (e^y - 1)/y = 1 + y/2 + y^2 T(y), T(y) = 1/6 + y/24 + ..., in two doubles, for |y| <= ln 2
// (where the small-x series needs it): T from its Taylor polynomial.
TwoDoubles exp_ratio(TwoDoubles y) {
    const TwoDoubles head = exact_sum(1.0, 0.5 * y.hi);
    return quick_two_sum(head.hi, head.lo + 0.5 * y.lo + y.hi * y.hi * estrin_ascending(std::span(exp_ratio_tail), y.hi));
}

// n / d in two doubles, given reciprocal ~ 1/d.hi (to a few ulps): the quotient's
// rounding error recovered from the exact residual.
TwoDoubles quotient(TwoDoubles n, TwoDoubles d, double reciprocal) {
    const double q = n.hi * reciprocal;
    const TwoDoubles p = exact_product(q, d.hi);
    return quick_two_sum(q, ((((n.hi - p.hi) - p.lo) + n.lo) - q * d.lo) * reciprocal);
}

// T = sum_j (-1)^(j+1) x^j / (j! (a+j)) in two doubles: the first two terms so, the
// rest (from j = 4) as x/(a+1) times tail. One division per denominator. The terms to
// j = 3 are formed before the series that gives the tail, which need not wait for them.
struct AlternatingSum {
    TwoDoubles head;  // the terms j = 1, 2
    double t3;        // the term j = 3
    double x;
    double r1;        // 1/(1 + a) to an ulp
    TwoDoubles with_tail(double tail) const { return dd_add(head, {t3 + tail * x * r1, 0.0}); }
};

AlternatingSum alternating_sum(double a, double x) {
    const TwoDoubles x2 = exact_product(x, x);
    const TwoDoubles one_plus_a = exact_sum(1.0, a);
    const TwoDoubles two_plus_a = exact_sum(2.0, a);
    const double r1 = 1.0 / one_plus_a.hi;
    const double r2 = 1.0 / two_plus_a.hi;
    const TwoDoubles t1 = quotient({x, 0.0}, one_plus_a, r1);
    const TwoDoubles t2 = quotient({0.5 * x2.hi, 0.5 * x2.lo}, two_plus_a, r2);
    const double t3 = x2.hi * x / (6.0 * (3.0 + a));
    return {dd_add(t1, dd_neg(t2)), t3, x, r1};
}

// ln(x/a) in two doubles: ln of the rounded ratio r and (x/a - r)/r.
TwoDoubles log_ratio(double a, double x) {
    const double r = x / a;
    const TwoDoubles ra = exact_product(r, a);
    const TwoDoubles ln_r = log_two_doubles(r);
    return {ln_r.hi, ln_r.lo + ((x - ra.hi) - ra.lo) / x};
}

// a (r - 1 - ln r), r = x/a, as (x - a) - a ln r in two doubles (ln r as well): it reaches
// 700, where an ulp of it is 500 eps of e^-(it).
TwoDoubles a_phi_two_doubles(double a, double x, TwoDoubles ln_r) {
    const TwoDoubles a_ln_r = exact_product(a, ln_r.hi);
    const TwoDoubles d = exact_sum(x, -a);
    const TwoDoubles s = exact_sum(d.hi, -a_ln_r.hi);
    const double lo = s.lo + d.lo - a_ln_r.lo - a * ln_r.lo;
    const double hi = s.hi + lo;
    return {hi, lo - (hi - s.hi)};
}

// The power of two k with v k in [1, 2), for normal v > 0: from the exponent's bits.
double unit_scale(double v) {
    constexpr std::uint64_t exponent_bits = std::uint64_t{2047} << 52;
    return std::bit_cast<double>((std::uint64_t{2046} << 52) - (std::bit_cast<std::uint64_t>(v) & exponent_bits));
}

// e^(hi + lo) as exp_of gives it, with e^hi lo formed 2^100 higher where it would be
// subnormal (a slow operation) and scaled back after the sum.
double exp_of_tiny(TwoDoubles v) {
    const double e = std::exp(v.hi);
    if (!std::isfinite(e)) return e;
    if (e >= tiny_exponential) return e + e * v.lo;
    const double s = e * 0x1p100;
    return (s + s * v.lo) * 0x1p-100;
}

// t e^(v.hi + v.lo) for t = t.hi + t.lo > 0, rounded once: e^v.hi = (h + l)(1 + m) 2^k,
// v.lo folded into m and h t.hi formed exactly. The result is at least about the
// smallest normal number, so that 2^k is applied in two steps only below it.
double exp_times(TwoDoubles v, TwoDoubles t) {
    const ExpParts e = exp_parts(v.hi);
    const double m = e.expm1 + v.lo * (1.0 + e.expm1);
    const TwoDoubles p = exact_product(e.hi, t.hi);
    const double y = p.hi + (((p.lo + e.hi * t.lo) + e.lo * t.hi) + p.hi * m);
    return e.exponent >= -1022 ? y * power_of_two(e.exponent) : y * power_of_two(e.exponent + 512) * 0x1p-512;
}

}  // namespace

double gaminc_uniform(double a, double x, GammaRatio which, double tol, double lsafe) {
    // The smaller of P and Q: e^-y (erfc(w) e^(w^2) / 2 + sigma S / sqrt(2 pi a)) with
    // y = w^2 = a (mu - ln(1 + mu)), e^-y from y in two doubles.
    const double sigma = which == GammaRatio::p ? -1.0 : 1.0;
    const double mu = (x - a) / a;
    TwoDoubles y = a <= exact_product_limit ? a_phi_two_doubles(a, x, log_ratio(a, x)) : TwoDoubles{a * gaminc_log1pmx(mu), 0.0};
    if (y.hi < 0.0) y = {0.0, 0.0};
    if (-y.hi < lsafe) return 0.0;
    double eta = std::sqrt(2.0 * y.hi / a);
    if (x < a) eta = -eta;
    const double sum = gaminc_temme_sum(eta, a, tol) / (std::sqrt(a) * sqrt_2pi);
    return exp_of_tiny({-y.hi, -y.lo}) * (0.5 * erfc_scaled(std::sqrt(y.hi)) + sigma * sum);
}

TwoDoubles gaminc_prefactor_exponent(double a, double x) {
    // With r = x/a: -(a (r - 1 - ln r) + ln(a)/2 + ln sqrt(2 pi) + stirling(a)), every
    // term in two doubles: the exponent reaches -700, where an ulp of it is 500 eps.
    const double stirling = stirling_remainder(a);
    if (a > exact_product_limit) {  // beyond two-double products; the factor is 0 or 1 there
        const double r = x / a;
        return {-((a * ((r - 1.0) - std::log(r)) + stirling) + (0.5 * std::log(a) + ln_sqrt_2pi)), 0.0};
    }
    if (x / a == 0.0) return {-std::numeric_limits<double>::infinity(), 0.0};
    // ln r as ln x - ln a up to difference_log_a, where neither logarithm waits for a
    // division: each is within a few 1e-21 (absolute), which a multiplies.
    const TwoDoubles ln_a = log_two_doubles(a);
    TwoDoubles ln_r{};
    if (a <= difference_log_a) {
        const TwoDoubles ln_x = log_two_doubles(x);
        const TwoDoubles s = exact_sum(ln_x.hi, -ln_a.hi);
        ln_r = {s.hi, s.lo + (ln_x.lo - ln_a.lo)};
    } else {
        ln_r = log_ratio(a, x);
    }
    const TwoDoubles c = exact_sum(ln_sqrt_2pi, stirling);
    const TwoDoubles g = exact_sum(0.5 * ln_a.hi, c.hi);
    const TwoDoubles a_phi = a_phi_two_doubles(a, x, ln_r);
    const TwoDoubles t = exact_sum(-a_phi.hi, -g.hi);
    return quick_two_sum(t.hi, t.lo - a_phi.lo - ((g.lo + 0.5 * ln_a.lo) + (c.lo + ln_sqrt_2pi_low)));
}

void gaminc(double a, double x, double tol, double& p, double& q, int& ifail) {
    constexpr const char* name = "GAMINC";
    const int entry_ifail = ifail;
    p = 0.0;
    q = 0.0;
    if (nan_argument(ifail, a, x)) {
        p = q = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    if (a <= 0.0) {
        ifail = fail_exit(entry_ifail, 1, name, make_message("(1X,'** On entry, A.le.0.0 : A =',1P,D13.5)", {a}));
        return;
    }
    if (x < 0.0) {
        ifail = fail_exit(entry_ifail, 2, name, make_message("(1X,'** On entry, X.lt.0.0 : X =',1P,D13.5)", {x}));
        return;
    }
    ifail = 0;
    if (x == 0.0) {
        q = 1.0;
        return;
    }
    if (std::isinf(a) && std::isinf(x)) {  // P(a, x) has no limit
        p = q = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    const double e = std::max(mach_precision(), tolerance_floor);
    const double toll = e < tol && tol <= 1.0 ? tol : e;
    static const double lsafe = std::log(mach_safe_min());

    if (a >= uniform_min_a && uniform_low * a <= x && x / uniform_high <= a) {
        if (x < a) {
            p = gaminc_uniform(a, x, GammaRatio::p, toll, lsafe);
            q = 1.0 - p;
        } else {
            q = gaminc_uniform(a, x, GammaRatio::q, toll, lsafe);
            p = 1.0 - q;
        }
        return;
    }

    // Below small_x the switch ln 0.5/ln x is below 1/2, so that a >= 1 lies above it
    // without forming it; else ln x is formed once (the small-x series reuses it).
    const bool small_x_switch = x < small_x && a < 1.0;
    const double ln_x_small = small_x_switch ? std::log(x) : 0.0;
    const double alpha = x >= small_x ? x + alpha_offset : small_x_switch ? std::log(0.5) / ln_x_small : 0.5;
    const double epss = toll / 100.0;
    // ln Gamma(a+1), for the small-x sum above a = 1.5 (and, when the factor below nears the
    // safe range, for a < 7); elsewhere only its failure beyond the range of ln Gamma is
    // needed, which lies far above lngamm_checked_a.
    const bool taylor = a <= alpha && x <= taylor_limit;
    int lg_ifail = 1;
    const double lg = (taylor && a > shifted_a) || a > lngamm_checked_a ? lngamm(a + 1.0, lg_ifail) : 0.0;
    if (lg_ifail == 2) {  // a beyond the range of ln Gamma: the step from 0 to 1 is at x = a
        if (x < a) {
            q = 1.0;
        } else {
            p = 1.0;
        }
        return;
    }
    // a where it only perturbs terms of order 1 (a ln x beside x in the fraction, where x > 1.5;
    // 1 + a and the like in the small-x series): below negligible_a it is dropped there (its
    // products would be subnormal, and slow), and kept where it is a factor.
    const double ap = a < negligible_a ? 0.0 : a;
    const auto fail_to_converge = [&] {
        p = 0.0;
        q = 0.0;
        ifail = fail_exit(entry_ifail, no_convergence, name,
                          make_message("(1X,'** Algorithm fails to terminate in ',I4,' iterations')", {max_steps}));
    };

    // The factor x^a e^-x / Gamma(a+1) of the series and the fraction, its exponent formed
    // before either (neither needs the other) and applied to their sum with one rounding;
    // the exponent's high part decides whether the product is below the safe range. The
    // exponent is carried in two doubles: a ln x - x directly while a is small (the sum
    // multiplied by 1/Gamma(a+1), or divided by Gamma(a+1), first), Stirling's form for
    // large a, where the difference cancels.
    struct Factor {
        TwoDoubles exponent;  // ln x^a e^-x, or of the whole factor for a >= 7
        TwoDoubles gamma;     // 1/Gamma(a+1) = 1 + a S(a) for a <= 1; Gamma(a+1) = a Gamma(a) exactly
                              // (a + 1 would be rounded) for 1 < a < 7; unused for a >= 7
        double reciprocal;    // 1/gamma.hi for 1 < a < 7
        double log;           // exponent.hi
    };
    const auto prefactor = [&] {
        if (a >= stirling_min_a) {
            const TwoDoubles e = gaminc_prefactor_exponent(a, x);
            return Factor{e, {1.0, 0.0}, 1.0, e.hi};
        }
        const TwoDoubles ln_x = log_two_doubles(x);
        const TwoDoubles a_ln_x = exact_product(ap, ln_x.hi);
        const TwoDoubles e = exact_sum(a_ln_x.hi, -x);
        const TwoDoubles exponent{e.hi, e.lo + a_ln_x.lo + ap * ln_x.lo};
        if (a <= series_gamma_a) {
            return Factor{exponent, reciprocal_gamma(ap), 1.0, e.hi};
        }
        int gamma_ifail = 1;
        const TwoDoubles divisor = exact_product(a, gammaf(a, gamma_ifail));
        return Factor{exponent, divisor, 1.0 / divisor.hi, e.hi};
    };
    // t times the factor for t > 0, 0 where that is below the safe range. Its logarithm
    // ln t + ln power - ln Gamma(a+1) is first bounded from below (ln t by 0 for t >= 1 and by
    // -44.4 for t >= 2^-64, ln Gamma(a+1) by its largest value for a < 7), and formed only
    // near the safe range.
    const auto times = [&](const Factor& f, TwoDoubles t) {
        const double ln_t = t.hi >= 1.0 ? 0.0 : t.hi >= moderate_t ? moderate_t_ln_bound : std::log(t.hi);
        const bool small_a = a < stirling_min_a;
        if (ln_t + f.log - (small_a ? small_a_ln_gamma_max : 0.0) <= lsafe) {
            int ln_gamma_ifail = 1;
            if (std::log(t.hi) + f.log - (small_a ? lngamm(a + 1.0, ln_gamma_ifail) : 0.0) <= lsafe) return 0.0;
        }
        const TwoDoubles scaled = !small_a ? t : a <= series_gamma_a ? dd_mul(t, f.gamma) : quotient(t, f.gamma, f.reciprocal);
        return exp_times(f.exponent, scaled);
    };

    if (a > alpha) {
        // P = x^a e^-x / Gamma(a+1) * sum x^n / ((a+1)...(a+n)); the ratios of the terms,
        // with their divisions, lie off the chain of dependent steps
        // Three terms per step with one division: with c_i = a + n + i, x/c_0 = x c_1 c_2 / D,
        // x^2/(c_0 c_1) = x^2 c_2 / D and x^3/D, D = c_0 c_1 c_2, from the term before them;
        // x and a + n scaled by the power of two k that takes a to [1, 2), so that the cubes
        // stay in range.
        const Factor f = prefactor();
        const double k = unit_scale(a);
        const double xk = x * k;
        const double x2 = xk * xk;
        const double x3 = x2 * xk;
        // The first term x/(a+1), up to half the sum, by a division (rounded once).
        double term = x / (a + 1.0);
        const TwoDoubles start = quick_two_sum(1.0, term);
        double sum = start.hi;
        double sum_error = start.lo;  // the rounding errors of the sums, added at the end
        bool converged = false;
        for (int n = 2; n < max_steps; n += 3) {
            const double c0 = (a + static_cast<double>(n)) * k;
            const double c1 = c0 + k;
            const double c2 = c1 + k;
            const double c12 = c1 * c2;
            const double reciprocal = 1.0 / (c0 * c12);
            const double t1 = term * (xk * c12 * reciprocal);
            const double t2 = term * (x2 * c2 * reciprocal);
            term = term * (x3 * reciprocal);
            const TwoDoubles s = quick_two_sum(sum, (t1 + t2) + term);  // the terms decrease from 1
            sum = s.hi;
            sum_error = sum_error + s.lo;
            if (term <= toll * sum) {  // the terms decrease: t1 and t2 would have passed the test later
                converged = true;
                break;
            }
        }
        if (!converged) return fail_to_converge();
        p = times(f, {sum, sum_error});
        q = 1.0 - p;
        return;
    }

    if (x > taylor_limit) {
        // Legendre's continued fraction for Q, summed as a series of its convergents'
        // differences: with beta_n = d + 2n - 1 and p_n = (n-1)(n-1-a), the n-th difference
        // is p_2...p_n beta_1 / (B_(n-1) B_n), B_n = beta_n B_(n-1) - p_n B_(n-2) the
        // denominators (B_0 = 1, B_1 = beta_1). Only the recurrence of B lies on the chain of
        // dependent steps; the divisions lie off it. B_n is carried times c^n, c the power of
        // two that takes beta_1 to [1, 2) (exact scaling), and rescaled by rescale_step where it grows.
        const double d = x - a;
        if (1.0 / std::sqrt(mach_safe_min()) < 1.0 + d) {
            p = 1.0;
            return;
        }
        const Factor f = prefactor();
        const double beta1 = 1.0 + d;
        const double c = unit_scale(beta1);
        const double c2 = c * c;
        // beta_n c and p_n c^2 carried scaled (exactly: c is a power of two), with the
        // increments of p_n, 2n - 1 - a, as well.
        const double beta_step = 2.0 * c;
        const double p_step = 2.0 * c2;
        double p_increment = (1.0 - a) * c2;
        double pn = 0.0;
        double b0 = 1.0;
        double b1 = beta1 * c;
        double beta = b1;
        double product = b1;  // p_2...p_n beta_1, scaled as B_(n-1) B_n
        double differences = 0.0;  // the sum less its first term 1, added last: not rounded to 1's ulp each step
        bool converged = false;
        // Two steps at a time: B_n and B_(n+1) both from B_(n-1) and B_(n-2), so that the
        // chain of dependent steps is one step long per pair.
        for (int n = 2; n < max_steps; n += 2) {
            pn = pn + p_increment;
            p_increment = p_increment + p_step;
            beta = beta + beta_step;
            const double beta_n = beta;
            const double p_n = pn;
            pn = pn + p_increment;
            p_increment = p_increment + p_step;
            beta = beta + beta_step;
            const double bn = beta_n * b1 - p_n * b0;
            const double bn1 = (beta * beta_n - pn) * b1 - (beta * p_n) * b0;
            const double product_n = product * p_n;
            product = product_n * pn;
            const double second = product / (bn * bn1);
            differences = differences + product_n / (b1 * bn);
            differences = differences + second;
            if (std::fabs(second) <= toll * (1.0 + differences)) {
                converged = true;
                break;
            }
            b0 = bn;
            b1 = bn1;
            if (std::fabs(b1) > rescale_limit) {
                b0 = b0 * rescale_step;
                b1 = b1 * rescale_step;
                product = product * (rescale_step * rescale_step);
            }
        }
        if (!converged) return fail_to_converge();
        q = times(f, {a * (1.0 + differences) / (1.0 + d), 0.0});
        p = 1.0 - q;
        return;
    }

    const double lnx = small_x_switch ? ln_x_small : std::log(x);
    // Q Gamma(a) = U + V with U = Gamma(a) - x^a/a and V = x^a/a - gamma(a, x). U and V
    // are near 1 where their sum is twenty times smaller, so up to a = 1.5 their leading
    // parts are carried in two doubles.
    double u = 0.0;
    TwoDoubles s{};            // (1/Gamma(1+a) - 1)/a
    TwoDoubles one_plus_as{};  // 1/Gamma(1+a)
    TwoDoubles log_part{};     // (x^a - 1)/a
    double power_m1 = 0.0;     // x^a - 1
    TwoDoubles power{};        // x^a, for 0.5 < a <= 1.5
    TwoDoubles recip{};        // 1/Gamma(1+a), for 0.5 < a <= 1.5
    AlternatingSum head{};     // T but for its tail, up to a = 1.5
    // V = x^(a+1)/(a+1) * sum_k (-x)^k (a+1) / ((k+1)! (a+k+1)). Below negligible_x (where
    // a <= 0.5) V < x is below 1e-21 of (x^a - 1)/a - S, which exceeds |ln x|/2, and left out.
    const bool with_v = x >= negligible_x;
    if (a > shifted_a) {
        int gamma_ifail = -1;
        u = gammaf(a, gamma_ifail) - std::pow(x, a) / a;
    } else if (a <= small_a) {
        // Gamma(a) - 1/a = -S/(1 + a S) with 1/Gamma(1+a) = 1 + a S, and
        // (x^a - 1)/a = ln x (e^y - 1)/y with y = a ln x.
        s = reciprocal_gamma_ratio(ap);
        one_plus_as = dd_add({1.0, 0.0}, dd_mul(s, ap));
        const TwoDoubles y = exact_product(ap, lnx);  // |y| <= ln 2 as a <= ln 0.5/ln x
        const TwoDoubles ratio = exp_ratio(y);
        log_part = dd_mul(ratio, lnx);
        power_m1 = y.hi * ratio.hi;
        if (with_v) head = alternating_sum(ap, x);
    } else {
        // x^a = x (1 + y (e^y - 1)/y), y = b ln x, and 1/Gamma(1+a) = (1 + b S(b))/a,
        // b = a - 1 (exact).
        const double b = a - 1.0;
        const TwoDoubles y = exact_product(b, lnx);
        power = dd_mul(dd_add({1.0, 0.0}, dd_mul(y, exp_ratio(y))), x);  // |y| <= ln 4 / 2
        recip = dd_div(dd_add({1.0, 0.0}, dd_mul(reciprocal_gamma_ratio(b), b)), {a, 0.0});
        head = alternating_sum(a, x);
    }
    double sum = 1.0;
    double tail = 0.0;  // the terms from k = 3 on
    if (with_v) {
        double pk = ap * x;
        double qk = ap + 1.0;
        double r = ap + 3.0;
        double term = 1.0;
        int n = 2;
        for (; n <= max_steps; ++n) {
            pk = pk + x;
            qk = qk + r;
            r = r + 2.0;
            term = term * (-pk / qk);
            sum = sum + term;
            if (n >= 4) tail = tail + term;
            if (std::fabs(term) <= epss * sum) break;
        }
        if (n > max_steps) return fail_to_converge();
    }
    if (a > shifted_a) {
        const double v = std::pow(x, a + 1.0) * sum / (a + 1.0);
        q = (u + v) * a * std::exp(-lg);
    } else if (a <= small_a) {
        // V = x^a T; Q = a (1 + a S) (U + V) = a ((1 + a S) (V - (x^a - 1)/a) - S)
        const TwoDoubles t = with_v ? head.with_tail(tail) : TwoDoubles{0.0, 0.0};
        const TwoDoubles v = dd_add(t, {power_m1 * t.hi, 0.0});
        q = a * dd_add(dd_mul(one_plus_as, dd_add(v, dd_neg(log_part))), dd_neg(s)).hi;
    } else {
        // Q = 1 - x^a (1 - a T)/Gamma(1+a)
        const TwoDoubles t = head.with_tail(tail);
        const TwoDoubles lower = dd_mul(dd_mul(power, dd_add({1.0, 0.0}, dd_neg(dd_mul(t, a)))), recip);
        q = (1.0 - lower.hi) - lower.lo;
    }
    p = 1.0 - q;
}

}  // namespace qelms
