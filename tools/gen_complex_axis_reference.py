"""Reference sequences of I, K, J and Y on the real and imaginary axes, for
tests/data/complex_axis.txt: the integer orders 0 and 1 (taken there from the
real-argument routines when the sequence holds no other order) and the
fractional orders 0.3, 2.7, 10.3, 49.5, at arguments on both sides of the
bounds where the evaluators hand over to one another (2, rl = 21.78,
fnul = 85.92, alim = 664.87, elim = 700.92, the precision bound 32768), ten
members each; the tests also take the first one and the first two. Integer
orders of J and Y also in sequences of 32 and 33 members.

Rows as in complex_orders.txt (gen_complex_order_reference.py, whose
evaluation, error scales and agreement at two precisions this reuses):
routine/method/side fnu re(z) im(z) scaled n, then per member re, im, scale.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_complex_order_reference as orders  # noqa: E402
import qelms_reference  # noqa: E402

GENERATOR = "gen_complex_axis_reference.py"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "complex_axis.txt")

ORDERS = [0.0, 1.0, 0.3, 2.7, 10.3, 49.5]
REAL_X = [0.5, 1.9, 2.1, 5.0, 21.7, 50.0, 85.9, 500.0, 664.0, 700.5, 32767.99]
IMAGINARY_Y = [5.0, -50.0, 500.0]
MEMBERS = 10
LONG_MEMBERS = 32


def cases():
    out = []
    for routine in ("i", "k", "j", "y"):
        for x in REAL_X:
            out += [(routine, fnu, complex(x, 0.0)) for fnu in ORDERS]
    for routine in ("i", "k"):
        for y in IMAGINARY_Y:
            out += [(routine, fnu, complex(0.0, y)) for fnu in ORDERS]
    # orders 0 and 1 at the smallest x the real-argument routines take
    out += [(routine, fnu, complex(1e-279, 0.0)) for routine in ("i", "k", "j", "y") for fnu in (0.0, 1.0)]
    return out


def long_cases():
    """Integer-order sequences of J and Y up to and past the 32 members the
    forward recurrence from orders 0 and 1 takes, on both sides of its bounds:
    x = 0.01 for Y, x twice the top order for J."""
    out = []
    for fnu in (0.0, 1.0):
        top = fnu + LONG_MEMBERS - 1
        out += [("y", fnu, complex(x, 0.0), LONG_MEMBERS) for x in (0.0099, 0.01, 3.0, 700.5)]
        out += [("j", fnu, complex(x, 0.0), LONG_MEMBERS) for x in (2.0 * top - 0.1, 2.0 * top, 300.0)]
        out += [(routine, fnu, complex(100.0, 0.0), LONG_MEMBERS + 1) for routine in ("j", "y")]
    return out


def main():
    rows = []
    for routine, fnu, z in cases():
        n = MEMBERS if abs(z) > 1e-200 else 2 - int(fnu)
        rows += orders.rows_of(routine, fnu, z, n)
    for routine, fnu, z, n in long_cases():
        rows += orders.rows_of(routine, fnu, z, n)
    qelms_reference.write(OUTPUT, GENERATOR, __doc__, rows)
    print("wrote %d rows to %s" % (len(rows), os.path.normpath(OUTPUT)))


if __name__ == "__main__":
    main()
