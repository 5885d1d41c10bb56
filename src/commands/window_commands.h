#pragma once

#include "commands/command.h"

// The window's four commands for the machine faces: a fresh window with the values given typed
// into their boxes and the command's button pressed once, as the calculator core's bulk path
// presses it. Every box is a parameter, since any box of the window can be typed into; the boxes
// a command reads are its inputs (the substrate and strip, the wanted impedance, an element of a
// network), and the boxes it writes anew are its results.
//
// An input the command cannot do without must be given (or taken from the opening window, on
// request). Analysis's phase length and its pi and T elements need the physical length and the
// frequency, Solve Microstrip's physical length needs the phase length and the frequency, and the
// lengths of Synth.Pi and Synth. T need the effective dielectric constant where their width
// synthesis found none: where those are not given, those results are left out, the rest answered.
namespace velmoka::commands {

extern const Command kAnalysis;
extern const Command kSolve;
extern const Command kSynthPi;
extern const Command kSynthT;

}  // namespace velmoka::commands
