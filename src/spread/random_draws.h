#pragma once

#include "spread/tolerance.h"

#include <cstdint>

namespace velmoka::spread {

// The random draws of a Monte Carlo run. Each is a function of the run's seed, the sample's
// index and the input alone, never of the order in which samples are worked out: the same seed
// gives the same samples on one core or two, from velmoka-cli or from Python.
class RandomDraws {
public:
    explicit RandomDraws(std::uint64_t seed);

    std::uint64_t seed() const { return seed_; }

    // How far an input strays, in units of its tolerance: normal with the tolerance as three
    // standard deviations, or uniform over ± 1.
    double deviation(std::uint64_t sample, Input input, Distribution distribution) const {
        constexpr double kSigmasInANormalTolerance = 3.0;
        const std::uint64_t first = first_word(sample, input);
        return distribution == Distribution::normal ? normal(first) / kSigmasInANormalTolerance
                                                    : 2.0 * open_unit(first) - 1.0;
    }

private:
    // The first 64-bit word of an input of a sample: the start of its own stream, so that a
    // rejected try of the ziggurat takes further words of that stream and of no other.
    std::uint64_t first_word(std::uint64_t sample, Input input) const {
        constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15U;  // SplitMix64's step
        return scattered(scrambled_seed_ + (sample * kInputs + static_cast<std::uint64_t>(input)) * kGoldenGamma);
    }
    // Word number `draw` of the stream that starts with `first` (draw 0 is first itself).
    static std::uint64_t word(std::uint64_t first, std::uint64_t draw) {
        constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15U;
        return draw == 0 ? first : scattered(first + draw * kGoldenGamma);
    }

    // SplitMix64's finaliser: a bijection of 64-bit words that scatters every bit of its input
    // over every bit of its output, so that consecutive counters give independent-looking words.
    static std::uint64_t scattered(std::uint64_t word) {
        word = (word ^ (word >> 30)) * 0xbf58476d1ce4e5b9U;
        word = (word ^ (word >> 27)) * 0x94d049bb133111ebU;
        return word ^ (word >> 31);
    }

    // The top 53 bits of a word as a number in (0, 1), half a step off either end.
    static double open_unit(std::uint64_t word) { return (static_cast<double>(word >> 11) + 0.5) * 0x1p-53; }

    // Standard normal, mean 0 and standard deviation 1, by the ziggurat method, from the stream
    // that starts with `first`.
    static double normal(std::uint64_t first);

    std::uint64_t seed_;
    std::uint64_t scrambled_seed_;
};

// A seed for a run given none.
std::uint64_t fresh_seed();

}  // namespace velmoka::spread
