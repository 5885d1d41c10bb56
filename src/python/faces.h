#pragma once

#include "calculator/boxes.h"

#include <pybind11/pybind11.h>

#include <array>
#include <string>
#include <string_view>

// How the Python module names the commands and units: as velmoka-cli does, with Python's
// underscore in synth_pi and synth_t.
namespace velmoka::python {

namespace py = pybind11;

inline constexpr std::array<std::string_view, 4> kCommandNames = {"analysis", "solve", "synth_pi", "synth_t"};

constexpr std::string_view python_name_of(Command command) {
    return kCommandNames[static_cast<std::size_t>(command)];
}

inline Command command_called(const std::string& name) {
    for (std::size_t command = 0; command < kCommandNames.size(); ++command) {
        if (kCommandNames[command] == name) {
            return static_cast<Command>(command);
        }
    }
    throw py::value_error("no command '" + name + "': the commands are analysis, solve, synth_pi and synth_t");
}

// The window's units by name, or by their shorter spelling, um or mil.
inline Units units_called(const std::string& name) {
    const std::optional<LengthUnit> unit = length_unit_named(name);
    if (unit == LengthUnit::microns || unit == LengthUnit::mils) {
        return *unit == LengthUnit::mils ? Units::mils : Units::microns;
    }
    throw py::value_error("no units '" + name + "': the units are microns and mils (um and mil spell them too)");
}

}  // namespace velmoka::python
