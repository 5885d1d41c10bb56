#pragma once

#include "calculator/calculator.h"

#include <array>
#include <optional>
#include <string>

namespace velmoka::command_line {

// One run: a fresh calculator in the given units, each given value typed into its box as the
// text given, and one press of the command's button.
struct Run {
    Command command = Command::analysis;
    Units units = Units::microns;
    std::array<std::optional<std::string>, kBoxCount> given;  // by box

    std::optional<std::string>& value(Box box) { return given[index_of(box)]; }
};

// What a run leaves: the calculator after the press, and where the press stopped.
struct Result {
    Command command;
    Calculator calculator;
    std::optional<Stop> stop;  // empty when the command ran to its end
};

Result carry_out(const Run& run);

}  // namespace velmoka::command_line
