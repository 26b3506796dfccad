"""Tables for ber and bei on 0 < x <= 5 (specfun/kelvin_near_tables.hpp).

ber(x) and 4 bei(x)/x^2 as polynomials in u = x^4 about u = 8 on [0, 2]; ber(x) in
t = x - c on [2, 3.5] (c the midpoint), and bei(x)/(x - z) likewise on [3.5, 5.5], z
its zero near 5.03 in two doubles, so that bei's error stays relative up to 5.5, past
its first zero: the series in x^4 cancels to several times the amplitude near 5, and
one Chebyshev series over [0, 5] carries the rounding of its largest coefficients to
every x. kei(x)/(x - z) on [3, 4.5], z its first zero near 3.91, for the same reason
(the asymptotic form beyond 3 is accurate only to kei's amplitude).
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def ber(x):
    return mp.re(mp.besseli(0, x * mp.expjpi(mp.mpf(1) / 4)))


def bei(x):
    return mp.im(mp.besseli(0, x * mp.expjpi(mp.mpf(1) / 4)))


def x_of(u):
    return mp.root(u, 4) if u > 0 else mp.mpf(10) ** -30


# On 0 < x <= 1, in u = x^4, with s = x^2/4: A = ber, B = 4 bei/x^2,
# R = ker + ln(x) ber - (pi/4) bei and K = (kei + (pi/4) ber)/s + ln(x) B.
def near_a(u):
    return ber(x_of(u))


def near_b(u):
    if u == 0:
        return mp.mpf(1)
    x = x_of(u)
    return 4 * bei(x) / x ** 2


def near_r(u):
    if u == 0:
        return mp.log(2) - mp.euler
    x = x_of(u)
    return mp.ker(0, x) + mp.log(x) * ber(x) - mp.pi / 4 * bei(x)


def near_k(u):
    if u == 0:  # the limit, which the series at a tiny x would lose to cancellation
        return mp.log(2) - mp.euler + 1
    x = x_of(u)
    return (mp.kei(0, x) + mp.pi / 4 * ber(x)) / (x ** 2 / 4) + mp.log(x) * near_b(u)


def small_table(name, what, g, terms):
    """g on 0 <= u <= 1 about u = 1/2, its constant term in two doubles."""
    _, entries, worst = qt.centred_piece(g, 0, 1, terms)
    print("%s: largest error %.1e" % (name, float(worst)))
    return qt.emit_table(name, what + " for 0 < x <= 1, in t = x^4 - 1/2, highest power first, "
                         "the constant term in two doubles", entries)


def pieces(name, what, f, count, terms, start=2):
    """f on [start + i/4, start + (i + 1)/4], i < count, each about its zero or midpoint, the constant term in
    two doubles."""
    centres, coefficients, worst = qt.centred_pieces(f, start, mp.mpf(1) / 4, count, terms)
    print("%s pieces: largest truncation error %.1e" % (name, float(worst)))
    end = start + mp.mpf(count) / 4
    return [qt.emit_table(name + "_centres", "%s, %g <= x <= %g: the centre c of each interval "
                          "[%g + i/4, %g + (i + 1)/4]" % (what, start, float(end), start, start), centres),
            qt.emit_table(name + "_pieces", "%s, %g <= x <= %g: on each interval, %d coefficients in t = x - c, "
                          "highest power first, then the rest of the constant term" % (what, start, float(end), terms),
                          coefficients)]


def main():
    with mp.workdps(60):
        zero = mp.findroot(bei, 5.0)
        zero_hi = qt.to_double(zero)
        zero_lo = qt.to_double(zero - mp.mpf(zero_hi))
        print("bei zero %s = %r + %r" % (mp.nstr(zero, 25), zero_hi, zero_lo))
        kei = lambda x: mp.kei(0, x)  # noqa: E731
        kei_zero = mp.findroot(kei, 3.9)
        kei_zero_hi = qt.to_double(kei_zero)
        kei_zero_lo = qt.to_double(kei_zero - mp.mpf(kei_zero_hi))
        tables = [
            qt.emit_table("ber_near_0_2", "ber(x) for 0 <= x <= 2, in t = x^4 - 8, highest power first",
                          qt.centred_power_table(lambda u: ber(mp.root(u, 4)) if u > 0 else mp.mpf(1), 0, 16, 7,
                                                 "ber in x^4")),
            *pieces("ber", "ber(x)", ber, 12, PIECE_TERMS),
            qt.emit_table("bei_near_0_2", "4 bei(x)/x^2 for 0 <= x <= 2, in t = x^4 - 8, highest power first",
                          qt.centred_power_table(lambda u: 4 * bei(mp.root(u, 4)) / mp.sqrt(u) if u > 0 else mp.mpf(1),
                                                 0, 16, 7, "4 bei/x^2 in x^4")),
            *pieces("bei", "bei(x)", bei, 6, PIECE_TERMS),
            *pieces("bei_quotient", "bei(x)/(x - z), z = bei_zero_hi + bei_zero_lo", lambda x: bei(x) / (x - zero), 8,
                    PIECE_TERMS, 3.5),
            *pieces("kei_quotient", "kei(x)/(x - z), z = kei_zero_hi + kei_zero_lo", lambda x: kei(x) / (x - kei_zero),
                    6, PIECE_TERMS, 3),
            *pieces("ker", "ker(x)", lambda x: mp.ker(0, x), 8, KER_KEI_TERMS, 1),
            *pieces("kei", "kei(x)", lambda x: mp.kei(0, x), 8, KER_KEI_TERMS, 1),
            small_table("ker_a", "ber(x)", near_a, SMALL_TERMS),
            small_table("ker_b", "(pi/4) 4 bei(x)/x^2", lambda u: mp.pi / 4 * near_b(u), SMALL_TERMS),
            small_table("ker_r", "ker(x) + ln(x) ber(x) - (pi/4) bei(x)", near_r, SMALL_TERMS),
            small_table("kei_a", "(pi/4) ber(x)", lambda u: mp.pi / 4 * near_a(u), SMALL_TERMS),
            small_table("kei_b", "4 bei(x)/x^2", near_b, SMALL_TERMS),
            small_table("kei_k", "(kei(x) + (pi/4) ber(x))/(x^2/4) + ln(x) 4 bei(x)/x^2", near_k, SMALL_TERMS),
            qt.emit_table("bei_zero", "the zero of bei near 5.03, rounded, and the rest", [zero_hi, zero_lo]),
            qt.emit_table("kei_zero", "the zero of kei near 3.91, rounded, and the rest", [kei_zero_hi, kei_zero_lo]),
        ]
    qt.write_header(os.path.join(ROOT, "specfun", "kelvin_near_tables.hpp"), "gen_kelvin_near_tables.py", tables)


SMALL_TERMS = 6
PIECE_TERMS = 10
KER_KEI_TERMS = 14

if __name__ == "__main__":
    main()
