"""Writes tests/data/complex_core_i.txt: sequences I(fnu + k - 1, z), k = 1..n,
for z in the right half plane from mpmath at 50 digits, region by region of the
complex I evaluator and of its methods called directly, and ratios
I(fnu + k, z)/I(fnu + k - 1, z).

Usage: python3 tools/gen_complex_core_reference.py
"""
import math
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402
from qelms_reference import above, below  # noqa: E402

GENERATOR = "gen_complex_core_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "complex_core_i.txt")
GOLDEN = (mpmath.sqrt(5) - 1) / 2
RL = 21.784271729432426  # |z| from which the large-argument expansion is used
FNUL = 85.92135864716212  # order from which the uniform expansions are used


def spread(count, lo, hi, seed):
    """count values in [lo, hi] by the golden-ratio sequence."""
    return [lo + (hi - lo) * float(mpmath.frac((i + seed) * GOLDEN)) for i in range(1, count + 1)]


def polar(r, angle):
    """A z of modulus about r at the angle, as exact doubles; exact on the axes."""
    if angle == math.pi / 2:
        return complex(0.0, r)
    if angle == -math.pi / 2:
        return complex(0.0, -r)
    return complex(r * math.cos(angle), r * math.sin(angle))


def sequence(z, fnu, kode, n):
    """(re, im, amplitude) of each member; the amplitude is |I| or, near the
    imaginary axis beyond the turning point where I oscillates through zeros,
    the larger of |I| and (2/pi)|K|; scaled by exp(-|Re z|) when kode is 2."""
    zz = mpmath.mpc(z.real, z.imag)
    scale = mpmath.exp(-abs(zz.real)) if kode == 2 else mpmath.mpf(1)
    out = []
    for k in range(n):
        nu = mpmath.mpf(fnu) + k
        v = mpmath.besseli(nu, zz)
        amp = abs(v)
        if abs(zz.real) <= 0.25 * abs(zz) and abs(zz) > nu:
            amp = max(amp, 2 / mpmath.pi * abs(mpmath.besselk(nu, zz)))
        out += [v.real * scale, v.imag * scale, amp * scale]
    return out


def ratios(z, fnu, n):
    zz = mpmath.mpc(z.real, z.imag)
    out = []
    for k in range(1, n + 1):
        r = mpmath.besseli(mpmath.mpf(fnu) + k, zz) / mpmath.besseli(mpmath.mpf(fnu) + k - 1, zz)
        out += [r.real, r.imag, abs(r)]
    return out


def rows_for(label, cases, values=sequence):
    rows = []
    for z, fnu, kode, n in cases:
        rows.append((label, [z.real, z.imag, fnu, kode, n] + values(z, fnu, kode, n)))
    return rows


def angles(count, seed):
    """Angles over [-pi/2, pi/2], the two axis directions included."""
    return [math.pi / 2, -math.pi / 2] + spread(count - 2, -math.pi / 2, math.pi / 2, seed)


def cases_in(count, radius, order, n_of, seed):
    """count cases: z = polar(radius(u), angle), fnu = order(v), kode alternating."""
    out = []
    us = spread(count, 0, 1, seed)
    vs = spread(count, 0, 1, seed + 7)
    for i, angle in enumerate(angles(count, seed)):
        n = n_of(i)
        out.append((polar(radius(us[i]), angle), order(vs[i], n), 1 + i % 2, n))
    return out


def core_cases():
    fractions = [0.0, 0.5, 0.25, 1.0 / 3.0, 0.7]

    def small_order(v, n):
        return max(0.0, fractions[int(v * 5)] + int(v * 3) - (n - 1))

    rows = []
    # |z| <= 2: the power series.
    rows += rows_for("core.series", cases_in(30, lambda u: 1.998 * u + 1e-3, lambda v, n: fractions[int(v * 5)]
                                              + int(v * 20), lambda i: 1 + i % 4, 1))
    # |z| > 2 with |z|^2/4 <= fnu + n: the power series by order.
    series_order = []
    for i, (u, v) in enumerate(zip(spread(30, 0, 1, 2), spread(30, 0, 1, 3))):
        n = 1 + i % 3
        fnu = 3.0 + 95.0 * v
        rmax = 2.0 * math.sqrt(fnu + n)
        series_order.append((polar(2.0 + (0.999 * rmax - 2.0) * u, angles(30, 4)[i]), fnu, 1 + i % 2, n))
    rows += rows_for("core.series_order", series_order)
    # |z| >= rl with small order: the large-argument expansion.
    rows += rows_for("core.asymptotic", cases_in(30, lambda u: RL + (99.0 - RL) * u, small_order,
                                                 lambda i: 1 + i % 3, 5))
    # |z| >= rl with 2|z| >= order^2.
    asym_order = []
    for i, (u, v) in enumerate(zip(spread(12, 0, 1, 6), spread(12, 0, 1, 8))):
        r = 30.0 + 69.0 * u
        asym_order.append((polar(r, angles(12, 9)[i]), 1.0 + (math.sqrt(2 * r) - 2.0) * v, 1 + i % 2, 2))
    rows += rows_for("core.asymptotic_order", asym_order)
    # Unscaled values near the overflow limit.
    rows += rows_for("core.asymptotic_large", [
        (complex(680.0, 1.0), 0.0, 1, 2), (complex(670.5, -300.0), 0.5, 1, 1), (complex(650.0, 20.0), 0.3, 1, 3),
        (complex(3000.0, 4000.0), 0.0, 2, 2), (complex(0.0, 700.0), 0.5, 1, 2), (complex(1e-3, -5000.0), 0.75, 2, 3)])
    # 2 < |z| < rl with order <= 1: Miller's algorithm with the Neumann series.
    rows += rows_for("core.miller_series", cases_in(30, lambda u: 2.9 + (RL - 3.0) * u,
                                                    lambda v, n: fractions[int(v * 5)] if n == 1 else 0.0,
                                                    lambda i: 1 + i % 2, 10))
    # Boundaries: |z| = 2 takes the series, |z| = rl the large-argument expansion.
    rows += rows_for("core.boundary", [
        (complex(2.0, 0.0), 0.0, 1, 2), (complex(0.0, 2.0), 0.5, 2, 2), (complex(0.0, -2.0), 1.0, 1, 1),
        (complex(above(2.0), 0.0), 0.25, 1, 1), (complex(RL, 0.0), 0.0, 1, 2), (complex(0.0, RL), 0.5, 2, 1),
        (complex(below(RL), 0.0), 0.0, 1, 2), (complex(0.0, below(RL)), 0.5, 1, 1)])
    # Tiny z.
    rows += rows_for("core.tiny", [
        (complex(1e-200, 1e-200), 0.0, 1, 2), (complex(1e-200, -1e-200), 0.5, 2, 1), (complex(3e-160, 0.0), 1.0, 1, 1),
        (complex(1e-10, 1e-10), 1.5, 1, 3), (complex(0.0, 1e-300), 0.3, 2, 1), (complex(1e-304, 0.0), 0.0, 2, 1),
        # below 1000 safe_min, where only an order below 1 is representable; 5e-324 is subnormal
        (complex(1e-306, 0.0), 0.001, 1, 1), (complex(5e-324, 0.0), 0.5, 2, 1), (complex(1e-306, 1e-306), 0.5, 1, 1),
        (complex(0.0, -2e-305), 0.3, 2, 1)])
    # Top members underflow: the series zeroes them until |z/2|^2 exceeds the order, the
    # pre-test the rest; the remaining members come from the uniform expansions.
    rows += rows_for("core.underflow", [(complex(40.0, 0.0), 300.0, 1, 110), (complex(30.0, 20.0), 330.5, 2, 60),
                                        (complex(1e-306, 1e-307), 0.25, 1, 3)])
    return rows


def pretest_cases():
    """2 < |z| < rl beyond the series, order above 1: after the overflow/underflow pre-test, Miller."""
    out = []
    for i, (u, v) in enumerate(zip(spread(20, 0, 1, 11), spread(20, 0, 1, 12))):
        r = 4.0 + (RL - 4.5) * u
        n = 1 + i % 3
        fnu = 1.5 + (r * r / 4 - 2.5 - n) * v
        out.append((polar(r, angles(20, 13)[i]), fnu, 1 + i % 2, n))
    return rows_for("core.miller_pretest", out)


def wronskian_cases():
    """rl < |z| <= fnul, order above 1 with 2|z| < order^2: Miller normalised by the Wronskian."""
    out = []
    for i, (u, v) in enumerate(zip(spread(20, 0, 1, 14), spread(20, 0, 1, 15))):
        r = RL + 0.5 + (80.0 - RL) * u
        n = 1 + i % 3
        lo = math.sqrt(2 * r) + 0.5
        fnu = lo + (80.0 - lo) * v
        out.append((polar(r, angles(20, 16)[i]), fnu, 1 + i % 2, n))
    return rows_for("core.wronskian", out)


def scaled_order(z, kode, n):
    """The fnu, to 6 digits, whose top member fnu + n - 1 has the leading term exp(-685)."""
    zz = mpmath.mpc(z.real, z.imag)
    shift = -zz.real if kode == 2 else 0

    def exponent(nu):
        return (nu * mpmath.log(zz / 2)).real - mpmath.loggamma(nu + 1) + shift + 685

    lo, hi = mpmath.mpf("0.5"), mpmath.mpf(300)
    for _ in range(60):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if exponent(mid) > 0 else (lo, mid)
    return round(float(lo) - (n - 1), 6)


def method_cases():
    rows = []
    # The series called directly on long sequences, top members underflowing.
    rows += rows_for("series.underflow", [
        (complex(0.01, 0.0), 90.0, 1, 40), (complex(1e-3, 1e-3), 80.5, 2, 30), (complex(0.5, -0.2), 150.25, 1, 45),
        (complex(1e-100, 0.0), 2.0, 1, 6), (complex(0.2, 0.1), 160.0, 1, 12)])
    # The series near its underflow limit (top member's leading term about exp(-685)), values carried scaled.
    rows += rows_for("series.scaled", [(z, scaled_order(z, kode, n), kode, n) for z, kode, n in [
        (complex(0.01, 0.0), 1, 3), (complex(1e-3, 1e-3), 2, 4), (complex(1e-140, 1e-140), 1, 3),
        (complex(1e-150, 0.0), 1, 2), (complex(0.3, 0.4), 2, 8)]])
    # Long sequences by the backward recurrence after the top two members.
    rows += rows_for("series.sequence", [
        (complex(1.5, 0.8), 0.0, 1, 12), (complex(0.0, 1.9), 0.5, 2, 10), (complex(8.0, 6.0), 30.0, 1, 8),
        (complex(0.3, 14.0), 60.3, 2, 6)])
    rows += rows_for("asymptotic.sequence", [
        (complex(40.0, 9.0), 0.0, 1, 8), (complex(0.0, 60.0), 0.5, 2, 9), (complex(25.0, -25.0), 0.2, 1, 6),
        # sums whose small terms follow in doubles after two-double ones
        (complex(500.0, 0.0), 10.3, 1, 10), (complex(0.0, 300.0), 20.0, 2, 3), (complex(150.0, -120.0), 15.0, 1, 2)])
    rows += rows_for("miller_series.sequence", [
        (complex(5.0, 2.0), 0.0, 1, 12), (complex(0.0, 10.0), 0.5, 2, 15), (complex(15.0, -10.0), 2.3, 1, 20),
        (complex(3.0, 0.0), 40.0, 1, 3), (complex(20.0, 5.0), 50.7, 2, 2),
        # many steps far above the wanted orders in doubles, both parities on the axis
        (complex(0.0, 20.0), 0.3, 1, 3), (complex(0.0, 15.0), 1.3, 2, 2), (complex(18.0, 0.0), 1.5, 1, 2),
        (complex(12.0, 9.0), 2.7, 2, 4)])
    rows += rows_for("wronskian.sequence", [
        (complex(30.0, 10.0), 12.5, 1, 8), (complex(0.0, 50.0), 20.0, 2, 6), (complex(60.0, -30.0), 45.3, 1, 5),
        (complex(0.0, 50.0), 49.5, 1, 2), (complex(50.0, 40.0), 40.0, 2, 3), (complex(0.0, 70.0), 30.5, 1, 1)])
    rows += rows_for("ratios", [
        (complex(5.0, 2.0), 0.0, 1, 5), (complex(10.0, 30.0), 0.5, 1, 4), (complex(40.0, -20.0), 20.3, 1, 3),
        (complex(2.5, 0.0), 10.0, 1, 2), (complex(80.0, 1.0), 1.0, 1, 3)], values=lambda z, f, k, n: ratios(z, f, n))
    return rows


def main():
    rows = core_cases() + pretest_cases() + wronskian_cases() + method_cases()
    qelms_reference.write(OUTPUT, GENERATOR, """
I(fnu + k - 1, z), k = 1..n, for Re z >= 0 at 50 digits (mpmath), times exp(-|Re z|) when kode = 2.
Columns: region zr zi fnu kode n, then per member re im amplitude. The amplitude is |I|, or
near the imaginary axis beyond the turning point the larger of |I| and (2/pi)|K| (scaled alike).
Regions: core.* through the evaluator's own choice of method; series.*, asymptotic.*, miller_series.*, wronskian.*
call that method directly; ratios: I(fnu + k, z)/I(fnu + k - 1, z) (kode unused).""", rows)


if __name__ == "__main__":
    main()
