#pragma once

#include "commands/command.h"

#include <string>

namespace velmoka::python {

// The document of a command's Python function: the signature Python reads from its first line,
// the summary, the Parameters section from the declaration, then the function's own Returns and
// Examples.
std::string document_of(const commands::Command& command, std::string_view summary,
                        std::string_view returns_and_examples);

}  // namespace velmoka::python
