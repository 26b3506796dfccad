"""Tables for Si and Ci below 16, and for E1 on [2, 4] (specfun/sine_cosine_integral_tables.hpp).

E1 on [2, 4]: x e^x E1(x) as a polynomial in t = x - 3 (E1 itself falls thirteenfold there,
and a table of it rounds to an error relative to its largest values).

Up to x = 1, the series: Si(x)/x and (gamma + ln x - Ci(x))/x^2 as polynomials in
u = x^2 about u = 1/2. From 1 to 16, the auxiliary functions
f(x) = Ci(x) sin x - (Si(x) - pi/2) cos x and g(x) = -Ci(x) cos x - (Si(x) - pi/2) sin x,
with Si = pi/2 - f cos x - g sin x and Ci = f sin x - g cos x: x f(x) and x^2 g(x)
as polynomials in t = x - c on [1, 2], [2, 4], [4, 8] and [8, 16] (c the midpoint). The
series would cancel there to far more than the local amplitude of Ci.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402
from gen_exponential_integrals_tables import aux_f as f, aux_g as g  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
INTERVALS = [(1, 2), (2, 4), (4, 8), (8, 16)]


def si_over_x(u):
    x = mp.sqrt(u)
    return mp.si(x) / x if u > 0 else mp.mpf(1)


def cin_over_square(u):
    x = mp.sqrt(u)
    return (mp.euler + mp.log(x) - mp.ci(x)) / u if u > 0 else mp.mpf(1) / 4


def main():
    tables = [
        qt.emit_table("sinint_near_zero_poly", "Si(x)/x for |x| <= 1, in t = x^2 - 1/2, highest power first",
                      qt.centred_power_table(si_over_x, 0, 1, 8, "Si(x)/x")),
        qt.emit_table("cosint_near_zero_poly", "(gamma + ln x - Ci(x))/x^2 for 0 < x <= 1, in t = x^2 - 1/2, "
                      "highest power first", qt.centred_power_table(cin_over_square, 0, 1, 8, "Cin(x)/x^2")),
    ]
    for a, b in INTERVALS:
        c = (a + b) / 2
        tables.append(qt.emit_table("auxiliary_f_%d_%d" % (a, b), "x f(x) for %d <= x <= %d, in t = x - %g, "
                                    "highest power first" % (a, b, c),
                                    qt.centred_power_table(lambda x: x * f(x), a, b, 21, "x f(x)")))
        tables.append(qt.emit_table("auxiliary_g_%d_%d" % (a, b), "x^2 g(x) for %d <= x <= %d, in t = x - %g, "
                                    "highest power first" % (a, b, c),
                                    qt.centred_power_table(lambda x: x * x * g(x), a, b, 21, "x^2 g(x)")))
    tables.append(qt.emit_table("expint_scaled_2_4", "x e^x E1(x) for 2 <= x <= 4, in t = x - 3, highest power first",
                                qt.centred_power_table(lambda x: x * mp.exp(x) * mp.e1(x), 2, 4, 21, "x e^x E1(x)")))
    qt.write_header(os.path.join(ROOT, "specfun", "sine_cosine_integral_tables.hpp"),
                    "gen_sine_cosine_integral_tables.py", tables)


if __name__ == "__main__":
    main()
