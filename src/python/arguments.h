#pragma once

#include "commands/command.h"

#include <pybind11/pybind11.h>

#include <string>
#include <utility>
#include <vector>

namespace velmoka::python {

namespace py = pybind11;

// A call's arguments matched with its command's parameters: the first `positional` by their
// place, the others by keyword. Each one given, by its place among the parameters, in the order
// given.
using Matched = std::vector<std::pair<std::size_t, py::object>>;

// Raises TypeError, as Python does for any function, for a keyword the command has not, an
// argument given twice, too many given by place, and (unless the opening window's are taken)
// required parameters left out, all of them named.
Matched matched_arguments(const commands::Command& command, const py::args& args, const py::kwargs& keywords,
                          bool opening_window);

// The length unit of a name the command takes ("microns", "um", ...); ValueError for any other.
LengthUnit units_of_call(const commands::Command& command, const std::string& name);

}  // namespace velmoka::python
