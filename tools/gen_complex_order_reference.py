"""Reference sequences of I, K, J, Y, H(1) and H(2) of complex argument whose
orders fnu + k cross a power of two, for tests/data/complex_orders.txt.

Rows: routine/method/side fnu re(z) im(z) scaled n, then per member
k = 1..n: re, im, scale. Member k is of order fnu + k - 1, formed in mpmath
as mpf(fnu) + k - 1, never as a sum of doubles: fnu has its last bits set, so
that the double nearest fnu + k - 1 differs from it once the sum passes 32,
64, 128, 256 or 512. scaled is 1 for the exponentially scaled functions
(I: exp(-|Re z|), K: exp(z), J and Y: exp(-|Im z|), H(m): exp(-(3-2m) i z)).
method is the evaluator the argument of the underlying I or K reaches:
series, miller, wronskian, asymptotic, uniform (order or |z| above
fnul = 85.92), uniform_raised (order below fnul, |z| above it: the order is
raised past fnul and recurred back), far (|z| beyond the precision bound
32768, the calls that warn). side is where z lies: right or left half plane,
or the imaginary axis (|Re z| <= |Im z|/10).

scale is what the error is measured against: |value|, or where the function
oscillates through zeros the local amplitude of the two exponentials it is
made of: (|H1| + |H2|)/2 for Y everywhere (it is |Y| itself away from the
zeros) and for J past the turning point (|Re z| above the order), the same of the rotated argument for I (|Im z| above the order), for
H(m) in the quadrant where its zeros lie (Re z < 0, Im z of the sign 2m - 3
or zero), and for K in the left half plane
|K(nu, -z)| + pi |I(nu, -z)|, the terms of its continuation.

Each value is evaluated at 50 and 90 digits, raised together until the two
agree to 30 digits of the scale (mpmath's K is wrong in its 12th digit for
some large orders at 50 digits). Where H(m) is exponentially small, J + iY
cancels: it comes from K of the rotated argument instead.
"""
import math
import os
import random
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402

GENERATOR = "gen_complex_order_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "complex_orders.txt")

RL = 1.2 * 15.653559774527022 + 3.0
FNUL = 85.92135864716212
PRECISION_BOUND = 32768.0


def crossing_order(rng, below):
    """A double in (below - 1, below) whose last two bits are set: every
    sum with an integer that passes a power of two rounds."""
    x = below - rng.uniform(0.05, 0.95)
    m, e = math.frexp(x)
    bits = int(m * 2 ** 53) | 3
    return math.ldexp(bits, e - 53)


def point(r, angle):
    exact = {math.pi: complex(-r, 0.0), math.pi / 2: complex(0.0, r), -math.pi / 2: complex(0.0, -r)}
    return exact.get(angle, complex(r * math.cos(angle), r * math.sin(angle)))


def i_method(fnu, w, n):
    """The method the I evaluator takes at w, Re w >= 0."""
    az, dfnu = abs(w), fnu + n - 1
    if az <= 2.0 or az * az / 4 <= dfnu + 1:
        return "series"
    if az < RL:
        return "miller"
    if not (dfnu > 1 and 2 * az < dfnu * dfnu):
        return "asymptotic"
    if dfnu > FNUL:
        return "uniform"
    if az > FNUL:
        return "uniform_raised"
    return "wronskian"


def k_method(fnu, w):
    if fnu > FNUL:
        return "uniform"
    return "series" if abs(w) <= 2 else "miller"


def method(routine, fnu, z, n):
    if abs(z) > PRECISION_BOUND:
        return "far"
    if routine == "i":
        return i_method(fnu, z if z.real >= 0 else -z, n)
    if routine == "j":
        return i_method(fnu, complex(abs(z.imag), z.real), n)
    if routine == "k":
        w = z if z.real >= 0 else -z
        return k_method(fnu, w) if z.real >= 0 else i_method(fnu, w, n)
    # Y and H: K of -i z (H(1)) or i z (H(2)); Y takes both.
    w = complex(z.imag, -z.real) if routine != "h2" else complex(-z.imag, z.real)
    if w.real < 0:
        return i_method(fnu, -w, n)
    return k_method(fnu, w)


def side(z):
    if abs(z.real) <= abs(z.imag) / 10:
        return "axis"
    return "right" if z.real >= 0 else "left"


def k_right(nu, z):
    """K(nu, z) for Re z >= 0 by the forward recurrence
    K(mu + 1) = (2 mu/z) K(mu) + K(mu - 1) from the two orders below 2 with
    nu's fraction: mpmath's K is wrong for some large orders at every
    precision (K(986.2, 589 + 378i) by far), the recurrence is stable for K."""
    nu = mp.mpf(nu)
    steps = int(mp.floor(nu))
    if steps < 2:
        return mp.besselk(nu, z)
    mu = nu - steps + 1
    k0, k1 = mp.besselk(mu - 1, z), mp.besselk(mu, z)
    for _ in range(steps - 1):
        k0, k1 = k1, 2 * mu / z * k1 + k0
        mu += 1
    return k1


def k_value(nu, z):
    """K anywhere: in the left half plane from the continuation
    K(nu, w e^(i pi m)) = e^(-i pi m nu) K(nu, w) - i pi m I(nu, w), w = -z."""
    if mp.re(z) >= 0:
        return k_right(nu, z)
    m = 1 if mp.im(z) >= 0 else -1
    w = -z
    return mp.expjpi(-m * nu) * k_right(nu, w) - mp.j * mp.pi * m * mp.besseli(nu, w)


def hankel_through_k(kind, nu, z):
    """H(1) for Im z > 0, H(2) for Im z < 0, where they decay: from K."""
    if kind == "h1":
        return 2 / (mp.pi * mp.j) * mp.expjpi(-nu / 2) * k_value(nu, -mp.j * z)
    return -2 / (mp.pi * mp.j) * mp.expjpi(nu / 2) * k_value(nu, mp.j * z)


def evaluate(routine, nu, z):
    if routine == "i":
        return mp.besseli(nu, z)
    if routine == "k":
        return k_value(nu, z)
    if routine == "j":
        return mp.besselj(nu, z)
    if routine == "y":
        return mp.bessely(nu, z)
    if (routine == "h1" and z.imag > 0) or (routine == "h2" and z.imag < 0):
        return hankel_through_k(routine, nu, z)
    return mp.hankel1(nu, z) if routine == "h1" else mp.hankel2(nu, z)


def amplitude(routine, nu, z):
    """The local amplitude where the function oscillates through zeros, else 0."""
    x, y = float(z.real), float(z.imag)
    with mp.workdps(30):
        # Y's complex zeros lie also where |Re z| is below the order
        # (Y(5.3, z) = 0 at z = 1.63 - 3.47i); J's zeros are real
        if routine == "y" or (routine == "j" and abs(x) > max(nu, 0.5)):
            return (abs(mp.hankel1(nu, z)) + abs(mp.hankel2(nu, z))) / 2
        if routine == "i" and abs(y) > max(nu, 0.5):
            w = mp.j * (z if x >= 0 else -z)
            return (abs(mp.hankel1(nu, w)) + abs(mp.hankel2(nu, w))) / 2
        # H(m)'s zeros fill its quadrant of the left half plane, also where
        # |Re z| is below the order (H(2)(2, z) = 0 at z = -1.32 + 0.83i), and
        # in the right half plane they line the curve from the turning point
        # z = order towards the imaginary axis (H(1)(511.13, z) = 0 at
        # 497.96 - 22.12i): in its half plane H(m) is judged against the
        # larger of the two where the other one is larger
        if (routine == "h1" and y <= 0) or (routine == "h2" and y >= 0):
            return (abs(mp.hankel1(nu, z)) + abs(mp.hankel2(nu, z))) / 2
    if routine == "k" and x < 0:
        with mp.workdps(60):
            return abs(k_right(nu, -z)) + mp.pi * abs(mp.besseli(nu, -z))
    return mp.mpf(0)


def stable(routine, nu, z, amp):
    """The value at two precisions 40 digits apart, raised until they agree
    to 30 digits of max(|value|, amp)."""
    digits = 50
    while True:
        with mp.workdps(digits):
            a = evaluate(routine, mp.mpf(nu[0]) + nu[1], mp.mpc(z))
        with mp.workdps(digits + 40):
            b = evaluate(routine, mp.mpf(nu[0]) + nu[1], mp.mpc(z))
        if b != 0 and abs(a - b) <= mp.mpf(10) ** -30 * max(abs(b), amp):
            return b
        digits += 60
        if digits > 600:
            raise RuntimeError("no agreement for %s %r %r" % (routine, nu, z))


def scale_factor(routine, z):
    if routine == "i":
        return mp.exp(-abs(mp.re(z)))
    if routine == "k":
        return mp.exp(z)
    if routine in ("j", "y"):
        return mp.exp(-abs(mp.im(z)))
    mm = 1 if routine == "h1" else -1
    return mp.exp(-mm * mp.j * z)


def rows_of(routine, fnu, z, n):
    zm = mp.mpc(z.real, z.imag)
    members = []
    for k in range(n):
        nu = mp.mpf(fnu) + k
        amp = amplitude(routine, nu, zm)
        members.append((stable(routine, (fnu, k), z, amp), amp))
    out = []
    label = "%s/%s/%s" % (routine, method(routine, fnu, z, n), side(z))
    for scaled in (0, 1):
        factor = scale_factor(routine, zm) if scaled else 1
        numbers = [fnu, z.real, z.imag, scaled, n]
        for v, amp in members:
            v = v * factor
            scale = max(abs(v), amp * abs(factor))
            if not (mp.mpf(10) ** -290 < scale < mp.mpf(10) ** 290):
                break  # beyond the range of doubles: not a value test
            numbers += [mp.re(v), mp.im(v), scale]
        else:
            out.append((label, numbers))
    return out


# Angles of z: both half planes, the Debye/Airy boundary near pi/3, the
# imaginary axis and beside it, and beside the negative real axis.
ANGLES = [0.0, 0.5, math.pi / 3, 1.5, math.pi / 2, 1.65, 2.2, 3.0, math.pi, -0.4, -1.0, -1.52, -math.pi / 2,
          -1.7, -2.6, -3.1]


def radii(nu):
    """|z| for each evaluator at order nu."""
    out = [1.5, 1.8 * math.sqrt(nu)]
    if 2 * math.sqrt(nu + 1) < RL:
        out.append(RL - 1.0)
    out += [r for r in (30.0, 60.0, 80.0) if 2 * r < nu * nu and r > 2 * math.sqrt(nu + 1)]
    out += [100.0, 0.5 * nu, nu, 2.0 * nu, 300.0, 1000.0, nu * nu / 2 + 50, 40000.0]
    return sorted({min(r, 40000.0) for r in out if r > 0})


def cases(rng):
    """(fnu, z, n): orders crossing 32 ... 512 over every radius, a few angles
    each, long sequences, and low orders raised past fnul."""
    out = []
    for power in (32, 64, 128, 256, 512):
        fnu = crossing_order(rng, power - 1)
        for r in radii(power):
            for angle in rng.sample(ANGLES, 3):
                out.append((fnu, point(r, angle), 3))
    for fnu0, n in ((21.0, 50), (101.0, 30), (241.0, 20), (987.0, 14)):
        fnu = crossing_order(rng, fnu0)
        for r in (15.0, 40.0, 150.0, 700.0):
            out.append((fnu, point(r, rng.choice(ANGLES)), n))
    # orders below fnul, |z| above it: the raised order crosses 64 or 128
    for fnu0 in (36.0, 50.0, 63.0, 80.0):
        fnu = crossing_order(rng, fnu0)
        for r in (90.0, 261.7, 900.0):
            for angle in rng.sample(ANGLES, 3):
                out.append((fnu, point(r, angle), 2))
    out.append((36.3864341267, complex(261.7236263782366, 0.0), 1))
    # small fractional orders (some next to an integer) at |z| up to 2, where
    # the terms of K's power series cancel down to K by up to a factor 15
    for i in range(30):
        fnu = rng.uniform(0.0, 2.5) if i % 3 else rng.randrange(3) + rng.choice((1, -1)) * 10 ** rng.uniform(-9, -2)
        out.append((abs(fnu), point(rng.uniform(0.8, 2.0), rng.uniform(-math.pi, math.pi)), 2))
    # next to complex zeros where |Re z| is below the order: Y(5.3, z) at
    # 1.6286 -+ 3.4659i and -3.9819 +- 2.1797i, H(2)(1.9952, z) at -1.3214 + 0.8277i
    for fnu, z in ((5.3, complex(1.6295707, -3.4659125)), (5.3, complex(-3.9819085, 2.1802315)),
                   (1.9951936082454038, complex(-1.3738195573540641, 0.85977476030794775))):
        out.append((fnu, z, 1))
    # sequences whose recurrences start next to the turning point |z| = order,
    # near the axes where the functions oscillate, |z| around and beyond fnul
    for r in (80.0, 95.0, 230.0, 600.0):
        for offset in (-0.13, -0.06, -0.02, 0.0, 0.02, 0.06, 0.11):
            fnu = r * (1.0 + offset) + rng.uniform(0.0, 1.0)
            angle = rng.choice((0.0, 0.02, -0.05, math.pi / 2, math.pi / 2 - 0.04, -math.pi / 2 + 0.1, math.pi))
            out.append((fnu, point(r, angle), rng.choice((3, 10, 20))))
    # sequences once 9 to 19 eps off: started or ended within 10% of the
    # turning point, or a raised pair's phi taken from a cancelling zeta
    for fnu, z, n in ((443.40167344864523, complex(0.0, 506.16212691756385), 3),
                      (519.95029577985781, complex(569.15668322561351, 0.0), 50),
                      (74.716998042276657, complex(87.897045484037051, 0.0), 1),
                      (471.13249378757354, complex(497.78953713164941, -21.999443634419428), 50),
                      (577.15186313053107, complex(-584.65316520177089, 0.0), 50),
                      (87.288517048120326, complex(-100.29460706414814, 0.0), 20),
                      (44.016536667565447, complex(0.23849152849986255, 95.37743280649029), 50),
                      (289.37148671169484, complex(-336.92432726589089, 0.0), 3)):
        out.append((fnu, z, n))
    return out


def main():
    rng = random.Random(20261207)
    all_cases = cases(rng)
    rows = []
    for routine in ("i", "k", "j", "y", "h1", "h2"):
        for fnu, z, n in all_cases:
            rows += rows_of(routine, fnu, z, n)
    qelms_reference.write(OUTPUT, GENERATOR, __doc__, rows)
    print("wrote %d rows to %s" % (len(rows), os.path.normpath(OUTPUT)))


if __name__ == "__main__":
    main()
