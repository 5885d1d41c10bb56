#include "field_solver/strip_capacitance.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "field_solver/deep_images.h"
#include "field_solver/log_potential.h"

namespace velmoka::field_solver {

namespace {

// The deep images (two or more slab thicknesses below the strip) are smooth over a panel and are
// integrated by two-point Gauss rules on pieces of a panel no longer than this (in H).
constexpr double kDeepImagePiece = 1.0;
constexpr double kGaussOffset = 0.28867513459481288225;  // 1/(2√3): the two-point rule on [-1/2, 1/2]

Panel mirrored_in_symmetry_plane(const Panel& panel) {
    return {{-panel.end.x, panel.end.y}, {-panel.start.x, panel.start.y}};
}

// Mirrored in the line y = level.
Panel mirrored_in_level(const Panel& panel, double level) {
    return {{panel.start.x, 2.0 * level - panel.start.y}, {panel.end.x, 2.0 * level - panel.end.y}};
}

struct GaussPoint {
    Point at;
    double weight;  // length of panel it stands for
    int panel;
};

std::vector<GaussPoint> deep_image_rule(const std::vector<Panel>& panels) {
    std::vector<GaussPoint> rule;
    for (int j = 0; j < static_cast<int>(panels.size()); ++j) {
        const Panel& panel = panels[j];
        const int pieces = static_cast<int>(std::ceil(length(panel) / kDeepImagePiece));
        for (int piece = 0; piece < pieces; ++piece) {
            for (double offset : {-kGaussOffset, kGaussOffset}) {
                const double s = (piece + 0.5 + offset) / pieces;
                const Point at{panel.start.x + s * (panel.end.x - panel.start.x),
                               panel.start.y + s * (panel.end.y - panel.start.y)};
                rule.push_back({at, 0.5 * length(panel) / pieces, j});
            }
        }
    }
    return rule;
}

// Largest offset |w| between two points of the strip and the mirror of one in x = 0.
double largest_offset(const std::vector<Panel>& panels) {
    double widest = 0.0;
    double highest = 1.0;
    for (const Panel& panel : panels) {
        widest = std::max({widest, panel.start.x, panel.end.x});
        highest = std::max({highest, panel.start.y, panel.end.y});
    }
    return std::hypot(2.0 * widest, 2.0 * (highest - 1.0));
}

// ∫ ln r over each panel and its mirror in x = 0, seen from each panel's midpoint (a row per
// midpoint, a column per panel): directly, in the slab's top face (the −K image) and in the ground
// plane (the first ground image).
struct NearLogs {
    Eigen::MatrixXd direct;
    Eigen::MatrixXd in_slab_face;
    Eigen::MatrixXd in_ground;
};

NearLogs near_logs(const std::vector<Panel>& half_strip) {
    const int count = static_cast<int>(half_strip.size());
    NearLogs logs{Eigen::MatrixXd::Zero(count, count), Eigen::MatrixXd::Zero(count, count),
                  Eigen::MatrixXd::Zero(count, count)};
    for (int j = 0; j < count; ++j) {
        for (const Panel& panel : {half_strip[j], mirrored_in_symmetry_plane(half_strip[j])}) {
            // A panel on the slab's face is its own mirror there.
            const bool on_slab_face = panel.start.y == 1.0 && panel.end.y == 1.0;
            const Panel slab_image = mirrored_in_level(panel, 1.0);
            const Panel ground_image = mirrored_in_level(panel, 0.0);
            for (int i = 0; i < count; ++i) {
                const Point p = midpoint(half_strip[i]);
                const double direct = log_integral(panel, p);
                logs.direct(i, j) += direct;
                logs.in_slab_face(i, j) += on_slab_face ? direct : log_integral(slab_image, p);
                logs.in_ground(i, j) += log_integral(ground_image, p);
            }
        }
    }
    return logs;
}

// The deep images' Σ (−K)^(n−1) ∫ ln r over each panel and its mirror in x = 0, as near_logs.
Eigen::MatrixXd deep_logs(const std::vector<Panel>& half_strip, double er) {
    const int count = static_cast<int>(half_strip.size());
    const DeepImages deep_images(er, largest_offset(half_strip));
    Eigen::MatrixXd logs = Eigen::MatrixXd::Zero(count, count);
    const std::vector<GaussPoint> rule = deep_image_rule(half_strip);
    for (int i = 0; i < count; ++i) {
        const Point p = midpoint(half_strip[i]);
        for (const GaussPoint& g : rule) {
            const double height = p.y + g.at.y - 2.0;
            logs(i, g.panel) +=
                g.weight * (deep_images.log_sum(height, p.x - g.at.x) + deep_images.log_sum(height, p.x + g.at.x));
        }
    }
    return logs;
}

// Total charge of the whole strip at unit potential, from the potentials its right half's panels
// give at their midpoints.
double charge_at_unit_potential(const Eigen::MatrixXd& potential, const Eigen::VectorXd& lengths) {
    const Eigen::VectorXd density = potential.partialPivLu().solve(Eigen::VectorXd::Ones(lengths.size()));
    return 2.0 * density.dot(lengths);
}

}  // namespace

StripCapacitances strip_capacitances(const std::vector<Panel>& half_strip, double er) {
    Eigen::VectorXd lengths(half_strip.size());
    for (std::size_t j = 0; j < half_strip.size(); ++j) {
        lengths[j] = length(half_strip[j]);
    }
    const NearLogs near = near_logs(half_strip);
    // The potential of a charge density σ is −(1/2π) ∫ σ ln r, over the charge and its images.
    constexpr double kPerLog = -0.5 / std::numbers::pi;
    const double in_air = charge_at_unit_potential(kPerLog * (near.direct - near.in_ground), lengths);
    if (er == 1.0) {
        return {in_air, in_air};
    }
    const double k = (er - 1.0) / (er + 1.0);
    const Eigen::MatrixXd images = k * near.in_slab_face + (1.0 - k * k) * (near.in_ground + deep_logs(half_strip, er));
    return {charge_at_unit_potential(kPerLog * (near.direct - images), lengths), in_air};
}

}  // namespace velmoka::field_solver
