"""Writes complexbessel/k_core_tables.hpp: the Taylor coefficients of
1/Gamma(1+x) = E(x^2) + x O(x^2), each in two doubles (hi + lo), for the
starting values of the K series at |x| <= 1/2. cc[k] is the coefficient of
x^(2k+1), so that (1/Gamma(1-x) - 1/Gamma(1+x))/(2x) = -O(x^2) =
-(sum over k of cc[k] x^(2k)); ce[k] that of x^(2k), E(x^2) = (1/Gamma(1-x) +
1/Gamma(1+x))/2. Eleven odd and twelve even terms leave less than 1e-21 of
the sums at |x| = 1/2. Prints the agreement of the first eight cc with the
given values.

Usage: python3 tools/gen_complex_k_tables.py
"""
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_tables import DPS, check_entries, emit_table, to_double, write_header  # noqa: E402

GENERATOR = "gen_complex_k_tables.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "complexbessel", "k_core_tables.hpp")
TERMS = 11
GIVEN = ["0.5772156649015329", "-0.04200263503409524", "-0.04219773455554433", "0.0072189432466631",
         "-0.00021524167411495098", "-2.013485478078824e-05", "1.133027231981696e-06", "6.116095104481416e-09"]


def main():
    mp.dps = DPS
    taylor = mpmath.taylor(mpmath.rgamma, 1, 2 * TERMS + 2)
    odd = [taylor[2 * k + 1] for k in range(TERMS)]
    even = [taylor[2 * k] for k in range(TERMS + 1)]
    cc, ce = [to_double(c) for c in odd], [to_double(c) for c in even]
    for line in check_entries("cc", cc, list(enumerate(GIVEN))):
        print(line)
    left = abs(taylor[2 * TERMS + 2]) * mpmath.mpf(0.5) ** (2 * TERMS + 2)
    print("first term left out at |x| = 1/2: %.1e" % float(left))
    tables = [
        emit_table("cc", "Coefficients of x^(2k+1) in 1/Gamma(1+x), leading parts.", cc),
        emit_table("cc_lo", "The same, what is left of each after its leading part.",
                   [to_double(c - mpmath.mpf(h)) for c, h in zip(odd, cc)]),
        emit_table("ce", "Coefficients of x^(2k) in 1/Gamma(1+x), leading parts.", ce),
        emit_table("ce_lo", "The same, what is left of each after its leading part.",
                   [to_double(c - mpmath.mpf(h)) for c, h in zip(even, ce)]),
    ]
    write_header(OUTPUT, GENERATOR, tables, namespace="qelms::cbes::k_tables")


if __name__ == "__main__":
    main()
