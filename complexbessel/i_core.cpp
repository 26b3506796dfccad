// Placeholder until the I core lands: every evaluator reports a convergence failure.
#include "complex_bessel.hpp"

namespace qelms::cbes {

Limits cbes_limit_set() { return {}; }
bool cbes_exp(Complex, Complex& result) { result = {}; return false; }
Complex cbes_divide(Complex a, Complex b) { return a / b; }
void cbes_i_core(Complex, double, int, int, Complex*, int& nz, const Limits&) { nz = -2; }
void cbes_i_series(Complex, double, int, int, Complex*, int& nz, const Limits&) { nz = -2; }
void cbes_i_asymptotic(Complex, double, int, int, Complex*, int& nz, const Limits&) { nz = -2; }
void cbes_i_miller_series(Complex, double, int, int, Complex*, int& nz, const Limits&) { nz = -2; }
void cbes_i_miller_wronskian(Complex, double, int, int, Complex*, int& nz, Complex*, const Limits&) { nz = -2; }
void cbes_ratios(Complex, double, int, Complex*, double) {}
void cbes_over_under_test(Complex, double, int, int, int, Complex*, int& nuf, const Limits&) { nuf = 0; }
void cbes_underflow_check(Complex, int& nz, double, double) { nz = 0; }

}  // namespace qelms::cbes
