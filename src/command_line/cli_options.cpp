#include "command_line/cli_options.h"

#include "command_line/cli_names.h"
#include "commands/commands.h"
#include "commands/window_commands.h"

#include <CLI/CLI.hpp>

namespace velmoka::command_line {

namespace {

// How a parameter's value is written, for its help.
std::string value_form(const commands::Parameter& parameter, bool rows) {
    switch (parameter.form) {
        case commands::Form::number:
            return rows ? "X, START:STOP:STEP or a list a, b, c" : "X";
        case commands::Form::tolerance:
            return "X or X%";
        case commands::Form::count:
            return "a whole number";
        case commands::Form::choice:
        case commands::Form::flag:
        case commands::Form::path:
            break;
    }
    return "";
}

std::string help_of(const commands::Command& command, const commands::Parameter& parameter) {
    std::string help(parameter.help);
    if (commands::is_window_command(command)) {
        help = "the " + help + " box";
    }
    if (parameter.quantity == commands::Quantity::length) {
        help += ", in the length unit";
    } else if (const std::string_view unit = commands::unit_word(parameter.quantity, LengthUnit::microns);
               !unit.empty()) {
        help += ", " + std::string(unit);
    }
    const std::string form = value_form(parameter, command.answers_rows());
    if (!form.empty()) {
        help += "; " + form;
    }
    if (parameter.need == commands::Need::required) {
        help += " (required)";
    } else if (parameter.need == commands::Need::defaulted && parameter.form == commands::Form::choice) {
        help += " (default " + std::string(parameter.choices.front()) + ")";
    } else if (parameter.need == commands::Need::defaulted) {
        help += " (default " + std::to_string(static_cast<long long>(parameter.default_value)) + ")";
    }
    return help;
}

// The group of a parameter in the help: a window command's boxes it reads come first.
std::string group_of(const commands::Command& command, std::size_t parameter) {
    if (!commands::is_window_command(command)) {
        return "Options";
    }
    const bool read = std::any_of(command.columns.begin(), command.columns.end(), [&](const commands::Column& c) {
        return c.parameter == static_cast<int>(parameter);
    });
    return read ? "Boxes the command reads" : "Other boxes (typed in as the window would be; no result reads them)";
}

const commands::Command& units_command(const CommandOptions& options) {
    return options.command != nullptr ? *options.command : commands::kAnalysis;
}

}  // namespace

bool CommandOptions::given(std::size_t parameter) const {
    return options[parameter] != nullptr && options[parameter]->count() > 0;
}

void add_command_options(CLI::App& app, CommandOptions& options) {
    options.app = &app;
    const commands::Command& units = units_command(options);
    options.units_option = app.add_option("--units", options.units,
                                          units_listed(units) + " (default microns); um and mil spell the first two")
                               ->check(CLI::IsMember(unit_spellings(units)))
                               ->option_text("U");
    options.format_option = app.add_option("--format", options.format, "text | csv | json (default text)")
                                ->check(CLI::IsMember({"text", "csv", "json"}));
    if (options.command == nullptr || options.command->opens_like_the_window) {
        options.opening_window_option =
            app.add_flag("--opening-window", options.opening_window,
                         "values not given are the opening window's (er 12.9, H 100, T 4, W 70, ...), as the window "
                         "shows them before anything is typed");
    }
    if (options.command == nullptr || options.command->answers_rows()) {
        options.input_option =
            app.add_option("--input", options.input, "runs one row per line of a CSV file (- reads standard input)")
                ->option_text("FILE");
    }
    if (options.command == nullptr) {
        return;
    }
    const commands::Command& command = *options.command;
    options.texts.resize(command.parameters.size());
    options.options.resize(command.parameters.size());
    for (std::size_t i = 0; i < command.parameters.size(); ++i) {
        const commands::Parameter& parameter = command.parameters[i];
        const std::string name = option_name(parameter.key);
        CLI::Option* option = nullptr;
        if (parameter.form == commands::Form::flag) {
            option = app.add_flag(name)->description(help_of(command, parameter));
        } else {
            option = app.add_option(name, options.texts[i], help_of(command, parameter));
            if (parameter.form == commands::Form::choice) {
                option->check(CLI::IsMember(
                    std::vector<std::string>(parameter.choices.begin(), parameter.choices.end()), CLI::ignore_case));
            } else {
                option->option_text(parameter.form == commands::Form::path ? "FILE" : "X");
            }
        }
        options.options[i] = option->group(group_of(command, i));
    }
}

}  // namespace velmoka::command_line
