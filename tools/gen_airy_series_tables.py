"""Maclaurin series of the Airy functions near 0 (specfun/airy_series_tables.hpp).

Ai = c1 f - c2 g, Bi = sqrt3 (c1 f + c2 g), with c1 = Ai(0), c2 = -Ai'(0) and
  f(x) = sum a_k z^k, a_0 = 1, a_k = a_(k-1) / ((3k - 1) 3k),      z = x^3
  g(x) = x sum b_k z^k, b_0 = 1, b_k = b_(k-1) / (3k (3k + 1))
  f'(x) = x^2 sum 3(k+1) a_(k+1) z^k,  g'(x) = sum (3k + 1) b_k z^k.
Each table holds c1 or c2 times one series, highest power first; for |x| <= 2 the
terms fall below 1e-30 within the stored length, and none cancel in
Ai, Ai' for x < 0.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
TERMS = 13  # |x| <= 2: 8^12 / 36! < 1e-30


def main():
    with mp.workdps(qt.DPS):
        c1, c2 = mp.airyai(0), -mp.airyai(0, derivative=1)
        a, b = [mp.mpf(1)], [mp.mpf(1)]
        for k in range(1, TERMS + 1):
            a.append(a[-1] / ((3 * k - 1) * 3 * k))
            b.append(b[-1] / (3 * k * (3 * k + 1)))
        f = [c1 * a[k] for k in range(TERMS)]
        g = [c2 * b[k] for k in range(TERMS)]
        fd = [c1 * 3 * (k + 1) * a[k + 1] for k in range(TERMS)]
        gd = [c2 * (3 * k + 1) * b[k] for k in range(TERMS)]
    tables = [
        qt.emit_table("airy_series_f", "Ai(0) f(x) in z = x^3, highest power first", [qt.to_double(v) for v in reversed(f)]),
        qt.emit_table("airy_series_g", "-Ai'(0) g(x)/x in z = x^3, highest power first",
                      [qt.to_double(v) for v in reversed(g)]),
        qt.emit_table("airy_series_fd", "Ai(0) f'(x)/x^2 in z = x^3, highest power first",
                      [qt.to_double(v) for v in reversed(fd)]),
        qt.emit_table("airy_series_gd", "-Ai'(0) g'(x) in z = x^3, highest power first",
                      [qt.to_double(v) for v in reversed(gd)]),
    ]
    qt.write_header(os.path.join(ROOT, "specfun", "airy_series_tables.hpp"), "gen_airy_series_tables.py", tables)


if __name__ == "__main__":
    main()
