"""Reference values of Ai, Bi, Ai' and Bi' for real x, from mpmath at 50 digits.

Writes tests/data/airy.txt. One row per routine and argument:
    <routine>/<region> x value scale
where scale is the size an error is measured against: |value| for x > 0, and
for x < 0, where the functions oscillate, the local amplitude
sqrt(Ai^2 + Bi^2) (Ai, Bi) or sqrt(Ai'^2 + Bi'^2) (Ai', Bi').
Regions: zero (|x| <= 2.2e-16), oscillatory (x < -5), near_zero
(-5 <= x < -2.2e-16), interval0 (0 < x < 4.5), interval1 (4.5 <= x < 9),
exponential (x >= 9), each up to and including the routine's failure bounds.
"""
import math
import os
import random
import sys

from mpmath import mp

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference  # noqa: E402
from qelms_reference import above, below  # noqa: E402

GENERATOR = "gen_airy_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "airy.txt")

# routine: (mpmath function of x, derivative order, lowest accepted x, highest accepted x)
ROUTINES = {
    "airyai": (mp.airyai, 0, -5.6e10, 103.8),
    "airybi": (mp.airybi, 0, -5.6e10, 104.1),
    "airyad": (mp.airyai, 1, -1.8e9, 104.1),
    "airybd": (mp.airybi, 1, -1.8e9, 104.1),
}


def uniform(rng, a, b, count):
    return [rng.uniform(a, b) for _ in range(count)]


def log_uniform(rng, a, b, count):
    """count points with |x| log-uniform between |a| and |b| (same sign)."""
    sign = -1.0 if a < 0 else 1.0
    la, lb = math.log(abs(a)), math.log(abs(b))
    return [sign * math.exp(rng.uniform(la, lb)) for _ in range(count)]


def arguments(low, high):
    """The arguments of each region for a routine accepting low <= x <= high."""
    rng = random.Random(1953)
    return [
        ("zero", [0.0, -0.0, 1e-16, -2e-16, 2.2e-16, -2.2e-16]),
        ("oscillatory", [below(-5.0), -5.5, -6.0, -5.0 * 4.0 ** (1 / 3), -250.0 ** (1 / 3), -10.0, -100.0,
                         -1e4, -1e6, low, above(low)]
         + uniform(rng, -12.0, -5.0, 40) + log_uniform(rng, -12.0, -1e3, 20) + log_uniform(rng, -1e3, low, 20)),
        ("near_zero", [-5.0, above(-5.0), -2.338107410459767, -1.0187929716474710, -1.0,
                       -1e-8, above(-2.2e-16), -2.3e-16]
         + [v for i in range(1, 20) for v in (below(-5.0 + i / 4), -5.0 + i / 4)]  # the pieces' edges
         + uniform(rng, -5.0, 0.0, 60)),
        ("interval0", [above(2.2e-16), 2.3e-16, 1e-10, 1e-3, below(1.0), 1.0, below(2.0), 2.0, 2.25, below(4.5)]
         + [v for i in range(1, 14) for v in (below(1.0 + i / 4), 1.0 + i / 4)]  # the pieces' edges
         + uniform(rng, 0.0, 4.5, 40)),
        ("interval1", [4.5, above(4.5), 6.75, below(9.0)]
         + [v for i in range(15, 32) for v in (below(1.0 + i / 4), 1.0 + i / 4)]
         + uniform(rng, 4.5, 9.0, 40)),
        ("exponential", [9.0, above(9.0), 10.0, 20.0, 50.0, 100.0, below(high), high]
         + uniform(rng, 9.0, 20.0, 20) + uniform(rng, 20.0, high, 20)),
    ]


def reference(function, order, x):
    """value and error scale at the exact double x."""
    x = mp.mpf(x)
    value = function(x, derivative=order)
    if x >= 0:
        return value, abs(value)
    amplitude = mp.sqrt(mp.airyai(x, derivative=order) ** 2 + mp.airybi(x, derivative=order) ** 2)
    return value, amplitude


def main():
    rows = []
    for name, (function, order, low, high) in ROUTINES.items():
        for region, xs in arguments(low, high):
            for x in xs:
                value, scale = reference(function, order, x)
                rows.append(("%s/%s" % (name, region), [x, value, scale]))
    qelms_reference.write(OUTPUT, GENERATOR, __doc__.split("\n\n", 1)[1], rows)
    print("wrote %d rows to %s" % (len(rows), os.path.normpath(OUTPUT)))


if __name__ == "__main__":
    main()
