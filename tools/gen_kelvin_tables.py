"""Coefficient tables of the Kelvin functions ber, bei, ker, kei of order 0.

Writes specfun/kelvin_tables.hpp and prints the agreement of each table with
its published entries. Reference functions come from the modified Bessel
functions of complex argument, which stay accurate for large x:
    ber x + i bei x = I0(x e^(i pi/4)),   ker x + i kei x = K0(x e^(i pi/4)),
and the exponentially growing part of ber + i bei alone is
    g + i h = (-i/pi) K0(x e^(-3 i pi/4))
(from K0(z e^(-i pi)) = K0(z) + i pi I0(z)), so that
    ber = g - kei/pi,   bei = h + ker/pi.

Amplitude corrections (y = x/sqrt2):
  KP, KQ of x in t = 6/x - 1, and V1, V2 of x in t = 10/x - 1:
    (ker + i kei) e^(i(y + pi/8)) / (sqrt(pi/(2x)) e^-y) = 1 + k (P - i Q),  k = sqrt(2/pi)/x
  U1, U2 of x in t = 10/x - 1:
    (g + i h) e^(-i(y - pi/8)) / (e^y / sqrt(2 pi x)) = 1 + c (U1 - i U2),  c = sqrt(2 pi)/x
"""
import functools
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from mpmath import mp  # noqa: E402

import qelms_tables as qt  # noqa: E402

GENERATOR = "gen_kelvin_tables.py"
HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun", "kelvin_tables.hpp")


def quarter_turn(x):
    return mp.mpf(x) * mp.expjpi(mp.mpf(1) / 4)


@functools.lru_cache(maxsize=None)
def ber_bei(x):
    v = mp.besseli(0, quarter_turn(x))
    return v.real, v.imag


@functools.lru_cache(maxsize=None)
def ker_kei(x):
    v = mp.besselk(0, quarter_turn(x))
    return v.real, v.imag


@functools.lru_cache(maxsize=None)
def decaying_correction(x):
    """(P, Q) with (ker + i kei) e^(i beta) / (N e^-y) = 1 + k (P - i Q)."""
    x = mp.mpf(x)
    y = x / mp.sqrt(2)
    f = mp.besselk(0, quarter_turn(x)) * mp.expj(y + mp.pi / 8) / (mp.sqrt(mp.pi / (2 * x)) * mp.exp(-y))
    k = mp.sqrt(2 / mp.pi) / x
    return (f.real - 1) / k, -f.imag / k


@functools.lru_cache(maxsize=None)
def growing_correction(x):
    """(U1, U2) with (g + i h) e^(-i beta1) / (M e^y) = 1 + c (U1 - i U2)."""
    x = mp.mpf(x)
    y = x / mp.sqrt(2)
    gh = -1j / mp.pi * mp.besselk(0, x * mp.expjpi(mp.mpf(-3) / 4))
    f = gh * mp.expj(-(y - mp.pi / 8)) / (mp.exp(y) / mp.sqrt(2 * mp.pi * x))
    c = mp.sqrt(2 * mp.pi) / x
    return (f.real - 1) / c, -f.imag / c


def fourth_root_argument(scale):
    """x with t = 2 (x/scale)^4 - 1."""
    return lambda t: scale * mp.root((t + 1) / 2, 4)


def small_tables():
    """The short Chebyshev tables of the small-argument regions, as functions of t."""
    a5 = fourth_root_argument(5)
    a1 = fourth_root_argument(1)

    def cb(x):
        return 4 * ber_bei(x)[1] / x ** 2

    def ckr(x):
        ber, bei = ber_bei(x)
        return ker_kei(x)[0] + mp.log(x) * ber - mp.pi / 4 * bei

    def cki(x):
        ber, _ = ber_bei(x)
        return (ker_kei(x)[1] + mp.pi / 4 * ber) / (x ** 2 / 4) + mp.log(x) * cb(x)

    return [
        ("CBER", lambda t: ber_bei(a5(t))[0], [
            "-2.222977528754074e-15", "7.52944020788535e-12", "-1.3399230820039688e-08",
            "1.1054545179367345e-05", "-0.0035041593099430857", "0.3098901979029117",
            "-3.6115370666240003", "-2.9249424917887996"]),
        ("CBEI", lambda t: cb(a5(t)), [
            "-9.885841322517e-18", "4.459874724544548e-14", "-1.1094964370585176e-10",
            "1.370232111615475e-07", "-7.222779318681679e-05", "0.012809363841241855",
            "-0.4906450215718475", "0.4964732496595184"]),
        ("CA", lambda t: ber_bei(a1(t))[0], [
            "7.3326452616714e-17", "-1.4716609624265534e-11", "8.47622202274614e-07",
            "-0.007809109378739948", "0.992190042984341"]),
        ("CB", lambda t: cb(a1(t)), [
            "-3.0034370148468007e-13", "3.390661805857451e-08", "-0.0008679199260798697",
            "0.9991320461667014"]),
        ("CKR", lambda t: ckr(a1(t)), [
            "2.07791371180221e-16", "-3.7761655310449776e-11", "1.8641133381120506e-06",
            "-0.012617008172869846", "0.10331264333444241"]),
        ("CKI", lambda t: cki(a1(t)), [
            "2.665929008442e-18", "-8.135659022830498e-13", "8.135039907268153e-08",
            "-0.001691744772498009", "1.1142396895347018"]),
    ]


def polynomial_tables():
    """(name, C++ name, meaning, function of t, entries, [(index, given text)]). A table
    without a C++ name is only checked against its given entries: KR and KI, ker and kei
    on (1, 3], which the routine takes from pieces of the functions themselves."""
    v_x = lambda t: 10 / (t + 1)  # noqa: E731
    k_x = lambda t: 6 / (t + 1)  # noqa: E731
    return [
        ("U1", "u1", "U1, t = 10/x - 1 on x >= 5: 1 + c1 U1 = (g cos b1 + h sin b1)/(M e^y), g, h the growing parts of ber, bei",
         lambda t: growing_correction(v_x(t))[0], 29,
         [(0, "6.6333832208197874e-12"), (1, "-5.3966426387765e-12"),
          (-2, "-0.0005681969373026314"), (-1, "0.035004857819076966")]),
        ("U2", "u2", "U2, t = 10/x - 1 on x >= 5: c1 U2 = (g sin b1 - h cos b1)/(M e^y), g, h the growing parts of ber, bei",
         lambda t: growing_correction(v_x(t))[1], 28,
         [(0, "-7.426363441239031e-12"), (1, "1.185615378876937e-11"),
          (-2, "0.003179301593326941"), (-1, "0.03826446488790259")]),
        ("V1", "v1", "V1, t = 10/x - 1 on x >= 5: the function KP of x, for the decaying parts of ber, bei",
         lambda t: decaying_correction(v_x(t))[0], 20,
         [(0, "-1.3752408399229746e-13"), (1, "5.01787386808238e-13"),
          (-2, "0.0009516452542337099"), (-1, "-0.11025067047597834")]),
        ("V2", "v2", "V2, t = 10/x - 1 on x >= 5: the function KQ of x, for the decaying parts of ber, bei",
         lambda t: decaying_correction(v_x(t))[1], 21,
         [(0, "1.0774713736049459e-13"), (1, "-2.1331588439893608e-13"),
          (-2, "0.007567103491165182"), (-1, "-0.10260072974033817")]),
        ("KP", "kp", "KP, t = 6/x - 1 on x >= 3: 1 + k KP = (ker cos b - kei sin b)/(N e^-y)",
         lambda t: decaying_correction(k_x(t))[0], 25,
         [(0, "3.962703196622684e-13"), (1, "-3.545684171567399e-12"),
          (-2, "0.002190321561558351"), (-1, "-0.10948655408005649")]),
        ("KQ", "kq", "KQ, t = 6/x - 1 on x >= 3: k KQ = -(ker sin b + kei cos b)/(N e^-y)",
         lambda t: decaying_correction(k_x(t))[1], 26,
         [(0, "-3.1585127687016938e-12"), (1, "5.411725623213162e-12"),
          (-2, "0.011400738400138288"), (-1, "-0.09780342160277714")]),
        ("KR", None, "KR, t = x - 2 on 1 <= x <= 3: e^(0.6875 x) ker(x)",
         lambda t: mp.exp(mp.mpf("0.6875") * (t + 2)) * ker_kei(t + 2)[0], 31,
         [(0, "2.3867987639865546e-10"), (1, "-4.6008924501901415e-10"),
          (-2, "-0.5349056140504894"), (-1, "-0.16478634945961806")]),
        ("KI", None, "KI, t = x - 2 on 1 <= x <= 3: e^(9x/8) kei(x)",
         lambda t: mp.exp(mp.mpf(9) / 8 * (t + 2)) * ker_kei(t + 2)[1], 25,
         [(0, "3.027797425843601e-11"), (1, "-6.380009502138801e-11"),
          (-2, "-0.07487878917984331"), (-1, "-1.9203183762125788")]),
    ]


def main():
    mp.dps = qt.DPS
    report = []
    blocks = []
    for name, cpp, what, g, n, checks in polynomial_tables():
        with mp.workdps(qt.DPS):
            stored = [qt.to_double(p) for p in qt.stored_table("polynomial", qt.chebyshev(g, n))]
        report += qt.check_entries(name, stored, checks)
        if cpp:
            blocks.append(qt.emit_table(cpp, "%s, highest power first." % what, stored))

    # The short tables are typed whole in the routine; here they are only checked.
    for name, g, given in small_tables():
        with mp.workdps(qt.DPS):
            stored = [qt.to_double(v) for v in qt.stored_table("chebyshev", qt.chebyshev(g, len(given)))]
        report += qt.check_entries(name, stored, list(enumerate(given)))

    qt.write_header(HEADER, GENERATOR, blocks, namespace="qelms::kelvin")
    print("\n".join(report))


if __name__ == "__main__":
    main()
