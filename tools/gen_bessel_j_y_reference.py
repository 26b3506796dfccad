"""Reference values of J0, J1, Y0, Y1 for tests/data/bessel_j_y.txt.

Rows: region x expected scale. The region names the routine and the branch
it takes (small: the leading term; chebyshev: 0 < |x| <= 8; hankel: 8 < |x| <= 100;
hankel_far: 100 < |x| <= 1e16, where the rounding of the phase x - pi/4 bounds
the accuracy). zero rows are the doubles nearest to zeros of the function.
scale is the local amplitude sqrt(J^2 + Y^2) of that order at |x| for
|x| > 0.5, where the functions oscillate, and 0 below (pure relative error):
tests measure |computed - expected| / max(|expected|, scale).
"""
import math
import os

import mpmath
from mpmath import mp

import qelms_reference
from qelms_reference import above, below  # noqa: E402

GOLDEN = (math.sqrt(5.0) - 1.0) / 2.0


def spread(lo, hi, n):
    """n doubles spread over (lo, hi) by the golden-ratio sequence."""
    return [lo + (hi - lo) * ((k * GOLDEN) % 1.0) for k in range(1, n + 1)]


def log_spread(lo, hi, n):
    """n doubles spread over (lo, hi) evenly in the logarithm."""
    return [math.exp(math.log(lo) + (math.log(hi) - math.log(lo)) * ((k * GOLDEN) % 1.0)) for k in range(1, n + 1)]


def piece_edges():
    """The inner edges 2 + k/4 of the intervals the routines use on (2, 8], and the doubles below them."""
    inner = [2.0 + 0.25 * k for k in range(1, 24)]
    return inner + [below(x) for x in inner]


def value(kind, order, x):
    x = mp.mpf(x)
    if kind == "j":
        return mp.besselj(order, x)
    return mp.bessely(order, x)


def scale(order, x):
    a = abs(mp.mpf(x))
    if a <= 0.5:
        return mp.mpf(0)
    return mp.sqrt(mp.besselj(order, a) ** 2 + mp.bessely(order, a) ** 2)


def zeros(kind, order):
    """Doubles nearest to zeros of the function: the first ones, then a few far out."""
    find = mp.besseljzero if kind == "j" else mp.besselyzero
    return [float(find(order, k)) for k in (1, 2, 3, 4, 10, 100, 10000, 1000000)]


def rows_for(kind, order):
    name = "besl%s%d" % (kind, order)
    small = 7.9e-10 if (kind, order) == ("y", 1) else 3.2e-9
    smallest = above(2.23e-308) if (kind, order) == ("y", 1) else 5e-324
    regions = [
        ("small", [smallest, 1e-300, 1e-20, 1e-10, below(small), small] + log_spread(1e-300, small, 20)),
        ("chebyshev", [above(small), 1e-6, below(0.5), 0.5, 1.0, 3.0, below(8.0), 8.0] + spread(0.0, 8.0, 80)
         + piece_edges()),
        ("hankel", [above(8.0), 8.5, 12.0, below(24.0), 24.0, above(24.0), 50.0, 100.0] + spread(8.0, 100.0, 80)),
        ("hankel_far", [above(100.0), 1e3, 1e5, below(2.0 ** 20), 2.0 ** 20, above(2.0 ** 20), 1e10, 1e15, 1e16]
         + log_spread(100.0, 1e16, 40)),
        ("zero", zeros(kind, order)),
    ]
    rows = []
    for region, xs in regions:
        signs = (1, -1) if kind == "j" else (1,)
        for x in xs:
            for s in signs:
                xv = s * x
                rows.append(("%s_%s" % (name, region), [xv, value(kind, order, xv), scale(order, xv)]))
    return rows


def main():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "bessel_j_y.txt")
    rows = []
    for kind, order in (("j", 0), ("j", 1), ("y", 0), ("y", 1)):
        rows += rows_for(kind, order)
    qelms_reference.write(path, "gen_bessel_j_y_reference.py", __doc__, rows)


if __name__ == "__main__":
    main()
