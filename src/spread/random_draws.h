#pragma once

#include "spread/tolerance.h"

#include <cstddef>
#include <cstdint>

namespace velmoka::spread {

// The random draws of a Monte Carlo run. Each is a function of the run's seed, the sample's
// index and the input alone, never of the order in which samples are worked out: the same seed
// gives the same samples on one core or two, on any processor, from velmoka-cli or from Python.
// A pair's gap draws from streams of its own, apart from the strip's: the same seed gives a pair
// the W, H, T and er it gives a single strip.
class RandomDraws {
public:
    explicit RandomDraws(std::uint64_t seed);

    // How far an input strays, in units of its tolerance: normal with the tolerance as three
    // standard deviations, or uniform over ± 1.
    double deviation(std::uint64_t sample, Input input, Distribution distribution) const;

    // The same for samples first to first + count − 1 of an input, into out: the doubles that
    // deviation gives one by one, bit for bit, on the processor's SIMD lanes where it has them.
    void deviations(std::uint64_t first, std::size_t count, Input input, Distribution distribution, double* out) const;

    // The counter of an input of a sample, whose scattered value starts the stream of its draws
    // (draw_kernels.h).
    std::uint64_t counter(std::uint64_t sample, Input input) const;

private:
    std::uint64_t scrambled_seed_;
};

// A seed for a run given none.
std::uint64_t fresh_seed();

}  // namespace velmoka::spread
