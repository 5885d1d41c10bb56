// "Solve Microstrip": the strip width for the impedance in z0_txt, with the impedance the
// model reaches there, its effective dielectric constant and velocity, and the physical
// length of the phase length in length2_txt.

#include "calculator/box_texts.h"
#include "calculator/press.h"
#include "calculator/shown_boxes.h"
#include "maths/width_search.h"
#include "text_rules/messages.h"

#include <cmath>

namespace velmoka {

template <CommandBoxes Boxes>
void Press<Boxes>::synthesis() {
    const double er_read = number(Box::er_txt);
    const double H = number(Box::h_txt) * unit_scale;     // mils
    const double T = number(Box::t_txt) * unit_scale;     // mils
    const double W_in = number(Box::w_txt) * unit_scale;  // mils; only shown again
    const double z_want = number(Box::z0_txt);            // ohms

    const std::optional<Substrate> substrate = check_substrate(er_read, H, T);
    if (!substrate) {
        return;
    }
    if (z_want < kLowestWantedImpedance) {
        return stop(Box::z0_txt, message::kTooSmall);
    }
    write_number(Box::er_txt, substrate->er, "  ##0.000");
    write_number(Box::h_txt, H / unit_scale, "  ###0.00");
    write_number(Box::t_txt, T / unit_scale, "  ###0.000");
    write_number(Box::w_txt, W_in / unit_scale, "  ###0.00");

    const WidthSolution solution = solve_width_ratio(z_want, substrate->t, substrate->er);
    switch (solution.end) {
        case SearchEnd::met_tolerance:
            break;
        case SearchEnd::out_of_reach:
            return stop(Box::w_txt, message::kTooSmall);
        case SearchEnd::did_not_settle:
            return stop(Box::z0_txt, message::kZ0Error);
    }

    write_number(Box::z0_txt, solution.z0, "  ##0.00");
    write_number(Box::w_txt, solution.u * H / unit_scale, "  ###0.00");
    write_number(Box::er_eff_txt, solution.e_eff, "  ##0.000");
    write_number(Box::vel_txt, 1.0 / std::sqrt(solution.e_eff), "  #0.0000");
    phase_to_length();
}

template void Press<WrittenTexts>::synthesis();
template void Press<ShownBoxes>::synthesis();

}  // namespace velmoka
