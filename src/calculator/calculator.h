#pragma once

#include "calculator/box_texts.h"
#include "calculator/boxes.h"
#include "calculator/outcome.h"

#include <string>
#include <string_view>

namespace velmoka {

// The calculator without its window. The fourteen box texts and the unit of the dimension
// boxes are its whole state; an edit or a press changes that state and reports what it did,
// so that any face (the window, the command line, a test) shows the same thing.
class Calculator {
public:
    // The calculator as its window opens: the opening texts, dimensions in microns.
    Calculator() = default;

    const std::u16string& text(Box box) const { return boxes_[box]; }
    Units units() const { return units_; }

    // The user's change to a box's text.
    Outcome edit(Box box, std::u16string_view text);
    // A press of a command button: the command runs to its end or to one of its messages.
    Outcome press(Command command);
    // The units option converts nothing: the next command reads the boxes in the new unit.
    void set_units(Units units) { units_ = units; }

    bool operator==(const Calculator&) const = default;

private:
    BoxTexts boxes_;
    Units units_ = Units::microns;
};

}  // namespace velmoka
