"""Reference values for the complex Bessel routines on the real axis (bench/complex/).

Writes bench/complex/real_axis.txt: for each of I, K, J, Y, each starting order nu and
each x > 0, the ten members of orders nu, nu + 1, ..., nu + 9 at 50 digits (mpmath), each
with its error scale: |value| for I and K, and for J and Y, which oscillate through zeros,
max(|value|, |J + iY|).
"""
import os
import sys

from mpmath import mp, mpf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference as ref  # noqa: E402

mp.dps = 50
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench", "complex", "real_axis.txt")
GENERATOR = "gen_bench_complex_real_axis.py"
ORDERS = [0.3, 1.7, 4.5, 12.25, 40.5]      # starting orders: fractional, small to large
ARGUMENTS = [0.5, 3.0, 9.0, 25.0, 80.0, 300.0]  # x from the power series to the large-argument range
MEMBERS = 10


def members(kind, nu, x):
    out = []
    for k in range(MEMBERS):
        v = mpf(nu) + k
        if kind in "IK":
            y = mp.besseli(v, x) if kind == "I" else mp.besselk(v, x)
            out.append((y, abs(y)))
        else:
            j, yv = mp.besselj(v, x), mp.bessely(v, x)
            y = j if kind == "J" else yv
            out.append((y, max(abs(y), mp.sqrt(j * j + yv * yv))))
    return out


def main():
    rows = []
    for kind in "IKJY":
        for nu in ORDERS:
            for x in ARGUMENTS:
                vals = members(kind, nu, mpf(x))
                rows.append((kind, [nu, x] + [v for v, _ in vals] + [s for _, s in vals]))
    ref.write(OUTPUT, GENERATOR, """
Bessel functions of orders nu + k, k = 0..9, at real x > 0, at 50 digits (mpmath).
Columns: kind (I, K, J, Y) nu x, then the ten values, then their ten error scales
(|value| for I and K; max(|value|, |J + iY|) for J and Y).""", rows)


if __name__ == "__main__":
    main()
