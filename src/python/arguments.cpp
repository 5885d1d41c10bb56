#include "python/arguments.h"

#include "commands/commands.h"
#include "python/signatures.h"

#include <algorithm>

namespace velmoka::python {

namespace {

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += i == 0 ? "" : i + 1 == names.size() ? " and " : ", ";
        text += "'" + names[i] + "'";
    }
    return text;
}

}  // namespace

Matched matched_arguments(const commands::Command& command, const py::args& args, const py::kwargs& keywords,
                          bool opening_window) {
    const std::string function = std::string(command.python_name) + "()";
    if (args.size() > command.positional) {
        throw py::type_error(function + " takes " + std::to_string(command.positional) + " arguments by place, but " +
                             std::to_string(args.size()) + " were given");
    }
    Matched matched;
    for (std::size_t place = 0; place < args.size(); ++place) {
        matched.emplace_back(place, py::reinterpret_borrow<py::object>(args[place]));
    }
    for (const auto& [keyword, value] : keywords) {
        const std::string key = keyword.cast<std::string>();
        const std::optional<int> parameter = command.parameter_keyed(key);
        if (!parameter || command.parameters[static_cast<std::size_t>(*parameter)].form == commands::Form::path) {
            std::vector<std::string> names;
            for (const PythonParameter& known : python_parameters(command)) {
                names.push_back(known.name);
            }
            throw py::type_error(function + " got an unexpected keyword argument '" + key + "'; it takes " +
                                 listed(names));
        }
        const auto place = static_cast<std::size_t>(*parameter);
        if (std::any_of(matched.begin(), matched.end(), [&](const auto& given) { return given.first == place; })) {
            throw py::type_error(function + " got multiple values for argument '" + key + "'");
        }
        matched.emplace_back(place, py::reinterpret_borrow<py::object>(value));
    }
    if (!opening_window) {
        std::vector<std::string> missing;
        for (std::size_t i = 0; i < command.parameters.size(); ++i) {
            const bool given = std::any_of(matched.begin(), matched.end(), [&](const auto& m) { return m.first == i; });
            if (!given && command.parameters[i].need == commands::Need::required) {
                missing.emplace_back(command.parameters[i].key);
            }
        }
        if (!missing.empty()) {
            throw py::type_error(function + " missing " + std::to_string(missing.size()) + " required argument" +
                                 (missing.size() == 1 ? "" : "s") + ": " + listed(missing) +
                                 " (or opening_window=True, to take the opening window's)");
        }
    }
    return matched;
}

LengthUnit units_of_call(const commands::Command& command, const std::string& name) {
    const std::optional<LengthUnit> unit = length_unit_named(name);
    const bool window = commands::is_window_command(command);
    if (!unit || (window && *unit != LengthUnit::microns && *unit != LengthUnit::mils)) {
        throw py::value_error("no units '" + name + "': the units are " +
                              (window ? "microns and mils" : "microns, mils, mm and inches") +
                              " (um and mil spell the first two)");
    }
    return *unit;
}

}  // namespace velmoka::python
