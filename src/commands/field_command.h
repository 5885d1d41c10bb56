#pragma once

#include "commands/command.h"

// The field command: the quasi-static field solution of each strip, with its estimated accuracy,
// beside the line model at full precision and the model's relative differences from it. It checks
// only the field solver's range: a geometry beyond it (W/H outside 0.01 to 100, H not a positive
// length, T/H outside 0 to 1, er outside 1 to 100) stops with the solver's words, keyed to the
// parameter concerned; a solution that does not reach its accuracy is incomplete. Nothing is
// repaired: T = 0 is the strip of no thickness, in the field and in the model alike.
namespace velmoka::commands {

extern const Command kField;

// The places of the field command's results.
enum class FieldResult : int {
    z0,
    er_eff,
    z0_accuracy,
    er_eff_accuracy,
    model_z0,
    model_er_eff,
    z0_difference,
    er_eff_difference,
};

}  // namespace velmoka::commands
