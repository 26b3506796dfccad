"""Writes tests/data/bessel_i_k.txt: reference values of I0, I1, K0, K1 from
mpmath at 50 digits, region by region, with the arguments at and next to each
region bound.

Usage: python3 tools/gen_bessel_i_k_reference.py
"""
import math
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402
from qelms_reference import above, below  # noqa: E402

GENERATOR = "gen_bessel_i_k_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "bessel_i_k.txt")
POINTS = 40  # interior points per region
GOLDEN = (mpmath.sqrt(5) - 1) / 2


def interior(lo, hi, log=False):
    """POINTS doubles strictly inside (lo, hi), spread by the golden-ratio sequence,
    uniformly or (log=True) uniformly in ln x."""
    points = set()
    for i in range(1, POINTS + 1):
        u = mpmath.frac(i * GOLDEN)
        if log:
            x = float(mpmath.mpf(lo) * (mpmath.mpf(hi) / lo) ** u)
        else:
            x = float(mpmath.mpf(lo) + (mpmath.mpf(hi) - lo) * u)
        if lo < x < hi:
            points.add(x)
    return sorted(points)


def alternate(xs):
    """Every third argument negated, for the even and odd functions of |x|."""
    return [-x if i % 3 == 2 else x for i, x in enumerate(xs)]


def edges(start, width, count):
    """The inner edges start + k width, k = 1..count-1, of the pieces the routines use
    in a region, and the doubles just below them."""
    inner = [start + width * k for k in range(1, count)]
    return inner + [below(x) for x in inner]


def i_regions(name):
    return [
        (name + ".large", [above(12.0), -above(12.0), 711.6, -711.6, 700.0] + alternate(interior(12.0, 711.6, log=True))),
        (name + ".medium", [above(4.0), -above(4.0), 12.0, -12.0] + alternate(interior(4.0, 12.0))
         + alternate(edges(4.0, 0.5, 16))),
        (name + ".small", [above(3.2e-9), -above(3.2e-9), 4.0, -4.0]
         + alternate(interior(3.2e-9, 1e-2, log=True) + interior(1e-2, 4.0) + edges(0.0, 0.5, 8))),
        (name + ".tiny", [0.0, 3.2e-9, -3.2e-9, 1e-9, 1e-300, 5e-324] + interior(1e-300, 3.2e-9, log=True)[::4]),
    ]


# The inner edges of the pieces above 4: the quarters of the binades from 4 to 64.
K_LARGE_EDGES = [2.0 ** (2 + k // 4) * (1 + (k % 4) / 4) for k in range(1, 17)]


def k_regions(name, log_bound):
    return [
        (name + ".large", [above(4.0), below(705.1), 705.0] + interior(4.0, 705.1, log=True)
         + K_LARGE_EDGES + [below(x) for x in K_LARGE_EDGES]),
        (name + ".2_4", [above(2.0), 4.0] + interior(2.0, 4.0) + edges(2.0, 0.125, 16)),
        (name + ".1_2", [above(1.0), 2.0] + interior(1.0, 2.0) + edges(1.0, 0.125, 8)),
        (name + ".log", [above(log_bound), 1.0] + interior(log_bound, 1e-2, log=True) + interior(1e-2, 1.0)),
    ]


FUNCTIONS = {
    "besli0": lambda x: mpmath.besseli(0, x),
    "besli1": lambda x: mpmath.besseli(1, x),
    "beslk0": lambda x: mpmath.besselk(0, x),
    "beslk1": lambda x: mpmath.besselk(1, x),
}


def cases():
    regions = i_regions("besli0") + i_regions("besli1")
    regions += k_regions("beslk0", 3.2e-9)
    regions.append(("beslk0.tiny", [3.2e-9, 1e-9, 1e-300, 2.23e-308, 1e-310, 3e-323, 5e-324]
                    + interior(1e-300, 3.2e-9, log=True)[::4]))
    regions += k_regions("beslk1", 7.9e-10)
    regions.append(("beslk1.tiny", [above(2.23e-308), 7.9e-10, 1e-10]
                    + interior(2.23e-308, 7.9e-10, log=True)[::4]))
    return regions


def main():
    rows = []
    for region, xs in cases():
        f = FUNCTIONS[region.split(".")[0]]
        for x in xs:
            rows.append((region, [x, f(mp.mpf(x))]))
    qelms_reference.write(OUTPUT, GENERATOR, """
I0(x), I1(x), K0(x), K1(x) at 50 digits (mpmath), one argument x per row.
Columns: region (routine.region) x value.
Regions in |x| for I: large (12, 711.6], medium (4, 12], small (3.2e-9, 4], tiny [0, 3.2e-9].
Regions in x for K: large (4, 705.1), 2_4 (2, 4], 1_2 (1, 2], log (3.2e-9 for K0, 7.9e-10 for K1, 1],
tiny (0, 3.2e-9] for K0, (2.23e-308, 7.9e-10] for K1.
""", rows)


if __name__ == "__main__":
    main()
