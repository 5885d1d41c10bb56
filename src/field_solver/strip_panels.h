#pragma once

#include <vector>

// The strip's surface cut into straight panels for the boundary elements. Lengths are in units of
// the substrate height H; the ground plane is y = 0 and the slab's top face y = 1.
namespace velmoka::field_solver {

struct Point {
    double x;
    double y;
};

struct Panel {
    Point start;
    Point end;
};

Point midpoint(const Panel& panel);
double length(const Panel& panel);

// The right half (x >= 0) of a strip of width u and thickness t: its bottom face on the slab, its
// side at x = u/2 and its top face at y = 1 + t, or the one face at y = 1 when t = 0. Panels are
// graded toward the corners, where the charge density is singular. Each level halves every panel
// of the level below, so that the levels form one family for extrapolation to zero panel size.
std::vector<Panel> strip_panels(double u, double t, int level);

// The whole strip of width u and thickness t with its centre line at x = centre: the half strip
// as strip_panels cuts it and its mirror in the centre line, so that every face is graded toward
// both of its corners. The levels form one family as those of strip_panels do, starting from half
// as many panels on each face: a level has as many panels as strip_panels' level.
std::vector<Panel> whole_strip_panels(double u, double t, double centre, int level);

}  // namespace velmoka::field_solver
