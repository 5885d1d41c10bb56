#include "maths/lines_over_arrays.h"

#include <vector>

#include "maths/line_array_kernels.h"

namespace velmoka {

namespace {

const LineArrayKernels& fastest_kernels() {
    static const LineArrayKernels& fastest = runnable_line_array_kernels().front();
    return fastest;
}

}  // namespace

std::span<const LineArrayKernels> runnable_line_array_kernels() {
    static const std::vector<LineArrayKernels> runnable = [] {
        std::vector<LineArrayKernels> kernels;
#ifdef VELMOKA_LINE_LANES
        if (__builtin_cpu_supports("avx512f"))
            kernels.push_back(kAvx512LineKernels);
        if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
            kernels.push_back(kAvx2LineKernels);
#endif
        kernels.push_back(kScalarLineKernels);
        return kernels;
    }();
    return runnable;
}

void microstrip_lines(std::size_t n, const double* u, const double* t, const double* er, double* z0, double* e_eff) {
    fastest_kernels().microstrip_lines(n, u, t, er, z0, e_eff);
}

void strip_width_ratios(std::size_t n, const double* z_want, const double* t, const double* er, double* u) {
    fastest_kernels().strip_width_ratios(n, z_want, t, er, u);
}

void lines_at_frequency(std::size_t n, const double* width, const double* height, const double* thickness,
                        const double* frequency, const Dielectric& dielectric, const Conductor& conductor,
                        const LineColumns& out) {
    fastest_kernels().lines_at_frequency(n, width, height, thickness, frequency, dielectric, conductor, out);
}

void coupled_pairs(std::size_t n, const double* u, const double* g, const double* t, const double* er,
                   const PairColumns& out) {
    fastest_kernels().coupled_pairs(n, u, g, t, er, out);
}

std::string_view line_arrays_instruction_set() {
    return fastest_kernels().instruction_set;
}

}  // namespace velmoka
