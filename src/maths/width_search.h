#pragma once

// The search for the strip width that gives a wanted impedance: a closed-form estimate of
// W/H, then finite-difference Newton passes on the line model until the model lies within
// 0.01 ohm of the wanted impedance.
namespace velmoka {

// The narrowest W/H the search works with; also where it starts when the estimate fails.
inline constexpr double kNarrowestWidthRatio = 0.01;
// The lowest impedance the search is asked for, ohms; Solve Microstrip refuses anything lower
// as too small.
inline constexpr double kLowestWantedImpedance = 0.1;
// The search gives up after this many passes (it needs at most seven on any reachable line).
inline constexpr int kMostSearchPasses = 100;
// A pass ends the search when the model lies this close to the wanted impedance, ohms.
inline constexpr double kImpedanceTolerance = 0.01;
// Each pass probes the model at its ratio times kProbeFactor for the Newton slope.
inline constexpr double kProbeFactor = 1.0001;
inline constexpr double kProbeStep = 0.0001;  // the probe's step relative to the pass's ratio
// The wave impedance of free space as the closed-form estimate rounds it, ohms.
inline constexpr double kRoundedFreeSpaceImpedance = 377.0;

enum class SearchEnd {
    met_tolerance,   // the model lies within 0.01 ohm of the wanted impedance
    out_of_reach,    // the wanted impedance is above the model's at W/H = 0.01
    did_not_settle,  // any other failure: the pass limit, or a step that is not finite
};

struct WidthSolution {
    double u;      // W/H of the last pass's probe, the ratio written to the window
    double z0;     // the model's impedance at u, ohms
    double e_eff;  // the model's effective dielectric constant at u
    int passes;
    SearchEnd end;
};

// Closed-form W/H for a wanted impedance z_want (ohms) on a substrate of permittivity er, the
// wide-strip synthesis formula used for every impedance. Where the formula has no value
// (z_want × sqrt(er) at or above about 592 ohms) the search starts at the narrowest ratio.
double estimated_width_ratio(double z_want, double er);

// The width ratio for z_want on a strip of thickness ratio t = T/H over permittivity er.
// Expects t >= 0.001 (or 0, the zero-thickness strip) and er >= 1.
WidthSolution solve_width_ratio(double z_want, double t, double er);

}  // namespace velmoka
