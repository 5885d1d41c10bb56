#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "maths/lines_over_arrays.h"

// The ways of working lines_over_arrays.h, one for each instruction set.
namespace velmoka {

struct LineArrayKernels {
    std::string_view instruction_set;  // "avx512", "avx2" or "scalar"
    void (*microstrip_lines)(std::size_t n, const double* u, const double* t, const double* er, double* z0,
                             double* e_eff);
    void (*strip_width_ratios)(std::size_t n, const double* z_want, const double* t, const double* er, double* u);
    void (*lines_at_frequency)(std::size_t n, const double* width, const double* height, const double* thickness,
                               const double* frequency, const Dielectric& dielectric, const Conductor& conductor,
                               const LineColumns& out);
    void (*coupled_pairs)(std::size_t n, const double* u, const double* g, const double* t, const double* er,
                          const PairColumns& out);
};

// The scalar model element by element, on any processor.
extern const LineArrayKernels kScalarLineKernels;
// SIMD lanes, each in its own translation unit built for its instruction set.
extern const LineArrayKernels kAvx512LineKernels;
extern const LineArrayKernels kAvx2LineKernels;

// Those this processor can run, the fastest first; the scalar ones are always there, last.
std::span<const LineArrayKernels> runnable_line_array_kernels();

}  // namespace velmoka
