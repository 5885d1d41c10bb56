#include "field_solver/panel_potentials.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "field_solver/deep_images.h"
#include "field_solver/log_potential.h"

namespace velmoka::field_solver {

namespace {

// The deep images (two or more slab thicknesses below the strip) are smooth over a panel and are
// integrated by two-point Gauss rules on pieces of a panel no longer than this (in H).
constexpr double kDeepImagePiece = 1.0;
constexpr double kGaussOffset = 0.28867513459481288225;  // 1/(2√3): the two-point rule on [-1/2, 1/2]
// The potential of a charge density σ is −(1/2π) ∫ σ ln r, over the charge and its images.
constexpr double kPerLog = -0.5 / std::numbers::pi;

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

// Largest offset |w| between two points of the panels and the mirror of one in x = 0.
double largest_offset(const std::vector<Panel>& panels) {
    double widest = 0.0;
    double highest = 1.0;
    for (const Panel& panel : panels) {
        widest = std::max({widest, panel.start.x, panel.end.x});
        highest = std::max({highest, panel.start.y, panel.end.y});
    }
    return std::hypot(2.0 * widest, 2.0 * (highest - 1.0));
}

// ∫ ln r over a panel seen from each panel's midpoint: directly, in the slab's top face (the −K
// image) and in the ground plane (the first ground image).
struct NearLogs {
    double direct;
    double in_slab_face;
    double in_ground;
};

NearLogs near_logs(const Panel& panel, Point p) {
    // A panel on the slab's face is its own mirror there.
    const bool on_slab_face = panel.start.y == 1.0 && panel.end.y == 1.0;
    const double direct = log_integral(panel, p);
    return {direct, on_slab_face ? direct : log_integral(mirrored_in_level(panel, 1.0), p),
            log_integral(mirrored_in_level(panel, 0.0), p)};
}

// The deep images' Σ (−K)^(n−1) ∫ ln r over each panel (own) and its mirror in x = 0 (mirrored).
struct DeepLogs {
    Eigen::MatrixXd own;
    Eigen::MatrixXd mirrored;
};

DeepLogs deep_logs(const std::vector<Panel>& panels, double er) {
    const int count = static_cast<int>(panels.size());
    const DeepImages deep_images(er, largest_offset(panels));
    DeepLogs logs{Eigen::MatrixXd::Zero(count, count), Eigen::MatrixXd::Zero(count, count)};
    const std::vector<GaussPoint> rule = deep_image_rule(panels);
    for (int i = 0; i < count; ++i) {
        const Point p = midpoint(panels[i]);
        for (const GaussPoint& g : rule) {
            const double height = p.y + g.at.y - 2.0;
            logs.own(i, g.panel) += g.weight * deep_images.log_sum(height, p.x - g.at.x);
            logs.mirrored(i, g.panel) += g.weight * deep_images.log_sum(height, p.x + g.at.x);
        }
    }
    return logs;
}

// The charge on the panels at unit potential, from the potentials of their own charge and of
// their mirrors' at the given sign.
double charge_at_unit_potential(const MirroredPotentials& potentials, const Eigen::VectorXd& lengths,
                                double mirror_sign) {
    const Eigen::MatrixXd potential = potentials.own + mirror_sign * potentials.mirrored;
    const Eigen::VectorXd density = potential.partialPivLu().solve(Eigen::VectorXd::Ones(lengths.size()));
    return density.dot(lengths);
}

}  // namespace

PanelPotentials panel_potentials(const std::vector<Panel>& panels, double er) {
    const int count = static_cast<int>(panels.size());
    PanelPotentials potentials{{Eigen::MatrixXd(count, count), Eigen::MatrixXd(count, count)}, std::nullopt,
                               Eigen::VectorXd(count)};
    for (int j = 0; j < count; ++j) {
        potentials.lengths[j] = length(panels[j]);
    }
    const bool in_air_only = er == 1.0;
    const double k = (er - 1.0) / (er + 1.0);
    if (!in_air_only) {
        DeepLogs deep = deep_logs(panels, er);
        potentials.with_slab = MirroredPotentials{std::move(deep.own), std::move(deep.mirrored)};
    }
    for (int j = 0; j < count; ++j) {
        const Panel mirror = mirrored_in_symmetry_plane(panels[j]);
        for (int i = 0; i < count; ++i) {
            const Point p = midpoint(panels[i]);
            const NearLogs own = near_logs(panels[j], p);
            const NearLogs mirrored = near_logs(mirror, p);
            potentials.in_air.own(i, j) = kPerLog * (own.direct - own.in_ground);
            potentials.in_air.mirrored(i, j) = kPerLog * (mirrored.direct - mirrored.in_ground);
            if (!in_air_only) {
                // The images over the slab: −K in its face, then −(1 − K²) at the ground image and
                // the deep images below it, whose logarithms are already in place.
                double& own_slab = potentials.with_slab->own(i, j);
                double& mirrored_slab = potentials.with_slab->mirrored(i, j);
                own_slab = kPerLog * (own.direct - k * own.in_slab_face - (1.0 - k * k) * (own.in_ground + own_slab));
                mirrored_slab = kPerLog * (mirrored.direct - k * mirrored.in_slab_face -
                                           (1.0 - k * k) * (mirrored.in_ground + mirrored_slab));
            }
        }
    }
    return potentials;
}

StripCapacitances charges_at_unit_potential(const PanelPotentials& potentials, SymmetryPlane plane) {
    const double mirror_sign = plane == SymmetryPlane::magnetic_wall ? 1.0 : -1.0;
    const double in_air = charge_at_unit_potential(potentials.in_air, potentials.lengths, mirror_sign);
    if (!potentials.with_slab) {
        return {in_air, in_air};
    }
    return {charge_at_unit_potential(*potentials.with_slab, potentials.lengths, mirror_sign), in_air};
}

}  // namespace velmoka::field_solver
