"""Tables for Gamma and ln Gamma (specfun/gamma_tables.hpp) and for ln x in two
doubles (specfun/log_tables.hpp).

Gamma(1+g) on 0 <= g <= 1 as a polynomial in t = 2g - 1 (its Chebyshev expansion
rewritten in powers of t, constant term first), the constant term also as the
rest beyond the double: a re-fit of the 24 published coefficients (whose
agreement is printed) to 4e-18 of Gamma, against their 4.5e-17.

ln c for c = 3/4 + j/128, j = 0..96, as two doubles, and the series of ln(1 + u),
from which log_two_doubles forms ln x to about 1e-19 of |ln x| (Stirling's series
for Gamma and the factor of the incomplete gamma functions multiply it by large
arguments).

From 3 to 15, ln Gamma on each [n, n + 1] has its own polynomial, about
15 terms where the reduction to [2, 3) would need a product, its logarithm and
a branch per factor.

Near its zeros at 1 and 2, ln Gamma(x) = (x - z) F(x) with z the nearer zero and
F smooth and away from 0 (between -0.82 and -0.24 on [0.75, 1.5], 0.24 and 0.70
on [1.5, 3]); x - z is exact there, so a polynomial for F gives an error relative
to ln Gamma itself. F has a table on each half of [0.75, 1.5] and of [1.5, 3], each F on
its interval [a, b] as a polynomial in t = x - c (its constant term also as the rest
beyond the double, so that the rounding of F is nearly that of its value),
c = (a + b)/2, highest power first (a Chebyshev expansion in (x - c)/h,
h = (b - a)/2, rewritten in powers of t).
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
# the intervals of F, their zeros and terms: the last Chebyshev coefficient is below 2.5e-17 of the first
ZERO_TABLES = [("lngamm_zero1_low", 0.75, 1.125, 1, 17), ("lngamm_zero1_high", 1.125, 1.5, 1, 16),
               ("lngamm_zero2_low", 1.5, 2.25, 2, 17), ("lngamm_zero2_high", 2.25, 3.0, 2, 15)]


def zero_tables():
    """The tables of F, and the rests of their constant terms beyond the doubles, in the same order."""
    tables, rests = [], []
    with mp.workdps(qt.DPS):
        for name, a, b, zero, terms in ZERO_TABLES:
            c, h = (mp.mpf(a) + b) / 2, (mp.mpf(b) - a) / 2
            cheb = qt.chebyshev(lambda s: mp.loggamma(c + h * s) / (c + h * s - zero), terms)
            print("ln Gamma(x)/(x - %d) on [%s, %s]: last coefficient %.1e of the first"
                  % (zero, a, b, float(abs(cheb[-1] / cheb[0]))))
            power = [p / h ** k for k, p in enumerate(qt.chebyshev_to_power(cheb))]
            values = [qt.to_double(p) for p in reversed(power)]
            rests.append(qt.to_double(power[0] - mp.mpf(values[-1])))
            tables.append(qt.emit_table(name, "ln Gamma(x) / (x - %d) for %s <= x <= %s, in t = x - %s, "
                                        "highest power first" % (zero, a, b, (a + b) / 2), values))
    names = ", ".join(name for name, *_ in ZERO_TABLES)
    return tables + [qt.emit_table("lngamm_zero_rests", "the constant terms of %s less their doubles" % names,
                                   rests)]


STEP_FIRST, STEP_LAST = 3, 14  # ln Gamma on [n, n + 1] for these n, each in t = x - n - 1/2
STEP_TERMS = 15  # the last Chebyshev coefficient is 1.2e-17 of the first on [3, 4], less further on


def unit_interval_tables():
    """ln Gamma(x) on [n, n + 1] for every n, the tables one after another."""
    values = []
    for n in range(STEP_FIRST, STEP_LAST + 1):
        values += qt.centred_power_table(mp.loggamma, n, n + 1, STEP_TERMS, "ln Gamma(x)")
    return values


GAMMA_TERMS = 25  # the last Chebyshev coefficient is 6e-19
PUBLISHED_GAMMA = ["0.886226925452758", "0.01616919872444251", "0.10370336342207545", "-0.013411850570596776"]


def gamma_one_plus():
    """Gamma(1+g) in powers of t = 2g - 1, constant term first, and the rest of the constant term."""
    with mp.workdps(qt.DPS):
        cheb = qt.chebyshev(lambda t: mp.gamma(1 + (t + 1) / 2), GAMMA_TERMS)
        print("Gamma(1+g): last coefficient %.1e" % float(abs(cheb[-1])))
        power = qt.chebyshev_to_power(cheb)
        values = [qt.to_double(v) for v in power]
        for line in qt.check_entries("a", values, list(enumerate(PUBLISHED_GAMMA))):
            print(line)
        return values, [qt.to_double(power[0] - mp.mpf(values[0]))]


GRID_START, GRID_STEPS, GRID_COUNT = 0.75, 128, 97  # c = 3/4 + j/128 covers [3/4, 3/2]
LOG1P_TERMS = 8  # |u| <= 1/192: u^9/9 < 1e-21 of u


def log_grid():
    """ln c on the grid as the nearest double and the rest."""
    with mp.workdps(qt.DPS):
        values = [mp.log(mp.mpf(GRID_START) + mp.mpf(j) / GRID_STEPS) for j in range(GRID_COUNT)]
        hi = [qt.to_double(v) for v in values]
        return hi, [qt.to_double(v - mp.mpf(h)) for v, h in zip(values, hi)]


def main():
    log_hi, log_lo = log_grid()
    gamma_values, gamma_rest = gamma_one_plus()
    tables = [
        qt.emit_table("gamma_one_plus_poly", "Gamma(1+g) on 0 <= g <= 1 in powers of t = 2g - 1, constant term first",
                      gamma_values),
        qt.emit_table("gamma_one_plus_rest", "the constant term of gamma_one_plus_poly less its double", gamma_rest),
    ] + zero_tables() + [
        qt.emit_table("lngamm_unit_polys", "ln Gamma(x) on [n, n + 1] for n = %d, ..., %d, %d entries each, "
                      "in t = x - n - 1/2, highest power first" % (STEP_FIRST, STEP_LAST, STEP_TERMS),
                      unit_interval_tables()),
    ]
    qt.write_header(os.path.join(ROOT, "specfun", "gamma_tables.hpp"), "gen_gamma_tables.py", tables)
    log_tables = [
        qt.emit_table("log1p_quotient", "(ln(1 + u) - u)/u^2 = -1/2 + u/3 - u^2/4 + ... for |u| <= 1/192, "
                      "highest power first",
                      [qt.to_double(mp.mpf((-1) ** (k + 1)) / k) for k in range(LOG1P_TERMS + 1, 1, -1)]),
        qt.emit_table("log_grid_hi", "ln c for c = 3/4 + j/128, j = 0, ..., 96, rounded", log_hi),
        qt.emit_table("log_grid_lo", "ln c - log_grid_hi for c = 3/4 + j/128", log_lo),
    ]
    qt.write_header(os.path.join(ROOT, "specfun", "log_tables.hpp"), "gen_gamma_tables.py", log_tables)


if __name__ == "__main__":
    main()
