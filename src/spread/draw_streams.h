#pragma once

#include "spread/tolerance.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The arithmetic of the Monte Carlo's random draws, shared by the scalar draws and the SIMD
// lanes so that both take the same steps in the same order. Each input of each sample has a
// stream of its own: its counter, scattered by SplitMix64's finaliser, is the stream's first
// word, and a rejected try of the ziggurat takes further words of that stream and of no other.
// Word, in the templates below, is std::uint64_t or a vector of them, Doubles a double or a
// vector of them: the operators work element by element on either.
namespace velmoka::spread {

inline constexpr std::uint64_t kGoldenGamma = 0x9e3779b97f4a7c15U;  // SplitMix64's step
// From the counter of a sample's input to that of the next sample's: a single strip's four inputs
// take four steps a sample, and a pair's gap steps along its own streams alike (random_draws.h).
inline constexpr std::uint64_t kSampleStride = kStripInputs * kGoldenGamma;

// The normal ziggurat of Marsaglia and Tsang in Doornik's form (2005): 128 layers of equal
// area under the density, the bottom one with the tail beyond its right edge.
inline constexpr std::size_t kLayers = 128;
struct Ziggurat {
    std::array<double, kLayers + 1> edge;  // x of each layer's right edge
    std::array<double, kLayers> inner;     // the share of a layer below the next one's edge
};
const Ziggurat& ziggurat();

// SplitMix64's finaliser: a bijection of 64-bit words that scatters every bit of its input
// over every bit of its output, so that consecutive counters give independent-looking words.
template <typename Words>
Words scattered(Words word) {
    word = (word ^ (word >> 30)) * 0xbf58476d1ce4e5b9U;
    word = (word ^ (word >> 27)) * 0x94d049bb133111ebU;
    return word ^ (word >> 31);
}

// The top 53 bits of a word, as a whole number below 2^53 (then exactly a double).
template <typename Words>
Words top_bits(Words word) {
    return word >> 11;
}

// A word's top 53 bits `top` as a number in (0, 1), half a step off either end, and as one in
// (−1, 1): the uniform deviation, and the ziggurat's try within its layer.
template <typename Doubles>
Doubles open_unit(Doubles top) {
    return (top + 0.5) * 0x1p-53;
}
template <typename Doubles>
Doubles centred_unit(Doubles top) {
    return 2.0 * open_unit(top) - 1.0;
}

// The ziggurat's layer of a try: the word's low bits, apart from its 53 high ones.
template <typename Words>
Words layer_of(Words word) {
    return word & (kLayers - 1);
}

// The normal deviation, in tolerances, of the stream that starts with `first`, worked out try
// by try: the scalar draws, and the SIMD lanes' fallback for a try outside its rectangle.
double normal_deviation(std::uint64_t first);

}  // namespace velmoka::spread
