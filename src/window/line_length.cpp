// The units of the dimension boxes and the two conversions between the physical length of
// the line (length1_txt) and its phase length in degrees (length2_txt). Both conversions
// read the relative velocity back from the text of vel_txt, as the command has just shown it.

#include "analysis/constants.h"
#include "analysis/guided_wavelength.h"
#include "window/main_window.h"
#include "window/messages.h"

#include <QRadioButton>

namespace velmoka {

void MainWindow::update_unit_scale() {
    unit_scale = 1.0 / kMicronsPerMil;
    if (!microns->isChecked()) {
        unit_scale = 1.0;
    }
}

void MainWindow::length_to_phase() {
    write_phase_length(number(length1_txt) * unit_scale);
}

// A velocity shown as 0 gives a phase length of " infinity".
void MainWindow::write_phase_length(double length) {
    const double f = number(freq_txt);  // GHz
    const double v = number(vel_txt);
    len_lambda = wavelengths_of_line(length, f, v);
    write_number(length2_txt, kDegreesPerWavelength * len_lambda, " ###0.00");
}

void MainWindow::phase_to_length() {
    len_lambda = number(length2_txt) / kDegreesPerWavelength;
    const double f = number(freq_txt);  // GHz
    if (f == 0.0) {
        write_message(length1_txt, message::kInfinity);
        return;
    }
    const double v = number(vel_txt);
    const double length = length_of_wavelengths(len_lambda, f, v);  // mils
    write_number(length1_txt, length / unit_scale, " ###0.00");
}

}  // namespace velmoka
