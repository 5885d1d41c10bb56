#pragma once

#include "commands/command.h"

#include <string>
#include <string_view>
#include <vector>

// How the Python module spells a command's declaration: its keywords, their types for the type
// stub, their defaults, and the parameters every command of its kind takes besides (units, the
// opening window, the window's texts). Plain C++, so that the program that writes the type stub
// shares it with the module.
namespace velmoka::python {

struct PythonParameter {
    std::string name;
    std::string annotation;    // for the type stub
    std::string default_text;  // a Python literal; empty for a required parameter
    bool positional = false;   // also taken by its place
};

// The keywords of a command's function: its own parameters that Python takes (not velmoka-cli's
// files), then units and opening_window, and texts for the window's commands.
std::vector<PythonParameter> python_parameters(const commands::Command& command);

// The first line of the function's document, as Python reads its signature from it
// (inspect.signature, help): "analysis(*, w, h, t, er, length=None, ...)".
std::string text_signature(const commands::Command& command);

// The function's line in the type stub, with the types of its parameters and of its result.
std::string stub_line(const commands::Command& command);

// Whether Python has a function for the command (velmoka-cli's field and pair are velmoka-cli's:
// Python has field_line, pair, field_pair, pair_width and pair_gap).
bool has_python_function(const commands::Command& command);

}  // namespace velmoka::python
