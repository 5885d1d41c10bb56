#include "field_solver/panel_potentials.h"

#include <Eigen/Dense>

#include <cmath>
#include <numbers>
#include <optional>

#include "field_solver/log_potential.h"
#include "field_solver/preconditioned_gmres.h"

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
};

std::vector<GaussPoint> deep_image_rule(const Panel& panel) {
    std::vector<GaussPoint> rule;
    const int pieces = static_cast<int>(std::ceil(length(panel) / kDeepImagePiece));
    for (int piece = 0; piece < pieces; ++piece) {
        for (double offset : {-kGaussOffset, kGaussOffset}) {
            const double s = (piece + 0.5 + offset) / pieces;
            const Point at{panel.start.x + s * (panel.end.x - panel.start.x),
                           panel.start.y + s * (panel.end.y - panel.start.y)};
            rule.push_back({at, 0.5 * length(panel) / pieces});
        }
    }
    return rule;
}

// ∫ ln r over a panel or over its images: directly, in the slab's top face (the −K image) and in
// the ground plane (the first ground image), from any point.
struct PanelAndImages {
    explicit PanelAndImages(const Panel& panel)
        : direct(panel),
          in_slab_face(mirrored_in_level(panel, 1.0)),
          in_ground(mirrored_in_level(panel, 0.0)),
          // A panel on the slab's face is its own mirror there.
          on_slab_face(panel.start.y == 1.0 && panel.end.y == 1.0) {}

    PanelLogIntegral direct;
    PanelLogIntegral in_slab_face;
    PanelLogIntegral in_ground;
    bool on_slab_face;
};

// The potentials at a point of unit charge densities on one panel (own) and on its mirror in
// x = 0 (mirrored), in air and over the slab.
struct SourcePotentials {
    double own_in_air;
    double mirrored_in_air;
    double own_with_slab;
    double mirrored_with_slab;
};

// One panel as a source: its images and, over the slab, its Gauss points for the deep images.
class PotentialsOfPanel {
public:
    PotentialsOfPanel(const Panel& panel, const SlabImages& slab)
        : slab_(slab),
          own_(panel),
          mirrored_(mirrored_in_symmetry_plane(panel)),
          rule_(slab.in_air() ? std::vector<GaussPoint>{} : deep_image_rule(panel)) {}

    SourcePotentials at(Point p) const {
        const double own_direct = own_.direct.at(p);
        const double own_ground = own_.in_ground.at(p);
        const double mirrored_direct = mirrored_.direct.at(p);
        const double mirrored_ground = mirrored_.in_ground.at(p);
        SourcePotentials potentials{kPerLog * (own_direct - own_ground), kPerLog * (mirrored_direct - mirrored_ground),
                                    0.0, 0.0};
        if (slab_.in_air()) {
            return potentials;
        }
        // The deep images' logarithms, Σ (−K)^(n−1) ∫ ln r, of the panel and of its mirror.
        double own_deep = 0.0;
        double mirrored_deep = 0.0;
        for (const GaussPoint& g : rule_) {
            const double height = p.y + g.at.y - 2.0;
            own_deep += g.weight * slab_.log_sum(height, p.x - g.at.x);
            mirrored_deep += g.weight * slab_.log_sum(height, p.x + g.at.x);
        }
        // The images over the slab: −K in its face, then −(1 − K²) at the ground image and the
        // deep images below it.
        const double k = slab_.face_ratio();
        const double own_face = own_.on_slab_face ? own_direct : own_.in_slab_face.at(p);
        const double mirrored_face = mirrored_.on_slab_face ? mirrored_direct : mirrored_.in_slab_face.at(p);
        potentials.own_with_slab = kPerLog * (own_direct - k * own_face - (1.0 - k * k) * (own_ground + own_deep));
        potentials.mirrored_with_slab =
            kPerLog * (mirrored_direct - k * mirrored_face - (1.0 - k * k) * (mirrored_ground + mirrored_deep));
        return potentials;
    }

private:
    const SlabImages& slab_;
    PanelAndImages own_;
    PanelAndImages mirrored_;
    std::vector<GaussPoint> rule_;
};

// The odd mode's charges from GMRES on the even mode's factors: to a residual this small in
// relation to the unit potentials, which leaves the charges within a few parts in 1e15. The
// range's pairs settle in 2 to 26 steps; by kMostGmresSteps the steps have cost about as much as
// the mode's own factors.
constexpr double kGmresResidual = 1e-14;
constexpr int kMostGmresSteps = 40;

}  // namespace

std::vector<StripCapacitances> charges_at_unit_potential(const std::vector<Panel>& panels, const SlabImages& slab,
                                                         std::span<const SymmetryPlane> planes) {
    const int count = static_cast<int>(panels.size());
    const bool in_air_only = slab.in_air();
    // For each plane, the potentials in air and then over the slab, side by side in one block:
    // one allocation, which the allocator can hand back whole to the next solution.
    const int media = in_air_only ? 1 : 2;
    Eigen::MatrixXd potentials(count, count * media * static_cast<int>(planes.size()));
    const auto first_column = [&](std::size_t plane, int medium) {
        return (static_cast<int>(plane) * media + medium) * count;
    };
    std::vector<Point> midpoints;
    Eigen::VectorXd lengths(count);
    for (int j = 0; j < count; ++j) {
        midpoints.push_back(midpoint(panels[j]));
        lengths[j] = length(panels[j]);
    }
    for (int j = 0; j < count; ++j) {
        const PotentialsOfPanel source(panels[j], slab);
        for (int i = 0; i < count; ++i) {
            const SourcePotentials source_potentials = source.at(midpoints[i]);
            for (std::size_t plane = 0; plane < planes.size(); ++plane) {
                const double mirror_sign = planes[plane] == SymmetryPlane::magnetic_wall ? 1.0 : -1.0;
                potentials(i, first_column(plane, 0) + j) =
                    source_potentials.own_in_air + mirror_sign * source_potentials.mirrored_in_air;
                if (!in_air_only) {
                    potentials(i, first_column(plane, 1) + j) =
                        source_potentials.own_with_slab + mirror_sign * source_potentials.mirrored_with_slab;
                }
            }
        }
    }
    // In each medium the first plane's potentials are factored in place; the other plane's
    // charges come from GMRES on those factors, or from its own should that not settle.
    const Eigen::VectorXd unit_potential = Eigen::VectorXd::Ones(count);
    std::vector<StripCapacitances> charges(planes.size());
    for (int medium = 0; medium < media; ++medium) {
        Eigen::Ref<Eigen::MatrixXd> first_plane = potentials.middleCols(first_column(0, medium), count);
        const Factors factors(first_plane);
        for (std::size_t plane = 0; plane < planes.size(); ++plane) {
            double charge = 0.0;
            if (plane == 0) {
                charge = factors.solve(unit_potential).dot(lengths);
            } else {
                Eigen::Ref<Eigen::MatrixXd> other_plane = potentials.middleCols(first_column(plane, medium), count);
                const std::optional<Eigen::VectorXd> density =
                    preconditioned_gmres(other_plane, factors, unit_potential, kGmresResidual, kMostGmresSteps);
                charge = density ? density->dot(lengths) : Factors(other_plane).solve(unit_potential).dot(lengths);
            }
            (medium == 0 ? charges[plane].in_air : charges[plane].with_slab) = charge;
        }
    }
    if (in_air_only) {
        for (StripCapacitances& charge : charges) {
            charge.with_slab = charge.in_air;
        }
    }
    return charges;
}

}  // namespace velmoka::field_solver
