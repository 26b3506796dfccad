"""Tables for erf and erfc (specfun/error_function_tables.hpp).

erf on [0, 2] and erfc on [3/4, oo) are formed nearly correctly rounded: their
leading terms are exact products of short (13- to 27-bit) table entries and
short parts of the argument, so that only a small remainder carries rounding
errors.
  erf on [0, 1/16): x (c0 + u R(u)), u = x^2, c0 = 2/sqrt(pi) in two parts.
  erf and erfc on [k/16, (k+1)/16]: f(c + t), c the midpoint, as
    p0 + p1 t + t^2 Q(t), p0 and p1 each in two parts such that the leading
    parts and the leading 26 bits of t give an exact p0 + p1 t.
  erfc beyond 4: e^(-a^2) F(w)/a with F(w) = a erfcx(a), w = 1/a^2, in pieces of
    width 1/64 in w, each as F0 + R(w - wc), F0 of 13 bits; e^(-a^2) as
    2^(-k/64) e^-r from a table of 2^(-j/64) in a 13-bit part and the rest.
Below 3/4, erfc = 1 - erf. erfcx (for callers that carry e^(-a^2) themselves)
on [1/2, 4] in pieces of width 1/8, each as g0 + r(t), g0 of 26 bits, t = a - c.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

PIECES_PER_UNIT = 16  # pieces of width 1/16 for erf on [1/16, 2] and erfc on [3/4, 4]
ERFCX_PIECES_PER_UNIT = 8  # and of width 1/8 for erfcx on [1/2, 4]
ERFCX_START = mp.mpf(1) / 2
ERFCX_END = 4
TAIL_PIECES_PER_UNIT = 64  # pieces of width 1/64 in w = 1/a^2 for a >= 4, w <= 1/16
EXP_STEPS = 64  # e^-x = 2^(-k/64) e^-r, |r| <= ln 2/128


def erfcx(a):
    return mp.exp(a * a) * mp.erfc(a)


def tail_f(w):
    """a erfcx(a) at w = 1/a^2 (1/sqrt(pi) at w = 0)."""
    if w <= 0:
        return 1 / mp.sqrt(mp.pi)
    a = 1 / mp.sqrt(w)
    return a * erfcx(a)


def short(x, bits):
    """x rounded to a double of at most `bits` significant bits."""
    e = mp.floor(mp.log(abs(x), 2))
    scale = mp.mpf(2) ** (bits - 1 - e)
    return qt.to_double(mp.nint(x * scale) / scale)


def powers(g, lo, hi, terms, label):
    """g on [lo, hi] in powers of t = v - (lo + hi)/2, constant term first, at full precision."""
    c, h = (mp.mpf(lo) + hi) / 2, (mp.mpf(hi) - lo) / 2
    cheb = qt.chebyshev(lambda s: g(c + h * s), terms)
    tail = sum(abs(v) for v in cheb[terms - 2:])
    print("%s on [%s, %s]: last two coefficients %.1e of the first" % (label, mp.nstr(lo, 6), mp.nstr(hi, 6),
                                                                      float(tail / abs(cheb[0]))))
    return [p / h ** k for k, p in enumerate(qt.chebyshev_to_power(cheb))]


def erf_near_zero():
    """(erf(x)/x - 2/sqrt(pi))/x^2 on |x| <= 1/16, in powers of u = x^2, constant term first."""
    with mp.workdps(qt.DPS):
        c0 = 2 / mp.sqrt(mp.pi)

        def r(u):
            if u == 0:
                return -c0 / 3
            x = mp.sqrt(u)
            return (mp.erf(x) / x - c0) / u

        end = mp.mpf(1) / PIECES_PER_UNIT ** 2
        centred = powers(r, 0, end, 7, "erf near zero")
        hi = short(c0, 27)
        lead = [hi, qt.to_double(c0 - hi)]
        return lead, [qt.to_double(v) for v in shift_powers(centred, end / 2)]


def shift_powers(p, c):
    """Coefficients in powers of u of sum p[k] (u - c)^k, constant term first."""
    out = [mp.mpf(0)] * len(p)
    for k, pk in enumerate(p):
        for j in range(k + 1):
            out[j] += mp.mpf(pk) * mp.binomial(k, j) * (-c) ** (k - j)
    return out


def on_grid(x, step):
    """x rounded to a multiple of step (a power of 2), as a double."""
    return qt.to_double(mp.nint(x / step) * step)


def taylor_rows(g, first, count, terms, label):
    """Rows of g on the pieces [k, k + 1]/PIECES_PER_UNIT, k = first .. first + count - 1:
    the centre c, p0 in two parts, p1 in two parts, then p2, p3, ... of
    g(c + t) = p0 + p1 t + p2 t^2 + ... With e the exponent of p0, p0's first part is
    a multiple of 2^(e - 51) and p1's a multiple of 2^(e - 20) of at most 27 bits, so
    that p0 + p1 t_hi, t_hi a multiple of 2^-31 below 1/32, is exact."""
    rows = []
    with mp.workdps(qt.DPS):
        for k in range(first, first + count):
            lo, hi = mp.mpf(k) / PIECES_PER_UNIT, mp.mpf(k + 1) / PIECES_PER_UNIT
            p = powers(g, lo, hi, terms, label)
            e = mp.floor(mp.log(abs(p[0]), 2))
            p0, p1 = on_grid(p[0], mp.mpf(2) ** (e - 51)), on_grid(p[1], mp.mpf(2) ** (e - 20))
            assert abs(p1) < mp.mpf(2) ** (e - 20 + 27) and abs(p[1]) / 32 < abs(p[0]) / 2
            rows.append([qt.to_double((lo + hi) / 2), p0, qt.to_double(p[0] - p0), p1, qt.to_double(p[1] - p1)]
                        + [qt.to_double(v) for v in p[2:]])
    return rows


def erfcx_pieces():
    """Rows g0 (26 bits), then r0, r1, ... with erfcx(c + t) = g0 + r0 + r1 t + ..."""
    rows = []
    with mp.workdps(qt.DPS):
        n = int((ERFCX_END - ERFCX_START) * ERFCX_PIECES_PER_UNIT)
        for k in range(n):
            lo = ERFCX_START + mp.mpf(k) / ERFCX_PIECES_PER_UNIT
            p = powers(erfcx, lo, lo + mp.mpf(1) / ERFCX_PIECES_PER_UNIT, 10, "erfcx")
            g0 = short(p[0], 26)
            rows.append([g0, qt.to_double(p[0] - g0)] + [qt.to_double(v) for v in p[1:]])
    return rows


def tail_rows(terms):
    """Rows on the pieces [j, j + 1]/TAIL_PIECES_PER_UNIT of w, j = 0..3: wc, F0 (13 bits),
    then R0, R1, ... with F(wc + s) = F0 + R0 + R1 s + ..."""
    rows = []
    with mp.workdps(qt.DPS):
        for j in range(4):
            w_lo, w_hi = mp.mpf(j) / TAIL_PIECES_PER_UNIT, mp.mpf(j + 1) / TAIL_PIECES_PER_UNIT
            wc = qt.to_double((w_lo + w_hi) / 2)
            p = powers(tail_f, w_lo, w_hi, terms, "a erfcx(a) in w")
            f0 = short(p[0], 13)
            rows.append([wc, f0, qt.to_double(p[0] - f0)] + [qt.to_double(v) for v in p[1:]])
    return rows


def exp_tables():
    """2^(-j/64), j = 0..63, as a 13-bit part and the rest; ln 2/64 as a 37-bit part and the
    rest; and the Taylor coefficients of (e^-r - 1)/r from the constant term up."""
    with mp.workdps(qt.DPS):
        fractions = []
        for j in range(EXP_STEPS):
            v = mp.mpf(2) ** (-mp.mpf(j) / EXP_STEPS)
            hi = short(v, 13)
            fractions.append([hi, qt.to_double(v - hi)])
        step = mp.log(2) / EXP_STEPS
        step_hi = short(step, 37)
        poly = [qt.to_double((-1) ** (k + 1) / mp.factorial(k + 1)) for k in range(6)]
        return fractions, [step_hi, qt.to_double(step - step_hi)], poly


def emit_rows(name, what, rows):
    """C++ source of a constexpr table of equal rows with a one-line comment of its meaning."""
    body = "\n".join("    {%s}," % ", ".join(qt.cpp_double(v) for v in row) for row in rows)
    return ("// %s\ninline constexpr std::array<std::array<double, %d>, %d> %s = {{\n%s\n}};\n"
            % (what, len(rows[0]), len(rows), name, body))


def main():
    lead, near_zero = erf_near_zero()
    tables = [
        qt.emit_table("erf_near_zero_lead", "2/sqrt(pi) as a 27-bit part and the rest", lead),
        qt.emit_table("erf_near_zero_poly", "(erf(x)/x - 2/sqrt(pi))/x^2 for |x| < 1/16, in u = x^2, "
                      "constant term first", near_zero),
        # the last row of each reaches past the end, for the end point itself
        emit_rows("erf_pieces", "erf(c + t), c = (k + 1/2)/16, |t| <= 1/32, row k-1 for k = 1..32: c, p0 in two parts, "
                  "p1 in two parts, then p2..p9 (powers of t)", taylor_rows(mp.erf, 1, 32, 10, "erf")),
        emit_rows("erfc_pieces", "erfc(c + t), c = (k + 1/2)/16, |t| <= 1/32, row k-12 for k = 12..64: c, p0 in two "
                  "parts, p1 in two parts, then p2..p11 (powers of t)",
                  taylor_rows(mp.erfc, 12, 53, 12, "erfc")),
        emit_rows("erfcx_pieces", "e^(a^2) erfc(a), a = 1/2 + (k + 1/2)/8 + t, |t| <= 1/16, row k: a 26-bit "
                  "part g0, then the rest in powers of t from t^0", erfcx_pieces()),
    ]
    tables.append(emit_rows("erfc_tail", "a e^(a^2) erfc(a) in w = 1/a^2 = wc + s, |s| <= 1/128, row j for "
                            "wc = (j + 1/2)/64: wc, a 13-bit part, then the rest in powers of s from s^0",
                            tail_rows(10)))
    fractions, step, poly = exp_tables()
    tables += [
        emit_rows("exp_fractions", "2^(-j/64), row j for j = 0..63: a 13-bit part and the rest", fractions),
        qt.emit_table("exp_step", "ln 2/64 as a 37-bit part and the rest", step),
        qt.emit_table("exp_minus_one_poly", "(e^-r - 1)/r for |r| <= ln 2/128 (Taylor), in powers of r from "
                      "the constant term up", poly),
    ]
    qt.write_header(os.path.join(ROOT, "specfun", "error_function_tables.hpp"), "gen_error_function_tables.py",
                    tables)


if __name__ == "__main__":
    main()
