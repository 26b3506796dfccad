"""Writes specfun/exp_two_doubles_tables.hpp: the tables of e^x in two doubles
(specfun/exp_two_doubles.hpp), x = k ln2/128 + r.

- the powers 2^(j/128), j = 0..127, as a high double and the rest;
- ln2/128 as a high part of 35 significant bits (k times it is exact for |k| < 2^18,
  that is |x| < 1e3) and the rest;
- the Taylor coefficients 1/n! of e^r - 1 - r, n = 6 down to 2 (|r| <= ln2/256: the
  first term left out, r^7/7!, is below 2e-22).

Usage: python3 tools/gen_exp_two_doubles_tables.py
"""
import os
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from qelms_tables import cpp_double, emit_table, to_double, write_header  # noqa: E402

OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "specfun", "exp_two_doubles_tables.hpp")
STEPS = 128


def main():
    mp.dps = 50
    powers = [mp.mpf(2) ** (mp.mpf(j) / STEPS) for j in range(STEPS)]
    hi = [to_double(p) for p in powers]
    lo = [to_double(p - mp.mpf(h)) for p, h in zip(powers, hi)]
    step = mp.log(2) / STEPS
    e = mp.floor(mp.log(step, 2)) - 35 + 1
    step_hi = mp.nint(step / mp.mpf(2) ** e) * mp.mpf(2) ** e
    constants = ("// ln2/128 = step_hi + step_lo, step_hi of 35 significant bits; 128/ln2 rounded.\n"
                 "inline constexpr double step_hi = %s;\ninline constexpr double step_lo = %s;\n"
                 "inline constexpr double inverse_step = %s;\n"
                 % (cpp_double(to_double(step_hi)), cpp_double(to_double(step - step_hi)), cpp_double(to_double(1 / step))))
    blocks = [
        constants,
        emit_table("power_hi", "2^(j/128), j = 0..127, rounded to double.", hi),
        emit_table("power_lo", "2^(j/128) less power_hi[j].", lo),
        emit_table("taylor", "1/n!, n = 6 down to 2: e^r = 1 + r + r^2 (1/2 + r (1/6 + ...)).",
                   [to_double(1 / mp.factorial(n)) for n in range(6, 1, -1)]),
    ]
    write_header(OUTPUT, "gen_exp_two_doubles_tables.py", blocks, namespace="qelms::exp_two_doubles")


if __name__ == "__main__":
    main()
