"""Tables of the Airy functions on -5 <= x < 9 (specfun/airy_near_tables.hpp).

On -5 <= x < 0 and on 1 <= x < 9, each of Ai, Bi, Ai', Bi' on intervals of
width 1/4 as a polynomial in t = x - c, c the double nearest the function's zero where the
interval holds one, its midpoint elsewhere: the Chebyshev expansion on the
interval rewritten in powers of t, its constant term f(c) stored as two
doubles (high part, then the rest) so that only the final sum rounds it.

For 0 < x < 1, the Maclaurin series:

Ai = c1 f - c2 g, Bi = sqrt3 (c1 f + c2 g), with c1 = Ai(0), c2 = -Ai'(0) and
  f(x) = sum a_k z^k, a_0 = 1, a_k = a_(k-1) / ((3k - 1) 3k),      z = x^3
  g(x) = x sum b_k z^k, b_0 = 1, b_k = b_(k-1) / (3k (3k + 1))
  f'(x) = x^2 sum 3(k+1) a_(k+1) z^k,  g'(x) = sum (3k + 1) b_k z^k.
The leading terms (c1 and c2 x in Ai, Bi; c2 and c1 x^2/2 in Ai', Bi') are
formed with their constants in two doubles; the tables hold the rest, c1 or c2
times one series less its constant term, divided by z, highest power first.
For |x| <= 2 the terms fall below 1e-30 within the stored length.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
TERMS = 13  # |x| <= 2: 8^12 / 36! < 1e-30
WIDTH = mp.mpf(1) / 4
# name suffix, first interval's start, number of intervals, range in words, terms
# (truncation below 1e-18 of the amplitude or value)
STRETCHES = [("", -5, 20, "-5 <= x < 0", 12), ("_positive", 1, 32, "1 <= x < 9", 13)]


def two_doubles(v):
    """v as a double and the double nearest to the rest."""
    hi = qt.to_double(v)
    return [hi, qt.to_double(v - mp.mpf(hi))]


def main():
    with mp.workdps(qt.DPS):
        c1, c2 = mp.airyai(0), -mp.airyai(0, derivative=1)
        a, b = [mp.mpf(1)], [mp.mpf(1)]
        for k in range(1, TERMS + 1):
            a.append(a[-1] / ((3 * k - 1) * 3 * k))
            b.append(b[-1] / (3 * k * (3 * k + 1)))
        f = [c1 * a[k] for k in range(1, TERMS)]
        g = [c2 * b[k] for k in range(1, TERMS)]
        fd = [c1 * 3 * (k + 1) * a[k + 1] for k in range(1, TERMS)]
        gd = [c2 * (3 * k + 1) * b[k] for k in range(1, TERMS)]
        sqrt3 = mp.sqrt(3)
        leading = two_doubles(c1) + two_doubles(c2) + two_doubles(sqrt3 * c1) + two_doubles(sqrt3 * c2)

    def table(name, what, values):
        return qt.emit_table(name, what + " in z = x^3, highest power first", [qt.to_double(v) for v in reversed(values)])

    tables = [
        qt.emit_table("airy_series_leading", "Ai(0), -Ai'(0), sqrt3 Ai(0), sqrt3 (-Ai'(0)), each as high and low part",
                      leading, per_line=2),
        table("airy_series_f", "(Ai(0) f(x) - Ai(0))/z", f),
        table("airy_series_g", "-Ai'(0) (g(x)/x - 1)/z", g),
        table("airy_series_fd", "(Ai(0) f'(x)/x^2 - Ai(0)/2)/z", fd),
        table("airy_series_gd", "-Ai'(0) (g'(x) - 1)/z", gd),
    ]
    for suffix, start, count, where, terms in STRETCHES:
        for name, label, f in [("ai", "Ai", mp.airyai), ("bi", "Bi", mp.airybi),
                               ("ad", "Ai'", lambda x: mp.airyai(x, derivative=1)),
                               ("bd", "Bi'", lambda x: mp.airybi(x, derivative=1))]:
            centres, coefficients, worst = qt.centred_pieces(f, start, WIDTH, count, terms)
            print("%s pieces on %s: largest truncation error %.1e" % (label, where, float(worst)))
            tables.append(qt.emit_table("airy_%s%s_centres" % (name, suffix), "%s(x), %s: the centre c of each "
                                        "interval [%d + i/4, %d + (i + 1)/4]" % (label, where, start, start), centres))
            tables.append(qt.emit_table("airy_%s%s_pieces" % (name, suffix), "%s(x), %s: on each interval, %d "
                                        "coefficients in t = x - c, highest power first, then the rest of the "
                                        "constant term" % (label, where, terms), coefficients))
    qt.write_header(os.path.join(ROOT, "specfun", "airy_near_tables.hpp"), "gen_airy_near_tables.py", tables)


if __name__ == "__main__":
    main()
