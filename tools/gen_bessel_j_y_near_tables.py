"""Tables for J0, J1, Y0, Y1 on 0 < x <= 8 (specfun/bessel_j_y_near_tables.hpp).

Up to x = 2, series in u = x^2 about u = 2: J0(x), J1(x)/x, and the parts of Y0, Y1
left after their logarithmic terms,
  Y0(x) - (2/pi) ln(x/2) J0(x)   and   (Y1(x) - (2/pi) ln(x/2) J1(x) + 2/(pi x))/x.
From 2 to 8, the Hankel factors P and (x/8) Q of each order, defined for every x > 0 by
  J = A (P cos phi - Q sin phi),  Y = A (P sin phi + Q cos phi),
  A = sqrt(2/(pi x)), phi = x - pi/4 (order 0) or x - 3 pi/4 (order 1),
smooth where J and Y oscillate, as polynomials in t = x - c on [2, 4] and [4, 8].
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402
from gen_bessel_j_y_tables import hankel_factors  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
INTERVALS = [(2, 4), (4, 8)]


def at_root(u):
    return mp.sqrt(u) if u > 0 else mp.mpf(10) ** -40


def j0_series(u):
    return mp.besselj(0, at_root(u))


def j1_series(u):
    x = at_root(u)
    return mp.besselj(1, x) / x


def y0_series(u):
    x = at_root(u)
    return mp.bessely(0, x) - 2 / mp.pi * mp.log(x / 2) * mp.besselj(0, x)


def y1_series(u):
    x = at_root(u)
    return (mp.bessely(1, x) - 2 / mp.pi * mp.log(x / 2) * mp.besselj(1, x) + 2 / (mp.pi * x)) / x




def main():
    with mp.workdps(60):
        tables = []
        for name, what, g in [
                ("j0_near", "J0(x)", j0_series), ("j1_near", "J1(x)/x", j1_series),
                ("y0_near", "Y0(x) - (2/pi) ln(x/2) J0(x)", y0_series),
                ("y1_near", "(Y1(x) - (2/pi) ln(x/2) J1(x) + 2/(pi x))/x", y1_series)]:
            tables.append(qt.emit_table(name, "%s for 0 < x <= 2, in t = x^2 - 2, highest power first" % what,
                                        qt.centred_power_table(g, 0, 4, 11, what)))
        for order in (0, 1):
            p = lambda x, n=order: hankel_factors(n, x)[0]  # noqa: E731
            q = lambda x, n=order: x / 8 * hankel_factors(n, x)[1]  # noqa: E731
            for a, b in INTERVALS:
                c = (a + b) // 2
                tables.append(qt.emit_table("p%d_%d_%d" % (order, a, b), "P%d(x) for %d <= x <= %d, in t = x - %d, "
                                            "highest power first" % (order, a, b, c),
                                            qt.centred_power_table(p, a, b, 22, "P%d" % order)))
                tables.append(qt.emit_table("q%d_%d_%d" % (order, a, b), "(x/8) Q%d(x) for %d <= x <= %d, in "
                                            "t = x - %d, highest power first" % (order, a, b, c),
                                            qt.centred_power_table(q, a, b, 22, "(x/8) Q%d" % order)))
    qt.write_header(os.path.join(ROOT, "specfun", "bessel_j_y_near_tables.hpp"), "gen_bessel_j_y_near_tables.py",
                    tables)


if __name__ == "__main__":
    main()
