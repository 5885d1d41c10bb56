#pragma once

#include "commands/command.h"

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace velmoka::command_line {

// The options of one of velmoka-cli's commands, as CLI11 reads them: those of every run (the
// units, the format, an input file, the opening window) and one for each of the command's
// parameters, its key spelled as an option (--tol-w), each value kept as the text given. Without
// a command, the run options of a batch whose rows each name a window command.
struct CommandOptions {
    const commands::Command* command = nullptr;
    CLI::App* app = nullptr;
    std::string units;
    std::string format = "text";
    std::string input;
    bool opening_window = false;
    std::vector<std::string> texts;     // by parameter, as given
    std::vector<CLI::Option*> options;  // by parameter
    CLI::Option* units_option = nullptr;
    CLI::Option* format_option = nullptr;
    CLI::Option* input_option = nullptr;
    CLI::Option* opening_window_option = nullptr;

    bool given(std::size_t parameter) const;
};

// Adds the options of options.command (or of a batch of window commands, without one) to app.
void add_command_options(CLI::App& app, CommandOptions& options);

}  // namespace velmoka::command_line
