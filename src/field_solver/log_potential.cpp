#include "field_solver/log_potential.h"

#include "field_solver/complex_series.h"

#include <cmath>
#include <iterator>

namespace velmoka::field_solver {

namespace {

// From four panel lengths off the panel's middle on, the integral is taken from its multipole
// series: with z = p − middle and d the panel's direction as complex numbers, ∫ ln|z − s·d| ds
// over s in ±length/2 is length·(ln|z| − Re Σ_k u^k/(2k(2k + 1))), u = (d·length/2z)². The
// farther off, the fewer terms: from the distances (in panel lengths) of kMultipoleReach on, the
// terms to k = 7, 5, 4 and 3 leave less than 1e-16 of the length.
constexpr double kMultipoleTerms[] = {1.0 / 6.0,   1.0 / 20.0,  1.0 / 42.0, 1.0 / 72.0,
                                      1.0 / 110.0, 1.0 / 156.0, 1.0 / 210.0};
constexpr double kMultipoleReach[] = {4.0, 8.0, 16.0, 32.0};
constexpr int kTermsWithin[] = {7, 5, 4, 3};

}  // namespace

PanelLogIntegral::PanelLogIntegral(const Panel& panel)
    : length_(length(panel)),
      start_(panel.start),
      direction_{(panel.end.x - panel.start.x) / length_, (panel.end.y - panel.start.y) / length_} {}

double PanelLogIntegral::at(Point p) const {
    // From the panel's start, which the panels' points share exactly, not from its rounded middle.
    const double rx = p.x - start_.x;
    const double ry = p.y - start_.y;
    const double zx = rx - 0.5 * length_ * direction_.x;
    const double zy = ry - 0.5 * length_ * direction_.y;
    const double distance_squared = zx * zx + zy * zy;
    const double length_squared = length_ * length_;
    if (distance_squared >= kMultipoleReach[0] * kMultipoleReach[0] * length_squared) {
        int terms = kTermsWithin[0];
        for (std::size_t reach = 1; reach < std::size(kMultipoleReach); ++reach) {
            if (distance_squared >= kMultipoleReach[reach] * kMultipoleReach[reach] * length_squared) {
                terms = kTermsWithin[reach];
            }
        }
        // v = (d·length/2)·conj(z)/|z|², so that u = v².
        const double half = 0.5 * length_ / distance_squared;
        const double vx = half * (direction_.x * zx + direction_.y * zy);
        const double vy = half * (direction_.y * zx - direction_.x * zy);
        const double ux = vx * vx - vy * vy;
        const double uy = 2.0 * vx * vy;
        return length_ * (0.5 * std::log(distance_squared) - power_series(kMultipoleTerms, terms, ux, uy).real);
    }
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
