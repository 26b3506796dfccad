"""Coefficients of the Taylor series that end Carlson's duplication method.

With A the weighted mean of the arguments and X, Y, Z (, P) their relative
deviations 1 - v/A, Carlson's expansion is
    R = A^(-a) sum_N (a)_N/(c)_N T_N,  T_N = [t^N] (1 + E2 t^2 - E3 t^3 + E4 t^4 - E5 t^5)^(-1/2)
with E_k the elementary symmetric functions of the deviations (P counted twice
for RJ and RD): a = 1/2, c = 3/2 for RF (E4 = E5 = 0); a = 3/2, c = 5/2 for RJ.
The coefficients are exact rationals (to degree 7 they are Carlson's published
ones); they are written in ascending powers of E2, one array per power of
E3, E4, E5. The script also prints, per tolerance on the largest deviation, the
largest truncation error it finds against mpmath.

Also RC(1, 1 - v) = atanh(sqrt v)/sqrt v for 0 <= v <= 1/4, where the principal
value of RC takes it: (RC(1, 1 - v) - 1)/v as a polynomial in v - 1/8 from its
Chebyshev expansion.

Writes specfun/carlson_series_tables.hpp.
"""
import itertools
import math
import os
import random
from fractions import Fraction

import mpmath
from mpmath import mp

import qelms_tables

RF_DEGREE = 11
RJ_DEGREE = 9
# (RC(1, 1 - v) - 1)/v and (RC(1, 1 + v) - 1)/v on [0, 1/2]: the last Chebyshev coefficient 3e-19
# and 2e-18 of the first
RC_TERMS_BELOW = 22
RC_TERMS_ABOVE = 17
RC_RANGE = 0.5


def rising(a, n):
    r = Fraction(1)
    for i in range(n):
        r *= a + i
    return r


def binomial_minus_half(j):
    r = Fraction(1)
    for i in range(j):
        r = r * (Fraction(-1, 2) - i) / (i + 1)
    return r


def series(a, c, parts, degree):
    """{exponents of E_parts: coefficient} for every monomial of degree <= degree."""
    coef = {}
    ranges = [range(degree // p + 1) for p in parts]
    for e in itertools.product(*ranges):
        n = sum(p * k for p, k in zip(parts, e))
        if n > degree:
            continue
        j = sum(e)
        count = Fraction(math.factorial(j))
        for k in e:
            count /= math.factorial(k)
        sign = (-1) ** sum(p * k for p, k in zip(parts, e))
        coef[e] = binomial_minus_half(j) * count * sign * rising(a, n) / rising(c, n)
    return coef


RF = series(Fraction(1, 2), Fraction(3, 2), [2, 3], RF_DEGREE)
RJ = series(Fraction(3, 2), Fraction(5, 2), [2, 3, 4, 5], RJ_DEGREE)

PUBLISHED = {  # Carlson's coefficients to degree 7
    "rf": {(1, 0): Fraction(-1, 10), (0, 1): Fraction(1, 14), (2, 0): Fraction(1, 24), (1, 1): Fraction(-3, 44),
           (3, 0): Fraction(-5, 208), (0, 2): Fraction(3, 104), (2, 1): Fraction(1, 16)},
    "rj": {(1, 0, 0, 0): Fraction(-3, 14), (0, 1, 0, 0): Fraction(1, 6), (2, 0, 0, 0): Fraction(9, 88),
           (0, 0, 1, 0): Fraction(-3, 22), (1, 1, 0, 0): Fraction(-9, 52), (0, 0, 0, 1): Fraction(3, 26),
           (3, 0, 0, 0): Fraction(-1, 16), (0, 2, 0, 0): Fraction(3, 40), (1, 0, 1, 0): Fraction(3, 20),
           (2, 1, 0, 0): Fraction(45, 272), (0, 1, 1, 0): Fraction(-9, 68), (1, 0, 0, 1): Fraction(-9, 68)},
}


def groups(coef):
    """{exponents of E3, E4, E5: [coefficients in ascending powers of E2]}; the constant 1 left out."""
    out = {}
    for e, c in coef.items():
        out.setdefault(e[1:], {})[e[0]] = c
    result = {}
    for key, by_power in sorted(out.items()):
        low = 1 if not any(key) else 0
        result[key] = [by_power[i] for i in range(low, max(by_power) + 1)]
    return result


def elementary(values):
    e = [mp.mpf(1)] + [mp.mpf(0)] * len(values)
    for v in values:
        for k in range(len(values), 0, -1):
            e[k] += e[k - 1] * v
    return e


def evaluate(coef, es):
    return mp.fsum(mp.mpf(c.numerator) / c.denominator * mp.fprod(x ** k for x, k in zip(es, e))
                   for e, c in coef.items())


def truncation(kind, tolerance, samples=400):
    """Largest relative truncation error found for deviations up to `tolerance`."""
    rng = random.Random(7)
    worst = mp.mpf(0)
    with mp.workdps(45):
        for _ in range(samples):
            if kind == "rf":
                v = [rng.uniform(-1, 1) for _ in range(2)]
                v.append(-sum(v))
            else:
                v = [rng.uniform(-1, 1) for _ in range(3)]
                v.append(-sum(v) / 2)
            scale = rng.choice((1, -1)) * tolerance / max(abs(x) for x in v)
            v = [mp.mpf(x) * scale for x in v]
            if kind == "rf":
                true = mpmath.elliprf(*(1 - x for x in v))
                e = elementary(v)
                approx = evaluate(RF, e[2:4])
            else:
                true = mpmath.elliprj(*(1 - x for x in v))
                e = elementary(v + [v[3]])
                approx = evaluate(RJ, e[2:6])
            worst = max(worst, abs(approx / true - 1))
    return float(worst)


def cpp_table(name, meaning, values):
    body = ", ".join(repr(float(mpmath.mpf(v.numerator) / v.denominator)) for v in values)
    fractions = ", ".join(str(v) for v in values)
    return (f"// {meaning}: {fractions}\n"
            f"inline constexpr std::array<double, {len(values)}> {name} = {{{body}}};\n")


def rc_ratio(v):
    """(RC(1, 1 - v) - 1)/v."""
    s = mp.sqrt(v)
    return (mp.atanh(s) / s - 1) / v


def rc_above_ratio(v):
    """(RC(1, 1 + v) - 1)/v."""
    s = mp.sqrt(v)
    return (mp.atan(s) / s - 1) / v


def power_name(key, letters):
    return "".join(f"_{letters[i]}{k}" for i, k in enumerate(key) if k) or "_1"


def main():
    for kind, coef in (("rf", RF), ("rj", RJ)):
        for e, c in PUBLISHED[kind].items():
            assert coef[e] == c, (kind, e, coef[e], c)
    mp.dps = 30
    for kind, tolerances in (("rf", (0.03, 0.05, 0.07)), ("rj", (0.01, 0.02, 0.03))):
        for t in tolerances:
            print(f"{kind}: deviations up to {t}: truncation error up to {truncation(kind, t):.2e}")
    lines = ["// Generated by tools/gen_carlson_series.py; do not edit.", "#pragma once", "", "#include <array>", "",
             "namespace qelms {", ""]
    for kind, coef, degree in (("rf", RF, RF_DEGREE), ("rj", RJ, RJ_DEGREE)):
        for key, values in groups(coef).items():
            factor = " ".join(f"E{i + 3}^{k}" for i, k in enumerate(key) if k) or "1"
            lowest = "E2^0" if any(key) else "E2^1"
            name = f"{kind}_series{power_name(key, ['e3', 'e4', 'e5'])}"
            meaning = (f"{kind.upper()} series to degree {degree}, terms {factor} E2^i from {lowest} up, coefficients")
            lines.append(cpp_table(name, meaning, values))
    rc = qelms_tables.centred_power_table(rc_ratio, 0, RC_RANGE, RC_TERMS_BELOW, "(RC(1, 1 - v) - 1)/v")
    lines.append(qelms_tables.emit_table(
        "rc_below_one", "(RC(1, 1 - v) - 1)/v = (atanh(sqrt v)/sqrt v - 1)/v for 0 <= v <= 1/2, "
        "in t = v - 1/4, highest power first", rc))
    rc = qelms_tables.centred_power_table(rc_above_ratio, 0, RC_RANGE, RC_TERMS_ABOVE, "(RC(1, 1 + v) - 1)/v")
    lines.append(qelms_tables.emit_table(
        "rc_above_one", "(RC(1, 1 + v) - 1)/v = (atan(sqrt v)/sqrt v - 1)/v for 0 <= v <= 1/2, "
        "in t = v - 1/4, highest power first", rc))
    lines += ["}  // namespace qelms", ""]
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "..", "specfun", "carlson_series_tables.hpp"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
