#pragma once

#include <array>
#include <complex>

// The deep images of a line charge above a grounded dielectric slab (thickness 1, relative
// permittivity er): the images below the first ground image, n = 2, 3, ..., of weight
// (−K)^(n−1), K = (er − 1)/(er + 1), at the charge's mirror in the ground plane moved down by
// 2(n − 1). Their complex potential S(w) = Σ_{n≥2} (−K)^(n−1) ln(w + 2n), where
// w = (y + y' − 2) + i(x − x') for a charge at (x', y') and a point (x, y) on or above the slab;
// Re S is the images' potential at (x, y) times 2π/(1 − K²). S is analytic off the cut
// w <= −4.
namespace velmoka::field_solver {

class DeepImageSeries {
public:
    explicit DeepImageSeries(double er);

    // S(w) for Re w >= 0, to a few parts in 1e14 of its size.
    std::complex<double> sum(std::complex<double> w) const;

private:
    // Far out, S(w) = Q ln w − Σ_{m≥1} c_m / w^m asymptotically, Q = Σ_{n≥2} (−K)^(n−1): from
    // ln z = ∫ (e^−s − e^−zs)/s ds over s > 0, S(w) = ∫ (Q e^−s − e^−ws h(s))/s ds with
    // h(s) = −K e^−4s/(1 + K e^−2s) = Σ_m h_m s^m, and c_m = (m − 1)! h_m. The poles of h lie
    // at least π/2 from s = 0 whatever K, so the terms fall while m < π|w|/2: at |w| >= 20,
    // kAsymptoticTerms of them leave less than 1e-14. Nearer in, the leading images are summed
    // one by one until the rest, (−K)^(N−1) S(w + 2N − 2), lie that far out.
    static constexpr int kAsymptoticTerms = 30;
    static constexpr double kAsymptoticReach = 20.0;

    std::complex<double> far_sum(std::complex<double> w) const;

    double ratio_;                                         // −K, the ratio of each image to the one above it
    double total_;                                         // Q = −K/(1 + K), the deep images' total weight
    std::array<double, kAsymptoticTerms> inverse_powers_;  // [m − 1] c_m
};

}  // namespace velmoka::field_solver
