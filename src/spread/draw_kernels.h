#pragma once

#include "spread/tolerance.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The ways of drawing a block of deviations (RandomDraws::deviations), one for each
// instruction set: all of them give the same doubles, bit for bit.
namespace velmoka::spread {

struct DrawKernels {
    std::string_view instruction_set;  // "avx512", "avx2" or "scalar"
    // The deviations of `count` samples of one input into out: the first sample's stream starts
    // at `counter`, each next one's kSampleStride further on.
    void (*deviations)(std::uint64_t counter, std::size_t count, Distribution distribution, double* out);
};

// Stream by stream, on any processor.
extern const DrawKernels kScalarDrawKernels;
// SIMD lanes, each in its own translation unit built for its instruction set.
extern const DrawKernels kAvx512DrawKernels;
extern const DrawKernels kAvx2DrawKernels;

// Those this processor can run, the fastest first; the scalar ones are always there, last.
std::span<const DrawKernels> runnable_draw_kernels();

}  // namespace velmoka::spread
