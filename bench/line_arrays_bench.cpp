// The line model and the width search over arrays of a million elements, in blocks of 512 as
// the Python module passes them, on each instruction set this processor runs, beside the
// scalar model element by element in the same run. The time for the million, in ms, is the
// time per element in ns; the two-thread runs split the million between two threads, and
// their time is wall time.

#include "maths/line_array_kernels.h"
#include "maths/microstrip_line.h"
#include "maths/width_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace {

using velmoka::LineArrayKernels;

constexpr std::size_t kElements = 1'000'000;
constexpr std::size_t kBlock = 512;

// A million strips on one substrate: H 100, T 4 (T/H 0.04) on er 4.4, W/H 0.05 to 20 in even
// steps of its logarithm.
struct Lines {
    std::vector<double> u, t, er;
};

const Lines& million_lines() {
    static const Lines lines = [] {
        Lines made{std::vector<double>(kElements), std::vector<double>(kElements, 0.04),
                   std::vector<double>(kElements, 4.4)};
        for (std::size_t i = 0; i < kElements; ++i)
            made.u[i] = 0.05 * std::pow(400.0, static_cast<double>(i) / kElements);
        return made;
    }();
    return lines;
}

// A million wanted impedances the model reaches: 10 to 140 ohms on substrates from air to
// gallium arsenide and T/H from 0.001 to 0.5, each in turn, or on the lines' one substrate.
Lines million_targets(bool one_substrate) {
    constexpr double kSubstrates[] = {1.0, 2.2, 3.55, 4.4, 6.15, 9.8, 12.9};
    constexpr double kThicknessRatios[] = {0.001, 0.005, 0.02, 0.04, 0.1, 0.5};
    Lines made;
    for (std::size_t i = 0; made.u.size() < kElements; ++i) {
        const double z_want = 10.0 + 130.0 * static_cast<double>(i % 9973) / 9973.0;
        const double er = one_substrate ? 4.4 : kSubstrates[i % 7];
        const double t = one_substrate ? 0.04 : kThicknessRatios[i / 7 % 6];
        if (velmoka::solve_width_ratio(z_want, t, er).end == velmoka::SearchEnd::met_tolerance) {
            made.u.push_back(z_want);
            made.t.push_back(t);
            made.er.push_back(er);
        }
    }
    return made;
}

// This thread's share of the million, in blocks.
template <typename Work>
void each_block_of_share(benchmark::State& state, Work work) {
    const std::size_t share = kElements / static_cast<std::size_t>(state.threads());
    const std::size_t first = share * static_cast<std::size_t>(state.thread_index());
    for (auto _ : state) {
        for (std::size_t i = first; i < first + share; i += kBlock)
            work(i, std::min(kBlock, first + share - i));
    }
}

// The yardstick: the scalar model, one call per element.
void BM_ScalarModel(benchmark::State& state) {
    const Lines& lines = million_lines();
    std::vector<double> z0(kElements), e_eff(kElements);
    each_block_of_share(state, [&](std::size_t i, std::size_t n) {
        for (std::size_t k = i; k < i + n; ++k) {
            const velmoka::LineProperties line = velmoka::microstrip_line(lines.u[k], lines.t[k], lines.er[k]);
            z0[k] = line.z0;
            e_eff[k] = line.e_eff;
        }
    });
    benchmark::DoNotOptimize(z0.data());
}

void BM_LineArrays(benchmark::State& state, const LineArrayKernels& kernels) {
    const Lines& lines = million_lines();
    std::vector<double> z0(kElements), e_eff(kElements);
    each_block_of_share(state, [&](std::size_t i, std::size_t n) {
        kernels.microstrip_lines(n, &lines.u[i], &lines.t[i], &lines.er[i], &z0[i], &e_eff[i]);
    });
    benchmark::DoNotOptimize(z0.data());
}

void BM_WidthSearchArrays(benchmark::State& state, const LineArrayKernels& kernels, const Lines& targets) {
    std::vector<double> u(kElements);
    each_block_of_share(state, [&](std::size_t i, std::size_t n) {
        kernels.strip_width_ratios(n, &targets.u[i], &targets.t[i], &targets.er[i], &u[i]);
    });
    benchmark::DoNotOptimize(u.data());
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("BM_ScalarModel", BM_ScalarModel)->Unit(benchmark::kMillisecond);
    static const Lines one_substrate = million_targets(true);
    static const Lines seven_substrates = million_targets(false);
    for (const LineArrayKernels& kernels : velmoka::runnable_line_array_kernels()) {
        const std::string name(kernels.instruction_set);
        for (int threads : {1, 2})
            benchmark::RegisterBenchmark(("BM_LineArrays/" + name).c_str(), BM_LineArrays, kernels)
                ->Threads(threads)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        for (const auto& [targets, substrates] :
             {std::pair{&one_substrate, "one substrate"}, std::pair{&seven_substrates, "seven substrates"}})
            for (int threads : {1, 2})
                benchmark::RegisterBenchmark(("BM_WidthSearchArrays/" + name + "/" + substrates).c_str(),
                                             BM_WidthSearchArrays, kernels, *targets)
                    ->Threads(threads)
                    ->UseRealTime()
                    ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
