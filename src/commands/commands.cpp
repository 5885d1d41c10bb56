#include "commands/commands.h"

#include "calculator/box_keys.h"
#include "commands/field_command.h"
#include "commands/line_commands.h"
#include "commands/pair_commands.h"
#include "commands/spread_command.h"
#include "commands/window_commands.h"

#include <algorithm>

namespace velmoka::commands {

const std::array<const Command*, 13> kCommands = {&kAnalysis,  &kSolve,     &kSynthPi, &kSynthT,    &kField,
                                                  &kLine,      &kPair,      &kSpread,  &kLineWidth, &kPairFormula,
                                                  &kFieldPair, &kPairWidth, &kPairGap};

void answer_rows(const Command& command, std::span<const RowRequest> requests, std::span<RowAnswer> answers) {
    if (command.answer_block != nullptr) {
        return command.answer_block(requests, answers);
    }
    for (std::size_t i = 0; i < requests.size(); ++i) {
        command.answer(requests[i], answers[i]);
    }
}

const Command* command_worded(std::string_view word) {
    const auto found =
        std::find_if(kCommands.begin(), kCommands.end(), [&](const Command* command) { return command->word == word; });
    return found == kCommands.end() ? nullptr : *found;
}

const Command* command_named(std::string_view python_name) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const Command* command) { return command->python_name == python_name; });
    return found == kCommands.end() ? nullptr : *found;
}

bool is_window_command(const Command& command) {
    return &command == &kAnalysis || &command == &kSolve || &command == &kSynthPi || &command == &kSynthT;
}

std::optional<int> Command::parameter_keyed(std::string_view key) const {
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (parameters[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<Fault> checked_together(const RowRequest& request) {
    return request.command->check != nullptr ? request.command->check(request) : std::nullopt;
}

std::optional<int> complete(RowRequest& request) {
    std::optional<int> missing;
    const std::span<const Parameter> parameters = request.command->parameters;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (request.given(static_cast<int>(i))) {
            continue;
        }
        // The box's key looked up only where it is wanted: a search by name for every value not given.
        const std::optional<Box> box = request.opening_window ? box_keyed(parameters[i].key) : std::nullopt;
        if (box) {
            request.values[i] = opening_reading(*box);
        } else if (parameters[i].need == Need::defaulted) {
            request.values[i] = parameters[i].default_value;
        } else {
            if (parameters[i].need == Need::required && !missing) {
                missing = static_cast<int>(i);
            }
            continue;
        }
        request.taken_as_they_open |= 1U << i;
    }
    return missing;
}

}  // namespace velmoka::commands
