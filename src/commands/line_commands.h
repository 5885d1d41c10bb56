#pragma once

#include "commands/command.h"

// A microstrip at its working frequency, with its losses: the strip of width w and thickness t on
// a dielectric of height h, er and tan δ given at a frequency (or a named substrate's), held
// constant or spread by the wideband model, a conductor of a conductivity and a roughness. Each
// row is one frequency: the dispersed impedance and effective dielectric constant, the losses,
// delay, guided wavelength, skin depth, the line's R, L, G and C per metre and, with a length, the
// loss over it and the S-parameters of that section between ports of z_ref.
namespace velmoka::commands {

// velmoka-cli line and velmoka.line: the line of the width given, or with z0 and no width, the
// width whose Z0 at the frequency is z0.
extern const Command kLine;
// velmoka.line_width: the width for z0 at the frequency, the impedance first.
extern const Command kLineWidth;

}  // namespace velmoka::commands
