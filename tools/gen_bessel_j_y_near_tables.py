"""Tables for J0, J1, Y0, Y1 on 0 < x <= 8 (specfun/bessel_j_y_near_tables.hpp).

Up to x = 2, series in u = x^2 about u = 2: J0(x), J1(x)/x, and the parts of Y0, Y1
left after their logarithmic terms,
  Y0(x) - (2/pi) ln(x/2) J0(x)   and   (Y1(x) - (2/pi) ln(x/2) J1(x) + 2/(pi x))/x.
From 2 to 8, each function itself on PIECES intervals of width 1/4, as a polynomial in
t = x - c: c is the double nearest the function's zero where the interval holds one
(so the value near the zero keeps its relative accuracy), its midpoint elsewhere.
Each polynomial is the Chebyshev expansion on its interval, rewritten in powers of t,
its constant term the function's value at c, stored as two doubles (high part, then
the rest) so that only the final sum rounds it.
Below x = 1/2, where Y0 is held to its own size, the ascending series of Y0 in
v = x^2/4: J0(x) = 1 + v P(v) and Y0(x) = (2/pi) ((ln(x/2) + gamma) J0(x) + v Q(v)),
with P(v) = sum_{k>=1} (-v)^(k-1) (-1)/(k!)^2 and Q(v) = sum_{k>=1} (-v)^(k-1) H_k/(k!)^2
(H_k the harmonic numbers), truncated where the terms fall below 1e-19 of the sum.
Up to x = 3.2e-9, Y0(x) = (2/pi) ln(x e^gamma/2) with x = 2^k m, 1 <= m < 2, taken as
k A + B_j + (2/pi) ln(m/c_j), c_j = 1 + j/128 the grid point nearest m: A = (2/pi) ln 2
and B_j = (2/pi) (ln c_j + gamma - ln 2), each as a leading part on multiples of 2^-43
(so that k A + B_j is exact for every exponent k) and the rest.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
START, WIDTH, PIECES, TERMS = 2, mp.mpf(1) / 4, 24, 12
# Y0 on [3/4, 1], which holds its first zero 0.8936: one piece centred on it,
# 18 terms (the series' log term would cancel there)
Y0_ZERO_PIECE = (mp.mpf(3) / 4, mp.mpf(1), 18)
SMALL_TERMS = 8  # (1/16)^7/(8!)^2 < 1e-19
TINY_GRID = 128  # the grid c_j = 1 + j/TINY_GRID, j = 0..TINY_GRID, of Y0 for tiny x
TINY_QUANTUM = mp.mpf(2) ** -43  # the leading parts of A and B_j are multiples of this


def leading_and_rest(v):
    hi = mp.nint(v / TINY_QUANTUM) * TINY_QUANTUM
    return [qt.to_double(hi), qt.to_double(v - hi)]


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
        p = [-1 / mp.factorial(k) ** 2 * (-1) ** (k - 1) for k in range(1, SMALL_TERMS + 1)]
        q = [mp.harmonic(k) / mp.factorial(k) ** 2 * (-1) ** (k - 1) for k in range(1, SMALL_TERMS + 1)]
        tables.append(qt.emit_table("j0_small", "P(v): J0(x) = 1 + v P(v), v = x^2/4, x < 1/2, highest power first",
                                    [qt.to_double(c) for c in reversed(p)]))
        tables.append(qt.emit_table("y0_small", "Q(v): (pi/2) Y0(x) = (ln(x/2) + gamma) J0(x) + v Q(v), v = x^2/4, "
                                    "x < 1/2, highest power first", [qt.to_double(c) for c in reversed(q)]))
        for name, f in [("j0", lambda x: mp.besselj(0, x)), ("j1", lambda x: mp.besselj(1, x)),
                        ("y0", lambda x: mp.bessely(0, x)), ("y1", lambda x: mp.bessely(1, x))]:
            centres, coefficients, worst = qt.centred_pieces(f, START, WIDTH, PIECES, TERMS)
            print("%s pieces: largest truncation error %.1e" % (name, float(worst)))
            label = name[0].upper() + name[1:]
            tables.append(qt.emit_table(name + "_centres", "%s(x), 2 <= x <= 8: the centre c of each interval "
                                        "[2 + i/4, 2 + (i + 1)/4]" % label, centres))
            tables.append(qt.emit_table(name + "_pieces", "%s(x), 2 <= x <= 8: on each interval, %d coefficients "
                                        "in t = x - c, highest power first, then the rest of the constant term"
                                        % (label, TERMS), coefficients))
        tables.append(qt.emit_table("y0_tiny_step", "(2/pi) ln 2: its leading part on multiples of 2^-43, the rest",
                                    leading_and_rest(2 / mp.pi * mp.log(2))))
        tiny = []
        for j in range(TINY_GRID + 1):
            tiny += leading_and_rest(2 / mp.pi * (mp.log(1 + mp.mpf(j) / TINY_GRID) + mp.euler - mp.log(2)))
        tables.append(qt.emit_table("y0_tiny_log", "(2/pi) (ln(1 + j/128) + gamma - ln 2), j = 0..128: its leading "
                                    "part on multiples of 2^-43, then the rest", tiny, per_line=2))
        a, b, terms = Y0_ZERO_PIECE
        c, coefficients, worst = qt.centred_piece(lambda x: mp.bessely(0, x), a, b, terms)
        print("y0 first-zero piece: largest truncation error %.1e" % float(worst))
        tables.append(qt.emit_table("y0_zero_centre", "Y0(x), 3/4 <= x <= 1: the double nearest its first zero",
                                    [qt.to_double(c)]))
        tables.append(qt.emit_table("y0_zero_piece", "Y0(x), 3/4 <= x <= 1: %d coefficients in t = x - c, highest "
                                    "power first, then the rest of the constant term" % terms, coefficients))
    qt.write_header(os.path.join(ROOT, "specfun", "bessel_j_y_near_tables.hpp"), "gen_bessel_j_y_near_tables.py",
                    tables)


if __name__ == "__main__":
    main()
