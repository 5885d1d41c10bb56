#pragma once

#include <cstdint>
#include <numbers>

#include "maths/conductor_loss.h"
#include "maths/dielectric.h"
#include "maths/microstrip_dispersion.h"
#include "maths/section_s_parameters.h"

// A microstrip at its working frequency, with its losses, in SI units: the calculator's static
// model at the substrate's permittivity at that frequency, Kirschning and Jansen's dispersion
// of e_eff, Jansen and Kirschning's of Z0, Hammerstad and Jensen's conductor loss and the
// filling factor's dielectric loss. Work that depends only on the strip and its materials is
// done once (prepare_line); each frequency then costs the dispersion and the losses, and the
// static model again only where the permittivity changes with frequency.
namespace velmoka {

// Decibels in a neper of attenuation: 20·log10(e).
inline constexpr double kDecibelsPerNeper = 20.0 / std::numbers::ln10;

struct Strip {
    double width;      // W, m
    double height;     // H, the dielectric's thickness, m
    double thickness;  // T, m; 0 is a strip of no thickness
};

enum class LineStatus : std::uint8_t {
    ok,
    strip_not_admitted,       // W or H not above 0, W/H below 0.01, T below 0, or not finite
    dielectric_not_admitted,  // er below 1, tan δ below 0, its frequency not above 0, or not finite
    permittivity_below_unity,  // the wideband fit puts ε∞ below 1 (DielectricFit)
    conductor_not_admitted,    // conductivity not above 0 or a roughness below 0, or not finite
    frequency_not_admitted,    // below 0 or not finite
    no_finite_answer,          // an input so extreme that a result overflowed
};

// The formulas the line was taken from beyond the ranges their authors fitted them over. The
// answer is still given; each flag names the bound that was passed.
enum class RangeWarning : std::uint16_t {
    dispersion_width_ratio = 1 << 0,    // Kirschning–Jansen e_eff(f): W/H 0.1 to 100
    dispersion_permittivity = 1 << 1,   // Kirschning–Jansen e_eff(f): er 1 to 20
    dispersion_frequency = 1 << 2,      // Kirschning–Jansen e_eff(f): H/λ0 up to 0.13
    impedance_width_ratio = 1 << 3,     // Jansen–Kirschning Z0(f): W/H 0.1 to 10
    impedance_permittivity = 1 << 4,    // Jansen–Kirschning Z0(f): er 1 to 18
    impedance_frequency = 1 << 5,       // Jansen–Kirschning Z0(f): H/λ0 up to 0.1
    conductor_under_three_skin_depths = 1 << 6,  // Hammerstad–Jensen loss: T above 3δ
};

struct RangeWarnings {
    std::uint16_t flags = 0;

    bool has(RangeWarning warning) const { return (flags & static_cast<std::uint16_t>(warning)) != 0; }
    void add(RangeWarning warning) { flags |= static_cast<std::uint16_t>(warning); }
    bool any() const { return flags != 0; }
};

struct LineAtFrequency {
    LineStatus status;
    RangeWarnings warnings;
    double er;            // the substrate's ε' at this frequency
    double loss_tangent;  // the substrate's tan δ at this frequency
    double z0;            // ohms: the lossless line's impedance, Jansen–Kirschning
    double e_eff;         // effective permittivity, Kirschning–Jansen
    double alpha_c;       // conductor loss R/(2·Z0), Np/m
    double alpha_d;       // dielectric loss G·Z0/2, Np/m
    // Re γ, Np/m: αc + αd to within (α/β)² wherever R ≪ ωL and G ≪ ωC; below the frequency
    // R/(2πL) (tens of kHz on a copper line) the line turns RC-like and α falls below that sum.
    double alpha;
    Propagation propagation;  // γ = sqrt((R + jωL)(G + jωC)), Zc = sqrt((R + jωL)/(G + jωC))
    double r;                 // Ω/m
    double l;                 // H/m
    double g;                 // S/m
    double c;                 // F/m
    double skin_depth;        // m; infinite at 0 Hz
    double guided_wavelength;  // λ0/sqrt(e_eff), m; infinite at 0 Hz
    double delay;              // sqrt(e_eff)/c0, s/m
};

// A strip's terms at one substrate permittivity: its static line and filling factor, and the
// terms of its dispersion that no frequency changes. Real is a double, or a vector of doubles
// on SIMD lanes.
template <typename Real>
struct LineAtPermittivityOf {
    Real z0;
    Real e_eff;
    Real filling;
    StripDispersionOf<Real> dispersion;
};

// The work of one strip that no frequency changes.
template <typename Real>
struct StripTermsOf {
    Real width;            // W, m
    Real height;           // H, m
    Real thickness;        // T, m
    Real width_ratio;      // W/H
    Real thickness_ratio;  // T/H
    WidthDispersionOf<Real> width_dispersion;
    Real current_distribution;  // Hammerstad and Jensen's Ki, from the strip's impedance in air
    Real dc_resistance;         // 1/(σ·W·T), Ω/m; infinite for a strip of no thickness
    LineAtPermittivityOf<Real> base;      // where the permittivity is the same at every frequency
    LineAtPermittivityOf<Real> near_air;  // at kLowestImpedanceDispersionPermittivity, where needed
};

// One strip on its dielectric with its conductor, for any frequency.
struct PreparedLine {
    LineStatus status;
    DielectricResponse dielectric;
    Conductor conductor;
    StripTermsOf<double> terms;
};

PreparedLine prepare_line(const Strip& strip, const Dielectric& dielectric, const Conductor& conductor = {});

// The line at frequency f >= 0, Hz. At 0 Hz: the static line of microstrip_line, its DC
// resistance (R = 1/(σ·W·T), αc = R/(2·Z0)), no dielectric loss, γ = 0 and an infinite Zc, or
// Zc = Z0 for a strip with no resistance at 0 Hz (T = 0).
LineAtFrequency line_at_frequency(const PreparedLine& line, double frequency);

LineAtFrequency line_at_frequency(const Strip& strip, const Dielectric& dielectric, const Conductor& conductor,
                                  double frequency);

}  // namespace velmoka
