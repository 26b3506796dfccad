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


def erf_rows():
    rows = []
    series = [0.0, 5e-324, 1e-300, 1e-8, 0.5, 1.0, below(2.0), 2.0] + spread(0.0, 2.0, 60)
    middle = [above(2.0), 3.0, 4.5, 6.0, 6.2, below(6.25)] + spread(2.0, 6.25, 60)
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
        ("erfcmp_negative", [above(-6.25), -6.0, -3.0, -1.0, -1e-10, -5e-324] + spread(-6.25, 0.0, 60)),
        ("erfcmp_near", [0.0, 5e-324, 1e-10, 0.5, 1.0, 3.75, 5.0] + spread(0.0, 5.0, 60)),
        ("erfcmp_tail", [above(5.0), 10.0, 26.0, 26.5, below(26.6)] + spread(5.0, 26.6, 60)),
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
