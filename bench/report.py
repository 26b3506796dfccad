"""Writes docs/accuracy-and-speed.md and one SVG plot per family from the benchmark's output.

    report.py RESULTS_TSV POINTS_TSV ENVIRONMENT_TXT DOCS_DIR [EXTRA_MARKDOWN...]

EXTRA_MARKDOWN files (the complex routines' section, when built) are appended as they are.
"""
import collections
import csv
import math
import os
import sys

import matplotlib

matplotlib.use("svg")
import matplotlib.pyplot as plt  # noqa: E402

FAMILIES = [
    ("Gamma function and its logarithm", "gamma", ["gammaf", "lngamm"]),
    ("Incomplete gamma functions P and Q", "incomplete_gamma", ["gaminc_p", "gaminc_q"]),
    ("Error functions", "error_function", ["errfun", "erfcmp"]),
    ("Exponential, sine and cosine integrals", "exponential_integrals", ["expint", "sinint", "cosint"]),
    ("Bessel functions J and Y", "bessel_j_y", ["beslj0", "beslj1", "besly0", "besly1"]),
    ("Modified Bessel functions I and K", "bessel_i_k", ["besli0", "besli1", "beslk0", "beslk1"]),
    ("Airy functions", "airy", ["airyai", "airybi", "airyad", "airybd"]),
    ("Kelvin functions", "kelvin", ["kelber", "kelbei", "kelker", "kelkei"]),
    ("Fresnel integrals", "fresnel", ["fresns", "fresnc"]),
    ("Carlson's elliptic integrals", "carlson", ["ellprc", "ellprf", "ellprd", "ellprj"]),
]
LIBRARIES = ["qelms", "glibc", "boost", "gsl"]
COLOURS = {"qelms": "black", "glibc": "tab:blue", "boost": "tab:orange", "gsl": "tab:green"}
BINS = 120  # plot: largest error per bin of the horizontal axis
PEER_FAILURES = 0.01  # a library failing on more than this share of a region's points is no peer there


def peer(r):
    """Whether another library's row counts in the comparisons of its region."""
    return r["failed"] <= PEER_FAILURES * r["points"] and not math.isnan(r["max"])


def read_results(path):
    rows = []
    with open(path) as f:
        for r in csv.DictReader(f, delimiter="\t"):
            for k in ("points", "failed"):
                r[k] = int(r[k])
            for k in ("max", "p99", "median", "ns", "max_rel"):
                r[k] = float(r[k])
            rows.append(r)
    return rows


def fmt(v):
    if v is None or math.isnan(v):
        return "–"
    if v >= 1e4:
        return "%.1e" % v
    return "%.3g" % v


def summary(rows):
    """Per routine: qelms max, best other max and its library, qelms ns, fastest other ns, the region where
    qelms's error is furthest behind the best other library's, and the region of its largest time ratio."""
    by = collections.defaultdict(lambda: collections.defaultdict(list))
    for r in rows:
        by[r["routine"]][r["library"]].append(r)
    out = []
    for _, _, names in FAMILIES:
        for name in names:
            libs = by.get(name)
            if not libs:
                continue
            mean_ns = {lib: sum(r["ns"] * r["points"] for r in rs) / sum(r["points"] for r in rs)
                       for lib, rs in libs.items()}
            worst = {lib: max((r["max"] for r in rs if not math.isnan(r["max"])), default=float("nan"))
                     for lib, rs in libs.items()}
            failed = {lib: sum(r["failed"] for r in rs) for lib, rs in libs.items()}
            others = [lib for lib in libs if lib != "qelms"]
            best = min(others, key=lambda lib: worst[lib], default=None)
            fastest = min(others, key=lambda lib: mean_ns[lib], default=None)
            # the region where qelms falls furthest behind the best other library there
            behind = None
            for region in dict.fromkeys(r["region"] for r in libs["qelms"]):
                q = next(r["max"] for r in libs["qelms"] if r["region"] == region)
                rivals = [(r["max"], lib) for lib in others for r in libs[lib] if r["region"] == region and peer(r)]
                if rivals:
                    b = min(rivals)
                    if q > b[0] and (behind is None or q / b[0] > behind[0]):
                        behind = (q / b[0], region, q, b[0], b[1])
            # the region where qelms's time is largest next to the fastest other library there
            slowest = None
            for r in libs["qelms"]:
                rivals = [(o["ns"], lib) for lib in others for o in libs[lib] if o["region"] == r["region"] and peer(o)]
                if rivals:
                    b = min(rivals)
                    if slowest is None or r["ns"] / b[0] > slowest[0]:
                        slowest = (r["ns"] / b[0], r["region"], b[1])
            out.append((name, worst["qelms"], failed["qelms"], best, worst.get(best), mean_ns["qelms"],
                        fastest, mean_ns.get(fastest), behind, slowest))
    return out


def plot_family(title, routines, points, path):
    present = [r for r in routines if r in points]
    if not present:
        return False
    fig, axes = plt.subplots(len(present), 1, figsize=(8, 2.6 * len(present)), squeeze=False)
    for ax, routine in zip(axes[:, 0], present):
        for lib in LIBRARIES:
            pts = points[routine].get(lib)
            if not pts:
                continue
            xs = [p[0] for p in pts]
            lo, hi = min(xs), max(xs)
            t = lambda v: math.asinh(v)  # noqa: E731
            width = (t(hi) - t(lo)) / BINS or 1.0
            bins = {}
            for x, e in pts:
                b = int((t(x) - t(lo)) / width)
                if b not in bins or e > bins[b][1]:
                    bins[b] = (x, e)
            xy = sorted(bins.values())
            ax.plot([p[0] for p in xy], [max(p[1], 1e-3) for p in xy], ".-", ms=2, lw=0.6,
                    color=COLOURS[lib], label=lib)
        ax.set_xscale("symlog", linthresh=1.0)
        ax.set_yscale("log")
        ax.set_ylabel("error (eps)")
        ax.set_title(routine + (" (x/a)" if routine.startswith("gaminc") else
                                " (largest/smallest argument)" if routine.startswith("ellpr") else ""),
                     fontsize=9)
        ax.grid(True, which="major", lw=0.3)
        ax.legend(fontsize=7, loc="upper right")
    fig.suptitle(title + ": largest error per bin of x", fontsize=10)
    fig.tight_layout()
    fig.savefig(path)
    plt.close(fig)
    return True


def read_points(path):
    """routine -> library -> [(abscissa, error)]."""
    points = collections.defaultdict(lambda: collections.defaultdict(list))
    with open(path) as f:
        next(f)
        for line in f:
            routine, _, lib, args, e = line.rstrip("\n").split("\t")
            a = [float(v) for v in args.split()]
            if routine.startswith("gaminc"):
                x = a[1] / a[0]
            elif routine.startswith("ellpr"):
                pos = [abs(v) for v in a if v != 0]
                x = max(pos) / min(pos)
            else:
                x = a[0]
            if math.isfinite(x) and math.isfinite(float(e)):
                points[routine][lib].append((x, float(e)))
    return points


def main():
    results, points_path, env_path, docs = sys.argv[1:5]
    extra = sys.argv[5:]
    rows = read_results(results)
    points = read_points(points_path)
    plots = os.path.join(docs, "accuracy-and-speed")
    os.makedirs(plots, exist_ok=True)
    with open(env_path) as f:
        environment = f.read().strip()
    md = []
    md.append("# Accuracy and speed\n")
    md.append("Generated by `bench/run`; do not edit. Every routine of real argument, with glibc's libm, "
              "Boost.Math (double arithmetic: `promote_double<false>`) and GSL where they have the same "
              "function, on the same points in one run.\n")
    md.append("- Points: every argument of the tests' reference data (`tests/data/`, region `tests`) inside the "
              "routine's computed domain; each region of the routine drawn twice, 200 points uniformly "
              "(*uniform*, with both edges) and 200 with |x| log-uniform (*log-uniform*), across the whole "
              "region; and 400 points next to the first zero of J0, J1, Y0, Y1, Ai, Bi, Ai′, Bi′, ber, bei, "
              "ker, kei and Ci (*next to the first zero*: the 41 doubles nearest it, then z(1 ± u) with u "
              "log-uniform in [1e-15, 0.1]). `tools/gen_bench_data.py` writes them to `bench/data/` with "
              "values from mpmath at 50 and 80 digits, a point kept when the two agree to 30 digits (or 80 and "
              "120 do).")
    md.append("- Error: |y − value| / scale in units of 2^−52 (eps). The scale is |value| (relative error) "
              "except in regions marked *(amplitude)*, where the function oscillates through zeros: there it is "
              "max(|value|, local amplitude), the amplitude being |J + iY|, |Ai + iBi|, |Ai′ + iBi′|, "
              "|ber + i bei|, |ker + i kei| or |Ci + i(Si − π/2)| at that x. (J and Y are amplitude-scaled "
              "from |x| = 0.5, Airy on x < 0.) The column *max rel* gives the plain relative error "
              "|y − value| / |value| beside it; it grows without bound next to any zero, so it is compared "
              "next to the first zeros, where the scale is |value|.")
    md.append("- Time: ns per call over the region's points, median of %s repeats in which the libraries take "
              "turns. A library's failures (NaN, infinity or a reported error) are counted, not measured; a library that "
              "fails on more than 1%% of a region's points is left out of the comparisons of that region.\n"
              % "11")
    md.append("Machine and libraries:\n\n```\n%s\n```\n" % environment)
    md.append("## Summary\n")
    md.append("Largest error over all regions; the region where qelms's largest error exceeds the best other "
              "library's there by the widest factor; time as the mean ns per call over all points, and its ratio "
              "to the fastest other library; the region with the largest ratio of qelms's time to the fastest "
              "other library's there.\n")
    md.append("| routine | qelms max (eps) | best other max (eps) | furthest behind, by region | qelms ns "
              "| fastest other ns | time ratio | largest time ratio, by region |")
    md.append("|---|---|---|---|---|---|---|---|")
    for name, q, qf, best, bmax, qns, fastest, fns, behind, slowest in summary(rows):
        fail = " (%d failed)" % qf if qf else ""
        other = "%s (%s)" % (fmt(bmax), best) if best else "none"
        speed = "%s (%s)" % (fmt(fns), fastest) if fastest else "–"
        ratio = "%.2f" % (qns / fns) if fastest else "–"
        lag = ("%s: %s vs %s (%s)" % (behind[1].replace("|", "\\|"), fmt(behind[2]), fmt(behind[3]), behind[4])
               if behind else "–")
        slow = "%.2f (%s, %s)" % (slowest[0], slowest[1].replace("|", "\\|"), slowest[2]) if slowest else "–"
        md.append("| `%s` | %s%s | %s | %s | %s | %s | %s | %s |" % (
            name, fmt(q), fail, other, lag, fmt(qns), speed, ratio, slow))
    md.append("")
    for title, family, names in FAMILIES:
        frows = [r for r in rows if r["routine"] in names]
        if not frows:
            continue
        md.append("## %s\n" % title)
        if plot_family(title, names, points, os.path.join(plots, family + ".svg")):
            md.append("![%s](accuracy-and-speed/%s.svg)\n" % (title, family))
        md.append("| routine | region | library | points | failed | max | 99% | median | largest at | ns "
                  "| max rel | largest rel at |")
        md.append("|---|---|---|---|---|---|---|---|---|---|---|---|")
        for r in frows:
            same = r["worst_rel_at"] == r["worst_at"]
            md.append("| `%s` | %s | %s | %d | %d | %s | %s | %s | %s | %s | %s | %s |" % (
                r["routine"], r["region"].replace("|", "\\|"), r["library"], r["points"], r["failed"], fmt(r["max"]),
                fmt(r["p99"]), fmt(r["median"]), r["worst_at"], fmt(r["ns"]), fmt(r["max_rel"]),
                "same" if same else r["worst_rel_at"]))
        md.append("")
    for path in extra:
        with open(path) as f:
            md.append(f.read().strip() + "\n")
    with open(os.path.join(docs, "accuracy-and-speed.md"), "w") as f:
        f.write("\n".join(md))


if __name__ == "__main__":
    main()
