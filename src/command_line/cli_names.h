#pragma once

#include "commands/command.h"
#include "common/length_units.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How velmoka-cli spells what the commands declare: a parameter's key as an option (--tol-w for
// tol_w) and the length units a command takes, by name or by their shorter spelling.
namespace velmoka::command_line {

std::string option_name(std::string_view key);

// The units a command takes: the window's microns and mils, or every length unit.
std::span<const LengthUnitName> units_of(const commands::Command& command);
std::optional<LengthUnit> units_read_by(const commands::Command& command, std::string_view name);
// "microns or mils", "microns, mils, mm or inches".
std::string units_listed(const commands::Command& command);
// Every spelling the command takes, names and shorter ones.
std::vector<std::string> unit_spellings(const commands::Command& command);

// The place of a choice's word among its words, in any case; empty for another word.
std::optional<double> choice_place(const commands::Parameter& parameter, std::string_view word);
// "field or formula", "fr4, ro4350b, ... or hr_silicon".
std::string choices_listed(const commands::Parameter& parameter);

}  // namespace velmoka::command_line
