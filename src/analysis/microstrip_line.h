#pragma once

// Quasi-static model of a single microstrip: the closed-form static formulas of
// Hammerstad and Jensen with their strip-thickness correction. No dispersion, no loss.
namespace velmoka {

struct LineProperties {
    double z0;     // characteristic impedance of the strip on its dielectric, ohms
    double e_eff;  // effective dielectric constant
};

// Zero-thickness strip of width ratio u = W/H on a substrate of relative permittivity er.
LineProperties zero_thickness_line(double u, double er);

// Strip of width ratio u = W/H and thickness ratio t = T/H on a substrate of permittivity er.
// Callers keep u >= 0.01, t >= 0.001 and er >= 1; the result is finite for every such input,
// infinities included: an infinitely wide strip has z0 = 0 and e_eff = er.
LineProperties microstrip_line(double u, double t, double er);

}  // namespace velmoka
