"""Writes tests/data/complex_uniform_double_double.txt: the logarithm, square
root and quotient of complex values with double-double parts, from mpmath at
60 digits.

Row: label (log, sqrt or quotient), a as re.hi re.lo im.hi im.lo, b the same
(the divisor of a quotient, zeros otherwise), then the result as re.hi re.lo
im.hi im.lo: each part the nearest double and the nearest double to the rest.
Points cover every octant of the logarithm's reduction, the axes, moduli
from 2^-40 to 2^40, values near 1, and low parts that change the result.

Usage: python3 tools/gen_complex_uniform_double_double.py
"""
import math
import os
import sys

from mpmath import mp, mpc, mpf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402

GENERATOR = "gen_complex_uniform_double_double.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data",
                      "complex_uniform_double_double.txt")
ANGLES = [0.0, 20.0, 45.0, 70.0, 90.0, 110.0, 135.0, 160.0, 180.0, -20.0, -45.0, -70.0, -90.0, -110.0,
          -135.0, -160.0]
MODULI = [2.0 ** -40, 0.3, 1.0, 1.9, 2.0 ** 40]


def two_parts(x):
    """x as the nearest double and the nearest double to the rest."""
    hi = float(x)
    return [hi, float(x - mpf(hi))]


def dd_point(modulus, degrees, low):
    """Parts (re.hi, re.lo, im.hi, im.lo) of a point with low parts low ulps-fractions of the high ones."""
    a = math.radians(degrees)
    re, im = modulus * math.cos(a), modulus * math.sin(a)
    if degrees in (90.0, -90.0):
        re = 0.0
    if degrees in (0.0, 180.0):
        im = 0.0
    return [re, re * low, im, -im * low]


def value(parts):
    return mpc(mpf(parts[0]) + mpf(parts[1]), mpf(parts[2]) + mpf(parts[3]))


def row(label, a, b, result):
    return (label, a + b + two_parts(result.real) + two_parts(result.imag))


def main():
    mp.dps = 60
    rows = []
    zero = [0.0, 0.0, 0.0, 0.0]
    for modulus in MODULI:
        for degrees in ANGLES:
            for low in (0.0, 2.0 ** -60):
                a = dd_point(modulus, degrees, low)
                v = value(a)
                rows.append(row("log", a, zero, mp.log(v)))
                rows.append(row("sqrt", a, zero, mp.sqrt(v)))
    for a in ([1.0, 2.0 ** -70, 2.0 ** -30, 0.0], [1.0 - 2.0 ** -20, 0.0, -(2.0 ** -25), 2.0 ** -80]):
        rows.append(row("log", a, zero, mp.log(value(a))))
    for degrees in ANGLES[::3]:
        a = dd_point(3.7, degrees, 2.0 ** -58)
        for b in (dd_point(0.6, 75.0, 2.0 ** -57), dd_point(250.0, -150.0, 0.0)):
            rows.append(row("quotient", a, b, value(a) / value(b)))
    qelms_reference.write(OUTPUT, GENERATOR, __doc__.split("\n\nUsage")[0], rows)
    print("%d rows" % len(rows))


if __name__ == "__main__":
    main()
