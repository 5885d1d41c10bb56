#pragma once

#include <cstdint>

// The substrate's relative permittivity and loss tangent at any frequency, from the two values
// a data sheet gives at one frequency.
namespace velmoka {

// The causal wideband model of Djordjevic, Biljic, Likar-Smiljanic and Sarkar (IEEE Trans. EMC
// 43(4), 2001) spreads its relaxations evenly over the logarithm of frequency between these two
// frequencies, Hz; between them tan δ is nearly flat, as it is in glass-reinforced laminates.
inline constexpr double kLowestRelaxationFrequency = 1e3;
inline constexpr double kHighestRelaxationFrequency = 1e12;
// The frequency er and tan δ are taken at unless a data sheet says otherwise, Hz.
inline constexpr double kDataSheetFrequency = 1e9;

enum class PermittivityModel : std::uint8_t {
    wideband,  // Djordjevic–Sarkar, fitted through er and tan δ at the given frequency
    constant,  // er and tan δ as given, at every frequency
};

struct Dielectric {
    double er;            // relative permittivity, real part, at `frequency`
    double loss_tangent;  // tan δ at `frequency`
    double frequency = kDataSheetFrequency;  // Hz
    PermittivityModel model = PermittivityModel::wideband;
};

enum class DielectricFit : std::uint8_t {
    fitted,
    not_admitted,  // er below 1, tan δ below 0, frequency not above 0, or any of them not finite
    // The wideband fit puts the permittivity at high frequencies, ε∞, below 1: no dielectric
    // has this er and tan δ together at the given frequency.
    permittivity_below_unity,
};

// The wideband model, ε(f) = ε∞ + k·ln((f2 + jf)/(f1 + jf)), or the constant one, fitted once.
struct DielectricResponse {
    DielectricFit fit;
    PermittivityModel model;
    double er_infinity;   // ε∞; er itself in the constant model
    double strength;      // k, the permittivity the relaxations add per neper of frequency
    double loss_tangent;  // tan δ of the constant model
};

template <typename Real>
struct PermittivityAtOf {
    Real er;            // ε'(f)
    Real loss_tangent;  // ε''(f)/ε'(f)
};
using PermittivityAt = PermittivityAtOf<double>;

DielectricResponse fit_dielectric(const Dielectric& dielectric);

// ε' and tan δ at frequency f >= 0 (Hz) of a fitted dielectric. At 0 Hz the wideband model has
// its static permittivity ε∞ + k·ln(f2/f1) and no loss.
PermittivityAt permittivity_at(const DielectricResponse& response, double frequency);

}  // namespace velmoka
