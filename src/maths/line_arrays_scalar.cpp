// The array functions element by element on the scalar model, for processors with no SIMD
// lanes the kernels are built for.

#include "maths/line_array_inputs.h"
#include "maths/line_array_kernels.h"
#include "maths/microstrip_line.h"
#include "maths/width_search.h"

namespace velmoka {

namespace {

constexpr double kNaN = __builtin_nan("");

void microstrip_lines_one_by_one(std::size_t n, const double* u, const double* t, const double* er, double* z0,
                                 double* e_eff) {
    for (std::size_t i = 0; i < n; ++i) {
        if (!line_is_admitted(u[i], t[i], er[i])) {
            z0[i] = e_eff[i] = kNaN;
            continue;
        }
        const LineProperties line = microstrip_line(u[i], t[i], er[i]);
        z0[i] = line.z0;
        e_eff[i] = line.e_eff;
    }
}

void strip_width_ratios_one_by_one(std::size_t n, const double* z_want, const double* t, const double* er, double* u) {
    for (std::size_t i = 0; i < n; ++i) {
        if (!search_is_admitted(z_want[i], t[i], er[i])) {
            u[i] = kNaN;
            continue;
        }
        const WidthSolution solution = solve_width_ratio(z_want[i], t[i], er[i]);
        u[i] = solution.end == SearchEnd::met_tolerance ? solution.u : kNaN;
    }
}

}  // namespace

extern const LineArrayKernels kScalarLineKernels{"scalar", microstrip_lines_one_by_one, strip_width_ratios_one_by_one};

}  // namespace velmoka
