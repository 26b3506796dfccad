"""Tables for the Fresnel integrals on 0 < x <= 3 (specfun/fresnel_near_tables.hpp).

Up to x = 1, S(x)/x^3 and C(x)/x as polynomials in u = x^4 about u = 1/2, the
constant term in two doubles. From 1 to 3, where those series cancel, S and C
themselves on pieces of width 1/4, each a polynomial in t = x - c about the
piece's midpoint c, the constant term in two doubles.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def x_of(u):
    return mp.root(u, 4) if u > 0 else mp.mpf(10) ** -30


def s_series(u):
    x = x_of(u)
    return mp.fresnels(x) / x ** 3


def c_series(u):
    x = x_of(u)
    return mp.fresnelc(x) / x


def series_table(g, label):
    """g on 0 <= u <= 1 about u = 1/2, its constant term in two doubles."""
    _, entries, worst = qt.centred_piece(g, 0, 1, SERIES_TERMS)
    print("%s: largest error %.1e" % (label, float(worst)))
    return entries


def pieces(name, what, f):
    """f on [1 + i/4, 1 + (i + 1)/4], i < 8, each about its midpoint, the constant term in two doubles."""
    centres, coefficients, worst = qt.centred_pieces(f, 1, mp.mpf(1) / 4, PIECES, PIECE_TERMS)
    print("%s pieces: largest truncation error %.1e" % (name, float(worst)))
    return [qt.emit_table(name + "_centres", "%s, 1 <= x <= 3: the centre c of each interval [1 + i/4, 1 + (i + 1)/4]"
                          % what, centres),
            qt.emit_table(name + "_pieces", "%s, 1 <= x <= 3: on each interval, %d coefficients in t = x - c, highest "
                          "power first, then the rest of the constant term" % (what, PIECE_TERMS), coefficients)]


def main():
    with mp.workdps(60):
        tables = [
            qt.emit_table("fresnel_sine_near", "S(x)/x^3 for 0 < x <= 1, in t = x^4 - 1/2, highest power first, "
                          "the constant term in two doubles", series_table(s_series, "S(x)/x^3")),
            qt.emit_table("fresnel_cosine_near", "C(x)/x for 0 < x <= 1, in t = x^4 - 1/2, highest power first, "
                          "the constant term in two doubles", series_table(c_series, "C(x)/x")),
            *pieces("fresnel_sine", "S(x)", mp.fresnels),
            *pieces("fresnel_cosine", "C(x)", mp.fresnelc),
        ]
    qt.write_header(os.path.join(ROOT, "specfun", "fresnel_near_tables.hpp"), "gen_fresnel_near_tables.py", tables)


SERIES_TERMS = 10
PIECES = 8
PIECE_TERMS = 17

if __name__ == "__main__":
    main()
