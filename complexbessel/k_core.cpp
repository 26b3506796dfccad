// Placeholder until the K core lands: every evaluator reports a convergence failure.
#include "complex_bessel.hpp"

namespace qelms::cbes {

void cbes_k_core(Complex, double, int, int, Complex*, int& nz, const Limits&) { nz = -2; }
void cbes_k_rescale(Complex, double, int, Complex*, int& nz, Complex, double, double, double) { nz = 0; }
void cbes_sinh_cosh(Complex z, Complex& csh, Complex& cch) { csh = std::sinh(z); cch = std::cosh(z); }
void cbes_k_continuation(Complex, double, int, int, int, Complex*, int& nz, const Limits&) { nz = -2; }
void cbes_airy_continuation(Complex, double, int, int, int, Complex*, int& nz, const Limits&) { nz = -2; }
void cbes_combine_scaled(Complex, Complex&, Complex&, int& nz, double, double, int&) { nz = 0; }

}  // namespace qelms::cbes
