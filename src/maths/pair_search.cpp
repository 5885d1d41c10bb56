#include "maths/pair_search.h"

#include <cmath>
#include <limits>

#include "maths/coupled_microstrip.h"
#include "maths/impedance_search.h"
#include "maths/width_search.h"

namespace velmoka {

namespace {

// The closed form takes microseconds: passes enough for halving the whole range down to 1e-9.
constexpr int kMostPasses = 60;

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr RatioRange kSearched{kNarrowestSearchedRatio, kWidestSearchedRatio};

ImpedanceProbe differential_probe(const CoupledMicrostrip& pair) {
    const bool solved = pair.status == CoupledStatus::ok || pair.status == CoupledStatus::beyond_fitted_range;
    return {differential_impedance(pair.modes), 0.0, solved};
}

// The search over one ratio, with pair_at(ratio) the pair at that ratio.
template <typename PairAt>
PairDesign search(double z_diff, bool rising, double seed, const PairAt& pair_at, PairSearchEnd beyond_lowest,
                  PairSearchEnd beyond_highest) {
    if (!(z_diff > 0.0 && std::isfinite(z_diff))) {
        return {kNotANumber, {kNotANumber, kNotANumber, kNotANumber, kNotANumber}, 0, PairSearchEnd::no_pair};
    }
    CoupledStatus last = CoupledStatus::ok;
    const auto probe = [&](double ratio) {
        const CoupledMicrostrip pair = pair_at(ratio);
        last = pair.status;
        return differential_probe(pair);
    };
    const auto slope = [&](double ratio) { return differential_impedance_slope(pair_at, ratio); };
    const RatioSearch found =
        search_ratio(z_diff, kDifferentialImpedanceTolerance, kSearched, rising, seed, kMostPasses, probe, slope);
    const PairSearchEnd end = pair_search_end(
        found.end, beyond_lowest, beyond_highest,
        last == CoupledStatus::no_sound_answer ? PairSearchEnd::no_sound_answer : PairSearchEnd::no_pair);
    if (end != PairSearchEnd::met_tolerance) {
        return {kNotANumber, {kNotANumber, kNotANumber, kNotANumber, kNotANumber}, found.passes, end};
    }
    return {found.ratio, pair_at(found.ratio).modes, found.passes, end};
}

}  // namespace

PairSearchEnd pair_search_end(RatioSearchEnd end, PairSearchEnd beyond_lowest, PairSearchEnd beyond_highest,
                              PairSearchEnd not_solved) {
    switch (end) {
        case RatioSearchEnd::met_tolerance:
            return PairSearchEnd::met_tolerance;
        case RatioSearchEnd::beyond_lowest:
            return beyond_lowest;
        case RatioSearchEnd::beyond_highest:
            return beyond_highest;
        case RatioSearchEnd::not_solved:
            return not_solved;
        case RatioSearchEnd::did_not_settle:
            break;
    }
    return PairSearchEnd::did_not_settle;
}

PairDesign width_for_differential_impedance(double z_diff, double g, double t, double er) {
    // The odd mode's impedance is below the single strip's: the strip of the single impedance
    // z_diff/2 is a little wider than the pair's, and close enough to start from.
    const double seed = estimated_width_ratio(0.5 * z_diff, er);
    return search(
        z_diff, false, seed, [&](double u) { return coupled_microstrip(u, g, t, er); },
        PairSearchEnd::beyond_narrowest_width, PairSearchEnd::beyond_widest_width);
}

PairDesign gap_for_differential_impedance(double z_diff, double u, double t, double er) {
    // From a gap as wide as the strips: a middling coupling.
    return search(
        z_diff, true, u, [&](double g) { return coupled_microstrip(u, g, t, er); }, PairSearchEnd::beyond_narrowest_gap,
        PairSearchEnd::beyond_widest_gap);
}

}  // namespace velmoka
