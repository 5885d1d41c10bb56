// "Synth.Pi" and "Synth. T": from one element of a lumped pi or T network, the frequency and
// the wanted impedance, the line section the network stands for. Each solves the strip width
// for the impedance first, then the electrical and physical length, then the other elements.

#include "analysis/lumped_networks.h"
#include "networks/line_section.h"
#include "window/main_window.h"
#include "window/messages.h"

#include <cmath>

namespace velmoka {

std::optional<double> MainWindow::section_length_on_window(double theta, double f) {
    const double e_eff = number(er_eff_txt);
    if (!(e_eff > 0.0)) {
        write_message(length1_txt, message::kInfinity);
        return std::nullopt;
    }
    return section_length(theta, f, e_eff);  // mils
}

void MainWindow::synthpi_Click() {
    const double inductance = number(lpi_txt);  // nH
    const double f = number(freq_txt);          // GHz
    if (f == 0.0) {
        write_message(length1_txt, message::kInfinity);
        return;
    }
    const double xl = series_reactance(inductance, f);
    const double z0 = number(z0_txt);
    // The series reactance of a pi network cannot exceed the impedance of its line.
    if (z0 < xl) {
        write_message(z0_txt, message::kZ0TooLow);
        return;
    }
    synthesis_Click();
    if (z0 == 0.0) {
        write_message(z0_txt, message::kZ0Error);
        return;
    }
    // Only a negative reactance can still be larger than the impedance here.
    if (std::abs(xl / z0) > 1.0) {
        write_message(z0_txt, message::kZ0TooLow);
        return;
    }
    const double theta = pi_electrical_length(xl, z0);
    const std::optional<double> length = section_length_on_window(theta, f);
    if (!length) {
        return;
    }
    const LumpedNetworks networks = lumped_networks(z0, theta, f);
    write_number(lpi_txt, inductance, "  ##0.0000");
    write_number(cpi_txt, networks.c_pi, "  ##0.0000");
    write_number(length1_txt, *length / unit_scale, "  ###0.00");
    write_phase_length(*length);  // from the unrounded length
    write_number(lt_txt, networks.l_t, "  ###0.0000");
    write_number(ct_txt, networks.c_t, "  ###0.0000");
}

void MainWindow::syntht_Click() {
    const double capacitance = number(ct_txt);  // pF
    const double f = number(freq_txt);          // GHz
    if (f == 0.0) {
        write_message(length1_txt, message::kInfinity);
        return;
    }
    const double xc = shunt_reactance(capacitance, f);
    const double z0 = number(z0_txt);
    // The impedance of the line cannot exceed the shunt reactance of its T network.
    if (z0 > xc) {
        write_message(z0_txt, message::kZ0TooHi);
        return;
    }
    synthesis_Click();
    if (z0 == 0.0) {
        write_message(z0_txt, message::kZ0Error);
        return;
    }
    // Only a negative impedance can still exceed the reactance in size here.
    if (std::abs(xc / z0) < 1.0) {
        write_message(z0_txt, message::kZ0TooHi);
        return;
    }
    const double theta = tee_electrical_length(xc, z0);
    const std::optional<double> length = section_length_on_window(theta, f);
    if (!length) {
        return;
    }
    const LumpedNetworks networks = lumped_networks(z0, theta, f);
    write_number(lt_txt, networks.l_t, "  ##0.0000");
    write_number(ct_txt, capacitance, "  ##0.0000");
    write_number(length1_txt, *length / unit_scale, "  ###0.00");
    write_phase_length(*length);  // from the unrounded length
    write_number(lpi_txt, networks.l_pi, "  ##0.0000");
    write_number(cpi_txt, networks.c_pi, "  ##0.0000");
}

}  // namespace velmoka
