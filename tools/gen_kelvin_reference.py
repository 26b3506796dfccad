"""Reference values of the Kelvin functions for tests/data/kelvin.txt.

ber x + i bei x = I0(x e^(i pi/4)) and ker x + i kei x = K0(x e^(i pi/4)),
evaluated by mpmath's modified Bessel functions of complex argument for x >= 1
(its own ber/bei/ker/kei stop converging for large x) and by its ber, bei, ker,
kei below. Each row is
    region x value amplitude
where amplitude is the modulus of the complex function above, the scale of the
oscillation against which errors near zeros are measured.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from mpmath import mp  # noqa: E402

import qelms_reference as qr  # noqa: E402
from qelms_reference import above, below  # noqa: E402

GENERATOR = "gen_kelvin_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "kelvin.txt")


def linear(lo, hi, n):
    return [lo + (hi - lo) * k / (n + 1) for k in range(1, n + 1)]


def geometric(lo, hi, n):
    return [lo * (hi / lo) ** (k / (n + 1)) for k in range(1, n + 1)]


# Below x = 1 mpmath's ber, bei, ker, kei (power series) are used instead: the
# complex Bessel functions drop imaginary parts far below the real part there.
def first_kind(x):
    x = mp.mpf(x)
    v = mp.mpc(mp.ber(0, x), mp.bei(0, x)) if x < 1 else mp.besseli(0, x * mp.expjpi(mp.mpf(1) / 4))
    return v, abs(v)


def second_kind(x):
    x = mp.mpf(x)
    v = mp.mpc(mp.ker(0, x), mp.kei(0, x)) if x < 1 else mp.besselk(0, x * mp.expjpi(mp.mpf(1) / 4))
    return v, abs(v)


# Regions of each routine: (label, points, complex function, part). The bounds
# themselves and their neighbouring doubles are listed with the region that
# owns them.
REGIONS = [
    ("ber_tiny", [0.0, 1e-300, 1e-10, 0.0001, 0.000343, -0.000343, -1e-5], first_kind, "real"),
    ("ber_chebyshev", [above(0.000343), 0.001, 0.01] + linear(0.05, 5.0, 60) + [2.8478, 2.84784, below(5.0), 5.0, -1.0, -4.5],
     first_kind, "real"),
    ("ber_asymptotic", [above(5.0), 5.1] + linear(5.0, 49.5, 90) + [10.0, -10.0, 49.4, below(49.5), -below(49.5)],
     first_kind, "real"),
    ("bei_square", [above(2.99e-154), 1e-150, 1e-100, 1e-20, 1e-8, 0.0001, 0.0005, below(0.000596), 0.000596,
                    -0.000596, -1e-100], first_kind, "imag"),
    ("bei_chebyshev", [above(0.000596), 0.001, 0.01] + linear(0.05, 5.0, 60) + [below(5.0), 5.0, -1.0, -3.0],
     first_kind, "imag"),
    ("bei_asymptotic", [above(5.0), 5.025, 5.02502] + linear(5.0, 49.5, 90) + [10.0, -10.0, 49.4, below(49.5),
                                                                             -below(49.5)], first_kind, "imag"),
    ("ker_leading", [5e-324, 1e-320, 2.2250738585072014e-308, 1e-200, 2.99e-154], second_kind, "real"),
    ("ker_square", [above(2.99e-154), 1e-150, 1e-100, 1e-50, 1e-20, 1e-10, 1e-6, 0.0001, 0.0003, below(0.000343),
                    0.000343], second_kind, "real"),
    ("ker_chebyshev", [above(0.000343), 0.0005, 0.001, 0.005] + linear(0.01, 1.0, 40) + [below(1.0), 1.0],
     second_kind, "real"),
    ("ker_exponential", [above(1.0)] + linear(1.0, 3.0, 40) + [1.719, 1.71902, below(3.0), 3.0], second_kind, "real"),
    ("ker_asymptotic", [above(3.0), 3.0000000001, 3.5] + linear(3.0, 30.0, 60) + geometric(30.0, 997.26, 40)
     + [100.0, 500.0, 700.0, 900.0, below(997.26), 997.26], second_kind, "real"),
    ("kei_zero", [0.0, 5e-324, 1e-300, 1e-200, 2.99e-154], second_kind, "imag"),
    ("kei_square", [above(2.99e-154), 1e-150, 1e-100, 1e-50, 1e-20, 1e-10, 1e-6, 0.0001, 0.0003, below(0.000343),
                    0.000343], second_kind, "imag"),
    ("kei_chebyshev", [above(0.000343), 0.0005, 0.001, 0.005] + linear(0.01, 1.0, 40) + [below(1.0), 1.0],
     second_kind, "imag"),
    ("kei_exponential", [above(1.0)] + linear(1.0, 3.0, 40) + [below(3.0), 3.0], second_kind, "imag"),
    # next to the first zeros of bei and kei, read from pieces of bei(x)/(x - z) and kei(x)/(x - z)
    ("bei_next_to_zero", qr.next_to(mp.findroot(lambda x: first_kind(x)[0].imag, 5.026)), first_kind, "imag"),
    ("kei_next_to_zero", qr.next_to(mp.findroot(lambda x: second_kind(x)[0].imag, 3.9147)), second_kind, "imag"),
    ("kei_asymptotic", [above(3.0), 3.5, 3.9147, 3.91467] + linear(3.0, 30.0, 60) + geometric(30.0, 997.26, 40)
     + [10.0, 100.0, 500.0, 700.0, 900.0, below(997.26), 997.26], second_kind, "imag"),
]


def rows():
    out = []
    for label, points, function, part in REGIONS:
        for x in points:
            x = float(x)
            if x == 0.0 and function is second_kind:
                out.append((label, [x, -mp.pi / 4, mp.inf]))  # kei(0) = -pi/4, ker has its pole
                continue
            v, amplitude = function(abs(x))
            out.append((label, [x, v.real if part == "real" else v.imag, amplitude]))
    return out


def main():
    mp.dps = 50
    qr.write(OUTPUT, GENERATOR, """
Kelvin functions of order 0: columns region, x, value, amplitude.
Regions named ber_*, bei_*, ker_*, kei_* give ber(x), bei(x), ker(x), kei(x).
amplitude = |ber x + i bei x| = |I0(x e^(i pi/4))| or |ker x + i kei x| = |K0(x e^(i pi/4))|
(inf at x = 0 for kei, whose value there is -pi/4).
""", rows())


if __name__ == "__main__":
    main()
