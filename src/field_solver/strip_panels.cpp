#include "field_solver/strip_panels.h"

#include <algorithm>
#include <cmath>

namespace velmoka::field_solver {

namespace {

// Within this distance of a corner (in H, or the whole face if shorter) panels are graded
// algebraically, their ends at distances proportional to the cube of an even step: enough to
// follow the charge's edge singularities, from 1/sqrt(d) on a thin strip to d^(-1/3) at a right
// corner. Beyond it the panels grow in proportion to the distance, which keeps the count on
// wide strips to the logarithm of their width.
constexpr double kCornerZone = 1.0;
constexpr double kGradingPower = 3.0;
// Panels per corner zone on the coarsest level: of the single strip's half, and of a pair's whole
// strip, which has twice as many faces to cut and so starts from half as many panels on each; a
// level then solves as many panels for either.
constexpr int kHalfStripPanelsPerZone = 8;
constexpr int kWholeStripPanelsPerZone = 4;

// The face's length in corner zones: one for the graded zone, and the logarithmic stretch beyond.
double zones_along(double face_length) {
    const double zone = std::min(face_length, kCornerZone);
    return 1.0 + std::log(face_length / zone) / kGradingPower;
}

// Distance from the corner of the point at fraction s of a face of the given length.
double graded_distance(double s, double face_length) {
    const double zone = std::min(face_length, kCornerZone);
    const double step = s * zones_along(face_length);
    if (step <= 1.0) {
        return zone * std::pow(step, kGradingPower);
    }
    return std::min(face_length, zone * std::exp(kGradingPower * (step - 1.0)));
}

// Panels from a corner along the unit direction (dx, dy) for face_length, finest at the corner.
struct Grading {
    int panels_per_zone;
    int level;
};

void add_face(std::vector<Panel>& panels, Point corner, double dx, double dy, double face_length, Grading grading) {
    const int count = static_cast<int>(std::ceil(grading.panels_per_zone * zones_along(face_length))) << grading.level;
    const auto at = [&](int i) {
        const double d = i == count ? face_length : graded_distance(static_cast<double>(i) / count, face_length);
        return Point{corner.x + dx * d, corner.y + dy * d};
    };
    for (int i = 0; i < count; ++i) {
        panels.push_back({at(i), at(i + 1)});
    }
}

// The right half of strip_panels, graded as asked.
std::vector<Panel> half_strip_panels(double u, double t, Grading grading) {
    const double half_width = 0.5 * u;
    const Point bottom_corner{half_width, 1.0};
    std::vector<Panel> panels;
    add_face(panels, bottom_corner, -1.0, 0.0, half_width, grading);
    if (t > 0.0) {
        const Point top_corner{half_width, 1.0 + t};
        add_face(panels, bottom_corner, 0.0, 1.0, 0.5 * t, grading);
        add_face(panels, top_corner, 0.0, -1.0, 0.5 * t, grading);
        add_face(panels, top_corner, -1.0, 0.0, half_width, grading);
    }
    return panels;
}

}  // namespace

Point midpoint(const Panel& panel) {
    return {0.5 * (panel.start.x + panel.end.x), 0.5 * (panel.start.y + panel.end.y)};
}

double length(const Panel& panel) {
    return std::hypot(panel.end.x - panel.start.x, panel.end.y - panel.start.y);
}

std::vector<Panel> strip_panels(double u, double t, int level) {
    return half_strip_panels(u, t, {kHalfStripPanelsPerZone, level});
}

std::vector<Panel> whole_strip_panels(double u, double t, double centre, int level) {
    const std::vector<Panel> half = half_strip_panels(u, t, {kWholeStripPanelsPerZone, level});
    std::vector<Panel> panels;
    panels.reserve(2 * half.size());
    for (const Panel& panel : half) {
        panels.push_back({{centre + panel.start.x, panel.start.y}, {centre + panel.end.x, panel.end.y}});
    }
    for (const Panel& panel : half) {
        panels.push_back({{centre - panel.end.x, panel.end.y}, {centre - panel.start.x, panel.start.y}});
    }
    return panels;
}

}  // namespace velmoka::field_solver
