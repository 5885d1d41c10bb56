#include "field_solver/field_pair_search.h"

#include <cmath>
#include <limits>

#include "maths/coupled_microstrip.h"
#include "maths/impedance_search.h"

namespace velmoka {

namespace {

static_assert(kNarrowestSearchedRatio == kFieldPairSmallestWidthRatio &&
                  kNarrowestSearchedRatio == kFieldPairSmallestGapRatio &&
                  kWidestSearchedRatio == kFieldPairLargestWidthRatio &&
                  kWidestSearchedRatio == kFieldPairLargestGapRatio,
              "the searches go over the field solution's range");

// A field solution takes up to a third of a second: the seed and its slope leave a few passes.
constexpr int kMostFieldSolutions = 12;

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr PairModes kNoModes{kNotANumber, kNotANumber, kNotANumber, kNotANumber};

// The search over one ratio: field_at(ratio) and formula_at(ratio) the field solution and the
// closed form there, `seed` the closed-form search's design.
template <typename FieldAt, typename FormulaAt>
FieldPairDesign search(double z_diff, bool rising, const PairDesign& seed, const FieldAt& field_at,
                       const FormulaAt& formula_at, PairSearchEnd beyond_lowest, PairSearchEnd beyond_highest) {
    if (!(z_diff > 0.0 && std::isfinite(z_diff))) {
        return {kNotANumber, {kNoModes, kNoModes, FieldPairStatus::ok}, 0, PairSearchEnd::no_pair};
    }
    // Where the closed form cannot reach the target, the field starts at the bound it ran into.
    double start = seed.ratio;
    if (seed.end == beyond_lowest) {
        start = kNarrowestSearchedRatio;
    } else if (seed.end == beyond_highest) {
        start = kWidestSearchedRatio;
    }
    FieldPair last{kNoModes, kNoModes, FieldPairStatus::ok};
    const auto probe = [&](double ratio) {
        last = field_at(ratio);
        const double z = differential_impedance(last.modes);
        return ImpedanceProbe{z, z * last.accuracy.z_odd, last.status == FieldPairStatus::ok};
    };
    const auto slope = [&](double ratio) { return differential_impedance_slope(formula_at, ratio); };
    const RatioSearch found =
        search_ratio(z_diff, kDifferentialImpedanceTolerance, {kNarrowestSearchedRatio, kWidestSearchedRatio}, rising,
                     start, kMostFieldSolutions, probe, slope);
    const PairSearchEnd end =
        pair_search_end(found.end, beyond_lowest, beyond_highest,
                        last.status == FieldPairStatus::accuracy_not_reached ? PairSearchEnd::field_not_solved
                                                                             : PairSearchEnd::no_pair);
    return {end == PairSearchEnd::met_tolerance ? found.ratio : kNotANumber, last, found.passes, end};
}

}  // namespace

FieldPairDesign field_width_for_differential_impedance(double z_diff, double g, double t, double er) {
    return search(
        z_diff, false, width_for_differential_impedance(z_diff, g, t, er),
        [&](double u) { return field_pair(u, g, t, er); }, [&](double u) { return coupled_microstrip(u, g, t, er); },
        PairSearchEnd::beyond_narrowest_width, PairSearchEnd::beyond_widest_width);
}

FieldPairDesign field_gap_for_differential_impedance(double z_diff, double u, double t, double er) {
    return search(
        z_diff, true, gap_for_differential_impedance(z_diff, u, t, er),
        [&](double g) { return field_pair(u, g, t, er); }, [&](double g) { return coupled_microstrip(u, g, t, er); },
        PairSearchEnd::beyond_narrowest_gap, PairSearchEnd::beyond_widest_gap);
}

}  // namespace velmoka
