// The array functions element by element on the scalar model, for processors with no SIMD
// lanes the kernels are built for.

#include "maths/coupled_microstrip.h"
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

void lines_at_frequency_one_by_one(std::size_t n, const double* width, const double* height, const double* thickness,
                                   const double* frequency, const Dielectric& dielectric, const Conductor& conductor,
                                   const LineColumns& out) {
    for (std::size_t i = 0; i < n; ++i) {
        const LineAtFrequency line =
            line_at_frequency({width[i], height[i], thickness[i]}, dielectric, conductor, frequency[i]);
        out.status[i] = line.status;
        out.warnings[i] = line.warnings.flags;
        const double numbers[] = {line.er,      line.loss_tangent,
                                  line.z0,      line.e_eff,
                                  line.alpha_c, line.alpha_d,
                                  line.alpha,   line.propagation.gamma.real(),
                                  line.propagation.gamma.imag(), line.propagation.zc.real(),
                                  line.propagation.zc.imag(),    line.r,
                                  line.l,       line.g,
                                  line.c,       line.skin_depth,
                                  line.guided_wavelength,        line.delay};
        double* const columns[] = {out.er,    out.loss_tangent, out.z0,       out.e_eff, out.alpha_c, out.alpha_d,
                                   out.alpha, out.gamma_re,     out.gamma_im, out.zc_re, out.zc_im,   out.r,
                                   out.l,     out.g,            out.c,        out.skin_depth, out.guided_wavelength,
                                   out.delay};
        for (std::size_t k = 0; k < std::size(numbers); ++k)
            columns[k][i] = numbers[k];
    }
}

void coupled_pairs_one_by_one(std::size_t n, const double* u, const double* g, const double* t, const double* er,
                              const PairColumns& out) {
    for (std::size_t i = 0; i < n; ++i) {
        const PairModes modes = coupled_microstrip(u[i], g[i], t[i], er[i]).modes;
        out.z_even[i] = modes.z_even;
        out.z_odd[i] = modes.z_odd;
        out.e_eff_even[i] = modes.e_eff_even;
        out.e_eff_odd[i] = modes.e_eff_odd;
    }
}

}  // namespace

extern const LineArrayKernels kScalarLineKernels{"scalar", microstrip_lines_one_by_one, strip_width_ratios_one_by_one,
                                                 lines_at_frequency_one_by_one, coupled_pairs_one_by_one};

}  // namespace velmoka
