"""Reference values of Gamma(x) and ln Gamma(x) for tests/data/gamma.txt.

Columns: region, x, Gamma(x) (or ln Gamma(x) in the lngamm file)."""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(__file__))
import qelms_reference as ref  # noqa: E402

ROOT = os.path.join(os.path.dirname(__file__), "..")


def spread(lo, hi, count):
    return [lo + (hi - lo) * k / (count - 1) for k in range(count)]


def gamma_rows():
    rows = []
    cases = {
        "tiny": [1e-17, -1e-17, 2.23e-308, -2.23e-308, 5e-300, 1e-20],
        "unit": spread(1e-16, 1.0, 23) + [0.5, 1.0, 1.5, 0.999999, 1e-10],
        "positive": spread(1.0, 170.0, 61) + [2.0, 2.5, 10.1, 33.3, 99.99, 169.5, 170.0]
        + [19.999999999999996, 20.0, 20.5, 20.499999999999996] + spread(20.01, 169.99, 37)
        # the switch to Stirling's form at 7, and the end of the Laurent series at 1e-9
        + [6.999999999999999, 7.0, 7.000000000000001, 7.5, 1e-9, 1.0000000000000001e-9],
        "negative": [-0.5, -1e-10, -0.999, -1.5, -2.5, -3.7, -10.3, -33.25, -99.9, -150.5, -169.5,
                     -170.0 + 2 ** -40, -169.99, -1.0000001, -2.0000000001] + [-k - 0.37 for k in range(0, 170, 7)]
        # x + 1 rounds to 1 here
        + [-2.0 ** -54, -5.551115123125783e-17, -3e-17, -1.0000000000000001e-17]
        + [-6.999999999999999, -7.000000000000001, -7.5, -8.5, -12.3, -19.99, -1e-9, -1.0000000000000001e-9],
    }
    for region, xs in cases.items():
        for x in xs:
            x = float(x)
            rows.append((region, [x, mp.gamma(mp.mpf(x))]))
    return rows


def lngamm_rows():
    rows = []
    cases = {
        "tiny": [1e-17, 1e-20, 1e-300, 5e-324],
        "poly": spread(1e-16, 15.0, 41) + [0.5, 1.0, 2.0, 3.0, 14.999999, 15.0, 1e-10, 0.9, 1.1, 1.9, 2.1]
        + spread(0.5, 4.0, 36) + [0.75, 1.5, 4.0, 1.0000038, 2.0000038]
        + [z + sign * 2.0 ** -k for z in (1.0, 2.0) for sign in (-1, 1) for k in (2, 5, 10, 20, 30, 40, 50)]
        # where ln Gamma(1 + x) - ln x gives way, the pieces narrow to wide, z goes from 1 to 2, and
        # at edges of pieces
        + [0.49999999999999994, 0.5000000000000001, 2.9999999999999996, 3.0000000000000004,
           1.5078124999999998, 1.5078125, 1.5078125000000002, 0.5078125, 0.9921875, 2.4921875, 7.03125, 14.96875],
        "stirling": [15.000000000000002, 15.5, 16.0, 20.0, 33.3, 100.0, 1e3, 12345.678, 1e5, 1e6, 7.7e7],
        "large": [77000000.00000001, 1e8, 1e10, 1e50, 1e100, 1e200, 1e300, 2.55e305],
    }
    for region, xs in cases.items():
        for x in xs:
            x = float(x)
            rows.append((region, [x, mp.loggamma(mp.mpf(x))]))
    return rows


if __name__ == "__main__":
    ref.write(os.path.join(ROOT, "tests/data/gamma.txt"), "gen_gamma_reference.py",
              "gammaf reference values: region x Gamma(x)", gamma_rows())
    ref.write(os.path.join(ROOT, "tests/data/lngamm.txt"), "gen_gamma_reference.py",
              "lngamm reference values: region x lnGamma(x)", lngamm_rows())
