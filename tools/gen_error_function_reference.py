"""Reference values of erf and erfc for tests/data/error_function.txt.

Rows: region x expected. Regions of errfun: series (|x| <= 2), middle
(2 < |x| < 6.25), one (|x| >= 6.25); of erfcmp: two (x <= -6.25), negative
(-6.25 < x < 0), near (0 <= x <= 5), tail (5 < x < 26.6, where the rounding
of x*x in e^(-x^2) dominates the error), zero (x >= 26.6).
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


def around(points):
    """Each point with the doubles just below and just above it."""
    return [v for x in points for v in (below(x), x, above(x))]


# Where the evaluation changes from one table or formula to the next: the
# pieces of width 1/16 for erf on [0, 2] and erfc on [3/4, 4], the pieces of
# a e^(a^2) erfc(a) beyond 4 (w = 1/a^2 = 1/32, 3/64, 1/64), and the point
# from which 1 - erfc rounds to 1.
ERF_EDGES = [k / 16 for k in range(1, 33)]
ERFC_EDGES = [k / 16 for k in range(12, 65)] + [4.618802153517006]
TAIL_EDGES = [5.656854249492381, 8.0]


def erf_rows():
    rows = []
    series = [0.0, 5e-324, 1e-300, 1e-8, 0.5, 1.0, below(2.0), 2.0] + spread(0.0, 2.0, 60) + around(ERF_EDGES[:-1])
    middle = [above(2.0), 3.0, 4.5, 6.0, 6.2, below(6.25)] + spread(2.0, 6.25, 60) + around([4.0, 5.93])
    one = [6.25, 7.0, 1e10, 1e300]
    for region, xs in (("errfun_series", series), ("errfun_middle", middle), ("errfun_one", one)):
        for x in xs:
            for s in (x, -x):
                rows.append((region, [s, mp.erf(mp.mpf(s))]))
    return rows


def erfc_rows():
    rows = []
    regions = (
        ("erfcmp_two", [-1e300, -30.0, -6.5, -6.25]),
        ("erfcmp_negative", [above(-6.25), -6.0, -3.0, -1.0, -1e-10, -5e-324] + spread(-6.25, 0.0, 60)
         + [-x for x in around(ERF_EDGES[:-1]) + around([4.0, 5.93])]),
        ("erfcmp_near", [0.0, 5e-324, 1e-10, 0.5, 1.0, 3.75, 5.0] + spread(0.0, 5.0, 60) + around(ERFC_EDGES)),
        ("erfcmp_tail", [above(5.0), 10.0, 26.0, 26.5, below(26.6)] + spread(5.0, 26.6, 60) + around(TAIL_EDGES)),
        ("erfcmp_zero", [26.6, 27.0, 1e20]),
    )
    for region, xs in regions:
        for x in xs:
            rows.append((region, [x, mp.erfc(mp.mpf(x))]))
    return rows


def main():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "error_function.txt")
    qelms_reference.write(path, "gen_error_function_reference.py", __doc__, erf_rows() + erfc_rows())


if __name__ == "__main__":
    main()
