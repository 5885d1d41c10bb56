// The two conversions between the physical length of the line (length1_txt) and its phase
// length in degrees (length2_txt). Both read the relative velocity back from the text of
// vel_txt, as the command has just shown it.

#include "calculator/box_texts.h"
#include "calculator/press.h"
#include "calculator/shown_boxes.h"
#include "maths/window_constants.h"
#include "maths/guided_wavelength.h"
#include "text_rules/messages.h"

namespace velmoka {

template <CommandBoxes Boxes>
double Press<Boxes>::length_to_phase() {
    return write_phase_length(number(Box::length1_txt) * unit_scale);
}

// A velocity shown as 0 gives a phase length of " infinity".
template <CommandBoxes Boxes>
double Press<Boxes>::write_phase_length(double length) {
    const double f = number(Box::freq_txt);  // GHz
    const double v = number(Box::vel_txt);
    const double len_lambda = wavelengths_of_line(length, f, v);
    write_number(Box::length2_txt, kDegreesPerWavelength * len_lambda, " ###0.00");
    return len_lambda;
}

template <CommandBoxes Boxes>
void Press<Boxes>::phase_to_length() {
    const double len_lambda = number(Box::length2_txt) / kDegreesPerWavelength;
    const double f = number(Box::freq_txt);  // GHz
    if (f == 0.0) {
        return write_message(Box::length1_txt, message::kInfinity);
    }
    const double v = number(Box::vel_txt);
    const double length = length_of_wavelengths(len_lambda, f, v);  // mils
    write_number(Box::length1_txt, length / unit_scale, " ###0.00");
}

template double Press<WrittenTexts>::length_to_phase();
template double Press<ShownBoxes>::length_to_phase();
template double Press<WrittenTexts>::write_phase_length(double);
template double Press<ShownBoxes>::write_phase_length(double);
template void Press<WrittenTexts>::phase_to_length();
template void Press<ShownBoxes>::phase_to_length();

}  // namespace velmoka
