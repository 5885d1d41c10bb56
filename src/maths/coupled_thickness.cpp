#include "maths/coupled_thickness.h"

#include <cmath>

#include "maths/microstrip_line.h"

namespace velmoka {

namespace {

// Jansen's rate at which the even mode recovers the single strip's width gain as Δu/Δt grows.
constexpr double kEvenModeRecovery = 0.69;

// The modes' widths from the single strip's gain and the gap's gain Δt.
ModeWidths mode_widths(double u, double single_gain, double gap_gain) {
    const double even_gain = single_gain * (1.0 - 0.5 * std::exp(-kEvenModeRecovery * single_gain / gap_gain));
    return {u + even_gain, u + even_gain + gap_gain};
}

}  // namespace

WidenedPair thickness_widened_widths(double u, double g, double t, double er) {
    if (t == 0.0) {
        return {{u, u}, {u, u}};
    }
    const double gain_in_air = width_increment_in_air(u, t);
    const double gap_gain_in_air = t / g;
    return {mode_widths(u, width_increment_on_dielectric(gain_in_air, substrate_terms(er)), gap_gain_in_air / er),
            mode_widths(u, gain_in_air, gap_gain_in_air)};
}

}  // namespace velmoka
