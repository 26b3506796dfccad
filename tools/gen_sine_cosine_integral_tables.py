"""Tables for Si and Ci below 16, and for E1 on [1, 4] (specfun/sine_cosine_integral_tables.hpp).

E1 on (0, 1]: below 2^-10, E1 = -gamma - ln x + Ein(x), Ein(x) = x - x^2/4 + x^3 S(x) the entire
part, S as one polynomial in t = x - 1/2 (there -ln x > 6.9 outweighs the rest). From 2^-10 to 1,
E1 itself on eight pieces per binade, [2^e (1 + q/8), 2^e (1 + (q + 1)/8)], each in t = x - c about
its midpoint c with E1(c) in two doubles: the logarithm's singularity lies at least 17 half-widths
away, so 12 terms reach 1e-19 of E1, and no logarithm is formed.

E1 on [4, 708.3): e^-x times e^x E1(x), the latter on eight pieces per binade from 4 to 1024 as E1 on
[2^-10, 1] (its singularity, at 0, as far away); 13 terms reach 1e-19 of it.

E1 on [1, 4]: E1 itself on pieces of width 1/4, as Si and Ci below (on a piece E1 falls by
at most a third, so its table rounds to an error relative to E1 there).

Round the first zero of Ci, on [9/16, 11/16], Ci itself in t = x - z, z the double nearest the
zero, its value at z in two doubles: the series cancels there to about 1e-17 absolute, which next
to the zero is no relative accuracy at all.

Up to x = 1, the series: (Si(x)/x - 1)/x^2 and (gamma + ln x - Ci(x))/x^2 as polynomials
in u = x^2 about u = 1/2 (Si = x + x^3 times the first, its leading term x added whole).
From 1 to 16, Si and Ci themselves on pieces of width 1/2, each a polynomial in t = x - c
(c the piece's midpoint) whose constant term, the value at c, is stored in two doubles, so that the value is rounded once, in the last sum, and no sine or cosine
(with their own rounding) enters. The series would cancel there to far more than the
local amplitude of Ci. Ci needs more terms than Si: the logarithm in Ci slows the
convergence on the pieces nearest 1.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402
from gen_bessel_i_k_tables import centred_pieces, pieces_table  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def si_less_x(u):
    x = mp.sqrt(u)
    return (mp.si(x) / x - 1) / u if u > 0 else mp.mpf(-1) / 18


def ein_rest(x):
    """(Ein(x) - x + x^2/4)/x^3 by its series, Ein(x) = sum (-1)^(k+1) x^k/(k k!)."""
    return mp.fsum((-1) ** (k + 1) * x ** (k - 3) / (k * mp.factorial(k)) for k in range(3, 80))


def cin_over_square(u):
    x = mp.sqrt(u)
    return (mp.euler + mp.log(x) - mp.ci(x)) / u if u > 0 else mp.mpf(1) / 4


def main():
    tables = [
        qt.emit_table("sinint_near_zero_poly", "(Si(x)/x - 1)/x^2 for |x| <= 1, in t = x^2 - 1/2, highest power first",
                      qt.centred_power_table(si_less_x, 0, 1, 8, "(Si(x)/x - 1)/x^2")),
        qt.emit_table("cosint_near_zero_poly", "(gamma + ln x - Ci(x))/x^2 for 0 < x <= 1, in t = x^2 - 1/2, "
                      "highest power first", qt.centred_power_table(cin_over_square, 0, 1, 8, "Cin(x)/x^2")),
    ]
    tables.append(qt.emit_table("sinint_pieces", "Si(x) on the 30 pieces [1 + k/2, 1.5 + k/2], 14 entries each: in "
                                "t = x - 1.25 - k/2, highest power first, the constant term in two doubles",
                                pieces_table(mp.si, (1, mp.mpf(1) / 2, 30, 13))))
    tables.append(qt.emit_table("cosint_pieces", "Ci(x) on the 30 pieces [1 + k/2, 1.5 + k/2], 19 entries each: in "
                                "t = x - 1.25 - k/2, highest power first, the constant term in two doubles",
                                pieces_table(mp.ci, (1, mp.mpf(1) / 2, 30, 18))))
    centre, entries, _ = qt.centred_piece(mp.ci, mp.mpf(9) / 16, mp.mpf(11) / 16, 16)
    tables.append(qt.emit_table("cosint_zero_centre", "the double nearest the first zero of Ci, 0.6165...",
                                [float(centre)]))
    tables.append(qt.emit_table("cosint_zero_piece", "Ci(x) on [9/16, 11/16] in t = x - cosint_zero_centre, highest "
                                "power first, the constant term in two doubles", entries))
    tables.append(qt.emit_table("expint_ein_rest", "(Ein(x) - x + x^2/4)/x^3 for 0 < x <= 1, Ein(x) = E1(x) + gamma + "
                                "ln x, in t = x - 1/2, highest power first",
                                qt.centred_power_table(ein_rest, 0, 1, 12, "(Ein(x) - x + x^2/4)/x^3")))
    binade_bounds = [(mp.mpf(2) ** e * (1 + mp.mpf(q) / 8), mp.mpf(2) ** e * (1 + mp.mpf(q + 1) / 8))
                     for e in range(-10, 0) for q in range(8)]
    tables.append(qt.emit_table("expint_binade_pieces", "E1(x) on the 80 pieces [2^e (1 + q/8), 2^e (1 + (q + 1)/8)], "
                                "e = -10..-1, q = 0..7, 13 entries each: in t = x - 2^e (1 + (2q + 1)/16), highest "
                                "power first, the constant term in two doubles",
                                centred_pieces(mp.e1, binade_bounds, 12, "binade piece")))
    scaled_bounds = [(mp.mpf(2) ** e * (1 + mp.mpf(q) / 8), mp.mpf(2) ** e * (1 + mp.mpf(q + 1) / 8))
                     for e in range(2, 10) for q in range(8)]
    tables.append(qt.emit_table("expint_scaled_pieces", "e^x E1(x) on the 64 pieces [2^e (1 + q/8), 2^e (1 + (q + 1)/8)], "
                                "e = 2..9, q = 0..7, 14 entries each: in t = x - 2^e (1 + (2q + 1)/16), highest "
                                "power first, the constant term in two doubles",
                                centred_pieces(lambda x: mp.exp(x) * mp.e1(x), scaled_bounds, 13, "scaled piece")))
    tables.append(qt.emit_table("expint_pieces", "E1(x) on the 12 pieces [1 + k/4, 1.25 + k/4], 17 entries each: in "
                                "t = x - 1.125 - k/4, highest power first, the constant term in two doubles",
                                pieces_table(mp.e1, (1, mp.mpf(1) / 4, 12, 16))))
    qt.write_header(os.path.join(ROOT, "specfun", "sine_cosine_integral_tables.hpp"),
                    "gen_sine_cosine_integral_tables.py", tables)


if __name__ == "__main__":
    main()
