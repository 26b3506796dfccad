"""Tables for erfc (specfun/error_function_tables.hpp).

erfc(a) = e^(-a^2) erfcx(a). erfcx falls from 0.62 at a = 1/2 to 0.021 at
a = 26.6; one table over the whole range rounds its coefficients to an error
relative to the largest values, so each interval has its own:
  [1/2, 2] and [2, 4]: erfcx(a) as a polynomial in t = a - c, c the midpoint;
  [4, 26.6]: a erfcx(a) as a Chebyshev series in t = 32/a^2 - 1.
Below 1/2, erf(x)/x as a polynomial in u = x^2 (erfc = 1 - erf there); on [1/2, 5/4]
and [5/4, 2], erf itself in t = x - c (c the midpoint), near 1 and without cancellation.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def erfcx(a):
    return mp.exp(a * a) * mp.erfc(a)


def power_table(a, b, terms):
    return qt.centred_power_table(erfcx, a, b, terms, "erfcx")


def tail_table(terms):
    with mp.workdps(qt.DPS):
        def g(t):
            a = mp.sqrt(32 / (t + 1))
            return a * erfcx(a)
        cheb = qt.chebyshev(g, terms)
        print("[4, 26.6]: last coefficient %.1e of the first" % float(abs(cheb[-1] / cheb[0])))
        power = qt.stored_table("polynomial", cheb)
        print("[4, 26.6]: sum of the powers' magnitudes %.2f of the value at t = -1, 1/sqrt(pi)"
              % float(sum(abs(v) for v in power) / (1 / mp.sqrt(mp.pi))))
        return [qt.to_double(v) for v in power]


def erf_table(terms):
    """erf(x)/x on |x| <= 1/2 in powers of u = x^2 (the centred table shifted back to u)."""
    with mp.workdps(qt.DPS):
        centred = list(reversed(qt.centred_power_table(lambda u: erf_over_x(u), 0, 0.25, terms, "erf(x)/x")))
        return [qt.to_double(v) for v in reversed(shift_powers(centred, mp.mpf(1) / 8))]


def erf_over_x(u):
    x = mp.sqrt(u)
    return mp.erf(x) / x if u > 0 else 2 / mp.sqrt(mp.pi)


def shift_powers(p, c):
    """Coefficients in powers of u of sum p[k] (u - c)^k, constant term first."""
    out = [mp.mpf(0)] * len(p)
    for k, pk in enumerate(p):
        for j in range(k + 1):
            out[j] += mp.mpf(pk) * mp.binomial(k, j) * (-c) ** (k - j)
    return out


def main():
    tables = [
        qt.emit_table("erf_near_zero_poly", "erf(x)/x for |x| <= 1/2, in u = x^2, highest power first",
                      erf_table(10)),
        qt.emit_table("erf_low_poly", "erf(x) for 1/2 <= x <= 5/4, in t = x - 0.875, highest power first",
                      qt.centred_power_table(mp.erf, 0.5, 1.25, 17, "erf")),
        qt.emit_table("erf_high_poly", "erf(x) for 5/4 <= x <= 2, in t = x - 1.625, highest power first",
                      qt.centred_power_table(mp.erf, 1.25, 2, 17, "erf")),
        qt.emit_table("erfcx_low_poly", "e^(a^2) erfc(a) for 1/2 <= a <= 2, in t = a - 1.25, highest power first",
                      power_table(0.5, 2.0, 20)),
        qt.emit_table("erfcx_middle_poly", "e^(a^2) erfc(a) for 2 <= a <= 4, in t = a - 3, highest power first",
                      power_table(2.0, 4.0, 20)),
        qt.emit_table("erfcx_tail", "a e^(a^2) erfc(a) for a >= 4, in t = 32/a^2 - 1, "
                      "highest power first", tail_table(16)),
    ]
    qt.write_header(os.path.join(ROOT, "specfun", "error_function_tables.hpp"), "gen_error_function_tables.py",
                    tables)


if __name__ == "__main__":
    main()
