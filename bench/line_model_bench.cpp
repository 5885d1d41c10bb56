// The line model, the width search and the lumped networks, per call, over inputs an engineer
// types: strips from hair-thin to ten times the dielectric thickness, thin foil to thick
// plating, air to gallium arsenide.

#include "in_turn.h"
#include "maths/lumped_networks.h"
#include "maths/microstrip_line.h"
#include "maths/width_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using velmoka::lumped_networks;
using velmoka::microstrip_impedance;
using velmoka::microstrip_line;
using velmoka::SearchEnd;
using velmoka::solve_width_ratio;
using velmoka::substrate_terms;
using velmoka::SubstrateTerms;

struct Line {
    double u;   // W/H
    double t;   // T/H
    double er;  // substrate relative permittivity
};

constexpr double kSubstrates[] = {1.0, 2.2, 3.55, 4.4, 6.15, 9.8, 12.9};
constexpr double kThicknessRatios[] = {0.001, 0.005, 0.02, 0.04, 0.1, 0.5};

// W/H from 0.01 to 10 in even steps of its logarithm, on every substrate and thickness.
std::vector<Line> spread_of_lines() {
    constexpr int kWidthSteps = 40;
    std::vector<Line> lines;
    for (int step = 0; step <= kWidthSteps; ++step) {
        const double u = 0.01 * std::pow(1000.0, static_cast<double>(step) / kWidthSteps);
        for (double t : kThicknessRatios) {
            for (double er : kSubstrates) {
                lines.push_back({u, t, er});
            }
        }
    }
    return lines;
}

void BM_MicrostripLine(benchmark::State& state) {
    evaluate_in_turn(state, spread_of_lines(),
                     [](const Line& line) { return microstrip_line(line.u, line.t, line.er); });
}
BENCHMARK(BM_MicrostripLine);

// The yardstick for the model's speed on the machine at hand: the formulas as they are written,
// with pow for every power, tanh² in its exponential form and nothing worked out once for a
// substrate, over the same spread of lines.
namespace written_form {

constexpr double kPi = 3.141592654;

velmoka::LineProperties zero_thickness_line(double u, double er) {
    const double f = 6.0 + (2.0 * kPi - 6.0) * std::exp(-std::pow(30.666 / u, 0.7528));
    const double a =
        1.0 + (1.0 / 49.0) * std::log((std::pow(u, 4.0) + std::pow(u / 52.0, 2.0)) / (std::pow(u, 4.0) + 0.432)) +
        (1.0 / 18.7) * std::log(1.0 + std::pow(u / 18.1, 3.0));
    const double b = 0.564 * std::pow((er - 0.9) / (er + 3.0), 0.053);
    const double e_eff = (er + 1.0) / 2.0 + ((er - 1.0) / 2.0) * std::pow(1.0 + 10.0 / u, -a * b);
    return {(60.0 / std::sqrt(e_eff)) * std::log(f / u + std::sqrt(1.0 + (4.0 / u) / u)), e_eff};
}

velmoka::LineProperties microstrip_line(double u, double t, double er) {
    const double x = std::sqrt(6.517 * u);
    const double ex = std::exp(x);
    const double e_x = std::exp(-x);
    const double tanh2 = std::pow(ex - e_x, 2.0) / std::pow(ex + e_x, 2.0);
    const double du1 = (t / kPi) * std::log(1.0 + 4.0 * std::exp(1.0) * tanh2 / t);
    const double y = std::sqrt(er - 1.0);
    const double dur = du1 * (1.0 + 2.0 / (std::exp(y) + std::exp(-y))) / 2.0;
    const velmoka::LineProperties widened = zero_thickness_line(u + dur, er);
    const double z1 = zero_thickness_line(u + du1, er).z0;
    return {widened.z0, widened.e_eff * std::pow(z1 / widened.z0, 2.0)};
}

}  // namespace written_form

void BM_WrittenFormOfTheModel(benchmark::State& state) {
    evaluate_in_turn(state, spread_of_lines(),
                     [](const Line& line) { return written_form::microstrip_line(line.u, line.t, line.er); });
}
BENCHMARK(BM_WrittenFormOfTheModel);

// As the width search evaluates the model: the substrate's terms already worked out.
struct PreparedLine {
    double u;
    double t;
    SubstrateTerms substrate;
};

std::vector<PreparedLine> spread_of_prepared_lines() {
    std::vector<PreparedLine> prepared;
    for (const Line& line : spread_of_lines()) {
        prepared.push_back({line.u, line.t, substrate_terms(line.er)});
    }
    return prepared;
}

void BM_MicrostripLineOnPreparedSubstrate(benchmark::State& state) {
    evaluate_in_turn(state, spread_of_prepared_lines(),
                     [](const PreparedLine& line) { return microstrip_line(line.u, line.t, line.substrate); });
}
BENCHMARK(BM_MicrostripLineOnPreparedSubstrate);

// The impedance alone, as in every evaluation of the search but the one that gives its answer.
void BM_MicrostripImpedanceOnPreparedSubstrate(benchmark::State& state) {
    evaluate_in_turn(state, spread_of_prepared_lines(),
                     [](const PreparedLine& line) { return microstrip_impedance(line.u, line.t, line.substrate); });
}
BENCHMARK(BM_MicrostripImpedanceOnPreparedSubstrate);

struct Target {
    double z_want;  // ohms
    double t;
    double er;
};

// Wanted impedances from 10 to 140 ohms on every substrate and thickness, kept where the
// model reaches them.
std::vector<Target> realistic_targets() {
    std::vector<Target> targets;
    for (double z_want = 10.0; z_want <= 140.0; z_want += 5.0) {
        for (double t : kThicknessRatios) {
            for (double er : kSubstrates) {
                if (solve_width_ratio(z_want, t, er).end == SearchEnd::met_tolerance) {
                    targets.push_back({z_want, t, er});
                }
            }
        }
    }
    return targets;
}

void solve_each(benchmark::State& state, const std::vector<Target>& targets) {
    evaluate_in_turn(state, targets,
                     [](const Target& target) { return solve_width_ratio(target.z_want, target.t, target.er); });
}

// The opening window: 50 ohms wanted on er 12.9, T 4 over H 100.
void BM_SolveOpeningWindow(benchmark::State& state) {
    solve_each(state, {{50.0, 0.04, 12.9}});
}
BENCHMARK(BM_SolveOpeningWindow);

void BM_SolveRealisticTargets(benchmark::State& state) {
    solve_each(state, realistic_targets());
}
BENCHMARK(BM_SolveRealisticTargets);

// The realistic targets that take the most passes, each solved in turn.
void BM_SolveSlowestRealisticTargets(benchmark::State& state) {
    std::vector<Target> targets = realistic_targets();
    const auto passes = [](const Target& target) {
        return solve_width_ratio(target.z_want, target.t, target.er).passes;
    };
    const int most = passes(*std::ranges::max_element(targets, {}, passes));
    std::erase_if(targets, [&](const Target& target) { return passes(target) < most; });
    state.SetLabel(std::to_string(targets.size()) + " targets of " + std::to_string(most) + " passes");
    solve_each(state, targets);
}
BENCHMARK(BM_SolveSlowestRealisticTargets);

// A quarter-wave 50 ohm section at 1 GHz and sections either side of it.
void BM_LumpedNetworks(benchmark::State& state) {
    constexpr double kSections[] = {0.1, 0.5, 1.0, 1.5707963, 2.5, 3.0};
    evaluate_in_turn(state, kSections, [](double theta) { return lumped_networks(50.0, theta, 1.0); });
}
BENCHMARK(BM_LumpedNetworks);

}  // namespace

BENCHMARK_MAIN();
