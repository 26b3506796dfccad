"""Tables for erfc (specfun/error_function_tables.hpp).

erfc(a) = e^(-a^2) erfcx(a). erfcx falls from 0.62 at a = 1/2 to 0.021 at
a = 26.6; one table over the whole range rounds its coefficients to an error
relative to the largest values, so each interval has its own:
  [1/2, 2] and [2, 4]: erfcx(a) as a polynomial in t = a - c, c the midpoint;
  [4, 26.6]: a erfcx(a) as a Chebyshev series in t = 32/a^2 - 1.
Below 1/2, erf(x)/x as a polynomial in u = x^2 (erfc = 1 - erf there).
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
    with mp.workdps(qt.DPS):
        c, h = (mp.mpf(a) + b) / 2, (mp.mpf(b) - a) / 2
        cheb = qt.chebyshev(lambda s: erfcx(c + h * s), terms)
        print("[%s, %s]: last coefficient %.1e of the first" % (a, b, float(abs(cheb[-1] / cheb[0]))))
        power = qt.chebyshev_to_power(cheb)
        return [qt.to_double(p / h ** k) for k, p in reversed(list(enumerate(power)))]


def tail_table(terms):
    with mp.workdps(qt.DPS):
        def g(t):
            a = mp.sqrt(32 / (t + 1))
            return a * erfcx(a)
        cheb = qt.chebyshev(g, terms)
        print("[4, 26.6]: last coefficient %.1e of the first" % float(abs(cheb[-1] / cheb[0])))
        return [qt.to_double(v) for v in qt.stored_table("chebyshev", cheb)]


def erf_table(terms):
    with mp.workdps(qt.DPS):
        # erf(x)/x on 0 <= u = x^2 <= 1/4, Chebyshev in s = 8u - 1, rewritten in powers of u
        cheb = qt.chebyshev(lambda s: (lambda x: mp.erf(x) / x)(mp.sqrt((s + 1) / 8)), terms)
        print("erf: last coefficient %.1e of the first" % float(abs(cheb[-1] / cheb[0])))
        power = qt.chebyshev_to_power(cheb)  # in s
        # p(s) with s = 8u - 1: expand into powers of u
        coeffs = [mp.mpf(0)] * terms
        for k, pk in enumerate(power):
            for j in range(k + 1):
                coeffs[j] += pk * mp.binomial(k, j) * mp.mpf(8) ** j * (-1) ** (k - j)
        return [qt.to_double(v) for v in reversed(coeffs)]


def main():
    tables = [
        qt.emit_table("erf_near_zero_poly", "erf(x)/x for |x| <= 1/2, in u = x^2, highest power first",
                      erf_table(10)),
        qt.emit_table("erfcx_low_poly", "e^(a^2) erfc(a) for 1/2 <= a <= 2, in t = a - 1.25, highest power first",
                      power_table(0.5, 2.0, 20)),
        qt.emit_table("erfcx_middle_poly", "e^(a^2) erfc(a) for 2 <= a <= 4, in t = a - 3, highest power first",
                      power_table(2.0, 4.0, 20)),
        qt.emit_table("erfcx_tail", "a e^(a^2) erfc(a) for a >= 4, Chebyshev series in t = 32/a^2 - 1, "
                      "highest order first (chebyshev_descending)", tail_table(16)),
    ]
    qt.write_header(os.path.join(ROOT, "specfun", "error_function_tables.hpp"), "gen_error_function_tables.py",
                    tables)


if __name__ == "__main__":
    main()
