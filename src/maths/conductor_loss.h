#pragma once

#include <cstdint>

// The strip's and the ground's resistance per metre: the skin effect with Hammerstad and
// Jensen's current-distribution factor (IEEE MTT-S Digest 1980, pp. 407–409), a rough surface
// by Hammerstad and Bekkadal's factor or Huray's snowball model, and a smooth passage to the
// DC resistance as the skin depth outgrows the strip.
namespace velmoka {

// Annealed copper, 100 % IACS (International Annealed Copper Standard, 1913), S/m.
inline constexpr double kCopperConductivity = 5.8e7;

enum class RoughnessModel : std::uint8_t {
    smooth,
    hammerstad,  // by the rms height of the surface
    huray,       // by spheres (nodules) of one radius standing on the flat surface
};

struct Roughness {
    RoughnessModel model = RoughnessModel::smooth;
    double rms_height = 0.0;        // m, Hammerstad and Bekkadal
    double nodule_radius = 0.0;     // m, Huray
    double nodules_per_area = 0.0;  // nodules per square metre of flat surface, Huray
};

struct Conductor {
    double conductivity = kCopperConductivity;  // S/m
    Roughness roughness;
};

// δ = 1/sqrt(π·f·μ0·σ), m; infinite at 0 Hz.
double skin_depth(double frequency, double conductivity);

// 1 + (2/π)·atan(1.4·(Δ/δ)²): from 1 on a surface smooth beside the skin depth to 2 on one
// far rougher (Hammerstad and Bekkadal, Microstrip Handbook, ELAB Trondheim, 1975).
double hammerstad_roughness_factor(double rms_height, double skin_depth);

// 1 + (3/2)·(N·4πa²/A)/(1 + δ/a + δ²/(2a²)): the loss on N spheres of radius a standing on a
// flat area A, beside that of the flat area alone, the tile under the spheres taken as flat
// (Huray, Oluwafemi, Loyer, Bogatin and Ye, "Impact of copper surface texture on loss: a model
// that works", DesignCon 2010). From 1 while the skin depth dwarfs the nodules to
// 1 + 6π·a²·N/A once it is small beside them.
double huray_roughness_factor(double nodule_radius, double nodules_per_area, double skin_depth);

double roughness_factor(const Roughness& roughness, double skin_depth);

// Hammerstad and Jensen's current-distribution factor exp(−1.2·(Z01/η0)^0.7), from Z01, the
// impedance of the same strip with air for its dielectric: 1 for a strip so wide that the
// current spreads evenly, smaller as the current crowds to the edges of a narrow one.
double current_distribution_factor(double air_impedance);

// The resistance per metre of strip and ground together, Ω/m, from the skin-effect resistance
// R_skin = 2·Rs·Ki·Kr/W (the resistance behind Hammerstad and Jensen's αc = Rs·Ki·Kr/(Z0·W))
// and the strip's DC resistance 1/(σ·W·T): R_skin/(1 − e^(−R_skin/R_dc)). Above both where the
// other is small, exactly R_dc at 0 Hz, rising smoothly and monotonically; it departs from
// R_skin by the factor 1/(1 − e^(−R_skin/R_dc)), 2 % where T = 3δ on a 50 Ω line and
// 1e-4 where T = 7δ. A strip of no thickness has no DC resistance (an infinite dc_resistance):
// the skin effect alone, falling to 0 at 0 Hz.
double strip_resistance(double skin_resistance, double dc_resistance);

}  // namespace velmoka
