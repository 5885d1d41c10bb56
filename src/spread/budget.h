#pragma once

#include "maths/pair_modes.h"
#include "spread/sample_column.h"
#include "spread/sample_statistics.h"
#include "spread/tolerance.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The tolerance budget of a line: how far its impedance strays when boards are made to
// tolerances, which tolerance matters most, what share of boards meets a band, and which
// nominal width centres the spread on a target. Every figure comes from the line model at full
// precision: quasi-static, without dispersion or loss. Of an edge-coupled pair (a line with a
// gap), the budget is of its differential impedance on the closed form, the figures named z0
// below being z_diff's; beside them, those corrected by the field solution at the nominal.
namespace velmoka::spread {

// The most samples a run takes: 800 MB for their impedances alone.
inline constexpr std::uint64_t kMostSamples = 100'000'000;

// The field solution's differential impedance at the nominal pair, handed in: the budget solves
// no field.
struct FieldAtNominal {
    double z_diff;       // ohms; NaN where the field solver gives none
    std::string status;  // "ok", or why it gives none ("gap out of range")
};

struct Request {
    Line nominal;                // W, H, T and S in one length unit, er; S 0 for a single strip
    double metres_per_unit;      // of that length unit, for the delay and the phase length
    std::optional<double> freq;  // GHz, with length: the phase length is asked for
    std::optional<double> length;
    Tolerances tolerances;
    Distribution distribution = Distribution::normal;
    std::uint64_t samples = 100'000;
    std::uint64_t seed = 0;
    std::optional<double> target;  // ohms, with band: the yield is asked for
    std::optional<Tolerance> band;
    std::optional<FieldAtNominal> field;  // of a pair: its figures are corrected by it where it is solved
    bool centre = false;                  // the widths that centre the spread on the target
    bool keep_samples = false;            // the report keeps each sample's line, not only its impedance
};

// The line as drawn. A pair's velocity, delay and phase are its odd mode's, which carries the
// differential signal.
struct Nominal {
    double z0;  // ohms
    double e_eff;
    double velocity;  // relative to the speed of light
    double delay_ps_per_mm;
    double delay_ps_per_inch;
    std::optional<double> phase;     // degrees, of the length at the frequency
    std::optional<PairModes> modes;  // of a pair
};

// One toleranced input alone at each end of its tolerance, the others as drawn.
struct Sensitivity {
    Input input;
    double tolerance;  // in the input's unit
    double z0_above;   // ohms, the input at nominal + tolerance
    double z0_below;   // at nominal − tolerance
    double share;      // of the impedance's variance, in the linearised model
};

struct WorstCase {
    double lowest;  // ohms
    double highest;
    Line lowest_at;
    Line highest_at;
    std::array<bool, kInputs> monotone;  // Z0 rises or falls with the input all over the box (a strip's gap: true)
    bool searched;                       // some input was not monotone, and the box's inside was searched
};

struct MonteCarlo {
    std::uint64_t seed;
    std::uint64_t samples;
    // Samples with T < 0 or er < 1, or a pair with no sound answer of the closed form: no
    // impedance, out of any band.
    std::uint64_t outside_model;
    Moments z0;
    std::vector<double> percentiles;  // of Z0, at kPercentiles
    std::optional<Share> yield;       // inside the band about the target
};

inline constexpr std::array<double, 5> kPercentiles = {0.135, 2.275, 50.0, 97.725, 99.865};

// A pair's Monte Carlo figures with every sample's z_diff times the field solution's over the
// closed form's at the nominal: as if the closed form were off by the same share all over the
// spread, which holds where its error changes little across the tolerances.
struct Corrected {
    double factor;  // field over closed form, at the nominal
    double mean;    // ohms
    double standard_deviation;
    std::vector<double> percentiles;  // at kPercentiles
    std::optional<Share> yield;
};

// Of a pair with a field solution, the widths centre its corrected z_diff on the target: the
// width drawn is made, and the closed form's own error at the nominal would move it by as much.
struct Centring {
    double width_for_yield;   // the nominal width that gives the highest yield
    Share yield;              // there
    double step;              // the yield at the width ± this is no higher
    double width_for_median;  // the nominal width that puts the median of Z0 on the target
    Share yield_at_median_width;
    int runs;  // Monte Carlo runs the search took
};

struct Report {
    Nominal nominal;
    std::vector<Sensitivity> sensitivities;  // toleranced inputs, largest share first
    WorstCase worst_case;
    double root_sum_square;  // ohms: the changes at each tolerance, added in quadrature
    MonteCarlo monte_carlo;
    std::optional<Corrected> corrected;  // of a pair whose field is solved
    std::optional<Centring> centring;
    SampleColumn sample_z0;  // the impedance of each sample, NaN outside the model's domain
    // With keep_samples, each sample's W, H, T, er and a pair's S, by input; else empty.
    std::array<SampleColumn, kInputs> sample_lines;
};

// Throws std::invalid_argument for a request no budget can be drawn for (the faces check their
// options first and name them).
Report budget(const Request& request);

}  // namespace velmoka::spread
