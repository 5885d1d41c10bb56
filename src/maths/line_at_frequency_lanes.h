#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>

#include "common/physical_constants.h"
#include "maths/dielectric_lanes.h"
#include "maths/line_at_frequency.h"
#include "maths/line_losses_lanes.h"
#include "maths/microstrip_dispersion_lanes.h"
#include "maths/width_search.h"

// The line at frequency on lanes, each lane a strip and a frequency of its own, one dielectric
// and one conductor for all: the one source of line_at_frequency, which runs it on a single
// lane. The static model is the caller's: `model.line(u, t, er)` gives z0 and e_eff,
// `model.air_impedance(u, t)` the z0 of the same strip in air.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

// Hammerstad and Jensen's conductor loss holds for a strip thicker than this many skin depths.
constexpr double kThinnestConductorInSkinDepths = 3.0;

// The filling factor (e_eff − 1)/(er − 1) is 0/0 at er = 1; within this of 1 it is taken at
// er = 1 + this, where the quotient, good to about 1e-10, lies within about 1e-6 of its limit.
constexpr double kFillingProbeAboveAir = 1e-6;

// All a line at frequency gives, lane by lane; the status and the warnings' flags as numbers.
template <typename Real>
struct LineOutputsOf {
    Real status;
    Real warnings;
    Real er, loss_tangent, z0, e_eff, alpha_c, alpha_d, alpha;
    Real gamma_re, gamma_im, zc_re, zc_im;
    Real r, l, g, c;
    Real skin_depth, guided_wavelength, delay;
};

template <typename Lanes>
auto finite_and_not_negative(LaneDoubles<Lanes> x) {
    return (x >= 0.0) & (x < __builtin_inf());
}

// W and H above 0 and finite, W/H at least kNarrowestWidthRatio, T finite and not negative.
template <typename Lanes>
auto strip_admitted(LaneDoubles<Lanes> width, LaneDoubles<Lanes> height, LaneDoubles<Lanes> thickness) {
    return (width > 0.0) & (width < __builtin_inf()) & (height > 0.0) & (height < __builtin_inf()) &
           (width / height >= kNarrowestWidthRatio) & finite_and_not_negative<Lanes>(thickness);
}

inline bool conductor_admitted(const Conductor& conductor) {
    const Roughness& r = conductor.roughness;
    const auto admitted = [](double x) { return finite_and_not_negative<ScalarLanes>(x); };
    return conductor.conductivity > 0.0 && std::isfinite(conductor.conductivity) && admitted(r.rms_height) &&
           admitted(r.nodule_radius) && admitted(r.nodules_per_area);
}

// The status of everything the lanes share: the conductor, then the dielectric's fit.
inline LineStatus shared_status(const DielectricResponse& dielectric, const Conductor& conductor) {
    if (!conductor_admitted(conductor))
        return LineStatus::conductor_not_admitted;
    switch (dielectric.fit) {
    case DielectricFit::not_admitted:
        return LineStatus::dielectric_not_admitted;
    case DielectricFit::permittivity_below_unity:
        return LineStatus::permittivity_below_unity;
    case DielectricFit::fitted:
        break;
    }
    return LineStatus::ok;
}

template <typename Lanes, typename StaticModel>
LineAtPermittivityOf<LaneDoubles<Lanes>> line_at_permittivity_on(StaticModel& model,
                                                                 const WidthDispersionOf<LaneDoubles<Lanes>>& width,
                                                                 LaneDoubles<Lanes> t, LaneDoubles<Lanes> er) {
    using V = LaneDoubles<Lanes>;
    const auto line = model.line(width.u, t, er);
    V filling = filling_factor_on<Lanes>(er, line.e_eff);
    const auto near_air = er - 1.0 < kFillingProbeAboveAir;
    if (Lanes::any(near_air)) {
        const V probe = Lanes::splat(1.0 + kFillingProbeAboveAir);
        filling = Lanes::select(near_air, filling_factor_on<Lanes>(probe, model.line(width.u, t, probe).e_eff), filling);
    }
    return {line.z0, line.e_eff, filling, strip_dispersion_on<Lanes>(width, er)};
}

template <typename Lanes, typename StaticModel>
StripTermsOf<LaneDoubles<Lanes>> strip_terms_on(StaticModel& model, LaneDoubles<Lanes> width,
                                                LaneDoubles<Lanes> height, LaneDoubles<Lanes> thickness,
                                                const DielectricResponse& dielectric, const Conductor& conductor) {
    StripTermsOf<LaneDoubles<Lanes>> s{};
    s.width = width;
    s.height = height;
    s.thickness = thickness;
    s.width_ratio = width / height;
    s.thickness_ratio = thickness / height;
    s.width_dispersion = width_dispersion_on<Lanes>(s.width_ratio);
    s.current_distribution = current_distribution_on<Lanes>(model.air_impedance(s.width_ratio, s.thickness_ratio));
    s.dc_resistance = 1.0 / (conductor.conductivity * width * thickness);
    if (dielectric.model == PermittivityModel::constant)
        s.base = line_at_permittivity_on<Lanes>(model, s.width_dispersion, s.thickness_ratio,
                                                Lanes::splat(dielectric.er_infinity));
    // The permittivity never falls below ε∞, which is er itself in the constant model.
    if (dielectric.er_infinity < kLowestImpedanceDispersionPermittivity)
        s.near_air = line_at_permittivity_on<Lanes>(model, s.width_dispersion, s.thickness_ratio,
                                                    Lanes::splat(kLowestImpedanceDispersionPermittivity));
    return s;
}

// Z0(f)/Z0(0), with the published ratio scaled towards 1 below the permittivity it holds from.
template <typename Lanes>
LaneDoubles<Lanes> impedance_ratio_on(const StripTermsOf<LaneDoubles<Lanes>>& s,
                                      const LineAtPermittivityOf<LaneDoubles<Lanes>>& base, LaneDoubles<Lanes> fn,
                                      LaneDoubles<Lanes> e_eff) {
    using V = LaneDoubles<Lanes>;
    const V ratio = impedance_dispersion_ratio_on<Lanes>(base.dispersion, fn, base.e_eff, e_eff);
    const V er = base.dispersion.er;
    const auto below = er < kLowestImpedanceDispersionPermittivity;
    if (!Lanes::any(below))
        return ratio;
    constexpr double lowest = kLowestImpedanceDispersionPermittivity;
    const LineAtPermittivityOf<V>& near = s.near_air;
    const V growth = dispersion_growth_on<Lanes>(dispersion_terms_on<Lanes>(near.dispersion, fn), fn);
    const V lowest_e_eff = dispersed_e_eff_on<Lanes>(Lanes::splat(lowest), near.e_eff, growth);
    const V lowest_ratio = impedance_dispersion_ratio_on<Lanes>(near.dispersion, fn, near.e_eff, lowest_e_eff);
    return Lanes::select(below, 1.0 + (lowest_ratio - 1.0) * (er - 1.0) / (lowest - 1.0), ratio);
}

// The principal square root of re + j·im, for re >= 0 or im >= 0: its larger part from the modulus and the
// smaller from im over twice the larger, so that neither cancels; the modulus without the
// overflow of re² + im².
template <typename Lanes>
void principal_root(LaneDoubles<Lanes> re, LaneDoubles<Lanes> im, LaneDoubles<Lanes>& root_re,
                    LaneDoubles<Lanes>& root_im) {
    using V = LaneDoubles<Lanes>;
    const V size_re = Lanes::select(re > 0.0, re, -re);
    const V big = Lanes::select(size_re > im, size_re, im);
    const V small = Lanes::select(size_re > im, im, size_re);
    const V ratio = small / big;
    const V modulus = big * Lanes::sqrt(1.0 + ratio * ratio);
    const V larger = Lanes::sqrt((modulus + size_re) / 2.0);
    const V smaller = im / (2.0 * larger);
    root_re = Lanes::select(re >= 0.0, larger, smaller);
    root_im = Lanes::select(re >= 0.0, smaller, larger);
}

// The warning's flag where it is raised, 0 elsewhere: the flags of a lane add up to its set.
template <typename Lanes, typename Mask>
LaneDoubles<Lanes> flag_if(Mask raised, RangeWarning warning) {
    return Lanes::select(raised, Lanes::splat(static_cast<std::uint16_t>(warning)), Lanes::splat(0.0));
}

template <typename Lanes>
auto is_finite_on(LaneDoubles<Lanes> x) {
    return (x < __builtin_inf()) & (x > -__builtin_inf());
}

constexpr double status_number(LineStatus status) {
    return static_cast<double>(static_cast<int>(status));
}

template <typename Lanes, typename StaticModel>
LineOutputsOf<LaneDoubles<Lanes>> line_at_frequency_on(StaticModel& model, const StripTermsOf<LaneDoubles<Lanes>>& s,
                                                       const DielectricResponse& dielectric,
                                                       const Conductor& conductor, LaneDoubles<Lanes> frequency) {
    using V = LaneDoubles<Lanes>;
    const PermittivityAtOf<V> substrate = permittivity_on<Lanes>(dielectric, frequency);
    const V er = substrate.er;
    const LineAtPermittivityOf<V> base = dielectric.model == PermittivityModel::constant
                                             ? s.base
                                             : line_at_permittivity_on<Lanes>(model, s.width_dispersion,
                                                                              s.thickness_ratio, er);

    const V fn = normalised_frequency_on<Lanes>(frequency, s.height);
    const V growth = dispersion_growth_on<Lanes>(dispersion_terms_on<Lanes>(base.dispersion, fn), fn);
    const V e_eff = dispersed_e_eff_on<Lanes>(er, base.e_eff, growth);
    const V z0 = base.z0 * impedance_ratio_on<Lanes>(s, base, fn, e_eff);

    const V filling = dispersed_filling_on<Lanes>(base.filling, growth);
    const V alpha_d = dielectric_attenuation_on<Lanes>(frequency, er, substrate.loss_tangent, e_eff, filling);

    const V depth = skin_depth_on<Lanes>(frequency, conductor.conductivity);
    const V skin_resistance = 2.0 * s.current_distribution * roughness_on<Lanes>(conductor.roughness, depth) /
                              (conductor.conductivity * depth * s.width);
    const V r = strip_resistance_on<Lanes>(skin_resistance, s.dc_resistance);

    const V root_e_eff = Lanes::sqrt(e_eff);
    const V l = z0 * root_e_eff / kSpeedOfLight;
    const V c = root_e_eff / (kSpeedOfLight * z0);
    const V g = 2.0 * alpha_d / z0;
    const V omega = (2.0 * std::numbers::pi) * frequency;

    // γ = sqrt((R + jωL)(G + jωC)) and Zc = sqrt((R + jωL)/(G + jωC)), the roots with Re γ >= 0 and
    // Re Zc > 0. At 0 Hz no wave, and an open line's impedance.
    const V x = omega * l;
    const V b = omega * c;
    V gamma_re, gamma_im, zc_re, zc_im;
    principal_root<Lanes>(r * g - x * b, x * g + r * b, gamma_re, gamma_im);
    const V admittance_norm = g * g + b * b;
    principal_root<Lanes>((r * g + x * b) / admittance_norm, (x * g - r * b) / admittance_norm, zc_re, zc_im);
    const auto dc = frequency == 0.0;
    const V zero = Lanes::splat(0.0);
    gamma_re = Lanes::select(dc, zero, gamma_re);
    gamma_im = Lanes::select(dc, zero, gamma_im);
    zc_re = Lanes::select(dc, Lanes::select(r > 0.0, Lanes::splat(__builtin_inf()), z0), zc_re);
    zc_im = Lanes::select(dc, zero, zc_im);

    const V u = s.width_ratio;
    const V height_in_wavelengths = s.height * frequency / kSpeedOfLight;
    using enum RangeWarning;
    const V warnings = flag_if<Lanes>((u < kDispersionNarrowest) | (u > kDispersionWidest), dispersion_width_ratio) +
                       flag_if<Lanes>(er > kDispersionHighestPermittivity, dispersion_permittivity) +
                       flag_if<Lanes>(height_in_wavelengths > kDispersionThickestSubstrate, dispersion_frequency) +
                       flag_if<Lanes>((u < kImpedanceNarrowest) | (u > kImpedanceWidest), impedance_width_ratio) +
                       flag_if<Lanes>(er > kImpedanceHighestPermittivity, impedance_permittivity) +
                       flag_if<Lanes>(height_in_wavelengths > kImpedanceThickestSubstrate, impedance_frequency) +
                       flag_if<Lanes>(kThinnestConductorInSkinDepths * depth >= s.thickness,
                                      conductor_under_three_skin_depths);

    const auto finite = is_finite_on<Lanes>(z0) & is_finite_on<Lanes>(e_eff) & is_finite_on<Lanes>(r) &
                        is_finite_on<Lanes>(g) & is_finite_on<Lanes>(gamma_re) & is_finite_on<Lanes>(gamma_im) &
                        (dc | (is_finite_on<Lanes>(zc_re) & is_finite_on<Lanes>(zc_im)));
    const V status = Lanes::select(finite, Lanes::splat(status_number(LineStatus::ok)),
                                   Lanes::splat(status_number(LineStatus::no_finite_answer)));
    return {status, warnings,    er,    substrate.loss_tangent, z0, e_eff, r / (2.0 * z0), alpha_d, gamma_re,
            gamma_re, gamma_im,  zc_re, zc_im, r, l, g, c, depth, kSpeedOfLight / (frequency * root_e_eff),
            root_e_eff / kSpeedOfLight};
}

}  // namespace
}  // namespace velmoka
