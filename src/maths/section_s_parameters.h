#pragma once

#include <complex>
#include <optional>

// The one thing a network takes from a line: how a wave travels on it. The S-parameters of a
// length of line come from that alone, so a single line and each mode of a pair share them.
namespace velmoka {

inline constexpr double kReferenceImpedance = 50.0;  // ohms, the usual port impedance

struct Propagation {
    std::complex<double> gamma;  // γ = α + jβ, 1/m
    std::complex<double> zc;     // characteristic impedance, ohms
};

struct TwoPortS {
    std::complex<double> s11, s21, s12, s22;
};

// The S-parameters of a section of `length` metres between two ports of impedance z_ref
// (ohms), from Γ = (Zc − Zref)/(Zc + Zref) and P = e^(−γℓ):
// S11 = S22 = Γ·(1 − P²)/(1 − Γ²·P²), S21 = S12 = P·(1 − Γ²)/(1 − Γ²·P²), which stay finite
// however long and lossy the section (cosh and sinh of γℓ would overflow). Empty unless γ and
// Zc are finite with Re Zc > 0, the length is finite and not negative and z_ref is finite and
// above 0. A line at 0 Hz with series resistance and no shunt loss has an infinite Zc: its
// section is a series resistance, which (γ, Zc) cannot carry.
std::optional<TwoPortS> section_s_parameters(const Propagation& line, double length,
                                             double z_ref = kReferenceImpedance);

}  // namespace velmoka
