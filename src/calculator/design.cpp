#include "calculator/design.h"

#include "calculator/press.h"

namespace velmoka {

PressedDesign press_design(const Design& design) {
    PressedDesign pressed;
    pressed.ending = press_design(design, pressed.boxes);
    return pressed;
}

Ending press_design(const Design& design, ShownBoxes& boxes) {
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        if (const std::optional<double>& value = design.typed[box]) {
            boxes.type(static_cast<Box>(box), *value);
        }
    }
    const CommandEnd end = Press(boxes, design.units).run(design.command);
    return ending_of(end, boxes.first_message_left());
}

}  // namespace velmoka
