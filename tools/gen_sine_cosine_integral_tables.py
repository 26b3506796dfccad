"""Tables for Si and Ci below 16, and for E1 on [2, 4] (specfun/sine_cosine_integral_tables.hpp).

E1 on [2, 4]: x e^x E1(x) as a polynomial in t = x - 3 (E1 itself falls thirteenfold there,
and a table of it rounds to an error relative to its largest values).

Up to x = 1, the series: (Si(x)/x - 1)/x^2 and (gamma + ln x - Ci(x))/x^2 as polynomials
in u = x^2 about u = 1/2 (Si = x + x^3 times the first, its leading term x added whole). From 1 to 16, Si and Ci themselves on pieces of width 1/2, each a
polynomial in t = x - c (c the piece's midpoint) whose constant term is stored in two
doubles, so that the value is rounded once, in the last sum, and no sine or cosine
(with their own rounding) enters. The series would cancel there to far more than the
local amplitude of Ci. Ci needs more terms than Si: the logarithm in Ci slows the
convergence on the pieces nearest 1.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
PIECES = 30  # of width 1/2 on [1, 16]


def si_less_x(u):
    x = mp.sqrt(u)
    return (mp.si(x) / x - 1) / u if u > 0 else mp.mpf(-1) / 18


def cin_over_square(u):
    x = mp.sqrt(u)
    return (mp.euler + mp.log(x) - mp.ci(x)) / u if u > 0 else mp.mpf(1) / 4


def split_constant_pieces(g, terms, label):
    """g on each piece [1 + k/2, 1.5 + k/2] as a polynomial in t = x - c, highest power
    first, the constant term last as two doubles (its rounding, then the rest); the
    pieces one after the other."""
    values, worst = [], 0.0
    for k in range(PIECES):
        with mp.workdps(qt.DPS):
            c, h = 1 + mp.mpf(k) / 2 + mp.mpf(1) / 4, mp.mpf(1) / 4
            cheb = qt.chebyshev(lambda s: g(c + h * s), terms)
            amplitude = mp.sqrt(mp.ci(c) ** 2 + (mp.si(c) - mp.pi / 2) ** 2)
            worst = max(worst, float(abs(cheb[-1]) / amplitude))
            power = [p / h ** j for j, p in enumerate(qt.chebyshev_to_power(cheb))]
            high = qt.to_double(power[0])
            values += [qt.to_double(p) for p in reversed(power[1:])] + [high, qt.to_double(power[0] - high)]
    print("%s: last coefficient at most %.1e of the amplitude" % (label, worst))
    return values


def main():
    tables = [
        qt.emit_table("sinint_near_zero_poly", "(Si(x)/x - 1)/x^2 for |x| <= 1, in t = x^2 - 1/2, highest power first",
                      qt.centred_power_table(si_less_x, 0, 1, 8, "(Si(x)/x - 1)/x^2")),
        qt.emit_table("cosint_near_zero_poly", "(gamma + ln x - Ci(x))/x^2 for 0 < x <= 1, in t = x^2 - 1/2, "
                      "highest power first", qt.centred_power_table(cin_over_square, 0, 1, 8, "Cin(x)/x^2")),
    ]
    tables.append(qt.emit_table("sinint_pieces", "Si(x) on the 30 pieces [1 + k/2, 1.5 + k/2], 14 entries each: in "
                                "t = x - 1.25 - k/2, highest power first, the constant term in two doubles",
                                split_constant_pieces(mp.si, 13, "Si")))
    tables.append(qt.emit_table("cosint_pieces", "Ci(x) on the 30 pieces [1 + k/2, 1.5 + k/2], 19 entries each: in "
                                "t = x - 1.25 - k/2, highest power first, the constant term in two doubles",
                                split_constant_pieces(mp.ci, 18, "Ci")))
    tables.append(qt.emit_table("expint_scaled_2_4", "x e^x E1(x) for 2 <= x <= 4, in t = x - 3, highest power first",
                                qt.centred_power_table(lambda x: x * mp.exp(x) * mp.e1(x), 2, 4, 21, "x e^x E1(x)")))
    qt.write_header(os.path.join(ROOT, "specfun", "sine_cosine_integral_tables.hpp"),
                    "gen_sine_cosine_integral_tables.py", tables)


if __name__ == "__main__":
    main()
