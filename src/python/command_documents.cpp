#include "python/command_documents.h"

#include "commands/commands.h"
#include "python/signatures.h"

namespace velmoka::python {

namespace {

std::string unit_words(const commands::Parameter& parameter) {
    if (parameter.quantity == commands::Quantity::length) {
        return ", in the unit chosen";
    }
    const std::string_view unit = commands::unit_word(parameter.quantity, LengthUnit::microns);
    return unit.empty() ? "" : ", " + std::string(unit);
}

std::string need_words(const commands::Parameter& parameter) {
    switch (parameter.need) {
        case commands::Need::required:
            return " Required.";
        case commands::Need::optional:
            return "";
        case commands::Need::defaulted:
            break;
    }
    return "";
}

}  // namespace

std::string document_of(const commands::Command& command, std::string_view summary,
                        std::string_view returns_and_examples) {
    std::string document = text_signature(command) + "\n--\n\n" + std::string(summary) + "\n\nParameters\n----------\n";
    const bool window = commands::is_window_command(command);
    for (const PythonParameter& python : python_parameters(command)) {
        const std::optional<int> place = command.parameter_keyed(python.name);
        if (!place) {
            continue;  // the parameters every command of its kind takes, below
        }
        const commands::Parameter& parameter = command.parameters[static_cast<std::size_t>(*place)];
        document += python.name + " : " + python.annotation + "\n    " +
                    (window ? "The " + std::string(parameter.help) + " box" : std::string(parameter.help)) +
                    unit_words(parameter) + "." + need_words(parameter) + "\n";
    }
    document += std::string("units : str, optional\n    The unit of the lengths: ") +
                (window ? "'microns' (as the window opens) or 'mils'" : "'microns', 'mils', 'mm' or 'inches'") +
                "; 'um' and 'mil' spell the first two.\n";
    if (command.opens_like_the_window) {
        document +=
            "opening_window : bool, optional\n"
            "    Values not given are the opening window's (er 12.9, H 100, T 4, W 70, ...), as the window shows\n"
            "    them before anything is typed; without it, a value the results need must be given.\n";
    }
    if (window) {
        document +=
            "texts : bool or list of str, optional\n"
            "    Also give the boxes' texts exactly as the window shows them: ``True`` for every box, or a\n"
            "    list of keys. Off by default, since a million texts cost more than a million numbers.\n";
    }
    return document + "\n" + std::string(returns_and_examples);
}

}  // namespace velmoka::python
