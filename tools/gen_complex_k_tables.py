"""Writes complexbessel/k_core_tables.hpp: the coefficients cc of the series
(1/Gamma(1-x) - 1/Gamma(1+x))/(2x) = -(sum over k of cc[k] x^(2k)) used by the
K evaluator for |x| <= 1/2. They are the odd Taylor coefficients of 1/Gamma(1+x)
(cc[k] is the coefficient of x^(2k+1)); eleven of them reach double precision
at |x| = 1/2. Prints the agreement of the first eight with the given values.

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
    taylor = mpmath.taylor(mpmath.rgamma, 1, 2 * TERMS)
    cc = [to_double(taylor[2 * k + 1]) for k in range(TERMS)]
    last = abs(mpmath.mpf(cc[-1])) * mpmath.mpf(0.25) ** (TERMS - 1) / mpmath.euler
    for line in check_entries("cc", cc, list(enumerate(GIVEN))):
        print(line)
    print("last term at |x| = 1/2, relative to the sum: %.1e" % float(last))
    write_header(OUTPUT, GENERATOR, [emit_table(
        "cc", "Series of (1/Gamma(1-x) - 1/Gamma(1+x))/(2x) = -(sum of cc[k] x^(2k)), |x| <= 1/2.", cc)],
        namespace="qelms::cbes::k_tables")


if __name__ == "__main__":
    main()
