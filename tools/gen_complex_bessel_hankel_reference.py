"""Reference values of J, Y, H(1), H(2) of complex argument for
tests/data/complex_bessel_hankel.txt.

Rows: region fnu re(z) im(z) scaled n, then per member k = 1..n (order
fnu + k - 1): re, im, amplitude. The region names the routine (j, y, h1, h2)
and the part of the plane or the method its rotated argument reaches. scaled
is 1 for the exponentially scaled functions (J, Y: exp(-|Im z|); H(m):
exp(-(3-2m) i z)). amplitude is the local amplitude (|H(1)| + |H(2)|)/2 of the
member's order, scaled alike, where the function oscillates through zeros
near the real axis past the turning point (|Re z| > max(order, 0.5); for H(m)
only in the quadrant where its zeros lie, Re z < 0 on the side of the axis
where it grows), and 0 elsewhere (pure relative error): tests measure
|computed - exact| / max(|exact|, amplitude).

Each value is evaluated at rising precision until two evaluations 25 digits
apart agree to 35 digits (J + iY cancels where H decays); H where it decays
at |z| >= 500 comes from its large-argument expansion instead.
"""
import functools
import os

from mpmath import mp

import qelms_reference

FUNCTIONS = {"j": mp.besselj, "y": mp.bessely, "h1": mp.hankel1, "h2": mp.hankel2}


@functools.lru_cache(maxsize=None)
def stable(f, nu, z):
    """f(nu, z) to at least 35 correct digits (never 0: the functions have no
    zeros at these points, so 0 means everything cancelled)."""
    digits = 50
    while True:
        with mp.workdps(digits):
            a = f(mp.mpf(nu), mp.mpc(z))
        with mp.workdps(digits + 25):
            b = f(mp.mpf(nu), mp.mpc(z))
        if b != 0 and abs(a - b) <= mp.mpf(10) ** -35 * abs(b):
            return b
        digits += max(40, int(0.87 * abs(float(mp.im(z)))))  # J + iY cancels to e^(-2|Im z|)


def hankel_asymptotic(kind, nu, z):
    """H(1) or H(2) from the large-argument expansion, for |z| >= 500 on the
    side of the real axis where the function decays (interior of its sector
    of validity): J + iY would cancel there to e^(-2|Im z|)."""
    z = mp.mpc(z)
    s = 1 if kind == "h1" else -1
    with mp.workdps(60):
        mu = 4 * mp.mpf(nu) ** 2
        term = mp.mpf(1)
        total = mp.mpf(1)
        for k in range(1, 400):
            term *= (mu - (2 * k - 1) ** 2) / (k * 8 * z) * (s * mp.j)
            total += term
            if abs(term) < mp.mpf(10) ** -55 * abs(total):
                break
        omega = z - mp.mpf(nu) * mp.pi / 2 - mp.pi / 4
        return mp.sqrt(2 / (mp.pi * z)) * mp.exp(s * mp.j * omega) * total


def value(kind, nu, z):
    decays = (kind == "h1" and z.imag > 0) or (kind == "h2" and z.imag < 0)
    if decays and abs(z) >= 500:
        return hankel_asymptotic(kind, nu, z)
    return stable(FUNCTIONS[kind], nu, z)


def scale_factor(kind, z):
    """The factor of the scaled function."""
    if kind in ("j", "y"):
        return mp.exp(-abs(mp.im(z)))
    mm = 1 if kind == "h1" else -1
    return mp.exp(-mm * mp.j * z)


def amplitude(kind, order, z):
    x, y = float(mp.re(z)), float(mp.im(z))
    if abs(x) <= max(order, 0.5):
        return mp.mpf(0)
    if kind == "h1" and not (x < 0 and y <= 0):
        return mp.mpf(0)
    if kind == "h2" and not (x < 0 and y >= 0):
        return mp.mpf(0)
    with mp.workdps(30):  # a few digits suffice; the decaying H, if garbled, is negligible
        return (abs(mp.hankel1(order, z)) + abs(mp.hankel2(order, z))) / 2


def row(kind, region, fnu, z, scaled, n):
    values = [fnu, z[0], z[1], scaled, n]
    z = mp.mpc(*z)
    factor = scale_factor(kind, z) if scaled else 1
    for k in range(n):
        order = mp.mpf(fnu) + k
        v = value(kind, order, complex(z)) * factor
        if v != 0 and not (mp.mpf(10) ** -290 < abs(v) < mp.mpf(10) ** 290):
            return None  # beyond the range of doubles: not a value test
        values += [mp.re(v), mp.im(v), amplitude(kind, order, z) * abs(factor)]
    return ("%s_%s" % (kind, region), values)


# (region, orders, points): each point with every order, n = 3 members.
# The regions follow the rotated argument: |z| <= 2 power series; up to
# 21.78 Miller; beyond, the large-argument expansion for low orders and
# Miller with the Wronskian for higher ones; orders beyond 85.9 the uniform
# expansions; far: |z| up to the precision bound 32768.
REGIONS = [
    ("small", [0.0, 0.3, 1.0, 4.5],
     [(0.5, 0.3), (1.5, -1.0), (1e-3, 2e-3), (-1.2, 0.7), (-0.8, -1.6), (0.0, 2.0), (0.0, -1.25), (2.0, 0.0)]),
    ("medium", [0.0, 0.7, 2.0, 10.0],
     [(5.0, 3.0), (-7.0, 2.0), (-4.0, -6.0), (3.0, -12.0), (15.0, 1.0), (0.5, 18.0), (-19.5, -0.25), (8.0, 8.0)]),
    ("large_argument", [0.0, 0.5, 3.0],
     [(30.0, 10.0), (-25.0, 40.0), (60.0, -5.0), (-80.0, -80.0), (5.0, 40.0), (-45.0, 1.5)]),
    ("wronskian", [15.0, 25.5, 40.0],
     [(30.0, 10.0), (-40.0, 20.0), (50.0, -30.0), (-35.0, -12.0), (24.0, 2.0)]),
    ("uniform", [90.0, 150.25, 299.0],
     [(45.0, 30.0), (100.0, 5.0), (-140.0, 60.0), (160.0, -150.0), (-200.0, -10.0), (20.0, 120.0), (310.0, 1.0),
      (0.0, 250.0), (-90.5, -95.0)]),
    ("far", [0.0, 1.0, 10.5],
     [(500.0, 20.0), (-3000.0, 5.0), (20000.0, -100.0), (-30000.0, -3000.0), (1000.0, 1000.0), (32000.0, 0.5)]),
    ("real", [0.0, 1.0, 2.5, 10.0],
     [(0.1, 0.0), (1.0, 0.0), (2.404825557695773, 0.0), (7.5, 0.0), (25.0, 0.0), (123.25, 0.0), (3000.0, 0.0),
      (30000.0, 0.0), (-3.5, 0.0), (-40.0, 0.0)]),
    ("near_real", [0.0, 1.0, 3.5],
     [(2.0, 1e-6), (9.0, -1e-6), (30.0, 0.5), (-12.0, 0.25), (-6.0, -1e-3), (150.0, -0.5)]),
]


def check_expansion():
    """The expansion agrees with mpmath where H grows and nothing cancels."""
    for kind, z in (("h1", complex(700.0, -30.0)), ("h2", complex(-600.0, 40.0))):
        exact = stable(FUNCTIONS[kind], 2.5, z)
        mirrored = "h2" if kind == "h1" else "h1"
        # the mirror image decays: H(2)(nu, conj z) = conj H(1)(nu, z) for real nu
        assert abs(mp.conj(hankel_asymptotic(mirrored, 2.5, z.conjugate())) - exact) < mp.mpf(10) ** -40 * abs(exact)


def main():
    check_expansion()
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data",
                        "complex_bessel_hankel.txt")
    rows = []
    skipped = 0
    for kind in ("j", "y", "h1", "h2"):
        for region, orders, points in REGIONS:
            for fnu in orders:
                for z in points:
                    for scaled in (0, 1):
                        r = row(kind, region, fnu, z, scaled, 3)
                        if r is None:
                            skipped += 1
                        else:
                            rows.append(r)
    qelms_reference.write(path, "gen_complex_bessel_hankel_reference.py", __doc__, rows)
    print("%d rows, %d beyond the range of doubles" % (len(rows), skipped))


if __name__ == "__main__":
    main()
