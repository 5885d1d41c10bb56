#pragma once

#include "commands/command.h"

// The edge-coupled pair: two identical strips of width w, their facing sides a gap s apart, of
// thickness t, on a dielectric of height h and permittivity er. Each answer gives both modes'
// impedances and effective dielectric constants, the differential impedance 2·z_odd, the common
// impedance z_even/2 and the coupling coefficient.
namespace velmoka::commands {

// velmoka-cli pair: the field solution and the closed form side by side, with the closed form's
// relative differences from the field; with z_diff and the width or the gap left out, the one
// left out for that differential impedance first (on the field solution, or the closed form).
extern const Command kPair;

// Python's functions over arrays: the closed form, the field solution, and the width and the gap
// for a wanted differential impedance.
extern const Command kPairFormula;
extern const Command kFieldPair;
extern const Command kPairWidth;
extern const Command kPairGap;

}  // namespace velmoka::commands
