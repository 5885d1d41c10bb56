#include "calculator/design.h"

#include "calculator/press.h"

namespace velmoka {

PressedDesign press_design(const Design& design) {
    PressedDesign pressed;
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        if (const std::optional<double>& value = design.typed[box]) {
            pressed.boxes.type(static_cast<Box>(box), *value);
        }
    }
    const CommandEnd end = Press(pressed.boxes, design.units).run(design.command);
    pressed.ending = ending_of(end, pressed.boxes.first_message_left());
    return pressed;
}

}  // namespace velmoka
