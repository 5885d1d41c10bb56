#pragma once

// The line section that a lumped pi or T network stands for at one frequency: its electrical
// length from one element of the network and the line impedance, and its physical length.
// Units: f in GHz, inductance in nH, capacitance in pF, reactances and impedances in ohms,
// electrical length in radians, physical length in mils.
namespace velmoka {

// Reactance of the pi network's series inductance, 2π·f·L. An inductance of 0 is a short at
// any frequency.
double series_reactance(double inductance, double f);

// Reactance of the T network's shunt capacitance, 1 / (2π·f·C). A capacitance of 0 (of
// either sign) is an open circuit at any frequency: +infinity.
double shunt_reactance(double capacitance, double f);

// Electrical length of the line whose pi network has series reactance xl: sin θ = xl / z0,
// the shorter of the two lengths below 180°. Needs |xl / z0| <= 1.
double pi_electrical_length(double xl, double z0);

// Electrical length of the line whose T network has shunt reactance xc: sin θ = z0 / xc,
// the shorter of the two lengths below 180°. Needs |xc / z0| >= 1.
double tee_electrical_length(double xc, double z0);

// Physical length of a section of electrical length theta at f on a line of effective
// dielectric constant e_eff.
double section_length(double theta, double f, double e_eff);

}  // namespace velmoka
