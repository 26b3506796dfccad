"""Reference values of Carlson's elliptic integrals RC, RF, RD, RJ.

Writes tests/data/carlson.txt. Each row: a region label, the arguments, the
expected value. Labels start with the routine (rc_, rf_, rd_, rj_); the rest
names the scaling path or argument range the row exercises.

Principal values: RC with y < 0 is mpmath's elliprc with pv=True; RJ with
r < 0 comes from RJ, RF and RC of positive arguments by the transformation to
a positive fourth argument (mpmath's complex elliprj loses every digit of the
real part when r is far from x, y, z). The generator checks both against the
principal-value integral computed directly before writing anything.
"""
import math
import os
import random

import mpmath
from mpmath import mp

import qelms_reference
from qelms_reference import above, below  # noqa: E402

mp.dps = 50

MIN_REAL = 2.22507385850721e-308   # the library's smallest positive real
MAX_REAL = 1.79769313486231e+308   # and largest real
SAFE_MIN = MIN_REAL
RCF_LOLIM = 16.0 * MIN_REAL        # RC and RF scale up at or below this
RCF_UPLIM = MAX_REAL / 16.0        # and down at or above this
RD_LOLIM = 2.0 * SAFE_MIN ** 0.66667
RD_UPLIM = (0.1 * 0.0012 / SAFE_MIN) ** 0.66667
RJ_LOLIM = SAFE_MIN ** 0.33333
RJ_UPLIM = 0.396 * (1.0 / SAFE_MIN) ** 0.33333
DENORM_MIN = 5e-324
MAX_DOUBLE = 1.7976931348623157e308

rng = random.Random(31)


def loguniform(lo, hi):
    return math.exp(rng.uniform(math.log(lo), math.log(hi)))


def f(x):
    return mp.mpf(float(x))


def rc(x, y):
    # elliprc(0, y < 0) comes back complex; its real part is the principal value 0
    return mpmath.re(mpmath.elliprc(f(x), f(y), pv=True))


def rf(x, y, z):
    return mpmath.elliprf(f(x), f(y), f(z))


def rd(x, y, z):
    return mpmath.elliprd(f(x), f(y), f(z))


def rj(x, y, z, r):
    if r > 0:
        return mpmath.elliprj(f(x), f(y), f(z), f(r))
    # principal value: with x <= y <= z and q = y + (z - y)(y - x)/(y - r) > 0,
    # (y - r) RJ(x, y, z, r) = (q - y) RJ(x, y, z, q) - 3 RF(x, y, z) + 3 RC(xz/y, rq/y)
    # The terms can agree to 200 digits (x = y far below z, r = -x), hence the precision.
    with mp.workdps(260):
        x, y, z = sorted(f(v) for v in (x, y, z))
        r = f(r)
        q = y + (z - y) * (y - x) / (y - r)
        value = ((q - y) * mpmath.elliprj(x, y, z, q) - 3 * mpmath.elliprf(x, y, z)
                 + 3 * mpmath.re(mpmath.elliprc(x * z / y, r * q / y, pv=True))) / (y - r)
    return +value


def principal_value(g, pole):
    """PV of the integral of g(t)/(t - pole) over t >= 0, for a pole > 0."""
    with mp.workdps(30):
        near = mpmath.quad(lambda s: (g(pole + s) - g(pole - s)) / s, [0, pole])
        far = mpmath.quad(lambda t: g(t) / (t - pole), [2 * pole, mpmath.inf])
        return near + far


def check_principal_values():
    for x, y in [(0.25, -2.0), (3.0, -0.1)]:
        direct = principal_value(lambda t: 1 / mpmath.sqrt(t + x), -y) / 2
        assert abs(direct / rc(x, y) - 1) < 1e-12, (x, y)
    for x, y, z, r in [(2.0, 3.0, 4.0, -0.5), (0.5, 7.0, 1000.0, -20.0)]:
        g = lambda t: 1 / mpmath.sqrt((t + x) * (t + y) * (t + z))
        direct = 1.5 * principal_value(g, -r)
        assert abs(direct / rj(x, y, z, r) - 1) < 1e-12, (x, y, z, r)
    # closed form: RJ(0, a, a, -p) = -(3 pi/2) / (sqrt(a) (a + p)), at the extremes of RJ's range
    a, p = f(RJ_LOLIM), f(RJ_UPLIM)
    assert abs(rj(0.0, RJ_LOLIM, RJ_LOLIM, -RJ_UPLIM) / (-1.5 * mp.pi / (mp.sqrt(a) * (a + p))) - 1) < 1e-40


def rows():
    out = []

    def add(region, function, *args):
        out.append((region, list(args) + [function(*args)]))

    # RC -------------------------------------------------------------------
    add("rc_positive", rc, 0.0, 1.0)
    add("rc_positive", rc, 2.0, 2.0)
    add("rc_positive", rc, 1.0, 1.0000001)
    for _ in range(40):
        add("rc_positive", rc, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6))
    for _ in range(10):
        add("rc_positive", rc, loguniform(1e-300, 1e300), loguniform(1e-300, 1e300))
    add("rc_positive", rc, above(RCF_LOLIM), above(RCF_LOLIM))   # just outside both scalings
    add("rc_positive", rc, below(RCF_UPLIM), 1.0)
    add("rc_positive", rc, 1.0, DENORM_MIN)                      # subnormal y meets a moderate x
    add("rc_positive", rc, 66438.883083779234, 49151.185364177327)  # the largest error on the benchmark's points
    # |y - x| = x/2, where the series in (y - x)/x gives way to the closed form, on either side
    for x, y in ((1.0, 1.5), (1.0, above(1.5)), (2.0, 1.0), (2.0, below(1.0)), (3.0, 1e-3), (3.0, 2.9)):
        add("rc_positive", rc, x, y)
    add("rc_principal", rc, 0.25, -2.0)
    add("rc_principal", rc, 0.0, -3.0)
    for _ in range(30):
        add("rc_principal", rc, loguniform(1e-6, 1e6), -loguniform(1e-6, 1e6))
    for _ in range(10):
        add("rc_principal", rc, loguniform(1e-300, 1e300), -loguniform(1e-300, 1e300))
    add("rc_principal_overflow", rc, MAX_DOUBLE, -MAX_DOUBLE)   # x - y overflows
    add("rc_principal_overflow", rc, 1e308, -1e308)
    add("rc_principal_overflow", rc, 1.5e308, -0.5e308)
    add("rc_small", rc, RCF_LOLIM, RCF_LOLIM)                    # bound belongs to the scaling
    add("rc_small", rc, 0.0, RCF_LOLIM)
    add("rc_small", rc, 1e-310, 3e-309)
    add("rc_small", rc, 0.0, DENORM_MIN)
    add("rc_small", rc, DENORM_MIN, DENORM_MIN)
    add("rc_small", rc, 3e-320, -1e-315)
    for _ in range(10):
        add("rc_small", rc, loguniform(1e-322, RCF_LOLIM), loguniform(1e-322, RCF_LOLIM))
    add("rc_large", rc, RCF_UPLIM, RCF_UPLIM)                    # bound belongs to the scaling
    add("rc_large", rc, MAX_DOUBLE, MAX_DOUBLE)
    add("rc_large", rc, 1.0, MAX_DOUBLE)
    add("rc_large", rc, MAX_DOUBLE, 1.0)
    add("rc_large", rc, RCF_LOLIM, RCF_UPLIM)
    add("rc_large", rc, 1e300, -1e308)
    for _ in range(10):
        add("rc_large", rc, loguniform(1e-300, 1e308), loguniform(RCF_UPLIM, MAX_DOUBLE))
    add("rc_large_small_x", rc, 0.0, RCF_UPLIM)
    add("rc_large_small_x", rc, below(RCF_LOLIM), MAX_DOUBLE)
    add("rc_large_small_x", rc, DENORM_MIN, 1e308)
    add("rc_large_small_y", rc, RCF_UPLIM, below(RCF_LOLIM))
    add("rc_large_small_y", rc, MAX_DOUBLE, DENORM_MIN)
    add("rc_large_small_y", rc, 1e308, 1e-310)

    # RF -------------------------------------------------------------------
    add("rf_plain", rf, 0.0, 1.0, 2.0)
    for args in [(1.0, 2.0, 3.0), (3.0, 1.0, 2.0), (2.0, 3.0, 1.0), (2.0, 2.0, 2.0), (1.0, 1.0, 0.0)]:
        add("rf_plain", rf, *args)
    for _ in range(40):
        add("rf_plain", rf, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6), loguniform(1e-6, 1e6))
    for _ in range(10):
        add("rf_plain", rf, 0.0, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6))
    for _ in range(10):
        add("rf_plain", rf, loguniform(1e-300, 1e300), loguniform(1e-300, 1e300), loguniform(1e-300, 1e300))
    add("rf_plain", rf, 1.0, RCF_UPLIM, 2.0)                     # largest at the bound: no scaling
    add("rf_plain", rf, 0.0, 1.0, DENORM_MIN)
    add("rf_plain", rf, above(RCF_LOLIM), 0.0, above(RCF_LOLIM))
    add("rf_small", rf, RCF_LOLIM, RCF_LOLIM, RCF_LOLIM)
    add("rf_small", rf, 0.0, RCF_LOLIM, 1e-310)
    add("rf_small", rf, DENORM_MIN, 0.0, DENORM_MIN)
    add("rf_small", rf, 1e-320, 2e-310, 3e-315)
    for _ in range(10):
        add("rf_small", rf, loguniform(1e-322, RCF_LOLIM), loguniform(1e-322, RCF_LOLIM), loguniform(1e-322, RCF_LOLIM))
    add("rf_large", rf, above(RCF_UPLIM), above(RCF_LOLIM), above(RCF_LOLIM))
    add("rf_large", rf, MAX_DOUBLE, MAX_DOUBLE, MAX_DOUBLE)
    add("rf_large", rf, 1.0, 2.0, MAX_DOUBLE)
    for _ in range(10):
        add("rf_large", rf, loguniform(1e-300, 1e308), loguniform(1e-300, 1e308), loguniform(RCF_UPLIM, MAX_DOUBLE))
    add("rf_large_small_x", rf, RCF_LOLIM, 1.0, MAX_DOUBLE)
    add("rf_large_small_x", rf, 0.0, above(RCF_LOLIM), MAX_DOUBLE)
    add("rf_large_small_x", rf, DENORM_MIN, 1e300, 1e308)
    add("rf_large_small_x", rf, 0.0, 4e-307, 1e308)              # y/16 falls below the lower limit
    add("rf_large_small_x", rf, 1e-310, 1e-306, 1e308)
    add("rf_large_small_xy", rf, 0.0, RCF_LOLIM, MAX_DOUBLE)
    add("rf_large_small_xy", rf, DENORM_MIN, DENORM_MIN, 1e308)
    add("rf_large_small_xy", rf, 1e-310, 2e-308, above(RCF_UPLIM))

    # RD -------------------------------------------------------------------
    add("rd_plain", rd, 0.0, 2.0, 1.0)
    add("rd_plain", rd, 2.0, 3.0, 4.0)
    add("rd_plain", rd, 1.0, 1.0, 1.0)
    add("rd_plain", rd, 28114.447176980051, 53008.796750981848, 23964.761548022962)  # the benchmark's largest error
    for _ in range(40):
        add("rd_plain", rd, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6), loguniform(1e-6, 1e6))
    for _ in range(10):
        add("rd_plain", rd, 0.0, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6))
    for _ in range(20):
        add("rd_wide", rd, loguniform(1e-200, 1e200), loguniform(1e-200, 1e200), loguniform(1e-200, 1e200))
    add("rd_wide", rd, RD_LOLIM, 0.0, RD_LOLIM)                  # the lower limit is allowed
    add("rd_wide", rd, DENORM_MIN, RD_LOLIM, 1.0)
    add("rd_wide", rd, 0.0, below(RD_UPLIM), RD_LOLIM)
    add("rd_wide", rd, below(RD_UPLIM), below(RD_UPLIM), below(RD_UPLIM))
    add("rd_wide", rd, RD_LOLIM, RD_LOLIM, below(RD_UPLIM))

    # RJ -------------------------------------------------------------------
    add("rj_plain", rj, 2.0, 3.0, 4.0, 5.0)
    add("rj_plain", rj, 0.0, 1.0, 2.0, 3.0)
    add("rj_plain", rj, 1.0, 1.0, 1.0, 1.0)
    add("rj_plain", rj, 31464.454939457231, 32017.717559306846, 81829.460636319607, 40690.919953637953)  # largest
    # error on the benchmark's points
    add("rj_plain", rj, 2.0, 3.0, 4.0, 3.0)
    for _ in range(40):
        add("rj_plain", rj, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6), loguniform(1e-6, 1e6),
            loguniform(1e-6, 1e6))
    for _ in range(10):
        add("rj_plain", rj, 0.0, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6), loguniform(1e-6, 1e6))
    add("rj_principal", rj, 2.0, 3.0, 4.0, -0.5)
    add("rj_principal", rj, 0.0, 1.0, 2.0, -3.0)
    add("rj_principal", rj, 4.0, 2.0, 3.0, -1.0)
    add("rj_principal", rj, 3.26, 922.0, 0.258, -2.36)  # 2.0 eps (the sum of three terms, cancelling)
    add("rj_principal", rj, 1.0952397601310073, 266.97260718441339, 0.01931358474086256, -0.13014555480307019)
    add("rj_principal", rj, 7.939, 0.4418, 1318.0, -1.751)       # a value 40 times below its terms
    for _ in range(40):
        add("rj_principal", rj, loguniform(1e-6, 1e6), loguniform(1e-6, 1e6), loguniform(1e-6, 1e6),
            -loguniform(1e-6, 1e6))
    for _ in range(20):
        add("rj_wide", rj, loguniform(1e-100, 1e100), loguniform(1e-100, 1e100), loguniform(1e-100, 1e100),
            loguniform(1e-100, 1e100))
    add("rj_wide", rj, 0.0, RJ_LOLIM, RJ_LOLIM, RJ_LOLIM)          # both limits are allowed
    add("rj_wide", rj, RJ_UPLIM, RJ_UPLIM, RJ_UPLIM, RJ_UPLIM)
    add("rj_wide", rj, 0.0, RJ_LOLIM, RJ_UPLIM, RJ_LOLIM)
    add("rj_wide", rj, 0.0, RJ_LOLIM, RJ_LOLIM, RJ_UPLIM)          # r far above x, y, z: longest loop
    add("rj_wide", rj, RJ_LOLIM, RJ_LOLIM, RJ_LOLIM, RJ_UPLIM)
    add("rj_wide", rj, 0.0, RJ_LOLIM, RJ_UPLIM, RJ_UPLIM)
    add("rj_wide", rj, DENORM_MIN, RJ_LOLIM, 1.0, 1.0)
    for _ in range(20):
        add("rj_wide_principal", rj, loguniform(1e-100, 1e100), loguniform(1e-100, 1e100),
            loguniform(1e-100, 1e100), -loguniform(1e-100, 1e100))
    add("rj_wide_principal", rj, 0.0, RJ_LOLIM, RJ_LOLIM, -RJ_UPLIM)
    add("rj_wide_principal", rj, 0.0, RJ_LOLIM, RJ_UPLIM, -RJ_LOLIM)
    add("rj_wide_principal", rj, 0.0, RJ_LOLIM, RJ_UPLIM, -RJ_UPLIM)
    add("rj_wide_principal", rj, RJ_UPLIM, RJ_UPLIM, RJ_UPLIM, -RJ_LOLIM)
    add("rj_wide_principal", rj, DENORM_MIN, RJ_LOLIM, RJ_UPLIM, -RJ_LOLIM)
    add("rj_wide_principal", rj, 0.0, RJ_UPLIM, RJ_UPLIM, -RJ_LOLIM)
    add("rj_wide_principal", rj, RJ_LOLIM, RJ_UPLIM, RJ_UPLIM, -RJ_UPLIM)
    add("rj_wide_principal", rj, RJ_UPLIM, RJ_LOLIM, RJ_LOLIM, -RJ_UPLIM)
    add("rj_wide_principal", rj, RJ_LOLIM, RJ_LOLIM, RJ_UPLIM, -RJ_UPLIM)
    # r on both sides of 1024 max(x, y, z), where RJ is formed from RJ at a fourth argument near y
    for args in [(0.5, 1.0, 2.0), (0.0, 1.0, 3.0), (2.0, 2.0, 2.0), (1e-8, 1e-3, 1.0), (3.0, 1e-6, 0.0)]:
        top = 1024.0 * max(args)
        for r in (below(top), top, above(top), 8.0 * top, 1e40 * top):
            add("rj_far", rj, *args, r)
    return out


def main():
    check_principal_values()
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "..", "tests", "data", "carlson.txt")
    qelms_reference.write(path, "gen_carlson_reference.py", __doc__.split("\n\n")[0] + "\n"
                          "Columns: region, arguments (x y | x y z | x y z r), value.", rows())


if __name__ == "__main__":
    main()
