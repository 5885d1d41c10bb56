#pragma once

// The strips' thickness in the closed-form pair, after Jansen (1978): each mode sees a pair of
// zero-thickness strips widened by its own share of the single strip's width gain Δu. The even
// mode keeps from half of it, at a tight gap, where the inner edges' field is shared with the
// other strip, to all of it at a wide one; the odd mode gains besides Δt = t/(er·g), the field
// between the facing sides, referred to the substrate. As g grows Δt vanishes and both modes tend
// to the single strip's Δu.
//
// As Hammerstad and Jensen treat the single strip, the pair is widened twice: on the substrate,
// with the single strip's gain on the dielectric Δur, for the modes' impedances; and in air,
// with the gain Δu1 and er = 1 in Δt, for the modes' impedances with air in the substrate's place,
// whose ratio to the first gives each mode's effective dielectric constant.
namespace velmoka {

struct ModeWidths {
    double even;  // W/H of the even mode's zero-thickness strips
    double odd;   // W/H of the odd mode's
};

struct WidenedPair {
    ModeWidths on_substrate;
    ModeWidths in_air;
};

// The modes' widths of strips of width ratio u, gap ratio g and thickness ratio t on a substrate
// of permittivity er. t = 0 leaves every width at u, the limit as t → 0.
WidenedPair thickness_widened_widths(double u, double g, double t, double er);

}  // namespace velmoka
