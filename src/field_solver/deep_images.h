#pragma once

#include <vector>

// A line charge above a grounded dielectric slab (thickness 1, relative permittivity er) sees,
// from anywhere above the slab, the field of itself and of image charges on its vertical: −K at
// its mirror in the slab's top face, K = (er − 1)/(er + 1), then −(1 − K²)(−K)^(n−1) at its
// mirror in the ground plane moved down by 2(n − 1), for n = 1, 2, ... The images add up to
// −1, the ground plane's charge. This class sums the images from n = 2 on.
namespace velmoka::field_solver {

class DeepImages {
public:
    // For a slab of permittivity er, at offsets w up to largest_offset in size.
    DeepImages(double er, double largest_offset);

    // Σ_{n≥2} (−K)^(n−1) ln|w + 2n|, where w = height + i·across = (y + y' − 2) + i(x − x') for a
    // charge at (x', y') and a point (x, y), both on or above the slab: the images' potential at
    // (x, y), times 2π/(1 − K²).
    double log_sum(double height, double across) const;

private:
    // Images beyond the first `near` are summed through ln|w + 2n| = ln 2n + Re ln(1 + w/2n),
    // the logarithm's power series in w/2n with the sums over n worked out once; near is chosen
    // so that |w/2n| <= 1/4 there, and kSeriesTerms terms then leave less than 1e-13.
    static constexpr int kSeriesTerms = 20;

    int near_count(double offset) const;

    double ratio_;                     // −K, the ratio of each image to the one above it
    int significant_;                  // beyond this image, |K|^(n−1) is below 1e-17
    std::vector<double> log_tail_;     // [near] Σ_{n>near} (−K)^(n−1) ln 2n
    std::vector<double> power_tails_;  // [near][k] (−1)^(k+1)/k Σ_{n>near} (−K)^(n−1) (1/2n)^k
};

}  // namespace velmoka::field_solver
