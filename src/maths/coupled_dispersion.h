#pragma once

#include <cstdint>

#include "maths/coupled_microstrip.h"
#include "maths/pair_modes.h"

// An edge-coupled pair of microstrips at a frequency: Kirschning and Jansen's frequency-dependent
// formulas (IEEE Trans. MTT-32(1), 1984, with their corrections in MTT-33(3), 1985) on the static
// pair of coupled_microstrip.h. Each mode's e_eff rises from its static value towards er as the
// single strip's does, by the single strip's terms P1–P4 (microstrip_dispersion.h) with a factor
// of the gap for each mode; the even mode's impedance follows a ratio of Jansen and Kirschning's
// form on its own e_eff, the odd mode's the single strip's Z0(f) with its own share.
//
// The strips' thickness enters through the static modes alone: every dispersion term takes the
// bare W/H and S/H, as the single strip's dispersion takes the bare W/H, and the single strip the
// odd mode leans on is the one both static modes become at a wide gap (decoupled_strip). As the
// gap widens, both modes' e_eff(f) and the odd mode's Z(f) thus become the single strip's own;
// the even mode's Z(f) keeps a term of the width and the frequency alone, −Q17 in its power C_e,
// and stays below the single strip's, by up to 5 % at fn 25 on wide strips at er 18.
//
// Below er 1.2 each mode's Z(f)/Z(0) is taken at er 1.2 and scaled linearly in er − 1 to 1 in
// air, as the single strip's is (microstrip_dispersion.h).
//
// Pure functions of their arguments: safe to call from any number of threads at once.
namespace velmoka {

// The highest normalised frequency fn = f·H the formulas were fitted to, GHz·mm (H/λ0 of 0.083);
// it lies below the single strip's own, 0.13 λ0 for e_eff(f) and 0.1 λ0 for Z0(f).
inline constexpr double kCoupledDispersionHighestFrequency = 25.0;

// The ranges a pair at frequency has left; the answer is still given. The pair's own formulas
// were fitted over narrower ranges than the single strip's, so a flag of the single strip's
// comes with a flag of the pair's.
enum class PairRangeWarning : std::uint16_t {
    pair_width_ratio = 1 << 0,         // Kirschning–Jansen pair: W/H 0.1 to 10
    pair_gap_ratio = 1 << 1,           // Kirschning–Jansen pair: S/H 0.1 to 10
    pair_permittivity = 1 << 2,        // Kirschning–Jansen pair: er 1 to 18
    pair_frequency = 1 << 3,           // Kirschning–Jansen pair: fn up to 25 GHz·mm
    dispersion_width_ratio = 1 << 4,   // single strip's e_eff(f): W/H 0.1 to 100
    dispersion_permittivity = 1 << 5,  // single strip's e_eff(f): er 1 to 20
    dispersion_frequency = 1 << 6,     // single strip's e_eff(f): H/λ0 up to 0.13
    impedance_width_ratio = 1 << 7,    // single strip's Z0(f): W/H 0.1 to 10
    impedance_permittivity = 1 << 8,   // single strip's Z0(f): er 1 to 18
    impedance_frequency = 1 << 9,      // single strip's Z0(f): H/λ0 up to 0.1
};

struct PairRangeWarnings {
    std::uint16_t flags = 0;

    bool has(PairRangeWarning warning) const { return (flags & static_cast<std::uint16_t>(warning)) != 0; }
    void add(PairRangeWarning warning) { flags |= static_cast<std::uint16_t>(warning); }
    bool any() const { return flags != 0; }
};

struct CoupledAtFrequency {
    PairModes modes;  // NaN unless status is ok or beyond_fitted_range
    // The static pair's status, beyond_fitted_range also for fn above 25 GHz·mm, frequency_invalid,
    // or no_sound_answer where the dispersed modes are no finite positive impedance.
    CoupledStatus status;
    PairRangeWarnings warnings;  // none unless the modes are given
};

// The pair of width ratio u, gap ratio g and thickness ratio t on permittivity er at the
// normalised frequency fn = f·H in GHz·mm, from its static modes `at_rest`, which are
// coupled_microstrip(u, g, t, er). fn = 0 gives the static modes exactly.
CoupledAtFrequency coupled_at_frequency(const CoupledMicrostrip& at_rest, double u, double g, double t, double er,
                                        double fn);

// The same, the static modes worked out here.
CoupledAtFrequency coupled_at_frequency(double u, double g, double t, double er, double fn);

}  // namespace velmoka
