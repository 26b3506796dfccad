"""One call of every routine, with its results from mpmath at 50 digits, and a
failing call of each routine of complex argument.

Writes tests/data/routine_examples.txt, read by tests/cli_test.sh (through the
qelms command) and by tools/gen_routine_docs.py, which makes the Octave
package's tests (%!test blocks of the help files) from it. Arguments and
results are MATLAB literals: 0.5, 1+0.5i, 'U', a column [a;b]. The failures of
the routines of real argument are in tests/data/failure_messages.txt.
"""
import os

from mpmath import mp


OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "routine_examples.txt")


def real_text(x):
    """An argument (a double) as written shortest; a result in 20 digits."""
    if isinstance(x, float):
        text = repr(x)
        return text[:-2] if text.endswith(".0") else text
    return mp.nstr(x, 20)


def literal(value):
    """A MATLAB literal for an argument or a result."""
    if isinstance(value, str):
        return "'%s'" % value
    if isinstance(value, list):
        return "[" + ";".join(literal(v) for v in value) + "]"
    if isinstance(value, int):
        return str(value)
    if isinstance(value, (complex, mp.mpc)):
        re, im = real_text(value.real), real_text(value.imag)
        return re + ("" if im.startswith("-") else "+") + im + "i"
    return real_text(value)


def zeta(z):
    return mp.mpf(2) / 3 * z ** mp.mpf(1.5)


def sequence(f, scale):
    """A sequence routine: n members f(fnu + k, z) times scale(z) when scaled."""
    def members(fnu, z, n, kind):
        z = mp.mpc(z)
        factor = scale(z) if kind == "S" else 1
        return [[mp.mpc(f(fnu + k, z) * factor) for k in range(n)], 0]
    return members


def hankel(fnu, z, n, kind, m):
    z = mp.mpc(z)
    h = mp.hankel1 if m == 1 else mp.hankel2
    factor = mp.exp(-(3 - 2 * m) * 1j * z) if kind == "S" else 1
    return [[mp.mpc(h(fnu + k, z) * factor) for k in range(n)], 0]


def airy(f, scale):
    def value(z, deriv, kind):
        z = mp.mpc(z)
        v = f(z, derivative=0 if deriv == "F" else 1)
        return mp.mpc(v * (scale(z) if kind == "S" else 1))
    return value


def real(f):
    return lambda *args: [f(*[mp.mpf(a) for a in args])]


def gaminc(a, x, tol):
    return [mp.gammainc(a, 0, x, regularized=True), mp.gammainc(a, x, mp.inf, regularized=True)]


# routine: (arguments before ifail, the results before ifail)
EXAMPLES = [
    ("zexpon", (1 + 0.5j,), lambda z: [mp.exp(mp.mpc(z))]),
    ("expint", (1.5,), real(mp.e1)),
    ("cosint", (2.0,), real(mp.ci)),
    ("sinint", (2.0,), real(mp.si)),
    ("gammaf", (0.5,), real(mp.gamma)),
    ("lngamm", (100.0,), real(mp.loggamma)),
    ("gaminc", (2.0, 1.5, 0.0), gaminc),
    ("erfcmp", (1.0,), real(mp.erfc)),
    ("errfun", (0.5,), real(mp.erf)),
    ("besly0", (3.0,), real(lambda x: mp.bessely(0, x))),
    ("besly1", (3.0,), real(lambda x: mp.bessely(1, x))),
    ("beslj0", (8.0,), real(lambda x: mp.besselj(0, x))),
    ("beslj1", (8.5,), real(lambda x: mp.besselj(1, x))),
    ("airyai", (-5.0,), real(mp.airyai)),
    ("airybi", (2.0,), real(mp.airybi)),
    ("airyad", (1.0,), real(lambda x: mp.airyai(x, derivative=1))),
    ("airybd", (1.0,), real(lambda x: mp.airybi(x, derivative=1))),
    ("beslk0", (1.0,), real(lambda x: mp.besselk(0, x))),
    ("beslk1", (1.0,), real(lambda x: mp.besselk(1, x))),
    ("besli0", (4.0,), real(lambda x: mp.besseli(0, x))),
    ("besli1", (-30.0,), real(lambda x: mp.besseli(1, x))),
    ("kelber", (2.0,), real(lambda x: mp.ber(0, x))),
    ("kelbei", (2.0,), real(lambda x: mp.bei(0, x))),
    ("kelker", (2.0,), real(lambda x: mp.ker(0, x))),
    ("kelkei", (2.0,), real(lambda x: mp.kei(0, x))),
    ("fresns", (1.0,), real(mp.fresnels)),
    ("fresnc", (1.0,), real(mp.fresnelc)),
    # y < 0: the Cauchy principal value
    ("ellprc", (0.25, -2.0), real(lambda x, y: mp.re(mp.elliprc(x, y, pv=True)))),
    ("ellprf", (0.0, 1.0, 2.0), real(mp.elliprf)),
    ("ellprd", (0.0, 2.0, 1.0), real(mp.elliprd)),
    ("ellprj", (2.0, 3.0, 4.0, 5.0), real(mp.elliprj)),
    ("zbesli", (0.0, 1 + 1j, 2, "U"), sequence(mp.besseli, lambda z: mp.exp(-abs(mp.re(z))))),
    ("zbeslk", (2.5, -1 + 0.5j, 1, "U"), sequence(mp.besselk, mp.exp)),
    ("zbeslj", (0.5, 1 + 1j, 2, "U"), sequence(mp.besselj, lambda z: mp.exp(-abs(mp.im(z))))),
    ("zbesly", (0.0, 2 - 1j, 2, "S"), sequence(mp.bessely, lambda z: mp.exp(-abs(mp.im(z))))),
    ("zhankl", (1.0, 3 + 2j, 2, "U", 2), hankel),
    ("zairya", (1 + 1j, "D", "U"), lambda *a: [airy(mp.airyai, lambda z: mp.exp(zeta(z)))(*a), 0]),
    ("zairyb", (-2 + 1j, "F", "S"), lambda *a: [airy(mp.airybi, lambda z: mp.exp(-abs(mp.re(zeta(z)))))(*a)]),
]

# routine: (arguments before ifail of a failing call, its failure number); the
# package's test of qelmsv pairs an example with a failing call of the same
# character arguments
FAILURES = [
    ("zbesli", (-1.0, 1 + 1j, 2, "U"), 1),  # fnu < 0
    ("zbeslk", (0.0, 0j, 1, "U"), 1),  # z = 0
    ("zbeslj", (0.0, 1 + 1j, 0, "U"), 1),  # n < 1
    ("zbesly", (0.0, 1 + 1j, 1, "X"), 1),  # scale not U or S
    ("zhankl", (0.0, 1 + 1j, 1, "U", 3), 1),  # m not 1 or 2
    ("zairya", (1 + 1j, "X", "U"), 1),  # deriv not F or D
    ("zairya", (2e6 + 0j, "D", "U"), 4),  # |z| > 1048575.9997
    ("zairyb", (2e6 + 0j, "F", "S"), 4),  # |z| > 1048575.9997
]


def main():
    mp.dps = 50
    lines = ["# Generated by tools/gen_routine_examples.py; do not edit.",
             "# routine|arguments before ifail|ifail on return|the results before ifail (mpmath, 50 digits),",
             "# or nothing for a failing call."]
    for name, args, f in EXAMPLES:
        lines.append("%s|%s|0|%s" % (name, " ".join(literal(a) for a in args), " ".join(literal(v) for v in f(*args))))
    for name, args, failure in FAILURES:
        lines.append("%s|%s|%d|" % (name, " ".join(literal(a) for a in args), failure))
    with open(OUTPUT, "w") as out:
        out.write("\n".join(lines) + "\n")
    print("written:", os.path.relpath(OUTPUT))


if __name__ == "__main__":
    main()
