#include "python/signatures.h"

#include "commands/commands.h"

#include <cmath>

namespace velmoka::python {

namespace {

std::string annotation_of(const commands::Command& command, const commands::Parameter& parameter) {
    switch (parameter.form) {
        case commands::Form::number:
            return command.answers_rows() ? "Numbers" : "float";
        case commands::Form::tolerance:
            return "float | str";
        case commands::Form::count:
            return "int";
        case commands::Form::choice: {
            std::string choices = "Literal[";
            for (const std::string_view choice : parameter.choices) {
                choices += (choice == parameter.choices.front() ? "\"" : ", \"") + std::string(choice) + "\"";
            }
            return choices + "]";
        }
        case commands::Form::flag:
        case commands::Form::path:
            break;
    }
    return "bool";
}

std::string default_of(const commands::Parameter& parameter) {
    switch (parameter.need) {
        case commands::Need::required:
            return "";
        case commands::Need::optional:
            return parameter.form == commands::Form::flag ? "False" : "None";
        case commands::Need::defaulted:
            break;
    }
    if (parameter.form == commands::Form::choice) {
        std::string word = "'";
        word += parameter.choices[static_cast<std::size_t>(parameter.default_value)];
        return word += '\'';
    }
    return std::to_string(std::llround(parameter.default_value));
}

}  // namespace

bool has_python_function(const commands::Command& command) {
    return !command.python_name.empty();
}

std::vector<PythonParameter> python_parameters(const commands::Command& command) {
    std::vector<PythonParameter> parameters;
    for (std::size_t i = 0; i < command.parameters.size(); ++i) {
        const commands::Parameter& parameter = command.parameters[i];
        if (parameter.form == commands::Form::path) {
            continue;  // velmoka-cli's files: Python has the report and its samples themselves
        }
        std::string annotation = annotation_of(command, parameter);
        if (parameter.need == commands::Need::optional && parameter.form != commands::Form::flag) {
            annotation += " | None";
        }
        parameters.push_back({std::string(parameter.key), annotation, default_of(parameter), i < command.positional});
    }
    // Python's syntax gives a parameter taken by its place a default only where every one after
    // it has one too: before a required one, an optional one is shown as taken (None may be given).
    bool required_after = false;
    for (auto parameter = parameters.rbegin(); parameter != parameters.rend(); ++parameter) {
        if (!parameter->positional) {
            continue;
        }
        if (required_after) {
            parameter->default_text.clear();
        }
        required_after = required_after || parameter->default_text.empty();
    }
    const bool window = commands::is_window_command(command);
    parameters.push_back({"units", window ? "UnitsName" : "LengthUnitsName", "'microns'"});
    if (command.opens_like_the_window) {
        parameters.push_back({"opening_window", "bool", "False"});
    }
    if (window) {
        parameters.push_back({"texts", "bool | Sequence[BoxKey]", "False"});
    }
    return parameters;
}

std::string text_signature(const commands::Command& command) {
    std::string signature = std::string(command.python_name) + "(";
    bool keywords_begun = false;
    for (const PythonParameter& parameter : python_parameters(command)) {
        if (!parameter.positional && !keywords_begun) {
            signature += signature.ends_with('(') ? "*" : ", *";
            keywords_begun = true;
        }
        signature += signature.ends_with('(') ? "" : ", ";
        signature += parameter.name;
        if (!parameter.default_text.empty()) {
            signature += "=" + parameter.default_text;
        }
    }
    return signature + ")";
}

std::string stub_line(const commands::Command& command) {
    std::string line = "def " + std::string(command.python_name) + "(";
    bool keywords_begun = false;
    for (const PythonParameter& parameter : python_parameters(command)) {
        if (!parameter.positional && !keywords_begun) {
            line += line.ends_with('(') ? "*" : ", *";
            keywords_begun = true;
        }
        line += line.ends_with('(') ? "" : ", ";
        line += parameter.name + ": " + parameter.annotation;
        if (!parameter.default_text.empty()) {
            line += " = " + parameter.default_text;
        }
    }
    return line + ") -> " + (command.answers_rows() ? "Results" : "dict[str, object]") + ": ...";
}

}  // namespace velmoka::python
