#pragma once

// Σ c[k]·u^(k+1), k = 0 … terms − 1, by Horner's rule in u's real and imaginary parts: the
// multipole series of a panel's far field and the asymptotic series of the slab's deep images.
// Written out in real arithmetic, where std::complex's product checks for infinities at every
// step of a hot loop.
namespace velmoka::field_solver {

struct ComplexSum {
    double real;
    double imaginary;
};

inline ComplexSum power_series(const double* coefficients, int terms, double u_real, double u_imaginary) {
    double real = 0.0;
    double imaginary = 0.0;
    for (int k = terms - 1; k >= 0; --k) {
        real += coefficients[k];
        const double next_real = real * u_real - imaginary * u_imaginary;
        imaginary = real * u_imaginary + imaginary * u_real;
        real = next_real;
    }
    return {real, imaginary};
}

}  // namespace velmoka::field_solver
