#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

// The search for the one dimension of a line (a strip width, a gap), as a ratio to the substrate
// height, that gives a wanted impedance, when the impedance is known to rise or to fall with that
// ratio over the range searched: Newton steps on the logarithm of the ratio, from a slope that a
// cheap model estimates and then the secant of the last two probes; once probes lie either side
// of the target, a step that leaves them is replaced by halving; a step beyond the range probes
// its bound, and a target beyond that bound too is out of reach there.
namespace velmoka {

// What one probe of the impedance gives.
struct ImpedanceProbe {
    double z;       // ohms
    double margin;  // the bound of z's own error, ohms: 0 for a closed form
    bool solved;    // false where there is no impedance to give
};

enum class RatioSearchEnd {
    met_tolerance,   // the impedance at the ratio lies within the tolerance of the target, margin included
    beyond_lowest,   // the target lies beyond the impedance at the lowest ratio of the range
    beyond_highest,  // the target lies beyond the impedance at the highest ratio of the range
    not_solved,      // a probe had no impedance to give
    did_not_settle,  // the pass limit, or a step that is not a number
};

struct RatioSearch {
    double ratio;  // the ratio whose impedance met the tolerance; NaN for any other end
    ImpedanceProbe probe;  // the last probe: at ratio when met, at the bound when beyond it
    int passes;            // probes made
    RatioSearchEnd end;
};

struct RatioRange {
    double lowest;
    double highest;
};

// probe(ratio) gives an ImpedanceProbe, slope(ratio) an estimate of dz/d(ln ratio) in ohms;
// `rising` says whether z rises with the ratio. The search starts from `seed`, brought into the
// range, and makes at most most_passes probes.
template <typename Probe, typename Slope>
RatioSearch search_ratio(double target, double tolerance, RatioRange range, bool rising, double seed, int most_passes,
                         const Probe& probe, const Slope& slope) {
    constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
    const double lowest = std::log(range.lowest);
    const double highest = std::log(range.highest);
    const double direction = rising ? 1.0 : -1.0;
    const auto log_ratio_of = [&](double ratio) { return std::clamp(std::log(ratio), lowest, highest); };

    // The probes nearest the target on either side, once there are any: below gives an impedance
    // under the target, above one over it.
    double below = kNotANumber;
    double above = kNotANumber;
    double s = std::isfinite(seed) && seed > 0.0 ? log_ratio_of(seed) : 0.5 * (lowest + highest);
    double z_slope = slope(std::exp(s));
    double last_s = kNotANumber;
    double last_z = kNotANumber;
    for (int pass = 1;; ++pass) {
        const ImpedanceProbe at = probe(std::exp(s));
        if (!at.solved) {
            return {kNotANumber, at, pass, RatioSearchEnd::not_solved};
        }
        const double miss = at.z - target;
        if (std::abs(miss) + at.margin <= tolerance) {
            return {std::exp(s), at, pass, RatioSearchEnd::met_tolerance};
        }
        // A bound whose impedance still falls short of the target, on the side the search had to
        // go: the target is beyond the range.
        const bool wants_higher_ratio = direction * miss < 0.0;
        if (s == highest && wants_higher_ratio) {
            return {kNotANumber, at, pass, RatioSearchEnd::beyond_highest};
        }
        if (s == lowest && !wants_higher_ratio) {
            return {kNotANumber, at, pass, RatioSearchEnd::beyond_lowest};
        }
        if (pass == most_passes) {
            return {kNotANumber, at, pass, RatioSearchEnd::did_not_settle};
        }
        (miss < 0.0 ? below : above) = s;
        if (std::isfinite(last_s) && s != last_s && (at.z - last_z) * direction > 0.0) {
            z_slope = (at.z - last_z) / (s - last_s);
        }
        last_s = s;
        last_z = at.z;

        // A slope of the wrong sign or none would step away from the target: halfway to the bound
        // on the target's side instead.
        double next = z_slope * direction > 0.0 ? s - miss / z_slope : 0.5 * (s + (wants_higher_ratio ? highest : lowest));
        if (!std::isfinite(next)) {
            return {kNotANumber, at, pass, RatioSearchEnd::did_not_settle};
        }
        if (std::isfinite(below) && std::isfinite(above)) {
            const double inner = std::min(below, above);
            const double outer = std::max(below, above);
            if (!(next > inner && next < outer)) {
                next = 0.5 * (inner + outer);
            }
        }
        s = std::clamp(next, lowest, highest);
    }
}

}  // namespace velmoka
