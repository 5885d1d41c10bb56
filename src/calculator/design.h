#pragma once

#include "calculator/boxes.h"
#include "calculator/outcome.h"
#include "calculator/shown_boxes.h"

#include <array>
#include <optional>

namespace velmoka {

// One design for the bulk path: a command, the units, and the values an engineer types into
// the boxes of a fresh calculator; the other boxes keep their opening texts.
struct Design {
    Command command = Command::analysis;
    Units units = Units::microns;
    std::array<std::optional<double>, kBoxCount> typed;  // by box; every value finite

    std::optional<double>& value(Box box) { return typed[index_of(box)]; }
};

// What a fresh calculator shows after the design's values are typed into it (each as its
// shortest text, the impedance entry check running on z0_txt) and its button is pressed once,
// and how the press ended: what a window would show, box for box, without a text being formed.
struct PressedDesign {
    ShownBoxes boxes;
    Ending ending;
};

PressedDesign press_design(const Design& design);
// The same into boxes that show the window as it opens.
Ending press_design(const Design& design, ShownBoxes& boxes);

}  // namespace velmoka
