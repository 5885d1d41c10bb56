// The field solver beside the line model: one line to 0.01 %, the 45-line grid of the reference
// solutions on one and on two threads, how Z0 and e_eff move as the panels are halved, and
// edge-coupled pairs to 0.01 % in both modes: a few designs, the widest strips at the corners of
// the range, the slowest and the mean pair of a grid over the whole range, and the width of a
// 100 ohm pair on the field.

#include "field_solver/field_line.h"
#include "field_solver/field_pair.h"
#include "field_solver/field_pair_search.h"
#include "common/physical_constants.h"
#include "field_solver/slab_images.h"
#include "field_solver/strip_capacitance.h"
#include "field_solver/strip_panels.h"
#include "maths/microstrip_line.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

using velmoka::field_line;
using velmoka::FieldLine;
using velmoka::microstrip_line;

struct Line {
    double u;   // W/H
    double t;   // T/H
    double er;  // substrate relative permittivity
};

// 50 ohms on FR-4: W 3 mm, H 1.6 mm, T 35 um, er 4.5.
constexpr Line kFiftyOhmsOnFr4{1.875, 0.021875, 4.5};

std::vector<Line> reference_grid() {
    std::vector<Line> lines;
    for (double er : {2.2, 4.5, 9.8}) {
        for (double u : {0.1, 0.3, 1.0, 3.0, 10.0}) {
            for (double t : {0.005, 0.02, 0.1}) {
                lines.push_back({u, t, er});
            }
        }
    }
    return lines;
}

std::string described(const FieldLine& line) {
    char text[160];
    std::snprintf(text, sizeof text, "z0 %.6f ohms (±%.1e), e_eff %.6f (±%.1e), %s", line.z0, line.z0_accuracy,
                  line.e_eff, line.e_eff_accuracy, std::string(velmoka::field_status_text(line.status)).c_str());
    return text;
}

void BM_FieldLine50OhmsOnFr4(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(field_line(kFiftyOhmsOnFr4.u, kFiftyOhmsOnFr4.t, kFiftyOhmsOnFr4.er));
    }
    state.SetLabel(described(field_line(kFiftyOhmsOnFr4.u, kFiftyOhmsOnFr4.t, kFiftyOhmsOnFr4.er)));
}
BENCHMARK(BM_FieldLine50OhmsOnFr4)->Unit(benchmark::kMillisecond);

void BM_LineModel50OhmsOnFr4(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(microstrip_line(kFiftyOhmsOnFr4.u, kFiftyOhmsOnFr4.t, kFiftyOhmsOnFr4.er));
    }
}
BENCHMARK(BM_LineModel50OhmsOnFr4);

// The grid's lines shared out in turn among state.range(0) threads, as a face spreads an array.
void BM_FieldGrid45Lines(benchmark::State& state) {
    const std::vector<Line> grid = reference_grid();
    const int threads = static_cast<int>(state.range(0));
    std::vector<FieldLine> answers(grid.size());
    for (auto _ : state) {
        {
            std::vector<std::jthread> workers;
            for (int first = 0; first < threads; ++first) {
                workers.emplace_back([&, first] {
                    for (std::size_t i = first; i < grid.size(); i += threads) {
                        answers[i] = field_line(grid[i].u, grid[i].t, grid[i].er);
                    }
                });
            }
        }  // the workers join here
        benchmark::DoNotOptimize(answers.data());
    }
    state.counters["time_per_line"] = benchmark::Counter(
        static_cast<double>(grid.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FieldGrid45Lines)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LineModelGrid45Lines(benchmark::State& state) {
    const std::vector<Line> grid = reference_grid();
    for (auto _ : state) {
        for (const Line& line : grid) {
            benchmark::DoNotOptimize(microstrip_line(line.u, line.t, line.er));
        }
    }
}
BENCHMARK(BM_LineModelGrid45Lines)->Unit(benchmark::kMicrosecond);

// The convergence study: Z0 and e_eff on each level of mesh, each level halving every panel of
// the one before, and their relative distance from the solver's extrapolated answer.
const Line kStudiedLines[] = {
    {1.0, 0.0, 1.0},      // zero thickness in air
    kFiftyOhmsOnFr4,      // 50 ohms on FR-4
    {0.1, 0.1, 9.8},      // narrow and thick on alumina
    {10.0, 0.005, 2.2},   // wide and thin on PTFE
    {100.0, 1.0, 100.0},  // the widest and thickest on the highest permittivity
};

void BM_MeshConvergence(benchmark::State& state) {
    const Line& line = kStudiedLines[state.range(0)];
    const int level = static_cast<int>(state.range(1));
    const std::vector<velmoka::field_solver::Panel> half_strip =
        velmoka::field_solver::strip_panels(line.u, line.t, level);
    const velmoka::field_solver::SlabImages slab(line.er, half_strip);
    velmoka::field_solver::StripCapacitances c{};
    for (auto _ : state) {
        c = velmoka::field_solver::strip_capacitances(half_strip, slab);
    }
    const double z0 = velmoka::kFreeSpaceImpedance / std::sqrt(c.with_slab * c.in_air);
    const double e_eff = c.with_slab / c.in_air;
    const FieldLine answer = field_line(line.u, line.t, line.er);
    char text[200];
    std::snprintf(text, sizeof text, "W/H %g T/H %g er %g: %4zu panels, z0 %.7f (%+.1e), e_eff %.7f (%+.1e)", line.u,
                  line.t, line.er, 2 * half_strip.size(), z0, z0 / answer.z0 - 1.0, e_eff, e_eff / answer.e_eff - 1.0);
    state.SetLabel(text);
}
BENCHMARK(BM_MeshConvergence)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}})
    ->ArgNames({"line", "level"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

struct Pair {
    double u;   // W/H
    double g;   // S/H
    double t;   // T/H
    double er;  // substrate relative permittivity
};

const Pair kPairs[] = {
    {1.5, 1.0, 0.0, 4.4},      // H 0.2, W 0.3, S 0.2 mm on FR-4, no thickness
    {1.0, 1.0, 0.175, 4.4},    // H 0.2, W 0.2, S 0.2 mm, T 35 um on FR-4: about 100 ohms differential
    {0.5, 0.5, 0.35, 3.5},     // H 0.1, W 0.05, S 0.05 mm, T 35 um: thin dielectric, thick copper
    {0.05, 0.05, 1.0, 100.0},  // the narrowest and tightest, thickest, on the highest permittivity
    {20.0, 1.0, 0.01, 100.0},  // the widest with thin copper: the most levels of mesh
};

void BM_FieldPair(benchmark::State& state) {
    const Pair& pair = kPairs[state.range(0)];
    velmoka::FieldPair answer{};
    for (auto _ : state) {
        answer = velmoka::field_pair(pair.u, pair.g, pair.t, pair.er);
        benchmark::DoNotOptimize(answer);
    }
    char text[200];
    std::snprintf(text, sizeof text, "W/H %g S/H %g T/H %g er %g: z_even %.4f z_odd %.4f (worst ±%.1e), %s", pair.u,
                  pair.g, pair.t, pair.er, answer.modes.z_even, answer.modes.z_odd,
                  std::max({answer.accuracy.z_even, answer.accuracy.z_odd, answer.accuracy.e_eff_even,
                            answer.accuracy.e_eff_odd}),
                  std::string(velmoka::field_pair_status_text(answer.status)).c_str());
    state.SetLabel(text);
}
BENCHMARK(BM_FieldPair)->DenseRange(0, 4)->ArgName("pair")->Unit(benchmark::kMillisecond);

// The widest strips, W/H 20, which need the most panels and the longest reach of the slab's
// images: gap S/H 0.05 or 20, no copper or T/H 0.01, in air or on er 100.
void BM_FieldWidestPair(benchmark::State& state) {
    const double gaps[] = {0.05, 20.0};
    const double thicknesses[] = {0.0, 0.01};
    const double permittivities[] = {1.0, 100.0};
    const Pair pair{20.0, gaps[state.range(0)], thicknesses[state.range(1)], permittivities[state.range(2)]};
    velmoka::FieldPair answer{};
    for (auto _ : state) {
        answer = velmoka::field_pair(pair.u, pair.g, pair.t, pair.er);
        benchmark::DoNotOptimize(answer);
    }
    state.SetLabel(std::string(velmoka::field_pair_status_text(answer.status)));
}
BENCHMARK(BM_FieldWidestPair)
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->ArgNames({"gap", "copper", "er"})
    ->Unit(benchmark::kMillisecond);

// Every pair of a grid over the whole range, each solved once and timed alone: W/H and S/H 0.05,
// 0.3, 1, 5 and 20, T/H 0, 0.01, 0.1 and 1, er 1, 4.4, 10 and 100. The counters give the slowest
// pair's time and the mean, in the processor's time, which other work on a shared machine does
// not lengthen, and on the wall clock; the label the slowest pair and how many missed the
// accuracy.
void BM_FieldPairGrid(benchmark::State& state) {
    const double ratios[] = {0.05, 0.3, 1.0, 5.0, 20.0};
    std::vector<Pair> grid;
    for (double u : ratios) {
        for (double g : ratios) {
            for (double t : {0.0, 0.01, 0.1, 1.0}) {
                for (double er : {1.0, 4.4, 10.0, 100.0}) {
                    grid.push_back({u, g, t, er});
                }
            }
        }
    }
    double slowest = 0.0;
    double slowest_wall = 0.0;
    double total = 0.0;
    double total_wall = 0.0;
    Pair slowest_pair{};
    int unsolved = 0;
    for (auto _ : state) {
        for (const Pair& pair : grid) {
            const std::clock_t start = std::clock();
            const auto wall_start = std::chrono::steady_clock::now();
            const velmoka::FieldPair answer = velmoka::field_pair(pair.u, pair.g, pair.t, pair.er);
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
            const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
            benchmark::DoNotOptimize(answer);
            total += seconds;
            total_wall += wall;
            slowest_wall = std::max(slowest_wall, wall);
            unsolved += answer.status == velmoka::FieldPairStatus::ok ? 0 : 1;
            if (seconds > slowest) {
                slowest = seconds;
                slowest_pair = pair;
            }
        }
    }
    const double solved = static_cast<double>(state.iterations() * grid.size());
    state.counters["slowest_ms"] = 1e3 * slowest;
    state.counters["mean_ms"] = 1e3 * total / solved;
    state.counters["slowest_wall_ms"] = 1e3 * slowest_wall;
    state.counters["mean_wall_ms"] = 1e3 * total_wall / solved;
    char text[120];
    std::snprintf(text, sizeof text, "slowest W/H %g S/H %g T/H %g er %g; %d of %zu short of the accuracy",
                  slowest_pair.u, slowest_pair.g, slowest_pair.t, slowest_pair.er, unsolved, grid.size());
    state.SetLabel(text);
}
BENCHMARK(BM_FieldPairGrid)->Unit(benchmark::kMillisecond)->Iterations(1);

// The width of a 100 ohm differential pair on the field solution: H 0.2 mm, S 0.2 mm, T 35 um on FR-4.
void BM_FieldWidthFor100Ohms(benchmark::State& state) {
    velmoka::FieldPairDesign design{};
    for (auto _ : state) {
        design = velmoka::field_width_for_differential_impedance(100.0, 1.0, 0.175, 4.4);
        benchmark::DoNotOptimize(design);
    }
    char text[120];
    std::snprintf(text, sizeof text, "W/H %.5f, z_diff %.4f ohms, %d field solutions", design.ratio,
                  velmoka::differential_impedance(design.pair.modes), design.field_solutions);
    state.SetLabel(text);
}
BENCHMARK(BM_FieldWidthFor100Ohms)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
