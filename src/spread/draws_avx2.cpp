// The draws on AVX2: four streams a register. AVX2 has neither a 64-bit product, which the
// compiler builds from 32-bit ones, nor a conversion of 64-bit words to doubles, built here from
// their two halves. Built with -mavx2; run only where the processor has it.

#include <immintrin.h>
#include <cstdint>

#include "spread/draw_kernels.h"
#include "spread/draw_lanes.h"

namespace velmoka::spread {

namespace {

struct Avx2Draws {
    using Words = std::uint64_t __attribute__((vector_size(32)));
    using Doubles = double __attribute__((vector_size(32)));
    static constexpr std::size_t kCount = 4;

    // start, start + step, … start + 3·step
    static Words counters(std::uint64_t start, std::uint64_t step) {
        const Words lanes = {0, 1, 2, 3};
        return start + lanes * step;
    }
    // Of a word below 2^53: its high half h and its low half l each set into the mantissa of a
    // double, 2^84 + h·2^32 and 2^52 + l, exactly; then (2^84 + h·2^32 − (2^84 + 2^52)) +
    // (2^52 + l), whose every step is exact.
    static Doubles to_doubles(Words words) {
        constexpr std::uint64_t kTwoTo84Bits = 0x4530000000000000U;
        constexpr std::uint64_t kTwoTo52Bits = 0x4330000000000000U;
        constexpr double kTwoTo84PlusTwoTo52 = 0x1p84 + 0x1p52;
        const Words high = (words >> 32) | kTwoTo84Bits;
        const Words low = (words & 0xffffffffU) | kTwoTo52Bits;
        return (reinterpret_cast<Doubles>(high) - kTwoTo84PlusTwoTo52) + reinterpret_cast<Doubles>(low);
    }
    static Doubles gather(const double* table, Words index) {
        return _mm256_i64gather_pd(table, reinterpret_cast<__m256i>(index), sizeof(double));
    }
    static Doubles abs(Doubles x) {
        return reinterpret_cast<Doubles>(reinterpret_cast<Words>(x) & 0x7fffffffffffffffU);
    }
    // The lanes of a comparison's result that are true, one bit each.
    template <typename Mask>
    static std::uint64_t lanes_set(Mask m) {
        return static_cast<unsigned>(_mm256_movemask_pd(reinterpret_cast<__m256d>(m)));
    }
    static void store(double* p, Doubles v) { _mm256_storeu_pd(p, v); }
};

}  // namespace

extern const DrawKernels kAvx2DrawKernels{"avx2", deviations_on_lanes<Avx2Draws>};

}  // namespace velmoka::spread
