#!/usr/bin/env python3
"""Writes specfun/exponential_integrals_tables.hpp: the polynomials of the
cosine and sine integrals beyond 16, and prints how each agrees with the
entries published for it.

Each table is the truncated Chebyshev expansion of its function in its
variable t on [-1, 1], rewritten in powers of t, rounded once to double and
stored constant term first.
"""
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_tables import (DPS, check_entries, chebyshev, chebyshev_to_power,  # noqa: E402
                          cpp_double, emit_table, to_double, write_header)

GENERATOR = "gen_exponential_integrals_tables.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun",
                      "exponential_integrals_tables.hpp")


def aux_f(x):
    """f(x) with Si(x) = pi/2 - f cos x - g sin x, Ci(x) = f sin x - g cos x."""
    return mpmath.ci(x) * mpmath.sin(x) + (mp.pi / 2 - mpmath.si(x)) * mpmath.cos(x)


def aux_g(x):
    return -mpmath.ci(x) * mpmath.cos(x) + (mp.pi / 2 - mpmath.si(x)) * mpmath.sin(x)


def from_inverse_square_variable(t):
    """x of t = 512/x^2 - 1."""
    return mpmath.sqrt(512 / (t + 1))


# name, size, function of t, comment, entries given for it (index, text)
TABLES = [
    ("auxiliary_f", 14, lambda t: (lambda x: x * aux_f(x))(from_inverse_square_variable(t)),
     "x f(x) on x >= 16, t = 512/x^2 - 1",
     [(0, "0.9961804419078865"), (1, "-0.003737291268690489"), (2, "7.822150415183696e-05"),
      (-1, "-6.487820803229041e-13")]),
    ("auxiliary_g", 16, lambda t: (lambda x: x * x * aux_g(x))(from_inverse_square_variable(t)),
     "x^2 g(x) on x >= 16, t = 512/x^2 - 1",
     [(0, "0.9887058593705057"), (1, "-0.01089898778945207"), (2, "0.0003688343912995559"),
      (-1, "-2.134526069276983e-12")]),
]

def main():
    blocks = []
    report = []
    for name, size, g, what, given in TABLES:
        with mp.workdps(DPS):
            power = chebyshev_to_power(chebyshev(g, size))
            values = [to_double(p) for p in power]
        blocks.append(emit_table(name, what + "; constant term first.", values))
        report.extend(check_entries(name, values, given))
    write_header(OUTPUT, GENERATOR, blocks)
    print("\n".join(report))


if __name__ == "__main__":
    main()
