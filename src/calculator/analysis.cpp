// "Analysis": from the strip's geometry to its impedance, effective dielectric constant,
// velocity, phase length and the lumped pi and T networks that stand for it.

#include "calculator/box_texts.h"
#include "calculator/press.h"
#include "calculator/shown_boxes.h"
#include "maths/window_constants.h"
#include "maths/lumped_networks.h"
#include "maths/microstrip_line.h"
#include "text_rules/messages.h"

#include <cmath>

namespace velmoka {

namespace {

constexpr double kNarrowestStripRatio = 0.01;  // W/H below which the model is not used
constexpr double kNarrowestStrip = 0.2;        // mils
constexpr double kWidestStrip = 500.0;         // mils

}  // namespace

template <CommandBoxes Boxes>
auto Press<Boxes>::check_analysis_inputs(double er, double H, double T, double W) -> std::optional<StripRatios> {
    const std::optional<Substrate> substrate = check_substrate(er, H, T);
    if (!substrate) {
        return std::nullopt;
    }
    const double u = W / H;
    if (u < kNarrowestStripRatio) {
        stop(Box::w_txt, message::kTooSmall);
        return std::nullopt;
    }
    if (W < kNarrowestStrip || W > kWidestStrip) {
        stop(Box::w_txt, message::kInvalidW);
        return std::nullopt;
    }
    write_number(Box::er_txt, substrate->er, "  ##0.000");
    write_number(Box::h_txt, H / unit_scale, "  ##0.00");
    write_number(Box::t_txt, T / unit_scale, "  ##0.000");  // the thickness as entered, not the raised ratio
    return StripRatios{substrate->er, u, substrate->t};
}

template <CommandBoxes Boxes>
void Press<Boxes>::analysis() {
    const double er = number(Box::er_txt);
    const double H = number(Box::h_txt) * unit_scale;  // mils
    const double T = number(Box::t_txt) * unit_scale;  // mils
    const double W = number(Box::w_txt) * unit_scale;  // mils

    const std::optional<StripRatios> strip = check_analysis_inputs(er, H, T, W);
    if (!strip) {
        return;
    }

    const LineProperties line = microstrip_line(strip->u, strip->t, strip->er);
    const double vel = 1.0 / std::sqrt(line.e_eff);
    write_number(Box::z0_txt, line.z0, "  ##0.00");
    write_number(Box::w_txt, W / unit_scale, "  ###0.00");
    write_number(Box::er_eff_txt, line.e_eff, "  ##0.000");
    write_number(Box::vel_txt, vel, "  #0.0000");
    const double len_lambda = length_to_phase();

    // A frequency of 0 or a velocity shown as 0 makes these non-finite; they are then shown
    // as " infinity", never left as a previous press's values.
    const double theta = 2.0 * kPi * len_lambda;  // radians
    const double f = number(Box::freq_txt);       // GHz
    const LumpedNetworks networks = lumped_networks(line.z0, theta, f);
    write_number(Box::lt_txt, networks.l_t, "  ##0.0000");
    write_number(Box::ct_txt, networks.c_t, "  ##0.0000");
    write_number(Box::lpi_txt, networks.l_pi, "  ##0.0000");
    write_number(Box::cpi_txt, networks.c_pi, "  ##0.0000");
}

template void Press<WrittenTexts>::analysis();
template void Press<ShownBoxes>::analysis();

}  // namespace velmoka
