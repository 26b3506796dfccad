"""Coefficient tables of the Airy functions of real argument.

Writes specfun/airy_tables.hpp and prints, for every table, the agreement of
the generated entries with the published ones (first two and last two entries
as stored; every entry of the four short tables, which the code types in
directly and which are only checked here). AF, AG, DF and DG are only
checked too, and so are AI0 ... BD1: the code evaluates -5 <= x < 0 and
0 < x < 9 from the tables of gen_airy_near_tables.py.

Variables, with zeta = (2/3)|x|^(3/2), theta = pi/4 + zeta and q = |x|^(1/4):
  x < -5:       t = -250/x^3 - 1    (t -> -1 as x -> -inf, t = 1 at x = -5)
  -5 <= x <= 0: t = -2x^3/125 - 1   (t = -1 at x = 0, t = 1 at x = -5)
  0 < x < 4.5:  t = 4x/9 - 1
  4.5 <= x < 9: t = 4x/9 - 3
  x >= 9:       t = 36/zeta - 1     (t = 1 at x = 9, t -> -1 as x -> inf)
Polynomial tables are the truncated Chebyshev expansion rewritten in powers of
t and stored from the highest power down; Chebyshev tables are stored from the
highest order down with the constant term whole.
"""
import os
import sys

import mpmath
from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_tables import (chebyshev, check_entries, agreement, cpp_double,  # noqa: E402
                          emit_table, stored_table, to_double, write_header)

GENERATOR = "gen_airy_tables.py"
HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun", "airy_tables.hpp")
EXTRA_DPS = 30  # working precision above the expansion's, for the cancelling combinations


def oscillatory(t):
    """x, zeta, sin theta, cos theta, q for x < -5 from t = -250/x^3 - 1."""
    x = -mp.cbrt(250 / (t + 1))
    s = mp.sqrt(-x)
    zeta = 2 * (-x) * s / 3
    theta = mp.pi / 4 + zeta
    return x, zeta, mp.sin(theta), mp.cos(theta), mp.sqrt(s)


def near_zero_x(t):
    """x in [-5, 0] from t = -2x^3/125 - 1."""
    return -5 * mp.cbrt((t + 1) / 2)


def exponential(t):
    """x, zeta, q for x >= 9 from t = 36/zeta - 1."""
    zeta = 36 / (t + 1)
    x = (3 * zeta / 2) ** (mp.mpf(2) / 3)
    return x, zeta, mp.root(x, 4)


def ai(x, d=0):
    return mp.airyai(x, derivative=d)


def bi(x, d=0):
    return mp.airybi(x, derivative=d)


def sqrt3():
    return mp.sqrt(3)


def ap(t):
    x, zeta, s, c, q = oscillatory(t)
    return q * (ai(x) * s + bi(x) * c)


def aq(t):
    x, zeta, s, c, q = oscillatory(t)
    return zeta * q * (bi(x) * s - ai(x) * c)


def dp(t):
    x, zeta, s, c, q = oscillatory(t)
    return (bi(x, 1) * s - ai(x, 1) * c) / q


def dq(t):
    x, zeta, s, c, q = oscillatory(t)
    return -zeta * (ai(x, 1) * s + bi(x, 1) * c) / q


def af(t):
    x = near_zero_x(t)
    return (ai(x) + bi(x) / sqrt3()) / 2


def ag(t):
    x = near_zero_x(t)
    return (bi(x) / sqrt3() - ai(x)) / (2 * x)


def df(t):
    x = near_zero_x(t)
    return (ai(x, 1) + bi(x, 1) / sqrt3()) / (2 * x * x)


def dg(t):
    x = near_zero_x(t)
    return (bi(x, 1) / sqrt3() - ai(x, 1)) / 2


def first_interval(f):
    return lambda t: f(9 * (t + 1) / 4)


def second_interval(f):
    return lambda t: f(9 * (t + 3) / 4)


def asymptotic(f):
    return lambda t: f(*exponential(t))


# name, C++ name, kind, function of t, entries, meaning, given entries (index, text)
TABLES = [
    ("AP", "airy_ap", "polynomial", ap, 15,
     "q (Ai sin theta + Bi cos theta) for x < -5, powers of t = -250/x^3 - 1 on (-1, 1]",
     [(0, "4.500717728088064e-15"), (1, "-1.1177793347780608e-14"),
      (-2, "-0.00018360533736763842"), (-1, "0.5640035550994134")]),
    ("AQ", "airy_aq", "polynomial", aq, 18,
     "zeta q (Bi sin theta - Ai cos theta) for x < -5, powers of t = -250/x^3 - 1 on (-1, 1]",
     [(0, "-4.129727590367232e-15"), (1, "8.3651246555136e-15"),
      (-2, "-0.00018324137143657906"), (-1, "0.03899189768110265")]),
    ("AF", None, "chebyshev", af, 17,
     "(Ai + Bi/sqrt3)/2 on -5 <= x <= 0, Chebyshev series in t = -2x^3/125 - 1 on [-1, 1]",
     [(0, "1.63586492025e-18"), (1, "-1.14937368283025e-16"),
      (-2, "0.09463304395658582"), (-1, "0.07608699941417267")]),
    ("AG", None, "chebyshev", ag, 17,
     "(Bi/sqrt3 - Ai)/(2x) on -5 <= x <= 0, Chebyshev series in t = -2x^3/125 - 1 on [-1, 1]",
     [(0, "1.23340698467e-19"), (1, "-9.054405467318e-18"),
      (-2, "-0.04323816942234849"), (-1, "0.037682871770154405")]),
    ("AI0", None, "polynomial", first_interval(lambda x: mp.exp(1.5 * x) * ai(x)), 25,
     "e^(1.5x) Ai(x) on 0 < x < 4.5, powers of t = 4x/9 - 1",
     [(0, "4.9763585490902055e-12"), (1, "-3.2502415027391694e-11"),
      (-2, "-0.14969590241605032"), (-1, "0.691290454439829")]),
    ("AI1", None, "polynomial", second_interval(lambda x: mp.exp(2.5 * x) * ai(x)), 23,
     "e^(2.5x) Ai(x) on 4.5 <= x < 9, powers of t = 4x/9 - 3",
     [(0, "9.690819604153946e-11"), (1, "3.244361360509208e-10"),
      (-2, "-9.349038465503812"), (-1, "31.033081295025784")]),
    ("AI2", None, "polynomial", asymptotic(lambda x, zeta, q: q * mp.exp(zeta) * ai(x)), 11,
     "x^(1/4) e^zeta Ai(x) on x >= 9, powers of t = 36/zeta - 1",
     list(enumerate("1.165377953249792e-15 -1.1641417145557248e-14 1.2542065550840192e-13 "
                    "-1.5586041410034066e-12 2.2104577611001127e-11 -3.6747282751719404e-10 "
                    "7.448308653966066e-09 -1.9574355932638059e-07 7.446724319698052e-06 "
                    "-0.00052865188140993 0.2815584895850063".split()))),
    ("BI0", None, "polynomial", first_interval(lambda x: mp.exp(-1.375 * x) * bi(x)), 29,
     "e^(-1.375x) Bi(x) on 0 < x < 4.5, powers of t = 4x/9 - 1",
     [(0, "-8.011446099079122e-11"), (1, "2.6756620808029103e-10"),
      (-2, "-0.010388301495736522"), (-1, "0.20685761134246033")]),
    ("BI1", None, "polynomial", second_interval(lambda x: mp.exp(-2.5 * x) * bi(x)), 26,
     "e^(-2.5x) Bi(x) on 4.5 <= x < 9, powers of t = 4x/9 - 3",
     [(0, "3.7921093574459394e-14"), (1, "-4.163466350401946e-14"),
      (-2, "0.00026479441633211874"), (-1, "0.0019749978555370913")]),
    ("BI2", None, "polynomial", asymptotic(lambda x, zeta, q: q * mp.exp(-zeta) * bi(x)), 13,
     "x^(1/4) e^(-zeta) Bi(x) on x >= 9, powers of t = 36/zeta - 1",
     list(enumerate("4.50165999254528e-15 1.562320183745024e-14 5.262407125599181e-14 "
                    "2.9781489885661877e-13 1.9757762097562566e-12 1.5367894411074272e-11 "
                    "1.4540993353745522e-10 1.7154732697238008e-09 2.6189861712914707e-08 "
                    "5.49497993491833e-07 1.7671980436510933e-05 0.001122121099358741 "
                    "0.5652945575585221".split()))),
    ("DP", "airy_dp", "polynomial", dp, 15,
     "(Bi' sin theta - Ai' cos theta)/q for x < -5, powers of t = -250/x^3 - 1 on (-1, 1]",
     [(0, "-4.584843902222336e-15"), (1, "1.1396922161573887e-14"),
      (-2, "0.00021744838578144842"), (-1, "0.5644096716803791")]),
    ("DQ", "airy_dq", "polynomial", dq, 18,
     "-zeta (Ai' sin theta + Bi' cos theta)/q for x < -5, powers of t = -250/x^3 - 1 on (-1, 1]",
     [(0, "4.196121979584512e-15"), (1, "-8.504547085090816e-15"),
      (-2, "0.00020525279109794074"), (-1, "-0.054641484160730974")]),
    ("DF", None, "chebyshev", df, 16,
     "(Ai' + Bi'/sqrt3)/(2x^2) on -5 <= x <= 0, Chebyshev series in t = -2x^3/125 - 1 on [-1, 1]",
     [(0, "-2.51308436743e-18"), (1, "1.65543326242034e-16"),
      (-2, "-0.048382429177635175"), (-1, "0.02648084601234867")]),
    ("DG", None, "chebyshev", dg, 17,
     "(Bi'/sqrt3 - Ai')/2 on -5 <= x <= 0, Chebyshev series in t = -2x^3/125 - 1 on [-1, 1]",
     [(0, "5.893827780694e-18"), (1, "-4.04811810887971e-16"),
      (-2, "0.20709937287929772"), (-1, "0.09799438878745478")]),
    ("AD0", None, "polynomial", first_interval(lambda x: mp.exp(1.375 * x) * ai(x, 1)), 25,
     "e^(1.375x) Ai'(x) on 0 < x < 4.5, powers of t = 4x/9 - 1",
     [(0, "-2.316358258865157e-11"), (1, "8.438401428028706e-11"),
      (-2, "0.06476998929778223"), (-1, "-0.8329407374096259")]),
    ("AD1", None, "polynomial", second_interval(lambda x: mp.exp(2.5 * x) * ai(x, 1)), 23,
     "e^(2.5x) Ai'(x) on 4.5 <= x < 9, powers of t = 4x/9 - 3",
     [(0, "-4.4067991843749287e-10"), (1, "1.309549454493483e-10"),
      (-2, "11.53962029314448"), (-1, "-81.73783144445504")]),
    ("AD2", None, "polynomial", asymptotic(lambda x, zeta, q: -mp.exp(zeta) * ai(x, 1) / q), 11,
     "-x^(-1/4) e^zeta Ai'(x) on x >= 9, powers of t = 36/zeta - 1",
     list(enumerate("-1.209546389246976e-15 1.212812185390208e-14 -1.3130372372496423e-13 "
                    "1.6415278175453368e-12 -2.3467218502570946e-11 3.9450732912211933e-10 "
                    "-8.131250054209103e-09 2.1973636593235654e-07 -8.839935152272579e-06 "
                    "0.0007434563399720802 0.2828473163363792".split()))),
    ("BD0", None, "polynomial", first_interval(lambda x: mp.exp(-1.5 * x) * bi(x, 1)), 29,
     "e^(-1.5x) Bi'(x) on 0 < x < 4.5, powers of t = 4x/9 - 1",
     [(0, "2.6933066547183013e-10"), (1, "-1.2531311121792102e-09"),
      (-2, "0.07763563578991546"), (-1, "0.21121332417604916")]),
    ("BD1", None, "polynomial", second_interval(lambda x: mp.exp(-2.625 * x) * bi(x, 1)), 26,
     "e^(-2.625x) Bi'(x) on 4.5 <= x < 9, powers of t = 4x/9 - 3",
     [(0, "-1.1297637948142387e-13"), (1, "2.84163275199873e-13"),
      (-2, "5.94033287658301e-05"), (-1, "0.0021742062753934564")]),
    ("BD2", None, "polynomial", asymptotic(lambda x, zeta, q: mp.exp(-zeta) * bi(x, 1) / q), 13,
     "x^(-1/4) e^(-zeta) Bi'(x) on x >= 9, powers of t = 36/zeta - 1",
     list(enumerate("-4.591704370294784e-15 -1.5984096051212288e-14 -5.412588633407846e-14 "
                    "-3.0741458950726117e-13 -2.0486661677052265e-12 -1.6032141591569088e-11 "
                    "-1.529220738614883e-10 -1.8244563948869533e-09 -2.832508905888065e-08 "
                    "-6.111303776390126e-07 -2.0784214796367856e-05 -0.0015635001766385825 "
                    "0.562646283094843".split()))),
]


def stored_exact(kind, g, n):
    """The table as stored, highest power (or order) first, at full precision."""
    def at_extra_precision(t):
        with mp.extradps(EXTRA_DPS):
            return g(t)
    return stored_table(kind, chebyshev(at_extra_precision, n))


def stored_entries(kind, g, n):
    """The table as stored, each entry rounded once to double."""
    return [to_double(v) for v in stored_exact(kind, g, n)]


def main():
    blocks = []
    for name, cname, kind, g, n, what, given in TABLES:
        values = stored_entries(kind, g, n)
        lines = check_entries(name, values, given)
        worst = min(agreement(values[i], text) for i, text in given)
        lead = min(agreement(values[i], text) for i, text in given if abs(float(text)) > 1e-8)
        print("%-4s %-10s %2d entries: worst %.1f digits, entries above 1e-8 at least %.1f digits"
              % (name, kind, n, worst, lead))
        for line in lines:
            print("    " + line)
        if cname is not None:
            blocks.append(emit_table(cname, what, values))
    lows = ["// the rest of the constant term of AP, DP and the tables of x >= 9 past its double"]
    for name, cname, kind, g, n, what, given in TABLES:
        if name in ("AP", "DP", "AI2", "BI2", "AD2", "BD2"):
            constant = stored_exact(kind, g, n)[-1]
            lows.append("inline constexpr double airy_%s_low = %s;" % (
                name.lower(), cpp_double(to_double(constant - to_double(constant)))))
    blocks.append("\n".join(lows) + "\n")
    write_header(HEADER, GENERATOR, blocks)
    print("wrote", os.path.normpath(HEADER))


if __name__ == "__main__":
    main()
