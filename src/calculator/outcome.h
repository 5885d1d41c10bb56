#pragma once

#include "calculator/boxes.h"
#include "common/verdict.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoka {

// One text the calculator wrote into a box.
struct Write {
    Box box;
    std::u16string text;
    bool changed;         // the box held another text; writing the text a box holds is no change
    bool by_entry_check;  // the impedance entry check's " Invalid Z0"

    bool operator==(const Write&) const = default;
};

// A message the calculator wrote, and the box it wrote it into.
struct Stop {
    Box box;
    std::string_view message;

    bool operator==(const Stop&) const = default;
};

// Where a command's run ended, before anyone looks at the boxes.
struct CommandEnd {
    // The message the command stopped at; empty when it ran to its end.
    std::optional<Stop> stop;
    // Synth.Pi and Synth. T run the width synthesis as one of their steps and go on however it
    // ends: the message it stopped at, which stays on the window although the command goes on.
    std::optional<Stop> width_synthesis_stop;

    bool operator==(const CommandEnd&) const = default;
};

// How a press ended, in the statuses every face reports: ok where the command ran to its end
// and every box it wrote shows a number; incomplete where it ran to its end but a box shows a
// message in place of a result (the width synthesis of Synth.Pi or Synth. T stopped, or a result
// could not be shown: a frequency of 0, an impedance the entry check refuses); stopped where the
// command ended at one of its messages. A press is never an error.
struct Ending {
    Status status = Status::ok;
    // stopped: the command's message; incomplete: the width synthesis's message, or else the
    // first message the press left in place of a result; ok: empty.
    std::optional<Stop> message;

    bool operator==(const Ending&) const = default;
};

// The ending of a command's run, given the first message it left in place of a result.
constexpr Ending ending_of(const CommandEnd& end, const std::optional<Stop>& first_message_left) {
    if (end.stop) {
        return {Status::stopped, end.stop};
    }
    if (end.width_synthesis_stop) {
        return {Status::incomplete, end.width_synthesis_stop};
    }
    if (first_message_left) {
        return {Status::incomplete, first_message_left};
    }
    return {};
}

// What one edit or one press did.
struct Outcome {
    std::vector<Write> writes;  // in the order they happened, the entry check's nested in them
    Ending ending;              // after an edit: ok

    // Whether z0_txt is left holding the entry check's replacement, which a window selects so
    // that the next key typed replaces it: the last write into the box was the check's.
    bool select_impedance() const {
        const auto last =
            std::find_if(writes.rbegin(), writes.rend(), [](const Write& write) { return write.box == Box::z0_txt; });
        return last != writes.rend() && last->by_entry_check;
    }

    bool operator==(const Outcome&) const = default;
};

}  // namespace velmoka
