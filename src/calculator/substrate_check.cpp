#include "calculator/press.h"
#include "text_rules/messages.h"

namespace velmoka {

namespace {

constexpr double kLowestPermittivity = 1.0;        // vacuum
constexpr double kThinnestConductorRatio = 0.001;  // T/H floor of the thickness correction

}  // namespace

std::optional<Press::Substrate> Press::check_substrate(double er, double H, double T) {
    if (er < kLowestPermittivity) {
        write_message(Box::er_txt, message::kRaisedPermittivity);
        er = kLowestPermittivity;
    }
    if (H <= 0.0) {
        stop(Box::h_txt, message::kInvalidH);
        return std::nullopt;
    }
    double t = T / H;
    if (t <= kThinnestConductorRatio) {
        t = kThinnestConductorRatio;
        write_message(Box::t_txt, message::kThinConductor);
    }
    return Substrate{er, t};
}

}  // namespace velmoka
