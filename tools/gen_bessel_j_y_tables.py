"""Coefficient tables of J0, J1, Y0, Y1: writes specfun/bessel_j_y_tables.hpp.

On 0 < a <= 8 the functions are Chebyshev series in t = a^2/32 - 1, stored
from the highest order down. The evaluation folds the start of the three-term
recurrence into the first three entries (d1 = u c1 + c2, d2 = u d1 + c3), so
the third stored entry is the Chebyshev coefficient of order m-3 less that of
order m-1; the last entry is the constant term, whole.

For a > 8 they use the Hankel form J + iY = sqrt(2/(pi a)) (P + iQ) e^(i theta)
with theta = a - pi/4 (order 0) or a - 3 pi/4 (order 1); P and (a/8) Q are
polynomials in t = 128/a^2 - 1, stored from the highest power down.

Prints the agreement (digits) of each table with the entries given for it. The
small high-order entries were rounded to a few digits as Chebyshev
coefficients before conversion to powers, so for the polynomial tables the
Chebyshev coefficients implied by the given leading entries are compared too.
"""
import os

import mpmath
from mpmath import mp

from qelms_tables import (DPS, agreement, check_entries, chebyshev, emit_table, stored_table,
                          to_double, write_header)

mp.dps = DPS


def hankel_factors(order, a):
    """(P, Q) of the given order at a > 0: P + iQ = (J + iY) e^(-i theta) / sqrt(2/(pi a))."""
    theta = a - (1 + 2 * order) * mp.pi / 4
    h = (mp.besselj(order, a) + 1j * mp.bessely(order, a)) * mp.exp(-1j * theta) / mp.sqrt(2 / (mp.pi * a))
    return h.real, h.imag


def large(t):
    """a > 8 from t = 128/a^2 - 1."""
    return mp.sqrt(128 / (t + 1))


def small(t):
    """0 < a <= 8 from t = a^2/32 - 1."""
    return mp.sqrt(32 * (t + 1))


def j1_scaled(x):
    return 8 * mp.besselj(1, x) / x


TABLES = [
    # name, kind, entries, function of t, one-line meaning, given entries (index, text)
    ("p0", "polynomial", 14, lambda t: hankel_factors(0, large(t))[0],
     "P0(a), Hankel factor of order 0 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "-1.179648e-14"), (1, "3.340288e-14"), (2, "-6.418432e-14"),
      (-2, "-5.363673192130046e-4"), (-1, "0.9994572757882519")]),
    ("q0", "polynomial", 17, lambda t: large(t) / 8 * hankel_factors(0, large(t))[1],
     "(a/8) Q0(a), Hankel factor of order 0 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "-9.8304e-16"), (1, "2.12992e-15"), (2, "-1.14688e-15"),
      (-2, "6.8331490993439e-05"), (-1, "-0.015555113879513518")]),
    ("p1", "polynomial", 14, lambda t: hankel_factors(1, large(t))[0],
     "P1(a), Hankel factor of order 1 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "1.24928e-14"), (1, "-3.545088e-14"), (2, "6.863872e-14"),
      (-2, "8.988049416705578e-4"), (-1, "1.0009070262780821")]),
    ("q1", "polynomial", 16, lambda t: large(t) / 8 * hankel_factors(1, large(t))[1],
     "(a/8) Q1(a), Hankel factor of order 1 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "-2.29376e-15"), (1, "5.3248e-15"), (2, "-4.83328e-15"),
      (-2, "-9.621458822054416e-05"), (-1, "0.04677687402744898")]),
    ("cj0", "chebyshev", 17, lambda t: mp.besselj(0, small(t)),
     "J0(a) on 0 <= a <= 8, Chebyshev series in t = a^2/32 - 1, highest order first, start folded.",
     [(0, "1.222e-17"), (1, "-7.5885e-16"), (2, "4.124099e-14"),
      (-2, "-0.008723442352852221"), (-1, "0.15772797147489012")]),
    ("cj1", "chebyshev", 17, lambda t: j1_scaled(small(t)),
     "8 J1(a)/a on 0 <= a <= 8, Chebyshev series in t = a^2/32 - 1, highest order first, start folded.",
     [(0, "2.95e-18"), (1, "-1.9554e-16"), (2, "1.138277e-14"),
      (-2, "-1.1918011605412169"), (-1, "0.6483587706052649")]),
    ("cy0", "chebyshev", 18,
     lambda t: mp.bessely(0, small(t)) - 2 / mp.pi * mp.log(small(t)) * mp.besselj(0, small(t)),
     "Y0(x) - (2/pi) ln(x) J0(x) on 0 < x <= 8, Chebyshev series in t = x^2/32 - 1, highest order first,"
     " start folded.",
     [(0, "3.9e-19"), (1, "-2.698e-17"), (2, "1.6431e-15"),
      (-2, "-0.2744743055297453"), (-1, "-0.03314611320328494")]),
    ("cy1", "chebyshev", 17,
     lambda t: (8 / small(t)) * (mp.bessely(1, small(t)) + 2 / (mp.pi * small(t)))
     - 2 / mp.pi * mp.log(small(t)) * j1_scaled(small(t)),
     "(8/x) (Y1(x) + 2/(pi x)) - (2/pi) ln(x) 8 J1(x)/x on 0 < x <= 8, Chebyshev series in t = x^2/32 - 1,"
     " highest order first, start folded.",
     [(0, "-6.58e-18"), (1, "4.2773e-16"), (2, "-2.440291e-14"),
      (-2, "-0.12869738438135"), (-1, "0.020304105885934252")]),
]


def implied_chebyshev(n, given):
    """Chebyshev coefficients of orders n-1, n-2, n-3 implied by the three given
    leading power coefficients (T_k has 2^(k-1) t^k and -k 2^(k-3) t^(k-2))."""
    p = [mp.mpf(text) for _, text in given[:3]]
    top = p[0] / 2 ** (n - 2)
    second = p[1] / 2 ** (n - 3)
    third = (p[2] + (n - 1) * 2 ** (n - 4) * top) / 2 ** (n - 4)
    return [top, second, third]


def main():
    blocks = []
    for name, kind, n, g, what, given in TABLES:
        coeffs = chebyshev(g, n)
        entries = stored_table(kind, coeffs)
        values = [to_double(v) for v in entries]
        for line in check_entries(name, entries, given):
            print(line)
        if kind == "polynomial":
            for k, implied in zip((n - 1, n - 2, n - 3), implied_chebyshev(n, given)):
                print("%s: Chebyshev order %d: generated %s, implied by the given entries %s, %.1f digits" % (
                    name, k, mpmath.nstr(coeffs[k], 6), mpmath.nstr(implied, 6), agreement(coeffs[k], implied)))
        blocks.append(emit_table(name, what, values))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun", "bessel_j_y_tables.hpp")
    write_header(path, "gen_bessel_j_y_tables.py", blocks, namespace="qelms::bessel_j_y")


if __name__ == "__main__":
    main()
