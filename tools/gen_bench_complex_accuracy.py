"""Points for the accuracy section of the complex benchmark:
bench/data/complex_accuracy.txt, rows as tests/data/complex_orders.txt
(routine/method/side fnu re(z) im(z) scaled n, then per member re, im, scale),
with the same references, amplitudes and two-precision check
(gen_complex_order_reference.py).

Each band of |z| and order is sampled twice: |z|, order and arg z uniformly,
then |z| and order log-uniformly (arg z uniform), so that neither end of a
band is favoured; n is 1 to 4 members. The label says which evaluator the
point reaches, so a region's figure gathers the points of every band that
reach it.
"""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_complex_order_reference as reference  # noqa: E402
import qelms_reference  # noqa: E402

OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench", "data", "complex_accuracy.txt")

# (|z| range, order range): small |z| at low and at any order below 60, the
# Miller range, the Wronskian and large-argument range, |z| beyond fnul, large
# orders, and far out.
BANDS = [((1e-3, 2.0), (0.0, 3.0)), ((1e-3, 2.0), (0.0, 60.0)), ((2.0, 21.7), (0.0, 85.0)), ((21.8, 85.0), (0.0, 85.0)),
         ((85.0, 1000.0), (0.0, 85.0)), ((1.0, 1000.0), (86.0, 1000.0)), ((1000.0, 10000.0), (0.0, 100.0))]
PER_BAND = 10  # points per band and way of sampling, for each routine


def uniform(rng, lo, hi):
    return rng.uniform(lo, hi)


def log_uniform(rng, lo, hi):
    lo = max(lo, 1e-2)
    return math.exp(rng.uniform(math.log(lo), math.log(hi)))


def cases(rng):
    out = []
    for (r0, r1), (v0, v1) in BANDS:
        for draw in (uniform, log_uniform):
            for _ in range(PER_BAND):
                r, fnu = draw(rng, r0, r1), draw(rng, v0, v1)
                out.append((fnu, reference.point(r, rng.uniform(-math.pi, math.pi)), rng.randint(1, 4)))
    return out


def turning_point_cases(rng):
    """Orders within 15% of |z| in 80 < |z| < 1000 next to the axes, where the
    functions oscillate and recurrences started near the turning point would
    magnify their starting values' roundings; n is 1 to 20 members."""
    out = []
    for draw in (uniform, log_uniform):
        for _ in range(PER_BAND):
            r = draw(rng, 80.0, 1000.0)
            angle = rng.choice((0.0, math.pi / 2, math.pi, -math.pi / 2)) + rng.choice((0.0, rng.uniform(-0.1, 0.1)))
            out.append((r * rng.uniform(0.85, 1.15), reference.point(r, angle), rng.choice((1, 2, 3, 4, 10, 20))))
    return out


def main():
    rng = random.Random(20261208)
    rows = []
    for routine in ("i", "k", "j", "y", "h1", "h2"):
        for fnu, z, n in cases(rng):
            rows += reference.rows_of(routine, fnu, z, n)
    rng = random.Random(20261209)
    for routine in ("i", "k", "j", "y", "h1", "h2"):
        for fnu, z, n in turning_point_cases(rng):
            rows += reference.rows_of(routine, fnu, z, n)
    qelms_reference.write(OUTPUT, "gen_bench_complex_accuracy.py", __doc__, rows)
    print("wrote %d rows to %s" % (len(rows), os.path.normpath(OUTPUT)))


if __name__ == "__main__":
    main()
