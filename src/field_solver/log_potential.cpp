#include "field_solver/log_potential.h"

#include <cmath>

namespace velmoka::field_solver {

PanelLogIntegral::PanelLogIntegral(const Panel& panel)
    : length_(length(panel)),
      start_(panel.start),
      direction_{(panel.end.x - panel.start.x) / length_, (panel.end.y - panel.start.y) / length_} {}

double PanelLogIntegral::at(Point p) const {
    const double rx = p.x - start_.x;
    const double ry = p.y - start_.y;
    // Along the panel from p's foot to the panel's two ends, and p's distance off its line.
    const double to_start = -(rx * direction_.x + ry * direction_.y);
    const double to_end = length_ + to_start;
    const double off = std::abs(direction_.x * ry - direction_.y * rx);
    // ∫ ln sqrt(a² + off²) da = a ln sqrt(a² + off²) − a + off·atan(a / off), between the ends;
    // a ln|a| vanishes at a = 0, and the angle the panel subtends at p is one atan2.
    const auto a_log_r = [off](double a) { return a == 0.0 ? 0.0 : 0.5 * a * std::log(a * a + off * off); };
    const double angle = off == 0.0 ? 0.0 : std::atan2(off * length_, off * off + to_start * to_end);
    return a_log_r(to_end) - a_log_r(to_start) - length_ + off * angle;
}

}  // namespace velmoka::field_solver
