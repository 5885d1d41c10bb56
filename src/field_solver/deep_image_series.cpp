#include "field_solver/deep_image_series.h"

#include "field_solver/complex_series.h"

#include <cmath>

namespace velmoka::field_solver {

DeepImageSeries::DeepImageSeries(double er) : ratio_(-(er - 1.0) / (er + 1.0)), total_(ratio_ / (1.0 - ratio_)) {
    // h = N/D with N(s) = −K e^−4s and D(s) = 1 + K e^−2s: the Taylor coefficients of h by
    // dividing those of N by those of D, which fall as 2^m/m! and keep the division stable.
    const double k = -ratio_;
    double h[kAsymptoticTerms + 1];
    double numerator = -k;                     // N_m = −K (−4)^m/m!
    double exponential[kAsymptoticTerms + 1];  // (−2)^m/m!, the coefficients of e^−2s
    exponential[0] = 1.0;
    h[0] = total_;
    double factorial = 1.0;  // (m − 1)!
    for (int m = 1; m <= kAsymptoticTerms; ++m) {
        numerator *= -4.0 / m;
        exponential[m] = exponential[m - 1] * -2.0 / m;
        double convolved = 0.0;
        for (int j = 1; j <= m; ++j) {
            convolved += k * exponential[j] * h[m - j];
        }
        h[m] = (numerator - convolved) / (1.0 + k);
        inverse_powers_[m - 1] = factorial * h[m];
        factorial *= m;
    }
}

std::complex<double> DeepImageSeries::far_sum(std::complex<double> w) const {
    // Horner's rule in 1/w, in real and imaginary parts.
    const double size = std::norm(w);
    const double inverse_real = w.real() / size;
    const double inverse_imaginary = -w.imag() / size;
    const ComplexSum series = power_series(inverse_powers_.data(), kAsymptoticTerms, inverse_real, inverse_imaginary);
    return {total_ * 0.5 * std::log(size) - series.real, total_ * std::atan2(w.imag(), w.real()) - series.imaginary};
}

std::complex<double> DeepImageSeries::sum(std::complex<double> w) const {
    if (ratio_ == 0.0) {
        return 0.0;
    }
    // Images n = 2 ... shift + 1 one by one, then the rest as the series at w + 2·shift.
    int shift = 0;
    if (std::norm(w) < kAsymptoticReach * kAsymptoticReach) {
        const double reach = std::sqrt(kAsymptoticReach * kAsymptoticReach - w.imag() * w.imag());
        shift = static_cast<int>(std::ceil(0.5 * (reach - w.real())));
    }
    double real = 0.0;
    double imaginary = 0.0;
    double weight = 1.0;  // (−K)^(n−1) of the image n summed last
    for (int n = 2; n <= shift + 1; ++n) {
        weight *= ratio_;
        const double below = w.real() + 2.0 * n;
        real += weight * 0.5 * std::log(below * below + w.imag() * w.imag());
        imaginary += weight * std::atan2(w.imag(), below);
    }
    return std::complex<double>{real, imaginary} + weight * far_sum(w + 2.0 * shift);
}

}  // namespace velmoka::field_solver
