#!/usr/bin/env python3
"""Writes specfun/incomplete_gamma_tables.hpp: the tables of the incomplete
gamma functions, and prints how each agrees with the entries published for it.

- g: Taylor coefficients at a = 0 of (1/Gamma(1+a) - 1)/a, truncated after a^27
  (the next term is below 2e-20 on |a| <= 1; the first 22 suffice for |a| <= 0.5).
- d: coefficients of Temme's uniform expansion, the Taylor coefficients of
  g(u) = u/(t - 1) where u^2/2 = t - 1 - ln t and u has the sign of t - 1.
  They are rationals, found exactly from the power series of t(u).
- PP, PN: (mu - ln(1 + mu))/mu^2 on 0 <= mu <= 0.5 in t = 4 mu - 1 and on
  -0.5 <= mu <= 0 in t = 4 mu + 1, truncated Chebyshev expansions rewritten in
  powers of t.
- (e^y - 1 - y - y^2/2)/y^3 = sum y^j/(j+3)!, for the small-x series, where
  |y| <= ln 2: its Taylor coefficients up to y^15 (the next term is below 1e-18).
All are stored constant term first.
"""
import os
import sys
from fractions import Fraction

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_tables import (DPS, agreement, check_entries, chebyshev,  # noqa: E402
                          chebyshev_to_power, emit_table, to_double, write_header)

GENERATOR = "gen_incomplete_gamma_tables.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun",
                      "incomplete_gamma_tables.hpp")


def reciprocal_gamma_coefficients(count):
    """g[k], k < count: (1/Gamma(1+a) - 1)/a = sum g[k] a^k."""
    with mp.workdps(DPS):
        # 1/Gamma(1+a) = sum c[k] a^k with c[0] = 1, so g[k] = c[k+1].
        c = mpmath.taylor(lambda a: mpmath.rgamma(1 + a), 0, count)
        return [c[k + 1] for k in range(count)]


def temme_coefficients(count):
    """d[k], k < count, exact rationals.

    t(u) = sum a[n] u^n (a[0] = a[1] = 1) follows from u t = (t - 1) t', which
    gives (n+1) a[n] = a[n-1] - sum_{i=2}^{n-1} (n+1-i) a[i] a[n+1-i] for n >= 2;
    then g(u) = 1/(a[1] + a[2] u + a[3] u^2 + ...).
    """
    a = [Fraction(1), Fraction(1)]
    for n in range(2, count + 1):
        s = sum((n + 1 - i) * a[i] * a[n + 1 - i] for i in range(2, n))
        a.append((a[n - 1] - s) / (n + 1))
    h = a[1:]  # (t - 1)/u = sum h[k] u^k, h[0] = 1
    d = [Fraction(1)]
    for k in range(1, count):
        d.append(-sum(h[j] * d[k - j] for j in range(1, k + 1)))
    return d


def log1pmx_ratio(mu):
    """(mu - ln(1 + mu))/mu^2, with its limit 1/2 at mu = 0."""
    if mu == 0:
        return mpmath.mpf(1) / 2
    return (mu - mpmath.log1p(mu)) / mu ** 2


def log1pmx_polynomial(size, mu_of_t):
    with mp.workdps(DPS):
        return chebyshev_to_power(chebyshev(lambda t: log1pmx_ratio(mu_of_t(t)), size))


def main():
    report = []
    g_exact = reciprocal_gamma_coefficients(28)
    g = [to_double(v) for v in g_exact]
    with mp.workdps(DPS):
        g_low = [float(g_exact[k] - mpmath.mpf(g[k])) for k in range(2)]
    report += check_entries("g", g, [(0, "0.5772156649015329"), (1, "-0.6558780715202539"),
                                     (2, "-0.04200263503409524"), (3, "0.16653861138229148"),
                                     (21, "-2.058326054e-14")])

    d_exact = temme_coefficients(27)
    d = [float(v) for v in d_exact]  # correctly rounded
    report += ["d[%d] = %s exactly" % (k, d_exact[k]) for k in range(7)]
    report += check_entries("d", d, [(0, "1.0"), (1, "-0.3333333333333333"), (2, "0.08333333333333333"),
                                     (3, "-0.014814814814814815"), (4, "0.0011574074074074073"),
                                     (5, "0.0003527336860670194"), (6, "-0.0001787551440329218"),
                                     (24, "-5.139111834242572e-16"), (25, "-1.9752288294349442e-15"),
                                     (26, "8.099521156704561e-16")])

    pp = [to_double(v) for v in log1pmx_polynomial(21, lambda t: (t + 1) / 4)]
    pn = [to_double(v) for v in log1pmx_polynomial(27, lambda t: (t - 1) / 4)]
    report += check_entries("PP", pp, [(0, "0.42970317897264393"), (1, "-0.05940635794528781"),
                                       (2, "0.009109536917931723"), (-1, "5.72788900816728e-16")])
    report += check_entries("PN", pn, [(0, "0.6029131592284949"), (1, "-0.12750701487634367"),
                                       (2, "0.03096169990770674"), (-1, "3.049209823713898e-14")])
    with mp.workdps(DPS):
        pp_end = mpmath.polyval([mpmath.mpf(v) for v in reversed(pp)], -1)
        pn_end = mpmath.polyval([mpmath.mpf(v) for v in reversed(pn)], 1)
        report.append("PP(-1) = %s, %.1f digits from 0.5" % (mpmath.nstr(pp_end, 20), agreement(pp_end, "0.5")))
        report.append("PN(1) = %s, %.1f digits from 0.5" % (mpmath.nstr(pn_end, 20), agreement(pn_end, "0.5")))

    write_header(OUTPUT, GENERATOR, [
        emit_table("reciprocal_gamma_series", "(1/Gamma(1+a) - 1)/a on |a| <= 1: Taylor coefficients at a = 0",
                   g),
        emit_table("reciprocal_gamma_series_low",
                   "(1/Gamma(1+a) - 1)/a: the first two Taylor coefficients less their doubles above",
                   g_low),
        emit_table("temme_coefficients",
                   "Temme's uniform expansion: Taylor coefficients of u/(t - 1), u^2/2 = t - 1 - ln t", d),
        emit_table("log1pmx_positive", "(mu - ln(1 + mu))/mu^2 on 0 <= mu <= 0.5 in powers of t = 4 mu - 1", pp),
        emit_table("log1pmx_negative", "(mu - ln(1 + mu))/mu^2 on -0.5 <= mu <= 0 in powers of t = 4 mu + 1", pn),
        emit_table("exp_ratio_tail", "(e^y - 1 - y - y^2/2)/y^3 for |y| <= ln 2: Taylor coefficients 1/(j+3)!",
                   [to_double(mpmath.mpf(1) / mpmath.factorial(j + 3)) for j in range(16)]),
    ])
    print("\n".join(report))


if __name__ == "__main__":
    main()
