// Accuracy and speed of the real-argument routines next to glibc, Boost.Math
// and GSL, on the same points in one run.
//
//   qelms_bench DATA_DIR RESULTS_TSV POINTS_TSV [ROUTINE...]
//
// With routine names given, only those routines are run.
// DATA_DIR holds the rows written by tools/gen_bench_data.py:
//   routine|region|arguments|value|scale
// For every routine, region and library the program writes to RESULTS_TSV the
// count of points, the count a library failed on (NaN, infinity or a reported
// error), the largest, 99th-percentile and median error |y - value| / scale in
// units of 2^-52, the argument of the largest, the median over repeats of the
// time per call in ns (the libraries take turns within each repeat), and the
// largest plain relative error |y - value| / |value| with its argument (the
// same as the first where the scale is |value|).
// POINTS_TSV gets every error over the scale, for the plots.
#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <boost/math/special_functions/airy.hpp>
#include <boost/math/special_functions/bessel.hpp>
#include <boost/math/special_functions/ellint_rc.hpp>
#include <boost/math/special_functions/ellint_rd.hpp>
#include <boost/math/special_functions/ellint_rf.hpp>
#include <boost/math/special_functions/ellint_rj.hpp>
#include <boost/math/special_functions/erf.hpp>
#include <boost/math/special_functions/expint.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_sf.h>

#include "qelms/qelms.hpp"

namespace {

using namespace boost::math::policies;
// Double arithmetic throughout, errors reported through errno instead of exceptions.
using BoostPolicy = policy<promote_double<false>, domain_error<errno_on_error>, pole_error<errno_on_error>,
                           overflow_error<errno_on_error>, evaluation_error<errno_on_error>,
                           rounding_error<errno_on_error>, underflow_error<ignore_error>>;
constexpr BoostPolicy boost_policy{};

// One library's implementation of a routine: value at the arguments a.
using Function = double (*)(const double* a);

struct Implementation {
    const char* library;
    Function f;
};

struct Routine {
    const char* name;
    std::vector<Implementation> implementations;  // qelms first
};

// qelms signals a failure through ifail; the bench treats it as NaN.
double checked(double y, int ifail) { return ifail == 0 ? y : NAN; }

// qelms routine F of N real arguments, called with a[0..N-1].
template <auto F, std::size_t... I>
double call_qelms(const double* a, std::index_sequence<I...>) {
    int ifail = 1;
    const double y = F(a[I]..., ifail);
    return checked(y, ifail);
}

template <auto F, std::size_t N = 1>
double qelms_call(const double* a) {
    return call_qelms<F>(a, std::make_index_sequence<N>{});
}

double qelms_p(const double* a) {
    double p = 0.0, q = 0.0;
    int ifail = 1;
    qelms::gaminc(a[0], a[1], 0.0, p, q, ifail);
    return checked(p, ifail);
}

double qelms_q(const double* a) {
    double p = 0.0, q = 0.0;
    int ifail = 1;
    qelms::gaminc(a[0], a[1], 0.0, p, q, ifail);
    return checked(q, ifail);
}

const std::vector<Routine>& routines() {
    static const std::vector<Routine> table = {
        {"gammaf",
         {{"qelms", qelms_call<qelms::gammaf>},
          {"glibc", [](const double* a) { return std::tgamma(a[0]); }},
          {"boost", [](const double* a) { return boost::math::tgamma(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_gamma(a[0]); }}}},
        {"lngamm",
         {{"qelms", qelms_call<qelms::lngamm>},
          {"glibc", [](const double* a) { return std::lgamma(a[0]); }},
          {"boost", [](const double* a) { return boost::math::lgamma(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_lngamma(a[0]); }}}},
        {"errfun",
         {{"qelms", qelms_call<qelms::errfun>},
          {"glibc", [](const double* a) { return std::erf(a[0]); }},
          {"boost", [](const double* a) { return boost::math::erf(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_erf(a[0]); }}}},
        {"erfcmp",
         {{"qelms", qelms_call<qelms::erfcmp>},
          {"glibc", [](const double* a) { return std::erfc(a[0]); }},
          {"boost", [](const double* a) { return boost::math::erfc(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_erfc(a[0]); }}}},
        {"expint",
         {{"qelms", qelms_call<qelms::expint>},
          {"boost", [](const double* a) { return boost::math::expint(1, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_expint_E1(a[0]); }}}},
        {"sinint",
         {{"qelms", qelms_call<qelms::sinint>}, {"gsl", [](const double* a) { return gsl_sf_Si(a[0]); }}}},
        {"cosint",
         {{"qelms", qelms_call<qelms::cosint>}, {"gsl", [](const double* a) { return gsl_sf_Ci(a[0]); }}}},
        {"gaminc_p",
         {{"qelms", qelms_p},
          {"boost", [](const double* a) { return boost::math::gamma_p(a[0], a[1], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_gamma_inc_P(a[0], a[1]); }}}},
        {"gaminc_q",
         {{"qelms", qelms_q},
          {"boost", [](const double* a) { return boost::math::gamma_q(a[0], a[1], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_gamma_inc_Q(a[0], a[1]); }}}},
        {"beslj0",
         {{"qelms", qelms_call<qelms::beslj0>},
          {"glibc", [](const double* a) { return j0(a[0]); }},
          {"boost", [](const double* a) { return boost::math::cyl_bessel_j(0, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_J0(a[0]); }}}},
        {"beslj1",
         {{"qelms", qelms_call<qelms::beslj1>},
          {"glibc", [](const double* a) { return j1(a[0]); }},
          {"boost", [](const double* a) { return boost::math::cyl_bessel_j(1, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_J1(a[0]); }}}},
        {"besly0",
         {{"qelms", qelms_call<qelms::besly0>},
          {"glibc", [](const double* a) { return y0(a[0]); }},
          {"boost", [](const double* a) { return boost::math::cyl_neumann(0, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_Y0(a[0]); }}}},
        {"besly1",
         {{"qelms", qelms_call<qelms::besly1>},
          {"glibc", [](const double* a) { return y1(a[0]); }},
          {"boost", [](const double* a) { return boost::math::cyl_neumann(1, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_Y1(a[0]); }}}},
        {"besli0",
         {{"qelms", qelms_call<qelms::besli0>},
          {"boost", [](const double* a) { return boost::math::cyl_bessel_i(0, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_I0(a[0]); }}}},
        {"besli1",
         {{"qelms", qelms_call<qelms::besli1>},
          {"boost", [](const double* a) { return boost::math::cyl_bessel_i(1, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_I1(a[0]); }}}},
        {"beslk0",
         {{"qelms", qelms_call<qelms::beslk0>},
          {"boost", [](const double* a) { return boost::math::cyl_bessel_k(0, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_K0(a[0]); }}}},
        {"beslk1",
         {{"qelms", qelms_call<qelms::beslk1>},
          {"boost", [](const double* a) { return boost::math::cyl_bessel_k(1, a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_bessel_K1(a[0]); }}}},
        {"airyai",
         {{"qelms", qelms_call<qelms::airyai>},
          {"boost", [](const double* a) { return boost::math::airy_ai(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_airy_Ai(a[0], GSL_PREC_DOUBLE); }}}},
        {"airybi",
         {{"qelms", qelms_call<qelms::airybi>},
          {"boost", [](const double* a) { return boost::math::airy_bi(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_airy_Bi(a[0], GSL_PREC_DOUBLE); }}}},
        {"airyad",
         {{"qelms", qelms_call<qelms::airyad>},
          {"boost", [](const double* a) { return boost::math::airy_ai_prime(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_airy_Ai_deriv(a[0], GSL_PREC_DOUBLE); }}}},
        {"airybd",
         {{"qelms", qelms_call<qelms::airybd>},
          {"boost", [](const double* a) { return boost::math::airy_bi_prime(a[0], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_airy_Bi_deriv(a[0], GSL_PREC_DOUBLE); }}}},
        {"kelber", {{"qelms", qelms_call<qelms::kelber>}}},
        {"kelbei", {{"qelms", qelms_call<qelms::kelbei>}}},
        {"kelker", {{"qelms", qelms_call<qelms::kelker>}}},
        {"kelkei", {{"qelms", qelms_call<qelms::kelkei>}}},
        {"fresns", {{"qelms", qelms_call<qelms::fresns>}}},
        {"fresnc", {{"qelms", qelms_call<qelms::fresnc>}}},
        {"ellprc",
         {{"qelms", qelms_call<qelms::ellprc, 2>},
          {"boost", [](const double* a) { return boost::math::ellint_rc(a[0], a[1], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_ellint_RC(a[0], a[1], GSL_PREC_DOUBLE); }}}},
        {"ellprf",
         {{"qelms", qelms_call<qelms::ellprf, 3>},
          {"boost", [](const double* a) { return boost::math::ellint_rf(a[0], a[1], a[2], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_ellint_RF(a[0], a[1], a[2], GSL_PREC_DOUBLE); }}}},
        {"ellprd",
         {{"qelms", qelms_call<qelms::ellprd, 3>},
          {"boost", [](const double* a) { return boost::math::ellint_rd(a[0], a[1], a[2], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_ellint_RD(a[0], a[1], a[2], GSL_PREC_DOUBLE); }}}},
        {"ellprj",
         {{"qelms", qelms_call<qelms::ellprj, 4>},
          {"boost", [](const double* a) { return boost::math::ellint_rj(a[0], a[1], a[2], a[3], boost_policy); }},
          {"gsl", [](const double* a) { return gsl_sf_ellint_RJ(a[0], a[1], a[2], a[3], GSL_PREC_DOUBLE); }}}},
    };
    return table;
}

struct Point {
    std::vector<double> args;
    long double value;
    long double scale;
};

// Points of one routine and region, in file order.
struct Region {
    std::string routine;
    std::string name;
    std::vector<Point> points;
};

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> parts;
    std::stringstream s(line);
    std::string part;
    while (std::getline(s, part, sep)) parts.push_back(part);
    return parts;
}

std::vector<Region> read_regions(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::vector<Region> regions;
    std::map<std::pair<std::string, std::string>, std::size_t> index;
    for (const auto& file : files) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            const auto f = split(line, '|');
            if (f.size() != 5) {
                std::fprintf(stderr, "%s: skipped, not 5 fields: %s\n", file.c_str(), line.c_str());
                continue;
            }
            Point p;
            std::stringstream args(f[2]);
            for (double v; args >> v;) p.args.push_back(v);
            p.value = std::strtold(f[3].c_str(), nullptr);
            p.scale = std::strtold(f[4].c_str(), nullptr);
            const auto key = std::make_pair(f[0], f[1]);
            if (!index.count(key)) {
                index[key] = regions.size();
                regions.push_back({f[0], f[1], {}});
            }
            regions[index[key]].points.push_back(std::move(p));
        }
    }
    return regions;
}

constexpr long double eps = 0x1p-52L;
constexpr int repeats = 11;            // timing repeats; the median is reported
constexpr long calls_per_pass = 20000;  // about this many calls per timed pass

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return NAN;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(std::ceil(q * static_cast<double>(v.size()))) - (q > 0 ? 1 : 0);
    return v[std::min(i, v.size() - 1)];
}

// The arguments as text that reads back to the same doubles, separated by blanks.
std::string arguments_text(const std::vector<double>& args) {
    std::string text;
    char buf[32];
    for (double v : args) {
        std::snprintf(buf, sizeof buf, "%.17g", v);
        if (!text.empty()) text += ' ';
        text += buf;
    }
    return text;
}

volatile double sink;

// Median over repeats of ns per call for every implementation, taking turns.
std::vector<double> time_region(const Region& region, const std::vector<Implementation>& impls) {
    const long n = static_cast<long>(region.points.size());
    const long passes = std::max(1L, calls_per_pass / n);
    std::vector<std::vector<double>> samples(impls.size());
    for (int r = 0; r < repeats; ++r) {
        for (std::size_t k = 0; k < impls.size(); ++k) {
            const std::size_t j = (k + static_cast<std::size_t>(r)) % impls.size();
            const Function f = impls[j].f;
            double sum = 0.0;
            const auto t0 = std::chrono::steady_clock::now();
            for (long pass = 0; pass < passes; ++pass)
                for (const Point& p : region.points) sum += f(p.args.data());
            const auto t1 = std::chrono::steady_clock::now();
            sink = sum;
            const double ns = std::chrono::duration<double, std::nano>(t1 - t0).count();
            samples[j].push_back(ns / static_cast<double>(passes * n));
        }
    }
    std::vector<double> medians;
    for (auto& s : samples) medians.push_back(percentile(s, 0.5));
    return medians;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s DATA_DIR RESULTS_TSV POINTS_TSV [ROUTINE...]\n", argv[0]);
        return 2;
    }
    gsl_set_error_handler_off();
    std::map<std::string, const Routine*> by_name;
    const std::vector<std::string> only(argv + 4, argv + argc);
    for (const Routine& r : routines())
        if (only.empty() || std::find(only.begin(), only.end(), r.name) != only.end()) by_name[r.name] = &r;
    const std::vector<Region> regions = read_regions(argv[1]);
    std::ofstream results(argv[2]);
    std::ofstream points(argv[3]);
    results << "routine\tregion\tlibrary\tpoints\tfailed\tmax\tp99\tmedian\tworst_at\tns\tmax_rel\tworst_rel_at\n";
    points << "routine\tregion\tlibrary\tx\terror\n";
    for (const Region& region : regions) {
        const auto it = by_name.find(region.routine);
        if (it == by_name.end()) continue;
        const auto& impls = it->second->implementations;
        const std::vector<double> ns = time_region(region, impls);
        for (std::size_t j = 0; j < impls.size(); ++j) {
            std::vector<double> errors;
            long failed = 0;
            double worst = -1.0, worst_rel = -1.0;
            std::string worst_at, worst_rel_at;
            for (const Point& p : region.points) {
                errno = 0;
                const double y = impls[j].f(p.args.data());
                if (!std::isfinite(y)) {
                    ++failed;
                    continue;
                }
                const long double diff = std::fabs(static_cast<long double>(y) - p.value);
                const double e = static_cast<double>(diff / p.scale / eps);
                const double rel = static_cast<double>(diff / std::fabs(p.value) / eps);
                errors.push_back(e);
                const std::string at = arguments_text(p.args);
                if (rel > worst_rel) {
                    worst_rel = rel;
                    worst_rel_at = at;
                }
                points << region.routine << '\t' << region.name << '\t' << impls[j].library << '\t' << at << '\t' << e
                       << '\n';
                if (e > worst) {
                    worst = e;
                    worst_at = at;
                }
            }
            char line[640];
            std::snprintf(line, sizeof line, "%s\t%s\t%s\t%zu\t%ld\t%.3g\t%.3g\t%.3g\t%s\t%.4g\t%.3g\t%s\n",
                          region.routine.c_str(), region.name.c_str(), impls[j].library, region.points.size(), failed,
                          percentile(errors, 1.0), percentile(errors, 0.99), percentile(errors, 0.5), worst_at.c_str(), ns[j],
                          errors.empty() ? NAN : worst_rel, worst_rel_at.c_str());
            results << line;
        }
        std::fprintf(stderr, "%s %s\n", region.routine.c_str(), region.name.c_str());
    }
    return 0;
}
