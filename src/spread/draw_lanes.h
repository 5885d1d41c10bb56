#pragma once

#include "spread/draw_streams.h"

#include <cstddef>
#include <cstdint>

// The deviations of a block of samples on SIMD lanes, one stream a lane, in the steps of the
// scalar draws (draw_streams.h): the lanes give the same doubles bit for bit. The ziggurat's
// first try lands inside its layer's rectangle for all but about 1.5 % of streams; those few
// go on on the scalar draws.
//
// Lanes is one instruction set's vectors with their operations: Words (unsigned 64-bit) and
// Doubles of kCount elements, counters, to_doubles (of words below 2^53), gather, abs,
// lanes_set and store. Vectors use the compiler's element-wise operators.
//
// Included only by the translation unit of an instruction set, built for it, with no
// contraction of a·b + c into one rounding (the scalar draws have none).
namespace velmoka::spread {
namespace {  // each instruction set's translation unit keeps its own copy

template <typename Lanes>
void deviations_on_lanes(std::uint64_t counter, std::size_t count, Distribution distribution, double* out) {
    using Words = typename Lanes::Words;
    using Doubles = typename Lanes::Doubles;
    constexpr std::size_t kCount = Lanes::kCount;
    const Ziggurat& layers = ziggurat();
    Words counters = Lanes::counters(counter, kSampleStride);
    for (std::size_t first = 0; first < count; first += kCount) {
        const Words words = scattered(counters);
        counters += kCount * kSampleStride;
        const Doubles u = centred_unit(Lanes::to_doubles(top_bits(words)));
        Doubles deviations = u;
        std::uint64_t rejected = 0;
        if (distribution == Distribution::normal) {
            const Words layer = layer_of(words);
            rejected = ~Lanes::lanes_set(Lanes::abs(u) < Lanes::gather(layers.inner.data(), layer)) &
                       ((std::uint64_t{1} << kCount) - 1);
            deviations = u * Lanes::gather(layers.edge.data(), layer) / kSigmasInANormalTolerance;
        }
        // The last few samples through a whole vector of their own.
        double tail[kCount];
        const bool whole = first + kCount <= count;
        double* const to = whole ? out + first : tail;
        Lanes::store(to, deviations);
        for (; rejected != 0; rejected &= rejected - 1) {
            const int lane = __builtin_ctzll(rejected);
            to[lane] = normal_deviation(words[lane]);
        }
        for (std::size_t lane = 0; !whole && first + lane < count; ++lane) {
            out[first + lane] = tail[lane];
        }
    }
}

}  // namespace
}  // namespace velmoka::spread
