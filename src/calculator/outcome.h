#pragma once

#include "calculator/boxes.h"

#include <algorithm>
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

// The message a command ended at, and the box it wrote it into.
struct Stop {
    Box box;
    std::string_view message;

    bool operator==(const Stop&) const = default;
};

// What one edit or one press did.
struct Outcome {
    std::vector<Write> writes;  // in the order they happened, the entry check's nested in them
    // Where a press ended at one of its command's messages; empty when the command ran to its
    // end, and after an edit.
    std::optional<Stop> stop;

    // Whether z0_txt is left holding the entry check's replacement, which a window selects so
    // that the next key typed replaces it: the last write into the box was the check's.
    bool select_impedance() const {
        const auto last = std::find_if(writes.rbegin(), writes.rend(),
                                       [](const Write& write) { return write.box == Box::z0_txt; });
        return last != writes.rend() && last->by_entry_check;
    }

    bool operator==(const Outcome&) const = default;
};

}  // namespace velmoka
