// The line at frequency, per point: over a frequency sweep on one strip (its per-strip work done
// once) and over a width sweep at one frequency (each strip prepared anew), and a million of
// either over arrays on every core, as the faces run them. The yardstick is scikit-rf's MLine
// on the same line and models, bench/skrf_line_at_frequency.py.

#include "common/in_parallel.h"
#include "in_turn.h"
#include "maths/line_at_frequency.h"
#include "maths/lines_over_arrays.h"
#include "maths/width_at_frequency.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using velmoka::Conductor;
using velmoka::Dielectric;
using velmoka::LineAtFrequency;
using velmoka::PermittivityModel;
using velmoka::Strip;

// The scikit-rf test line: 3 mm on 1.55 mm FR-4, 35 µm copper of 1.7e-8 Ω·m, 0.15 µm rms.
constexpr double kMillimetre = 1e-3;
const Strip kStrip{3.0 * kMillimetre, 1.55 * kMillimetre, 35e-6};
const Dielectric kWideband{4.413, 0.0182};
const Dielectric kConstant{4.413, 0.0182, 1e9, PermittivityModel::constant};
const Conductor kConductor{1.0 / 1.7e-8, {velmoka::RoughnessModel::hammerstad, 0.15e-6}};
constexpr double kSweepFrequency = 10e9;  // Hz, for the width sweep
constexpr std::size_t kMillion = 1'000'000;

// n frequencies evenly from 0.2 to 20 GHz.
std::vector<double> frequencies(std::size_t n) {
    std::vector<double> f(n);
    for (std::size_t i = 0; i < n; ++i)
        f[i] = 0.2e9 + 19.8e9 * static_cast<double>(i) / static_cast<double>(n - 1);
    return f;
}

// n widths evenly from W/H 0.1 to 10 on the test line's substrate.
std::vector<double> widths(std::size_t n) {
    std::vector<double> w(n);
    for (std::size_t i = 0; i < n; ++i)
        w[i] = kStrip.height * (0.1 + 9.9 * static_cast<double>(i) / static_cast<double>(n - 1));
    return w;
}

void sweep_frequencies(benchmark::State& state, const Dielectric& dielectric) {
    const velmoka::PreparedLine line = velmoka::prepare_line(kStrip, dielectric, kConductor);
    evaluate_in_turn(state, frequencies(1000), [&](double f) { return velmoka::line_at_frequency(line, f); });
}

void BM_FrequencySweepWideband(benchmark::State& state) {
    sweep_frequencies(state, kWideband);
}
BENCHMARK(BM_FrequencySweepWideband);

void BM_FrequencySweepConstantPermittivity(benchmark::State& state) {
    sweep_frequencies(state, kConstant);
}
BENCHMARK(BM_FrequencySweepConstantPermittivity);

void BM_WidthSweep(benchmark::State& state) {
    evaluate_in_turn(state, widths(1000), [](double w) {
        return velmoka::line_at_frequency({w, kStrip.height, kStrip.thickness}, kWideband, kConductor, kSweepFrequency);
    });
}
BENCHMARK(BM_WidthSweep);

// The columns of a million lines.
struct MillionColumns {
    std::vector<velmoka::LineStatus> status = std::vector<velmoka::LineStatus>(kMillion);
    std::vector<std::uint16_t> warnings = std::vector<std::uint16_t>(kMillion);
    std::vector<std::vector<double>> numbers = std::vector<std::vector<double>>(18, std::vector<double>(kMillion));

    velmoka::LineColumns at(std::size_t first) {
        double* n[18];
        for (std::size_t k = 0; k < 18; ++k)
            n[k] = numbers[k].data() + first;
        return {status.data() + first, warnings.data() + first, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7],
                n[8], n[9], n[10], n[11], n[12], n[13], n[14], n[15], n[16], n[17]};
    }
};

// A million lines over arrays on every core, timed in wall-clock time: the figure per point is
// the inverse of items_per_second.
void million_on_every_core(benchmark::State& state, const std::vector<double>& width,
                           const std::vector<double>& frequency) {
    const std::vector<double> height(kMillion, kStrip.height);
    const std::vector<double> thickness(kMillion, kStrip.thickness);
    MillionColumns columns;
    for (auto _ : state) {
        velmoka::in_parallel(kMillion, velmoka::kLineBlock, [&](std::size_t begin, std::size_t end) {
            velmoka::lines_at_frequency(end - begin, width.data() + begin, height.data() + begin,
                                        thickness.data() + begin, frequency.data() + begin, kWideband, kConductor,
                                        columns.at(begin));
        });
        benchmark::DoNotOptimize(columns.numbers[0].data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kMillion));
    state.SetLabel(std::string(velmoka::line_arrays_instruction_set()));
}

void BM_MillionFrequenciesOnEveryCore(benchmark::State& state) {
    million_on_every_core(state, std::vector<double>(kMillion, kStrip.width), frequencies(kMillion));
}
BENCHMARK(BM_MillionFrequenciesOnEveryCore)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MillionWidthsOnEveryCore(benchmark::State& state) {
    million_on_every_core(state, widths(kMillion), std::vector<double>(kMillion, kSweepFrequency));
}
BENCHMARK(BM_MillionWidthsOnEveryCore)->Unit(benchmark::kMillisecond)->UseRealTime();

// The width of 25 to 100 ohms at 10 GHz.
void BM_WidthForImpedance(benchmark::State& state) {
    const std::vector<double> targets = {25.0, 40.0, 50.0, 75.0, 100.0};
    evaluate_in_turn(state, targets, [](double z) {
        return velmoka::width_for_impedance(z, kStrip.height, kStrip.thickness, kWideband, kConductor,
                                            kSweepFrequency);
    });
}
BENCHMARK(BM_WidthForImpedance);

}  // namespace

BENCHMARK_MAIN();
