// The draws on AVX-512: eight streams a register, 64-bit products and conversions of
// AVX-512DQ. Built with -mavx512f -mavx512dq; run only where the processor has both.

#include <immintrin.h>
#include <cstdint>

#include "spread/draw_kernels.h"
#include "spread/draw_lanes.h"

namespace velmoka::spread {

namespace {

struct Avx512Draws {
    using Words = std::uint64_t __attribute__((vector_size(64)));
    using Doubles = double __attribute__((vector_size(64)));
    static constexpr std::size_t kCount = 8;

    // start, start + step, … start + 7·step
    static Words counters(std::uint64_t start, std::uint64_t step) {
        const Words lanes = {0, 1, 2, 3, 4, 5, 6, 7};
        return start + lanes * step;
    }
    static Doubles to_doubles(Words words) { return _mm512_cvtepu64_pd(reinterpret_cast<__m512i>(words)); }
    // Through the all-lanes mask: _mm512_i64gather_pd trips a false uninitialised-use warning of GCC 12.
    static Doubles gather(const double* table, Words index) {
        return _mm512_mask_i64gather_pd(_mm512_setzero_pd(), 0xff, reinterpret_cast<__m512i>(index), table,
                                        sizeof(double));
    }
    static Doubles abs(Doubles x) { return _mm512_abs_pd(x); }
    // The lanes of a comparison's result that are true, one bit each.
    template <typename Mask>
    static std::uint64_t lanes_set(Mask m) {
        return _mm512_test_epi64_mask(reinterpret_cast<__m512i>(m), reinterpret_cast<__m512i>(m));
    }
    static void store(double* p, Doubles v) { _mm512_storeu_pd(p, v); }
};

}  // namespace

extern const DrawKernels kAvx512DrawKernels{"avx512", deviations_on_lanes<Avx512Draws>};

}  // namespace velmoka::spread
