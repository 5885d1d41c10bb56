#pragma once

#include <cstddef>

#include "maths/line_at_frequency_lanes.h"
#include "maths/line_model_lanes.h"
#include "maths/lines_over_arrays.h"

// lines_at_frequency on an instruction set's lanes: the static model on the lanes of
// line_model_lanes.h, the rest in the source line_at_frequency runs. Included only by the
// translation unit of an instruction set, built for it.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

// The static model on lanes, with the substrate's terms of the last permittivity asked for
// and those of air worked out once.
template <typename Lanes>
class LanesStaticModel {
public:
    LineLanes<Lanes> line(Vector<Lanes> u, Vector<Lanes> t, Vector<Lanes> er) {
        return line_lanes<Lanes>(u, t, substrates_.terms(er));
    }
    Vector<Lanes> air_impedance(Vector<Lanes> u, Vector<Lanes> t) const { return impedance_lanes<Lanes>(u, t, air_); }

private:
    SubstrateOfLastLanes<Lanes> substrates_;
    SubstrateLanes<Lanes> air_ = substrate_lanes<Lanes>(Lanes::splat(1.0));
};

// A vector's worth of the arrays' elements: inputs in, results out, one row a column.
template <typename Lanes>
struct LineBlock {
    static constexpr std::size_t kCount = Lanes::kCount;
    double width[kCount], height[kCount], thickness[kCount], frequency[kCount];
    double results[20][kCount];  // the numbers of LineOutputsOf, in its order
};

template <typename Lanes>
void work_block(LanesStaticModel<Lanes>& model, LineBlock<Lanes>& block, const DielectricResponse& dielectric,
                const Conductor& conductor, LineStatus shared) {
    using V = Vector<Lanes>;
    const V width = Lanes::load(block.width);
    const V height = Lanes::load(block.height);
    const V thickness = Lanes::load(block.thickness);
    const V frequency = Lanes::load(block.frequency);
    const auto strip_ok = strip_admitted<Lanes>(width, height, thickness);
    const V nan = Lanes::splat(__builtin_nan(""));

    LineOutputsOf<V> o;
    V* const numbers = &o.er;  // the eighteen numbers after the status and the warnings
    if (shared == LineStatus::ok) {
        const StripTermsOf<V> strip = strip_terms_on<Lanes>(model, width, height, thickness, dielectric, conductor);
        o = line_at_frequency_on<Lanes>(model, strip, dielectric, conductor, frequency);
        o.status = Lanes::select(finite_and_not_negative<Lanes>(frequency), o.status,
                                 Lanes::splat(status_number(LineStatus::frequency_not_admitted)));
    } else {
        o.status = Lanes::splat(status_number(shared));
        o.warnings = Lanes::splat(0.0);
    }
    o.status = Lanes::select(strip_ok, o.status, Lanes::splat(status_number(LineStatus::strip_not_admitted)));
    const auto answered = o.status == status_number(LineStatus::ok);
    o.warnings = Lanes::select(answered, o.warnings, Lanes::splat(0.0));
    for (int k = 0; k < 18; ++k)
        numbers[k] = Lanes::select(answered, numbers[k], nan);
    Lanes::store(block.results[0], o.status);
    Lanes::store(block.results[1], o.warnings);
    for (int k = 0; k < 18; ++k)
        Lanes::store(block.results[2 + k], numbers[k]);
}

template <typename Lanes>
[[gnu::flatten]] void lines_at_frequency_on_lanes(std::size_t n, const double* width, const double* height,
                                                  const double* thickness, const double* frequency,
                                                  const Dielectric& dielectric, const Conductor& conductor,
                                                  const LineColumns& out) {
    constexpr std::size_t kCount = Lanes::kCount;
    const DielectricResponse response = fit_dielectric(dielectric);
    const LineStatus shared = shared_status(response, conductor);
    LanesStaticModel<Lanes> model;
    double* const columns[18] = {out.er,    out.loss_tangent, out.z0, out.e_eff, out.alpha_c,    out.alpha_d,
                                 out.alpha, out.gamma_re,     out.gamma_im, out.zc_re, out.zc_im, out.r,
                                 out.l,     out.g,            out.c,  out.skin_depth, out.guided_wavelength, out.delay};
    LineBlock<Lanes> block;
    for (std::size_t first = 0; first < n; first += kCount) {
        const std::size_t count = std::min(kCount, n - first);
        // Lanes beyond the arrays' end work an ordinary strip, whose answer is not kept.
        for (std::size_t lane = 0; lane < kCount; ++lane) {
            const bool inside = lane < count;
            block.width[lane] = inside ? width[first + lane] : 1e-3;
            block.height[lane] = inside ? height[first + lane] : 1e-3;
            block.thickness[lane] = inside ? thickness[first + lane] : 0.0;
            block.frequency[lane] = inside ? frequency[first + lane] : 1e9;
        }
        work_block<Lanes>(model, block, response, conductor, shared);
        for (std::size_t lane = 0; lane < count; ++lane) {
            out.status[first + lane] = static_cast<LineStatus>(block.results[0][lane]);
            out.warnings[first + lane] = static_cast<std::uint16_t>(block.results[1][lane]);
            for (int k = 0; k < 18; ++k)
                columns[k][first + lane] = block.results[2 + k][lane];
        }
    }
}

}  // namespace
}  // namespace velmoka
