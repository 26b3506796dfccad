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

ln Gamma(x) = (x - z) F(x) on [0.5, 15], z = 1 up to about 1.5 and 2 beyond (x - z
is exact), so that a polynomial for F gives an error relative to ln Gamma itself,
near its zeros at 1 and 2 as well. F is smooth and away from 0 (between -1.15 and
-0.24 on [0.5, 1.5], 0.24 and 1.9 on [1.5, 15]). It has a table on each interval
of width 1/64 up to 3 and of width 1/16 beyond, centred on the multiples of the
width, all of one length, so that the interval is found by rounding rather than by
branches: F on [a, b] as a polynomial in s = (x - c)/(b - a), c = (a + b)/2
(a Chebyshev expansion in (x - c)/h, h = (b - a)/2, rewritten in powers of s),
stored as the zero z of the interval, the constant term rounded to 26 bits (so
that its products with halves of x - z are exact), its rest, and the other terms.

ln x for x >= 15 and x < 0.5 (where |ln x| > 0.69): x = 2^k m, 1 <= m < 2,
ln x = k ln 2 - ln r + ln(1 + u), u = m r - 1, with r a 14-bit approximation of
1/m from a table of 512; u is formed to about 2^-61, k ln 2 - ln r is exact and
of 26 bits at most (both on multiples of 2^-16), so that its products with halves
of x are exact.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
# F on [n - 1/2, n + 1/2]/64 for n = 32..192 (0.5 to 3) and on [n - 1/2, n + 1/2]/16 for
# n = 48..240 (3 to 15), each with the same count of terms
ZERO_FORM_PIECES = [(64, 32, 192), (16, 48, 240)]  # intervals per unit, first and last n
ZERO_FORM_SPLIT = 1.5  # the zero is 1 on the intervals whose middle is at most this, 2 beyond
ZERO_FORM_TERMS = 8  # the first omitted Chebyshev coefficient is below 3e-18 of F


ZERO_FORM_CONSTANT_BITS = 26  # the constant term to 26 bits, so that its product with half of x - z is exact


def to_bits(v, bits):
    """v rounded to `bits` significant bits, as a double."""
    e = mp.floor(mp.log(abs(v), 2))
    scale = mp.mpf(2) ** (bits - 1 - e)
    return qt.to_double(mp.nint(v * scale) / scale)


def zero_form_intervals():
    """(a, b, zero) of every interval of F in order."""
    out = []
    for per_unit, first, last in ZERO_FORM_PIECES:
        for n in range(first, last + 1):
            c = mp.mpf(n) / per_unit
            h = mp.mpf(1) / (2 * per_unit)
            out.append((c - h, c + h, 1 if c <= ZERO_FORM_SPLIT else 2))
    return out


def zero_form_tables():
    """F on every interval [a, b] in powers of s = (x - c)/(b - a) (-1/2 <= s <= 1/2), c = (a + b)/2,
    constant term first, one after another; and the
    rests of the constant terms beyond their doubles. The count of terms is the largest any
    interval needs."""
    with mp.workdps(qt.DPS):
        expansions = []
        for a, b, zero in zero_form_intervals():
            c, h = (a + b) / 2, (b - a) / 2
            cheb = qt.chebyshev(lambda s: mp.loggamma(c + h * s) / (c + h * s - zero), 24, nodes=80)
            expansions.append((cheb, h))
        terms = ZERO_FORM_TERMS
        print("ln Gamma(x)/(x - z) on [0.5, 15]: %d intervals of %d terms, the first omitted at most %.1e of F"
              % (len(expansions), terms, max(float(abs(ch[terms] / ch[0])) for ch, _ in expansions)))
        values = []
        for (cheb, _), (_, _, zero) in zip(expansions, zero_form_intervals()):
            power = [p * 2 ** k for k, p in enumerate(qt.chebyshev_to_power(cheb[:terms]))]  # s = t/(2h)
            c0 = to_bits(power[0], ZERO_FORM_CONSTANT_BITS)
            values += [float(zero), c0, qt.to_double(power[0] - mp.mpf(c0))] + [qt.to_double(p) for p in power[1:]]
    pieces = ", and ".join("[n - 1/2, n + 1/2]/%d, n = %d, ..., %d" % p for p in ZERO_FORM_PIECES)
    what = ("ln Gamma(x) = (x - z) F(x) on " + pieces + ", each as z (1 up to the middle 1.5, else 2), "
            "the constant term of F to 26 bits, its rest, and %d more terms in s = (x - the middle)/the step"
            % (terms - 1))
    return [qt.emit_table("lngamm_zero_form", what, values)]


LOG_STEPS = 512  # ln x = k ln 2 - ln r + ln(m r), m in [1 + j/512, 1 + (j + 1)/512)
LOG_RECIPROCAL_BITS = 14  # r: 1/(the middle of the interval) to 14 fractional bits
LOG2_BITS = 16  # ln 2 and -ln r rounded to multiples of 2^-16: k ln 2 - ln r is exact, of 26 bits at most


def log_reduction_tables():
    """r, and -ln r as a multiple of 2^-16 and the rest, for each interval of the mantissa."""
    with mp.workdps(qt.DPS):
        r, hi, lo = [], [], []
        for j in range(LOG_STEPS):
            rj = mp.nint(2 ** LOG_RECIPROCAL_BITS / (1 + (j + mp.mpf(0.5)) / LOG_STEPS)) / 2 ** LOG_RECIPROCAL_BITS
            v = -mp.log(rj)
            h = mp.nint(v * 2 ** LOG2_BITS) / 2 ** LOG2_BITS
            r.append(qt.to_double(rj))
            hi.append(qt.to_double(h))
            lo.append(qt.to_double(v - h))
        u = max(max(abs((1 + mp.mpf(j) / LOG_STEPS) * r[j] - 1), abs((1 + mp.mpf(j + 1) / LOG_STEPS) * r[j] - 1))
                for j in range(LOG_STEPS))
        print("ln x by reduction: |m r - 1| <= %.5f (2^%.2f)" % (float(u), float(mp.log(u, 2))))
        ln2 = mp.log(2)
        ln2_hi = mp.nint(ln2 * 2 ** LOG2_BITS) / 2 ** LOG2_BITS
    return [qt.emit_table("log_reduction_reciprocal", "r: 1/(1 + (j + 1/2)/512) to 14 fractional bits, "
                          "j = 0, ..., 511", r),
            qt.emit_table("log_reduction_hi", "-ln r for the entries of log_reduction_reciprocal, "
                          "to a multiple of 2^-16", hi),
            qt.emit_table("log_reduction_lo", "-ln r less log_reduction_hi", lo),
            qt.emit_table("log_reduction_ln2", "ln 2 to a multiple of 2^-16, and the rest",
                          [qt.to_double(ln2_hi), qt.to_double(ln2 - ln2_hi)])]


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
    ] + zero_form_tables() + log_reduction_tables()
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
