"""Tables for the Fresnel integrals on 0 < x <= 3 (specfun/fresnel_near_tables.hpp).

Up to x = 1, S(x)/x^3 and C(x)/x as polynomials in u = x^4 about u = 1/2. From 1
to 3, where those series cancel, the auxiliary functions
  f(x) = (1/2 - S) cos(pi x^2/2) - (1/2 - C) sin(pi x^2/2),
  g(x) = (1/2 - C) cos(pi x^2/2) + (1/2 - S) sin(pi x^2/2),
with S = 1/2 - f cos - g sin and C = 1/2 + f sin - g cos, as polynomials in t = x - 2.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402
from gen_fresnel_tables import auxiliary  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def x_of(u):
    return mp.root(u, 4) if u > 0 else mp.mpf(10) ** -30


def s_series(u):
    x = x_of(u)
    return mp.fresnels(x) / x ** 3


def c_series(u):
    x = x_of(u)
    return mp.fresnelc(x) / x


def f(x):
    return auxiliary(x)[0]


def g(x):
    return auxiliary(x)[1]


def series_table(g, label):
    """g on 0 <= u <= 1 about u = 1/2, its constant term in two doubles."""
    _, entries, worst = qt.centred_piece(g, 0, 1, SERIES_TERMS)
    print("%s: largest error %.1e" % (label, float(worst)))
    return entries


def main():
    with mp.workdps(60):
        tables = [
            qt.emit_table("fresnel_sine_near", "S(x)/x^3 for 0 < x <= 1, in t = x^4 - 1/2, highest power first, "
                          "the constant term in two doubles", series_table(s_series, "S(x)/x^3")),
            qt.emit_table("fresnel_cosine_near", "C(x)/x for 0 < x <= 1, in t = x^4 - 1/2, highest power first, "
                          "the constant term in two doubles", series_table(c_series, "C(x)/x")),
            qt.emit_table("fresnel_f_near", "f(x) for 1 <= x <= 3, in t = x - 2, highest power first",
                          qt.centred_power_table(f, 1, 3, AUX_TERMS, "f")),
            qt.emit_table("fresnel_g_near", "g(x) for 1 <= x <= 3, in t = x - 2, highest power first",
                          qt.centred_power_table(g, 1, 3, AUX_TERMS, "g")),
        ]
    qt.write_header(os.path.join(ROOT, "specfun", "fresnel_near_tables.hpp"), "gen_fresnel_near_tables.py", tables)


SERIES_TERMS = 10
AUX_TERMS = 24

if __name__ == "__main__":
    main()
