#pragma once

#include "calculator/boxes.h"
#include "calculator/outcome.h"
#include "text_rules/picture_format.h"

#include <concepts>
#include <optional>
#include <string_view>

namespace velmoka {

// Where a press finds the boxes: it reads a box as a number, writes a number under a picture
// or a message, and every write into z0_txt runs the impedance entry check before it returns.
// A calculator's own texts (WrittenTexts) and the bulk path's compact boxes (ShownBoxes) both
// are such boxes, so one source of every command serves both.
template <typename Boxes>
concept CommandBoxes = requires(Boxes& boxes, const Boxes& read, Box box, double value, Picture picture,
                                std::string_view message) {
    { read.number(box) } -> std::same_as<double>;
    boxes.write_number(box, value, picture);
    boxes.write_message(box, message);
};

// One press of a command button. Each command reads the boxes it needs, checks them, calls the
// line and network formulas, and writes its results, in that order; a problem is one message
// written into the box concerned, which ends the command.
template <CommandBoxes Boxes>
class Press {
public:
    Press(Boxes& boxes, Units units);

    CommandEnd run(Command command);

private:
    void analysis();   // analysis.cpp
    void synthesis();  // solve_microstrip.cpp
    void synthpi();    // network_commands.cpp
    void syntht();

    // The substrate checks that analysis and width synthesis share: er below 1 is raised to 1
    // (" 1.00"), a dielectric thickness of 0 or less stops with "Invalid H", and T/H at or
    // below its floor is raised to it (" 0.00"). Empty when the command must stop.
    struct Substrate {
        double er;  // relative permittivity, at least 1
        double t;   // conductor thickness over dielectric thickness, at least 0.001
    };
    std::optional<Substrate> check_substrate(double er, double H, double T);
    struct StripRatios {
        double er;
        double u;  // strip width over dielectric thickness
        double t;
    };
    std::optional<StripRatios> check_analysis_inputs(double er, double H, double T, double W);

    // The pi and T commands run the whole width synthesis as one of their steps, and go on
    // however it ended.
    void run_width_synthesis();
    // A step shared by the pi and T commands: the physical length of a section of electrical
    // length theta on the line whose e_eff the width synthesis has just shown (empty, with
    // " infinity" in length1_txt, when that e_eff is not positive).
    std::optional<double> section_length_on_window(double theta, double f);

    // The line-length conversions (line_length.cpp), which read the relative velocity back
    // from the text of vel_txt. length_to_phase and write_phase_length give len_lambda, the
    // line length in guided wavelengths (1 is 360 degrees of phase).
    double length_to_phase();
    double write_phase_length(double length);
    void phase_to_length();

    // Box operations shared by every command.
    double number(Box box) const { return boxes.number(box); }
    void write_number(Box box, double value, Picture picture) { boxes.write_number(box, value, picture); }
    void write_message(Box box, std::string_view message) { boxes.write_message(box, message); }
    // Writes a message that ends the command.
    void stop(Box box, std::string_view message) {
        write_message(box, message);
        end.stop = Stop{box, message};
    }

    Boxes& boxes;
    // Mils per display unit: 1/25.4 with microns selected, 1 with mils.
    const double unit_scale;
    CommandEnd end;
};

}  // namespace velmoka
