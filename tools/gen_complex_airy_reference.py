"""Reference values of Ai, Ai', Bi and Bi' of complex argument, from mpmath at 50 digits.

Writes tests/data/complex_airy.txt. One row per function, argument and scaling:
    <function>/<region> re(z) im(z) kode re(value) im(value) scale
function: ai, aid (Ai'), bi, bid (Bi'); kode 1 unscaled, 2 scaled (exp(zeta) Ai,
exp(-|Re zeta|) Bi, zeta = (2/3) z^(3/2)). scale is what an error is measured
against: |value|, or near a zero the local amplitude, half the largest |value|
on a circle of a quarter of the local half-wavelength around z.
Regions by |z|: small (<= 1), mid (1, 10], large (10, 100], huge (> 100).
Unscaled values beyond 1e300 or below 1e-300 are left out.
"""
import math
import os
import random
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402
from qelms_reference import above  # noqa: E402

GENERATOR = "gen_complex_airy_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "complex_airy.txt")

# name: (mpmath function, derivative order, is Bi)
FUNCTIONS = {
    "ai": (mp.airyai, 0, False),
    "aid": (mp.airyai, 1, False),
    "bi": (mp.airybi, 0, True),
    "bid": (mp.airybi, 1, True),
}

# directions: every sector boundary and the axes, both half planes
ANGLES = [0.0, math.pi / 6, math.pi / 3, math.pi / 2, 2 * math.pi / 3, 5 * math.pi / 6, math.pi,
          -math.pi / 6, -math.pi / 3, -math.pi / 2, -2 * math.pi / 3, -5 * math.pi / 6]


def point(r, angle):
    if angle == math.pi:
        return complex(-r, 0.0)
    return complex(r * math.cos(angle), r * math.sin(angle))


def arguments():
    rng = random.Random(1984)
    small = [0j, complex(1e-17, 0), complex(0, -1e-17), complex(1e-9, 1e-9), complex(-0.3, 0.2),
             1 + 0j, -1 + 0j, 1j, -1j, complex(0.6, 0.8), complex(-0.6, -0.8), complex(-0.8, 0.6)]
    small += [point(r, a) for r in (0.25, 0.7, 1.0) for a in ANGLES]
    small += [point(rng.uniform(0, 1), rng.uniform(-math.pi, math.pi)) for _ in range(30)]
    mid = [complex(above(1.0), 0.0), complex(-above(1.0), 0.0), complex(0.0, above(1.0)),
           -2.338107410459767 + 0j, -1.0187929716474710 + 0j, -2.294439682614123 + 0j]
    mid += [point(r, a) for r in (1.5, 2.5, 4.0, 7.0, 10.0) for a in ANGLES]
    mid += [point(rng.uniform(1, 10), rng.uniform(-math.pi, math.pi)) for _ in range(60)]
    large = [point(r, a) for r in (15.0, 30.0, 60.0, 100.0) for a in ANGLES]
    large += [point(math.exp(rng.uniform(math.log(10), math.log(100))), rng.uniform(-math.pi, math.pi))
              for _ in range(60)]
    # 101 and 102.5: |Re zeta| beyond alim = 664.9 on the real axis and on arg z = +-2pi/3
    huge = [point(r, a) for r in (101.0, 102.5, 300.0, 1000.0, 3000.0) for a in ANGLES]
    huge += [point(math.exp(rng.uniform(math.log(100), math.log(1e4))), rng.uniform(-math.pi, math.pi))
             for _ in range(20)]
    regions = [("small", small), ("mid", mid), ("large", large), ("huge", huge)]
    for z in near_axis():
        regions[region_of(abs(z))][1].append(z)
    return regions


def region_of(r):
    return 0 if r <= 1 else 1 if r <= 10 else 2 if r <= 100 else 3


def near_axis():
    """The real axis, densest on the negative side with its zeros, and the
    points just above and below it."""
    rng = random.Random(2024)
    xs = [-math.exp(rng.uniform(0, math.log(100))) for _ in range(40)]
    xs += [math.exp(rng.uniform(0, math.log(100))) for _ in range(12)]
    xs += [-rng.uniform(0, 1) for _ in range(6)]
    for k in (1, 2, 3, 4, 5, 8, 13, 21, 34, 55, 89, 144):
        for zero in (mp.airyaizero(k), mp.airyaizero(k, 1), mp.airybizero(k), mp.airybizero(k, 1)):
            xs.append(float(zero))
    zs = [complex(x, 0.0) for x in xs]
    zs += [complex(x, side * tiny * max(1.0, abs(x))) for x in xs[::3] for side in (1, -1)
           for tiny in (1e-15, 1e-9)]
    return zs


def zeta(z):
    return mp.mpf(2) / 3 * z * mp.sqrt(z)


def value(name, kode, z):
    function, order, is_bi = FUNCTIONS[name]
    v = function(z, derivative=order)
    if kode == 2:
        v *= mp.exp(-abs(mp.re(zeta(z)))) if is_bi else mp.exp(zeta(z))
    return v


def scale(name, kode, z, v):
    d = mp.mpf(0.25) / max(1, mp.sqrt(abs(z)))
    ring = max(abs(value(name, kode, z + d * mp.expjpi(mp.mpf(k) / 4))) for k in range(8))
    return max(abs(v), ring / 2)


def main():
    rows = []
    for region, zs in arguments():
        for z in zs:
            zm = mp.mpc(z.real, z.imag)
            for name in FUNCTIONS:
                for kode in (1, 2):
                    v = value(name, kode, zm)
                    if kode == 1 and not (mp.mpf("1e-300") < abs(v) < mp.mpf("1e300")) and z != 0:
                        continue
                    rows.append(("%s/%s" % (name, region),
                                 [z.real, z.imag, kode, mp.re(v), mp.im(v), scale(name, kode, zm, v)]))
    qelms_reference.write(OUTPUT, GENERATOR, __doc__.split("\n\n", 1)[1], rows)
    print("wrote %d rows to %s" % (len(rows), os.path.normpath(OUTPUT)))


if __name__ == "__main__":
    main()
