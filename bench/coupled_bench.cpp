// The closed-form pair: one pair, one pair at a frequency, and a million pairs through the array
// entry point on every core.

#include "maths/coupled_arrays.h"
#include "maths/coupled_dispersion.h"
#include "maths/coupled_microstrip.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

namespace {

void BM_CoupledPair(benchmark::State& state) {
    const double t = static_cast<double>(state.range(0)) / 100.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmoka::coupled_microstrip(1.0, 1.0, t, 4.4));
    }
}
BENCHMARK(BM_CoupledPair)->Arg(0)->Arg(17)->ArgName("T/H %");

// The same pair at fn = 10 GHz·mm from its static modes, worked out once: the cost of each
// frequency of a sweep.
void BM_CoupledPairAtFrequency(benchmark::State& state) {
    const double t = static_cast<double>(state.range(0)) / 100.0;
    const velmoka::CoupledMicrostrip at_rest = velmoka::coupled_microstrip(1.0, 1.0, t, 4.4);
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmoka::coupled_at_frequency(at_rest, 1.0, 1.0, t, 4.4, 10.0));
    }
}
BENCHMARK(BM_CoupledPairAtFrequency)->Arg(0)->Arg(17)->ArgName("T/H %");

// A million pairs over W/H 0.1 to 10, S/H 0.1 to 10, T/H 0 to 0.2 and er 2.2 to 10.
void BM_CoupledMillionPairs(benchmark::State& state) {
    constexpr std::size_t kPairs = 1'000'000;
    std::vector<double> u(kPairs), g(kPairs), t(kPairs), er(kPairs);
    for (std::size_t i = 0; i < kPairs; ++i) {
        u[i] = 0.1 + 9.9 * static_cast<double>(i % 1000) / 999.0;
        g[i] = 0.1 + 9.9 * static_cast<double>(i / 1000) / 999.0;
        t[i] = 0.2 * static_cast<double>(i % 7) / 6.0;
        er[i] = 2.2 + 7.8 * static_cast<double>(i % 11) / 10.0;
    }
    std::vector<double> z_even(kPairs), z_odd(kPairs), e_eff_even(kPairs), e_eff_odd(kPairs);
    for (auto _ : state) {
        velmoka::coupled_microstrips(kPairs, u.data(), g.data(), t.data(), er.data(), z_even.data(), z_odd.data(),
                                     e_eff_even.data(), e_eff_odd.data());
        benchmark::DoNotOptimize(z_even.data());
    }
}
BENCHMARK(BM_CoupledMillionPairs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
