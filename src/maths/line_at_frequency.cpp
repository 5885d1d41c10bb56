#include "maths/line_at_frequency.h"

#include <cmath>
#include <limits>

#include "common/physical_constants.h"
#include "maths/dielectric_loss.h"
#include "maths/width_search.h"

namespace velmoka {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Hammerstad and Jensen's conductor loss holds for a strip thicker than this many skin depths.
constexpr double kThinnestConductorInSkinDepths = 3.0;

// The filling factor (e_eff − 1)/(er − 1) is 0/0 at er = 1; within this of 1 it is taken at
// er = 1 + this, where the quotient, good to about 1e-10, lies within about 1e-6 of its limit.
constexpr double kFillingProbeAboveAir = 1e-6;

LineAtPermittivity line_at_permittivity(const WidthDispersion& width, double t, double er) {
    const double u = width.u;
    const LineProperties line = microstrip_line(u, t, er);
    const StripDispersion dispersion = strip_dispersion(width, er);
    if (er - 1.0 >= kFillingProbeAboveAir)
        return {line, filling_factor(er, line.e_eff), dispersion};
    const double probe_er = 1.0 + kFillingProbeAboveAir;
    return {line, filling_factor(probe_er, microstrip_line(u, t, probe_er).e_eff), dispersion};
}

bool finite_and_not_negative(double x) {
    return x >= 0.0 && std::isfinite(x);
}

bool admitted(const Strip& strip) {
    return strip.width > 0.0 && std::isfinite(strip.width) && strip.height > 0.0 && std::isfinite(strip.height) &&
           strip.width / strip.height >= kNarrowestWidthRatio && finite_and_not_negative(strip.thickness);
}

bool admitted(const Conductor& conductor) {
    const Roughness& roughness = conductor.roughness;
    return conductor.conductivity > 0.0 && std::isfinite(conductor.conductivity) &&
           finite_and_not_negative(roughness.rms_height) && finite_and_not_negative(roughness.nodule_radius) &&
           finite_and_not_negative(roughness.nodules_per_area);
}

LineStatus status_of(DielectricFit fit) {
    switch (fit) {
    case DielectricFit::not_admitted:
        return LineStatus::dielectric_not_admitted;
    case DielectricFit::permittivity_below_unity:
        return LineStatus::permittivity_below_unity;
    case DielectricFit::fitted:
        break;
    }
    return LineStatus::ok;
}

LineAtFrequency refused(LineStatus status) {
    return {status, {}, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, {{kNaN, kNaN}, {kNaN, kNaN}},
            kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
}

// Z0(f)/Z0(0), with the published ratio scaled towards 1 below the permittivity it holds from.
double impedance_ratio(const PreparedLine& line, const StripDispersion& dispersion, double fn, double static_e_eff,
                       double e_eff) {
    const double er = dispersion.er;
    if (er >= kLowestImpedanceDispersionPermittivity)
        return impedance_dispersion_ratio(dispersion, fn, static_e_eff, e_eff);
    constexpr double lowest = kLowestImpedanceDispersionPermittivity;
    const LineAtPermittivity& near_air = line.near_air;
    const double growth = dispersion_growth(dispersion_terms(near_air.dispersion, fn), fn);
    const double lowest_e_eff = dispersed_effective_permittivity(lowest, near_air.line.e_eff, growth);
    const double ratio = impedance_dispersion_ratio(near_air.dispersion, fn, near_air.line.e_eff, lowest_e_eff);
    return 1.0 + (ratio - 1.0) * (er - 1.0) / (lowest - 1.0);
}

RangeWarnings warnings_of(const PreparedLine& line, double er, double frequency, double skin_depth) {
    const double u = line.width_ratio;
    const double height_in_wavelengths = line.strip.height * frequency / kSpeedOfLight;
    RangeWarnings warnings;
    if (u < kDispersionNarrowest || u > kDispersionWidest)
        warnings.add(RangeWarning::dispersion_width_ratio);
    if (er > kDispersionHighestPermittivity)
        warnings.add(RangeWarning::dispersion_permittivity);
    if (height_in_wavelengths > kDispersionThickestSubstrate)
        warnings.add(RangeWarning::dispersion_frequency);
    if (u < kImpedanceNarrowest || u > kImpedanceWidest)
        warnings.add(RangeWarning::impedance_width_ratio);
    if (er > kImpedanceHighestPermittivity)
        warnings.add(RangeWarning::impedance_permittivity);
    if (height_in_wavelengths > kImpedanceThickestSubstrate)
        warnings.add(RangeWarning::impedance_frequency);
    if (!(line.strip.thickness > kThinnestConductorInSkinDepths * skin_depth))
        warnings.add(RangeWarning::conductor_under_three_skin_depths);
    return warnings;
}

// γ and Zc of a line of series impedance R + jX and shunt admittance G + jB per metre. Each
// square root lies within 45° of the real axis, so their product and quotient are the roots
// with Re γ >= 0 and Re Zc > 0, without the overflow of forming the product first.
Propagation propagation_of(double r, double x, double g, double b, double z0) {
    if (x == 0.0)  // 0 Hz: no wave, and an open line's impedance
        return {{0.0, 0.0}, {r > 0.0 ? kInfinity : z0, 0.0}};
    const std::complex<double> series = std::sqrt(std::complex<double>(r, x));
    const std::complex<double> shunt = std::sqrt(std::complex<double>(g, b));
    return {series * shunt, series / shunt};
}

bool is_finite(std::complex<double> z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

}  // namespace

PreparedLine prepare_line(const Strip& strip, const Dielectric& dielectric, const Conductor& conductor) {
    PreparedLine line{};
    line.strip = strip;
    line.conductor = conductor;
    line.dielectric = fit_dielectric(dielectric);
    line.status = !admitted(strip)             ? LineStatus::strip_not_admitted
                  : !admitted(conductor)       ? LineStatus::conductor_not_admitted
                                               : status_of(line.dielectric.fit);
    if (line.status != LineStatus::ok)
        return line;

    const double u = strip.width / strip.height;
    const double t = strip.thickness / strip.height;
    line.width_ratio = u;
    line.thickness_ratio = t;
    line.width_dispersion = width_dispersion(u);
    line.current_distribution = current_distribution_factor(microstrip_line(u, t, 1.0).z0);
    line.dc_resistance = 1.0 / (conductor.conductivity * strip.width * strip.thickness);
    if (line.dielectric.model == PermittivityModel::constant)
        line.base = line_at_permittivity(line.width_dispersion, t, line.dielectric.er_infinity);
    // The permittivity never falls below ε∞, which is er itself in the constant model.
    if (line.dielectric.er_infinity < kLowestImpedanceDispersionPermittivity)
        line.near_air = line_at_permittivity(line.width_dispersion, t, kLowestImpedanceDispersionPermittivity);
    return line;
}

LineAtFrequency line_at_frequency(const PreparedLine& line, double frequency) {
    if (line.status != LineStatus::ok)
        return refused(line.status);
    if (!(frequency >= 0.0) || !std::isfinite(frequency))
        return refused(LineStatus::frequency_not_admitted);

    const PermittivityAt substrate = permittivity_at(line.dielectric, frequency);
    const double er = substrate.er;
    const LineAtPermittivity base = line.dielectric.model == PermittivityModel::constant
                                        ? line.base
                                        : line_at_permittivity(line.width_dispersion, line.thickness_ratio, er);

    const double fn = normalised_frequency(frequency, line.strip.height);
    const double growth = dispersion_growth(dispersion_terms(base.dispersion, fn), fn);
    const double e_eff = dispersed_effective_permittivity(er, base.line.e_eff, growth);
    const double z0 = base.line.z0 * impedance_ratio(line, base.dispersion, fn, base.line.e_eff, e_eff);

    const double filling = dispersed_filling_factor(base.filling, growth);
    const double alpha_d = dielectric_attenuation(frequency, er, substrate.loss_tangent, e_eff, filling);

    const Conductor& conductor = line.conductor;
    const double depth = skin_depth(frequency, conductor.conductivity);
    const double skin_resistance = 2.0 * line.current_distribution * roughness_factor(conductor.roughness, depth) /
                                   (conductor.conductivity * depth * line.strip.width);
    const double r = strip_resistance(skin_resistance, line.dc_resistance);

    const double root_e_eff = std::sqrt(e_eff);
    const double l = z0 * root_e_eff / kSpeedOfLight;
    const double c = root_e_eff / (kSpeedOfLight * z0);
    const double g = 2.0 * alpha_d / z0;
    const double omega = 2.0 * std::numbers::pi * frequency;
    const Propagation propagation = propagation_of(r, omega * l, g, omega * c, z0);

    const LineAtFrequency answer{LineStatus::ok,
                                 warnings_of(line, er, frequency, depth),
                                 er,
                                 substrate.loss_tangent,
                                 z0,
                                 e_eff,
                                 r / (2.0 * z0),
                                 alpha_d,
                                 propagation.gamma.real(),
                                 propagation,
                                 r,
                                 l,
                                 g,
                                 c,
                                 depth,
                                 kSpeedOfLight / (frequency * root_e_eff),
                                 root_e_eff / kSpeedOfLight};
    const bool finite = std::isfinite(z0) && std::isfinite(e_eff) && std::isfinite(r) && std::isfinite(g) &&
                        is_finite(propagation.gamma) && (frequency == 0.0 || is_finite(propagation.zc));
    return finite ? answer : refused(LineStatus::no_finite_answer);
}

LineAtFrequency line_at_frequency(const Strip& strip, const Dielectric& dielectric, const Conductor& conductor,
                                  double frequency) {
    return line_at_frequency(prepare_line(strip, dielectric, conductor), frequency);
}

}  // namespace velmoka
