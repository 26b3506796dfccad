"""Points and reference values for the accuracy and speed benchmark (bench/).

Writes bench/data/<family>.txt. Each row: routine region scale-kind arguments value scale,
where the error of a computed y is |y - value| / scale in units of 2^-52. scale is |value|
(relative error) except where the function oscillates through zeros: there it is
max(|value|, local amplitude), and the region name ends in "(amplitude)".

Two sets of points: every argument of the tests' reference data (tests/data/, region
"tests", its values recomputed here the same way) that lies inside the routine's computed
domain, and a denser set per region, uniform or log-uniform, from a fixed seed.
"""
import functools
import math
import os
import random
import sys

import mpmath
from mpmath import mp, mpf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qelms_reference as ref  # noqa: E402
import gen_carlson_reference as carlson  # noqa: E402
import gen_incomplete_gamma_reference as incgamma  # noqa: E402

mp.dps = 50
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
GENERATOR = "gen_bench_data.py"
DENSE = 400  # points per dense region
MAX_A = 1e4  # gaminc: larger a (in the tests' data) take minutes each in mpmath
rng = random.Random(20261207)


def spread(lo, hi, log=False):
    """DENSE doubles in [lo, hi], uniform or log-uniform."""
    if log:
        return [math.exp(rng.uniform(math.log(lo), math.log(hi))) for _ in range(DENSE)]
    return [rng.uniform(lo, hi) for _ in range(DENSE)]


def near(centres, lo, hi):
    """DENSE doubles c +- u, u log-uniform in [lo, hi], around the given centres."""
    return [rng.choice(centres) + rng.choice((-1, 1)) * math.exp(rng.uniform(math.log(lo), math.log(hi)))
            for _ in range(DENSE)]


def amplitude_pair(f, g):
    """Value f and amplitude |f + i g| of a function that oscillates with partner g."""
    def value(*args):
        v, w = f(*args), g(*args)
        return v, mp.sqrt(v * v + w * w)
    return value


def relative(f):
    def value(*args):
        v = f(*args)
        return v, abs(v)
    return value


def ci_with_amplitude(x):
    ci, si = mp.ci(x), mp.si(x) - mp.pi / 2
    return ci, mp.sqrt(ci * ci + si * si)


J = lambda n: lambda x: mp.besselj(n, x)  # noqa: E731
Y = lambda n: lambda x: mp.bessely(n, x)  # noqa: E731
ai = lambda x: mp.airyai(x)  # noqa: E731
bi = lambda x: mp.airybi(x)  # noqa: E731
aid = lambda x: mp.airyai(x, derivative=1)  # noqa: E731
bid = lambda x: mp.airybi(x, derivative=1)  # noqa: E731
# ber + i bei = I0(x e^(i pi/4)), ker + i kei = K0(x e^(i pi/4)) (faster than mpmath's ker for large x)
ber = lambda x: mp.re(mp.besseli(0, x * mp.expjpi(mpf(1) / 4)))  # noqa: E731
bei = lambda x: mp.im(mp.besseli(0, x * mp.expjpi(mpf(1) / 4)))  # noqa: E731
ker = lambda x: mp.re(mp.besselk(0, x * mp.expjpi(mpf(1) / 4)))  # noqa: E731
kei = lambda x: mp.im(mp.besselk(0, x * mp.expjpi(mpf(1) / 4)))  # noqa: E731


def oscillating(f, g, where):
    """Amplitude-scaled where where(x) holds, relative elsewhere."""
    pair = amplitude_pair(f, g)

    def value(x):
        v, amp = pair(x)
        return (v, max(abs(v), amp)) if where(x) else (v, abs(v))
    return value


beyond_half = lambda x: abs(x) >= 0.5  # noqa: E731
negative = lambda x: x < 0  # noqa: E731
everywhere = lambda x: True  # noqa: E731


@functools.lru_cache(maxsize=None)
def p_and_q(a, x):
    return incgamma.reference(a, x)


def p_value(a, x):
    return p_and_q(a, x)[0]


def q_value(a, x):
    return p_and_q(a, x)[1]


# routine: (family, reference, whether the scale is an amplitude somewhere, computed domain)
ROUTINES = {
    "gammaf": ("gamma", relative(mp.gamma), False,
               lambda x: abs(x) <= 170 and abs(x) >= 2.23e-308 and not (x < 0 and x == int(x))),
    "lngamm": ("gamma", relative(mp.loggamma), False, lambda x: 0 < x <= 2.55e305 and x != 1 and x != 2),
    "errfun": ("error_function", relative(mp.erf), False, lambda x: x != 0),
    "erfcmp": ("error_function", relative(mp.erfc), False, lambda x: x < 26.6),
    "expint": ("exponential_integrals", relative(mp.e1), False, lambda x: 0 < x < 700),
    "sinint": ("exponential_integrals", relative(mp.si), False, lambda x: x != 0 and abs(x) < 1e17),
    "cosint": ("exponential_integrals", ci_with_amplitude, True, lambda x: 0 < x < 1e16),
    "gaminc_p": ("incomplete_gamma", relative(p_value), False, None),
    "gaminc_q": ("incomplete_gamma", relative(q_value), False, None),
    "beslj0": ("bessel_j_y", oscillating(J(0), Y(0), beyond_half), True, lambda x: 0 < abs(x) <= 1e16),
    "beslj1": ("bessel_j_y", oscillating(J(1), Y(1), beyond_half), True, lambda x: 0 < abs(x) <= 1e16),
    "besly0": ("bessel_j_y", oscillating(Y(0), J(0), beyond_half), True, lambda x: 0 < x <= 1e16),
    "besly1": ("bessel_j_y", oscillating(Y(1), J(1), beyond_half), True, lambda x: 2.23e-308 < x <= 1e16),
    "besli0": ("bessel_i_k", relative(lambda x: mp.besseli(0, x)), False, lambda x: abs(x) <= 700),
    "besli1": ("bessel_i_k", relative(lambda x: mp.besseli(1, x)), False, lambda x: 0 < abs(x) <= 700),
    "beslk0": ("bessel_i_k", relative(lambda x: mp.besselk(0, x)), False, lambda x: 0 < x < 700),
    "beslk1": ("bessel_i_k", relative(lambda x: mp.besselk(1, x)), False, lambda x: 2.23e-308 < x < 700),
    "airyai": ("airy", oscillating(ai, bi, negative), True, lambda x: -5.6e10 <= x <= 103.8),
    "airybi": ("airy", oscillating(bi, ai, negative), True, lambda x: -5.6e10 <= x <= 104.1),
    "airyad": ("airy", oscillating(aid, bid, negative), True, lambda x: -1.8e9 <= x <= 104.1),
    "airybd": ("airy", oscillating(bid, aid, negative), True, lambda x: -1.8e9 <= x <= 104.1),
    "kelber": ("kelvin", oscillating(ber, bei, everywhere), True, lambda x: abs(x) < 49.5),
    "kelbei": ("kelvin", oscillating(bei, ber, everywhere), True, lambda x: 0 < abs(x) < 49.5),
    "kelker": ("kelvin", oscillating(ker, kei, everywhere), True, lambda x: 0 < x <= 997.26),
    "kelkei": ("kelvin", oscillating(kei, ker, everywhere), True, lambda x: 0 < x <= 997.26),
    "fresns": ("fresnel", relative(mp.fresnels), False, lambda x: 3.49e-103 <= abs(x) < 4294967290),
    "fresnc": ("fresnel", relative(mp.fresnelc), False, lambda x: 0 < abs(x) < 4294967290),
    "ellprc": ("carlson", relative(carlson.rc), False, None),
    "ellprf": ("carlson", relative(carlson.rf), False, None),
    "ellprd": ("carlson", relative(carlson.rd), False, None),
    "ellprj": ("carlson", relative(carlson.rj), False, None),
}

def dense_regions():
    """(routine, region, list of argument tuples) for the dense set."""
    one = lambda xs: [(x,) for x in xs]  # noqa: E731
    out = []

    def add(routines, region, points):
        assert "|" not in region, region  # the field separator of the data files
        for r in routines:
            out.append((r, region, points))

    add(["gammaf"], "(0, 1]", one(spread(1e-17, 1.0)))
    add(["gammaf"], "(1, 20]", one(spread(1.0, 20.0)))
    add(["gammaf"], "(20, 170]", one(spread(20.0, 170.0)))
    add(["gammaf"], "[-170, 0)", one(spread(-170.0, -1e-17)))
    add(["gammaf"], "[-1e-16, 0)", one(spread(-1e-16, -1e-17)))
    add(["lngamm"], "(0, 1)", one(spread(1e-17, 0.9)))
    add(["lngamm"], "near 1 and 2", one(near([1.0, 2.0], 1e-12, 0.4)))
    add(["lngamm"], "(2.4, 15]", one(spread(2.4, 15.0)))
    add(["lngamm"], "(15, 1e300]", one(spread(15.0, 1e300, log=True)))
    add(["errfun"], "[-2, 2]", one(spread(-2.0, 2.0)))
    add(["errfun"], "2 < abs(x) < 6.25", one([x * rng.choice((-1, 1)) for x in spread(2.0, 6.25)]))
    add(["erfcmp"], "(-6.25, 0)", one(spread(-6.25, 0.0)))
    add(["erfcmp"], "[0, 4]", one(spread(0.0, 4.0)))
    add(["erfcmp"], "(4, 26.5]", one(spread(4.0, 26.5)))
    add(["expint"], "(0, 1]", one(spread(1e-300, 1.0, log=True)))
    add(["expint"], "(1, 4]", one(spread(1.0, 4.0)))
    add(["expint"], "(4, 700)", one(spread(4.0, 700.0, log=True)))
    add(["sinint"], "(0, 16]", one(spread(1e-10, 16.0)))
    add(["sinint"], "(16, 1e6]", one(spread(16.0, 1e6, log=True)))
    add(["cosint"], "(0, 16] (amplitude)", one(spread(1e-10, 16.0) + spread(1e-10, 16.0, log=True)))
    add(["cosint"], "(16, 1e6] (amplitude)", one(spread(16.0, 1e6, log=True)))
    for f in ("beslj0", "beslj1", "besly0", "besly1"):
        add([f], "(0, 8] (amplitude)", one(spread(1e-3, 8.0)))
        add([f], "(8, 100] (amplitude)", one(spread(8.0, 100.0)))
        add([f], "(100, 1e6] (amplitude)", one(spread(100.0, 1e6, log=True)))
    add(["besli0", "besli1"], "(0, 4]", one(spread(1e-9, 4.0)))
    add(["besli0", "besli1"], "(4, 12]", one(spread(4.0, 12.0)))
    add(["besli0", "besli1"], "(12, 700]", one(spread(12.0, 700.0)))
    add(["beslk0", "beslk1"], "(0, 1]", one(spread(1e-9, 1.0)))
    add(["beslk0", "beslk1"], "(1, 4]", one(spread(1.0, 4.0)))
    add(["beslk0", "beslk1"], "(4, 700)", one(spread(4.0, 700.0)))
    for f in ("airyai", "airybi", "airyad", "airybd"):
        add([f], "[-1e4, -5) (amplitude)", one(spread(-1e4, -5.0)))
        add([f], "[-5, -1) (amplitude)", one(spread(-5.0, -1.0)))
        add([f], "[-1, 0) (amplitude)", one(spread(-1.0, 0.0)))
        add([f], "(0, 4.5)", one(spread(0.0, 4.5)))
        add([f], "[4.5, 100]", one(spread(4.5, 100.0)))
    add(["kelber", "kelbei"], "(0, 5] (amplitude)", one(spread(1e-3, 5.0)))
    add(["kelber", "kelbei"], "(5, 49.5) (amplitude)", one(spread(5.0, 49.4)))
    add(["kelker", "kelkei"], "(0, 3] (amplitude)", one(spread(1e-3, 3.0)))
    add(["kelker", "kelkei"], "(3, 997] (amplitude)", one(spread(3.0, 997.0)))
    add(["fresns", "fresnc"], "(0, 3]", one(spread(1e-3, 3.0)))
    add(["fresns", "fresnc"], "(3, 1e6]", one(spread(3.0, 1e6, log=True)))

    def pairs(alo, ahi, xfun, alog=True):
        pts = []
        while len(pts) < DENSE:
            a = math.exp(rng.uniform(math.log(alo), math.log(ahi))) if alog else rng.uniform(alo, ahi)
            pts.append((a, xfun(a)))
        return pts
    logu = lambda lo, hi: math.exp(rng.uniform(math.log(lo), math.log(hi)))  # noqa: E731
    gam = [
        ("a <= 1", pairs(1e-3, 1.0, lambda a: logu(1e-3, 50.0))),
        ("1 < a < 20", pairs(1.0, 20.0, lambda a: a * logu(0.1, 10.0))),
        ("x << a (P tiny)", pairs(5.0, 200.0, lambda a: a * logu(1e-3, 0.5))),
        ("x >> a (Q tiny)", pairs(0.5, 30.0, lambda a: a + logu(5.0, 600.0))),
        ("x near a >= 20", pairs(20.0, 2000.0, lambda a: a * (1 + rng.uniform(-0.3, 0.3)))),
    ]
    for region, pts in gam:
        add(["gaminc_p", "gaminc_q"], region, pts)

    def triples(n, negative_last=False):
        pts = []
        for _ in range(DENSE):
            v = [logu(1e-5, 1e5) for _ in range(n)]
            if negative_last:
                v[-1] = -v[-1]
            pts.append(tuple(v))
        return pts
    add(["ellprc"], "y > 0", triples(2))
    add(["ellprc"], "y < 0 (principal value)", triples(2, True))
    add(["ellprf"], "positive", triples(3))
    add(["ellprd"], "positive", triples(3))
    add(["ellprj"], "r > 0", triples(4))
    add(["ellprj"], "r < 0 (principal value)", triples(4, True))
    return out


def test_points():
    """(routine, argument tuple) for every argument in tests/data that the bench covers."""
    data = os.path.join(ROOT, "tests", "data")

    def rows(name):
        with open(os.path.join(data, name)) as f:
            for line in f:
                if line.startswith("#") or not line.strip():
                    continue
                parts = line.split()
                yield parts[0], [float(v) for v in parts[1:]]

    def prefixed(name, sep, nargs=1):
        for label, nums in rows(name):
            yield label.split(sep)[0], tuple(nums[:nargs])

    yield from (("gammaf", tuple(n[:1])) for _, n in rows("gamma.txt"))
    yield from (("lngamm", tuple(n[:1])) for _, n in rows("lngamm.txt"))
    yield from prefixed("airy.txt", "/")
    yield from prefixed("bessel_i_k.txt", ".")
    yield from prefixed("bessel_j_y.txt", "_")
    yield from prefixed("error_function.txt", "_")
    yield from prefixed("exponential_integrals.txt", "_")
    for label, nums in rows("kelvin.txt"):
        yield "kel" + label.split("_")[0], tuple(nums[:1])
    for _, nums in rows("fresnel.txt"):
        yield "fresns", tuple(nums[:1])
        yield "fresnc", tuple(nums[:1])
    for _, nums in rows("incomplete_gamma.txt"):
        yield "gaminc_p", tuple(nums[:2])
        yield "gaminc_q", tuple(nums[:2])
    arity = {"rc": 2, "rf": 3, "rd": 3, "rj": 4}
    for label, nums in rows("carlson.txt"):
        kind = label.split("_")[0]
        yield "ellpr" + kind[1], tuple(nums[:arity[kind]])


def in_domain(routine, args):
    if any(not math.isfinite(v) for v in args):
        return False
    domain = ROUTINES[routine][3]
    if domain is not None:
        return domain(args[0])
    if routine.startswith("gaminc"):
        a, x = args
        return 0 < a <= MAX_A and x > 0
    # Carlson: inside the defined domain, away from overflow of the sums formed
    return (all(0 <= v < 1e150 for v in args[:-1]) and 0 < abs(args[-1]) < 1e150
            and sum(v == 0 for v in args) <= 1)


def value_row(routine, region, args):
    try:
        value, scale = ROUTINES[routine][1](*args)
        value, scale = mpf(value), mpf(scale)
    except (TypeError, ValueError, ZeroDivisionError, mpmath.libmp.NoConvergence):
        return None
    if not mp.isfinite(value) or scale == 0 or abs(value) < mpf("2.3e-308") or abs(value) > mpf("1.7e308"):
        return None
    return routine, region, args, value, scale


def main():
    """gen_bench_data.py [FAMILY...]: with family names (the files' names without .txt),
    only those files are written; the dense points of the others are drawn all the same,
    so that every family's points stay those of a full run."""
    wanted = set(sys.argv[1:]) or {family for family, _, _ in ROUTINES.values()}
    families = {}
    seen = set()
    for routine, args in test_points():
        key = (routine, args)
        if ROUTINES[routine][0] not in wanted or key in seen or not in_domain(routine, args):
            continue
        seen.add(key)
        row = value_row(routine, "tests (amplitude)" if ROUTINES[routine][2] else "tests", args)
        if row:
            families.setdefault(ROUTINES[routine][0], []).append(row)
    for routine, region, points in dense_regions():
        if ROUTINES[routine][0] not in wanted:
            continue
        print(routine, region, file=sys.stderr, flush=True)
        for args in points:
            if in_domain(routine, args):
                row = value_row(routine, region, args)
                if row:
                    families.setdefault(ROUTINES[routine][0], []).append(row)
    out = os.path.join(ROOT, "bench", "data")
    os.makedirs(out, exist_ok=True)
    for family, rows in sorted(families.items()):
        with open(os.path.join(out, family + ".txt"), "w") as f:
            f.write("# Generated by tools/%s; do not edit.\n" % GENERATOR)
            f.write("# routine|region|arguments|value|scale (error = |y - value| / scale, in 2^-52)\n")
            for routine, region, args, value, scale in rows:
                f.write("%s|%s|%s|%s|%s\n" % (routine, region, " ".join(repr(float(a)) for a in args),
                                               ref.number(value), ref.number(scale)))
        print(family, len(rows))


if __name__ == "__main__":
    main()
