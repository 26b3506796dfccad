"""Reference sequences of I and K of complex argument, from mpmath at 50 digits.

Writes tests/data/complex_modified_bessel.txt. One row per sequence:
    <I|K>/<half plane>/<region> fnu re(z) im(z) n kode, then per member
    re(value) im(value) scale
member k of order fnu + k - 1; kode 1 unscaled, 2 scaled (exp(-|Re z|) I,
exp(z) K). scale is what an error is measured against: |value|, or where the
function oscillates through zeros the local amplitude, half the largest
|value| on a circle of radius 1/4 around z. Regions follow the evaluator the
magnitude of z and the order select: series (|z| <= 2 or |z|^2/4 <= order + 1),
miller (below rl = 21.78), asymptotic (|z| >= rl, low order), wronskian
(|z| >= rl, order^2 > 2|z|), uniform (order or |z| above fnul = 85.92).
Sequences with an unscaled member beyond 1e300 or below 1e-300 are left out.
"""
import math
import os
import random
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402
from qelms_reference import above, below  # noqa: E402

GENERATOR = "gen_complex_modified_bessel_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data",
                      "complex_modified_bessel.txt")

RL = 1.2 * (15.653559774527022) + 3.0
FNUL = 85.92135864716212
ANGLES = [0.0, math.pi / 6, math.pi / 3, math.pi / 2, 2 * math.pi / 3, math.pi,
          -math.pi / 4, -math.pi / 2, -2 * math.pi / 3, -5 * math.pi / 6]
ORDERS = [0.0, 1.0, 2.0, 0.5, 1.5, 0.3, 1.0 / 3.0, 2.7, 10.4, 35.2, 70.0]


def point(r, angle):
    if angle == math.pi:
        return complex(-r, 0.0)
    return complex(r * math.cos(angle), r * math.sin(angle))


def cases():
    """(fnu, z, n) triples."""
    rng = random.Random(2024)
    out = []
    radii = [1e-3, 0.5, 2.0, above(2.0), 5.0, 12.0, below(RL), RL, 30.0, 60.0, 95.0]
    for r in radii:
        for a in ANGLES:
            out.append((rng.choice(ORDERS), point(r, a), rng.choice([1, 2, 3])))
    for fnu in ORDERS:
        for _ in range(6):
            r = math.exp(rng.uniform(math.log(0.1), math.log(100.0)))
            out.append((fnu, point(r, rng.uniform(-math.pi, math.pi)), rng.choice([1, 3, 5])))
    # long sequences through the recurrences, and large orders
    out += [(0.0, complex(3.0, 4.0), 12), (0.25, complex(-20.0, 5.0), 10), (1.5, complex(40.0, -30.0), 8),
            (5.0, complex(0.0, 25.0), 6), (88.0, complex(50.0, 20.0), 3), (90.5, complex(-30.0, 60.0), 2),
            (20.0, complex(100.0, 50.0), 4), (0.6, complex(300.0, 400.0), 2), (2.5, complex(-150.0, -20.0), 3)]
    out += [(0.0, 0j, 3), (1.0, 0j, 2), (0.0, complex(1e-310, 0.0), 2)]
    # near the overflow and underflow limits: Re z between alim = 664.9 and elim = 700.9
    out += [(0.0, complex(680.0, 10.0), 2), (1.5, complex(-680.0, 5.0), 2), (30.0, complex(650.0, 100.0), 2),
            (0.3, complex(690.0, -40.0), 3), (2.0, complex(-670.0, -200.0), 2)]
    return out


def region(fnu, z, n):
    az, dfnu = abs(z), fnu + n - 1
    if dfnu > FNUL or az > FNUL:
        return "uniform"
    if az <= 2.0 or az * az / 4 <= dfnu + 1:
        return "series"
    if az < RL:
        return "miller"
    return "wronskian" if dfnu > 1 and 2 * az < dfnu * dfnu else "asymptotic"


def members(kind, fnu, z, n):
    f = mp.besseli if kind == "I" else mp.besselk
    return [f(mp.mpf(fnu) + k, z) for k in range(n)]


def main():
    rows = []
    for fnu, z, n in cases():
        zm = mp.mpc(z.real, z.imag)
        for kind in ("I", "K"):
            if kind == "K" and z == 0:
                continue
            values = members(kind, fnu, zm, n)
            if any(not (mp.mpf("1e-300") < abs(v) < mp.mpf("1e300")) for v in values if v != 0):
                continue
            rings = [0] * n
            for k in range(8):
                w = zm + mp.mpf(0.25) * mp.expjpi(mp.mpf(k) / 4)
                rings = [max(r, abs(v)) for r, v in zip(rings, members(kind, fnu, w, n))]
            half = "right" if z.real >= 0 else "left"
            if kind == "I" and z.real < 0:
                label = region(fnu, -z, n)
            elif kind == "K":
                label = "uniform" if fnu > FNUL else "series" if abs(z) <= 2 else "miller"
            else:
                label = region(fnu, z, n)
            for kode in (1, 2):
                if kode == 1:
                    factor = 1
                elif kind == "I":
                    factor = mp.exp(-abs(mp.re(zm)))
                else:
                    factor = mp.exp(zm)
                numbers = [fnu, z.real, z.imag, n, kode]
                for v, ring in zip(values, rings):
                    v *= factor
                    numbers += [mp.re(v), mp.im(v), max(abs(v), ring * abs(factor) / 2)]
                rows.append(("%s/%s/%s" % (kind, half, label), numbers))
    qelms_reference.write(OUTPUT, GENERATOR, __doc__.split("\n\n", 1)[1], rows)
    print("wrote %d rows to %s" % (len(rows), os.path.normpath(OUTPUT)))


if __name__ == "__main__":
    main()
