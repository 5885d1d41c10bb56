#include "window/main_window.h"
#include "window/messages.h"

namespace velmoka {

namespace {

constexpr double kLowestPermittivity = 1.0;        // vacuum
constexpr double kThinnestConductorRatio = 0.001;  // T/H floor of the thickness correction

}  // namespace

std::optional<MainWindow::Substrate> MainWindow::check_substrate(double er, double H, double T) {
    if (er < kLowestPermittivity) {
        write_message(er_txt, message::kRaisedPermittivity);
        er = kLowestPermittivity;
    }
    if (H <= 0.0) {
        write_message(h_txt, message::kInvalidH);
        return std::nullopt;
    }
    double t = T / H;
    if (t <= kThinnestConductorRatio) {
        t = kThinnestConductorRatio;
        write_message(t_txt, message::kThinConductor);
    }
    return Substrate{er, t};
}

}  // namespace velmoka
