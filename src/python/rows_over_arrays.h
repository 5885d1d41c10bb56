#pragma once

#include "commands/command.h"

#include <pybind11/pybind11.h>

#include <string>

namespace velmoka::python {

namespace py = pybind11;

// A command answered row by row, over arrays: the arguments (by place and by keyword, each a
// number or an array-like) broadcast together under numpy's rules, each element answered as one
// row. Gives a Results.
py::object rows_over_arrays(const commands::Command& command, const std::string& units, bool opening_window,
                            const py::object& texts_wanted, const py::args& args, const py::kwargs& keywords);

// Defines the command's function in the module, with the document given (its first line the
// signature the declaration gives): the window's commands take units, opening_window and texts,
// the others units alone.
void define_rows_function(py::module_& module, const commands::Command& command, const std::string& document);

}  // namespace velmoka::python
