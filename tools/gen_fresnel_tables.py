"""Writes specfun/fresnel_tables.hpp: the polynomials of the Fresnel integrals for x > 3
(below 3, tools/gen_fresnel_near_tables.py).

The auxiliary functions x f(x) and x^3 g(x) on x >= 3 in t = 2(3/x)^4 - 1, where
S(x) = 1/2 - f cos(pi x^2/2) - g sin(pi x^2/2) and
C(x) = 1/2 + f sin(pi x^2/2) - g cos(pi x^2/2). Each is a truncated Chebyshev
expansion in t rewritten in powers of t, stored highest power first.
Prints the agreement of each table with the published leading and highest
coefficients.
"""
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_tables import chebyshev, chebyshev_to_power, check_entries, emit_table, to_double, write_header  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(ROOT, "specfun", "fresnel_tables.hpp")


def auxiliary(x):
    """f(x) and g(x) from S and C, at enough digits to absorb the cancellation."""
    with mp.workdps(90):
        x = mp.mpf(x)
        phase = mp.pi * x * x / 2
        a = mp.mpf(1) / 2 - mpmath.fresnels(x)
        b = mpmath.fresnelc(x) - mp.mpf(1) / 2
        return a * mp.cos(phase) + b * mp.sin(phase), a * mp.sin(phase) - b * mp.cos(phase)


def large_argument(t):
    return 3 * (2 / (t + 1)) ** (mp.mpf(1) / 4)


def scaled_f(t):
    x = large_argument(t)
    return x * auxiliary(x)[0]


def scaled_g(t):
    x = large_argument(t)
    return x ** 3 * auxiliary(x)[1]


# name, meaning, function of t, number of coefficients, given entries (c0, c1, c2, highest)
TABLES = [
    ("fresnel_f_poly", "x f(x) for x >= 3, in t = 2(3/x)^4 - 1, highest power first",
     scaled_f, 17,
     ["0.31772498319325737", "-0.0005732110089542916", "1.109705307432293e-05", "2.0750672774168575e-14"]),
    ("fresnel_g_poly", "x^3 g(x) for x >= 3, in t = 2(3/x)^4 - 1, highest power first",
     scaled_g, 20,
     ["0.10040516831391441", "-0.0008840352414891642", "2.9719106753683138e-05", "-4.034633956773069e-14"]),
]


def main():
    blocks = []
    for name, meaning, g, n, given in TABLES:
        power = chebyshev_to_power(chebyshev(g, n))
        stored = [to_double(c) for c in reversed(power)]
        checks = [(-1, given[0]), (-2, given[1]), (-3, given[2]), (0, given[3])]
        for line in check_entries(name, stored, checks):
            print(line)
        blocks.append(emit_table(name, meaning, stored))
    write_header(OUTPUT, os.path.basename(__file__), blocks)
    print("wrote", os.path.relpath(OUTPUT, ROOT))


if __name__ == "__main__":
    main()
