"""Coefficient tables of J0, J1, Y0, Y1 for a > 8: writes specfun/bessel_j_y_tables.hpp
(below 8, tools/gen_bessel_j_y_near_tables.py).

For a > 8 they use the Hankel form J + iY = sqrt(2/(pi a)) (P + iQ) e^(i theta)
with theta = a - pi/4 (order 0) or a - 3 pi/4 (order 1); P and (a/8) Q are
polynomials in t = 128/a^2 - 1, stored from the highest power down.

The rest of the constant term of P0 and P1 (the exact value less the stored
double) is written too, so that the large term of the sum is rounded only once.

Beyond a = FAR, shorter tables of the same factors, P and a Q, in
w = FAR^2/a^2 on (0, 1], from their Chebyshev expansions in 2w - 1 rewritten in
powers of w, highest power first.

Prints the agreement (digits) of each table with the entries given for it. The
small high-order entries were rounded to a few digits as Chebyshev
coefficients before conversion to powers, so for the polynomial tables the
Chebyshev coefficients implied by the given leading entries are compared too.
"""
import os

import mpmath
from mpmath import mp

from qelms_tables import (DPS, agreement, check_entries, chebyshev, chebyshev_to_power, emit_table,
                          stored_table, to_double, write_header)

mp.dps = DPS


def hankel_factors(order, a):
    """(P, Q) of the given order at a > 0: P + iQ = (J + iY) e^(-i theta) / sqrt(2/(pi a))."""
    theta = a - (1 + 2 * order) * mp.pi / 4
    h = (mp.besselj(order, a) + 1j * mp.bessely(order, a)) * mp.exp(-1j * theta) / mp.sqrt(2 / (mp.pi * a))
    return h.real, h.imag


def large(t):
    """a > 8 from t = 128/a^2 - 1."""
    return mp.sqrt(128 / (t + 1))


TABLES = [
    # name, kind, entries, function of t, one-line meaning, given entries (index, text)
    ("p0", "polynomial", 14, lambda t: hankel_factors(0, large(t))[0],
     "P0(a), Hankel factor of order 0 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "-1.179648e-14"), (1, "3.340288e-14"), (2, "-6.418432e-14"),
      (-2, "-5.363673192130046e-4"), (-1, "0.9994572757882519")]),
    ("q0", "polynomial", 17, lambda t: large(t) / 8 * hankel_factors(0, large(t))[1],
     "(a/8) Q0(a), Hankel factor of order 0 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "-9.8304e-16"), (1, "2.12992e-15"), (2, "-1.14688e-15"),
      (-2, "6.8331490993439e-05"), (-1, "-0.015555113879513518")]),
    ("p1", "polynomial", 14, lambda t: hankel_factors(1, large(t))[0],
     "P1(a), Hankel factor of order 1 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "1.24928e-14"), (1, "-3.545088e-14"), (2, "6.863872e-14"),
      (-2, "8.988049416705578e-4"), (-1, "1.0009070262780821")]),
    ("q1", "polynomial", 16, lambda t: large(t) / 8 * hankel_factors(1, large(t))[1],
     "(a/8) Q1(a), Hankel factor of order 1 on a > 8, polynomial in t = 128/a^2 - 1, highest power first.",
     [(0, "-2.29376e-15"), (1, "5.3248e-15"), (2, "-4.83328e-15"),
      (-2, "-9.621458822054416e-05"), (-1, "0.04677687402744898")]),
]


def implied_chebyshev(n, given):
    """Chebyshev coefficients of orders n-1, n-2, n-3 implied by the three given
    leading power coefficients (T_k has 2^(k-1) t^k and -k 2^(k-3) t^(k-2))."""
    p = [mp.mpf(text) for _, text in given[:3]]
    top = p[0] / 2 ** (n - 2)
    second = p[1] / 2 ** (n - 3)
    third = (p[2] + (n - 1) * 2 ** (n - 4) * top) / 2 ** (n - 4)
    return [top, second, third]


FAR = 24
FAR_TERMS = 8


def far_factors(order):
    """P and a Q of the given order for a >= FAR, as polynomials in w = FAR^2/a^2, highest power first."""
    def at(w):
        return mp.sqrt(FAR ** 2 / w)
    tables = []
    for g in (lambda w: hankel_factors(order, at(w))[0], lambda w: at(w) * hankel_factors(order, at(w))[1]):
        cheb = chebyshev(lambda s: g((s + 1) / 2), FAR_TERMS)
        in_s = chebyshev_to_power(cheb)
        in_w = [mp.mpf(0)] * FAR_TERMS
        for j, p in enumerate(in_s):  # (2w - 1)^j
            for i in range(j + 1):
                in_w[i] += p * mp.binomial(j, i) * 2 ** i * (-1) ** (j - i)
        values = [to_double(v) for v in reversed(in_w)]
        worst = max(abs(mp.polyval([mp.mpf(v) for v in values], w) - g(w)) for w in [mp.mpf(i) / 50 for i in range(1, 51)])
        print("far factor of order %d: largest error %.1e, last Chebyshev coefficient %.1e" % (
            order, float(worst), float(abs(cheb[-1]))))
        tables.append(values)
    return tables


def main():
    blocks = []
    constant_lo = []
    for name, kind, n, g, what, given in TABLES:
        coeffs = chebyshev(g, n)
        entries = stored_table(kind, coeffs)
        values = [to_double(v) for v in entries]
        if name.startswith("p"):
            constant_lo.append(to_double(entries[-1] - values[-1]))
        for line in check_entries(name, entries, given):
            print(line)
        if kind == "polynomial":
            for k, implied in zip((n - 1, n - 2, n - 3), implied_chebyshev(n, given)):
                print("%s: Chebyshev order %d: generated %s, implied by the given entries %s, %.1f digits" % (
                    name, k, mpmath.nstr(coeffs[k], 6), mpmath.nstr(implied, 6), agreement(coeffs[k], implied)))
        blocks.append(emit_table(name, what, values))
    for order in (0, 1):
        p_far, q_far = far_factors(order)
        blocks.append(emit_table("p%d_far" % order, "P%d(a) for a >= %d, polynomial in w = %d/a^2, highest power first."
                                 % (order, FAR, FAR ** 2), p_far))
        blocks.append(emit_table("q%d_far" % order, "a Q%d(a) for a >= %d, polynomial in w = %d/a^2, highest power "
                                 "first." % (order, FAR, FAR ** 2), q_far))
    blocks.append(emit_table("p_constant_lo", "The constant terms of P0 and P1 less their stored doubles.",
                             constant_lo))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun", "bessel_j_y_tables.hpp")
    write_header(path, "gen_bessel_j_y_tables.py", blocks, namespace="qelms::bessel_j_y")


if __name__ == "__main__":
    main()
