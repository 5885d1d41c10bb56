// The array kernels on AVX-512: eight doubles a register, four registers worked side by side
// (32 lines at once), with SLEEF's 1-ULP elementary functions. Built with -mavx512f; run
// only where the processor has AVX-512F.

#include <immintrin.h>
#include <sleef.h>
#include <cstdint>

#include "maths/coupled_lanes.h"
#include "maths/lane_pairs.h"
#include "maths/line_array_kernels.h"
#include "maths/line_at_frequency_kernel.h"
#include "maths/line_model_lanes.h"
#include "maths/width_search_lanes.h"

namespace velmoka {

namespace {

struct Avx512Lanes {
    using Vector = double __attribute__((vector_size(64)));  // __m512d less its may_alias
    static constexpr std::size_t kCount = 8;

    static Vector load(const double* p) { return _mm512_loadu_pd(p); }
    static void store(double* p, Vector v) { _mm512_storeu_pd(p, v); }
    static Vector splat(double x) { return _mm512_set1_pd(x); }
    // The lanes of a comparison's result that are true, one bit each.
    template <typename Mask>
    static std::uint64_t lanes_set(Mask m) {
        return _mm512_test_epi64_mask(reinterpret_cast<__m512i>(m), reinterpret_cast<__m512i>(m));
    }
    template <typename Mask>
    static Vector select(Mask m, Vector if_true, Vector if_false) {
        return _mm512_mask_blend_pd(lanes_set(m), if_false, if_true);
    }
    template <typename Mask>
    static bool any(Mask m) {
        return lanes_set(m) != 0;
    }
    template <typename Mask>
    static bool all(Mask m) {
        return lanes_set(m) == 0xffu;
    }

    // Through the all-lanes mask: _mm512_sqrt_pd trips a false uninitialised-use warning of GCC 12.
    static Vector sqrt(Vector x) { return _mm512_maskz_sqrt_pd(0xff, x); }
    static Vector fma(Vector a, Vector b, Vector c) { return _mm512_fmadd_pd(a, b, c); }
    static Vector log(Vector x) { return Sleef_logd8_u10avx512f(x); }
    static Vector exp(Vector x) { return Sleef_expd8_u10avx512f(x); }
    static Vector pow(Vector x, Vector y) { return Sleef_powd8_u10avx512f(x, y); }
    static Vector tanh(Vector x) { return Sleef_tanhd8_u10avx512f(x); }
    static Vector atan(Vector x) { return Sleef_atand8_u10avx512f(x); }
    static Vector log1p(Vector x) { return Sleef_log1pd8_u10avx512f(x); }
    static Vector expm1(Vector x) { return Sleef_expm1d8_u10avx512f(x); }
};

// Four independent chains of the model in flight: about twice the speed of one.
using FourRegisters = LanePairs<LanePairs<Avx512Lanes>>;

}  // namespace

extern const LineArrayKernels kAvx512LineKernels{"avx512", microstrip_lines_on_lanes<FourRegisters>,
                                                 strip_width_ratios_on_lanes<FourRegisters>,
                                                 lines_at_frequency_on_lanes<FourRegisters>,
                                                 coupled_pairs_on_lanes<FourRegisters>};

}  // namespace velmoka
