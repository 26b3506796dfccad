"""Writes tests/data/complex_uniform.txt: reference sequences of I and K of
large order (the uniform expansions' range) from mpmath at 50 digits.

Row: label fnu re(z) im(z) kode n mr nui, then for each of the n members
re, im and the local amplitude of the function there,
  amp = sqrt(|f|^2 + |f'|^2 / max(|1 + nu^2/z^2|, nu^(-2/3))),
with f' from the three-term relations (I' = I(nu+1) + nu/z I, K' = -K(nu+1)
+ nu/z K). Where f grows or decays exponentially this is within a factor
sqrt 2 of |f|; where it oscillates through zeros it is the envelope.
Scaled rows (kode 2) hold exp(-|Re z|) I and exp(z) K. Labels: I or K, the
form the sector test picks (debye when |Im z| <= 1.7321 |Re z|, else airy),
"left" for K continued to Re z < 0, "raised" for I of orders below fnul with
|z| above it (nui = int(fnul - (fnu + n - 1)) + 1).

Usage: python3 tools/gen_complex_uniform_reference.py
"""
import math
import os
import sys

from mpmath import mp, mpc, mpf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402

GENERATOR = "gen_complex_uniform_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "complex_uniform.txt")
FNUL = 85.92135864716212
N = 3
ORDERS = [86.0, 100.5, 150.25, 220.0, 300.0]
RADII = [1.0, 20.0, 90.0, 180.0, 320.0, 500.0]
RIGHT = [0.0, 25.0, 50.0, 59.9, 60.1, 70.0, 80.0, 88.0, 90.0, -30.0, -59.9, -60.1, -75.0, -90.0]
LEFT = [95.0, 110.0, 119.9, 120.1, 135.0, 160.0, 180.0, -100.0, -119.9, -120.1, -150.0, -179.0]
RAISED_ORDERS = [0.5, 30.0, 60.25, 83.0]
RAISED_RADII = [100.0, 250.0, 480.0]
LIMIT = 1e290  # members outside [1/LIMIT, LIMIT] leave the row out


def point(radius, degrees):
    """z as doubles; the axes exactly."""
    a = math.radians(degrees)
    if degrees in (90.0, -90.0):
        return 0.0, math.copysign(radius, degrees)
    if degrees == 180.0:
        return -radius, 0.0
    return radius * math.cos(a), radius * math.sin(a)


def form(zr, zi):
    return "debye" if abs(zi) <= 1.7321 * abs(zr) else "airy"


def members(kind, fnu, z, kode):
    """[(value, amplitude)] for orders fnu .. fnu + N - 1."""
    # Two orders from mpmath, the others by the recurrence in its stable
    # direction (backward for I, forward for K) at the working precision.
    if kind == "I":
        vals = [mp.besseli(mpf(fnu) + N - 1, z), mp.besseli(mpf(fnu) + N, z)]
        for k in range(N - 2, -1, -1):
            vals.insert(0, 2 * (mpf(fnu) + k + 1) / z * vals[0] + vals[1])
    else:
        vals = [mp.besselk(mpf(fnu), z), mp.besselk(mpf(fnu) + 1, z)]
        for k in range(1, N):
            vals.append(2 * (mpf(fnu) + k) / z * vals[k] + vals[k - 1])
    if kode == 2:
        scale = mp.exp(-abs(z.real)) if kind == "I" else mp.exp(z)
        vals = [v * scale for v in vals]
    out = []
    for k in range(N):
        nu = mpf(fnu) + k
        sign = 1 if kind == "I" else -1
        deriv = sign * vals[k + 1] + nu / z * vals[k]
        weight = max(abs(1 + nu * nu / (z * z)), nu ** (-mpf(2) / 3))
        out.append((vals[k], mp.sqrt(abs(vals[k]) ** 2 + abs(deriv) ** 2 / weight)))
    return out


def rows_for(kind, label, fnu, zr, zi, mr=0, nui=0):
    sys.stderr.write("%s %s (%s, %s)\n" % (label, fnu, zr, zi))
    rows = []
    z = mpc(zr, zi)
    for kode in (1, 2):
        ms = members(kind, fnu, z, kode)
        if any(not (1 / LIMIT < abs(v) < LIMIT) for v, _ in ms):
            continue
        values = [fnu, zr, zi, kode, N, mr, nui]
        for v, amp in ms:
            values += [v.real, v.imag, amp]
        rows.append((label, values))
    return rows


def main():
    mp.dps = 50
    rows = []
    for i, fnu in enumerate(ORDERS):
        for j, radius in enumerate(RADII):
            for degrees in RIGHT[(i + j) % 2::2]:
                zr, zi = point(radius, degrees)
                rows += rows_for("I", "I-" + form(zr, zi), fnu, zr, zi)
                rows += rows_for("K", "K-" + form(zr, zi), fnu, zr, zi)
            for degrees in LEFT[(i + j) % 2::2]:
                zr, zi = point(radius, degrees)
                rows += rows_for("K", "K-" + form(zr, zi) + "-left", fnu, zr, zi, mr=1 if zi >= 0 else -1)
    for fnu in RAISED_ORDERS:
        nui = int(FNUL - (fnu + N - 1)) + 1
        for radius in RAISED_RADII:
            for degrees in (10.0, 45.0, 75.0, -85.0):
                zr, zi = point(radius, degrees)
                rows += rows_for("I", "I-" + form(zr, zi) + "-raised", fnu, zr, zi, nui=nui)
    qelms_reference.write(OUTPUT, GENERATOR, __doc__.split("\n\n")[0] + "\n" + __doc__.split("\n\n")[1], rows)
    print("%d rows" % len(rows))


if __name__ == "__main__":
    main()
