"""Points and reference values for the accuracy and speed benchmark (bench/).

Writes bench/data/<family>.txt. Each row: routine region scale-kind arguments value scale,
where the error of a computed y is |y - value| / scale in units of 2^-52. scale is |value|
(relative error) except where the function oscillates through zeros: there it is
max(|value|, local amplitude), and the region name ends in "(amplitude)".

Three sets of points, from a fixed seed: every argument of the tests' reference data
(tests/data/, region "tests", its values recomputed here the same way) that lies inside the
routine's computed domain; every region of every routine drawn across its whole width twice,
uniformly with both edges and log-uniformly (two regions, "..., uniform" and "..., log-uniform");
and the points next to the first zeros of the oscillating functions, regions of their own
where the scale is |value|. Each value is computed at 50 and 80 digits and kept when the two
agree to 30 digits; else at 120 against 80; a point where those differ too is dropped.
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
# (bei from its own series below 1, where the imaginary part of I0 is lost beside its real part 1)
bei = lambda x: mp.bei(0, x) if abs(x) < 1 else mp.im(mp.besseli(0, x * mp.expjpi(mpf(1) / 4)))  # noqa: E731
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
def p_and_q(a, x, dps):
    return incgamma.reference(a, x)


def p_value(a, x):
    return p_and_q(a, x, mp.dps)[0]


def q_value(a, x):
    return p_and_q(a, x, mp.dps)[1]


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

# First zeros, as (routines, where) with the zero as a double: their own regions, plain relative error.
FIRST_ZEROS = [
    (["beslj0"], lambda: mp.besseljzero(0, 1)),
    (["beslj1"], lambda: mp.besseljzero(1, 1)),
    (["besly0"], lambda: mp.besselyzero(0, 1)),
    (["besly1"], lambda: mp.besselyzero(1, 1)),
    (["airyai"], lambda: mp.airyaizero(1)),
    (["airybi"], lambda: mp.airybizero(1)),
    (["airyad"], lambda: mp.airyaizero(1, derivative=1)),
    (["airybd"], lambda: mp.airybizero(1, derivative=1)),
    (["kelber"], lambda: mp.findroot(ber, 2.85)),
    (["kelbei"], lambda: mp.findroot(bei, 5.03)),
    (["kelker"], lambda: mp.findroot(ker, 1.72)),
    (["kelkei"], lambda: mp.findroot(kei, 3.91)),
    (["cosint"], lambda: mp.findroot(mp.ci, 0.616)),
]
HALF = DENSE // 2  # points of each draw: uniform, and log-uniform


def uniform_draw(lo, hi):
    """HALF doubles uniform in [lo, hi], with both edges."""
    return [lo, hi] + [rng.uniform(lo, hi) for _ in range(HALF - 2)]


def log_draw(lo, hi, tiny):
    """HALF doubles in [lo, hi] with |x| log-uniform from max(tiny, |edge|) to the largest |edge|; a region
    across 0 takes either sign."""
    if lo >= 0 or hi <= 0:
        sign = 1 if hi > 0 else -1
        a, b = sorted((abs(lo), abs(hi)))
        a = max(a, tiny)
        return [sign * math.exp(rng.uniform(math.log(a), math.log(b))) for _ in range(HALF)]
    out = []
    while len(out) < HALF:
        s = rng.choice((-1, 1))
        m = math.exp(rng.uniform(math.log(tiny), math.log(hi if s > 0 else -lo)))
        out.append(s * m)
    return out


def next_to(z):
    """DENSE doubles next to z: the 41 doubles nearest it, then z (1 +- u), u log-uniform in [1e-15, 0.1]."""
    zd = float(z)
    up, down = zd, zd
    out = [zd]
    for _ in range(20):
        up, down = math.nextafter(up, math.inf), math.nextafter(down, -math.inf)
        out += [up, down]
    while len(out) < DENSE:
        out.append(zd * (1 + rng.choice((-1, 1)) * math.exp(rng.uniform(math.log(1e-15), math.log(0.1)))))
    return out


def dense_regions():
    """(routine, region, list of argument tuples) for the dense set: every region drawn uniformly (with its
    edges) and log-uniformly, as two regions; then the points next to the first zeros."""
    one = lambda xs: [(x,) for x in xs]  # noqa: E731
    out = []

    def add(routines, region, points):
        assert "|" not in region, region  # the field separator of the data files
        for r in routines:
            out.append((r, region, points))

    def both(routines, region, lo, hi, tiny=1e-300, amplitude=False):
        """The region [lo, hi] drawn uniformly and log-uniformly (|x| from tiny when the region reaches 0)."""
        tail = " (amplitude)" if amplitude else ""
        add(routines, region + ", uniform" + tail, one(uniform_draw(lo, hi)))
        add(routines, region + ", log-uniform" + tail, one(log_draw(lo, hi, tiny)))

    both(["gammaf"], "(0, 1]", 1e-307, 1.0)
    both(["gammaf"], "(1, 20]", 1.0, 20.0)
    both(["gammaf"], "(20, 170]", 20.0, 170.0)
    both(["gammaf"], "[-170, 0)", -170.0, -1e-307)
    both(["lngamm"], "(0, 1)", 1e-307, 0.9999999999999999)
    both(["lngamm"], "(1, 2.4]", 1.0000000000000002, 2.4)
    add(["lngamm"], "near 1 and 2", one(near([1.0, 2.0], 1e-12, 0.4)))
    both(["lngamm"], "(2.4, 15]", 2.4, 15.0)
    both(["lngamm"], "(15, 2.55e305]", 15.0, 2.55e305)
    both(["errfun"], "[-2, 2]", -2.0, 2.0)
    both(["errfun"], "2 < x < 6.25", 2.0, 6.25)
    both(["errfun"], "-6.25 < x < -2", -6.25, -2.0)
    both(["erfcmp"], "(-6.25, 0)", -6.25, -1e-300)
    both(["erfcmp"], "[0, 4]", 1e-300, 4.0)
    both(["erfcmp"], "(4, 26.5]", 4.0, 26.5)
    both(["expint"], "(0, 1]", 1e-300, 1.0)
    both(["expint"], "(1, 4]", 1.0, 4.0)
    both(["expint"], "(4, 700)", 4.0, 699.99)
    both(["sinint"], "(0, 16]", 1e-300, 16.0)
    both(["sinint"], "(16, 1e17)", 16.0, 1e17)
    both(["cosint"], "(0, 16]", 1e-300, 16.0, amplitude=True)
    both(["cosint"], "(16, 1e16)", 16.0, 1e16, amplitude=True)
    for f in ("beslj0", "beslj1", "besly0", "besly1"):
        both([f], "(0, 8]", 1e-300, 8.0, amplitude=True)
        both([f], "(8, 100]", 8.0, 100.0, amplitude=True)
        both([f], "(100, 1e16]", 100.0, 1e16, amplitude=True)
    both(["besli0", "besli1"], "(0, 4]", 1e-300, 4.0)
    both(["besli0", "besli1"], "(4, 12]", 4.0, 12.0)
    both(["besli0", "besli1"], "(12, 700]", 12.0, 700.0)
    both(["beslk0", "beslk1"], "(0, 1]", 1e-300, 1.0)
    both(["beslk0", "beslk1"], "(1, 4]", 1.0, 4.0)
    both(["beslk0", "beslk1"], "(4, 700)", 4.0, 699.99)
    for f, bottom, top in (("airyai", -5.6e10, 103.8), ("airybi", -5.6e10, 104.1),
                           ("airyad", -1.8e9, 104.1), ("airybd", -1.8e9, 104.1)):
        both([f], "[%.2g, -5)" % bottom, bottom, -5.0, amplitude=True)
        both([f], "[-5, -1)", -5.0, -1.0, amplitude=True)
        both([f], "[-1, 0)", -1.0, -1e-300, amplitude=True)
        both([f], "[0, 4.5)", 1e-300, 4.5)
        both([f], "[4.5, %g]" % top, 4.5, top)
    both(["kelber", "kelbei"], "(0, 5]", 1e-300, 5.0, amplitude=True)
    both(["kelber", "kelbei"], "(5, 49.5)", 5.0, 49.49, amplitude=True)
    both(["kelker", "kelkei"], "(0, 3]", 1e-300, 3.0, amplitude=True)
    both(["kelker", "kelkei"], "(3, 997.26]", 3.0, 997.26, amplitude=True)
    both(["fresns"], "(0, 3]", 1e-102, 3.0)
    both(["fresnc"], "(0, 3]", 1e-300, 3.0)
    both(["fresns", "fresnc"], "(3, 4.29e9)", 3.0, 4294967289.0)
    for routines, zero in FIRST_ZEROS:
        z = zero()
        add(routines, "next to the first zero %s" % mp.nstr(z, 6), one(next_to(z)))

    logu = lambda lo, hi: math.exp(rng.uniform(math.log(lo), math.log(hi)))  # noqa: E731

    def pairs(arange, trange, x_of, log):
        """HALF (a, x): a from arange and t from trange, both uniform or both log-uniform; x = x_of(a, t)."""
        draw = logu if log else rng.uniform
        return [(a, x_of(a, draw(*trange))) for a in (draw(*arange) for _ in range(HALF))]

    times = lambda a, t: a * t  # noqa: E731
    gam = [
        ("a <= 1", (1e-3, 1.0), (1e-3, 50.0), lambda a, t: t),
        ("1 < a < 20", (1.0, 20.0), (0.1, 10.0), times),
        ("x << a (P tiny)", (5.0, 200.0), (1e-3, 0.5), times),
        ("x >> a (Q tiny)", (0.5, 30.0), (5.0, 600.0), lambda a, t: a + t),
        ("x near a >= 20", (20.0, 2000.0), (1e-6, 0.3), lambda a, t: a * (1 + rng.choice((-1, 1)) * t)),
    ]
    for region, arange, trange, x_of in gam:
        add(["gaminc_p", "gaminc_q"], region + ", uniform", pairs(arange, trange, x_of, False))
        add(["gaminc_p", "gaminc_q"], region + ", log-uniform", pairs(arange, trange, x_of, True))

    def tuples(n, log, negative_last=False):
        pts = []
        for _ in range(HALF):
            v = [logu(1e-5, 1e5) if log else rng.uniform(0.0, 1e5) for _ in range(n)]
            if negative_last:
                v[-1] = -v[-1]
            pts.append(tuple(v))
        return pts
    for log, draw in ((False, ", uniform"), (True, ", log-uniform")):
        add(["ellprc"], "y > 0" + draw, tuples(2, log))
        add(["ellprc"], "y < 0 (principal value)" + draw, tuples(2, log, True))
        add(["ellprf"], "positive" + draw, tuples(3, log))
        add(["ellprd"], "positive" + draw, tuples(3, log))
        add(["ellprj"], "r > 0" + draw, tuples(4, log))
        add(["ellprj"], "r < 0 (principal value)" + draw, tuples(4, log, True))
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


AGREE = mpf(10) ** -30  # relative difference below which two precisions' values are taken as agreeing
PRECISIONS = (50, 80, 120)  # digits: a value is kept when two successive ones agree


def evaluate(routine, args, dps):
    with mp.workdps(dps):
        value, scale = ROUTINES[routine][1](*args)
        return mpf(value), mpf(scale)


def value_row(routine, region, args):
    """The row of a point, its value checked at two precisions (raised once when they differ); None when
    mpmath fails, the precisions never agree or the value lies outside the normal doubles."""
    try:
        previous = evaluate(routine, args, PRECISIONS[0])
        for dps in PRECISIONS[1:]:
            value, scale = evaluate(routine, args, dps)
            if abs(value - previous[0]) <= AGREE * abs(value):
                break
            previous = (value, scale)
        else:
            print("dropped, precisions differ:", routine, args, file=sys.stderr)
            return None
    except (TypeError, ValueError, ZeroDivisionError, mpmath.libmp.NoConvergence):
        return None
    if region.startswith("next to"):
        scale = abs(value)
    if not mp.isfinite(value) or scale == 0 or abs(value) < mpf("2.3e-308") or abs(value) > mpf("1.7e308"):
        return None
    return routine, region, args, value, scale


def main():
    """gen_bench_data.py [FAMILY...]: with family names (the files' names without .txt),
    only those files are written; the dense points of the others are drawn all the same,
    so that every family's points stay those of a full run."""
    wanted = set(sys.argv[1:]) or {family for family, *_ in ROUTINES.values()}
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
