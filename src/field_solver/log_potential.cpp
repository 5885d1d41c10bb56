#include "field_solver/log_potential.h"

#include <cmath>

namespace velmoka::field_solver {

double log_integral(const Panel& panel, Point p) {
    const double panel_length = length(panel);
    const double ax = (panel.end.x - panel.start.x) / panel_length;
    const double ay = (panel.end.y - panel.start.y) / panel_length;
    const double rx = p.x - panel.start.x;
    const double ry = p.y - panel.start.y;
    // Along the panel from p's foot to the panel's two ends, and p's distance off its line.
    const double to_start = -(rx * ax + ry * ay);
    const double to_end = panel_length + to_start;
    const double off = std::abs(ax * ry - ay * rx);
    // ∫ ln sqrt(a² + off²) da = a ln sqrt(a² + off²) − a + off·atan(a / off), between the ends;
    // a ln|a| vanishes at a = 0, and the angle the panel subtends at p is one atan2.
    const auto a_log_r = [off](double a) { return a == 0.0 ? 0.0 : 0.5 * a * std::log(a * a + off * off); };
    const double angle = off == 0.0 ? 0.0 : std::atan2(off * panel_length, off * off + to_start * to_end);
    return a_log_r(to_end) - a_log_r(to_start) - panel_length + off * angle;
}

}  // namespace velmoka::field_solver
