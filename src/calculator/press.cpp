#include "calculator/press.h"

#include "maths/constants.h"
#include "text_rules/leading_numeric.h"
#include "text_rules/picture_format.h"

namespace velmoka {

namespace {

double mils_per_display_unit(Units units) {
    return units == Units::microns ? 1.0 / kMicronsPerMil : 1.0;
}

}  // namespace

Press::Press(BoxTexts& boxes, Units units, Outcome& outcome)
    : boxes(boxes), outcome(outcome), unit_scale(mils_per_display_unit(units)) {}

double Press::number(Box box) const {
    return leading_numeric(boxes[box]);
}

void Press::write_number(Box box, double value, std::string_view picture) {
    boxes.write(box, format_picture(value, picture), outcome);
}

void Press::write_message(Box box, std::string_view message) {
    boxes.write(box, message, outcome);
}

void Press::stop(Box box, std::string_view message) {
    write_message(box, message);
    outcome.stop = Stop{box, message};
}

void Press::run_width_synthesis() {
    synthesis();
    // Its messages stay on the window, but the press ends where the pi or T command ends.
    outcome.stop.reset();
}

}  // namespace velmoka
