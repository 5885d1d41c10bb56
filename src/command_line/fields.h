#pragma once

#include "calculator/box_keys.h"
#include "calculator/boxes.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

// How the command line names the calculator's commands and boxes: the commands as words, the
// boxes by their keys (box_keys.h), which serve as option names (--er-eff), input columns and
// output keys (er_eff).
namespace velmoka::command_line {

struct CommandName {
    Command command;
    std::string_view word;     // on the command line and in the output
    std::string_view caption;  // the window's button
};

inline constexpr std::array<CommandName, 4> kCommandWords = {{
    {Command::analysis, "analysis", "Analysis"},
    {Command::synthesis, "solve", "Solve Microstrip"},
    {Command::synthpi, "synth-pi", "Synth.Pi"},
    {Command::syntht, "synth-t", "Synth. T"},
}};

constexpr std::optional<Command> command_from_word(std::string_view word) {
    for (const CommandName& name : kCommandWords) {
        if (name.word == word) {
            return name.command;
        }
    }
    return std::nullopt;
}

constexpr const CommandName& name_of_command(Command command) {
    for (const CommandName& name : kCommandWords) {
        if (name.command == command) {
            return name;
        }
    }
    return kCommandWords.front();
}

// The option of a box: --w, --er-eff.
inline std::string option_name(const BoxField& field) {
    std::string name = "--" + std::string(field.key);
    std::replace(name.begin(), name.end(), '_', '-');
    return name;
}

// The box of a key, with a dash in place of the underscore as well (er-eff for er_eff).
constexpr std::optional<Box> box_with_key(std::string_view key) {
    return box_keyed(key == "er-eff" ? "er_eff" : key);
}

}  // namespace velmoka::command_line
