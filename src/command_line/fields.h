#pragma once

#include "calculator/boxes.h"

#include <array>
#include <optional>
#include <string_view>

// How the command line names the calculator's commands and boxes: the commands as words, the
// boxes by keys that serve as option names (--er-eff), input columns and output keys (er_eff).
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

// A box as the output lists it, in this order, with the caption the window shows for it.
struct BoxField {
    Box box;
    std::string_view key;
    std::string_view caption;
    std::string_view unit;  // empty where the caption names it or there is none
    bool dimension;         // shown in the display unit, microns or mils
};

inline constexpr std::array<BoxField, kBoxCount> kBoxFields = {{
    {Box::length1_txt, "length", "Length", "", true},
    {Box::w_txt, "w", "Width", "", true},
    {Box::h_txt, "h", "Dielectric Thickness", "", true},
    {Box::t_txt, "t", "Conductor Thickness", "", true},
    {Box::er_txt, "er", "Dielectric Constant", "", false},
    {Box::freq_txt, "freq", "Frequency (GHz)", "", false},
    {Box::z0_txt, "z0", "Impedance", "ohms", false},
    {Box::er_eff_txt, "er_eff", "Effective Dielectric", "", false},
    {Box::vel_txt, "vel", "Relative Velocity", "", false},
    {Box::length2_txt, "phase", "Phase Length (degrees)", "", false},
    {Box::lpi_txt, "lpi", "L(nH)-Pi", "", false},
    {Box::cpi_txt, "cpi", "C(pF)-Pi", "", false},
    {Box::lt_txt, "lt", "L(nH)-T", "", false},
    {Box::ct_txt, "ct", "C(pF)-T", "", false},
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

constexpr const BoxField& field_of(Box box) {
    for (const BoxField& field : kBoxFields) {
        if (field.box == box) {
            return field;
        }
    }
    return kBoxFields.front();
}

// The box of a key, with a dash in place of the underscore as well (er-eff for er_eff).
constexpr std::optional<Box> box_with_key(std::string_view key) {
    for (const BoxField& field : kBoxFields) {
        if (field.key == key || (field.key == "er_eff" && key == "er-eff")) {
            return field.box;
        }
    }
    return std::nullopt;
}

}  // namespace velmoka::command_line
