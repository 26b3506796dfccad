"""Writes tests/data/fresnel.txt (S(x) and C(x)) and
tests/data/complex_exponential.txt (e^z) from mpmath at 50 digits.

Fresnel rows: region, x, S(x), C(x), for x > 0 (the tests use oddness for
x < 0). Regions, by a = |x|:
  tiny     3.49e-103 <= a < 0.00017     S = pi x^3/6, C = x
  between  0.00017 <= a < 0.00018       S = pi x^3/6, C from its polynomial
  poly     0.00018 <= a <= 3            both from their polynomials
  aux      3 < a <= 260000              auxiliary functions f and g
  far      260000 < a < 4294967290      f only
Complex exponential rows: region, Re z, Im z, Re e^z, Im e^z. Regions:
  exp      Re z <= ln(1/safe minimum), |Im z| <= 94859958.5877671
  scaled   Re z above that, neither part overflowing
  overflow Re z above that, one or both parts beyond 1/safe minimum
  imag     94859958.5877671 < |Im z| <= 8998411743272888 (less than half precision)
  imag_scaled  the same with Re z above ln(1/safe minimum)
"""
import math
import os
import random
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_reference import above, below, write  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GENERATOR = os.path.basename(__file__)

LN_BIG = 708.3964185322641
IM_HALF = 94859958.5877671
IM_MAX = 8998411743272888.0


def log_uniform(rng, lo, hi, count):
    return [math.exp(rng.uniform(math.log(lo), math.log(hi))) for _ in range(count)]


def fresnel_rows():
    rng = random.Random(36)
    regions = [
        ("tiny", [3.49e-103, 1e-60, 1e-20, 1e-8, 1e-5, 0.0001, below(0.00017)]
         + log_uniform(rng, 1e-100, 0.00017, 8)),
        ("between", [0.00017, 0.000173, 0.0001775, below(0.00018)]),
        ("poly", [0.00018, 0.001, 0.01, 0.1, 0.5, 1.0, 1.5, 2.0, 2.5, 2.9, below(3.0), 3.0,
                  2.9765203099505846, 2.9982415053086973]  # the largest errors of a dense sweep
         + [rng.uniform(0.00018, 3.0) for _ in range(60)] + [rng.uniform(2.5, 3.0) for _ in range(40)]),
        ("aux", [above(3.0), 3.0001, 3.1, 3.5, 4.0, 5.0, 7.5, 10.0, 31.7, 100.0, 1000.5, 12345.678,
                 100000.0, below(260000.0), 260000.0]
         + [rng.uniform(3.0, 10.0) for _ in range(30)] + log_uniform(rng, 10.0, 260000.0, 30)),
        ("far", [above(260000.0), 1e6, 12345678.9, 1e8, 1e9, 2147483647.5, 4000000000.25, below(4294967290.0)]
         + log_uniform(rng, 260000.0, 4294967290.0, 30)),
    ]
    rows = []
    for region, xs in regions:
        for x in xs:
            xm = mpmath.mpf(x)
            rows.append((region, [xm, mpmath.fresnels(xm), mpmath.fresnelc(xm)]))
    return rows


def exponential_rows():
    rng = random.Random(37)
    cases = [
        ("exp", [(0.0, 0.0), (1.0, math.pi / 2), (1.0, 1.0), (-1.0, 2.5), (0.5, -3.0), (10.0, 100.0),
                 (-700.0, 1.0), (700.0, 1.0), (LN_BIG, 0.5), (0.0, 1000.0), (2.0, -1e6), (-3.0, IM_HALF)]
         + [(rng.uniform(-700.0, LN_BIG), rng.uniform(-50.0, 50.0)) for _ in range(30)]),
        ("scaled", [(above(LN_BIG), 0.7853981633974483), (708.5, 0.78), (708.6, 2.356), (708.7, -0.8),
                    (708.5, 3.9), (708.55, -2.3)]),
        ("overflow", [(709.0, 0.0), (710.0, 1e-300), (720.0, math.pi / 2), (800.0, 1.0), (1000.0, -2.0),
                      (709.0, -math.pi), (708.5, 0.1), (708.5, -1.5)]),
        ("imag", [(0.0, 1e8), (1.0, -1e9), (-2.0, 123456789012.0), (0.5, 1e15), (0.0, above(IM_HALF)),
                  (0.0, IM_MAX), (0.0, -IM_MAX)]),
        ("imag_scaled", [(709.0, 314159265.0), (LN_BIG + 0.2, -2e12)]),
    ]
    rows = []
    for region, zs in cases:
        for x, y in zs:
            w = mpmath.exp(mpmath.mpc(x, y))
            rows.append((region, [mpmath.mpf(x), mpmath.mpf(y), w.real, w.imag]))
    return rows


def main():
    mp.dps = 50
    write(os.path.join(ROOT, "tests", "data", "fresnel.txt"), GENERATOR,
          "Fresnel integrals: region x S(x) C(x). Regions by |x|: tiny < 0.00017 <= between < 0.00018\n"
          "<= poly <= 3 < aux <= 260000 < far < 4294967290.", fresnel_rows())
    write(os.path.join(ROOT, "tests", "data", "complex_exponential.txt"), GENERATOR,
          "Complex exponential: region Re(z) Im(z) Re(e^z) Im(e^z). Regions: exp (Re z <= 708.3964185322641),\n"
          "scaled and overflow (Re z above it), imag (94859958.5877671 < |Im z| <= 8998411743272888),\n"
          "imag_scaled (both).",
          exponential_rows())


if __name__ == "__main__":
    main()
