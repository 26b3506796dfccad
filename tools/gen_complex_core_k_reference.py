"""Writes tests/data/complex_core_k.txt: reference sequences K(fnu + k - 1, z),
k = 1..n, from mpmath at 50 digits, for the K evaluator in the right half
plane and for the continuation to the left half plane, unscaled and scaled.

Usage: python3 tools/gen_complex_core_k_reference.py
"""
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402
from qelms_reference import above  # noqa: E402

GENERATOR = "gen_complex_core_k_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "complex_core_k.txt")
ELIM = mp.mpf(700.9217936944459)  # exponent below which an unscaled member is returned as zero
MARGIN = mp.mpf("1e-6")           # least distance of a member's log-magnitude from -ELIM
HUGE = mp.mpf("1e300")            # sequences reaching this are left to the overflow pre-tests


def checked(function, *args):
    """function(*args) at the first of 60, 120, 240, 480 digits that agrees with
    the next: for some large orders mpmath's K at 100 digits is wrong in every digit."""
    previous = None
    for dps in (60, 120, 240, 480):
        with mp.workdps(dps):
            value = function(*args)
        if previous is not None and abs(previous - value) <= mp.mpf("1e-45") * abs(value):
            return value
        previous = value
    raise AssertionError((function, args))


def member(nu, z, kode):
    """K(nu, z) (times e^z when kode = 2) and the amplitude the error is measured
    against: |K| for Re z >= 0; for Re z < 0, where K is continued from zn = -z
    as e^(-i pi mr nu) K(nu, zn) - i pi mr I(nu, zn) (mr = 1 for Im z >= 0, else
    -1), the sum of the magnitudes of the two terms."""
    scale = mpmath.exp(z) if kode == 2 else 1
    if z.real >= 0:
        value = checked(mpmath.besselk, nu, z) * scale
        return value, abs(value)
    mr = 1 if z.imag >= 0 else -1
    zn = -z
    kterm = mpmath.expjpi(-mr * nu) * checked(mpmath.besselk, nu, zn) * scale
    iterm = -1j * mp.pi * mr * checked(mpmath.besseli, nu, zn) * scale
    value = kterm + iterm
    if z.imag != 0:
        direct = checked(mpmath.besselk, nu, z) * scale
        assert abs(direct - value) <= mp.mpf("1e-40") * (abs(kterm) + abs(iterm)), (nu, z)
    return value, abs(kterm) + abs(iterm)


def sequence(region, fnu, zr, zi, kode, n):
    """One row: region fnu Re z Im z kode n nz, then re im amplitude per member;
    None when a member is beyond HUGE."""
    z = mp.mpc(zr, zi)
    values = []
    nz = 0
    for k in range(n):
        value, amplitude = member(mp.mpf(fnu) + k, z, kode)
        if kode == 1 and region.startswith("core."):
            log_size = mpmath.log(abs(value))
            assert abs(log_size + ELIM) > MARGIN, (region, fnu, zr, zi, k)
            if log_size < -ELIM and nz == k:
                nz += 1
                value, amplitude = mp.mpf(0), mp.mpf(0)
        if amplitude > HUGE:
            return None
        values += [value.real, value.imag, amplitude]
    return region, [fnu, zr, zi, kode, n, nz] + values


# Orders by their fractional part: integer (dnu = 0), half an odd integer
# (dnu = -1/2), small |dnu| (the series for g1), and other fractions.
INTEGER = [0.0, 1.0, 4.0, 25.0]
HALF = [0.5, 1.5, 7.5]
FRACTION = [0.05, 0.3, 0.7, 2.45, 13.96, 60.25]
ORDERS = INTEGER + HALF + FRACTION

# Arguments in the right half plane per region of the evaluator.
SERIES_Z = [(2.0, 0.0), (0.0, 2.0), (1.2, 1.6), (1.0, 0.0), (0.3, 0.4), (0.0, 0.5), (1e-3, 2e-3), (1e-9, 0.0),
            (1.5, -1.0), (0.0, 1e-20), (1e-100, 0.0), (1e-300, 2e-300)]
ABOVE_2 = [(above(2.0), 0.0), (0.0, above(2.0))]
BACKWARD_Z = [(3.0, 0.0), (2.5, 1.5), (5.0, 5.0), (0.0, 10.0), (12.0, -7.0), (20.0, 0.0), (0.5, 27.0), (25.0, 12.0)]
FORWARD_Z = [(28.67, 0.0), (30.0, 0.0), (40.0, 40.0), (0.0, 80.0), (99.0, 0.0), (60.0, -70.0), (3.0, 95.0),
             (300.0, 0.0), (600.0, 500.0)]


def core_rows():
    rows = []
    for region, zs in (("core.series", SERIES_Z), ("core.above_2", ABOVE_2), ("core.backward", BACKWARD_Z),
                       ("core.forward", FORWARD_Z)):
        for zr, zi in zs:
            for fnu in ORDERS:
                for kode in (1, 2):
                    n = 1 if fnu in (0.3, 25.0) else 3
                    rows.append(sequence(region, fnu, zr, zi, kode, n))
    # Re z > alim unscaled: leading members underflow and are counted.
    for fnu, zr, zi, n in ((0.0, 680.0, 0.0, 4), (0.0, 700.0, 0.0, 2), (0.3, 700.0, 300.0, 1), (40.0, 700.0, 0.0, 30),
                           (40.5, 690.0, -200.0, 25), (10.2, 1000.0, 1000.0, 3), (0.0, 665.0, 0.0, 3), (800.3, 700.0, 0.0, 2)):
        for kode in (1, 2):
            rows.append(sequence("core.underflow", fnu, zr, zi, kode, n))
    # Long sequences through the scaling levels.
    for fnu, zr, zi, n in ((0.0, 1e-3, 0.0, 60), (2.7, 0.05, 0.05, 60), (0.0, 40.0, 0.0, 90)):
        for kode in (1, 2):
            rows.append(sequence("core.levels", fnu, zr, zi, kode, n))
    return rows


CONTINUATION_Z = [(-2.0, 0.0), (-1.2, 1.6), (-1.2, -1.6), (-0.3, 0.4), (-1e-3, -2e-3), (-3.0, 1e-3), (-5.0, 5.0),
                  (-5.0, -5.0), (-12.0, 7.0), (-0.5, -27.0), (-25.0, 12.0), (-40.0, 40.0), (-60.0, -70.0),
                  (-3.0, 95.0), (-99.0, 1.0), (-1e-3, 60.0)]


def continuation_rows():
    rows = []
    for zr, zi in CONTINUATION_Z:
        for fnu in (0.0, 1.0, 0.5, 0.3, 2.45, 13.96, 60.25):
            for kode in (1, 2):
                rows.append(sequence("continuation", fnu, zr, zi, kode, 4))
    for zr, zi in CONTINUATION_Z + [(-2.5, 0.0), (-0.1, 0.9), (-8.0, -1.0), (-30.0, 20.0)]:
        for fnu in (1.0 / 3.0, 2.0 / 3.0):
            for kode in (1, 2):
                rows.append(sequence("airy", fnu, zr, zi, kode, 1))
    return rows


def main():
    qelms_reference.write(OUTPUT, GENERATOR, """
K(fnu + k - 1, z), k = 1..n, at 50 digits (mpmath); kode 2 rows hold e^z K.
Columns: region fnu Re(z) Im(z) kode n nz, then per member Re Im amplitude.
nz leading members underflow (log|K| < -700.9217936944459) and are 0.
Amplitude: |K| for Re z >= 0; for Re z < 0, where K = e^(-i pi mr nu) K(nu, -z) - i pi mr I(nu, -z)
(mr = 1 for Im z >= 0, else -1), the sum of the magnitudes of the two terms.
Regions: core.series |z| <= 2, core.above_2 just above 2, core.backward 2 < |z| < 28.67,
core.forward |z| >= 28.67, core.underflow Re z > 664.87, core.levels long sequences,
continuation Re z < 0 (n = 4), airy Re z < 0 with fnu = 1/3 and 2/3 (n = 1).
""", [row for row in core_rows() + continuation_rows() if row is not None])


if __name__ == "__main__":
    main()
