#include "spread/budget.h"

#include "common/length_units.h"
#include "common/physical_constants.h"
#include "maths/window_constants.h"
#include "spread/centring.h"
#include "spread/impedances.h"
#include "spread/line_values.h"
#include "spread/monte_carlo.h"
#include "spread/pair_values.h"
#include "spread/sensitivities.h"
#include "spread/worst_case.h"

#include <cmath>
#include <stdexcept>

namespace velmoka::spread {

namespace {

Nominal nominal_of(const Request& request) {
    Nominal nominal{};
    if (impedance_of(request.nominal) == Impedance::z0) {
        const LineValue line = line_value(request.nominal);
        nominal.z0 = line.z0;
        nominal.e_eff = line.e_eff;
    } else {
        nominal.modes = pair_modes(request.nominal);
        nominal.z0 = differential_impedance(*nominal.modes);
        nominal.e_eff = nominal.modes->e_eff_odd;  // the differential signal's mode
    }
    nominal.velocity = 1.0 / std::sqrt(nominal.e_eff);
    const double seconds_per_metre = std::sqrt(nominal.e_eff) / kSpeedOfLight;
    nominal.delay_ps_per_mm = seconds_per_metre * kMetresPerMillimetre * kPicosecondsPerSecond;
    nominal.delay_ps_per_inch = seconds_per_metre * kMetresPerInch * kPicosecondsPerSecond;
    if (request.freq && request.length) {
        const double seconds = *request.length * request.metres_per_unit * seconds_per_metre;
        nominal.phase = kDegreesPerWavelength * seconds * *request.freq * kHertzPerGigahertz;
    }
    return nominal;
}

void check(const Request& request) {
    const Line& line = request.nominal;
    if (!(line[Input::w] > 0.0 && line[Input::h] > 0.0 && line[Input::t] >= 0.0 && line[Input::er] >= 1.0 &&
          line[Input::s] >= 0.0 && std::isfinite(line[Input::s]))) {
        throw std::invalid_argument(
            "the line is outside the model: W and H positive, T at least 0, er at least 1, S positive or 0");
    }
    if (request.samples == 0) {
        throw std::invalid_argument("no samples");
    }
    if (request.target.has_value() != request.band.has_value()) {
        throw std::invalid_argument("a target and a band go together");
    }
    if (request.centre && !request.target) {
        throw std::invalid_argument("centring needs a target and a band");
    }
    if (request.field && impedance_of(line) != Impedance::z_diff) {
        throw std::invalid_argument("a field solution of the pair needs a pair");
    }
}

Corrected corrected_by(double factor, const Request& request, const MonteCarlo& monte_carlo,
                       const SampleColumn& z_diff) {
    Corrected corrected{factor, factor * monte_carlo.z0.mean, factor * monte_carlo.z0.standard_deviation, {}, {}};
    for (const double percentile : monte_carlo.percentiles) {
        corrected.percentiles.push_back(factor * percentile);
    }
    if (request.target) {
        const double band = request.band->about(*request.target);
        corrected.yield = share_of(inside_band(z_diff, *request.target, band, factor), request.samples);
    }
    return corrected;
}

}  // namespace

Report budget(const Request& request) {
    check(request);
    const Impedance of = impedance_of(request.nominal);
    Report report;
    report.nominal = nominal_of(request);
    const ToleranceBox box = tolerance_box(request);
    report.sensitivities = sensitivities_of(request, box);
    report.root_sum_square = root_sum_square_of(report.sensitivities);
    report.worst_case = extremes_over(box, [of](const std::vector<Line>& lines) { return impedances(of, lines); });

    const SampleLines lines(request.nominal, request.tolerances, request.distribution, request.seed);
    report.sample_z0 = impedances_of(lines, request.samples, request.keep_samples ? &report.sample_lines : nullptr);
    MonteCarlo& monte_carlo = report.monte_carlo;
    monte_carlo.seed = request.seed;
    monte_carlo.samples = request.samples;
    monte_carlo.z0 = moments_of(report.sample_z0);
    monte_carlo.outside_model = request.samples - monte_carlo.z0.count;
    monte_carlo.percentiles = percentiles_of(report.sample_z0, monte_carlo.z0, kPercentiles);
    if (request.field && std::isfinite(request.field->z_diff)) {
        report.corrected =
            corrected_by(request.field->z_diff / report.nominal.z0, request, monte_carlo, report.sample_z0);
    }
    if (request.target) {
        const double band = request.band->about(*request.target);
        monte_carlo.yield = share_of(inside_band(report.sample_z0, *request.target, band), request.samples);
        if (request.centre) {
            report.centring = centre_width(request, band, report.corrected ? report.corrected->factor : 1.0);
        }
    }
    return report;
}

}  // namespace velmoka::spread
