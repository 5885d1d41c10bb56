#include "calculator/box_texts.h"
#include "calculator/press.h"
#include "calculator/shown_boxes.h"
#include "text_rules/messages.h"

namespace velmoka {

namespace {

constexpr double kLowestPermittivity = 1.0;        // vacuum
constexpr double kThinnestConductorRatio = 0.001;  // T/H floor of the thickness correction

}  // namespace

template <CommandBoxes Boxes>
auto Press<Boxes>::check_substrate(double er, double H, double T) -> std::optional<Substrate> {
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

template auto Press<WrittenTexts>::check_substrate(double, double, double) -> std::optional<Substrate>;
template auto Press<ShownBoxes>::check_substrate(double, double, double) -> std::optional<Substrate>;

}  // namespace velmoka
