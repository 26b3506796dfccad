#include "sequence_driver.hpp"

#include <algorithm>
#include <cmath>

namespace qelms::cbes {

void DriverOutcome::set(int number, std::string_view tmpl, std::initializer_list<FieldValue> values) {
    error = number;
    new (&storage.message) Message(make_message(tmpl, values));
    has_message = true;
}

bool sequence_arguments_valid(DriverOutcome& out, bool zero_z_refused, double fnu, Complex z, int n, char scale) {
    if (zero_z_refused && z.real() == 0.0 && z.imag() == 0.0) {
        out.set(1, "(1X,'** On entry, Z = (0.0,0.0)')");
    } else if (!(fnu >= 0.0)) {
        out.set(1, "(1X,'** On entry, FNU .LT. 0: FNU = ',D13.5)", {fnu});
    } else if (scale_kode(scale) == 0) {
        const char letter[1] = {scale};
        out.set(1, "(1X,'** On entry, SCALE has an illegal value: SCALE = ''',A,'''')",
                {std::string_view(letter, 1)});
    } else if (n < 1) {
        out.set(1, "(1X,'** On entry, N .LE. 0: N = ',I16)", {n});
    } else {
        return true;
    }
    return false;
}

bool sequence_range_valid(DriverOutcome& out, double az, double fn, const Limits& lim, const RangeErrors& errors) {
    const double bound = lim.precision_bound;
    if (az > lim.az_limit) {
        out.set(errors.no_computation, no_computation_abs_z, {az, lim.az_limit});
        return false;
    }
    if (fn > lim.az_limit) {
        out.set(errors.no_computation, "(1X,'** No computation because FNU+N-1 =',1P,D13.5,' .GT.',D13.5)",
                {fn, lim.az_limit});
        return false;
    }
    if (az > bound) {
        out.set(errors.lacks_precision, "(1X,'** Results lack precision because abs(Z) =',1P,D13.5,' .GT.',D13.5)",
                {az, bound});
    } else if (fn > bound) {
        out.set(errors.lacks_precision, errors.order_warning, {fn, bound});
    }
    return true;
}

int i_sequence(Complex z, double fnu, int kode, int n, Complex* cy, const Limits& lim, DriverOutcome& out,
               std::string_view overflow_template, double value) {
    int nw = 0;
    cbes_i_core(z, fnu, kode, n, cy, nw, lim);
    if (nw >= 0) return nw;
    if (nw == -3)
        out.set(4, no_computation_abs_z, {modulus(z), lim.precision_bound});
    else if (nw == -2)
        out.set(5, termination_not_met);
    else
        out.set(2, overflow_template, {value, lim.elim});
    return -1;
}

int k_sequence(Complex z, double fnu, int kode, int mr, int n, Complex* cy, int& nz, const Limits& lim,
               DriverOutcome& out, std::string_view tiny_z_template, KPair* shared) {
    const double az = modulus(z);
    const double fn = fnu + n - 1;
    if (az < lim.ufl) {
        out.set(2, tiny_z_template, {az, lim.ufl});
        return -1;
    }
    int nw = 0;
    if (fnu > lim.fnul) {
        cbes_k_uniform(mr != 0 && z.real() == 0.0 ? -z : z, fnu, kode, mr, n, cy, nw, lim);
    } else {
        if (fn > 2.0) {
            // The K test drops either no member or all of them.
            int nuf = 0;
            cbes_over_under_test(z, fnu, kode, 2, n, cy, nuf, lim);
            nz = nuf;
            if (nuf < 0 || (nuf == n && z.real() < 0.0)) {
                nw = -1;  // the continuation would overflow where K underflows
            } else if (nuf == n) {
                return 0;  // every member underflowed
            }
        } else if (fn > 1.0 && az <= lim.tol && -fn * std::log(az / 2.0) > lim.elim) {
            nw = -1;
        }
        if (shared != nullptr && n > 2) shared = nullptr;
        if (nw == 0 && mr != 0) {
            cbes_k_continuation(z, fnu, kode, mr, n, cy, nw, lim, shared);
        } else if (nw == 0 && shared == nullptr) {
            cbes_k_core(z, fnu, kode, n, cy, nw, lim);
        } else if (nw == 0 && shared->holds(z, n)) {
            std::copy(shared->k, shared->k + n, cy);
        } else if (nw == 0) {
            // One member more for the other kind's continuation where its I
            // comes from Miller's algorithm with the Wronskian, which needs
            // the pair (|z| above rl, the order between 1 and fnul and above
            // sqrt(2|z|)); its first member is the one asked for where the
            // members are not carried times e^z (unscaled beyond alim).
            const bool pair_wanted = n == 1 && az > lim.rl && az <= lim.fnul && fnu > 1.0 && fnu <= lim.fnul &&
                                     az + az < fnu * fnu && !(kode == 1 && z.real() > lim.alim);
            Complex k[2];
            if (pair_wanted) cbes_k_core(z, fnu, kode, 2, k, nw, lim);
            if (pair_wanted && nw == 0) {
                shared->keep(z, k, 2);
                cy[0] = k[0];
            } else {
                cbes_k_core(z, fnu, kode, n, cy, nw, lim);
                if (nw == 0) shared->keep(z, cy, n);
            }
        }
    }
    if (nw >= 0) {
        nz = nw;
        return n;
    }
    nz = 0;
    if (nw == -3)
        out.set(5, no_computation_abs_z, {az, lim.precision_bound});
    else if (nw == -1)
        out.set(3, "(1X,'** No computation because FNU+N-1 =',1P,D13.5,' is t','oo large.')", {fn});
    else
        out.set(6, termination_not_met);
    return -1;
}

bool members_writable(int n, const Limits& lim) { return n >= 1 && n - 1.0 <= lim.az_limit; }

void fill_members(Complex* cy, int n, Complex v, const Limits& lim) {
    if (members_writable(n, lim)) std::fill_n(cy, n, v);
}

void rotate_members(Complex* cy, int n, Complex csgn, Complex step, const Limits& lim) {
    const double rtol = 1.0 / lim.tol;
    const double ascle = lim.ufl * rtol;
    for (int k = 0; k < n; ++k) {
        Complex a = cy[k];
        double atol = 1.0;
        if (std::max(std::abs(a.real()), std::abs(a.imag())) <= ascle) {
            a *= rtol;
            atol = lim.tol;
        }
        cy[k] = a * csgn * atol;
        csgn *= step;
    }
}

}  // namespace qelms::cbes
