#include "command_line/cli_names.h"

#include <algorithm>

namespace velmoka::command_line {

std::string option_name(std::string_view key) {
    std::string name = "--" + std::string(key);
    std::replace(name.begin(), name.end(), '_', '-');
    return name;
}

std::span<const LengthUnitName> units_of(const commands::Command& command) {
    constexpr std::size_t kWindowUnits = 2;  // microns and mils lead the length units
    return std::span(kLengthUnits)
        .first(command.units == commands::UnitChoice::window ? kWindowUnits : kLengthUnits.size());
}

std::optional<LengthUnit> units_read_by(const commands::Command& command, std::string_view name) {
    for (const LengthUnitName& unit : units_of(command)) {
        if (unit.name == name || unit.alias == name) {
            return unit.unit;
        }
    }
    return std::nullopt;
}

std::string units_listed(const commands::Command& command) {
    const std::span<const LengthUnitName> units = units_of(command);
    std::string listed;
    for (std::size_t i = 0; i < units.size(); ++i) {
        listed += i == 0 ? "" : i + 1 == units.size() ? " or " : ", ";
        listed += units[i].name;
    }
    return listed;
}

std::vector<std::string> unit_spellings(const commands::Command& command) {
    std::vector<std::string> spellings;
    for (const LengthUnitName& unit : units_of(command)) {
        spellings.emplace_back(unit.name);
        spellings.emplace_back(unit.alias);
    }
    return spellings;
}

std::optional<double> choice_place(const commands::Parameter& parameter, std::string_view word) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t place = 0; place < parameter.choices.size(); ++place) {
        const std::string_view choice = parameter.choices[place];
        if (choice.size() == word.size() && std::equal(choice.begin(), choice.end(), word.begin(),
                                                       [&](char a, char b) { return lower(a) == lower(b); })) {
            return static_cast<double>(place);
        }
    }
    return std::nullopt;
}

std::string choices_listed(const commands::Parameter& parameter) {
    std::string listed;
    for (std::size_t i = 0; i < parameter.choices.size(); ++i) {
        listed += i == 0 ? "" : i + 1 == parameter.choices.size() ? " or " : ", ";
        listed += parameter.choices[i];
    }
    return listed;
}

}  // namespace velmoka::command_line
