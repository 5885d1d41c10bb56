// "Synth.Pi" and "Synth. T": from one element of a lumped pi or T network, the frequency and
// the wanted impedance, the line section the network stands for. Each solves the strip width
// for the impedance first, then the electrical and physical length, then the other elements.

#include "calculator/box_texts.h"
#include "calculator/press.h"
#include "calculator/shown_boxes.h"
#include "maths/line_section.h"
#include "maths/lumped_networks.h"
#include "text_rules/messages.h"

#include <cmath>

namespace velmoka {

template <CommandBoxes Boxes>
std::optional<double> Press<Boxes>::section_length_on_window(double theta, double f) {
    const double e_eff = number(Box::er_eff_txt);
    if (!(e_eff > 0.0)) {
        stop(Box::length1_txt, message::kInfinity);
        return std::nullopt;
    }
    return section_length(theta, f, e_eff);  // mils
}

template <CommandBoxes Boxes>
void Press<Boxes>::synthpi() {
    const double inductance = number(Box::lpi_txt);  // nH
    const double f = number(Box::freq_txt);          // GHz
    if (f == 0.0) {
        return stop(Box::length1_txt, message::kInfinity);
    }
    const double xl = series_reactance(inductance, f);
    const double z0 = number(Box::z0_txt);
    // The series reactance of a pi network cannot exceed the impedance of its line.
    if (z0 < xl) {
        return stop(Box::z0_txt, message::kZ0TooLow);
    }
    run_width_synthesis();
    if (z0 == 0.0) {
        return stop(Box::z0_txt, message::kZ0Error);
    }
    // Only a negative reactance can still be larger than the impedance here.
    if (std::abs(xl / z0) > 1.0) {
        return stop(Box::z0_txt, message::kZ0TooLow);
    }
    const double theta = pi_electrical_length(xl, z0);
    const std::optional<double> length = section_length_on_window(theta, f);
    if (!length) {
        return;
    }
    const LumpedNetworks networks = lumped_networks(z0, theta, f);
    write_number(Box::lpi_txt, inductance, "  ##0.0000");
    write_number(Box::cpi_txt, networks.c_pi, "  ##0.0000");
    write_number(Box::length1_txt, *length / unit_scale, "  ###0.00");
    write_phase_length(*length);  // from the unrounded length
    write_number(Box::lt_txt, networks.l_t, "  ###0.0000");
    write_number(Box::ct_txt, networks.c_t, "  ###0.0000");
}

template <CommandBoxes Boxes>
void Press<Boxes>::syntht() {
    const double capacitance = number(Box::ct_txt);  // pF
    const double f = number(Box::freq_txt);          // GHz
    if (f == 0.0) {
        return stop(Box::length1_txt, message::kInfinity);
    }
    const double xc = shunt_reactance(capacitance, f);
    const double z0 = number(Box::z0_txt);
    // The impedance of the line cannot exceed the shunt reactance of its T network.
    if (z0 > xc) {
        return stop(Box::z0_txt, message::kZ0TooHi);
    }
    run_width_synthesis();
    if (z0 == 0.0) {
        return stop(Box::z0_txt, message::kZ0Error);
    }
    // Only a negative impedance can still exceed the reactance in size here.
    if (std::abs(xc / z0) < 1.0) {
        return stop(Box::z0_txt, message::kZ0TooHi);
    }
    const double theta = tee_electrical_length(xc, z0);
    const std::optional<double> length = section_length_on_window(theta, f);
    if (!length) {
        return;
    }
    const LumpedNetworks networks = lumped_networks(z0, theta, f);
    write_number(Box::lt_txt, networks.l_t, "  ##0.0000");
    write_number(Box::ct_txt, capacitance, "  ##0.0000");
    write_number(Box::length1_txt, *length / unit_scale, "  ###0.00");
    write_phase_length(*length);  // from the unrounded length
    write_number(Box::lpi_txt, networks.l_pi, "  ##0.0000");
    write_number(Box::cpi_txt, networks.c_pi, "  ##0.0000");
}

template void Press<WrittenTexts>::synthpi();
template void Press<ShownBoxes>::synthpi();
template void Press<WrittenTexts>::syntht();
template void Press<ShownBoxes>::syntht();

}  // namespace velmoka
