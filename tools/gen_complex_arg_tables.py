"""Tables for the argument of a complex value in two doubles
(complexbessel/arg_tables.hpp).

atan c for c = j/64, j = 0..64, as the nearest double and the rest, and the
coefficients of the odd series atan d = d + d^3 (-1/3 + d^2/5 - d^4/7 + d^6/9)
for |d| <= 1/128, where the next term, d^11/11, is below 1e-23 of d: the
argument reduced to [0, pi/4] is atan c + atan((t - c)/(1 + t c)) with c the
grid point nearest t.
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_tables as qt  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
GRID_STEPS = 64  # grid points c = j/64 on [0, 1]
SERIES_TERMS = 4  # -1/3, 1/5, -1/7, 1/9


def atan_grid():
    """atan(j/64) as the nearest double and the rest."""
    with mp.workdps(qt.DPS):
        values = [mp.atan(mp.mpf(j) / GRID_STEPS) for j in range(GRID_STEPS + 1)]
        hi = [qt.to_double(v) for v in values]
        return hi, [qt.to_double(v - mp.mpf(h)) for v, h in zip(values, hi)]


def main():
    hi, lo = atan_grid()
    with mp.workdps(qt.DPS):
        series = [qt.to_double(mp.mpf((-1) ** k) / (2 * k + 1)) for k in range(SERIES_TERMS, 0, -1)]
    tables = [
        qt.emit_table("atan_grid_hi", "atan c for c = j/64, j = 0, ..., 64, rounded", hi),
        qt.emit_table("atan_grid_lo", "atan c - atan_grid_hi for c = j/64", lo),
        qt.emit_table("atan_series", "(atan d - d)/d^3 = -1/3 + d^2/5 - d^4/7 + d^6/9, highest power first", series),
    ]
    qt.write_header(os.path.join(ROOT, "complexbessel", "arg_tables.hpp"), "gen_complex_arg_tables.py", tables,
                    namespace="qelms::cbes")


if __name__ == "__main__":
    main()
