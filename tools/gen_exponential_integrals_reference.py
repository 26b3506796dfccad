#!/usr/bin/env python3
"""Writes tests/data/exponential_integrals.txt: E1, Ci and Si from mpmath at 50
digits over every argument region, its bounds and the doubles beside them.

Row: region x expected. Regions name the routine and the interval:
expint_p1 (0, 1], expint_p2 (1, 2], expint_p3 (2, 4], expint_p4 (4, 708.3),
expint_p4_subnormal the part of (4, 708.3) where E1 is subnormal,
expint_zero [708.3, inf); sinint_ps |x| <= 16, sinint_fg 16 < |x| < 1e17,
sinint_limit |x| >= 1e17; cosint_pc (0, 16], cosint_next_to_zero round the first zero
of Ci, cosint_fg (16, 1e16),
cosint_zero [1e16, inf).
"""
import math
import os
import random
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402
from qelms_reference import above, below  # noqa: E402

GENERATOR = "gen_exponential_integrals_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data",
                      "exponential_integrals.txt")


def spread(rng, lo, hi, n, log=False):
    """n doubles drawn in [lo, hi], uniformly or log-uniformly."""
    if log:
        return [math.exp(rng.uniform(math.log(lo), math.log(hi))) for _ in range(n)]
    return [rng.uniform(lo, hi) for _ in range(n)]


def main():
    rng = random.Random(3501)
    rows = []

    def add(region, fun, xs):
        for x in sorted(set(xs)):
            rows.append((region, [x, fun(mp.mpf(x))]))

    e1 = mpmath.e1

    def edges(points):
        """Each point and the doubles on either side of it."""
        return [y for x in points for y in (below(x), x, above(x))]

    # E1 on [1, 4] and Si, Ci on [1, 16] are read from pieces of width 1/4 and 1/2;
    # E1 changes its evaluation at 2^-10.
    expint_pieces = edges([1 + k / 4 for k in range(1, 12)])
    pieces = edges([1 + k / 2 for k in range(1, 30)])
    # E1 on [2^-10, 1] and e^x E1 from 4 are read from eight pieces per binade.
    eighths = lambda first, last: edges([2.0 ** e * (1 + q / 8) for e in range(first, last) for q in range(8)])  # noqa: E731
    add("expint_p1", e1, [5e-324, 2.2250738585072014e-308, 1e-300, 1e-100, 1e-20, 1e-8, 0.001, 0.1, 0.5,
                          below(1.0), 1.0] + eighths(-10, 0) + spread(rng, 1e-6, 1.0, 30, log=True)
        + spread(rng, 0.0, 1.0, 30))
    add("expint_p2", e1, [above(1.0), 1.25, 1.5, 1.75, below(2.0), 2.0] + [x for x in expint_pieces if x <= 2.0]
        + spread(rng, 1.0, 2.0, 30))
    add("expint_p3", e1, [above(2.0), 2.5, 3.0, 3.5, below(4.0), 4.0] + [x for x in expint_pieces if x > 2.0]
        + spread(rng, 2.0, 4.0, 30))
    add("expint_p4", e1, [above(4.0), 5.0, 10.0, 11.25, 50.0, 100.0, 300.0, 700.0]
        + [x for x in eighths(2, 10) if 4.0 < x <= 700.0]
        + spread(rng, 4.0, 30.0, 30) + spread(rng, 30.0, 700.0, 30, log=True))
    # Beyond 700 E1 leaves the normal range; the value is subnormal.
    add("expint_p4_subnormal", e1, [701.0, 705.0, 708.0, below(708.3)] + spread(rng, 700.0, 708.3, 8))
    add("expint_zero", e1, [708.3, above(708.3), 710.0, 745.0])

    add("sinint_ps", mpmath.si, [0.0, 5e-324, 1e-300, 1e-10, 1e-4, 0.5, 1.0, math.pi, 8.0, 11.313708498984761,
                                 below(16.0), 16.0] + pieces + spread(rng, 0.0, 16.0, 60) + spread(rng, 1e-8, 16.0, 20, log=True))
    add("sinint_fg", mpmath.si, [above(16.0), 16.5, 20.0, 22.627416997969522, 100.0, 1e3, 1e6, 1e10, 1e15,
                                 below(1e17)] + spread(rng, 16.0, 100.0, 40) + spread(rng, 100.0, 1e17, 30, log=True))
    add("sinint_limit", mpmath.si, [1e17, 1e18, 1e100, 1.7976931348623157e308])

    add("cosint_pc", mpmath.ci, [5e-324, 1e-300, 1e-10, 1e-4, 0.5, 0.6165054856207162, 1.0, 3.384180422551186,
                                 8.0, 11.313708498984761, below(16.0), 16.0] + pieces
        + spread(rng, 0.0, 16.0, 60) + spread(rng, 1e-8, 16.0, 20, log=True))
    add("cosint_fg", mpmath.ci, [above(16.0), 16.5, 20.0, 22.627416997969522, 100.0, 1e3, 1e6, 1e10,
                                 below(1e16)] + spread(rng, 16.0, 100.0, 40) + spread(rng, 100.0, 1e16, 30, log=True))
    # Next to the first zero of Ci, read from a piece centred on it: relative error.
    add("cosint_next_to_zero", mpmath.ci, qelms_reference.next_to(mpmath.findroot(mpmath.ci, 0.6165)))
    add("cosint_zero", mpmath.ci, [1e16, above(1e16), 1e17, 1e100, 1.7976931348623157e308])

    # Si is odd: negative arguments in every region.
    for region in ("sinint_ps", "sinint_fg", "sinint_limit"):
        rows.extend((region, [-x, -v]) for r, (x, v) in list(rows) if r == region and x > 0)

    description = __doc__.split("\n\n", 1)[1]
    qelms_reference.write(OUTPUT, GENERATOR, description, rows)


if __name__ == "__main__":
    main()
