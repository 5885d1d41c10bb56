#pragma once

#include "commands/command.h"

#include <array>
#include <optional>
#include <string_view>

namespace velmoka::commands {

// Every command of velmoka-cli and the Python module, in the order their help lists them.
extern const std::array<const Command*, 13> kCommands;

// The command of a velmoka-cli word or a Python name; empty for any other.
const Command* command_worded(std::string_view word);
const Command* command_named(std::string_view python_name);

// Answers each row: a block at a time where the command can, else one by one.
void answer_rows(const Command& command, std::span<const RowRequest> requests, std::span<RowAnswer> answers);

// Whether a command is one of the window's four.
bool is_window_command(const Command& command);

// The values not given, taken from the opening window where the request asks for it (for the
// parameters that are the window's boxes) and from their defaults; returns the first required
// parameter still without a value.
std::optional<int> complete(RowRequest& request);

// The fault of the values of a complete request taken together, by the command's own check;
// empty where there is none, or the command has no such check.
std::optional<Fault> checked_together(const RowRequest& request);

}  // namespace velmoka::commands
