// Placeholder until the uniform expansions land: every evaluator reports overflow.
#include "complex_bessel.hpp"

namespace qelms::cbes {

void cbes_i_uniform(Complex, double, int, int, Complex*, int& nz, int, int& nlast, const Limits&) { nz = -1; nlast = 0; }
void cbes_i_uniform_debye(Complex, double, int, int, Complex*, int& nz, int& nlast, const Limits&) { nz = -1; nlast = 0; }
void cbes_i_uniform_airy(Complex, double, int, int, Complex*, int& nz, int& nlast, const Limits&) { nz = -1; nlast = 0; }
void cbes_k_uniform(Complex, double, int, int, int, Complex*, int& nz, const Limits&) { nz = -1; }
void cbes_k_uniform_debye(Complex, double, int, int, int, Complex*, int& nz, const Limits&) { nz = -1; }
void cbes_k_uniform_airy(Complex, double, int, int, int, Complex*, int& nz, const Limits&) { nz = -1; }

}  // namespace qelms::cbes
