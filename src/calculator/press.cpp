#include "calculator/press.h"

#include "calculator/box_texts.h"
#include "calculator/shown_boxes.h"
#include "maths/window_constants.h"

#include <utility>

namespace velmoka {

namespace {

double mils_per_display_unit(Units units) {
    return units == Units::microns ? 1.0 / kMicronsPerMil : 1.0;
}

}  // namespace

template <CommandBoxes Boxes>
Press<Boxes>::Press(Boxes& boxes, Units units) : boxes(boxes), unit_scale(mils_per_display_unit(units)) {}

template <CommandBoxes Boxes>
CommandEnd Press<Boxes>::run(Command command) {
    switch (command) {
        case Command::analysis:
            analysis();
            break;
        case Command::synthesis:
            synthesis();
            break;
        case Command::synthpi:
            synthpi();
            break;
        case Command::syntht:
            syntht();
            break;
    }
    return end;
}

template <CommandBoxes Boxes>
void Press<Boxes>::run_width_synthesis() {
    synthesis();
    // Its message stays on the window, but the press ends where the pi or T command ends.
    end.width_synthesis_stop = std::exchange(end.stop, std::nullopt);
}

template class Press<WrittenTexts>;
template class Press<ShownBoxes>;

}  // namespace velmoka
