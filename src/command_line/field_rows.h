#pragma once

#include "calculator/boxes.h"
#include "command_line/input_rows.h"
#include "command_line/output.h"

#include <array>
#include <string_view>

// velmoka-cli field: the quasi-static field solution of each strip, with its estimated accuracy,
// beside the line model at full precision and the model's relative differences from it.
namespace velmoka::command_line {

inline constexpr std::string_view kFieldWord = "field";

// What a field row reads: the strip's width, the dielectric and conductor thickness, and the
// substrate's dielectric constant. Any other box is no input of it.
inline constexpr std::array<Box, 4> kFieldBoxes = {Box::w_txt, Box::h_txt, Box::t_txt, Box::er_txt};
inline constexpr InputColumns kFieldColumns = {false, kFieldBoxes, "velmoka-cli field"};

// A field row solves the strip of the design's four boxes, each as given or as the window opens
// with it. The window's refusals come first, with its messages: Analysis would stop at
// "Invalid H", "Too Small" or "Invalid W" (in the units of the run, the only place they count),
// and so does the row. None of the window's repairs is made: T = 0 is the strip of no thickness
// and a T/H below 0.001 is solved as it is, in the field and in the model alike. A geometry
// beyond the field solver's (W/H above 100, T/H outside 0 to 1, er outside 1 to 100) stops with
// the solver's words in that box; a solution that does not reach its accuracy is incomplete.
extern const RowAnswers kFieldRows;

}  // namespace velmoka::command_line
