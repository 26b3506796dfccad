"""Writes specfun/bessel_i_k_tables.hpp: the polynomial tables of the modified
Bessel functions I0, I1, K0, K1 of real argument.

On 1 < x <= 4 K0 and K1, on 0 <= a <= 4 I0 and I1(a)/a, and on 4 < a <= 12
I0 and I1 are written as pieces instead (polynomials in the argument less the
midpoint of each, no exponential needed); on 4 < x < 705.1 sqrt(x) e^x K0(x)
and sqrt(x) e^x K1(x) as pieces in w = 1/x, one per quarter of a binade of x up
to 64 and one beyond (short polynomials, chosen from the bits of x). The
published tables there are only checked against their known entries.

Each table is the truncated Chebyshev expansion of the scaled function in its
mapped variable t on [-1, 1], rewritten in powers of t and stored from the
highest power down. The short tables near zero are typed in the routine file
(K1) or written here in z = x^2 (K0); this script checks the published ones.
Prints the agreement (digits) of each table with
its known entries. The rest of the constant terms of the large-argument tables is
written too, so that their systematic rounding does not enter the results.

Usage: python3 tools/gen_bessel_i_k_tables.py
"""
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_tables import (DPS, centred_power_table, chebyshev, chebyshev_to_power, check_entries,  # noqa: E402
                          emit_table, stored_table, to_double, write_header)

GENERATOR = "gen_bessel_i_k_tables.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun", "bessel_i_k_tables.hpp")


def i0(a):
    return mpmath.besseli(0, a)


def i1(a):
    return mpmath.besseli(1, a)


def k0(x):
    return mpmath.besselk(0, x)


def k1(x):
    return mpmath.besselk(1, x)


# Changes of variable, t in [-1, 1] back to the argument.
def large_i(t):  # t = 24/a - 1, 12 <= a (t = -1 is a = infinity)
    return 24 / (t + 1)


def medium_i(t):  # t = a/4 - 2, 4 <= a <= 12
    return 4 * (t + 2)


def large_k(t):  # t = 10/(1 + x) - 1, 4 <= x
    return 10 / (t + 1) - 1


def between_2_4(t):  # t = x - 3
    return t + 3


def between_1_2(t):  # t = 2x - 3
    return (t + 3) / 2


def near_zero(t):  # t = 2x^2 - 1, 0 <= x <= 1
    return mp.sqrt((t + 1) / 2)


def i0_large(t):
    a = large_i(t)
    return mp.sqrt(a) * mp.exp(-a) * i0(a)


def i1_large(t):
    a = large_i(t)
    return mp.sqrt(a) * mp.exp(-a) * i1(a)


def k0_large(t):
    x = large_k(t)
    return mp.sqrt(x) * mp.exp(x) * k0(x)


def k1_large(t):
    x = large_k(t)
    return mp.sqrt(x) * mp.exp(x) * k1(x)


def k0_regular(t):
    x = near_zero(t)
    return k0(x) + mp.log(x) * i0(x)


def k1_regular(t):
    x = near_zero(t)
    return (i1(x) * mp.log(x) - k1(x) + 1 / x) / x


# (name, entries, g(t), what it approximates, known entries as (index, text)).
GENERATED = [
    ("i0_large", 20, i0_large, "sqrt(a) e^-a I0(a) in t = 24/a - 1, 12 < a <= 711.6",
     [(0, "-1.9567980904762572e-13"), (1, "4.73229306831831e-14"),
      (-2, "0.002182168172116944"), (-1, "0.4010710650668474")]),
    ("i0_medium", 27, lambda t: mp.exp(-medium_i(t)) * i0(medium_i(t)), "e^-a I0(a) in t = a/4 - 2, 4 < a <= 12",
     [(0, "2.4518525296394108e-11"), (1, "-8.46900307934755e-11"),
      (-2, "-0.03715715425660853"), (-1, "0.14343178185685032")]),
    ("i1_large", 20, i1_large, "sqrt(a) e^-a I1(a) in t = 24/a - 1, 12 < a <= 711.6",
     [(0, "1.9944855759801548e-13"), (1, "-5.771768117303706e-14"),
      (-2, "-0.0064054536034823745"), (-1, "0.39262449420411655")]),
    ("i1_medium", 27, lambda t: mp.exp(-medium_i(t)) * i1(medium_i(t)), "e^-a I1(a) in t = a/4 - 2, 4 < a <= 12",
     [(0, "-2.2706137612261784e-11"), (1, "7.799291764970567e-11"),
      (-2, "-0.029914092389740556"), (-1, "0.13414249329269817")]),
    ("k0_large", 17, k0_large, "sqrt(x) e^x K0(x) in t = 10/(1 + x) - 1, 4 < x < 705.1",
     [(0, "4.4374197988655107e-14"), (1, "-1.2810831082699162e-13"),
      (-2, "-0.017268365238532164"), (-1, "1.2368866476942542")]),
    ("k0_2_4", 23, lambda t: mp.exp(between_2_4(t)) * k0(between_2_4(t)), "e^x K0(x) in t = x - 3, 2 < x <= 4",
     [(0, "2.4353824224753748e-12"), (1, "-7.396727839879332e-12"),
      (-2, "-0.10880188208493513"), (-1, "0.6977615980438517")]),
    ("k0_1_2", 23, lambda t: mp.exp(between_1_2(t)) * k0(between_1_2(t)), "e^x K0(x) in t = 2x - 3, 1 < x <= 2",
     [(0, "2.574662885758206e-12"), (1, "-7.837386091085693e-12"),
      (-2, "-0.14247791012882827"), (-1, "0.9582100532948965")]),
    ("k1_large", 17, k1_large, "sqrt(x) e^x K1(x) in t = 10/(1 + x) - 1, 4 < x < 705.1",
     [(0, "-4.778502381115802e-14"), (1, "1.3932112294060033e-13"),
      (-2, "0.05448452543189316"), (-1, "1.3038757360423041")]),
    ("k1_2_4", 24, lambda t: mp.exp(between_2_4(t)) * k1(between_2_4(t)), "e^x K1(x) in t = x - 3, 2 < x <= 4",
     [(0, "-7.364782970504217e-12"), (1, "2.1473675106513323e-11"),
      (-2, "-0.16005261129132717"), (-1, "0.8065634801287869")]),
    ("k1_1_2", 24, lambda t: mp.exp(between_1_2(t)) * k1(between_1_2(t)), "e^x K1(x) in t = 2x - 3, 1 < x <= 2",
     [(0, "-1.4663929178294846e-11"), (1, "4.274043305687672e-11"),
      (-2, "-0.2719107143886894"), (-1, "1.243165873552553")]),
]

# The published tables near zero, in t = 2x^2 - 1, checked entry by entry. Those
# of K1 are typed in specfun/bessel_i_k.cpp; for K0 the routine uses the same
# expansions as polynomials in z = x^2 (one operation less to form the variable),
# written here (IN_Z).
IN_Z = {"k0_i0", "k0_regular"}
TYPED = [
    ("k0_i0", lambda t: i0(near_zero(t)),
     "1.9067419751456127e-14, 7.491107368941348e-12, 2.1638241182472153e-09, 4.345626715461582e-07, "
     "5.597023382279154e-05, 0.00407157485171389, 0.1329769664783382, 1.1289609294541276"),
    ("k0_regular", k0_regular,
     "1.0540771819136e-16, 5.1686788694633215e-14, 1.924052642197067e-11, 5.199068658006656e-09, "
     "9.578784932659294e-07, 0.00010953429263240154, 0.006635139793139439, 0.1524369217993952, "
     "0.26184187925868707"),
    ("k1_i1", lambda t: i1(near_zero(t)) / near_zero(t),
     "1.189649624399104e-15, 5.33888268665659e-13, 1.7978479238015574e-10, 4.3276482364299776e-08, "
     "6.953002745482062e-06, 0.0006716428058734986, 0.03257259881371105, 0.5319078659133527"),
    ("k1_regular", k1_regular,
     "3.298810580198656e-15, 1.4091710302451431e-12, 4.468286284356187e-10, 9.966866892737816e-08, "
     "1.4461243253300614e-05, 0.0012033358565821902, 0.045049044296694374, 0.3518258282893255"),
]


def typed_correction(g, text):
    """The constant that centres the error of the typed table `text` of g on [-1, 1]."""
    with mp.workdps(DPS):
        c = [mp.mpf(v.strip()) for v in text.split(",")]
        errors = [g(t) - mp.polyval(c, t) for t in [mp.mpf(i) / 100 - 1 for i in range(1, 201)]]
        return to_double((max(errors) + min(errors)) / 2)


def z_polynomial(g, n):
    """The n-term Chebyshev expansion of g(t), t = 2z - 1, as a polynomial in z = x^2,
    highest power first, as doubles."""
    with mp.workdps(DPS):
        in_t = chebyshev_to_power(chebyshev(g, n))
        in_z = [mp.mpf(0)] * n
        for k, a in enumerate(in_t):  # (2z - 1)^k expanded
            for j in range(k + 1):
                in_z[j] += a * mpmath.binomial(k, j) * 2 ** j * (-1) ** (k - j)
        return [to_double(v) for v in reversed(in_z)]


def z_correction(g, values):
    """The constant that centres the error of the double table `values` (in z) of
    g(2z - 1) on 0 < z <= 1."""
    with mp.workdps(DPS):
        c = [mp.mpf(v) for v in values]
        errors = [g(2 * z - 1) - mp.polyval(c, z) for z in [mp.mpf(i) / 200 for i in range(1, 201)]]
        return to_double((max(errors) + min(errors)) / 2)


# Tables checked against their known entries but not written: the routines use the
# pieces there.
REPLACED_BY_PIECES = {"k0_1_2", "k0_2_4", "k1_1_2", "k1_2_4", "i0_medium", "i1_medium", "k0_large", "k1_large"}
# Pieces: (first x, width, count, coefficients per piece).
K_MIDDLE = (1, mp.mpf(1) / 8, 24, 12)
I_MIDDLE = (4, mp.mpf(1) / 2, 16, 12)
I_SMALL = (0, mp.mpf(1) / 2, 8, 12)


def centred_pieces(f, bounds, terms, label):
    """f on each interval [a, b] of `bounds` as a polynomial in t = v - c (c the midpoint)
    of `terms` coefficients, highest power first, its constant term f(c) followed by the
    rest of it; all pieces in one list."""
    values = []
    with mp.workdps(DPS):
        for a, b in bounds:
            coefficients = centred_power_table(f, a, b, terms, "%s [%s, %s]" % (label, a, b))
            centre = f((a + b) / 2)
            coefficients[-1] = to_double(centre)
            values += coefficients + [to_double(centre - mp.mpf(coefficients[-1]))]
    return values


def normalized_pieces(f, bounds, terms, label):
    """f on each interval [a, b] of `bounds` as G (1 + u(t)), t = v - c (c the midpoint),
    G the double nearest f(c): `terms` coefficients of u, highest power first (its
    constant term the small f(c)/G - 1), then G; all pieces in one list."""
    values = []
    with mp.workdps(DPS):
        for a, b in bounds:
            c = (a + b) / 2
            g = to_double(f(c))
            coefficients = centred_power_table(lambda v: f(v) / g, a, b, terms,
                                               "%s [%.6g, %.6g]" % (label, float(a), float(b)))
            coefficients[-1] = to_double(f(c) / g - 1)
            values += coefficients + [g]
    return values


def pieces_table(f, layout):
    """centred_pieces of f on `count` intervals of the given width from `start`."""
    start, width, count, terms = layout
    return centred_pieces(f, [(start + width * i, start + width * (i + 1)) for i in range(count)], terms, "piece")


# Pieces of sqrt(x) e^x K(x) in w = 1/x: x in the quarters of the binades from 4
# to 64, [2^e (1 + q/4), 2^e (1 + (q + 1)/4)] for e = 2..5, q = 0..3, then all
# x >= 64 (w in [0, 1/64]). Each piece is centred on the double nearest its
# midpoint in w, which the routine subtracts.
K_LARGE_X = [mp.mpf(2) ** (2 + k // 4) * (1 + mp.mpf(k % 4) / 4) for k in range(17)]  # 4 ... 64
K_LARGE_TERMS = 9


def large_k_bounds():
    """The pieces' intervals in w, each moved to be centred on a double."""
    bounds = [(1 / b, 1 / a) for a, b in zip(K_LARGE_X, K_LARGE_X[1:])] + [(mp.mpf(0), 1 / K_LARGE_X[-1])]
    return [(a, 2 * mp.mpf(to_double((a + b) / 2)) - a) for a, b in bounds]


def large_k_of_w(n):
    """sqrt(x) e^x K_n(x) as a function of w = 1/x, its limit sqrt(pi/2) at w = 0."""
    def g(w):
        if w == 0:
            return mp.sqrt(mp.pi / 2)
        x = 1 / w
        return mp.sqrt(x) * mp.exp(x) * mpmath.besselk(n, x)
    return g


def stored_polynomial(g, n):
    """The n power coefficients of the Chebyshev expansion of g, highest power first, as doubles."""
    with mp.workdps(DPS):
        return [to_double(p) for p in stored_table("polynomial", chebyshev(g, n))]


def main():
    mp.dps = DPS
    blocks = []
    constant_lo = []
    for name, n, g, what, known in GENERATED:
        values = stored_polynomial(g, n)
        if name.endswith("_large") and name not in REPLACED_BY_PIECES:
            with mp.workdps(DPS):
                exact = stored_table("polynomial", chebyshev(g, n))[-1]
                constant_lo.append(to_double(exact - mp.mpf(values[-1])))
        for line in check_entries(name, values, known):
            print(line)
        if name not in REPLACED_BY_PIECES:
            blocks.append(emit_table(name, "Polynomial, highest power first: " + what + ".", values))
    for table, what, f, layout, where in (
            ("k0_middle_pieces", "K0", k0, K_MIDDLE, "1 < x <= 4, intervals [1 + i/8, 1 + (i + 1)/8]"),
            ("k1_middle_pieces", "K1", k1, K_MIDDLE, "1 < x <= 4, intervals [1 + i/8, 1 + (i + 1)/8]"),
            ("i0_small_pieces", "I0", i0, I_SMALL, "0 <= a <= 4, intervals [i/2, (i + 1)/2]"),
            ("i1_small_pieces", "I1(a)/a", lambda x: i1(x) / x if x else mp.mpf(1) / 2, I_SMALL,
             "0 <= a <= 4, intervals [i/2, (i + 1)/2]"),
            ("i0_middle_pieces", "I0", i0, I_MIDDLE, "4 < a <= 12, intervals [4 + i/2, 4 + (i + 1)/2]"),
            ("i1_middle_pieces", "I1", i1, I_MIDDLE, "4 < a <= 12, intervals [4 + i/2, 4 + (i + 1)/2]")):
        blocks.append(emit_table(table, "%s on %s: on each, %d coefficients in the argument less the midpoint, "
                                 "highest power first, then the rest of the constant term."
                                 % (what, where, layout[3]), pieces_table(f, layout)))
    with mp.workdps(DPS):
        bounds = large_k_bounds()
        blocks.append(emit_table("k_large_midpoints", "Midpoints in w = 1/x of the pieces of k0_large_pieces and "
                                 "k1_large_pieces: x in [4, 5], [5, 6], [6, 7], [7, 8], [8, 10], ... [56, 64], "
                                 "then x >= 64.", [to_double((a + b) / 2) for a, b in bounds]))
    for n in (0, 1):
        blocks.append(emit_table("k%d_large_pieces" % n, "sqrt(x) e^x K%d(x) = G (1 + u) on 4 < x < 705.1: on each "
                                 "piece of k_large_midpoints %d coefficients of u in w = 1/x less the midpoint, "
                                 "highest power first, then G, the value at the midpoint." % (n, K_LARGE_TERMS),
                                 normalized_pieces(large_k_of_w(n), bounds, K_LARGE_TERMS, "K%d piece w in" % n)))
    blocks.append(emit_table("large_constant_lo", "The constant terms of i0_large and i1_large less their stored "
                             "doubles.", constant_lo))
    meanings = {"k0_i0": "I0(x)", "k0_regular": "K0(x) + ln(x) I0(x)"}
    corrections = []
    for name, g, text in TYPED:
        if name not in IN_Z:
            corrections.append(typed_correction(g, text))
            continue
        values = z_polynomial(g, len(text.split(",")))
        corrections.append(z_correction(g, values))
        blocks.append(emit_table(name, "Polynomial, highest power first: %s in z = x^2, 0 < x <= 1."
                                 % meanings[name], values))
    blocks.append(emit_table("small_k_corrections", "What each of k0_i0, k0_regular (in z = x^2) and the typed "
                             "k1_i1, k1_regular (in t = 2x^2 - 1) lacks: the middle of its error range, mostly the "
                             "rounding of its constant term.", corrections))
    write_header(OUTPUT, GENERATOR, blocks, namespace="qelms::bessel_i_k")
    for name, g, text in TYPED:
        typed = [s.strip() for s in text.split(",")]
        values = stored_polynomial(g, len(typed))
        lines = check_entries(name, values, list(enumerate(typed)))
        worst = min(float(line.rsplit(", ", 1)[1].split()[0]) for line in lines)
        print("%s (published, %d entries): at least %.1f digits in every entry" % (name, len(typed), worst))


if __name__ == "__main__":
    main()
