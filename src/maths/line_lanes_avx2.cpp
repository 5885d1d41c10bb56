// The array kernels on AVX2 with FMA: four doubles a register, four registers worked side by
// side (16 lines at once), with SLEEF's 1-ULP elementary functions. Built with -mavx2 -mfma;
// run only where the processor has both.

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

struct Avx2Lanes {
    using Vector = double __attribute__((vector_size(32)));  // __m256d less its may_alias
    static constexpr std::size_t kCount = 4;

    static Vector load(const double* p) { return _mm256_loadu_pd(p); }
    static void store(double* p, Vector v) { _mm256_storeu_pd(p, v); }
    static Vector splat(double x) { return _mm256_set1_pd(x); }
    // The lanes of a comparison's result that are true, one bit each.
    template <typename Mask>
    static std::uint64_t lanes_set(Mask m) {
        return static_cast<unsigned>(_mm256_movemask_pd(reinterpret_cast<__m256d>(m)));
    }
    template <typename Mask>
    static Vector select(Mask m, Vector if_true, Vector if_false) {
        return _mm256_blendv_pd(if_false, if_true, reinterpret_cast<__m256d>(m));
    }
    template <typename Mask>
    static bool any(Mask m) {
        return lanes_set(m) != 0;
    }
    template <typename Mask>
    static bool all(Mask m) {
        return lanes_set(m) == 0xfu;
    }

    static Vector sqrt(Vector x) { return _mm256_sqrt_pd(x); }
    static Vector fma(Vector a, Vector b, Vector c) { return _mm256_fmadd_pd(a, b, c); }
    static Vector log(Vector x) { return Sleef_logd4_u10avx2(x); }
    static Vector exp(Vector x) { return Sleef_expd4_u10avx2(x); }
    static Vector pow(Vector x, Vector y) { return Sleef_powd4_u10avx2(x, y); }
    static Vector tanh(Vector x) { return Sleef_tanhd4_u10avx2(x); }
    static Vector atan(Vector x) { return Sleef_atand4_u10avx2(x); }
    static Vector log1p(Vector x) { return Sleef_log1pd4_u10avx2(x); }
    static Vector expm1(Vector x) { return Sleef_expm1d4_u10avx2(x); }
};

// Four independent chains of the model in flight: about twice the speed of one.
using FourRegisters = LanePairs<LanePairs<Avx2Lanes>>;

}  // namespace

extern const LineArrayKernels kAvx2LineKernels{"avx2", microstrip_lines_on_lanes<FourRegisters>,
                                               strip_width_ratios_on_lanes<FourRegisters>,
                                               lines_at_frequency_on_lanes<FourRegisters>,
                                               coupled_pairs_on_lanes<FourRegisters>};

}  // namespace velmoka
